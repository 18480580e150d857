// The full-potential solution of the window's default case (NACA 0012 at M 0.70, CL 0.5) step
// by step: the largest change per relaxation step and the lift coefficient on the coarse grid
// and then the full one, then the same case on finer and coarser grids with its shock's place.
// Usage: kalto_convergence [EVERY]   (print every EVERY-th step, default 10)
#include "naca_section.h"
#include "solver/compressibility.h"
#include "solver/contour_input.h"
#include "solver/full_potential.h"
#include "solver/section_map.h"
#include "solver/trailing_edge_closure.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numbers>

using namespace zarnfoil::solver;

namespace {

// x where Cp rises through the sonic value on the upper surface, leading edge to trailing edge.
double UpperShock(const FullPotentialAnswer& answer, double mach) {
    std::size_t leadingEdge = 0;
    for (std::size_t i = 0; i < answer.wall.size(); ++i)
        if (answer.wall[i].x < answer.wall[leadingEdge].x) leadingEdge = i;
    const double sonic = SonicCp(mach);
    double shock = -1;
    for (std::size_t i = leadingEdge; i > 0; --i) {
        const double a = answer.wallCp[i], b = answer.wallCp[i - 1];
        if (a < sonic && b >= sonic)
            shock = answer.wall[i].x +
                    (sonic - a) / (b - a) * (answer.wall[i - 1].x - answer.wall[i].x);
    }
    return shock;
}

} // namespace

int main(int argc, char** argv) {
    const int every = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::vector<float> x, y;
    zarnfoil::solver::test::NacaSection(0, 0.4, 0.12, 161, x, y);
    const auto contour = PrepareContour(x, y);
    const auto map = SectionMap::Fit(CloseTrailingEdge(contour->points));
    if (!map) {
        std::fprintf(stderr, "the section could not be mapped\n");
        return 1;
    }
    FullPotentialCase flow;
    flow.mach = 0.7;
    flow.liftGiven = true;
    flow.clTarget = 0.5;

    const FullPotentialAnswer answer = SolveFullPotential(*map, flow, {}, {});
    std::printf("step  grid  largest change  CL\n");
    for (std::size_t k = 0; k < answer.history.size(); ++k) {
        const ConvergenceStep& step = answer.history[k];
        const bool gridEnds =
            k + 1 == answer.history.size() || answer.history[k + 1].around != step.around;
        if (step.iteration % every == 0 || gridEnds)
            std::printf("%4d  %4d  %14.3e  %.6f\n", step.iteration, step.around, step.change,
                        step.cl);
    }
    std::printf("converged %d, alpha %.4f deg, CL %.6f, largest Mach %.3f\n\n", answer.converged,
                answer.alpha * 180 / std::numbers::pi, answer.cl, answer.largestMach);

    std::printf("grid       steps  alpha deg  shock x   ms\n");
    for (const FullPotentialGrid grid :
         {FullPotentialGrid{96, 21, 100}, FullPotentialGrid{128, 27, 100}, FullPotentialGrid{},
          FullPotentialGrid{256, 53, 100}, FullPotentialGrid{384, 81, 100}}) {
        const auto start = std::chrono::steady_clock::now();
        const FullPotentialAnswer refined = SolveFullPotential(*map, flow, grid, {20000});
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("%3d x %2d  %6zu  %9.4f  %7.4f  %5.0f%s\n", grid.around, grid.rings,
                    refined.history.size(), refined.alpha * 180 / std::numbers::pi,
                    UpperShock(refined, flow.mach), ms,
                    refined.converged ? "" : "  (not converged)");
    }
    return 0;
}
