// Karman-Tsien correction of one pressure coefficient.
#include "solver/compressibility.h"

#include <cmath>

namespace zarnfoil::solver {

double SonicCp(double mach) {
    const double m2 = mach * mach;
    const double ratio = (2 + (kGamma - 1) * m2) / (kGamma + 1);
    return 2 / (kGamma * m2) * (std::pow(ratio, kGamma / (kGamma - 1)) - 1);
}

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
