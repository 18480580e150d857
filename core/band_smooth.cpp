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

// Lanes of floats: each lane goes through exactly the float operations of one point in the
// plain loop, so the lanes give the plain loop's values bit for bit. Points go four at a time,
// and on processors with AVX2 eight at a time first, in one register; the rest one by one.
using Float8 = float __attribute__((vector_size(32)));
using Mask8 = std::int32_t __attribute__((vector_size(32)));
using Float4 = float __attribute__((vector_size(16)));
using Mask4 = std::int32_t __attribute__((vector_size(16)));
template <class V> struct MaskOf;
template <> struct MaskOf<Float8> { using type = Mask8; };
template <> struct MaskOf<Float4> { using type = Mask4; };
template <class V> constexpr std::size_t kLanes = sizeof(V) / sizeof(float);

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ZARNFOIL_WIDE_LANES 1
#define ZARNFOIL_WIDE __attribute__((target("avx2")))
#else
#define ZARNFOIL_WIDE_LANES 0
#define ZARNFOIL_WIDE
#endif
#define ZARNFOIL_LANES inline __attribute__((always_inline))
// The lane helpers are always inlined into the kernels, so how a call would pass eight lanes
// without AVX never arises.
#pragma GCC diagnostic ignored "-Wpsabi"

template <class V> ZARNFOIL_LANES V Load(const float* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <class V> ZARNFOIL_LANES void Store(float* p, V v) {
    std::memcpy(p, &v, sizeof v);
}
template <class V, class M = typename MaskOf<V>::type>
ZARNFOIL_LANES V Select(M mask, V whenSet, V otherwise) {
    return reinterpret_cast<V>((reinterpret_cast<M>(whenSet) & mask) |
                               (reinterpret_cast<M>(otherwise) & ~mask));
}
template <class V, class M = typename MaskOf<V>::type> ZARNFOIL_LANES V Size(V v) {
    return reinterpret_cast<V>(reinterpret_cast<M>(v) & 0x7fffffff);
}
template <class M> ZARNFOIL_LANES bool Any(M mask) {
    std::int32_t any = 0;
    for (std::size_t lane = 0; lane < sizeof(M) / sizeof(std::int32_t); ++lane)
        any |= mask[lane];
    return any != 0;
}

// Deviation E of the spline from a point and the fraction ALPHA of it that keeps the point in
// its band (1 where the spline passes through the point).
template <class F> struct PointStep { F e, alpha; };

ZARNFOIL_LANES PointStep<float> StepOfPoint(const IntervalTerms& spline, float t, float y0,
                                            float ylow, float yhigh) {
    float e = spline.Value(t) - y0;
    if (std::fabs(e) < TOL) e = 0.0f;
    if (e < 0.0f) return {e, (ylow - y0) / e};
    if (e == 0.0f) return {e, 1.0f};
    return {e, (yhigh - y0) / e};
}

template <class V>
ZARNFOIL_LANES PointStep<V> StepOfPoints(const IntervalTerms& spline, V t, V y0, V ylow, V yhigh) {
    const V a = spline.x1 - t;
    const V b = t - spline.x0;
    const V value =
        ((spline.m0 * a * a * a + spline.m1 * b * b * b) / 6.0f + spline.c0 * a + spline.c1 * b) /
        spline.h;
    V e = value - y0;
    e = Select(Size(e) < TOL, V{}, e);
    const auto onSpline = e == 0.0f;
    const V edge = Select(e < 0.0f, ylow, yhigh);
    const V alpha = (edge - y0) / Select(onSpline, V{} + 1.0f, e);
    return {e, Select(onSpline, V{} + 1.0f, alpha)};
}

// The first smallest fraction: what taking the smaller of each ALPHA in turn gives (of the
// equal zeros -0 and +0, the first stays).
ZARNFOIL_LANES float Smaller(float amin, float alpha) {
    return alpha < amin ? alpha : amin;
}

// Step 2 over lanes of V from i on while a whole lane set fits before `end`.
template <class V>
ZARNFOIL_LANES std::size_t StepFractionLanes(const IntervalTerms& spline, std::size_t i,
                                             std::size_t end, const float* T, Work& w,
                                             float& amin) {
    constexpr std::size_t lanes = kLanes<V>;
    if (i + lanes > end) return i;
    V smallest = V{} + amin;
    for (; i + lanes <= end; i += lanes) {
        const auto step = StepOfPoints<V>(spline, Load<V>(T + i), Load<V>(&w.Y0[i]),
                                          Load<V>(&w.YLOW[i]), Load<V>(&w.YHIGH[i]));
        Store(&w.E[i], step.e);
        Store(&w.ALPHA[i], step.alpha);
        smallest = Select(step.alpha < smallest, step.alpha, smallest);
    }
    for (std::size_t lane = 0; lane < lanes; ++lane)
        amin = Smaller(amin, smallest[lane]);
    return i;
}

// Step 2 for the free points lo..hi (1-based) between two knots, all on one interval of the
// spline. Returns the smallest fraction, at most `amin`.
template <bool Wide>
ZARNFOIL_LANES float StepFractions(const IntervalTerms& spline, int lo, int hi, const float* T,
                                   Work& w, float amin) {
    const auto first = static_cast<std::size_t>(lo - 1);
    const auto end = static_cast<std::size_t>(hi);
    const float before = amin;
    std::size_t i = first;
    if constexpr (Wide) i = StepFractionLanes<Float8>(spline, i, end, T, w, amin);
    i = StepFractionLanes<Float4>(spline, i, end, T, w, amin);
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

// Step 3 over lanes of V from i on while a whole lane set fits before `end`: the moves, and
// whether an ordinate changed and a point reached its fraction.
template <class V>
ZARNFOIL_LANES std::size_t StepLanes(std::size_t i, std::size_t end, float AMIN, Work& w,
                                     float* Y_SM, bool& moved, bool& reached) {
    constexpr std::size_t lanes = kLanes<V>;
    using M = typename MaskOf<V>::type;
    M movedLanes{}, reachedLanes{};
    for (; i + lanes <= end; i += lanes) {
        const V y0 = Load<V>(&w.Y0[i]);
        const V y = y0 + AMIN * Load<V>(&w.E[i]);
        movedLanes |= y != y0;
        Store(Y_SM + i, y);
        Store(&w.Y0[i], y);
        reachedLanes |= Size(Load<V>(&w.ALPHA[i]) - AMIN) <= TOL;
    }
    moved = moved || Any(movedLanes);
    reached = reached || Any(reachedLanes);
    return i;
}

// Step 3 for the free points lo..hi: moves them by AMIN of their deviation and pins those
// whose fraction was the step's. Returns whether any ordinate changed (the iteration's state
// is the ordinates and the knots).
template <bool Wide>
ZARNFOIL_LANES bool TakeStep(int lo, int hi, float AMIN, Work& w, float* Y_SM,
                             std::vector<int>& pinned) {
    const auto first = static_cast<std::size_t>(lo - 1);
    const auto end = static_cast<std::size_t>(hi);
    bool moved = false, reached = false;
    std::size_t i = first;
    if constexpr (Wide) i = StepLanes<Float8>(i, end, AMIN, w, Y_SM, moved, reached);
    i = StepLanes<Float4>(i, end, AMIN, w, Y_SM, moved, reached);
    for (; i < end; ++i) {
        const float y = w.Y0[i] + AMIN * w.E[i];
        moved = moved || y != w.Y0[i];
        reached = reached || std::fabs(w.ALPHA[i] - AMIN) <= TOL;
        Y_SM[i] = y;
        w.Y0[i] = y;
    }
    if (reached)
        for (i = first; i < end; ++i)
            if (std::fabs(w.ALPHA[i] - AMIN) <= TOL) {
                w.FREE[i] = 0;
                pinned.push_back(static_cast<int>(i) + 1);
            }
    return moved;
}

// Steps 2 and 3 as the processor takes them best: eight lanes with AVX2, else four.
struct StepKernels {
    float (*fractions)(const IntervalTerms&, int, int, const float*, Work&, float);
    bool (*step)(int, int, float, Work&, float*, std::vector<int>&);
};

float FourLaneFractions(const IntervalTerms& spline, int lo, int hi, const float* T, Work& w,
                        float amin) {
    return StepFractions<false>(spline, lo, hi, T, w, amin);
}
bool FourLaneStep(int lo, int hi, float AMIN, Work& w, float* Y_SM, std::vector<int>& pinned) {
    return TakeStep<false>(lo, hi, AMIN, w, Y_SM, pinned);
}
#if ZARNFOIL_WIDE_LANES
ZARNFOIL_WIDE float EightLaneFractions(const IntervalTerms& spline, int lo, int hi, const float* T,
                                       Work& w, float amin) {
    return StepFractions<true>(spline, lo, hi, T, w, amin);
}
ZARNFOIL_WIDE bool EightLaneStep(int lo, int hi, float AMIN, Work& w, float* Y_SM,
                                 std::vector<int>& pinned) {
    return TakeStep<true>(lo, hi, AMIN, w, Y_SM, pinned);
}
#endif

StepKernels Kernels(SmoothingLanes lanes) {
#if ZARNFOIL_WIDE_LANES
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (lanes == SmoothingLanes::kWidest && avx2) return {EightLaneFractions, EightLaneStep};
#endif
    static_cast<void>(lanes);
    return {FourLaneFractions, FourLaneStep};
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
                            PointArray& Y_SM, const SplineEnds& ends, SmoothingEnd end,
                            SmoothingLanes lanes) {
    const StepKernels kernels = Kernels(lanes);
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
                AMIN = kernels.fractions(IntervalTerms(*knots, std::clamp(j, 1, KN - 1)), lo, hi, t,
                                         w, AMIN);
        }

        // 3. step; points that reach their band edge (or lie on the spline) are pinned
        bool moved = false;
        pinned.clear();
        for (int j = 0; j <= KN; ++j) {
            const int lo = pointsUpTo(j) + 1, hi = j == KN ? N : knots->point(j + 1) - 1;
            if (lo <= hi) moved = kernels.step(lo, hi, AMIN, w, ySmoothed, pinned) || moved;
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
