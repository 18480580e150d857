// Cubic splines by moments over the accumulated point distance, with parabolic run-out at both
// ends of the contour (the trailing-edge points).
#include "solver/contour_spline.h"

#include <algorithm>

namespace zarnfoil::solver {

namespace {

// Moments M (second derivatives at the knots) of the interpolating cubic through (s, v).
std::vector<double> SplineMoments(const std::vector<double>& s, const std::vector<double>& v) {
    const std::size_t n = s.size();
    std::vector<double> lower(n), diag(n), upper(n), rhs(n);
    // first row: M(0) - M(1) = 0 (parabolic run-out)
    diag[0] = 1;
    upper[0] = -1;
    // rows 1..n-2: h(k-1) M(k-1) + 2 (h(k-1) + h(k)) M(k) + h(k) M(k+1)
    //              = 6 ((v(k+1) - v(k)) / h(k) - (v(k) - v(k-1)) / h(k-1))
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const double hBefore = s[k] - s[k - 1];
        const double hAfter = s[k + 1] - s[k];
        lower[k] = hBefore;
        diag[k] = 2 * (hBefore + hAfter);
        upper[k] = hAfter;
        rhs[k] = 6 * ((v[k + 1] - v[k]) / hAfter - (v[k] - v[k - 1]) / hBefore);
    }
    // last row: -M(n-2) + M(n-1) = 0
    lower[n - 1] = -1;
    diag[n - 1] = 1;

    for (std::size_t k = 1; k < n; ++k) {
        const double factor = lower[k] / diag[k - 1];
        diag[k] -= factor * upper[k - 1];
        rhs[k] -= factor * rhs[k - 1];
    }
    std::vector<double> m(n);
    m[n - 1] = rhs[n - 1] / diag[n - 1];
    for (std::size_t k = n - 1; k-- > 0;)
        m[k] = (rhs[k] - upper[k] * m[k + 1]) / diag[k];
    return m;
}

} // namespace

ContourSpline::ContourSpline(std::span<const Vec2> points) {
    s_.push_back(0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) s_.push_back(s_.back() + Length(points[i] - points[i - 1]));
        x_.push_back(points[i].x);
        y_.push_back(points[i].y);
    }
    mx_ = SplineMoments(s_, x_);
    my_ = SplineMoments(s_, y_);
}

namespace {

struct Interval {
    std::size_t k;  // knot at the start of the interval
    double a, b, h; // weights of knots k and k+1, interval length
};

Interval Locate(const std::vector<double>& s, double at) {
    const auto it = std::upper_bound(s.begin() + 1, s.end() - 1, at);
    const std::size_t k = static_cast<std::size_t>(it - s.begin()) - 1;
    const double h = s[k + 1] - s[k];
    const double b = (at - s[k]) / h;
    return {k, 1 - b, b, h};
}

double Value(const Interval& i, const std::vector<double>& v, const std::vector<double>& m) {
    return i.a * v[i.k] + i.b * v[i.k + 1] +
           ((i.a * i.a * i.a - i.a) * m[i.k] + (i.b * i.b * i.b - i.b) * m[i.k + 1]) * i.h * i.h /
               6;
}

double Derivative(const Interval& i, const std::vector<double>& v, const std::vector<double>& m) {
    return (v[i.k + 1] - v[i.k]) / i.h +
           (-(3 * i.a * i.a - 1) * m[i.k] + (3 * i.b * i.b - 1) * m[i.k + 1]) * i.h / 6;
}

} // namespace

Vec2 ContourSpline::At(double s) const {
    const Interval i = Locate(s_, s);
    return {Value(i, x_, mx_), Value(i, y_, my_)};
}

Vec2 ContourSpline::Slope(double s) const {
    const Interval i = Locate(s_, s);
    return {Derivative(i, x_, mx_), Derivative(i, y_, my_)};
}

} // namespace zarnfoil::solver
