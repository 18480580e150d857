// The rules of the Cp pictures' scale: the critical Cp at the free-stream Mach number, the
// sonic index of a curve, the lower end of the Cp axis, and the t = ±sqrt(x) of the stations.
#pragma once

#include "core/array1.h"
#include "solver/kalto.h"

#include <optional>

namespace zarnfoil::ui {

inline constexpr int kStations = KALTO_STATIONS;
inline constexpr int kNoSonicIndex = kStations;

using StationArray = Array1<float, kStations>;

// One Cp curve: x and Cp at the stations, in the order the solver returns them (from the
// trailing edge over the upper surface to the leading edge and back over the lower one).
struct CpCurve {
    StationArray x, cp;
};

// The Cp at which the local flow reaches the speed of sound, the solver's own formula
// (solver/sonic_cp.h) in double precision, stored as a float. None at Mach 0, where it does not
// exist, nor where it is not a finite number.
std::optional<float> CriticalCp(float mach);

// The lower end of the Cp axis: the first of -1.0, -1.4, ..., -3.4 strictly below `cpmin`;
// -5.0 when `cpmin` is -3.4 or lower.
float AxisEnd(float cpmin);

struct CpScale {
    std::optional<float> cpStar;
    // The highest station j (2..128) of the newest curve with Cp* between Cp(j - 1) and Cp(j);
    // kNoSonicIndex when Cp does not cross Cp* there or there is no Cp*.
    int n = kNoSonicIndex;
    float CPMIN = 0; // smallest Cp of stations 1..128 of the curves shown
    float YMIN = -1.0f;
    float CPMAX = 1; // largest Cp of the curves shown, at least 1
};

// The scale of the newest curve at Mach `machLast`, its Cp axis covering the previous curve
// too when there is one. Station 129 takes part in neither the crossing nor the smallest Cp.
// Values that are not finite take part in nothing.
CpScale ScaleCp(const StationArray& cp, float machLast, const StationArray* previous = nullptr);

// The upper end of a Cp axis (positive Cp, drawn at the bottom): `end`, or the first step of
// `step` beyond it that reaches `cpmax`.
float AxisTop(float end, float step, float cpmax);

// The first station of the Cp* mark, which runs from station n - 4 to station n + 1; a
// crossing at station 4 or below starts the mark at station 1.
int MarkStart(int n);

// t(1) = -sqrt|x(1)|; t(j) = sqrt|x(j)|, negated when x(j) < x(j - 1). The stations met while
// x falls along the contour (the upper surface) lie at negative t, the others at positive t.
StationArray StationT(const StationArray& x);

} // namespace zarnfoil::ui
