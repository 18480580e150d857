// zarnfoil: the desktop program. It owns the one section in memory and opens the main window
// in the current directory.
#include "core/foil_state.h"
#include "ui/main/main_window.h"
#include "ui/plots/curvature_window.h"

#include <QApplication>
#include <QDir>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zarnfoil");
    auto state = std::make_unique<zarnfoil::FoilState>();
    zarnfoil::ui::Form_inp form(*state, QDir::currentPath());
    zarnfoil::ui::InstallCurvatureWindow(form, *state);
    form.show();
    return QApplication::exec();
}
