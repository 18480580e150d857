// A Karman-Trefftz section, the image of a circle through zeta = 1 under
// (z - n)/(z + n) = ((zeta - 1)/(zeta + 1))^n, with its exact incompressible lift and surface
// pressure, normalised as KALTO expects its contour.
#pragma once

#include <complex>
#include <numbers>
#include <utility>
#include <vector>

namespace zarnfoil::solver::test {

class KarmanTrefftz {
  public:
    using Complex = std::complex<double>;

    // Circle centre (-thickness, camber); trailing-edge angle in degrees.
    KarmanTrefftz(double thickness, double camber, double trailingEdgeAngle)
        : centre_(-thickness, camber), radius_(std::abs(1.0 - centre_)),
          exponent_(2 - trailingEdgeAngle / 180), tailAngle_(std::arg(1.0 - centre_)) {
        // The leading edge is the point farthest from the trailing edge (zeta = 1 maps to
        // z = n): scans ever finer round the best angle so far.
        const auto distance = [&](double theta) { return std::abs(Raw(theta) - exponent_); };
        leadingAngle_ = tailAngle_ + pi;
        for (double span = 2 * pi; span > 1e-12; span /= 500) {
            const double from = leadingAngle_ - span / 2;
            for (int k = 0; k <= 1000; ++k)
                if (distance(from + span * k / 1000) > distance(leadingAngle_))
                    leadingAngle_ = from + span * k / 1000;
        }
        leadingEdge_ = Raw(leadingAngle_);
        chord_ = std::abs(exponent_ - leadingEdge_);
        chordAngle_ = std::arg(exponent_ - leadingEdge_);
    }

    // count + 1 points from the trailing edge over the upper surface to the leading edge at the
    // origin and back; the first and last are both the trailing edge (1, 0).
    std::pair<std::vector<float>, std::vector<float>> Contour(int count) const {
        std::pair<std::vector<float>, std::vector<float>> xy;
        for (int k = 0; k <= count; ++k) {
            const Complex z = k == 0 || k == count ? 1.0 : Map(tailAngle_ + 2 * pi * k / count);
            xy.first.push_back(static_cast<float>(z.real()));
            xy.second.push_back(static_cast<float>(z.imag()));
        }
        return xy;
    }

    // Kutta-Joukowski, CL = 2 Gamma / (V c) with Gamma = 4 pi V R sin(alpha + beta); the map
    // keeps the free stream, and the chord is turned from the map's axis.
    double Lift(double alphaDegrees) const {
        return 8 * pi * radius_ * std::sin(Alpha(alphaDegrees) - tailAngle_) / chord_;
    }

    // Cp at the point of the upper (or lower) surface with normalised abscissa x: x falls
    // monotonically from the trailing edge to the leading edge on the upper surface.
    double PressureAt(double x, bool upper, double alphaDegrees) const {
        double lo = upper ? tailAngle_ : leadingAngle_;
        double hi = upper ? leadingAngle_ : tailAngle_ + 2 * pi;
        for (int k = 0; k < 200; ++k) {
            const double mid = 0.5 * (lo + hi);
            (upper == (Map(mid).real() > x) ? lo : hi) = mid;
        }
        // Flow round the circle with the rear stagnation point at zeta = 1, over dz/dzeta.
        const double alpha = Alpha(alphaDegrees), n = exponent_;
        const Complex r = radius_ * std::polar(1.0, 0.5 * (lo + hi)), zeta = centre_ + r;
        const double gamma = 4 * pi * radius_ * std::sin(alpha - tailAngle_);
        const Complex circle = std::polar(1.0, -alpha) -
                               radius_ * radius_ * std::polar(1.0, alpha) / (r * r) +
                               Complex(0, gamma / (2 * pi)) / r;
        const Complex w = std::pow((zeta - 1.0) / (zeta + 1.0), n);
        const Complex slope = 4 * n * n * w / ((1.0 - w) * (1.0 - w) * (zeta * zeta - 1.0));
        return 1 - std::norm(circle / slope);
    }

  private:
    static constexpr double pi = std::numbers::pi;

    Complex Raw(double theta) const {
        const Complex zeta = centre_ + radius_ * std::polar(1.0, theta);
        const Complex w = std::pow((zeta - 1.0) / (zeta + 1.0), exponent_);
        return exponent_ * (1.0 + w) / (1.0 - w);
    }
    Complex Map(double theta) const {
        return (Raw(theta) - leadingEdge_) * std::polar(1.0 / chord_, -chordAngle_);
    }
    double Alpha(double alphaDegrees) const { return alphaDegrees * pi / 180 + chordAngle_; }

    Complex centre_;
    double radius_, exponent_, tailAngle_; // tailAngle_: circle angle of the trailing edge
    double leadingAngle_ = 0, chord_ = 1, chordAngle_ = 0;
    Complex leadingEdge_;
};

} // namespace zarnfoil::solver::test
