// The conformal map behind the Euler grid, by what a conformal map of the section
// must do: the unit circle lands on the section with the trailing edge at zeta = 1, the slope
// is the derivative, and far out the map is a scaling.
#include "naca_section.h"
#include "solver/circle_map.h"
#include "solver/contour_input.h"
#include "solver/section_map.h"
#include "solver/trailing_edge_closure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zarnfoil::solver {
namespace {

constexpr double pi = std::numbers::pi;

TEST(CircleMap, RefusesAnOutlineThatIsNotStarShaped) {
    // A thin crescent winds back on itself as seen from its centroid.
    std::vector<Complex> crescent;
    for (int k = 0; k < 400; ++k)
        crescent.push_back(std::polar(k < 200 ? 1.0 : 0.9, 1.8 * pi * std::min(k, 399 - k) / 200));
    EXPECT_FALSE(CircleMap::Fit(crescent).has_value());
}

TEST(SectionMap, PutsTheUnitCircleOnTheSectionAndItsTrailingEdgeAtOne) {
    // With camber, the corner map's power must keep one branch along the lower surface.
    for (const double camber : {0.0, 0.06}) {
        std::vector<float> x, y;
        test::NacaSection(camber, 0.4, 0.12, 161, x, y);
        const std::vector<Vec2> contour = CloseTrailingEdge(PrepareContour(x, y)->points);
        const auto map = SectionMap::Fit(contour);
        ASSERT_TRUE(map.has_value());
        EXPECT_NEAR(std::abs(map->At(1.0).z - Complex(contour[0].x, contour[0].y)), 0, 1e-9);
        EXPECT_NEAR(std::abs(map->At(1.0).slope), 0, 1e-3) << "the corner is opened there";
        // Every image of the circle lies on the contour: the nearest contour chord is close.
        for (int k = 1; k < 200; ++k) {
            const Complex z = map->At(std::polar(1.0, 2 * pi * k / 200)).z;
            double nearest = INFINITY;
            for (std::size_t i = 0; i + 1 < contour.size(); ++i) {
                const Complex a(contour[i].x, contour[i].y), b(contour[i + 1].x, contour[i + 1].y);
                const double t = std::clamp(std::real((z - a) / (b - a)), 0.0, 1.0);
                nearest = std::min(nearest, std::abs(z - (a + t * (b - a))));
            }
            EXPECT_LT(nearest, 2e-4) << "camber " << camber << ", ray " << k;
        }
        for (const Complex zeta : {std::polar(1.05, 0.3), std::polar(1.7, 2.5), Complex(-1.2)}) {
            const double h = 1e-6;
            const Complex numeric = (map->At(zeta + h).z - map->At(zeta - h).z) / (2 * h);
            EXPECT_NEAR(std::abs(map->At(zeta).slope - numeric), 0, 1e-6) << camber << zeta;
        }
        // Far out the map is a scaling by a1 and a shift by a0.
        const Complex far = std::polar(400.0, 1.1);
        EXPECT_NEAR(std::abs(map->At(far).z - (map->Scale() * far + map->Centre())), 0, 1e-3);
    }
}

} // namespace
} // namespace zarnfoil::solver
