// Where the full-potential answers of NACA 0012 settle as the grid is refined and the far
// boundary moved out: M 0.5 at 1.25 degrees, M 0.75 at 1 and 2 degrees, and the M 0.80 lift
// curve followed by the lift. Usage: kalto_grid_study   (about a minute)
#include "naca_section.h"
#include "solver/compressibility.h"
#include "solver/contour_input.h"
#include "solver/full_potential.h"
#include "solver/section_map.h"
#include "solver/trailing_edge_closure.h"

#include <cstdio>
#include <numbers>

using namespace zarnfoil::solver;

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// x where Cp rises through the sonic value going downstream on one surface, or -1.
double ShockOn(const FullPotentialAnswer& answer, bool upper, double mach) {
    std::size_t leadingEdge = 0;
    for (std::size_t i = 0; i < answer.wall.size(); ++i)
        if (answer.wall[i].x < answer.wall[leadingEdge].x) leadingEdge = i;
    const double sonic = SonicCp(mach);
    double shock = -1;
    const auto check = [&](std::size_t from, std::size_t to) {
        const double a = answer.wallCp[from], b = answer.wallCp[to];
        if (a < sonic && b >= sonic)
            shock = answer.wall[from].x +
                    (sonic - a) / (b - a) * (answer.wall[to].x - answer.wall[from].x);
    };
    if (upper)
        for (std::size_t i = leadingEdge; i > 0; --i)
            check(i, i - 1);
    else
        for (std::size_t i = leadingEdge; i + 1 < answer.wall.size(); ++i)
            check(i, i + 1);
    return shock;
}

// Rings grow with the nodes round so that the cells at the wall stay square.
FullPotentialGrid Grid(int around, double outerRadius = 100) {
    return {around, 20 * around / 96 / 2 * 2 + 1, outerRadius};
}

FullPotentialAnswer Solve(const SectionMap& map, double mach, bool liftGiven, double value,
                          const FullPotentialGrid& grid) {
    FullPotentialCase flow;
    flow.mach = mach;
    flow.liftGiven = liftGiven;
    flow.alpha = liftGiven ? 0 : value * kDegree;
    flow.clTarget = value;
    return SolveFullPotential(map, flow, grid, {40000});
}

const char* Mark(const FullPotentialAnswer& answer) {
    return answer.converged ? "" : "  (not converged)";
}

} // namespace

int main() {
    std::vector<float> x, y;
    zarnfoil::solver::test::NacaSection(0, 0.4, 0.12, 161, x, y);
    const auto map = SectionMap::Fit(CloseTrailingEdge(PrepareContour(x, y)->points));
    if (!map) {
        std::fprintf(stderr, "the section could not be mapped\n");
        return 1;
    }

    std::printf("M 0.50, 1.25 deg: grid (far boundary 100 circle radii)\n");
    std::printf("grid       CL wall   CL 2 circulation\n");
    for (const int around : {96, 128, 160, 192, 256, 384}) {
        const FullPotentialAnswer a = Solve(*map, 0.5, false, 1.25, Grid(around));
        std::printf("%3d x %2d  %8.5f  %8.5f%s\n", around, Grid(around).rings, a.cl,
                    2 * a.circulation, Mark(a));
    }
    std::printf("\nM 0.50, 1.25 deg: far boundary (160 nodes round)\n");
    std::printf("radii   rings  CL wall\n");
    for (const auto& [radius, rings] :
         {std::pair{25.0, 29}, {50.0, 31}, {100.0, 33}, {400.0, 37}, {1000.0, 41}}) {
        const FullPotentialAnswer a = Solve(*map, 0.5, false, 1.25, {160, rings, radius});
        std::printf("%5.0f  %5d  %8.5f%s\n", radius, rings, a.cl, Mark(a));
    }

    for (const double alpha : {1.0, 2.0}) {
        std::printf("\nM 0.75, %.0f deg: grid\n", alpha);
        std::printf("grid       CL wall  upper shock x\n");
        for (const int around : {96, 160, 256, 384}) {
            const FullPotentialAnswer a = Solve(*map, 0.75, false, alpha, Grid(around));
            std::printf("%3d x %2d  %8.5f  %7.4f%s\n", around, Grid(around).rings, a.cl,
                        ShockOn(a, true, 0.75), Mark(a));
        }
    }

    std::printf("\nM 0.80: lift curve followed by the lift\n");
    std::printf("grid      CL     alpha deg  upper shock x  lower shock x\n");
    for (const int around : {96, 160, 256})
        for (const double cl : {0.4, 0.6, 0.7, 0.8, 0.9}) {
            const FullPotentialAnswer a = Solve(*map, 0.8, true, cl, Grid(around));
            std::printf("%3d x %2d  %4.2f  %9.4f  %13.4f  %13.4f%s\n", around, Grid(around).rings,
                        cl, a.alpha / kDegree, ShockOn(a, true, 0.8), ShockOn(a, false, 0.8),
                        Mark(a));
        }
    return 0;
}
