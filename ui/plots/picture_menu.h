// The context menu of every picture: "Save picture..." writes what the picture shows (with its
// numbers, titles and legend) as PNG or SVG under a name made of the section file's stem and the
// picture; "Reset view" returns to the first view of the picture.
#pragma once

#include "core/foil_state.h"

#include <QString>

#include <functional>

class QMenu;

namespace zarnfoil::ui {

// "<stem>_<picture>.png", the stem being the section file's name up to its first "." (as for
// the output files); "<picture>.png" before a section is read.
QString PictureFileName(const FoilState& s, const QString& picture);

class PictureArea;

// Writes the picture at its current size: SVG when the path ends in ".svg", else PNG.
// False when the file could not be written.
bool SavePicture(const PictureArea& picture, const QString& path);

// Gives the picture its menu (object name "PictureMenu", a child of the picture), which a window
// may add its own actions to; `fileName` proposes the name of a saved picture.
QMenu* AttachPictureMenu(PictureArea& picture, std::function<void()> resetView,
                         std::function<QString()> fileName);

} // namespace zarnfoil::ui
