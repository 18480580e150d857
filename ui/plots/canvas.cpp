// Recording and replaying a picture with its frame.
#include "ui/plots/canvas.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zarnfoil::ui {
namespace {

const QColor kFrameLine{150, 150, 150}; // the plot area's border, on white and on black
constexpr double kTick = 3;             // length of an edge number's tick, pixels
constexpr double kLegendSample = 22;    // length of a legend's line sample, pixels

bool Finite(double v) {
    return std::isfinite(v);
}

// Cuts a segment to a rectangle (Liang-Barsky); false when nothing of it lies inside.
// Zoomed far in, segments reach millions of pixels beyond the picture, which the painter
// cannot be trusted with.
bool ClipToRect(QLineF& line, const QRectF& rect) {
    const double x0 = line.x1(), y0 = line.y1();
    const double dx = line.x2() - x0, dy = line.y2() - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - rect.left(), rect.right() - x0, y0 - rect.top(), rect.bottom() - y0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    line = QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
    return true;
}

QPen PenOf(const QColor& color, LineStyle style, int width) {
    QPen pen(color);
    pen.setWidth(width);
    pen.setCosmetic(true);
    pen.setStyle(style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    return pen;
}

bool SamePen(const Segment& a, const Segment& b) {
    return a.color == b.color && a.style == b.style && a.width == b.width;
}

// Every how many indices a number is shown (1, 2, 5, 10, 20, 50 ...) so that neighbours keep
// `room` pixels apart.
std::int64_t Stride(double pixelsPerIndex, double room) {
    if (!(pixelsPerIndex > 0)) return 1;
    for (std::int64_t decade = 1; decade < (std::int64_t{1} << 50); decade *= 10)
        for (const std::int64_t factor : {1, 2, 5})
            if (pixelsPerIndex * static_cast<double>(decade * factor) >= room)
                return decade * factor;
    return std::int64_t{1} << 50;
}

void DrawMark(QPainter& painter, LegendMark mark, QPointF at) {
    switch (mark) {
    case LegendMark::None:
        return;
    case LegendMark::Plus:
        painter.drawLine(QPointF(at.x() - 3, at.y()), QPointF(at.x() + 3, at.y()));
        painter.drawLine(QPointF(at.x(), at.y() - 3), QPointF(at.x(), at.y() + 3));
        return;
    case LegendMark::Diamond:
        painter.drawPolygon(QPolygonF({QPointF(at.x() - 4, at.y()), QPointF(at.x(), at.y() - 4),
                                       QPointF(at.x() + 4, at.y()), QPointF(at.x(), at.y() + 4)}));
        return;
    }
}

} // namespace

QPointF PixelToWorld(const WorldRect& w, const QRectF& plot, QPointF pixel) {
    const double x = w.left + (pixel.x() - plot.left()) / plot.width() * (w.right - w.left);
    const double y = w.top - (pixel.y() - plot.top()) / plot.height() * (w.top - w.bottom);
    return {x, y};
}

QPointF WorldToPixel(const WorldRect& w, const QRectF& plot, QPointF point) {
    const double px = plot.left() + (point.x() - w.left) / (w.right - w.left) * plot.width();
    const double py = plot.top() + (w.top - point.y()) / (w.top - w.bottom) * plot.height();
    return {px, py};
}

void Canvas::Clear(const QColor& background) {
    background_ = background;
    segments_.clear();
    texts_.clear();
    numbers_.clear();
    titles_.clear();
    legend_.clear();
}

void Canvas::SetWorld(double left, double top, double right, double bottom) {
    const double w = right - left, h = top - bottom;
    if (!Finite(w) || !Finite(h) || w == 0 || h == 0) return;
    world_ = {left, top, right, bottom};
}

void Canvas::Line(double x1, double y1, double x2, double y2, const QColor& color) {
    segments_.push_back({QPointF(x1, y1), QPointF(x2, y2), color, style_, width_});
}

void Canvas::Print(double x, double y, const QString& text, TextAnchor anchor) {
    texts_.push_back({QPointF(x, y), text, foreground_, segments_.size(), anchor});
}

void Canvas::Number(Edge edge, int row, double at, std::int64_t index, const QString& text) {
    numbers_.push_back({edge, row, at, index, text, foreground_});
}

void Canvas::Title(Edge edge, int row, const QString& text) {
    titles_.push_back({edge, row, text, foreground_});
}

void Canvas::Legend(LegendEntry entry) {
    entry.textColor = foreground_;
    legend_.push_back(std::move(entry));
}

QRectF Canvas::PlotArea(QSizeF size) const {
    if (!framed_) return {QPointF(0, 0), size};
    const double lh = metrics_.lineHeight;
    const double left = metrics_.numberWidth + 10;
    const double top = frame_.legendRows * lh + 4;
    const double right = 12;
    const double bottom = frame_.numberRows * lh + kTick + 4;
    return {left, top, std::max(1.0, size.width() - left - right),
            std::max(1.0, size.height() - top - bottom)};
}

QPointF Canvas::ToPixel(QPointF world, QSizeF size) const {
    return WorldToPixel(world_, PlotArea(size), world);
}

QPointF Canvas::ToWorld(QPointF pixel, QSizeF size) const {
    return PixelToWorld(world_, PlotArea(size), pixel);
}

void Canvas::Replay(QPainter& painter, QSizeF size) const {
    painter.fillRect(QRectF(QPointF(0, 0), size), background_);
    const QRectF plot = PlotArea(size);
    painter.save();
    painter.setClipRect(plot);
    ReplayPlot(painter, plot);
    painter.restore();
    if (framed_) ReplayFrame(painter, size, plot);
}

void Canvas::ReplayPlot(QPainter& painter, const QRectF& plot) const {
    const QRectF clip = plot.adjusted(-4, -4, 4, 4);
    const QFontMetricsF metrics(painter.font());
    // A text may start outside the plot area and still show in part.
    const QRectF textArea =
        plot.adjusted(-plot.width(), -plot.height(), plot.width(), plot.height());

    std::vector<QLineF> batch;
    const Segment* batchPen = nullptr;
    auto flush = [&] {
        if (batch.empty()) return;
        painter.setPen(PenOf(batchPen->color, batchPen->style, batchPen->width));
        painter.drawLines(batch.data(), static_cast<int>(batch.size()));
        batch.clear();
    };
    auto printUpTo = [&](std::size_t drawn, std::size_t& next) {
        for (; next < texts_.size() && texts_[next].segmentsBefore <= drawn; ++next) {
            const PrintedText& t = texts_[next];
            QPointF p = WorldToPixel(world_, plot, t.at);
            if (!textArea.contains(p)) continue;
            if (t.anchor == TextAnchor::BottomRight)
                p -= QPointF(metrics.horizontalAdvance(t.text), metrics.height());
            painter.setPen(t.color);
            painter.drawText(QPointF(p.x(), p.y() + metrics.ascent()), t.text);
        }
    };

    std::size_t nextText = 0;
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (nextText < texts_.size() && texts_[nextText].segmentsBefore <= i) {
            flush();
            printUpTo(i, nextText);
        }
        const Segment& s = segments_[i];
        QLineF line(WorldToPixel(world_, plot, s.from), WorldToPixel(world_, plot, s.to));
        if (!Finite(line.x1()) || !Finite(line.y1()) || !Finite(line.x2()) || !Finite(line.y2()))
            continue;
        if (!ClipToRect(line, clip)) continue;
        if (batchPen && !SamePen(*batchPen, s)) flush();
        batchPen = &s;
        batch.push_back(line);
    }
    flush();
    printUpTo(segments_.size(), nextText);
}

