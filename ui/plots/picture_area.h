// A picture of a plot window: replays its canvas whenever Qt asks for a repaint, so a covered
// window redraws, reports mouse presses, releases and moves in world coordinates, and shows the
// box of a zoom while it is being drawn.
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
    // Height / width of the area the world rectangle is mapped onto.
    float PlotAspect() const;

    // The zoom box being drawn, over the picture; an empty one hides it.
    void SetBand(const QRect& band);

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
    QRect band_;
};

} // namespace zarnfoil::ui
