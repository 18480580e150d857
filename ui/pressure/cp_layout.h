// The layout of the Cp window: its design in twips, the values taken when it loads, and the
// re-layout on resize, in which both pictures follow the window's width, keep their
// proportions while the screen has room, and the window's height follows them; the note line
// stays under Pict_Cp.
#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>

namespace zarnfoil::ui {

struct CpDesign {
    QSize clientTwips;
    QRect cptTwips;  // Pict_Cpt, Cp over t, at the top right
    QRect cpTwips;   // Pict_Cp, Cp over x, below it over the whole width
    QRect noteTwips; // Lbl_note, what the engineer must know about the curve, under Pict_Cp
};

inline const CpDesign kCpDesign{QSize(6810, 8175), QRect(1440, 120, 5292, 3255),
                                QRect(120, 3480, 6612, 4095), QRect(120, 7605, 6612, 480)};

struct CpLayout {
    float cptRatio = 1, cpRatio = 1;                    // height / width of each picture
    std::int16_t cptWidthMargin = 0, cpWidthMargin = 0; // window width - picture width, twips
    std::int16_t gap = 0;          // top of Pict_Cp - height of Pict_Cpt, twips
    std::int16_t heightMargin = 0; // window height - gap - both pictures' heights, twips
    std::int16_t noteGap = 0;      // top of Lbl_note - bottom of Pict_Cp, twips
};

CpLayout MeasureCpLayout(const CpDesign& design);

struct CpFit { // pixels
    int cptWidth = 1, cptHeight = 1;
    int cpWidth = 1, cpHeight = 1, cpTop = 0;
    int noteTop = 0;
    int windowHeight = 1;
};

// The pictures and the window's height for a window `windowWidth` pixels wide. Where that
// height would pass `maxHeight` (the screen's), both pictures give up height in proportion and
// the window stays `maxHeight` high.
CpFit FitCp(const CpLayout& layout, int windowWidth, int maxHeight = 1 << 20);

} // namespace zarnfoil::ui
