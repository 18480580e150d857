// Measuring the Cp window's design and fitting it to a width.
#include "ui/pressure/cp_layout.h"

#include "core/number_field.h"
#include "ui/plots/plot_layout.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::ui {
namespace {

std::int16_t Twips(double value) {
    return static_cast<std::int16_t>(RoundHalfEven(value));
}

int Pixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

} // namespace

CpLayout MeasureCpLayout(const CpDesign& d) {
    CpLayout layout;
    const QRect cpt = d.cptTwips, cp = d.cpTwips;
    layout.cptRatio = static_cast<float>(cpt.height()) / static_cast<float>(cpt.width());
    layout.cpRatio = static_cast<float>(cp.height()) / static_cast<float>(cp.width());
    layout.cptWidthMargin = Twips(d.clientTwips.width() - cpt.width());
    layout.cpWidthMargin = Twips(d.clientTwips.width() - cp.width());
    layout.gap = Twips(cp.top() - cpt.height());
    layout.heightMargin = Twips(d.clientTwips.height() - layout.gap - cpt.height() - cp.height());
    layout.noteGap = Twips(d.noteTwips.top() - cp.top() - cp.height());
    return layout;
}

CpFit FitCp(const CpLayout& layout, int windowWidth, int maxHeight) {
    // In twips, as the design is; pixels at the end.
    const double window = static_cast<double>(windowWidth) * kTwipsPerPixel;
    const double cptWidth = std::max<double>(kTwipsPerPixel, window - layout.cptWidthMargin);
    const double cpWidth = std::max<double>(kTwipsPerPixel, window - layout.cpWidthMargin);
    double cptHeight = cptWidth * layout.cptRatio, cpHeight = cpWidth * layout.cpRatio;
    const double room =
        static_cast<double>(maxHeight) * kTwipsPerPixel - layout.gap - layout.heightMargin;
    if (cptHeight + cpHeight > room) {
        const double share = std::max(room, 2.0 * kTwipsPerPixel) / (cptHeight + cpHeight);
        cptHeight *= share;
        cpHeight *= share;
    }
    CpFit fit;
    fit.cptWidth = Pixels(cptWidth);
    fit.cpWidth = Pixels(cpWidth);
    fit.cptHeight = std::max(1, Pixels(cptHeight));
    fit.cpHeight = std::max(1, Pixels(cpHeight));
    fit.cpTop = Pixels(layout.gap + cptHeight);
    fit.noteTop = Pixels(layout.gap + cptHeight + cpHeight + layout.noteGap);
    fit.windowHeight = Pixels(cptHeight + layout.gap + cpHeight + layout.heightMargin);
    return fit;
}

} // namespace zarnfoil::ui
