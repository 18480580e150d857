// Scroll steps and selection by click for the weight editor.
#include "ui/plots/weight_editor.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace zarnfoil::ui {

float SteppedWeight(float weight, std::int16_t last, std::int16_t value) {
    const auto units = static_cast<std::int16_t>(last - value);
    constexpr double kLargest = std::numeric_limits<float>::max();
    double w = weight;
    for (int k = 0; k < std::abs(units) && w < kLargest; ++k) {
        if (units > 0) {
            w += std::max(kWeightStep, kWeightStepShare * w);
        } else {
            w -= std::max(kWeightStep, w - w / (1 + kWeightStepShare));
            if (w <= 0) break;
        }
    }
    return w < 0 ? 0.0f : static_cast<float>(std::min(w, kLargest));
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
