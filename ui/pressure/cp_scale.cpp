// Critical Cp, sonic index, axis end and station t.
#include "ui/pressure/cp_scale.h"

#include "solver/sonic_cp.h"

#include <cmath>
#include <limits>

namespace zarnfoil::ui {

std::optional<float> CriticalCp(float mach) {
    if (static_cast<double>(mach) * mach == 0) return std::nullopt;
    const double cpStar = solver::SonicCp(mach);
    const auto stored = static_cast<float>(cpStar);
    if (!std::isfinite(cpStar) || !std::isfinite(stored)) return std::nullopt;
    return stored;
}

float AxisEnd(float cpmin) {
    for (const float end : {-1.0f, -1.4f, -1.8f, -2.2f, -2.6f, -3.0f, -3.4f})
        if (end < cpmin) return end;
    return -5.0f;
}

CpScale ScaleCp(const StationArray& cp, float machLast, const StationArray* previous) {
    CpScale scale;
    scale.cpStar = CriticalCp(machLast);
    float cpmin = std::numeric_limits<float>::infinity();
    const auto consider = [&cpmin](float value) {
        if (std::isfinite(value) && value < cpmin) cpmin = value;
    };
    consider(cp(1));
    for (int j = kStations - 1; j >= 2; --j) {
        if (scale.cpStar && scale.n == kNoSonicIndex) {
            const float below = cp(j - 1) - *scale.cpStar, here = cp(j) - *scale.cpStar;
            if (static_cast<float>(static_cast<double>(below) * here) < 0) scale.n = j;
        }
        consider(cp(j));
    }
    for (const StationArray* curve : {&cp, previous}) {
        if (!curve) continue;
        if (curve == previous)
            for (int j = 1; j <= kStations - 1; ++j)
                consider((*curve)(j));
        for (int j = 1; j <= kStations; ++j)
            if (std::isfinite((*curve)(j)) && (*curve)(j) > scale.CPMAX) scale.CPMAX = (*curve)(j);
    }
    scale.CPMIN = cpmin;
    scale.YMIN = AxisEnd(cpmin);
    return scale;
}

float AxisTop(float end, float step, float cpmax) {
    float top = end;
    for (int k = 0; top < cpmax && k < 100; ++k)
        top += step;
    return top;
}

int MarkStart(int n) {
    return n - 4 >= 1 ? n - 4 : 1;
}

StationArray StationT(const StationArray& x) {
    StationArray t;
    t(1) = -std::sqrt(std::fabs(x(1)));
    for (int j = 2; j <= kStations; ++j) {
        t(j) = std::sqrt(std::fabs(x(j)));
        if (x(j) < x(j - 1)) t(j) = -t(j);
    }
    return t;
}

} // namespace zarnfoil::ui
