// The colours of the plot windows.
#pragma once

#include <QColor>

namespace zarnfoil::ui {

inline const QColor kWhite{255, 255, 255};
inline const QColor kGreen{0, 255, 0};    // major grid lines
inline const QColor kYellow{255, 255, 0}; // minor grid lines
inline const QColor kBlue{0, 0, 255};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlack{0, 0, 0};
inline const QColor kMagenta{255, 0, 255}; // the curvature's reversals

} // namespace zarnfoil::ui
