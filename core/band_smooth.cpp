// Band smoothing by an active-set iteration over the knots of an interpolating spline.
//
// The iteration spends its time evaluating the knot spline at every free point, hundreds of
// times on a noisy section; the loops below take the spline's per-interval terms out of the
// point loop and keep every float operation of the plain evaluation in its order, so the
// ordinates are those of SplineEval bit for bit.
#include "core/band_smooth.h"

#include "core/least_bending.h"
#include "core/spline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace zarnfoil {
namespace {

constexpr float EPS = 1e-6f;
constexpr float TOL = 0.01f * EPS;

// Pinned points in increasing T: the knots of a spline, with its moments.
struct Knots {
    int KN = 0;
    Array1<int, kMaxPoints> point; // the point each knot sits on
    PointArray TK, YK, MK;

    void Add(int i, float t, float y) {
        ++KN;
        point(KN) = i;
        TK(KN) = t;
        YK(KN) = y;
    }
    void Fit(const SplineEnds& ends) {
        SplineMoments(ends.BC1, ends.BC2, 0.0, KN, TK, YK, MK, ends.IBC);
    }
    bool SamePoints(const std::vector<int>& points) const {
        return static_cast<int>(points.size()) == KN &&
               std::equal(points.begin(), points.end(), point.data());
    }
};

// One interval of the knot spline in the form SplineEval evaluates it, its terms that do not
// depend on the abscissa worked out once.
struct IntervalTerms {
    float x0, x1, h, m0, m1, c0, c1;

