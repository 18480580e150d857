// The solver's contour, as the section's own points or resampled.
#include "ui/pressure/solver_contour.h"

#include "core/contour_resample.h"

namespace zarnfoil::ui {

SolverContour PrepareSolverContour(const FoilState& s) {
    SolverContour c;
    if (s.NP < 3 || s.NP > kMaxPoints) return c;
    if (s.NP <= kSolverPoints) {
        c.npt = s.NP;
        for (int j = 1; j <= s.NP; ++j) {
            c.XC(j) = s.XP(s.NP - j + 1);
            c.YC(j) = s.Y_SM(s.NP - j + 1);
        }
        return c;
    }
    const ResampledContour r = ResampleContour(s, kSolverPoints);
    if (r.x.empty()) return c;
    c.npt = kSolverPoints;
    c.resampled = true;
    for (int j = 1; j <= kSolverPoints; ++j) {
        const auto k = static_cast<std::size_t>(kSolverPoints - j); // from the upper side
        c.XC(j) = r.x[k];
        c.YC(j) = r.y[k];
    }
    return c;
}

} // namespace zarnfoil::ui
