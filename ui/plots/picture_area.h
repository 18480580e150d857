// A picture of a plot window: replays its canvas whenever Qt asks for a repaint, so a covered
// window redraws, and reports mouse presses, releases and moves in world coordinates.
#pragma once

#include "ui/plots/canvas.h"
#include "ui/plots/picture_mouse.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace zarnfoil::ui {

class PictureArea : public QWidget {
    Q_OBJECT
  public:
    explicit PictureArea(QWidget* parent = nullptr);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    QPointF WorldAt(QPointF pixel) const { return canvas_.ToWorld(pixel, size()); }

    // The picture as it shows now, at its own size.
    QImage RenderImage() const;
    void RenderTo(QPainter& painter, QSizeF size) const;

  signals:
    void mousePressed(const zarnfoil::ui::PictureMouse& mouse);
    void mouseReleased(const zarnfoil::ui::PictureMouse& mouse);
    void mouseMoved(const zarnfoil::ui::PictureMouse& mouse);
    // A right click that did not drag, or the keyboard's menu key.
    void menuRequested(const QPoint& globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    PictureMouse ToPictureMouse(const QMouseEvent& event, int button) const;

    Canvas canvas_;
    QPoint pressPixel_;
};

} // namespace zarnfoil::ui
