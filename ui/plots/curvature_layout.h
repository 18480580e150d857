// How the curvature window's two pictures follow the window: the curvature picture keeps its
// proportions across the full width, the weight picture takes the height that is left.
#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>

namespace zarnfoil::ui {

// Measured from the design when the window loads (twips).
struct CurvatureLayout {
    float aspect = 1;             // Pict_C height / width
    std::int16_t widthMargin = 0; // window width - Pict_C width
    std::int16_t gap = 0;         // Pict_D top - Pict_C height
    std::int16_t rest = 0;        // window height - gap - Pict_D height - Pict_C height
};

CurvatureLayout MeasureCurvatureLayout(QSize clientTwips, QRect pictCTwips, QRect pictDTwips);

// Pixel rectangles of Pict_C (at `pictCAt`) and Pict_D for a window of the given size. A
// window too small for the rule still gets pictures of at least one pixel.
struct CurvatureFit {
    QRect pictC, pictD;
};
CurvatureFit FitCurvaturePictures(const CurvatureLayout& layout, QPoint pictCAt, QSize window);

} // namespace zarnfoil::ui
