// zarnfoil: the desktop program. It owns the one section in memory and opens the main window
// in the current directory.
#include "core/foil_state.h"
#include "ui/main/main_window.h"
#include "ui/main/window_slot.h"
#include "ui/plots/curvature_window.h"
#include "ui/pressure/pressure_window.h"

#include <QApplication>
#include <QDir>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zarnfoil");
    auto state = std::make_unique<zarnfoil::FoilState>();
    zarnfoil::ui::PressureHistory pressure; // the previous Cp curve, kept while the program runs
    zarnfoil::ui::Form_inp form(*state, QDir::currentPath());
    zarnfoil::ui::InstallCurvatureWindow(form, *state);
    zarnfoil::ui::WindowSlot<zarnfoil::ui::Form_Cp> cpWindow;
    form.SetPressureWindow([&] {
        cpWindow.Show([&] { return new zarnfoil::ui::Form_Cp(*state, pressure, &form); });
    });
    form.show();
    return QApplication::exec();
}
