// Full-approximation multigrid in W cycles: one time step on each grid on the way down, the
// coarse grid driven by the fine grid's residual, its correction brought back by bilinear
// interpolation. The flow starts as the incompressible flow of the section map with the Kutta
// condition's circulation; the far field's vortex follows the lift of the moment.
#include "solver/euler_solver.h"

#include "solver/euler_level.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

namespace {

constexpr double kCfl = 7.0;
// The Courant number climbs to kCfl over the first cycles, while the starting flow's
// transients pass.
constexpr double kCflRamp = 4;
// Settled: the lift stays within a band this wide over the last cycles, the density residual
// (root mean square, per unit area) is small, and (lift given) the lift is met.
constexpr double kLiftSettled = 1e-4;
constexpr std::size_t kSettledCycles = 10;
constexpr double kResidualSettled = 1e-4;
constexpr double kLiftMet = 1e-4;
// The angle follows the lift still missing through the slope of thin-airfoil theory, damped.
constexpr double kAngleRelaxation = 0.2;
// ... but only once the starting flow's transients have passed: early lifts are no guide.
constexpr int kAngleHold = 10;

struct Multigrid {
    std::vector<EulerLevel> levels;
    std::vector<std::vector<Conserved>> before; // each coarse grid's flow as restricted
    std::vector<Conserved> correction;
    double cfl = 0;
};

void Restrict(EulerLevel& fine, EulerLevel& coarse, const FreeStream& stream, double cfl) {
    fine.SetHalos(stream);
    fine.Residual(1.0, fine.residual);
    std::vector<Conserved>& sum = coarse.forcing;
    for (int j = 0; j < coarse.Nj(); ++j)
        for (int i = 0; i < coarse.Ni(); ++i) {
            Conserved w, r;
            double area = 0;
            for (int dj = 0; dj < 2; ++dj)
                for (int di = 0; di < 2; ++di) {
                    const int fi = 2 * i + di, fj = 2 * j + dj;
                    const double a = fine.Grid().Area(fi, fj);
                    w += a * fine.w[fine.At(fi, fj)];
                    r += fine.residual[fine.At(fi, fj)];
                    area += a;
                }
            coarse.w[coarse.At(i, j)] = (1 / area) * w;
            sum[coarse.At(i, j)] = r;
        }
    // Forcing: the fine residual less the coarse grid's own at the restricted flow.
    std::vector<Conserved> restricted = sum;
    std::fill(coarse.forcing.begin(), coarse.forcing.end(), Conserved{});
    coarse.SetHalos(stream);
    coarse.Spectral(cfl);
    coarse.Residual(1.0, coarse.residual);
    for (int j = 0; j < coarse.Nj(); ++j)
        for (int i = 0; i < coarse.Ni(); ++i) {
            const std::size_t k = coarse.At(i, j);
            coarse.forcing[k] = restricted[k] - coarse.residual[k];
        }
}

// Adds the coarse grid's change, interpolated bilinearly between cell centres, to the fine flow.
void Prolong(const EulerLevel& coarse, const std::vector<Conserved>& before,
             std::vector<Conserved>& correction, EulerLevel& fine) {
    const int ni = coarse.Ni(), nj = coarse.Nj();
    correction.resize(coarse.CellCount());
    for (int j = 0; j < nj; ++j)
        for (int i = 0; i < ni; ++i) {
            const std::size_t k = coarse.At(i, j);
            correction[k] = coarse.w[k] - before[k];
        }
    // Beyond the wall and the far boundary the change is taken as at the cell inside; round
    // the rings it continues across the wake cut.
    for (int i = 0; i < ni; ++i) {
        correction[coarse.At(i, -1)] = correction[coarse.At(i, 0)];
        correction[coarse.At(i, nj)] = correction[coarse.At(i, nj - 1)];
    }
    for (int j = -1; j <= nj; ++j) {
        correction[coarse.At(-1, j)] = correction[coarse.At(ni - 1, j)];
        correction[coarse.At(ni, j)] = correction[coarse.At(0, j)];
    }
    for (int fj = 0; fj < fine.Nj(); ++fj)
        for (int fi = 0; fi < fine.Ni(); ++fi) {
            const int i = fi / 2, j = fj / 2;
            const int ni2 = fi % 2 == 0 ? i - 1 : i + 1;
            const int nj2 = fj % 2 == 0 ? j - 1 : j + 1;
            fine.w[fine.At(fi, fj)] +=
                0.5625 * correction[coarse.At(i, j)] + 0.1875 * correction[coarse.At(ni2, j)] +
                0.1875 * correction[coarse.At(i, nj2)] + 0.0625 * correction[coarse.At(ni2, nj2)];
        }
}

void Cycle(Multigrid& mg, std::size_t level, const FreeStream& stream) {
    EulerLevel& grid = mg.levels[level];
    grid.Step(stream, mg.cfl);
    if (level + 1 == mg.levels.size()) return;
    EulerLevel& coarse = mg.levels[level + 1];
    Restrict(grid, coarse, stream, mg.cfl);
    mg.before[level + 1] = coarse.w;
    // W cycle: the coarser grids are visited twice for each visit of this one.
    for (int visit = 0; visit < (level + 2 == mg.levels.size() ? 1 : 2); ++visit)
        Cycle(mg, level + 1, stream);
    Prolong(coarse, mg.before[level + 1], mg.correction, grid);
}

struct WallLoad {
    double cl = 0;
    std::vector<double> cp;
};

WallLoad LoadOnWall(const EulerLevel& fine, const EulerCase& flow, double alpha) {
    WallLoad load;
    double fx = 0, fy = 0;
    const double dynamic = 0.5 * flow.mach * flow.mach;
    for (int i = 0; i < fine.Ni(); ++i) {
        const double cp = (fine.WallPressure(i) - 1 / kGamma) / dynamic;
        load.cp.push_back(cp);
        // The face normal points away from the section; pressure pushes the other way.
        const Vec2 s = fine.Grid().FaceJ(i, 0);
        fx -= cp * s.x;
        fy -= cp * s.y;
    }
    load.cl = (-fx * std::sin(alpha) + fy * std::cos(alpha)) / flow.chord;
    return load;
}

// The incompressible flow round the circle, taken through the section map, with the
// circulation of the Kutta condition: the starting flow, its speed held below sonic. Returns
// the lift coefficient of its circulation.
double StartFromCircleFlow(const SectionMap& map, const EulerCase& flow, double alpha,
                           EulerLevel& fine) {
    const EulerGrid& grid = fine.Grid();
    const double m = flow.mach;
    // Far out z = a1 zeta, so the free stream M exp(-i alpha) z is V zeta in the circle plane.
    const Complex v = m * std::polar(1.0, -alpha) * map.Scale();
    // dF/dzeta = V - conj(V) / zeta^2 + i circulation / (2 pi zeta), zero at zeta = 1.
    const double circulation = -4 * std::numbers::pi * v.imag();
    constexpr double localMach = 0.9;
    const double fastest =
        localMach * std::sqrt((1 + 0.2 * m * m) / (1 + 0.2 * localMach * localMach));
    for (int j = 0; j < fine.Nj(); ++j)
        for (int i = 0; i < fine.Ni(); ++i) {
            const double eta = 0.5 * (grid.eta[static_cast<std::size_t>(j)] +
                                      grid.eta[static_cast<std::size_t>(j + 1)]);
            const Complex zeta =
                std::polar(std::exp(eta), 2 * std::numbers::pi * (i + 0.5) / fine.Ni());
            const Complex potentialSlope = v - std::conj(v) / (zeta * zeta) +
                                           Complex(0, circulation / (2 * std::numbers::pi)) / zeta;
            const Complex velocity = potentialSlope / map.At(zeta).slope; // u - i v
            Vec2 u{velocity.real(), -velocity.imag()};
            const double speed = Length(u);
            if (speed > fastest) u = (fastest / speed) * u;
            // Free-stream total enthalpy and entropy: c^2 = 1 + 0.2 (M^2 - q^2) = rho^0.4.
            const double c2 = 1 + 0.5 * (kGamma - 1) * (m * m - Dot(u, u));
            const double r = std::pow(c2, 1 / (kGamma - 1));
            fine.w[fine.At(i, j)] = StateOf(r, u, r * c2 / kGamma);
        }
    return 2 * circulation / (m * flow.chord);
}

bool Physical(const EulerLevel& level) {
    for (int j = 0; j < level.Nj(); ++j)
        for (int i = 0; i < level.Ni(); ++i) {
            const Conserved& s = level.w[level.At(i, j)];
            if (!(s.r > 0) || !(PressureOf(s) > 0)) return false;
        }
    return true;
}

} // namespace

