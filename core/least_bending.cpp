// Least-bending-energy contour within the bands, in double precision.
//
// With the knots (the points held at a value) fixed, the least-energy contour is the spline
// through them. A knot held at its upper edge truly holds the spline down when the third
// derivative of the spline drops across it (its moment lies above the chord of its neighbours'
// moments); at its lower edge when it rises. That jump is the knot's Lagrange multiplier, and
// it changes linearly with the value at which another knot is held.
#include "core/least_bending.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zarnfoil {
namespace {

constexpr float EPS = 1e-6f;       // a weight up to this pins its point
constexpr double kOutside = 1e-9;  // a point this far outside its band is inside it
constexpr int kStepsPerPoint = 20; // step cap: kStepsPerPoint * N
// A knot released this often stays a knot, which bounds the steps (each point is held at most
// kMostReleases + 1 times) below the cap: with end values far off the contour (a trailing-edge
// spacing of 1e-6 gives end moments of millions) the multipliers lose the digits that decide
// their sign, and the method could take back and release the same points for ever. Sections
// met in practice release a point a few times at most.
constexpr int kMostReleases = 8;

struct Knot {
    int point;
    double y;
    int edge; // 0: pinned by its weight; +1: held at its upper edge; -1: at its lower edge
};

// Work arrays of the tridiagonal solution, kept between solutions.
struct Tridiagonal {
    std::vector<double> h, lambda, mu, rhs, diag, g, z;
    void Size(std::size_t n) {
        for (auto* v : {&h, &lambda, &mu, &rhs, &diag, &g, &z})
            v->resize(n);
    }
};

// Moments of the spline through the knots: the tridiagonal system of the spline routine, with
// the end values `end1`, `end2` of the kind `kind`.
void Moments(const std::vector<Knot>& knots, const std::vector<double>& y, const PointArray& T,
             double end1, double end2, int kind, Tridiagonal& work, std::vector<double>& M) {
    const std::size_t n = knots.size();
    work.Size(n);
    auto &h = work.h, &lambda = work.lambda, &mu = work.mu, &rhs = work.rhs, &diag = work.diag,
         &g = work.g, &z = work.z;
    const auto t = [&](std::size_t k) { return static_cast<double>(T(knots[k].point)); };
    for (std::size_t k = 1; k < n; ++k)
        h[k] = t(k) - t(k - 1);
    if (kind == 1) {
        // 2*M1 + M2 = 6/h * ((y2-y1)/h - y'1); MN-1 + 2*MN = 6/h * (y'N - (yN-yN-1)/h)
        lambda[0] = 1;
        rhs[0] = 6 / h[1] * ((y[1] - y[0]) / h[1] - end1);
        mu[n - 1] = 1;
        rhs[n - 1] = 6 / h[n - 1] * (end2 - (y[n - 1] - y[n - 2]) / h[n - 1]);
    } else {
        // 2*M1 = 2*y''1 and 2*MN = 2*y''N
        lambda[0] = 0;
        rhs[0] = 2 * end1;
        mu[n - 1] = 0;
        rhs[n - 1] = 2 * end2;
    }
    // mu*M(k-1) + 2*M(k) + lambda*M(k+1) = 6 * (second divided difference)
    for (std::size_t k = 1; k + 1 < n; ++k) {
        lambda[k] = h[k + 1] / (h[k] + h[k + 1]);
        mu[k] = 1 - lambda[k];
        rhs[k] = 6 * ((y[k + 1] - y[k]) / h[k + 1] - (y[k] - y[k - 1]) / h[k]) / (h[k] + h[k + 1]);
    }
    diag[0] = 2;
    z[0] = rhs[0] / 2;
    for (std::size_t k = 1; k < n; ++k) {
        g[k - 1] = -lambda[k - 1] / diag[k - 1];
        diag[k] = mu[k] * g[k - 1] + 2;
        z[k] = (rhs[k] - mu[k] * z[k - 1]) / diag[k];
    }
    M.resize(n);
    M[n - 1] = z[n - 1];
    for (std::size_t k = n - 1; k-- > 0;)
        M[k] = g[k] * M[k + 1] + z[k];
}

// Change of the third derivative across knot k (k not first or last).
double Jump(const std::vector<Knot>& knots, const std::vector<double>& M, const PointArray& T,
            std::size_t k) {
    const double t0 = T(knots[k - 1].point), t1 = T(knots[k].point), t2 = T(knots[k + 1].point);
    return (M[k + 1] - M[k]) / (t2 - t1) - (M[k] - M[k - 1]) / (t1 - t0);
}

class Solver {
  public:
    Solver(int N, const PointArray& T, const PointArray& YP, const PointArray& DP,
           const SplineEnds& ends)
        : N_(N), T_(T), YP_(YP), ends_(ends), low_(static_cast<std::size_t>(N) + 1),
          high_(static_cast<std::size_t>(N) + 1), releases_(static_cast<std::size_t>(N) + 1) {
        for (int i = 1; i <= N; ++i) {
            // the same float band edges as the band smoothing's; a point pinned by its weight
            // (a negative weight too) has no band but its ordinate
            const auto k = static_cast<std::size_t>(i);
            const bool pinned = DP(i) <= EPS;
            low_[k] = pinned ? YP(i) : YP(i) - DP(i);
            high_[k] = pinned ? YP(i) : YP(i) + DP(i);
            if (pinned) knots_.push_back({i, YP(i), 0});
        }
    }

