// The context menu of every picture: "Save picture..." writes what the picture shows as PNG
// or SVG; "Reset view" returns to the view the window had when it was loaded.
#pragma once

#include <QString>

#include <functional>

class QMenu;

namespace zarnfoil::ui {

class PictureArea;

// Writes the picture at its current size: SVG when the path ends in ".svg", else PNG.
// False when the file could not be written.
bool SavePicture(const PictureArea& picture, const QString& path);

// Gives the picture its menu (object name "PictureMenu", a child of the picture), which a window
// may add its own actions to.
QMenu* AttachPictureMenu(PictureArea& picture, std::function<void()> resetView);

} // namespace zarnfoil::ui
