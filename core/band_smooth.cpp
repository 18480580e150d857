// Band smoothing by an active-set iteration over the knots of an interpolating spline.
#include "core/band_smooth.h"

#include "core/spline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zarnfoil {
namespace {

constexpr float EPS = 1e-6f;
constexpr float TOL = 0.01f * EPS;

struct Knots {
    int KN = 0;
    PointArray TK, YK, MK;

    void Add(float t, float y) {
        ++KN;
        TK(KN) = t;
        YK(KN) = y;
    }
    void Fit(const SplineEnds& ends) {
        SplineMoments(ends.BC1, ends.BC2, 0.0, KN, TK, YK, MK, ends.IBC);
    }
};

// Knots and ordinates at the start of an iteration: the whole state the iteration works on.
struct IterationStart {
    int KN = 0;
    std::vector<float> TK, YK, Y0;

    void Take(const Knots& knots, const PointArray& Y0now, int N) {
        KN = knots.KN;
        TK.assign(knots.TK.data(), knots.TK.data() + KN);
        YK.assign(knots.YK.data(), knots.YK.data() + KN);
        Y0.assign(Y0now.data(), Y0now.data() + N);
    }
    bool Repeats(const Knots& knots, const PointArray& Y0now, int N) const {
        return KN == knots.KN && std::equal(TK.begin(), TK.end(), knots.TK.data()) &&
               std::equal(YK.begin(), YK.end(), knots.YK.data()) &&
               std::equal(Y0.begin(), Y0.end(), Y0now.data(), Y0now.data() + N);
    }
};

} // namespace

int BandSmooth(int N, const PointArray& T, const PointArray& YP, const PointArray& DP,
               PointArray& Y_SM, const SplineEnds& ends, SmoothingEnd end) {
    PointArray Y0, YLOW, YHIGH, E, ALPHA, S;
    Array1<int, kMaxPoints> FREE;
    Knots knots;

    for (int i = 1; i <= N; ++i) {
        Y0(i) = YP(i);
        Y_SM(i) = YP(i);
        YLOW(i) = YP(i) - DP(i);
        YHIGH(i) = YP(i) + DP(i);
        FREE(i) = 1;
        if (DP(i) <= EPS) {
            FREE(i) = 0;
            knots.Add(T(i), YP(i));
        }
    }
    // A spline needs two knots; with fewer pinned points there is nothing to smooth towards.
    if (knots.KN < 2) return 0;

    Knots fitted;
    IterationStart atStart;
    int ITER = 1;
    while (ITER <= 10 * N) {
        if (end == SmoothingEnd::kAtRepeatOrLimit) atStart.Take(knots, Y0, N);

        // 1. fit through the current knots
        knots.Fit(ends);
        ++ITER;
        float AMIN = 1.0f;

        // 2. largest common step towards the spline that keeps every free point in its band
        SplineSweep spline(knots.KN, knots.TK, knots.YK, knots.MK);
        for (int i = 1; i <= N; ++i) {
            E(i) = 0.0f;
            if (FREE(i) == 0) continue;
            S(i) = spline.Value(T(i));
            E(i) = S(i) - Y0(i);
            if (std::fabs(E(i)) < TOL) E(i) = 0.0f;
            if (E(i) < 0.0f)
                ALPHA(i) = (YLOW(i) - Y0(i)) / E(i);
            else if (E(i) == 0.0f)
                ALPHA(i) = 1.0f;
            else
                ALPHA(i) = (YHIGH(i) - Y0(i)) / E(i);
            if (ALPHA(i) < AMIN) AMIN = ALPHA(i);
        }

        // 3. step; points that reach their band edge (or lie on the spline) are pinned
        bool CHANGED = false;
        for (int i = 1; i <= N; ++i) {
            if (FREE(i) == 0) continue;
            Y_SM(i) = Y0(i) + AMIN * E(i);
            if (std::fabs(ALPHA(i) - AMIN) <= TOL) {
                FREE(i) = 0;
                CHANGED = true;
            }
        }
        // 4. a full step without new contact: done
        if (!CHANGED) break;

        // 5. knots through every pinned point
        fitted.KN = 0;
        for (int i = 1; i <= N; ++i) {
            Y0(i) = Y_SM(i);
            if (FREE(i) == 0) fitted.Add(T(i), Y_SM(i));
        }
        fitted.Fit(ends);

        // 6. release the knots whose moment no longer presses against their band edge
        knots.KN = 0;
        int KP = 0;
        for (int i = 1; i <= N; ++i) {
            if (FREE(i) != 0) continue;
            ++KP;
            bool keep = DP(i) < EPS;
            if (!keep && (KP == 1 || KP == fitted.KN)) {
                keep = true; // no neighbour knot on one side to compare the moment with
            } else if (!keep) {
                const auto& MK = fitted.MK;
                const auto& TK = fitted.TK;
                const float MINT = MK(KP - 1) + (MK(KP + 1) - MK(KP - 1)) /
                                                    (TK(KP + 1) - TK(KP - 1)) *
                                                    (TK(KP) - TK(KP - 1));
                keep = (MK(KP) > MINT && YHIGH(i) - Y0(i) <= EPS) ||
                       (MK(KP) < MINT && Y0(i) - YLOW(i) <= EPS);
            }
            if (keep)
                knots.Add(T(i), Y_SM(i));
            else
                FREE(i) = 1;
        }

        // An iteration that changed neither knots nor ordinates would repeat itself until the
        // iteration limit and end on these same ordinates.
        if (end == SmoothingEnd::kAtRepeatOrLimit && atStart.Repeats(knots, Y0, N)) break;
    }
    return ITER - 1;
}

} // namespace zarnfoil
