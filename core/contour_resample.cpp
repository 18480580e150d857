// Resampling the smoothed contour along t.
#include "core/contour_resample.h"

#include "core/spline.h"

#include <cmath>

namespace zarnfoil {
namespace {

constexpr double kPi = 3.14159265;
// Share of the cosine spacing in each side's spacing, the rest uniform in t: the ends of a
// side get a quarter of the uniform step, its middle about 1.43 times it. Near the leading
// edge x = t * t adds its own clustering in x.
constexpr double kCosineShare = 0.75;

// 0..1 onto 0..1, slow at both ends.
double Spacing(double u) {
    return (1 - kCosineShare) * u + kCosineShare * (1 - std::cos(kPi * u)) / 2;
}

bool HoldsSmoothedSection(const FoilState& s) {
    return s.NP >= 3 && s.NP <= kMaxPoints && s.ILE > 1 && s.ILE < s.NP && s.T(s.ILE) == 0.0f &&
           s.T(1) == -1.0f && s.T(s.NP) == 1.0f;
}

} // namespace

std::vector<double> ResampleParameters(int n) {
    if (n < 3) return {};
    const int lower = (n - 1) / 2, upper = n - 1 - lower;
    std::vector<double> t;
    t.reserve(static_cast<std::size_t>(n));
    // The lower side as the mirror image of the upper one, so that equal sides give equal x.
    t.push_back(-1.0);
    for (int j = 1; j < lower; ++j)
        t.push_back(-Spacing(static_cast<double>(lower - j) / lower));
    for (int j = 0; j < upper; ++j)
        t.push_back(Spacing(static_cast<double>(j) / upper));
    t.push_back(1.0);
    return t;
}

ResampledContour ResampleContour(const FoilState& s, int n) {
    ResampledContour c;
    if (n < 3 || !HoldsSmoothedSection(s)) return c;
    PointArray moments(kUninitialised);
    SplineMoments(s.BC1, s.BC2, 0.0, s.NP, s.T, s.Y_SM, moments, s.IBC);

    const std::vector<double> params = ResampleParameters(n);
    c.leadingEdge = (n - 1) / 2 + 1;
    SplineSweep spline(s.NP, s.T, s.Y_SM, moments);
    for (double t : params) {
        const auto tf = static_cast<float>(t);
        c.t.push_back(tf);
        c.x.push_back(static_cast<float>(t * t));
        c.y.push_back(spline.Value(tf));
    }
    // The run's own points where the parameters meet them.
    const std::pair<int, int> kept[] = {{1, 1}, {c.leadingEdge, s.ILE}, {n, s.NP}};
    for (const auto& [k, i] : kept) {
        c.x[static_cast<std::size_t>(k - 1)] = s.XP(i);
        c.y[static_cast<std::size_t>(k - 1)] = s.Y_SM(i);
    }
    return c;
}

} // namespace zarnfoil
