// Gaussian elimination by rows, so the inner loops run along contiguous memory.
#include "solver/lu_solve.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zarnfoil::solver {

bool LuFactors::Factor(std::vector<double> matrix, std::size_t n) {
    lu_ = std::move(matrix);
    n_ = n;
    pivot_.assign(n, 0);
    double largest = 0;
    for (double v : lu_) largest = std::max(largest, std::abs(v));
    if (!(largest > 0) || !std::isfinite(largest)) return false;

    for (std::size_t k = 0; k < n; ++k) {
        std::size_t p = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (std::abs(lu_[i * n + k]) > std::abs(lu_[p * n + k])) p = i;
        // A pivot this small means two equations say the same: coincident nodes.
        if (!(std::abs(lu_[p * n + k]) > 1e-13 * largest)) return false;
        pivot_[k] = p;
        if (p != k) std::swap_ranges(&lu_[k * n], &lu_[k * n] + n, &lu_[p * n]);
        const double* rowK = &lu_[k * n];
        const double inverse = 1 / rowK[k];
        for (std::size_t i = k + 1; i < n; ++i) {
            double* rowI = &lu_[i * n];
            const double factor = rowI[k] * inverse;
            rowI[k] = factor;
            if (factor == 0) continue;
            for (std::size_t j = k + 1; j < n; ++j) rowI[j] -= factor * rowK[j];
        }
    }
    return true;
}

void LuFactors::Solve(std::span<double> rhs) const {
    // Whole rows were exchanged while factoring, so the exchanges come first, then L y = P b.
    for (std::size_t k = 0; k < n_; ++k) std::swap(rhs[k], rhs[pivot_[k]]);
    for (std::size_t i = 1; i < n_; ++i) {
        double sum = rhs[i];
        for (std::size_t j = 0; j < i; ++j) sum -= lu_[i * n_ + j] * rhs[j];
        rhs[i] = sum;
    }
    // U x = y
    for (std::size_t k = n_; k-- > 0;) {
        double sum = rhs[k];
        for (std::size_t j = k + 1; j < n_; ++j) sum -= lu_[k * n_ + j] * rhs[j];
        rhs[k] = sum / lu_[k * n_ + k];
    }
}

} // namespace zarnfoil::solver
