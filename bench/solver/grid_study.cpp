// How the Euler answers of NACA 0012 (161 points, trailing edge closed) settle as the grid is
// refined: the AGARD AR-211 cases M 0.80 at 1.25 degrees and M 0.85 at 1 degree, and the
// window's first case M 0.70 at CL 0.5, each on three grids (KALTO's own in the middle) and on
// KALTO's grid with the far boundary moved out four times as far. On the finest grid the lift
// settles within 50 cycles, the density residual (largest at the cells beside the trailing
// edge) only after 110 to 140. Usage: kalto_grid_study   (about 5 s)
#include "naca_section.h"
#include "solver/contour_input.h"
#include "solver/euler_solver.h"
#include "solver/section_map.h"
#include "solver/shock_place.h"
#include "solver/sonic_cp.h"
#include "solver/trailing_edge_closure.h"

#include <chrono>
#include <cstdio>
#include <numbers>

using namespace zarnfoil::solver;

int main() {
    std::vector<float> x, y;
    zarnfoil::solver::test::NacaSection(0, 0.4, 0.12, 161, x, y, true);
    const auto map = SectionMap::Fit(CloseTrailingEdge(PrepareContour(x, y)->points));
    if (!map) {
        std::fprintf(stderr, "the section could not be mapped\n");
        return 1;
    }
    const struct {
        const char* name;
        double mach;
        bool liftGiven;
        double value;
    } flows[] = {{"M 0.80, 1.25 deg (AR-211: CL 0.3632)", 0.80, false, 1.25},
                 {"M 0.85, 1.00 deg (AR-211: CL 0.3584)", 0.85, false, 1.0},
                 {"M 0.70, CL 0.50 (the window's first case)", 0.70, true, 0.5}};
    const struct {
        int around, across;
        double outerRadius;
    } grids[] = {{96, 16, 100}, {160, 32, 100}, {256, 48, 100}, {160, 40, 400}};
    constexpr double degree = std::numbers::pi / 180;
    for (const auto& f : flows) {
        std::printf("%s\n", f.name);
        std::printf("cells     far  CL       alpha    upper   lower   cycles  time s\n");
        for (const auto& g : grids) {
            EulerCase flow;
            flow.mach = f.mach;
            flow.liftGiven = f.liftGiven;
            flow.alpha = f.liftGiven ? 0 : f.value * degree;
            flow.clTarget = f.value;
            flow.quarterChord = {0.25, 0};
            const auto start = std::chrono::steady_clock::now();
            const EulerAnswer a =
                SolveEuler(*map, flow, {g.around, g.across, g.outerRadius, 4}, {1000});
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            const ShockPlaces s = FindShocks(a.wall, a.wallCp, SonicCp(f.mach), false);
            std::printf("%3d x %2d  %3.0f  %.5f  %6.3f  %6.3f  %6.3f  %5d  %6.3f%s\n", g.around,
                        g.across, g.outerRadius, a.cl, a.alpha / degree, s.first, s.second,
                        a.cycles, took.count(), a.converged ? "" : "  (not settled)");
        }
        std::printf("\n");
    }
    return 0;
}
