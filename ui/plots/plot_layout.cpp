// Twips, layout state and the resize rules.
#include "ui/plots/plot_layout.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::ui {

int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect TwipRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

LayoutState MeasureLayout(QSize clientTwips, QSize pictureTwips, QSize framePixels) {
    LayoutState layout;
    layout.PIC_ASPECT =
        static_cast<float>(pictureTwips.height()) / static_cast<float>(pictureTwips.width());
    layout.frame = framePixels;
    layout.PLOT_ASPECT =
        framePixels.isEmpty()
            ? layout.PIC_ASPECT
            : static_cast<float>(TwipsToPixels(pictureTwips.height()) - framePixels.height()) /
                  static_cast<float>(TwipsToPixels(pictureTwips.width()) - framePixels.width());
    layout.H_MARGIN = static_cast<std::int16_t>(clientTwips.width() - pictureTwips.width());
    layout.V_MARGIN = static_cast<std::int16_t>(clientTwips.height() - pictureTwips.height());
    return layout;
}

PictureFit ProportionalFit(const LayoutState& layout, int windowWidth) {
    PictureFit fit;
    const int vMargin = TwipsToPixels(layout.V_MARGIN);
    fit.pictureWidth = std::max(1, windowWidth - TwipsToPixels(layout.H_MARGIN));
    const int plotWidth = std::max(1, fit.pictureWidth - layout.frame.width());
    fit.windowHeight =
        static_cast<int>(std::lround(static_cast<float>(plotWidth) * layout.PLOT_ASPECT)) +
        layout.frame.height() + vMargin;
    fit.pictureHeight = std::max(1, fit.windowHeight - vMargin);
    return fit;
}

PictureFit FreeFit(const LayoutState& layout, int windowWidth, int windowHeight) {
    PictureFit fit;
    fit.pictureWidth = std::max(1, windowWidth - TwipsToPixels(layout.H_MARGIN));
    fit.pictureHeight = std::max(1, windowHeight - TwipsToPixels(layout.V_MARGIN));
    fit.windowHeight = windowHeight;
    return fit;
}

} // namespace zarnfoil::ui
