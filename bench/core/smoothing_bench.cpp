// Speed of a whole run (Input and Smooth with every output file) on the 401-point noisy
// example, of whole runs on realistic noisy sections (NACA 2412, 401 points, digitising noise
// of amplitude 2e-4 from fixed seeds, strip 0.002, both end conditions), and of the band
// smoothing alone, with and without the early end of its iteration.
//
// The output files go to ZARNFOIL_BENCH_FOLDER when it is set (e.g. /dev/shm, to leave the
// disk out of the figure), else to the system's temporary folder.
#include "core/band_smooth.h"
#include "core/smoothing_run.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include "../../tests/support/naca_section.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace zarnfoil {
namespace {

constexpr float kStrip = 0.002f;

std::filesystem::path BenchFolder() {
    const char* chosen = std::getenv("ZARNFOIL_BENCH_FOLDER");
    const std::filesystem::path base =
        chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
    return base / "zarnfoil-bench";
}

struct Workspace {
    std::filesystem::path folder = BenchFolder();
    ReaderInputs inputs;
    FileNames names;

    Workspace() {
        std::filesystem::create_directories(folder);
        names = DeriveFileNames(folder.string(), "naca2412_noisy.dat");
        inputs.INPATH = std::string(ZARNFOIL_EXAMPLES) + "/naca2412_noisy.dat";
        inputs.INNAME = "naca2412_noisy.dat";
        inputs.directory = ZARNFOIL_EXAMPLES;
    }
    ~Workspace() { std::filesystem::remove_all(folder); }

    bool Input(FoilState& s) const {
        ApplyFileNames(s, names);
        return ReadInputFile(inputs, s).kind == ReadOutcome::Kind::ReadOk;
    }
};

void BM_InputAndSmooth401(benchmark::State& state) {
    Workspace work;
    for (auto _ : state) {
        auto s = std::make_unique<FoilState>();
        if (!work.Input(*s)) state.SkipWithError("the example cannot be read");
        RunParams p;
        p.DSMOOTH = kStrip;
        if (!RunSmoothing(*s, p).Succeeded()) state.SkipWithError("the run failed");
        benchmark::DoNotOptimize(s->K_SM(1));
    }
}
BENCHMARK(BM_InputAndSmooth401)->Unit(benchmark::kMillisecond);

// A realistic noisy section as read, with the upper-surface grid: seed and end condition
// from the benchmark's arguments.
std::unique_ptr<FoilState> NoisySection(const Workspace& work, benchmark::State& state) {
    auto s = std::make_unique<FoilState>();
    testing::Naca naca;
    naca.camber = 0.02;
    naca.stationsPerSurface = 201;
    testing::FillSection(*s, naca);
    testing::AddNoise(*s, 2e-4, static_cast<std::uint64_t>(state.range(0)));
    testing::UpperSurfaceGrid(*s);
    s->IBC = static_cast<std::int16_t>(state.range(1));
    ApplyFileNames(*s, work.names);
    return s;
}

void BM_SmoothNoisy401(benchmark::State& state) {
    Workspace work;
    const auto section = NoisySection(work, state);
    auto s = std::make_unique<FoilState>();
    RunOutcome outcome;
    for (auto _ : state) {
        *s = *section;
        RunParams p;
        p.DSMOOTH = kStrip;
        outcome = RunSmoothing(*s, p);
        if (!outcome.Succeeded()) state.SkipWithError("the run failed");
    }
    state.counters["iterations"] = outcome.fairness.smoothing.iterations;
    state.counters["stalled"] = outcome.fairness.smoothing.ending != SmoothingEnding::kConverged;
}
// seeds 1..6, "2-nd der." (IBC 0) and "1-st der." (IBC 1)
BENCHMARK(BM_SmoothNoisy401)
    ->ArgsProduct({{1, 2, 3, 4, 5, 6}, {0, 1}})
    ->ArgNames({"seed", "IBC"})
    ->Unit(benchmark::kMillisecond);

// The contour, parameter and weights of the example as the run hands them to the smoothing.
struct PreparedContour {
    FoilState s{};
    SplineEnds ends;
    PreparedContour() {
        Workspace work;
        work.Input(s);
        RunParams p;
        p.DSMOOTH = kStrip;
        RunSplines splines;
        SmoothContour(s, p, splines);
        ends = {s.BC1, s.BC2, s.IBC};
    }
};

void BandSmoothBench(benchmark::State& state, SmoothingEnd end) {
    const PreparedContour c;
    PointArray ySmoothed;
    int iterations = 0;
    for (auto _ : state) {
        iterations = BandSmooth(c.s.NP, c.s.T, c.s.YP, c.s.DP, ySmoothed, c.ends, end).iterations;
        benchmark::DoNotOptimize(ySmoothed(2));
    }
    state.counters["iterations"] = iterations;
}

void BM_BandSmooth401(benchmark::State& state) { BandSmoothBench(state, SmoothingEnd::kAtRepeatOrLimit); }
void BM_BandSmooth401PlainMethod(benchmark::State& state) { BandSmoothBench(state, SmoothingEnd::kAtLimitOnly); }
BENCHMARK(BM_BandSmooth401)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BandSmooth401PlainMethod)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zarnfoil
