// Dense LU factorisation with partial pivoting, factored once and solved for several right-hand
// sides.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace zarnfoil::solver {

class LuFactors {
  public:
    // Factors the n x n row-major matrix; false when it is singular to working precision.
    bool Factor(std::vector<double> matrix, std::size_t n);
    // Overwrites rhs (n values) with the solution.
    void Solve(std::span<double> rhs) const;

  private:
    std::vector<double> lu_;
    std::vector<std::size_t> pivot_;
    std::size_t n_ = 0;
};

} // namespace zarnfoil::solver
