// The conformal map behind the full-potential grid, by what a conformal map of the section
// must do: both corner-map directions undo each other, the unit circle lands on the section
// with the trailing edge at zeta = 1, slopes are the derivatives, and far out the map is a
// scaling.
#include "karman_trefftz.h"
#include "naca_section.h"
#include "solver/circle_map.h"
#include "solver/contour_input.h"
#include "solver/corner_map.h"
#include "solver/o_grid.h"
#include "solver/section_map.h"
#include "solver/trailing_edge_closure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zarnfoil::solver {
namespace {

constexpr double pi = std::numbers::pi;

std::vector<Vec2> ClosedNaca(double thickness, double camber, bool closedFormula) {
    std::vector<float> x, y;
    test::NacaSection(camber, 0.4, thickness, 161, x, y, closedFormula);
    return CloseTrailingEdge(PrepareContour(x, y)->points);
}

TEST(CornerMap, BothWaysUndoEachOtherAndTheSlopeIsTheDerivative) {
    // A strongly cambered outline from the trailing edge round: along its lower surface the
    // angle of the power passes -pi, so only continuity along the contour finds the branch.
    const CornerMap map({1, 0}, {0.01, 0.03}, 16 * pi / 180);
    std::vector<Complex> contour{1.0};
    for (int k = 1; k < 100; ++k) {
        const double x = 0.5 * (1 + std::cos(2 * pi * k / 100));
        const double camber = 0.5 * x * (1 - x), half = 0.3 * std::sqrt(x) * (1 - x);
        contour.push_back(Complex(x, k < 50 ? camber + half : camber - half));
    }
    contour.push_back(1.0);
    const std::vector<Complex> nearCircle = map.ToNearCircle(contour);
    ASSERT_EQ(nearCircle.size(), contour.size());
    EXPECT_EQ(nearCircle.front(), Complex(1.0));
    EXPECT_EQ(nearCircle.back(), Complex(1.0));
    for (std::size_t k = 0; k < contour.size(); ++k)
        EXPECT_NEAR(std::abs(map.FromNearCircle(nearCircle[k]).z - contour[k]), 0, 1e-12) << k;
    // The near-circle winds once round the origin: no point jumped to the other branch.
    double turn = 0;
    for (std::size_t k = 2; k + 1 < nearCircle.size(); ++k)
        turn += std::arg(nearCircle[k] / nearCircle[k - 1]);
    EXPECT_NEAR(turn, 2 * pi, 0.5);
    for (const Complex w : {Complex(1.3, 0.4), Complex(-1.5, 0.2), Complex(0.2, -1.4)}) {
        const double h = 1e-6;
        const Complex numeric =
            (map.FromNearCircle(w + h).z - map.FromNearCircle(w - h).z) / (2 * h);
        EXPECT_NEAR(std::abs(map.FromNearCircle(w).slope - numeric), 0, 1e-7) << w;
    }
    EXPECT_EQ(map.FromNearCircle(1.0).slope, Complex(0)) << "the corner opens at w = 1";
}

TEST(CircleMap, TakesTheUnitCircleOntoAShiftedEllipse) {
    // An ellipse is star-shaped about its centre; the map must put zeta = 1 on its first point.
    std::vector<Complex> ellipse;
    for (int k = 0; k < 600; ++k) {
        const double t = 0.3 + 2 * pi * k / 600;
        ellipse.push_back(Complex(0.2 + 1.2 * std::cos(t), -0.1 + 0.9 * std::sin(t)));
    }
    const auto map = CircleMap::Fit(ellipse);
    ASSERT_TRUE(map.has_value());
    EXPECT_NEAR(std::abs(map->At(1.0).w - ellipse.front()), 0, 1e-5);
    for (int k = 0; k < 40; ++k) {
        const Complex w = map->At(std::polar(1.0, 2 * pi * k / 40)).w - Complex(0.2, -0.1);
        EXPECT_NEAR(std::norm(Complex(w.real() / 1.2, w.imag() / 0.9)), 1, 2e-5) << k;
    }
    const Complex zeta = std::polar(1.7, 0.8);
    const double h = 1e-6;
    const Complex numeric = (map->At(zeta + h).w - map->At(zeta - h).w) / (2 * h);
    EXPECT_NEAR(std::abs(map->At(zeta).slope - numeric), 0, 1e-7);
}

TEST(CircleMap, RefusesAnOutlineThatIsNotStarShaped) {
    // A thin crescent winds back on itself as seen from its centroid.
    std::vector<Complex> crescent;
    for (int k = 0; k < 200; ++k)
        crescent.push_back(std::polar(1.0, 1.8 * pi * k / 200));
    for (int k = 200; k-- > 0;)
        crescent.push_back(std::polar(0.9, 1.8 * pi * k / 200));
    EXPECT_FALSE(CircleMap::Fit(crescent).has_value());
}

TEST(SectionMap, PutsTheUnitCircleOnTheSectionAndItsTrailingEdgeAtOne) {
    for (const double camber : {0.0, 0.04, 0.06}) {
        const std::vector<Vec2> contour = ClosedNaca(0.12, camber, false);
        const auto map = SectionMap::Fit(contour);
        ASSERT_TRUE(map.has_value());
        const Complex trailingEdge(contour.front().x, contour.front().y);
        EXPECT_NEAR(std::abs(map->At(1.0).z - trailingEdge), 0, 1e-9);
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
        // Far out the map is a scaling by a1 and a shift by a0.
        const Complex far = std::polar(400.0, 1.1);
        EXPECT_NEAR(std::abs(map->At(far).z - (map->Scale() * far + map->Centre())), 0, 1e-3);
    }
}

TEST(SectionMap, ScaleOfAKarmanTrefftzSectionIsItsOwn) {
    // A Karman-Trefftz section is the image of a circle whose map tends to z = zeta far out,
    // so its a1 is the circle's radius over the chord, which its exact lift gives:
    // CL = 8 pi |a1| sin(alpha - zero-lift angle).
    const test::KarmanTrefftz section(0.1, 0.0, 12);
    std::vector<float> x, y;
    section.Contour(160, x, y);
    const auto map = SectionMap::Fit(CloseTrailingEdge(PrepareContour(x, y)->points));
    ASSERT_TRUE(map.has_value());
    EXPECT_NEAR(std::arg(map->Scale()), 0, 1e-6) << "symmetric section, symmetric map";
    const double exact = section.Lift(4) / (8 * pi * std::sin(4 * pi / 180));
    EXPECT_NEAR(std::abs(map->Scale()), exact, 2e-4 * exact);
}

TEST(OGrid, RingsStartSquareAndGrowGeometricallyToTheFarBoundary) {
    const std::vector<double> eta = RingEtas(160, 33, 100);
    ASSERT_EQ(eta.size(), 33u);
    EXPECT_EQ(eta.front(), 0);
    EXPECT_NEAR(eta[1], 2 * pi / 160, 1e-12) << "square cells at the wall";
    EXPECT_NEAR(eta.back(), std::log(100.0), 1e-12);
    const double growth = (eta[2] - eta[1]) / eta[1];
    EXPECT_GT(growth, 1.0);
    for (std::size_t j = 2; j + 1 < eta.size(); ++j)
        EXPECT_NEAR((eta[j + 1] - eta[j]) / (eta[j] - eta[j - 1]), growth, 1e-9) << j;
    // More rings than square cells need: equal steps, still reaching the far boundary.
    const std::vector<double> many = RingEtas(16, 201, 100);
    for (std::size_t j = 1; j < many.size(); ++j)
        EXPECT_NEAR(many[j] - many[j - 1], std::log(100.0) / 200, 1e-6) << j;
}

TEST(TrailingEdgeClosure, ShearsEachSurfaceToTheMiddleOfTheBase) {
    std::vector<float> x, y;
    test::NacaSection(0.02, 0.4, 0.12, 41, x, y);
    const auto contour = PrepareContour(x, y);
    const std::vector<Vec2>& open = contour->points;
    const std::vector<Vec2> closed = CloseTrailingEdge(open);
    ASSERT_EQ(closed.size(), open.size());
    const Vec2 middle = 0.5 * (open.front() + open.back());
    EXPECT_EQ(closed.front().x, middle.x);
    EXPECT_EQ(closed.back().y, middle.y);
    EXPECT_EQ(closed[20].x, open[20].x) << "the leading edge stays";
    EXPECT_EQ(closed[20].y, open[20].y);
    // Half way along the upper surface in x, half the upper point's shift.
    for (std::size_t k = 1; k < 20; ++k) {
        const double share = (open[k].x - open[20].x) / (open.front().x - open[20].x);
        EXPECT_NEAR(closed[k].y - open[k].y, share * (middle.y - open.front().y), 1e-12) << k;
    }
}

} // namespace
} // namespace zarnfoil::solver
