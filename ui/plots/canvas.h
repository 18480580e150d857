// The drawing surface of a picture: a world rectangle, a background, coloured solid or dotted
// segments and texts at world positions, and around the plot area a frame holding the axis
// numbers along the bottom and left edges, the axis titles and the legend. It records what is
// drawn, so a picture can be replayed on screen, saved to a file, and read back by tests.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <utility>
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

// Which corner of a text stands at its world position.
enum class TextAnchor { TopLeft, BottomRight };

struct PrintedText {
    QPointF at; // world position of the text's anchor corner
    QString text;
    QColor color;
    std::size_t segmentsBefore = 0; // drawn after this many segments
    TextAnchor anchor = TextAnchor::TopLeft;
};

// The world rectangle mapped onto the plot area; y points up when top > bottom.
struct WorldRect {
    double left = 0, top = 1, right = 1, bottom = 0;
};

// The bands round the plot area: legend rows above it, the axis numbers left of it and rows of
// axis numbers below it. Without a frame the world fills the whole picture.
struct Frame {
    int legendRows = 1;
    int numberRows = 1; // rows of numbers below the plot area (a second axis under the first)
};

// Text sizes of the picture's font, in pixels; the frame's bands are measured in them.
struct TextMetrics {
    int lineHeight = 13;
    int numberWidth = 50; // room for the widest axis number
};

enum class Edge { Bottom, Left };

// A number along an edge: the value `index` * step of the axis it stands for, at world
// coordinate `at` along the edge. Where numbers would overlap on screen only every 2nd, 5th,
// 10th ... index is shown.
struct EdgeNumber {
    Edge edge = Edge::Bottom;
    int row = 0; // bottom edge: 0 next to the plot area
    double at = 0;
    std::int64_t index = 0;
    QString text;
    QColor color;
};

// An axis title: the bottom edge's in the corner left of its row of numbers, the left edge's
// in the corner above its numbers.
struct AxisTitle {
    Edge edge = Edge::Bottom;
    int row = 0;
    QString text;
    QColor color;
};

enum class LegendMark { None, Plus, Diamond };

// A curve named in the legend: a sample of its line (when `line`) and of its markers.
struct LegendEntry {
    LegendEntry(QString text_, QColor color_, LineStyle style_ = LineStyle::Solid,
                bool line_ = true, LegendMark mark_ = LegendMark::None, QColor markColor_ = {})
        : text(std::move(text_)), color(color_), style(style_), line(line_), mark(mark_),
          markColor(markColor_) {}
    QString text;
    QColor color;
    LineStyle style = LineStyle::Solid;
    bool line = true;
    LegendMark mark = LegendMark::None;
    QColor markColor; // the line's colour when not given
    int row = 0;
    QColor textColor; // the foreground colour when the entry was made
};

// Maps a pixel of a plot area showing `world` to world coordinates, and back.
QPointF PixelToWorld(const WorldRect& world, const QRectF& plot, QPointF pixel);
QPointF WorldToPixel(const WorldRect& world, const QRectF& plot, QPointF point);

class Canvas {
  public:
    // Forgets everything drawn; the picture shows only the background. The frame, the text
    // metrics and the world rectangle stay.
    void Clear(const QColor& background);
    // A rectangle without extent, or beyond the number range, cannot be mapped and is ignored.
    void SetWorld(double left, double top, double right, double bottom);
    void SetFrame(const Frame& frame) { frame_ = frame, framed_ = true; }
    void SetTextMetrics(const TextMetrics& metrics) { metrics_ = metrics; }
    void SetLineStyle(LineStyle style) { style_ = style; }
    void SetLineWidth(int pixels) { width_ = pixels; }
    void SetForeground(const QColor& color) { foreground_ = color; }

    void Line(double x1, double y1, double x2, double y2, const QColor& color);
    // In the foreground colour, inside the plot area.
    void Print(double x, double y, const QString& text, TextAnchor anchor = TextAnchor::TopLeft);
    // Frame items, in the foreground colour.
    void Number(Edge edge, int row, double at, std::int64_t index, const QString& text);
    void Title(Edge edge, int row, const QString& text);
    void Legend(LegendEntry entry);

    const WorldRect& World() const { return world_; }
    const QColor& Background() const { return background_; }
    const QColor& Foreground() const { return foreground_; }
    LineStyle CurrentLineStyle() const { return style_; }
    const std::vector<Segment>& Segments() const { return segments_; }
    const std::vector<PrintedText>& Texts() const { return texts_; }
    const std::vector<EdgeNumber>& Numbers() const { return numbers_; }
    const std::vector<AxisTitle>& Titles() const { return titles_; }
    const std::vector<LegendEntry>& LegendEntries() const { return legend_; }
    bool Framed() const { return framed_; }

    // The part of a picture of the given size that the world rectangle is mapped onto.
    QRectF PlotArea(QSizeF pictureSize) const;
    QPointF ToPixel(QPointF world, QSizeF pictureSize) const;
    QPointF ToWorld(QPointF pixel, QSizeF pictureSize) const;

    // Paints the record onto a picture of the given size with the painter's font.
    void Replay(QPainter& painter, QSizeF pictureSize) const;

  private:
    void ReplayPlot(QPainter& painter, const QRectF& plot) const;
    void ReplayFrame(QPainter& painter, QSizeF size, const QRectF& plot) const;

    WorldRect world_;
    Frame frame_;
    bool framed_ = false;
    TextMetrics metrics_;
    QColor background_ = Qt::white;
    QColor foreground_ = Qt::black;
    LineStyle style_ = LineStyle::Solid;
    int width_ = 1;
    std::vector<Segment> segments_;
    std::vector<PrintedText> texts_;
    std::vector<EdgeNumber> numbers_;
    std::vector<AxisTitle> titles_;
    std::vector<LegendEntry> legend_;
};

} // namespace zarnfoil::ui