    IntervalTerms(const Knots& k, int j) {
        x0 = k.TK(j);
        x1 = k.TK(j + 1);
        h = x1 - x0;
        const float hh = h * h;
        m0 = k.MK(j);
        m1 = k.MK(j + 1);
        c0 = k.YK(j) - m0 * hh / 6.0f;
        c1 = k.YK(j + 1) - m1 * hh / 6.0f;
    }
    float Value(float x) const {
        const float a = x1 - x;
        const float b = x - x0;
        return ((m0 * a * a * a + m1 * b * b * b) / 6.0f + c0 * a + c1 * b) / h;
    }
};

// Work arrays of one call, stored from element 0 for point 1.
struct Work {
    std::array<float, kMaxPoints> Y0, YLOW, YHIGH, E, ALPHA;
    std::array<std::uint8_t, kMaxPoints> FREE;
};

// Four lanes of floats: each lane goes through exactly the float operations of one point in
// the plain loop, so the lanes give the plain loop's values bit for bit.
using Float4 = float __attribute__((vector_size(16)));
using Mask4 = std::int32_t __attribute__((vector_size(16)));

Float4 Load4(const float* p) {
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store4(float* p, Float4 v) {
    std::memcpy(p, &v, sizeof v);
}
Float4 Select(Mask4 mask, Float4 whenSet, Float4 otherwise) {
    return reinterpret_cast<Float4>((reinterpret_cast<Mask4>(whenSet) & mask) |
                                    (reinterpret_cast<Mask4>(otherwise) & ~mask));
}

// Deviation E of the spline from a point and the fraction ALPHA of it that keeps the point in
// its band (1 where the spline passes through the point).
template <class F> struct PointStep { F e, alpha; };

PointStep<float> StepOfPoint(const IntervalTerms& spline, float t, float y0, float ylow,
                             float yhigh) {
    float e = spline.Value(t) - y0;
    if (std::fabs(e) < TOL) e = 0.0f;
    if (e < 0.0f) return {e, (ylow - y0) / e};
    if (e == 0.0f) return {e, 1.0f};
    return {e, (yhigh - y0) / e};
}

PointStep<Float4> StepOfPoints(const IntervalTerms& spline, Float4 t, Float4 y0, Float4 ylow,
                               Float4 yhigh) {
    const Float4 a = spline.x1 - t;
    const Float4 b = t - spline.x0;
    const Float4 value =
        ((spline.m0 * a * a * a + spline.m1 * b * b * b) / 6.0f + spline.c0 * a + spline.c1 * b) /
        spline.h;
    Float4 e = value - y0;
    const Float4 size = reinterpret_cast<Float4>(reinterpret_cast<Mask4>(e) & 0x7fffffff);
    e = Select(size < TOL, Float4{}, e);
    const Mask4 onSpline = e == 0.0f;
    const Float4 edge = Select(e < 0.0f, ylow, yhigh);
    const Float4 alpha = (edge - y0) / Select(onSpline, Float4{} + 1.0f, e);
    return {e, Select(onSpline, Float4{} + 1.0f, alpha)};
}

// The first smallest fraction: what taking the smaller of each ALPHA in turn gives (of the
// equal zeros -0 and +0, the first stays).
float Smaller(float amin, float alpha) {
    return alpha < amin ? alpha : amin;
}

// Step 2 for the free points lo..hi (1-based) between two knots, all on one interval of the
// spline. Returns the smallest fraction, at most `amin`.
float StepFractions(const IntervalTerms& spline, int lo, int hi, const float* T, Work& w,
                    float amin) {
    const auto first = static_cast<std::size_t>(lo - 1);
    const auto end = static_cast<std::size_t>(hi);
    auto i = first;
    const float before = amin;
    Float4 smallest = Float4{} + amin;
    for (; i + 4 <= end; i += 4) {
        const auto step = StepOfPoints(spline, Load4(T + i), Load4(&w.Y0[i]), Load4(&w.YLOW[i]),
                                       Load4(&w.YHIGH[i]));
        Store4(&w.E[i], step.e);
        Store4(&w.ALPHA[i], step.alpha);
        smallest = Select(step.alpha < smallest, step.alpha, smallest);
    }
    for (int lane = 0; lane < 4; ++lane)
        amin = Smaller(amin, smallest[lane]);
    for (; i < end; ++i) {
        const auto step = StepOfPoint(spline, T[i], w.Y0[i], w.YLOW[i], w.YHIGH[i]);
        w.E[i] = step.e;
        w.ALPHA[i] = step.alpha;
        amin = Smaller(amin, step.alpha);
    }
    if (amin == 0.0f && before != 0.0f) // which zero comes first depends on the order
        for (i = first, amin = before; i < end; ++i)
            amin = Smaller(amin, w.ALPHA[i]);
    if (amin == 0.0f && before == 0.0f) amin = before;
    return amin;
}

// Step 3 for the free points lo..hi: moves them by AMIN of their deviation and pins those
// whose fraction was the step's. Returns whether any ordinate changed (the iteration's state
// is the ordinates and the knots).
bool TakeStep(int lo, int hi, float AMIN, Work& w, float* Y_SM, std::vector<int>& pinned) {
    const auto end = static_cast<std::size_t>(hi);
    auto i = static_cast<std::size_t>(lo - 1);
    Mask4 moved{};
    const auto pin = [&](std::size_t k) {
        if (std::fabs(w.ALPHA[k] - AMIN) <= TOL) {
            w.FREE[k] = 0;
            pinned.push_back(static_cast<int>(k) + 1);
        }
    };
    Mask4 reached{};
    for (; i + 4 <= end; i += 4) {
        const Float4 y0 = Load4(&w.Y0[i]);
        const Float4 y = y0 + AMIN * Load4(&w.E[i]);
        moved |= y != y0;
        Store4(Y_SM + i, y);
        Store4(&w.Y0[i], y);
        const Float4 gap = Load4(&w.ALPHA[i]) - AMIN;
        reached |= reinterpret_cast<Float4>(reinterpret_cast<Mask4>(gap) & 0x7fffffff) <= TOL;
    }
    if ((reached[0] | reached[1] | reached[2] | reached[3]) != 0)
        for (std::size_t k = static_cast<std::size_t>(lo - 1); k < i; ++k)
            pin(k);
    bool any = (moved[0] | moved[1] | moved[2] | moved[3]) != 0;
    for (; i < end; ++i) {
        const float y = w.Y0[i] + AMIN * w.E[i];
        any = any || y != w.Y0[i];
        Y_SM[i] = y;
        w.Y0[i] = y;
        pin(i);
    }
    return any;
}

// Knot sets met since the ordinates last moved, with the step fraction of the iteration that
// started from each. While no ordinate moves the knot set alone is the iteration's state, so
// meeting a set again means the iteration has begun to repeat itself.
class Standstill {
  public:
    void Forget() {
        sets_.clear();
        amins_.clear();
    }
    void Record(const Knots& knots, float amin) {
        if (sets_.size() == kMaxKept) return; // a longer standstill ends at the iteration limit
        sets_.emplace_back(knots.point.data(), knots.point.data() + knots.KN);
        amins_.push_back(amin);
    }
    // When `knots` was met before, whether every iteration of the repeating cycle took the
    // full step onto the spline.
    std::optional<bool> Repeat(const Knots& knots) const {
        for (std::size_t m = 0; m < sets_.size(); ++m)
            if (knots.SamePoints(sets_[m]))
                return std::all_of(amins_.begin() + static_cast<std::ptrdiff_t>(m), amins_.end(),
                                   [](float a) { return a == 1.0f; });
        return std::nullopt;
    }

  private:
    static constexpr std::size_t kMaxKept = 64;
    std::vector<std::vector<int>> sets_;
    std::vector<float> amins_;
};

} // namespace

SmoothingOutcome BandSmooth(int N, const PointArray& T, const PointArray& YP, const PointArray& DP,
                            PointArray& Y_SM, const SplineEnds& ends, SmoothingEnd end) {
    SmoothingOutcome outcome;
    Work w;
    // Two knot lists: the one the iteration steps towards and the one rebuilt after the step;
    // when no knot is released the rebuilt list, already fitted, is the next one as it is.
    Knots lists[2];
    Knots* knots = &lists[0];
    Knots* fitted = &lists[1];

    for (int i = 1; i <= N; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        w.Y0[k] = YP(i);
        Y_SM(i) = YP(i);
        w.YLOW[k] = YP(i) - DP(i);
        w.YHIGH[k] = YP(i) + DP(i);
        w.FREE[k] = 1;
        if (DP(i) <= EPS) {
            w.FREE[k] = 0;
            knots->Add(i, T(i), YP(i));
        }
    }
    // A spline needs two knots; with fewer pinned points there is nothing to smooth towards.
    if (knots->KN < 2) return outcome;

    const float* t = T.data();
    float* ySmoothed = Y_SM.data();
    Standstill standstill;
    std::vector<int> pinned; // points pinned by the step, in order
    pinned.reserve(static_cast<std::size_t>(N));
    bool knotsFitted = false;
    bool stalled = false;
    int ITER = 1;
    while (ITER <= 10 * N) {
        // 1. fit through the current knots
        if (!knotsFitted) knots->Fit(ends);
        ++ITER;
        float AMIN = 1.0f;

        // 2. largest common step towards the spline that keeps every free point in its band;
        // the free points lie between consecutive knots (before the first knot and after the
        // last, the end intervals are extrapolated)
        const int KN = knots->KN;
        const auto pointsUpTo = [&](int j) { return j == 0 ? 0 : knots->point(j); };
        for (int j = 0; j <= KN; ++j) {
            const int lo = pointsUpTo(j) + 1, hi = j == KN ? N : knots->point(j + 1) - 1;
            if (lo <= hi)
                AMIN = StepFractions(IntervalTerms(*knots, std::clamp(j, 1, KN - 1)), lo, hi, t, w,
                                     AMIN);
        }

        // 3. step; points that reach their band edge (or lie on the spline) are pinned
        bool moved = false;
        pinned.clear();
        for (int j = 0; j <= KN; ++j) {
            const int lo = pointsUpTo(j) + 1, hi = j == KN ? N : knots->point(j + 1) - 1;
            if (lo <= hi) moved = TakeStep(lo, hi, AMIN, w, ySmoothed, pinned) || moved;
        }
        // 4. a full step without new contact: done
        if (pinned.empty()) break;

        // 5. knots through every pinned point: the old knots and the new contacts, in order
        if (moved)
            standstill.Forget();
        else
            standstill.Record(*knots, AMIN);
        fitted->KN = 0;
        for (int j = 1, p = 0; j <= KN || p < static_cast<int>(pinned.size());) {
            const bool fromKnots =
                p == static_cast<int>(pinned.size()) ||
                (j <= KN && knots->point(j) < pinned[static_cast<std::size_t>(p)]);
            const int i = fromKnots ? knots->point(j++) : pinned[static_cast<std::size_t>(p++)];
            fitted->Add(i, T(i), Y_SM(i));
        }
        fitted->Fit(ends);

        // 6. release the knots whose moment no longer presses against their band edge
        knots->KN = 0;
        const auto& TK = fitted->TK;
        const auto& MK = fitted->MK;
        for (int KP = 1; KP <= fitted->KN; ++KP) {
            const int i = fitted->point(KP);
            const auto k = static_cast<std::size_t>(i - 1);
            bool keep = DP(i) < EPS;
            if (!keep && (KP == 1 || KP == fitted->KN)) {
                keep = true; // no neighbour knot on one side to compare the moment with
            } else if (!keep) {
                const float MINT = MK(KP - 1) + (MK(KP + 1) - MK(KP - 1)) /
                                                    (TK(KP + 1) - TK(KP - 1)) *
                                                    (TK(KP) - TK(KP - 1));
                keep = (MK(KP) > MINT && w.YHIGH[k] - w.Y0[k] <= EPS) ||
                       (MK(KP) < MINT && w.Y0[k] - w.YLOW[k] <= EPS);
            }
            if (keep)
                knots->Add(i, T(i), Y_SM(i));
            else
                w.FREE[k] = 1;
        }
        knotsFitted = knots->KN == fitted->KN;
        if (knotsFitted) std::swap(knots, fitted);

        // Repeating itself, the iteration would end at its limit on these same ordinates. A
        // repeat whose every step reached the spline is converged; one that stops short of
        // it is a stall: the released knot goes straight back out of its band.
        if (end == SmoothingEnd::kAtRepeatOrLimit && !moved)
            if (const auto fullSteps = standstill.Repeat(*knots)) {
                stalled = !*fullSteps;
                break;
            }
    }
    outcome.iterations = ITER - 1;
    if (end == SmoothingEnd::kAtLimitOnly) return outcome;
    if (ITER > 10 * N)
        outcome.ending = SmoothingEnding::kIterationLimit;
    else if (stalled)
        outcome.ending = SmoothingEnding::kStallResolved;
    else
        return outcome;

    PointArray leastEnergy;
    const LeastBendingOutcome finish = LeastBendingContour(N, T, YP, DP, ends, leastEnergy);
    outcome.finishingSteps = finish.steps;
    outcome.finished = finish.solved;
    if (finish.solved) Y_SM = leastEnergy;
    return outcome;
}

} // namespace zarnfoil
