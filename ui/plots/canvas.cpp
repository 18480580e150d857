// Recording and replaying a picture.
#include "ui/plots/canvas.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <cmath>

namespace zarnfoil::ui {
namespace {

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

QPen PenFor(const Segment& s) {
    QPen pen(s.color);
    pen.setWidth(s.width);
    pen.setCosmetic(true);
    pen.setStyle(s.style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    return pen;
}

bool SamePen(const Segment& a, const Segment& b) {
    return a.color == b.color && a.style == b.style && a.width == b.width;
}

} // namespace

void Canvas::Clear(const QColor& background) {
    background_ = background;
    segments_.clear();
    texts_.clear();
}

void Canvas::SetWorld(double left, double top, double right, double bottom) {
    const double w = right - left, h = top - bottom;
    if (!Finite(w) || !Finite(h) || w == 0 || h == 0) return;
    world_ = {left, top, right, bottom};
}

void Canvas::Line(double x1, double y1, double x2, double y2, const QColor& color) {
    segments_.push_back({QPointF(x1, y1), QPointF(x2, y2), color, style_, width_});
}

void Canvas::Print(double x, double y, const QString& text) {
    texts_.push_back({QPointF(x, y), text, foreground_, segments_.size()});
}

QPointF Canvas::ToPixel(QPointF world, QSizeF size) const {
    const double px = (world.x() - world_.left) / (world_.right - world_.left) * size.width();
    const double py = (world_.top - world.y()) / (world_.top - world_.bottom) * size.height();
    return {px, py};
}

QPointF Canvas::ToWorld(QPointF pixel, QSizeF size) const {
    const double x = world_.left + pixel.x() / size.width() * (world_.right - world_.left);
    const double y = world_.top - pixel.y() / size.height() * (world_.top - world_.bottom);
    return {x, y};
}

void Canvas::Replay(QPainter& painter, QSizeF size) const {
    painter.fillRect(QRectF(QPointF(0, 0), size), background_);
    const QRectF clip(-4, -4, size.width() + 8, size.height() + 8);
    // A text may start left of or above the picture and still show in part.
    const QRectF textArea(-size.width(), -size.height(), 2 * size.width(), 2 * size.height());
    const double ascent = QFontMetricsF(painter.font()).ascent();

    std::vector<QLineF> batch;
    const Segment* batchPen = nullptr;
    auto flush = [&] {
        if (batch.empty()) return;
        painter.setPen(PenFor(*batchPen));
        painter.drawLines(batch.data(), static_cast<int>(batch.size()));
        batch.clear();
    };
    auto printUpTo = [&](std::size_t drawn, std::size_t& next) {
        for (; next < texts_.size() && texts_[next].segmentsBefore <= drawn; ++next) {
            const PrintedText& t = texts_[next];
            const QPointF p = ToPixel(t.at, size);
            if (!textArea.contains(p)) continue;
            painter.setPen(t.color);
            painter.drawText(QPointF(p.x(), p.y() + ascent), t.text);
        }
    };

    std::size_t nextText = 0;
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (nextText < texts_.size() && texts_[nextText].segmentsBefore <= i) {
            flush();
            printUpTo(i, nextText);
        }
        const Segment& s = segments_[i];
        QLineF line(ToPixel(s.from, size), ToPixel(s.to, size));
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

} // namespace zarnfoil::ui
