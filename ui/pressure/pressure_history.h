// The pressure window's previous curve: the curve shown before the last computation, drawn in
// red beside the newest one. Kept by the window's owner while the program runs.
#pragma once

#include "core/foil_state.h"

#include <QString>

#include <cstdint>

namespace zarnfoil::ui {

struct PressureHistory {
    std::int16_t PREVCP = 0;    // 1 when a previous curve is stored
    PointArray XCPPREV, CPPREV; // stations 1..129 are used
    QString caption;            // its Mach, alpha, CL and model, as the legend names it
};

} // namespace zarnfoil::ui
