// The pictures of the README's "What it looks like": every window on the noisy 401-point example,
// smoothed at a strip of 0.002 with the default "2-nd der." end conditions, drawn offscreen and
// saved as PNG. The Cp window computes twice over the real solver (Mach 0.70 and 0.60 at C lift
// 0.50), so both of its curves show. scripts/readme-pictures runs it.
// Usage: ui_readme_pictures FOLDER
#include "core/foil_state.h"
#include "ui/main/foil_document.h"
#include "ui/main/main_window.h"
#include "ui/plots/airfoil_window.h"
#include "ui/plots/curvature_window.h"
#include "ui/plots/leading_edge_window.h"
#include "ui/plots/thickness_camber_window.h"
#include "ui/pressure/pressure_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

using namespace zarnfoil;
using namespace zarnfoil::ui;

int failures = 0;

void Save(QWidget* window, const QDir& folder, const char* name) {
    if (!window) {
        std::fprintf(stderr, "no window for %s\n", name);
        ++failures;
        return;
    }
    QTest::qWait(100); // let the window lay itself out
    const QString path = folder.filePath(QString(name) + ".png");
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        ++failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

void Click(QWidget* window, const char* name) {
    if (auto* button = window->findChild<QPushButton*>(name))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        ++failures;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_readme_pictures FOLDER\n");
        return 2;
    }
    const QDir out(argv[1]);
    QDir().mkpath(out.path());
    // The same folder every time, so the main window's picture changes only with the window.
    QDir work(QDir::temp().filePath("zarnfoil-example"));
    work.removeRecursively();
    QDir().mkpath(work.path());
    const QString example = "naca2412_noisy.dat";
    QFile::copy(QDir(ZARNFOIL_EXAMPLES).filePath(example), work.filePath(example));

    auto state = std::make_unique<FoilState>();
    FoilDocument document(*state);
    Form_inp form(document, work.path());
    form.SetEndProgram([](int) {});
    InstallCurvatureWindow(form);
    InstallPressureWindow(form);
    form.show();
    form.PickFile(QDir::toNativeSeparators(work.path()), example);
    form.findChild<QLineEdit*>("Txt_SmS")->setText("0.002");
    Click(&form, "Cmd_InputF");
    Click(&form, "Cmd_Geom");
    for (const char* button : {"Cmd_Pictf", "Cmd_TC", "Cmd_Yt", "Cmd_cp"})
        Click(&form, button);

    // At its design size, which the offscreen screen is too low for.
    if (auto* curvature = form.findChild<Form_KSM*>()) curvature->resize(881, 796);
    if (auto* cp = form.findChild<Form_Cp*>()) {
        for (const char* mach : {"0.70", "0.6"}) {
            cp->findChild<QLineEdit*>("Txt_M")->setText(mach);
            Click(cp, "Cmd_cp");
        }
        if (state->NCP != 2) ++failures;
    }
    Save(&form, out, "main_window");
    Save(form.findChild<Form_KSM*>(), out, "curvature_window");
    Save(form.AirfoilWindow(), out, "airfoil_window");
    Save(form.ThicknessCamberWindow(), out, "thickness_camber_window");
    Save(form.LeadingEdgeWindow(), out, "leading_edge_window");
    Save(form.findChild<Form_Cp*>(), out, "pressure_window");
    work.removeRecursively();
    return failures == 0 ? 0 : 1;
}
