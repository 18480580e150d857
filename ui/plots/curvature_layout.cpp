// Layout state and resize rule of the curvature window.
#include "ui/plots/curvature_layout.h"

#include "ui/plots/plot_layout.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::ui {

CurvatureLayout MeasureCurvatureLayout(QSize clientTwips, QRect pictCTwips, QRect pictDTwips) {
    CurvatureLayout layout;
    layout.aspect =
        static_cast<float>(pictCTwips.height()) / static_cast<float>(pictCTwips.width());
    layout.widthMargin = static_cast<std::int16_t>(clientTwips.width() - pictCTwips.width());
    layout.gap = static_cast<std::int16_t>(pictDTwips.top() - pictCTwips.height());
    layout.rest = static_cast<std::int16_t>(clientTwips.height() - layout.gap -
                                            pictDTwips.height() - pictCTwips.height());
    return layout;
}

CurvatureFit FitCurvaturePictures(const CurvatureLayout& layout, QPoint pictCAt, QSize window) {
    const int width = std::max(1, window.width() - TwipsToPixels(layout.widthMargin));
    const int heightC =
        std::max(1, static_cast<int>(std::lround(static_cast<float>(width) * layout.aspect)));
    const int gap = TwipsToPixels(layout.gap);
    const int heightD = std::max(1, window.height() - (heightC + gap + TwipsToPixels(layout.rest)));
    return {QRect(pictCAt.x(), pictCAt.y(), width, heightC),
            QRect(pictCAt.x(), gap + heightC, width, heightD)};
}

} // namespace zarnfoil::ui
