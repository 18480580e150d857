// The computing half of a run: normalisation, weights, parameter, end conditions, refusals
// and the rules that hold after every run.
#include "core/smoothing_run.h"

#include "../support/naca_section.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using testing::Naca;

struct RunCase {
    FoilState s{};
    RunParams p;
    RunSplines splines;
    explicit RunCase(const Naca& n, bool smooth = true) { testing::FillSection(s, n, 0, smooth); }
    std::optional<RunRefusal> Go() { return SmoothContour(s, p, splines); }
};

void ExpectRulesAfterRun(const FoilState& s) {
    ASSERT_TRUE(s.ILE >= 1 && s.ILE <= s.NP) << s.ILE;
    EXPECT_TRUE(s.XP(s.ILE) == 0.0f && s.YP(s.ILE) == 0.0f) << s.XP(s.ILE) << " " << s.YP(s.ILE);
    EXPECT_TRUE(s.XP(1) == 1.0f && s.XP(s.NP) == 1.0f) << s.XP(1) << " " << s.XP(s.NP);
    EXPECT_TRUE(s.T(1) == -1.0f && s.T(s.NP) == 1.0f) << s.T(1) << " " << s.T(s.NP);
    for (int i = 2; i <= s.NP; ++i)
        EXPECT_GT(s.T(i), s.T(i - 1)) << i;
    int low = 1, high = 1;
    for (int i = 1; i <= s.NP; ++i) {
        EXPECT_GE(s.DMAX, s.DP(i));
        EXPECT_LE(std::fabs(s.Y_SM(i) - s.YP(i)), s.DP(i) + 1e-6f) << i;
        if (s.YP(i) < s.YP(low)) low = i;
        if (s.YP(i) > s.YP(high)) high = i;
    }
    if (s.SMOOTH == 1) {
        for (int i : {1, static_cast<int>(s.NP), low, high})
            EXPECT_EQ(s.DP(i), 0.0f) << i;
    } else {
        EXPECT_EQ(s.DP, s.D);
        EXPECT_EQ(s.Y_SM, s.YP);
    }
}

TEST(SmoothingRun, RulesHoldAfterARun) {
    // An open trailing edge smoothed and not, and a flat-bottomed shell: a section above its
    // chord line, with no lowest point to pin.
    for (int k = 0; k < 3; ++k) {
        const Naca open{0.02, 0.4, 0.12, 61, false}, shell{0.0, 0.4, 0.12, 21, true};
        RunCase r(k < 2 ? open : shell, k != 1);
        if (k == 2)
            for (int i = 1; i <= r.s.NP; ++i)
                r.s.Y(i) = std::fabs(r.s.Y(i));
        r.p.DSMOOTH = 0.002f;
        ASSERT_FALSE(r.Go());
        ExpectRulesAfterRun(r.s);
        EXPECT_EQ(r.s.CHORD_N, 1.0f);
    }
}

TEST(SmoothingRun, WithoutRotationScalesByTheXDistance) {
    RunCase r(Naca{0.0, 0.4, 0.12, 21, true});
    for (int i = 1; i <= r.s.NP; ++i)
        r.s.Y(i) += 0.1f * r.s.X(i); // chord line rises: chord > 1
    r.s.NOROT = 1;
    ASSERT_FALSE(r.Go());
    EXPECT_EQ(r.s.EPSIL, 0.0f);
    for (int i = 2; i < r.s.NP; ++i) {
        EXPECT_FLOAT_EQ(r.s.XP(i), r.s.X(i)) << i;
        EXPECT_NEAR(r.s.YP(i), r.s.Y(i), 1e-7) << i;
    }
}

TEST(SmoothingRun, WeightsEqualToTheOldStripOrZeroTakeTheNewOne) {
    RunCase r(Naca{0.02, 0.4, 0.12, 31, true});
    r.s.D(10) = 0.005f; // an edited weight
    for (float strip : {0.01f, 0.02f}) {
        r.p.DSMOOTH = strip;
        ASSERT_FALSE(r.Go());
        EXPECT_EQ(r.p.DSMOOTH_OLD, strip);
        EXPECT_EQ(r.s.DMAX, strip);
        EXPECT_EQ(r.s.DP(10), 0.005f);
        EXPECT_EQ(r.s.DP(5), strip);
        r.s.D = r.s.DP; // as the curvature window hands them back
    }
    r.s.D.fill(0.0f); // no strip: every default weight pins its point
    r.p.DSMOOTH = 0.0f;
    ASSERT_FALSE(r.Go());
    EXPECT_EQ(r.s.Y_SM, r.s.YP);
}

