// A Karman-Trefftz section built from its conformal map of a circle, with its exact
// incompressible lift and surface pressure, normalised as KALTO expects its contour.
#pragma once

#include <complex>
#include <vector>

namespace zarnfoil::solver::test {

class KarmanTrefftz {
  public:
    // Circle centre (-thickness, camber) through the trailing-edge point 1 of the circle plane;
    // trailing-edge angle in degrees.
    KarmanTrefftz(double thickness, double camber, double trailingEdgeAngle);

    // count + 1 contour points (the first and last both the trailing edge), normalised: from
    // the trailing edge over the upper surface to the leading edge at the origin and back.
    void Contour(int count, std::vector<float>& x, std::vector<float>& y) const;

    // Exact answers at an angle of attack (degrees) measured from the chord.
    double Lift(double alphaDegrees) const;
    // Cp at the point of the upper (or lower) surface with normalised abscissa x.
    double PressureAt(double x, bool upper, double alphaDegrees) const;

  private:
    std::complex<double> Map(double theta) const;          // circle angle to normalised section
    double Speed(double theta, double alphaDegrees) const; // over the free-stream speed

    std::complex<double> centre_;
    double radius_, exponent_, tailAngle_; // tailAngle_: circle angle of the trailing edge
    double leadingAngle_ = 0;              // circle angle of the leading edge
    std::complex<double> leadingEdge_, trailingEdge_;
    double chord_ = 1, chordAngle_ = 0;
};

} // namespace zarnfoil::solver::test