void Canvas::ReplayFrame(QPainter& painter, QSizeF size, const QRectF& plot) const {
    const QFontMetricsF metrics(painter.font());
    const double lh = metrics_.lineHeight, ascent = metrics.ascent();
    painter.setPen(PenOf(kFrameLine, LineStyle::Solid, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // Numbers: neighbours that would overlap leave out all but every 2nd, 5th, 10th ... index.
    double widest = 0, bottomPerIndex = 0, leftPerIndex = 0;
    const EdgeNumber* firstOf[2] = {nullptr, nullptr};
    for (const EdgeNumber& n : numbers_) {
        const int e = n.edge == Edge::Bottom ? 0 : 1;
        if (e == 0) widest = std::max(widest, metrics.horizontalAdvance(n.text));
        const EdgeNumber* first = firstOf[e];
        if (!first) {
            firstOf[e] = &n;
        } else if (n.index != first->index && n.row == first->row) {
            const double perIndex =
                std::fabs((e == 0 ? WorldToPixel(world_, plot, {n.at, 0}).x() -
                                        WorldToPixel(world_, plot, {first->at, 0}).x()
                                  : WorldToPixel(world_, plot, {0, n.at}).y() -
                                        WorldToPixel(world_, plot, {0, first->at}).y()) /
                          static_cast<double>(n.index - first->index));
            (e == 0 ? bottomPerIndex : leftPerIndex) = perIndex;
        }
    }
    const std::int64_t bottomStride = Stride(bottomPerIndex, widest + 10);
    const std::int64_t leftStride = Stride(leftPerIndex, lh + 2);
    for (const EdgeNumber& n : numbers_) {
        const bool bottom = n.edge == Edge::Bottom;
        if (n.index % (bottom ? bottomStride : leftStride) != 0) continue;
        const double w = metrics.horizontalAdvance(n.text);
        painter.setPen(n.color);
        if (bottom) {
            const double px = WorldToPixel(world_, plot, {n.at, 0}).x();
            if (!(px >= plot.left() - 1 && px <= plot.right() + 1)) continue;
            if (n.row == 0)
                painter.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + kTick));
            const double x = std::clamp(px - w / 2, 1.0, std::max(1.0, size.width() - w - 1));
            painter.drawText(QPointF(x, plot.bottom() + kTick + 1 + n.row * lh + ascent), n.text);
        } else {
            const double py = WorldToPixel(world_, plot, {0, n.at}).y();
            if (!(py >= plot.top() - 1 && py <= plot.bottom() + 1)) continue;
            painter.drawLine(QPointF(plot.left() - kTick, py), QPointF(plot.left(), py));
            const double top = std::clamp(py - metrics.height() / 2, 0.0, size.height() - lh);
            painter.drawText(QPointF(plot.left() - kTick - 2 - w, top + ascent), n.text);
        }
    }

    double legendStart = plot.left();
    for (const AxisTitle& t : titles_) {
        painter.setPen(t.color);
        if (t.edge == Edge::Bottom) {
            painter.drawText(QPointF(3, plot.bottom() + kTick + 1 + t.row * lh + ascent), t.text);
        } else {
            painter.drawText(QPointF(3, 2 + ascent), t.text);
            legendStart = std::max(legendStart, 3 + metrics.horizontalAdvance(t.text) + 14);
        }
    }

    std::vector<double> rowEnd(static_cast<std::size_t>(std::max(frame_.legendRows, 1)),
                               legendStart);
    for (const LegendEntry& e : legend_) {
        const auto row = static_cast<std::size_t>(std::clamp(e.row, 0, frame_.legendRows - 1));
        const double x = rowEnd[row], y = 2 + static_cast<double>(row) * lh + lh / 2;
        painter.setPen(PenOf(e.color, e.style, 1));
        painter.setBrush(Qt::NoBrush);
        if (e.line) painter.drawLine(QPointF(x, y), QPointF(x + kLegendSample, y));
        painter.setPen(PenOf(e.markColor.isValid() ? e.markColor : e.color, LineStyle::Solid, 1));
        DrawMark(painter, e.mark, QPointF(x + kLegendSample / 2, y));
        painter.setPen(e.textColor);
        painter.drawText(QPointF(x + kLegendSample + 4, y - metrics.height() / 2 + ascent), e.text);
        rowEnd[row] = x + kLegendSample + 4 + metrics.horizontalAdvance(e.text) + 14;
    }
}

} // namespace zarnfoil::ui
