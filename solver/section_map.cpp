// Building the section map: the corner map's two points and angle are read off the contour
// spline, the near-circle is sampled densely where the corner map spreads the contour (at
// both ends of each surface), and the far-field constants come from the map itself.
#include "solver/section_map.h"

#include "solver/contour_spline.h"
#include "solver/panel_nodes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zarnfoil::solver {

namespace {

constexpr int kSamplesPerSurface = 400;

Complex AsComplex(Vec2 p) {
    return {p.x, p.y};
}

// Angle between the two surfaces where they meet at the trailing edge, from the chords to the
// contour points a little way along each surface.
double TrailingEdgeAngle(const ContourSpline& spline) {
    const double step = 0.004 * spline.TotalLength();
    const Complex edge = AsComplex(spline.At(0));
    const Complex upper = AsComplex(spline.At(step)) - edge;
    const Complex lower = AsComplex(spline.At(spline.TotalLength() - step)) - edge;
    return std::clamp(std::abs(std::arg(upper / lower)), 0.0, 0.5 * std::numbers::pi);
}

// Radius of curvature of the contour at arc length s, by differences of the unit tangent.
double RadiusOfCurvature(const ContourSpline& spline, double s) {
    const double h = 1e-4 * spline.TotalLength();
    const Vec2 before = spline.Slope(s - h), after = spline.Slope(s + h);
    const double turn = std::abs(std::arg(AsComplex(after) / AsComplex(before)));
    return turn > 0 ? 2 * h / turn : INFINITY;
}

} // namespace

std::optional<SectionMap> SectionMap::Fit(std::span<const Vec2> closedContour) {
    const ContourSpline spline(closedContour);
    const auto leadingEdgeArc = LeadingEdgeArc(spline);
    if (!leadingEdgeArc) return std::nullopt;
    const double sLe = *leadingEdgeArc;
    const double total = spline.TotalLength();

    const Complex trailingEdge = AsComplex(spline.At(0));
    const Complex leadingEdge = AsComplex(spline.At(sLe));
    const double chord = std::abs(trailingEdge - leadingEdge);
    // Half the leading-edge radius inside the nose, along the inward normal (the contour runs
    // counter-clockwise), keeps the near-circle round there.
    const double radius = std::clamp(RadiusOfCurvature(spline, sLe), 1e-3 * chord, 0.1 * chord);
    const Complex tangent = AsComplex(spline.Slope(sLe));
    const Complex inward = Complex(0, 1) * tangent / std::abs(tangent);
    const Complex inside = leadingEdge + 0.5 * radius * inward;

    SectionMap map;
    map.corner_ = CornerMap(trailingEdge, inside, TrailingEdgeAngle(spline));

    // Cosine spacing in arc length along each surface, from the trailing edge round.
    const auto spacing = [](int k) {
        return 0.5 * (1 - std::cos(std::numbers::pi * k / kSamplesPerSurface));
    };
    std::vector<Complex> samples;
    for (int k = 0; k <= kSamplesPerSurface; ++k)
        samples.push_back(AsComplex(spline.At(sLe * spacing(k))));
    for (int k = 1; k < kSamplesPerSurface; ++k)
        samples.push_back(AsComplex(spline.At(sLe + (total - sLe) * spacing(k))));
    samples.front() = trailingEdge;
    const std::vector<Complex> nearCircle = map.corner_.ToNearCircle(samples);
    for (const Complex w : nearCircle)
        if (!std::isfinite(w.real()) || !std::isfinite(w.imag())) return std::nullopt;

    auto circle = CircleMap::Fit(nearCircle);
    if (!circle) return std::nullopt;
    map.circle_ = std::move(*circle);

    // a1 and a0 from the mean of z zeta^-1 and of z round a circle well out, where the
    // series' other terms average out.
    constexpr int ring = 64;
    constexpr double far = 8;
    Complex sumScale = 0, sumCentre = 0;
    for (int k = 0; k < ring; ++k) {
        const Complex zeta = std::polar(far, 2 * std::numbers::pi * k / ring);
        const Complex z = map.At(zeta).z;
        sumScale += z / zeta;
        sumCentre += z;
    }
    map.a1_ = sumScale / double(ring);
    map.a0_ = sumCentre / double(ring);
    return map;
}

SectionMap::Image SectionMap::At(Complex zeta) const {
    const CircleMap::Image w = circle_.At(zeta);
    const CornerMap::Image z = corner_.FromNearCircle(w.w);
    return {z.z, z.slope * w.slope};
}

} // namespace zarnfoil::solver
