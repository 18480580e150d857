// Scroll steps and selection by click for the weight editor.
#include "ui/plots/weight_editor.h"

namespace zarnfoil::ui {

float SteppedWeight(float weight, std::int16_t last, std::int16_t value) {
    const auto units = static_cast<std::int16_t>(last - value);
    const auto stepped = static_cast<float>(weight + kWeightStep * units);
    return stepped < 0 ? 0.0f : stepped;
}

std::int16_t PointAtT(const FoilState& s, float t) {
    if (LastSelectable(s) < FirstSelectable() || s.NP > kMaxPoints) return 0;
    for (int i = 1; i <= s.NP - 1; ++i) {
        const float midpoint = (s.T(i) + s.T(i + 1)) / 2;
        if (midpoint > t)
            return static_cast<std::int16_t>(i < FirstSelectable() ? FirstSelectable() : i);
    }
    return 0;
}

} // namespace zarnfoil::ui
