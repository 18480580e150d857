// Karman-Tsien correction of one pressure coefficient.
#include "solver/compressibility.h"

#include "solver/gas_state.h"

#include <cmath>

namespace zarnfoil::solver {

KarmanTsien::KarmanTsien(double mach)
    : beta_(std::sqrt(1 - mach * mach)), factor_(mach * mach / (2 * (1 + beta_))),
      vacuumCp_(mach > 0 ? -2 / (kGamma * mach * mach) : 0), incompressible_(!(mach > 0)) {}

CorrectedCp KarmanTsien::Correct(double cpIncompressible) const {
    if (incompressible_) return {cpIncompressible, 1, true};
    const double denominator = beta_ + factor_ * cpIncompressible;
    if (denominator > 0) {
        const double cp = cpIncompressible / denominator;
        if (cp >= vacuumCp_) return {cp, beta_ / (denominator * denominator), true};
    }
    return {vacuumCp_, 0, false};
}

} // namespace zarnfoil::solver
