// Time of one KALTO computation as the window makes it: a 201-point NACA 2412 by angle of attack
// (subsonic, the panel method) and by lift coefficient at the window's first-press Mach 0.7 and
// CL 0.5 (transonic, the Euler solution); and the window's default case, NACA 0012 at M 0.70
// and CL 0.5. Counters: the answer, which model gave it and its multigrid cycles.
#include "naca_section.h"
#include "solver/kalto.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

void RunKalto(benchmark::State& state, std::int32_t imode, float mach, float clain,
              double camber = 0.02, int points = 201, bool closed = false) {
    std::vector<float> x, y;
    zarnfoil::solver::test::NacaSection(camber, 0.4, 0.12, points, x, y, closed);
    std::array<float, 201> xc{}, yc{};
    std::copy(x.begin(), x.end(), xc.begin());
    std::copy(y.begin(), y.end(), yc.begin());
    const std::int32_t ncase = 1, itmax = 30, one = 1, two = 2, unused = 0;
    const std::int32_t npt = points;
    std::array<float, 20> machin{}, clain20{};
    machin[0] = mach;
    clain20[0] = clain;
    const float zero = 0;
    std::array<float, 129> xcp{}, ycp{};
    std::array<float, 10 * 129> cps{}, arg17{};
    std::array<float, 10 * 100> caseout{};
    std::array<std::int32_t, 10> istat{};
    float alphaout = 0, clout = 0, arg20 = 0, arg21 = 0;
    for (auto _ : state) {
        KALTO(&ncase, &imode, &unused, machin.data(), clain20.data(), &itmax, &one, &two, &npt,
              &zero, xc.data(), yc.data(), &unused, xcp.data(), ycp.data(), cps.data(),
              arg17.data(), &alphaout, &clout, &arg20, &arg21, caseout.data(), istat.data());
        benchmark::DoNotOptimize(cps.data());
    }
    if (istat[0] != 0) state.SkipWithError("KALTO reported a status other than 0");
    state.counters["CL"] = clout;
    state.counters["alpha"] = alphaout;
    state.counters["model"] = caseout[20];
    state.counters["cycles"] = caseout[30];
}

void BM_KaltoAngle(benchmark::State& state) {
    RunKalto(state, 1, 0.5f, 4.0f);
}
void BM_KaltoLift(benchmark::State& state) {
    RunKalto(state, 0, 0.7f, 0.5f);
}

void BM_KaltoDefaultCase(benchmark::State& state) {
    RunKalto(state, 0, 0.7f, 0.5f, 0.0, 161, true);
}

BENCHMARK(BM_KaltoAngle)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KaltoLift)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_KaltoDefaultCase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
