// Redrawing the airfoil window for a 401-point NACA 0012: recording the picture (grid, both
// sections, 401 markers, the numbers along its edges, titles and legend) and painting it into
// the window. A redraw follows every step of the wheel and every move of a pan, so it should
// stay under 2 ms.
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "tests/support/naca_section.h"
#include "ui/plots/airfoil_window.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A smoothed 401-point section; its output files go to a temporary folder.
std::unique_ptr<zarnfoil::FoilState> Section401(const QTemporaryDir& folder) {
    using namespace zarnfoil;
    auto s = std::make_unique<FoilState>();
    testing::Naca naca;
    naca.stationsPerSurface = 201;
    testing::FillSection(*s, naca);
    testing::UpperSurfaceGrid(*s);
    const FileNames names = DeriveFileNames(folder.path().toStdString(), "naca401.dat");
    ApplyFileNames(*s, names);
    RunParams params;
    if (!RunSmoothing(*s, params).Succeeded()) return nullptr;
    return s;
}

void AirfoilWindow401(benchmark::State& state, bool paint) {
    QTemporaryDir folder;
    const auto s = Section401(folder);
    if (!s) {
        state.SkipWithError("the section could not be smoothed");
        return;
    }
    const zarnfoil::ui::FoilDocument document(*s);
    zarnfoil::ui::Form_PW window(document);
    window.show();
    QApplication::processEvents();
    // The picture paints itself as on screen, into an image of its size.
    QImage image(window.Picture1().size(), QImage::Format_ARGB32_Premultiplied);
    const zarnfoil::ui::PlotView view = window.View();
    for (auto _ : state) {
        window.DrawPlot(view.VIEW_XC, view.VIEW_YC, view.VIEW_W, view.VIEW_H);
        if (paint) window.Picture1().render(&image);
    }
    state.counters["segments"] = static_cast<double>(window.Picture1().canvas().Segments().size());
}

void BM_AirfoilRecord401(benchmark::State& state) {
    AirfoilWindow401(state, false);
}
void BM_AirfoilRedraw401(benchmark::State& state) {
    AirfoilWindow401(state, true);
}

} // namespace

BENCHMARK(BM_AirfoilRecord401)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AirfoilRedraw401)->Unit(benchmark::kMillisecond);
