// The map (z - n)/(z + n) = ((zeta - 1)/(zeta + 1))^n of the circle through zeta = 1, and the
// flow round that circle with the circulation that puts the rear stagnation point there.
#include "karman_trefftz.h"

#include <cmath>
#include <numbers>

namespace zarnfoil::solver::test {

namespace {
constexpr double pi = std::numbers::pi;
using Complex = std::complex<double>;

Complex RawMap(Complex zeta, double n) {
    const Complex w = std::pow((zeta - 1.0) / (zeta + 1.0), n);
    return n * (1.0 + w) / (1.0 - w);
}
} // namespace

KarmanTrefftz::KarmanTrefftz(double thickness, double camber, double trailingEdgeAngle)
    : centre_(-thickness, camber), radius_(std::abs(1.0 - centre_)),
      exponent_(2 - trailingEdgeAngle / 180), tailAngle_(std::arg(1.0 - centre_)) {
    trailingEdge_ = exponent_; // zeta = 1 maps to z = n
    // The leading edge is the point farthest from the trailing edge: a fine scan, then golden
    // section.
    const auto distance = [&](double theta) {
        return std::abs(RawMap(centre_ + radius_ * std::polar(1.0, theta), exponent_) -
                        trailingEdge_);
    };
    double best = tailAngle_ + pi;
    for (int k = 1; k < 4000; ++k) {
        const double theta = tailAngle_ + 2 * pi * k / 4000;
        if (distance(theta) > distance(best)) best = theta;
    }
    double lo = best - 2 * pi / 4000, hi = best + 2 * pi / 4000;
    for (int k = 0; k < 200; ++k) {
        const double a = lo + (hi - lo) * 0.381966;
        const double b = hi - (hi - lo) * 0.381966;
        if (distance(a) > distance(b))
            hi = b;
        else
            lo = a;
    }
    leadingAngle_ = 0.5 * (lo + hi);
    leadingEdge_ = RawMap(centre_ + radius_ * std::polar(1.0, leadingAngle_), exponent_);
    chord_ = std::abs(trailingEdge_ - leadingEdge_);
    chordAngle_ = std::arg(trailingEdge_ - leadingEdge_);
}

Complex KarmanTrefftz::Map(double theta) const {
    const Complex z = RawMap(centre_ + radius_ * std::polar(1.0, theta), exponent_);
    return (z - leadingEdge_) * std::polar(1.0 / chord_, -chordAngle_);
}

void KarmanTrefftz::Contour(int count, std::vector<float>& x, std::vector<float>& y) const {
    x.clear();
    y.clear();
    for (int k = 0; k <= count; ++k) {
        const Complex z =
            k == 0 || k == count ? Complex(1, 0) : Map(tailAngle_ + 2 * pi * k / count);
        x.push_back(static_cast<float>(z.real()));
        y.push_back(static_cast<float>(z.imag()));
    }
}

double KarmanTrefftz::Lift(double alphaDegrees) const {
    // Kutta-Joukowski: CL = 2 Gamma / (V c), Gamma = 4 pi V R sin(alpha + beta); the map keeps
    // the free stream, and the chord is turned by chordAngle_ from the map's axis.
    const double alpha = alphaDegrees * pi / 180 + chordAngle_;
    return 8 * pi * radius_ * std::sin(alpha - tailAngle_) / chord_;
}

double KarmanTrefftz::Speed(double theta, double alphaDegrees) const {
    const double alpha = alphaDegrees * pi / 180 + chordAngle_;
    const Complex zeta = centre_ + radius_ * std::polar(1.0, theta);
    // Complex velocity round the circle with the rear stagnation point at zeta = 1.
    const double gamma = 4 * pi * radius_ * std::sin(alpha - tailAngle_);
    const Complex r = zeta - centre_;
    const Complex circle = std::polar(1.0, -alpha) -
                           radius_ * radius_ * std::polar(1.0, alpha) / (r * r) +
                           Complex(0, gamma / (2 * pi)) / r;
    const double n = exponent_;
    const Complex w = std::pow((zeta - 1.0) / (zeta + 1.0), n);
    const Complex dzdzeta = 4 * n * n * w / ((1.0 - w) * (1.0 - w) * (zeta * zeta - 1.0));
    return std::abs(circle / dzdzeta);
}

double KarmanTrefftz::PressureAt(double x, bool upper, double alphaDegrees) const {
    // x falls monotonically from the trailing edge to the leading edge on the upper surface and
    // rises again on the lower one.
    double lo = upper ? tailAngle_ : leadingAngle_;
    double hi = upper ? leadingAngle_ : tailAngle_ + 2 * pi;
    for (int k = 0; k < 200; ++k) {
        const double mid = 0.5 * (lo + hi);
        const bool pastX = Map(mid).real() > x;
        (upper == pastX ? lo : hi) = mid;
    }
    const double q = Speed(0.5 * (lo + hi), alphaDegrees);
    return 1 - q * q;
}

} // namespace zarnfoil::solver::test
