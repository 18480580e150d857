// Design sizes in twips (1/1440 inch), and the layout state of a plot window: the rules by
// which its picture follows the window when the window is resized.
#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>

namespace zarnfoil::ui {

// The design is laid out at 120 pixels per inch rather than the nominal 96 of Qt's
// device-independent pixel, so the value labels fit their column in today's fonts.
inline constexpr int kTwipsPerPixel = 12;

int TwipsToPixels(int twips);
QRect TwipRect(int left, int top, int width, int height);

struct LayoutState {
    float PIC_ASPECT = 1;      // picture height / picture width
    std::int16_t H_MARGIN = 0; // window width - picture width, twips
    std::int16_t V_MARGIN = 0; // window height - picture height, twips
    // The picture's frame round its plot area (numbers, titles, legend), pixels, and the plot
    // area's height / width at the design size.
    QSize frame;
    float PLOT_ASPECT = 1;
};

LayoutState MeasureLayout(QSize clientTwips, QSize pictureTwips, QSize framePixels = {});

struct PictureFit {
    int pictureWidth = 1, pictureHeight = 1, windowHeight = 1; // pixels
};

// The picture keeps its proportions: its width follows the window's width and the window's
// height follows the picture. With a frame it is the plot area inside it that keeps them, so
// a true-to-shape drawing stays true to shape.
PictureFit ProportionalFit(const LayoutState& layout, int windowWidth);

// The picture follows the window in both directions.
PictureFit FreeFit(const LayoutState& layout, int windowWidth, int windowHeight);

} // namespace zarnfoil::ui
