// Data bounds, initial views, zoom and pan.
#include "ui/plots/plot_view.h"

#include <cmath>

namespace zarnfoil::ui {
namespace {

// A length a picture can be mapped over.
bool Usable(float length) {
    return std::isnormal(length) && length > 0;
}

// Re-centres a side of the data box with the given length.
void Resize(float& lo, float& hi, float length) {
    float centre = 0.5f * (lo + hi);
    if (!std::isfinite(centre)) centre = 0;
    lo = centre - 0.5f * length;
    hi = centre + 0.5f * length;
}

void SetBox(PlotView& v, float x1, float x2, float y1, float y2) {
    v.FULL_W = x2 - x1;
    v.FULL_H = y2 - y1;
    if (!Usable(v.FULL_W) || !Usable(v.FULL_H)) {
        const float w = Usable(v.FULL_W) ? v.FULL_W : Usable(v.FULL_H) ? v.FULL_H : 1.0f;
        const float h = Usable(v.FULL_H) ? v.FULL_H : w;
        if (!Usable(v.FULL_W)) Resize(x1, x2, w);
        if (!Usable(v.FULL_H)) Resize(y1, y2, h);
        v.FULL_W = w;
        v.FULL_H = h;
    }
    v.BOX_X1 = x1;
    v.BOX_X2 = x2;
    v.BOX_Y1 = y1;
    v.BOX_Y2 = y2;
    v.BOX_XC = 0.5f * (x1 + x2);
    v.BOX_YC = 0.5f * (y1 + y2);
}

void ViewWholeBox(PlotView& v) {
    v.VIEW_W = v.FULL_W;
    v.VIEW_H = v.FULL_H;
    v.VIEW_XC = v.BOX_XC;
    v.VIEW_YC = v.BOX_YC;
}

// A visible length the picture can show: usable, and within a million times the data box.
bool Reachable(float length, float box) {
    return Usable(length) && length >= 1e-6f * box && length <= 1e6f * box;
}

void MarginBox(PlotView& v, float xmin, float xmax, float ymin, float ymax) {
    const float mx = 0.01f * (xmax - xmin);
    const float my = 0.01f * (ymax - ymin);
    SetBox(v, xmin - mx, xmax + mx, ymin - my, ymax + my);
}

} // namespace

void FindBounds(std::int16_t n, const PointArray& xs, const PointArray& ys, float& xmin,
                float& xmax, float& ymin, float& ymax, std::int16_t keepY) {
    xmin = 1e8f;
    xmax = -1e8f;
    if (keepY == 0) {
        ymin = 1e8f;
        ymax = -1e8f;
    }
    for (int i = 1; i <= n; ++i) {
        if (xs(i) < xmin) xmin = xs(i);
        if (ys(i) < ymin) ymin = ys(i);
        if (xs(i) > xmax) xmax = xs(i);
        if (ys(i) > ymax) ymax = ys(i);
    }
}

void SetupView(PlotView& view, float xmin, float xmax, float ymin, float ymax) {
    MarginBox(view, xmin, xmax, ymin, ymax);
    ViewWholeBox(view);
}

void SetupView(PlotView& view, float xmin, float xmax, float ymin, float ymax,
               float pictureAspect) {
    MarginBox(view, xmin, xmax, ymin, ymax);
    const float q = view.FULL_H / view.FULL_W;
    const float r = Usable(pictureAspect) ? pictureAspect : q;
    if (r > q)
        view.FULL_H = r * view.FULL_W;
    else
        view.FULL_W = view.FULL_H / r;
    ViewWholeBox(view);
}

void ShowBox(PlotView& view, float xmin, float xmax, float ymin, float ymax) {
    SetBox(view, xmin, xmax, ymin, ymax);
    ViewWholeBox(view);
}

void PressView(PlotView& view, const PictureMouse& press) {
    view.DOWN_X = press.x;
    view.DOWN_Y = press.y;
}

void ReleaseView(PlotView& view, const PictureMouse& release, ZoomScale scale) {
    if (release.button != kLeftButton) return;
    if (release.shift != 0) {
        const float dy = view.DOWN_Y - release.y;
        const float s = scale == ZoomScale::ViewWidth ? view.VIEW_W : view.VIEW_H;
        const float f = 1 + 5 * std::fabs(dy) / s;
        const float w = dy < 0 ? view.VIEW_W * f : view.VIEW_W / f;
        const float h = dy < 0 ? view.VIEW_H * f : view.VIEW_H / f;
        if (Usable(w) && Usable(h)) {
            view.VIEW_W = w;
            view.VIEW_H = h;
        }
    } else {
        const float xc = view.VIEW_XC + view.DOWN_X - release.x;
        const float yc = view.VIEW_YC + view.DOWN_Y - release.y;
        if (std::isfinite(xc) && std::isfinite(yc)) {
            view.VIEW_XC = xc;
            view.VIEW_YC = yc;
        }
    }
}

bool ZoomAbout(PlotView& view, float x, float y, float factor, ViewAxes axes) {
    if (!(factor > 0) || !std::isfinite(factor) || !std::isfinite(x) || !std::isfinite(y))
        return false;
    const bool inX = axes != ViewAxes::YOnly, inY = axes != ViewAxes::XOnly;
    const float w = inX ? view.VIEW_W / factor : view.VIEW_W;
    const float h = inY ? view.VIEW_H / factor : view.VIEW_H;
    const float xc = inX ? x + (view.VIEW_XC - x) / factor : view.VIEW_XC;
    const float yc = inY ? y + (view.VIEW_YC - y) / factor : view.VIEW_YC;
    if (!Reachable(w, view.FULL_W) || !Reachable(h, view.FULL_H) || !std::isfinite(xc) ||
        !std::isfinite(yc))
        return false;
    view.VIEW_W = w, view.VIEW_H = h, view.VIEW_XC = xc, view.VIEW_YC = yc;
    return true;
}

bool ZoomToBox(PlotView& view, float x1, float y1, float x2, float y2, float pictureAspect,
               ViewAxes axes) {
    const bool inX = axes != ViewAxes::YOnly, inY = axes != ViewAxes::XOnly;
    float w = inX ? std::fabs(x2 - x1) : view.VIEW_W;
    float h = inY ? std::fabs(y2 - y1) : view.VIEW_H;
    if (pictureAspect > 0 && inX && inY) {
        if (h < pictureAspect * w)
            h = pictureAspect * w;
        else
            w = h / pictureAspect;
    }
    const float xc = inX ? 0.5f * (x1 + x2) : view.VIEW_XC;
    const float yc = inY ? 0.5f * (y1 + y2) : view.VIEW_YC;
    if (!Reachable(w, view.FULL_W) || !Reachable(h, view.FULL_H) || !std::isfinite(xc) ||
        !std::isfinite(yc))
        return false;
    view.VIEW_W = w, view.VIEW_H = h, view.VIEW_XC = xc, view.VIEW_YC = yc;
    return true;
}

void PanFrom(PlotView& view, const PlotView& from, double dx, double dy, ViewAxes axes) {
    const auto xc = static_cast<float>(from.VIEW_XC - (axes != ViewAxes::YOnly ? dx : 0.0));
    const auto yc = static_cast<float>(from.VIEW_YC - (axes != ViewAxes::XOnly ? dy : 0.0));
    if (std::isfinite(xc) && std::isfinite(yc)) view.VIEW_XC = xc, view.VIEW_YC = yc;
}

} // namespace zarnfoil::ui
