// The sonic (critical) pressure coefficient: Cp where the local flow reaches the speed of sound,
// for air (ratio of specific heats 1.4). One formula for the solver, which looks for the sonic
// line, and the pressure window, which marks it; header-only so the window needs no link to the
// library.
#pragma once

#include <cmath>

namespace zarnfoil::solver {

// Cp* = (((1 + 0.2 M^2) / 1.2)^3.5 - 1) / (0.7 M^2), for 0 < mach; not finite at 0.
inline double SonicCp(double mach) {
    const double m2 = mach * mach;
    return (std::pow((1 + 0.2 * m2) / 1.2, 3.5) - 1) / (0.7 * m2);
}

} // namespace zarnfoil::solver
