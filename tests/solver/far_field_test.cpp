// The Euler solver's far field: the free stream and the compressible vortex of the section's
// circulation.
#include "solver/far_field.h"

#include <gtest/gtest.h>

#include <numbers>

namespace zarnfoil::solver {
namespace {

// The counter-clockwise line integral of the far velocity round a circle, by the trapezoidal
// rule (exact to rounding for a smooth periodic integrand at this many points).
double CirculationRound(const FreeStream& stream, Vec2 centre, double radius) {
    constexpr int kPoints = 4000;
    double sum = 0;
    for (int k = 0; k < kPoints; ++k) {
        const double t = 2 * std::numbers::pi * k / kPoints;
        const Vec2 tangent{-std::sin(t), std::cos(t)};
        sum += Dot(FarVelocity(stream, centre + radius * Vec2{std::cos(t), std::sin(t)}), tangent);
    }
    return sum * 2 * std::numbers::pi * radius / kPoints;
}

TEST(FarField, VortexCarriesTheCirculationAtAnyMachNumber) {
    // Compressible flow stretches the vortex across the stream but leaves its circulation:
    // any loop round the vortex gives -G (G counts clockwise), any loop beside it 0, and the
    // free stream alone adds nothing to either.
    for (const double mach : {0.0, 0.5, 0.8}) {
        for (const double alpha : {0.0, 0.05}) {
            SCOPED_TRACE(testing::Message() << "M " << mach << ", alpha " << alpha);
            FreeStream stream;
            stream.mach = mach;
            stream.alpha = alpha;
            stream.circulation = 0.3;
            stream.vortex = {0.25, 0.01};
            EXPECT_NEAR(CirculationRound(stream, {0.25, 0.01}, 30), -0.3, 1e-9);
            EXPECT_NEAR(CirculationRound(stream, {3, -2}, 8), -0.3, 1e-9);
            EXPECT_NEAR(CirculationRound(stream, {40, 10}, 5), 0, 1e-9);
            // Far out the free stream is left: speed M along alpha.
            const Vec2 far = FarVelocity(stream, {1e9, 1e9});
            EXPECT_NEAR(far.x, mach * std::cos(alpha), 1e-9);
            EXPECT_NEAR(far.y, mach * std::sin(alpha), 1e-9);
        }
    }
}

} // namespace
} // namespace zarnfoil::solver
