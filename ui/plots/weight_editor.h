// The weight editor's rules as plain functions: the step of the value scroll bar, the point a
// click in the weight picture selects, and the points that can be selected at all.
#pragma once

#include "core/foil_state.h"

#include <cstdint>

namespace zarnfoil::ui {

// The value scroll bar's position at rest; every new selection puts it back there.
inline constexpr std::int16_t kWeightScrollCentre = -500;
inline constexpr std::int16_t kWeightScrollMin = -1000;
inline constexpr std::int16_t kWeightScrollMax = -1;
// Change of a weight per unit of the value scroll bar: 5 % of the weight, and at least 0.00005,
// so that a weight of 0.002 grows to 0.01 in 33 arrow clicks or 4 clicks beside the thumb (10
// units each).
inline constexpr double kWeightStep = 0.00005;
inline constexpr double kWeightStepShare = 0.05;

// The weight after the value scroll bar moved from `last` to `value`, unit by unit of the 16-bit
// difference: upward (towards more negative values) by the larger of 5 % and 0.00005, downward
// by the larger of the step that the upward 5 % would undo and 0.00005; never below 0.
float SteppedWeight(float weight, std::int16_t last, std::int16_t value);

// The points that can be selected: 2 to NP - 1 (the trailing-edge points are always pinned).
// None while the section has fewer than 3 points: first > last.
inline std::int16_t FirstSelectable() {
    return 2;
}
inline std::int16_t LastSelectable(const FoilState& s) {
    return static_cast<std::int16_t>(s.NP - 1);
}
inline bool Selectable(const FoilState& s, int i) {
    return i >= FirstSelectable() && i <= LastSelectable(s) && i <= kMaxPoints;
}

// The point a left click at t in the weight picture selects: the point nearest in t, found as
// the first i whose midpoint (T(i) + T(i + 1)) / 2 lies beyond t. A click before the first
// midpoint selects point 2; beyond the last midpoint, or with nothing selectable, it gives 0.
std::int16_t PointAtT(const FoilState& s, float t);

} // namespace zarnfoil::ui
