// What the window tests share: NACA 0012 section files, a section read and smoothed by the
// core, the batch command's files beside a window's, reading what a picture recorded, and PNG
// shots of the windows.
#pragma once

#include "core/foil_state.h"
#include "files/section_reader.h"
#include "ui/plots/canvas.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

class QWidget;

namespace zarnfoil::uitest {

// Writes an "X Y D" NACA 0012 file of 2m - 1 points, from the lower trailing edge, into
// `folder` and returns its path.
QString WriteNaca0012(const QString& folder, const QString& name, int stationsPerSurface);

// A section as Input and Smooth leave it, its output files in the file's folder.
std::unique_ptr<FoilState> ReadAndSmooth(const QString& path,
                                         std::int16_t gridChoice = kGridFromUpperSurface,
                                         float strip = 0);

// Runs the batch command with `arguments` into `folder`/batch and returns those of `names`
// whose bytes there differ from the file of that name in `folder`, or that the window did not
// write.
QStringList UnlikeTheBatchCommand(const QStringList& arguments, const QString& folder,
                                  const QStringList& names);

int CountSegments(const ui::Canvas& canvas, const QColor& color, ui::LineStyle style);
QStringList TextsOf(const ui::Canvas& canvas);
// The numbers along an edge (a row of the bottom edge), the axis titles ("x/c y/c": bottom
// first) and the legend's texts.
QStringList NumbersOf(const ui::Canvas& canvas, ui::Edge edge, int row = 0);
QString TitlesOf(const ui::Canvas& canvas);
QStringList LegendOf(const ui::Canvas& canvas);

// Gestures with the mouse on a widget, as a user makes them: a wheel turn of `notches` at a
// pixel, and a drag from one pixel to another with moves on the way.
void Wheel(QWidget* widget, QPoint at, double notches, Qt::KeyboardModifiers keys = {});
void Drag(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint from,
          QPoint to);
// The value as a window shows it, formatted with a picture.
QString Shown(double value, const char* picture);

// a and b agree within `tolerance`, relative to the larger of 1 and |b|.
inline bool Near(double a, double b, double tolerance = 1e-6) {
    return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

// Saves a picture of the window as shots/<name>.png for a person to look at.
void SaveShot(QWidget& window, const QString& name);

} // namespace zarnfoil::uitest
