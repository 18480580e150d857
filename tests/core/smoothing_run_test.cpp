// The computing half of a run: normalisation, weights, parameter, end conditions and the
// rules that hold after every run.
#include "core/smoothing_run.h"

#include "../support/naca_section.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zarnfoil {
namespace {

using testing::FillSection;
using testing::Naca;

struct RunCase {
    FoilState s{};
    RunParams p;
    RunSplines splines;
    std::optional<RunRefusal> Go() { return SmoothContour(s, p, splines); }
};

void ExpectRulesAfterRun(const FoilState& s) {
    ASSERT_GE(s.ILE, 1);
    ASSERT_LE(s.ILE, s.NP);
    EXPECT_EQ(s.XP(s.ILE), 0.0f);
    EXPECT_EQ(s.YP(s.ILE), 0.0f);
    EXPECT_EQ(s.T(1), -1.0f);
    EXPECT_EQ(s.T(s.NP), 1.0f);
    for (int i = 2; i <= s.NP; ++i) EXPECT_GT(s.T(i), s.T(i - 1)) << i;
    for (int i = 1; i <= s.NP; ++i) EXPECT_GE(s.DMAX, s.DP(i));
    if (s.SMOOTH == 1) {
        EXPECT_EQ(s.DP(1), 0.0f);
        EXPECT_EQ(s.DP(s.NP), 0.0f);
        int low = 1, high = 1;
        for (int i = 1; i <= s.NP; ++i) {
            if (s.YP(i) < s.YP(low)) low = i;
            if (s.YP(i) > s.YP(high)) high = i;
            EXPECT_LE(std::fabs(s.Y_SM(i) - s.YP(i)), s.DP(i) + 1e-6f) << i;
        }
        EXPECT_EQ(s.DP(low), 0.0f);
        EXPECT_EQ(s.DP(high), 0.0f);
    } else {
        for (int i = 1; i <= s.NP; ++i) {
            EXPECT_EQ(s.DP(i), s.D(i));
            EXPECT_EQ(s.Y_SM(i), s.YP(i));
        }
    }
}

TEST(SmoothingRun, RulesHoldWithAndWithoutSmoothing) {
    for (bool smooth : {true, false}) {
        RunCase r;
        FillSection(r.s, Naca{0.02, 0.4, 0.12, 61, false}, 0.0f, smooth);
        r.p.DSMOOTH = 0.002f;
        ASSERT_FALSE(r.Go());
        ExpectRulesAfterRun(r.s);
        EXPECT_EQ(r.s.CHORD_N, 1.0f);
    }
}

TEST(SmoothingRun, RotatesAndScalesOntoTheUnitChord) {
    // The section turned by 5 degrees nose up, doubled and moved: the run undoes it.
    RunCase r;
    Naca naca{0.02, 0.4, 0.12, 41, true};
    FillSection(r.s, naca);
    FoilState reference = r.s;
    const double a = 5.0 * 3.14159265358979 / 180.0;
    for (int i = 1; i <= r.s.NP; ++i) {
        const double x = reference.X(i), y = reference.Y(i);
        r.s.X(i) = static_cast<float>(3.0 + 2.0 * (x * std::cos(a) + y * std::sin(a)));
        r.s.Y(i) = static_cast<float>(-1.0 + 2.0 * (-x * std::sin(a) + y * std::cos(a)));
    }
    ASSERT_FALSE(r.Go());
    EXPECT_NEAR(r.s.EPSIL, -5.0, 1e-4);
    EXPECT_NEAR(r.s.CHORD, 2.0, 1e-5);
    EXPECT_NEAR(r.s.XLE, 3.0, 1e-6);
    for (int i = 2; i < r.s.NP; ++i) {
        EXPECT_NEAR(r.s.XP(i), reference.X(i), 2e-6) << i;
        EXPECT_NEAR(r.s.YP(i), reference.Y(i), 2e-6) << i;
    }
}

TEST(SmoothingRun, WithoutRotationScalesByTheXDistance) {
    RunCase r;
    FillSection(r.s, Naca{0.0, 0.4, 0.12, 21, true});
    for (int i = 1; i <= r.s.NP; ++i) r.s.Y(i) += 0.1f * r.s.X(i); // chord line rises
    r.s.NOROT = 1;
    ASSERT_FALSE(r.Go());
    EXPECT_EQ(r.s.EPSIL, 0.0f);
    for (int i = 1; i <= r.s.NP; ++i) {
        if (i > 1 && i < r.s.NP) {
            EXPECT_FLOAT_EQ(r.s.XP(i), r.s.X(i)) << i;
        }
        EXPECT_NEAR(r.s.YP(i), r.s.Y(i), 1e-7) << i;
    }
}

TEST(SmoothingRun, OpenTrailingEdgeEndsAtUnitX) {
    RunCase r;
    FillSection(r.s, Naca{0.04, 0.4, 0.15, 31, false});
    ASSERT_FALSE(r.Go());
    EXPECT_EQ(r.s.XP(1), 1.0f);
    EXPECT_EQ(r.s.XP(r.s.NP), 1.0f);
    EXPECT_NE(r.s.YP(1), r.s.YP(r.s.NP));
}

TEST(SmoothingRun, WeightDefaults) {
    RunCase r;
    FillSection(r.s, Naca{0.02, 0.4, 0.12, 31, true});
    r.s.D(10) = 0.005f; // an edited weight
    r.p.DSMOOTH = 0.01f;
    ASSERT_FALSE(r.Go());
    EXPECT_EQ(r.p.DSMOOTH_OLD, 0.01f);
    int pinned = 0;
    for (int i = 1; i <= r.s.NP; ++i) {
        if (i == 10) {
            EXPECT_EQ(r.s.DP(i), 0.005f);
        } else if (r.s.DP(i) == 0.0f) {
            ++pinned;
        } else {
            EXPECT_EQ(r.s.DP(i), 0.01f) << i;
        }
    }
    EXPECT_EQ(pinned, 4); // both trailing-edge points, the lowest and the highest point
    EXPECT_EQ(r.s.DMAX, 0.01f);

    // A second run with a new strip: weights equal to the old strip or 0 take the new one.
    for (int i = 1; i <= r.s.NP; ++i) r.s.D(i) = r.s.DP(i);
    r.p.DSMOOTH = 0.02f;
    ASSERT_FALSE(r.Go());
    EXPECT_EQ(r.s.DP(10), 0.005f);
    EXPECT_EQ(r.s.DP(5), 0.02f);
    EXPECT_EQ(r.s.DMAX, 0.02f);
}

TEST(SmoothingRun, ZeroStripPinsEveryDefaultWeight) {
    RunCase r;
    FillSection(r.s, Naca{0.02, 0.4, 0.12, 31, true});
    r.p.DSMOOTH = 0.0f;
    ASSERT_FALSE(r.Go());
    for (int i = 1; i <= r.s.NP; ++i) EXPECT_EQ(r.s.Y_SM(i), r.s.YP(i));
}

TEST(SmoothingRun, SectionAboveTheChordLineHasNoLowestPoint) {
    RunCase r;
    FillSection(r.s, Naca{0.0, 0.4, 0.12, 21, true});
    for (int i = 2; i < r.s.NP; ++i) r.s.Y(i) = std::fabs(r.s.Y(i)); // a flat-bottomed shell
    r.p.DSMOOTH = 0.001f;
    ASSERT_FALSE(r.Go());
    ExpectRulesAfterRun(r.s);
}

TEST(SmoothingRun, EndConditionsOfAQuadraticContour) {
    // Y = 0.1 T + 0.05 T^2 over T, X = T^2: one-sided formulas are exact for quadratics.
    for (std::int16_t ibc : {1, 0}) {
        RunCase r;
        r.s.NP = 9;
        for (int i = 1; i <= 9; ++i) {
            const float t = -1.0f + 0.25f * static_cast<float>(i - 1);
            r.s.X(i) = t * t;
            r.s.Y(i) = 0.1f * t + 0.05f * t * t;
        }
        r.s.NOROT = 1;
        r.s.IBC = ibc;
        ASSERT_FALSE(r.Go());
        if (ibc == 1) {
            EXPECT_NEAR(r.s.BC1, 0.0, 1e-6);
            EXPECT_NEAR(r.s.BC2, 0.2, 1e-6);
        } else {
            EXPECT_NEAR(r.s.BC1, 0.1, 1e-5);
            EXPECT_NEAR(r.s.BC2, 0.1, 1e-5);
        }
    }
}

TEST(SmoothingRun, PointAheadOfTheLeadingEdgeKeepsItsSide) {
    // The upper neighbour of the nose lies a hair ahead of the leading edge once the chord
    // line, tilted down to the trailing edge, is rotated onto the X axis.
    RunCase r;
    FillSection(r.s, Naca{0.0, 0.4, 0.12, 31, true});
    const int ile = 31;
    r.s.X(ile + 1) = 1e-5f;
    r.s.Y(1) -= 0.02f;
    r.s.Y(r.s.NP) -= 0.02f;
    ASSERT_FALSE(r.Go());
    ASSERT_EQ(r.s.ILE, ile);
    EXPECT_LT(r.s.XP(ile + 1), 0.0f);
    EXPECT_GT(r.s.T(ile + 1), 0.0f);
    EXPECT_FLOAT_EQ(r.s.T(ile + 1), std::sqrt(-r.s.XP(ile + 1)));
    ExpectRulesAfterRun(r.s);
}

TEST(SmoothingRun, RefusesWhatItCannotRun) {
    {
        RunCase r;
        FillSection(r.s, Naca{0.0, 0.4, 0.12, 2, true}); // 3 points run; make it 2
        r.s.NP = 2;
        auto refusal = r.Go();
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->message.find("at least 3"), std::string::npos);
    }
    {
        RunCase r; // every point at one X: no length to normalise by
        r.s.NP = 3;
        for (int i = 1; i <= 3; ++i) r.s.X(i) = 1.0f, r.s.Y(i) = 0.0f;
        ASSERT_TRUE(r.Go());
        r.s.NOROT = 1;
        ASSERT_TRUE(r.Go());
    }
    {
        RunCase r; // a point of the upper surface out of order
        FillSection(r.s, Naca{0.0, 0.4, 0.12, 21, true});
        std::swap(r.s.X(30), r.s.X(31));
        std::swap(r.s.Y(30), r.s.Y(31));
        auto refusal = r.Go();
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->message.find("Point 31"), std::string::npos) << refusal->message;
    }
    {
        RunCase r;
        FillSection(r.s, Naca{0.0, 0.4, 0.12, 21, true});
        r.s.Y(7) = std::nanf("");
        auto refusal = r.Go();
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->message.find("Point 7"), std::string::npos);
    }
}

TEST(SmoothStrip, OnlyAPositiveCheckedStripCounts) {
    EXPECT_EQ(SmoothStrip(0.002, true), 0.002f);
    EXPECT_EQ(SmoothStrip(0.002, false), 0.0f);
    EXPECT_EQ(SmoothStrip(-0.5, true), 0.0f);
}

} // namespace
} // namespace zarnfoil
