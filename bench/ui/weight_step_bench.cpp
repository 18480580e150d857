// One step of a weight in the curvature window on the 401-point noisy example (strip 0.002):
// the smoothing run again with every output file, and both pictures recorded and painted.
// A held arrow key repeats it, so it should fit in a frame (16 ms).
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"
#include "ui/plots/curvature_window.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace zarnfoil;

// The example as Input and Smooth leave it; its output files go to `folder`.
std::unique_ptr<FoilState> NoisyExample(const QTemporaryDir& folder, float strip) {
    auto s = std::make_unique<FoilState>();
    ApplyFileNames(*s, DeriveFileNames(folder.path().toStdString(), "naca2412_noisy.dat"));
    ReaderInputs inputs;
    inputs.INPATH = std::string(ZARNFOIL_EXAMPLES) + "/naca2412_noisy.dat";
    inputs.INNAME = "naca2412_noisy.dat";
    inputs.directory = ZARNFOIL_EXAMPLES;
    if (ReadInputFile(inputs, *s).kind != ReadOutcome::Kind::ReadOk) return nullptr;
    RunParams params;
    params.DSMOOTH = strip;
    if (!RunSmoothing(*s, params).Succeeded()) return nullptr;
    return s;
}

void BM_WeightStep401(benchmark::State& state) {
    QTemporaryDir folder;
    const float strip = 0.002f;
    const auto s = NoisyExample(folder, strip);
    if (!s || s->NP != 401) {
        state.SkipWithError("the example could not be smoothed");
        return;
    }
    ui::CommandSettings settings;
    settings.DSMOOTH = strip;
    settings.maxStripText = "0.05";
    int failures = 0;
    ui::FoilDocument document(*s);
    ui::Form_KSM window(document, [&] { return settings; });
    window.SetShowMessage([&](const QString&, const QString&) { ++failures; });
    window.show();
    QApplication::processEvents();
    window.findChild<QScrollBar*>("VScr_ID")->setValue(-150);
    auto* value = window.findChild<QScrollBar*>("VScr_D");
    QImage curvature(window.PictC().size(), QImage::Format_ARGB32_Premultiplied);
    QImage weights(window.PictD().size(), QImage::Format_ARGB32_Premultiplied);
    bool up = true;
    for (auto _ : state) {
        // Up and down in turn, so every step changes the weight and runs.
        value->triggerAction(up ? QScrollBar::SliderSingleStepSub
                                : QScrollBar::SliderSingleStepAdd);
        up = !up;
        window.PictC().render(&curvature);
        window.PictD().render(&weights);
    }
    if (failures > 0) state.SkipWithError("a re-run failed");
    state.counters["reruns"] = s->NRUN;
}

} // namespace

BENCHMARK(BM_WeightStep401)->Unit(benchmark::kMillisecond);
