// Speed of a whole run (Input and Smooth with every output file) on the 401-point noisy
// example, and of the band smoothing alone, with and without the early end of its iteration.
#include "core/band_smooth.h"
#include "core/smoothing_run.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace zarnfoil {
namespace {

constexpr float kStrip = 0.002f;

struct Workspace {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "zarnfoil-bench";
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
