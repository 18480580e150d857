// The drawing surface of a picture: a world rectangle, a background, coloured solid or dotted
// segments and texts at world positions. It records what is drawn, so a picture can be
// replayed on screen, saved to a file, and read back by tests.
#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <cstddef>
#include <vector>

class QPainter;

namespace zarnfoil::ui {

enum class LineStyle { Solid, Dotted };

struct Segment {
    QPointF from, to; // world coordinates
    QColor color;
    LineStyle style = LineStyle::Solid;
    int width = 1; // pixels
};

struct PrintedText {
    QPointF at; // world position of the text's top-left corner
    QString text;
    QColor color;
    std::size_t segmentsBefore = 0; // drawn after this many segments
};

// The world rectangle mapped onto the whole picture; y points up, so top > bottom.
struct WorldRect {
    double left = 0, top = 1, right = 1, bottom = 0;
};

class Canvas {
  public:
    // Forgets everything drawn; the picture shows only the background.
    void Clear(const QColor& background);
    // A rectangle without extent, or beyond the number range, cannot be mapped and is ignored.
    void SetWorld(double left, double top, double right, double bottom);
    void SetLineStyle(LineStyle style) { style_ = style; }
    void SetLineWidth(int pixels) { width_ = pixels; }
    void SetForeground(const QColor& color) { foreground_ = color; }

    void Line(double x1, double y1, double x2, double y2, const QColor& color);
    void Print(double x, double y, const QString& text); // in the foreground colour

    const WorldRect& World() const { return world_; }
    const QColor& Background() const { return background_; }
    LineStyle CurrentLineStyle() const { return style_; }
    const std::vector<Segment>& Segments() const { return segments_; }
    const std::vector<PrintedText>& Texts() const { return texts_; }

    QPointF ToPixel(QPointF world, QSizeF pictureSize) const;
    QPointF ToWorld(QPointF pixel, QSizeF pictureSize) const;

    // Paints the record onto a picture of the given size with the painter's font.
    void Replay(QPainter& painter, QSizeF pictureSize) const;

  private:
    WorldRect world_;
    QColor background_ = Qt::white;
    QColor foreground_ = Qt::black;
    LineStyle style_ = LineStyle::Solid;
    int width_ = 1;
    std::vector<Segment> segments_;
    std::vector<PrintedText> texts_;
};

} // namespace zarnfoil::ui
