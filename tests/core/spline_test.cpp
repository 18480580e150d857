// The cubic spline by its properties: it reproduces cubics under either end condition, at
// its nodes, between them and, extrapolated, beyond its ends.
#include "core/spline.h"

#include <gtest/gtest.h>
#include <vector>

namespace zarnfoil {
namespace {

struct Nodes {
    int n = 0;
    PointArray x, y, m;
    float y0 = 0, dy = 0, d2y = 0; // the last evaluation
    void Eval(float at) { SplineEval(n, x, y, m, at, y0, dy, d2y); }
};

// y = c0 + c1 x + c2 x^2 + c3 x^3
struct Cubic {
    double c0, c1, c2, c3;
    double operator()(double x) const { return c0 + x * (c1 + x * (c2 + x * c3)); }
    double Slope(double x) const { return c1 + x * (2 * c2 + 3 * c3 * x); }
    double Curvature(double x) const { return 2 * c2 + 6 * c3 * x; }
};

Nodes Sample(const Cubic& f, const std::vector<double>& xs) {
    Nodes s;
    for (double x : xs) {
        ++s.n;
        s.x(s.n) = static_cast<float>(x);
        s.y(s.n) = static_cast<float>(f(x));
    }
    return s;
}

TEST(Spline, ReproducesACubicFromItsEndSlopesOrCurvatures) {
    // At the nodes the spline takes their ordinates and moments; two nodes with end slopes give
    // the one cubic with those slopes, with end curvatures the moments are the end values; a
    // straight line with its slope has no moments.
    const int slopes = kFirstDerivativeEnds, curvatures = 0;
    const struct { Cubic f; int kind; std::vector<double> nodes; } cases[] = {
        {{0.1, -0.5, 0.8, -0.3}, slopes, {-1.0, -0.7, -0.2, 0.0, 0.15, 0.6, 1.0}},
        {{-0.2, 0.3, 0.4, 0.9}, curvatures, {-1.0, -0.4, 0.1, 0.3, 1.0}},
        {{1.0, 2.0, -0.5, 0.25}, slopes, {0.0, 2.0}},
        {{1.0, 2.0, -0.5, 0.25}, curvatures, {0.0, 2.0}},
        {{0.5, -0.75, 0.0, 0.0}, slopes, {0.0, 0.1, 0.35, 0.5, 0.9, 1.0}}};
    for (const auto& c : cases) {
        Nodes s = Sample(c.f, c.nodes);
        const double a = c.nodes.front(), b = c.nodes.back();
        const auto End = [&](double x) {
            return static_cast<float>(c.kind == slopes ? c.f.Slope(x) : c.f.Curvature(x));
        };
        SplineMoments(End(a), End(b), 0.0, s.n, s.x, s.y, s.m, c.kind);
        for (int i = 1; i <= s.n; ++i) EXPECT_NEAR(s.m(i), c.f.Curvature(s.x(i)), 1e-3) << i;
        // nodes, points between them and, beyond the ends, the extrapolated end cubics
        for (int k = -2; k <= 22; ++k) {
            const double x = a + (b - a) * k / 20.0;
            s.Eval(static_cast<float>(x));
            EXPECT_NEAR(s.y0, c.f(x), 1e-5) << "kind " << c.kind << " x " << x;
            EXPECT_NEAR(s.dy, c.f.Slope(x), 1e-4) << "kind " << c.kind << " x " << x;
            EXPECT_NEAR(s.d2y, c.f.Curvature(x), 1e-3) << "kind " << c.kind << " x " << x;
        }
    }
}

} // namespace
} // namespace zarnfoil
