// (a - F E)(a B - L) C = a w R, with L the ring part of the flux operator, E the coefficients
// between rings, F and B the forward and backward differences along a ray, a the local
// parameter. Multiplied out the left side is a (a B - L - F E B) C plus (F E L) C: the full
// operator, a time-like term a B and a factorisation error that shrinks as a grows; cycling a
// over a range damps errors of every wavelength.
#include "solver/af2_relaxation.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::solver {

namespace {

// Solves lower(i) x(i-1) + diag(i) x(i) + upper(i) x(i+1) = rhs(i), indices taken round the
// ring, by the Sherman-Morrison correction of the open tridiagonal solve; diag is overwritten,
// u and c are work space. The system is diagonally dominant, so no pivoting is needed.
void SolveRing(const std::vector<double>& lower, std::vector<double>& diag,
               const std::vector<double>& upper, std::vector<double>& rhs, std::vector<double>& u,
               std::vector<double>& c) {
    const std::size_t n = rhs.size();
    // A = T + u v^T with u = (g, 0, .., 0, upper[n-1]), v = (1, 0, .., 0, lower[0] / g).
    const double g = -diag[0];
    diag[0] -= g;
    diag[n - 1] -= upper[n - 1] * lower[0] / g;
    u.assign(n, 0.0);
    c.resize(n);
    u[0] = g;
    u[n - 1] = upper[n - 1];
    // Forward elimination shared by both right-hand sides.
    c[0] = upper[0] / diag[0];
    rhs[0] /= diag[0];
    u[0] /= diag[0];
    for (std::size_t i = 1; i < n; ++i) {
        const double m = diag[i] - lower[i] * c[i - 1];
        c[i] = upper[i] / m;
        rhs[i] = (rhs[i] - lower[i] * rhs[i - 1]) / m;
        u[i] = (u[i] - lower[i] * u[i - 1]) / m;
    }
    for (std::size_t i = n - 1; i-- > 0;) {
        rhs[i] -= c[i] * rhs[i + 1];
        u[i] -= c[i] * u[i + 1];
    }
    const double vy = rhs[0] + lower[0] / g * rhs[n - 1];
    const double vq = u[0] + lower[0] / g * u[n - 1];
    const double factor = vy / (1 + vq);
    for (std::size_t i = 0; i < n; ++i)
        rhs[i] -= factor * u[i];
}

} // namespace

void Af2Correction(const OGrid& grid, const FluxBalance& balance, double alpha, double omega,
                   double upstream, Af2Work& work, std::vector<double>& correction) {
    const int n = grid.around;
    const int rings = grid.rings;
    correction.assign(balance.residual.size(), 0.0);
    std::vector<double>& local = work.local;
    local.resize(static_cast<std::size_t>(rings));
    for (int j = 0; j + 1 < rings; ++j)
        local[static_cast<std::size_t>(j)] =
            alpha * grid.dTheta /
            (grid.eta[static_cast<std::size_t>(j + 1)] - grid.eta[static_cast<std::size_t>(j)]);

    // First factor, each ray from the far boundary in:
    // a f(j) - (E(j+1/2) (f(j+1)) - E(j-1/2) f(j)) = a w R(j), f beyond the last ring 0.
    std::vector<double>& f = correction;
    for (int i = 0; i < n; ++i) {
        double outer = 0;
        for (int j = rings - 2; j >= 0; --j) {
            const std::size_t k = grid.At(i, j);
            const double a = local[static_cast<std::size_t>(j)];
            const double below = j > 0 ? balance.eta[grid.At(i, j - 1)] : 0.0;
            f[k] = (a * omega * balance.residual[k] + balance.eta[k] * outer) / (a + below);
            outer = f[k];
        }
    }
    // Second factor, each ring from the wall out:
    // a (C(j) - C(j-1)) - (T(i+1/2) (C(i+1) - C(i)) - T(i-1/2) (C(i) - C(i-1))) = f(j),
    // with C(-1) = 0 at the wall (no flux through it, so the ray difference has no term there).
    std::vector<double>&lower = work.lower, &diag = work.diag, &upper = work.upper, &rhs = work.rhs;
    for (std::vector<double>* v : {&lower, &diag, &upper, &rhs})
        v->resize(static_cast<std::size_t>(n));
    for (int j = 0; j + 1 < rings; ++j) {
        const double a = local[static_cast<std::size_t>(j)];
        for (int i = 0; i < n; ++i) {
            const std::size_t at = static_cast<std::size_t>(i);
            const std::size_t k = grid.At(i, j);
            const double tLeft = balance.theta[grid.At(i > 0 ? i - 1 : n - 1, j)];
            const double tRight = balance.theta[k];
            // At a supersonic node an upstream difference b (C(i) - C(i-+1)) joins the ring
            // operator, as the residual's own biased density has it.
            const double b = upstream * balance.upwind[k];
            lower[at] = -tLeft - std::max(b, 0.0);
            upper[at] = -tRight + std::min(b, 0.0);
            diag[at] = a + tLeft + tRight + std::abs(b);
            rhs[at] = f[k] + (j > 0 ? a * correction[grid.At(i, j - 1)] : 0.0);
        }
        SolveRing(lower, diag, upper, rhs, work.u, work.c);
        for (int i = 0; i < n; ++i)
            correction[grid.At(i, j)] = rhs[static_cast<std::size_t>(i)];
    }
}

} // namespace zarnfoil::solver
