// Layout state and resize rule of the curvature window.
#include "ui/plots/curvature_layout.h"

#include "ui/plots/plot_layout.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::ui {

CurvatureLayout MeasureCurvatureLayout(const CurvatureDesign& d) {
    CurvatureLayout layout;
    layout.aspect = static_cast<float>(d.pictC.height()) / static_cast<float>(d.pictC.width());
    layout.widthMargin = static_cast<std::int16_t>(d.client.width() - d.pictC.width());
    layout.gapC = static_cast<std::int16_t>(d.pictDev.top() - d.pictC.top() - d.pictC.height());
    layout.gapDev = static_cast<std::int16_t>(d.pictD.top() - d.pictDev.top() - d.pictDev.height());
    layout.devShare = static_cast<float>(d.pictDev.height()) /
                      static_cast<float>(d.pictDev.height() + d.pictD.height());
    layout.gapD = static_cast<std::int16_t>(d.status.top() - d.pictD.top() - d.pictD.height());
    layout.statusHeight = static_cast<std::int16_t>(d.status.height());
    layout.rest = static_cast<std::int16_t>(d.client.height() - d.status.top() - d.status.height());
    return layout;
}

CurvatureFit FitCurvaturePictures(const CurvatureLayout& layout, QPoint pictCAt, QSize window) {
    const int width = std::max(1, window.width() - TwipsToPixels(layout.widthMargin));
    const int heightC =
        std::max(1, static_cast<int>(std::lround(static_cast<float>(width) * layout.aspect)));
    const int devTop = pictCAt.y() + heightC + TwipsToPixels(layout.gapC);
    const int statusHeight = TwipsToPixels(layout.statusHeight);
    const int statusTop = window.height() - TwipsToPixels(layout.rest) - statusHeight;
    const int both = statusTop - TwipsToPixels(layout.gapD) - devTop - TwipsToPixels(layout.gapDev);
    const int heightDev =
        std::max(1, static_cast<int>(std::lround(static_cast<float>(both) * layout.devShare)));
    const int heightD = std::max(1, both - heightDev);
    const int dTop = devTop + heightDev + TwipsToPixels(layout.gapDev);
    return {QRect(pictCAt.x(), pictCAt.y(), width, heightC),
            QRect(pictCAt.x(), devTop, width, heightDev), QRect(pictCAt.x(), dTop, width, heightD),
            QRect(pictCAt.x(), dTop + heightD + TwipsToPixels(layout.gapD), width, statusHeight)};
}

} // namespace zarnfoil::ui
