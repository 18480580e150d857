// The potential is split into the incompressible flow round the circle, which carries the
// free stream, the circulation and the jump across the cut exactly, and a reduced potential G
// for everything compressibility adds. A first solution on a grid of half the nodes each way
// starts the full grid.
#include "solver/full_potential.h"

#include "solver/af2_relaxation.h"
#include "solver/artificial_density.h"
#include "solver/far_field.h"
#include "solver/flux_balance.h"
#include "solver/o_grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

namespace zarnfoil::solver {

namespace {

constexpr double kPi = std::numbers::pi;
// Largest change per step and |CL - target| (in a search by lift) that end the coarse grid,
// which only starts the full one.
constexpr double kCoarseSettled = 1e-4;
constexpr double kCoarseLiftSettled = 1e-3;
constexpr double kSettled = 2e-7;     // and the full grid
constexpr double kLiftSettled = 2e-5; // and the full grid
constexpr double kDiverged = 1.0;     // a change this large per step: the iteration has run off
constexpr double kOmega = 1.6;        // over-relaxation of each AF2 step
constexpr double kBiasStrength = 1.5; // artificial density: bias = 1.5 (1 - 1/M^2)
constexpr double kUpstream = 6.0;     // upstream difference of AF2 at supersonic nodes
// AF2 parameters, cycled from the largest down (short waves first) in geometric steps.
constexpr int kCycle = 8;
constexpr double kAlphaHigh = 2.0;
constexpr double kAlphaLow = 0.2;

struct FlowState {
    std::vector<double> reduced; // G at every node
    double circulation = 0;      // positive for lift
    double alpha = 0;            // radians from the x axis
};

CircleFlow CircleFlowOf(const OGrid& grid, const FlowState& state) {
    return {2 * std::abs(grid.scale), state.alpha - std::arg(grid.scale), state.circulation};
}

void FillPotential(const OGrid& grid, const FlowState& state, std::vector<double>& phi) {
    const CircleFlow circle = CircleFlowOf(grid, state);
    phi.resize(state.reduced.size());
    for (int j = 0; j < grid.rings; ++j)
        for (int i = 0; i < grid.around; ++i) {
            const std::size_t k = grid.At(i, j);
            phi[k] = circle.Potential(grid.coshEta[static_cast<std::size_t>(j)],
                                      grid.ray[static_cast<std::size_t>(i)], grid.Theta(i)) +
                     state.reduced[k];
        }
}

// The wall: speed half way between neighbouring wall nodes (the circle flow's exactly, G's by
// the difference), Cp from the isentropic relation, lift from the pressure force on each wall
// segment.
struct WallLoad {
    double cl = 0;
    std::vector<double> cp;
};

WallLoad LoadOnWall(const OGrid& grid, const FlowState& state, const FullPotentialCase& flow,
                    bool keepCp) {
    const int n = grid.around;
    const CircleFlow circle = CircleFlowOf(grid, state);
    WallLoad load;
    if (keepCp) load.cp.resize(static_cast<std::size_t>(n));
    double fx = 0, fy = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t k = grid.At(i, 0);
        const std::size_t next = grid.At(i + 1 < n ? i + 1 : 0, 0);
        const double along = circle.AlongRing(1, grid.rayHalf[static_cast<std::size_t>(i)]) +
                             (state.reduced[next] - state.reduced[k]) / grid.dTheta;
        const double speedSquared = along * along / (grid.hTheta[k] * grid.hTheta[k]);
        const double cp = PressureCoefficient(IsentropicAt(speedSquared, flow.mach).density,
                                              speedSquared, flow.mach);
        if (keepCp) load.cp[static_cast<std::size_t>(i)] = cp;
        const Complex d = grid.z[next] - grid.z[k];
        fx -= cp * d.imag();
        fy += cp * d.real();
    }
    load.cl = (-fx * std::sin(state.alpha) + fy * std::cos(state.alpha)) / flow.chord;
    return load;
}

// Kutta condition: no speed along the wall at the trailing-edge node, where the map's scale
// vanishes. The circle flow's part is taken exactly, as everywhere else its velocity enters
// (densities, wall Cp), and G's by the central difference:
// amplitude sin(angle) - circulation / (2 pi) + (G(1) - G(n-1)) / (2 dTheta) = 0.
// A difference of the whole potential, phi(1) = phi(-1), would carry the circle flow's
// circulation short by sin(dTheta) / dTheta at every Mach number, the incompressible one too.
// Solved for the circulation at a given angle, or for the angle at a given circulation (false
// when out of reach).
double CirculationAt(const OGrid& grid, const FlowState& state) {
    const double radius = std::abs(grid.scale);
    const double angle = state.alpha - std::arg(grid.scale);
    const double wall = state.reduced[grid.At(1, 0)] - state.reduced[grid.At(grid.around - 1, 0)];
    return 4 * kPi * radius * std::sin(angle) + kPi * wall / grid.dTheta;
}

bool AngleFor(const OGrid& grid, FlowState& state) {
    const double radius = std::abs(grid.scale);
    const double wall = state.reduced[grid.At(1, 0)] - state.reduced[grid.At(grid.around - 1, 0)];
    const double sine = (state.circulation - kPi * wall / grid.dTheta) / (4 * kPi * radius);
    const double reach = 0.9; // about 64 degrees in the circle plane
    state.alpha = std::asin(std::clamp(sine, -reach, reach)) + std::arg(grid.scale);
    return std::abs(sine) <= reach;
}

// The flux balance at unit density of the circle flow's three parts: cosh(eta) cos(theta),
// cosh(eta) sin(theta), and -theta / (2 pi) with its jump of -1 across the cut. The exact
// potential of incompressible flow leaves on the grid a truncation error that grows with the
// potential far out; subtracting it makes the scheme exact for incompressible flow, and G
// answers for compressibility alone. Being itself a flux balance, it keeps the scheme
// conservative.
struct CircleFlowBalance {
    std::vector<double> cosine, sine, vortex;
};

CircleFlowBalance BalanceOfCircleFlow(const OGrid& grid) {
    FaceDensities unit;
    unit.theta.assign(grid.z.size(), 1.0);
    unit.eta.assign(grid.z.size(), 1.0);
    unit.supersonic.assign(grid.z.size(), 0.0);
    std::vector<double> cosine(grid.z.size()), sine(grid.z.size()), vortex(grid.z.size());
    for (int j = 0; j < grid.rings; ++j)
        for (int i = 0; i < grid.around; ++i) {
            const std::size_t k = grid.At(i, j);
            const double c = std::cosh(grid.eta[static_cast<std::size_t>(j)]);
            cosine[k] = c * std::cos(grid.Theta(i));
            sine[k] = c * std::sin(grid.Theta(i));
            vortex[k] = -grid.Theta(i) / (2 * kPi);
        }
    CircleFlowBalance out;
    FluxBalance balance;
    BalanceFluxes(grid, cosine, 0, unit, {}, balance);
    out.cosine = balance.residual;
    BalanceFluxes(grid, sine, 0, unit, {}, balance);
    out.sine = balance.residual;
    BalanceFluxes(grid, vortex, -1, unit, {}, balance);
    out.vortex = balance.residual;
    return out;
}

void SetFarField(const OGrid& grid, FlowState& state, double mach) {
    const std::size_t outer = grid.At(0, grid.rings - 1);
    FarFieldReducedPotential(
        grid, state.circulation, state.alpha, mach,
        std::span(state.reduced).subspan(outer, static_cast<std::size_t>(grid.around)));
}

struct GridRun {
    bool settled = false;
    bool ranOff = false;
    bool liftInReach = true;
};

GridRun RunGrid(const OGrid& grid, const FullPotentialCase& flow, FlowState& state,
                double settledAt, double liftSettledAt, const FullPotentialLimits& limits,
                std::vector<ConvergenceStep>& history) {
    const CircleFlowBalance circleFlow = BalanceOfCircleFlow(grid);
    std::vector<double> phi, correction, reference(state.reduced.size());
    FaceDensities density;
    FluxBalance balance;
    Af2Work work;
    GridRun run;
    const double alphaRatio = std::pow(kAlphaLow / kAlphaHigh, 1.0 / (kCycle - 1));
    for (int step = 0; static_cast<int>(history.size()) < limits.iterationCap; ++step) {
        if (std::chrono::steady_clock::now() > limits.deadline) break;
        SetFarField(grid, state, flow.mach);
        FillPotential(grid, state, phi);
        const CircleFlow circle = CircleFlowOf(grid, state);
        BiasedDensities(grid, state.reduced, circle, flow.mach, kBiasStrength, density);
        for (std::size_t k = 0; k < reference.size(); ++k)
            reference[k] = circle.Amplitude() * (std::cos(circle.Angle()) * circleFlow.cosine[k] +
                                                 std::sin(circle.Angle()) * circleFlow.sine[k]) +
                           circle.Circulation() * circleFlow.vortex[k];
        BalanceFluxes(grid, phi, -state.circulation, density, reference, balance);
        const double cl = LoadOnWall(grid, state, flow, false).cl;
        history.push_back(
            {static_cast<int>(history.size()), grid.around, balance.largestChange, cl});
        if (!(balance.largestChange < kDiverged) || !std::isfinite(cl)) {
            run.ranOff = true;
            break;
        }
        const bool liftMet = !flow.liftGiven || std::abs(cl - flow.clTarget) < liftSettledAt;
        if (balance.largestChange < settledAt && liftMet) {
            run.settled = true;
            break;
        }

        const double alpha = kAlphaHigh * std::pow(alphaRatio, step % kCycle);
        Af2Correction(grid, balance, alpha, kOmega, kUpstream, work, correction);
        for (std::size_t k = 0; k < correction.size(); ++k)
            state.reduced[k] += correction[k];

        if (flow.liftGiven) {
            // The circulation follows the lift still missing (CL = 2 circulation / chord
            // without shocks), the angle follows from the Kutta condition.
            state.circulation += 0.1 * (flow.clTarget - cl) * flow.chord / 2;
            run.liftInReach = AngleFor(grid, state);
        } else {
            state.circulation = CirculationAt(grid, state);
        }
    }
    return run;
}

// G on the grid with twice the nodes each way, by linear interpolation in the indices.
std::vector<double> Refined(const OGrid& coarse, const std::vector<double>& g, const OGrid& fine) {
    std::vector<double> out(static_cast<std::size_t>(fine.around) * fine.eta.size(), 0.0);
    for (int j = 0; j < coarse.rings; ++j)
        for (int i = 0; i < coarse.around; ++i) {
            const double here = g[coarse.At(i, j)];
            const double next = g[coarse.At(i + 1 < coarse.around ? i + 1 : 0, j)];
            out[fine.At(2 * i, 2 * j)] = here;
            out[fine.At(2 * i + 1, 2 * j)] = 0.5 * (here + next);
        }
    for (int j = 1; j < fine.rings; j += 2)
        for (int i = 0; i < fine.around; ++i)
            out[fine.At(i, j)] = 0.5 * (out[fine.At(i, j - 1)] + out[fine.At(i, j + 1)]);
    return out;
}

} // namespace