TEST(SmoothingRun, FirstOfEqualLowestPointsIsPinned) {
    RunCase r(Naca{0.0, 0.4, 0.12, 31, true});
    int low = 1;
    for (int i = 1; i <= r.s.NP; ++i)
        if (r.s.Y(i) < r.s.Y(low)) low = i;
    r.s.Y(low + 1) = r.s.Y(low); // a flat bottom of two points, equal without rotation too
    r.s.NOROT = 1;
    r.p.DSMOOTH = 0.002f;
    ASSERT_FALSE(r.Go());
    ASSERT_EQ(r.s.YP(low), r.s.YP(low + 1));
    EXPECT_EQ(r.s.DP(low), 0.0f);
    EXPECT_EQ(r.s.DP(low + 1), 0.002f);
}

TEST(SmoothingRun, EndConditionsOfAQuadraticContour) {
    // X = T^2 and Y = 0.1 T + 0.05 T^2 without rotation: the difference formulas are exact,
    // dY/dT is 0 and 0.2 at the ends, d2Y/dT2 is 0.1.
    for (std::int16_t ibc : {std::int16_t{1}, std::int16_t{0}}) {
        RunCase r(Naca{}, false);
        r.s.NP = 9;
        for (int i = 1; i <= 9; ++i) {
            const float t = -1.0f + 0.25f * static_cast<float>(i - 1);
            r.s.X(i) = t * t;
            r.s.Y(i) = 0.1f * t + 0.05f * t * t;
        }
        r.s.NOROT = 1;
        r.s.IBC = ibc;
        ASSERT_FALSE(r.Go());
        EXPECT_NEAR(r.s.BC1, ibc == 1 ? 0.0 : 0.1, 1e-5) << ibc;
        EXPECT_NEAR(r.s.BC2, ibc == 1 ? 0.2 : 0.1, 1e-5) << ibc;
    }
}

TEST(SmoothingRun, PointAheadOfTheLeadingEdgeKeepsItsSide) {
    // The upper neighbour of the nose lies a hair ahead of the leading edge once the chord
    // line, tilted down to the trailing edge, is rotated onto the X axis.
    RunCase r(Naca{0.0, 0.4, 0.12, 31, true});
    r.s.X(32) = 1e-5f;
    r.s.Y(1) -= 0.02f;
    r.s.Y(r.s.NP) -= 0.02f;
    ASSERT_FALSE(r.Go());
    ASSERT_EQ(r.s.ILE, 31);
    EXPECT_LT(r.s.XP(32), 0.0f);
    EXPECT_FLOAT_EQ(r.s.T(32), std::sqrt(-r.s.XP(32)));
    ExpectRulesAfterRun(r.s);
}

TEST(SmoothingRun, RefusalsSayWhatIsWrong) {
    const struct {
        void (*spoil)(FoilState&);
        const char* says;
    } cases[] = {
        {[](FoilState& s) { s.NP = 2; }, "needs at least 3"},
        {[](FoilState& s) { s.Y(7) = std::nanf(""); }, "Point 7"},
        {[](FoilState& s) { std::swap(s.X(30), s.X(31)); }, "Point 31"}, // upper surface
        {[](FoilState& s) { s.X.fill(1.0f), s.Y.fill(0.0f); }, "no length to normalise by"},
        {[](FoilState& s) { s.X.fill(1.0f), s.NOROT = 1; }, "no length to normalise by"},
    };
    for (const auto& c : cases) {
        RunCase r(Naca{0.0, 0.4, 0.12, 21, true});
        c.spoil(r.s);
        const auto refusal = r.Go();
        ASSERT_TRUE(refusal) << c.says;
        EXPECT_NE(refusal->message.find(c.says), std::string::npos) << refusal->message;
    }
}

} // namespace
} // namespace zarnfoil
