// Gaussian elimination in blocks of columns: a block is factored, then the rest of the matrix
// is updated by all its columns at once while each row is in cache, which roughly halves the
// time of the panel system. The updates run in the same order as plain elimination.
#include "solver/lu_solve.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zarnfoil::solver {

namespace {
constexpr std::size_t kBlock = 8;
} // namespace

bool LuFactors::Factor(std::vector<double> matrix, std::size_t n) {
    lu_ = std::move(matrix);
    n_ = n;
    pivot_.assign(n, 0);
    double largest = 0;
    for (double v : lu_)
        largest = std::max(largest, std::abs(v));
    if (!(largest > 0) || !std::isfinite(largest)) return false;
    double* a = lu_.data();

    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t last = std::min(first + kBlock, n); // block columns first..last-1
        for (std::size_t k = first; k < last; ++k) {
            std::size_t p = k;
            for (std::size_t i = k + 1; i < n; ++i)
                if (std::abs(a[i * n + k]) > std::abs(a[p * n + k])) p = i;
            // A pivot this small means two equations say the same: coincident nodes.
            if (!(std::abs(a[p * n + k]) > 1e-13 * largest)) return false;
            pivot_[k] = p;
            if (p != k) std::swap_ranges(a + k * n, a + k * n + n, a + p * n);
            const double* rowK = a + k * n;
            const double inverse = 1 / rowK[k];
            for (std::size_t i = k + 1; i < n; ++i) {
                double* rowI = a + i * n;
                const double factor = rowI[k] * inverse;
                rowI[k] = factor;
                for (std::size_t j = k + 1; j < last; ++j)
                    rowI[j] -= factor * rowK[j];
            }
        }
        // Right of the block, every row has yet to take the block's columns (so that the row
        // exchanges above moved rows in one state): first the block's own rows, in order...
        for (std::size_t i = first + 1; i < last; ++i) {
            double* rowI = a + i * n;
            for (std::size_t k = first; k < i; ++k) {
                const double factor = rowI[k];
                const double* rowK = a + k * n;
                for (std::size_t j = last; j < n; ++j)
                    rowI[j] -= factor * rowK[j];
            }
        }
        // ... then the rows below, all block columns at once while the row is in cache.
        for (std::size_t i = last; i < n; ++i) {
            double* rowI = a + i * n;
            for (std::size_t k = first; k < last; ++k) {
                const double factor = rowI[k];
                const double* rowK = a + k * n;
                for (std::size_t j = last; j < n; ++j)
                    rowI[j] -= factor * rowK[j];
            }
        }
    }
    return true;
}

void LuFactors::Solve(std::span<double> rhs) const {
    // Whole rows were exchanged while factoring, so the exchanges come first, then L y = P b.
    for (std::size_t k = 0; k < n_; ++k)
        std::swap(rhs[k], rhs[pivot_[k]]);
    for (std::size_t i = 1; i < n_; ++i) {
        double sum = rhs[i];
        for (std::size_t j = 0; j < i; ++j)
            sum -= lu_[i * n_ + j] * rhs[j];
        rhs[i] = sum;
    }
    // U x = y
    for (std::size_t k = n_; k-- > 0;) {
        double sum = rhs[k];
        for (std::size_t j = k + 1; j < n_; ++j)
            sum -= lu_[k * n_ + j] * rhs[j];
        rhs[k] = sum / lu_[k * n_ + k];
    }
}

} // namespace zarnfoil::solver
