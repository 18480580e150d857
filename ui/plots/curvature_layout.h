// How the curvature window's pictures follow the window: the curvature picture keeps its
// proportions across the full width, the deviation and weight pictures share the height that
// is left in their design proportions, and the status lines stay at the bottom.
#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>

namespace zarnfoil::ui {

// The design, in twips.
struct CurvatureDesign {
    QSize client;
    QRect pictC;   // the curvature
    QRect pictDev; // the deviation from the section as read, with the bands
    QRect pictD;   // the weights
    QRect status;  // the two status lines
};

// Measured from the design when the window loads (twips, but the share).
struct CurvatureLayout {
    float aspect = 1;              // Pict_C height / width
    std::int16_t widthMargin = 0;  // window width - Pict_C width
    std::int16_t gapC = 0;         // Pict_Dev top - Pict_C bottom
    std::int16_t gapDev = 0;       // Pict_D top - Pict_Dev bottom
    float devShare = 0.5f;         // Pict_Dev height / (Pict_Dev + Pict_D heights)
    std::int16_t gapD = 0;         // status top - Pict_D bottom
    std::int16_t statusHeight = 0; // both status lines
    std::int16_t rest = 0;         // window height - status bottom
};

CurvatureLayout MeasureCurvatureLayout(const CurvatureDesign& design);

// Pixel rectangles for a window of the given size, Pict_C at `pictCAt`. A window too small for
// the rule still gets pictures of at least one pixel.
struct CurvatureFit {
    QRect pictC, pictDev, pictD, status;
};
CurvatureFit FitCurvaturePictures(const CurvatureLayout& layout, QPoint pictCAt, QSize window);

} // namespace zarnfoil::ui