EulerAnswer SolveEuler(const SectionMap& map, const EulerCase& flow, const EulerGridSize& size,
                       const EulerLimits& limits) {
    EulerAnswer answer;
    const int levels = std::max(size.levels, 1);
    const int unit = 1 << (levels - 1);
    const int around = std::max(size.around / unit, 4) * unit;
    const int across = std::max(size.across / unit, 2) * unit;

    Multigrid mg;
    EulerGrid grid = BuildEulerGrid(map, around, across, size.outerRadius);
    for (int l = 0; l < levels; ++l) {
        EulerGrid coarser = l + 1 < levels ? Coarsened(grid) : EulerGrid{};
        Dissipation dissipation;
        dissipation.blended = l == 0;
        mg.levels.emplace_back(std::move(grid), dissipation);
        grid = std::move(coarser);
    }
    mg.before.resize(mg.levels.size());

    const double beta = std::sqrt(1 - flow.mach * flow.mach);
    const double liftSlope = 2 * std::numbers::pi / beta;
    FreeStream stream;
    stream.mach = flow.mach;
    stream.vortex = flow.quarterChord;
    EulerLevel& fine = mg.levels.front();
    if (flow.liftGiven) {
        // The angle whose incompressible lift, raised by the Prandtl-Glauert factor, is the one
        // asked for: the circle flow's lift is linear in sin(alpha - arg a1).
        const double zeroLift = std::arg(map.Scale());
        const double sine =
            beta * flow.clTarget * flow.chord / (8 * std::numbers::pi * std::abs(map.Scale()));
        stream.alpha = zeroLift + std::asin(std::clamp(sine, -0.5, 0.5));
    } else {
        stream.alpha = flow.alpha;
    }
    double cl = StartFromCircleFlow(map, flow, stream.alpha, fine) / beta;
    stream.circulation = 0.5 * flow.mach * flow.chord * cl;
    bool settled = false;
    for (int cycle = 0; cycle < limits.cycleCap; ++cycle) {
        if (std::chrono::steady_clock::now() > limits.deadline) {
            answer.timedOut = true;
            break;
        }
        mg.cfl = kCfl * std::min(1.0, (cycle + 1) / kCflRamp);
        Cycle(mg, 0, stream);
        if (!Physical(fine)) break;
        fine.SetHalos(stream);
        const double residual = fine.DensityResidual(fine.residual);
        const double newCl = LoadOnWall(fine, flow, stream.alpha).cl;
        if (!std::isfinite(newCl) || !std::isfinite(residual)) break;
        cl = newCl;
        answer.clHistory.push_back(cl);
        answer.residualHistory.push_back(residual);
        answer.cycles = cycle + 1;
        const bool liftMet = !flow.liftGiven || std::abs(cl - flow.clTarget) < kLiftMet;
        if (answer.clHistory.size() >= kSettledCycles && residual < kResidualSettled && liftMet) {
            const auto [low, high] = std::minmax_element(answer.clHistory.end() - kSettledCycles,
                                                         answer.clHistory.end());
            settled = *high - *low < kLiftSettled;
        }
        if (settled) {
            answer.converged = true;
            break;
        }
        if (flow.liftGiven && cycle >= kAngleHold)
            stream.alpha += kAngleRelaxation * (flow.clTarget - cl) / liftSlope;
        stream.circulation = 0.5 * flow.mach * flow.chord * cl;
    }

    fine.SetHalos(stream);
    const WallLoad load = LoadOnWall(fine, flow, stream.alpha);
    answer.alpha = stream.alpha;
    answer.cl = load.cl;
    answer.wallCp = load.cp;
    answer.largestMach = fine.LargestMach();
    for (int i = 0; i < fine.Ni(); ++i)
        answer.wall.push_back(0.5 * (fine.Grid().Vertex(i, 0) + fine.Grid().Vertex(i + 1, 0)));
    return answer;
}

} // namespace zarnfoil::solver
