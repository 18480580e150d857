// The incompressible flow round the unit circle in the grid's coordinates w = eta + i theta
// (theta from the ray through the trailing edge): the free stream with its doublet and the
// vortex of the circulation. The full-potential solution carries it exactly and leaves the grid
// only what compressibility adds.
#pragma once

#include <cmath>
#include <complex>
#include <numbers>

namespace zarnfoil::solver {

class CircleFlow {
  public:
    // amplitude 2 |a1| (a1 the section map's scale), angle of attack in the circle plane
    // (alpha - arg a1), circulation positive for lift.
    CircleFlow(double amplitude, double angle, double circulation)
        : amplitude_(amplitude), angle_(angle), circulation_(circulation),
          stream_(std::polar(1.0, -angle)) {}

    double Amplitude() const { return amplitude_; }
    double Angle() const { return angle_; }
    double Circulation() const { return circulation_; }

    // phi = amplitude cosh(eta) cos(theta - angle) - circulation theta / (2 pi), theta in
    // 0 .. 2 pi: phi drops by the circulation once round, across the cut behind the trailing
    // edge.
    // The point is given by theta, ray = exp(i theta) and cosh or sinh of its eta, which the
    // grid keeps ready.
    double Potential(double coshEta, std::complex<double> ray, double theta) const {
        return amplitude_ * coshEta * (ray * stream_).real() -
               circulation_ * theta / (2 * std::numbers::pi);
    }
    // d phi / d theta and d phi / d eta.
    double AlongRing(double coshEta, std::complex<double> ray) const {
        return -amplitude_ * coshEta * (ray * stream_).imag() -
               circulation_ / (2 * std::numbers::pi);
    }
    double AcrossRings(double sinhEta, std::complex<double> ray) const {
        return amplitude_ * sinhEta * (ray * stream_).real();
    }

  private:
    double amplitude_, angle_, circulation_;
    std::complex<double> stream_; // exp(-i angle)
};

} // namespace zarnfoil::solver
