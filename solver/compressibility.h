// The Karman-Tsien compressibility correction of the pressure coefficient, with the limit past
// which it no longer describes a real flow.
#pragma once

namespace zarnfoil::solver {

struct CorrectedCp {
    double cp = 0;       // compressible Cp
    double slope = 0;    // d cp / d cpIncompressible
    bool inRange = true; // false: held at the vacuum Cp
};

class KarmanTsien {
  public:
    // 0 <= mach < 1.
    explicit KarmanTsien(double mach);

    // Cp = Cp_inc / (beta + M^2 / (1 + beta) * Cp_inc / 2). Past the pole of this formula, or
    // where it gives less than vacuum pressure, the vacuum Cp is returned and inRange is false.
    CorrectedCp Correct(double cpIncompressible) const;

  private:
    double beta_;     // sqrt(1 - M^2)
    double factor_;   // M^2 / (2 (1 + beta))
    double vacuumCp_; // -2 / (gamma M^2): the pressure falls to zero
    bool incompressible_;
};

} // namespace zarnfoil::solver
