// zarnfoil: the desktop program. It owns the one section in memory and opens the main window
// in the current directory.
#include "core/foil_state.h"
#include "ui/main/foil_document.h"
#include "ui/main/main_window.h"
#include "ui/plots/curvature_window.h"
#include "ui/pressure/pressure_window.h"

#include <QApplication>
#include <QDir>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zarnfoil");
    auto state = std::make_unique<zarnfoil::FoilState>();
    zarnfoil::ui::FoilDocument document(*state);
    zarnfoil::ui::Form_inp form(document, QDir::currentPath());
    zarnfoil::ui::InstallCurvatureWindow(form);
    zarnfoil::ui::InstallPressureWindow(form);
    form.show();
    return QApplication::exec();
}