    LeastBendingOutcome Solve(PointArray& Y) {
        LeastBendingOutcome outcome;
        if (knots_.size() < 2 || knots_.front().point != 1 || knots_.back().point != N_ ||
            knots_.front().edge != 0 || knots_.back().edge != 0)
            return outcome;
        const int cap = kStepsPerPoint * N_;
        std::vector<double> S;
        for (;;) {
            Evaluate(S);
            const int p = MostOutside(S);
            if (p == 0) break;
            if (!HoldAtEdge(p, S[static_cast<std::size_t>(p)], outcome.steps, cap)) return outcome;
        }
        for (int i = 1; i <= N_; ++i) {
            const auto k = static_cast<std::size_t>(i);
            Y(i) = static_cast<float>(std::clamp(S[k], low_[k], high_[k]));
        }
        for (const Knot& knot : knots_)
            if (knot.edge == 0) Y(knot.point) = YP_(knot.point);
        outcome.solved = true;
        return outcome;
    }

  private:
    // The knots' values, in values_.
    const std::vector<double>& Values() {
        values_.resize(knots_.size());
        for (std::size_t k = 0; k < knots_.size(); ++k)
            values_[k] = knots_[k].y;
        return values_;
    }
    void Fit(const std::vector<double>& y, double end1, double end2, std::vector<double>& M) {
        Moments(knots_, y, T_, end1, end2, ends_.IBC, work_, M);
    }

    // The least-energy contour for the current knots at every point (S[i], 1-based).
    void Evaluate(std::vector<double>& S) {
        const std::vector<double>& y = Values();
        std::vector<double>& M = moments_;
        Fit(y, ends_.BC1, ends_.BC2, M);
        S.assign(static_cast<std::size_t>(N_) + 1, 0.0);
        for (std::size_t k = 0; k + 1 < knots_.size(); ++k) {
            const double t0 = T_(knots_[k].point), t1 = T_(knots_[k + 1].point), h = t1 - t0;
            for (int i = knots_[k].point; i <= knots_[k + 1].point; ++i) {
                const double a = t1 - T_(i), b = T_(i) - t0;
                S[static_cast<std::size_t>(i)] =
                    (M[k] * a * a * a + M[k + 1] * b * b * b) / (6 * h) +
                    (y[k] - M[k] * h * h / 6) * a / h + (y[k + 1] - M[k + 1] * h * h / 6) * b / h;
            }
        }
        for (const Knot& knot : knots_)
            S[static_cast<std::size_t>(knot.point)] = knot.y;
    }

    // The point farthest outside its band, 0 when every point is inside.
    int MostOutside(const std::vector<double>& S) const {
        int worst = 0;
        double worstBy = kOutside;
        for (int i = 1; i <= N_; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const double by = std::max(S[k] - high_[k], low_[k] - S[k]);
            if (by > worstBy) worst = i, worstBy = by;
        }
        return worst;
    }

    // Moves point p from its value v on the current contour to its violated edge, releasing
    // every knot whose multiplier would change sign on the way, at the moment it does.
    bool HoldAtEdge(int p, double v, int& steps, int cap) {
        const int edge = v > high_[static_cast<std::size_t>(p)] ? 1 : -1;
        const double target =
            edge > 0 ? high_[static_cast<std::size_t>(p)] : low_[static_cast<std::size_t>(p)];
        auto at = std::lower_bound(knots_.begin(), knots_.end(), p,
                                   [](const Knot& k, int i) { return k.point < i; });
        const auto inserted = knots_.insert(at, {p, v, edge});
        std::size_t pos = static_cast<std::size_t>(inserted - knots_.begin());
        std::vector<double>&M = moments_, &C = unitMoments_;
        for (;;) {
            if (++steps > cap) return false;
            Fit(Values(), ends_.BC1, ends_.BC2, M);
            // the spline that is 1 at p and 0 at every other knot, with zero end values: how the
            // moments change per unit of p's value
            unit_.assign(knots_.size(), 0.0);
            unit_[pos] = 1;
            Fit(unit_, 0, 0, C);
            const double move = target - knots_[pos].y;
            double reach = 1;
            std::size_t blocking = 0;
            for (std::size_t k = 1; k + 1 < knots_.size(); ++k) {
                if (k == pos || knots_[k].edge == 0 ||
                    releases_[static_cast<std::size_t>(knots_[k].point)] >= kMostReleases)
                    continue;
                const double holds = -knots_[k].edge * Jump(knots_, M, T_, k);
                const double change = -knots_[k].edge * Jump(knots_, C, T_, k) * move;
                if (change >= 0) continue;
                const double r = std::max(holds, 0.0) / -change;
                if (r < reach) reach = r, blocking = k;
            }
            if (blocking == 0) {
                knots_[pos].y = target;
                return true;
            }
            knots_[pos].y += reach * move;
            ++releases_[static_cast<std::size_t>(knots_[blocking].point)];
            knots_.erase(knots_.begin() + static_cast<std::ptrdiff_t>(blocking));
            if (blocking < pos) --pos;
        }
    }

    int N_;
    const PointArray &T_, &YP_;
    SplineEnds ends_;
    std::vector<double> low_, high_;
    std::vector<int> releases_; // how often each point was released
    std::vector<Knot> knots_;   // in increasing T, the first and the last pinned by weight
    Tridiagonal work_;
    std::vector<double> values_, unit_, moments_, unitMoments_;
};

} // namespace

LeastBendingOutcome LeastBendingContour(int N, const PointArray& T, const PointArray& YP,
                                        const PointArray& DP, const SplineEnds& ends,
                                        PointArray& Y) {
    return Solver(N, T, YP, DP, ends).Solve(Y);
}

} // namespace zarnfoil
