// The picture widget: replay on paint, mouse events in world units.
#include "ui/plots/picture_area.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace zarnfoil::ui {
namespace {

int ButtonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons & Qt::LeftButton) bits |= kLeftButton;
    if (buttons & Qt::RightButton) bits |= kRightButton;
    if (buttons & Qt::MiddleButton) bits |= kMiddleButton;
    return bits;
}

int ShiftBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= kShiftKey;
    if (modifiers & Qt::ControlModifier) bits |= kCtrlKey;
    if (modifiers & Qt::AltModifier) bits |= kAltKey;
    return bits;
}

} // namespace

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true); // the read-out follows the cursor without a button held
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click takes the focus from a text box, so Home then returns the picture's first view.
    setFocusPolicy(Qt::ClickFocus);
    QFont labelFont = font();
    labelFont.setPointSize(8);
    setFont(labelFont);
    const QFontMetrics metrics(labelFont);
    canvas_.SetTextMetrics({metrics.height(), metrics.horizontalAdvance("-00000.00")});
}

float PictureArea::PlotAspect() const {
    const QRectF plot = canvas_.PlotArea(size());
    return static_cast<float>(plot.height() / plot.width());
}

void PictureArea::SetBand(const QRect& band) {
    band_ = band;
    update();
}

void PictureArea::RenderTo(QPainter& painter, QSizeF size) const {
    painter.setFont(font());
    canvas_.Replay(painter, size);
}

QImage PictureArea::RenderImage() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    RenderTo(painter, size());
    return image;
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    RenderTo(painter, size());
    if (band_.isEmpty()) return;
    QPen pen(canvas_.Background().lightness() < 128 ? Qt::white : Qt::black);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band_);
}

PictureMouse PictureArea::ToPictureMouse(const QMouseEvent& event, int button) const {
    const QPointF world = WorldAt(event.position());
    return {button, ShiftBits(event.modifiers()), static_cast<float>(world.x()),
            static_cast<float>(world.y())};
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
    pressPixel_ = event->position().toPoint();
    emit mousePressed(ToPictureMouse(*event, ButtonBits(event->button())));
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(ToPictureMouse(*event, ButtonBits(event->button())));
    const bool dragged = (event->position().toPoint() - pressPixel_).manhattanLength() >=
                         QApplication::startDragDistance();
    if (event->button() == Qt::RightButton && !dragged)
        emit menuRequested(event->globalPosition().toPoint());
}

void PictureArea::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(ToPictureMouse(*event, ButtonBits(event->buttons())));
}

void PictureArea::contextMenuEvent(QContextMenuEvent* event) {
    // The right button belongs to the picture while it is down (a drag edits in some
    // pictures); its menu opens on release. The menu key opens it at once.
    if (event->reason() != QContextMenuEvent::Mouse) emit menuRequested(event->globalPos());
    event->accept();
}

} // namespace zarnfoil::ui