FullPotentialAnswer SolveFullPotential(const SectionMap& map, const FullPotentialCase& flow,
                                       const FullPotentialGrid& size,
                                       const FullPotentialLimits& limits) {
    FullPotentialAnswer answer;
    // Even nodes round and odd rings, so that every other node and ring makes the coarse grid.
    const int around = std::max(size.around, 16) / 2 * 2;
    const int rings = std::max(size.rings, 9) / 2 * 2 + 1;
    const std::vector<double> fineEta = RingEtas(around, rings, size.outerRadius);
    std::vector<double> coarseEta;
    for (std::size_t j = 0; j < fineEta.size(); j += 2)
        coarseEta.push_back(fineEta[j]);
    const OGrid coarse = BuildOGrid(map, around / 2, coarseEta);
    const OGrid fine = BuildOGrid(map, around, fineEta);

    FlowState state;
    state.reduced.assign(static_cast<std::size_t>(coarse.around) * coarseEta.size(), 0.0);
    state.alpha = flow.alpha;
    if (flow.liftGiven) {
        state.circulation = flow.clTarget * flow.chord / 2;
        AngleFor(coarse, state);
    } else {
        state.circulation = CirculationAt(coarse, state);
    }
    const GridRun first =
        RunGrid(coarse, flow, state, kCoarseSettled, kCoarseLiftSettled, limits, answer.history);
    if (first.ranOff) return answer;
    state.reduced = Refined(coarse, state.reduced, fine);
    const GridRun run = RunGrid(fine, flow, state, kSettled, kLiftSettled, limits, answer.history);

    SetFarField(fine, state, flow.mach);
    const WallLoad load = LoadOnWall(fine, state, flow, true);
    FaceDensities density;
    BiasedDensities(fine, state.reduced, CircleFlowOf(fine, state), flow.mach, kBiasStrength,
                    density);
    answer.largestMach = std::sqrt(density.largestMachSquared);
    answer.converged = run.settled && run.liftInReach && answer.largestMach < kMachCap - 1e-6;
    answer.alpha = state.alpha;
    answer.cl = load.cl;
    answer.circulation = state.circulation;
    answer.wallCp = load.cp;
    for (const Complex z : fine.wallFace)
        answer.wall.push_back({z.real(), z.imag()});
    return answer;
}

} // namespace zarnfoil::solver
