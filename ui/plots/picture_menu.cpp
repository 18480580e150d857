// Saving a picture and its context menu.
#include "ui/plots/picture_menu.h"

#include "ui/plots/picture_area.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>

namespace zarnfoil::ui {
namespace {

const char* const kPngFilter = "PNG image (*.png)";
const char* const kSvgFilter = "SVG drawing (*.svg)";

void SavePictureAs(PictureArea& picture, const QString& name) {
    QString filter = kPngFilter;
    QString path =
        QFileDialog::getSaveFileName(&picture, "Save picture", QDir::current().filePath(name),
                                     QString(kPngFilter) + ";;" + kSvgFilter, &filter);
    if (path.isEmpty()) return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != "png" && suffix != "svg") path += filter == kSvgFilter ? ".svg" : ".png";
    if (!SavePicture(picture, path))
        QMessageBox::warning(&picture, "Save picture",
                             "The picture could not be written to " +
                                 QDir::toNativeSeparators(path) + ".");
}

} // namespace

QString PictureFileName(const FoilState& s, const QString& picture) {
    const QString stem = QString::fromStdString(s.INNAME).section('.', 0, 0);
    return (stem.isEmpty() ? picture : stem + "_" + picture) + ".png";
}

bool SavePicture(const PictureArea& picture, const QString& path) {
    if (QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) != 0)
        return picture.RenderImage().save(path, "PNG");

    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(picture.size());
    svg.setViewBox(QRect(QPoint(0, 0), picture.size()));
    svg.setTitle(picture.window()->windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    picture.RenderTo(painter, picture.size());
    return painter.end() && QFileInfo(path).size() > 0;
}

QMenu* AttachPictureMenu(PictureArea& picture, std::function<void()> resetView,
                         std::function<QString()> fileName) {
    auto* menu = new QMenu(&picture);
    menu->setObjectName("PictureMenu");
    QObject::connect(
        menu->addAction("Save picture..."), &QAction::triggered, &picture,
        [&picture, fileName = std::move(fileName)] { SavePictureAs(picture, fileName()); });
    QObject::connect(menu->addAction("Reset view"), &QAction::triggered, &picture,
                     std::move(resetView));
    QObject::connect(&picture, &PictureArea::menuRequested, menu,
                     [menu](const QPoint& at) { menu->popup(at); });
    return menu;
}

} // namespace zarnfoil::ui
