// Wheel, drag, box and double click on a picture.
#include "ui/plots/picture_navigator.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

namespace zarnfoil::ui {
namespace {

constexpr double kZoomPerNotch = 1.25; // one notch of the wheel (120 eighths of a degree)
constexpr int kSmallestBox = 5;        // pixels; a smaller box is taken for a slip

int Modifiers(Qt::KeyboardModifiers keys) {
    int bits = 0;
    if (keys & Qt::ShiftModifier) bits |= kShiftKey;
    if (keys & Qt::ControlModifier) bits |= kCtrlKey;
    if (keys & Qt::AltModifier) bits |= kAltKey;
    return bits;
}

} // namespace

PictureNavigator::PictureNavigator(PictureArea& picture, PlotView& view, NavigationRules rules,
                                   std::function<void()> redraw, std::function<void()> reset)
    : QObject(&picture), picture_(picture), view_(view), rules_(rules), redraw_(std::move(redraw)),
      reset_(std::move(reset)) {
    picture.installEventFilter(this);
}

bool PictureNavigator::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &picture_) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        Press(*static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseMove:
        Move(*static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseButtonRelease:
        Release(*static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        gesture_ = Gesture::Ignore; // the release that follows ends nothing
        reset_();
        return true;
    case QEvent::Wheel:
        Wheel(*static_cast<QWheelEvent*>(event));
        return true;
    default:
        return false;
    }
}

void PictureNavigator::Press(const QMouseEvent& event) {
    const QPointF world = picture_.WorldAt(event.position());
    const int keys = Modifiers(event.modifiers());
    if (rules_.axes == ViewAxes::Both)
        PressView(view_, {event.button() == Qt::RightButton ? kRightButton : kLeftButton, keys,
                          static_cast<float>(world.x()), static_cast<float>(world.y())});
    pressPixel_ = event.position().toPoint();
    pressView_ = view_;
    pressWorld_ = picture_.canvas().World();
    pressPlot_ = picture_.canvas().PlotArea(picture_.size());
    gesture_ = Gesture::None;
    if (event.button() == Qt::LeftButton) {
        if (keys == 0)
            gesture_ = Gesture::Click;
        else if (keys & kCtrlKey)
            gesture_ = Gesture::Box;
        else if (rules_.axes == ViewAxes::Both && rules_.shiftZoom)
            gesture_ = Gesture::ShiftZoom;
    } else if (event.button() == Qt::RightButton && rules_.rightButtonBox) {
        gesture_ = Gesture::Box;
    }
}

bool PictureNavigator::Dragged(QPoint at) const {
    return (at - pressPixel_).manhattanLength() >= QApplication::startDragDistance();
}

void PictureNavigator::PanTo(QPointF pixel) {
    // Measured in the mapping the drag began with, so the point under the cursor stays there.
    const QPointF from = PixelToWorld(pressWorld_, pressPlot_, pressPixel_);
    const QPointF to = PixelToWorld(pressWorld_, pressPlot_, pixel);
    PanFrom(view_, pressView_, to.x() - from.x(), to.y() - from.y(), rules_.axes);
}

void PictureNavigator::Move(const QMouseEvent& event) {
    const QPoint at = event.position().toPoint();
    if ((gesture_ == Gesture::Click && Dragged(at)) || gesture_ == Gesture::Pan) {
        gesture_ = Gesture::Pan;
        PanTo(event.position());
        Changed();
    } else if (gesture_ == Gesture::Box && Dragged(at)) {
        QRect box = QRect(pressPixel_, at).normalized();
        if (rules_.axes == ViewAxes::XOnly) box.setTop(0), box.setBottom(picture_.height() - 1);
        picture_.SetBand(box);
    }
}

void PictureNavigator::Release(const QMouseEvent& event) {
    const Gesture gesture = gesture_;
    gesture_ = Gesture::None;
    picture_.SetBand({});
    const QPointF world = picture_.WorldAt(event.position());
    const PictureMouse mouse{event.button() == Qt::LeftButton ? kLeftButton : kRightButton,
                             Modifiers(event.modifiers()), static_cast<float>(world.x()),
                             static_cast<float>(world.y())};
    const QPoint at = event.position().toPoint();
    if (gesture == Gesture::Pan || (gesture == Gesture::Click && Dragged(at))) {
        PanTo(event.position()); // also where no move was reported on the way
        emit navigated();
    } else if (gesture == Gesture::Click) {
        emit clicked(mouse);
    } else if (gesture == Gesture::ShiftZoom && event.button() == Qt::LeftButton) {
        ReleaseView(view_, mouse, rules_.zoomScale);
        emit navigated();
    } else if (gesture == Gesture::Box) {
        const QRect box = QRect(pressPixel_, at).normalized();
        const bool tall = rules_.axes == ViewAxes::XOnly || box.height() >= kSmallestBox;
        if (box.width() >= kSmallestBox && tall) {
            const QPointF a = picture_.WorldAt(pressPixel_);
            const float aspect = rules_.trueToShape ? picture_.PlotAspect() : 0.0f;
            if (ZoomToBox(view_, static_cast<float>(a.x()), static_cast<float>(a.y()), mouse.x,
                          mouse.y, aspect, rules_.axes))
                emit navigated();
        }
    }
    // Every release draws again, as the first releases of this program did.
    redraw_();
}

void PictureNavigator::Wheel(const QWheelEvent& event) {
    const QPoint delta = event.angleDelta();
    // Shift + wheel arrives as a sideways turn on some systems.
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    if (notches == 0) return;
    ViewAxes axes = rules_.axes;
    if (axes == ViewAxes::Both && !rules_.trueToShape) {
        if (event.modifiers() & Qt::ControlModifier)
            axes = ViewAxes::YOnly;
        else if (event.modifiers() & Qt::ShiftModifier)
            axes = ViewAxes::XOnly;
    }
    const QPointF at = picture_.WorldAt(event.position());
    if (ZoomAbout(view_, static_cast<float>(at.x()), static_cast<float>(at.y()),
                  static_cast<float>(std::pow(kZoomPerNotch, notches)), axes))
        Changed();
}

void PictureNavigator::Changed() {
    emit navigated(); // first: a window that follows its data must know before it draws
    redraw_();
}

} // namespace zarnfoil::ui
