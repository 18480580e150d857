// Normalisation, weights, parameter, end conditions and smoothing of one run.
#include "core/smoothing_run.h"

#include "core/band_smooth.h"
#include "core/point_line.h"
#include "core/spline.h"
#include "core/text_format.h"

#include <cmath>

namespace zarnfoil {
namespace {

constexpr float kPi = 3.14159265f;

// Derivative at a from three points a, b, c in that order away from a.
float OneSided(float ta, float tb, float tc, float fa, float fb, float fc) {
    const float r = (ta - tb) / (ta - tc);
    const float wa = (r + 1.0f) / (ta - tb);
    const float wc = r / (tb - tc);
    const float wb = -(wa + wc);
    return wa * fa + wb * fb + wc * fc;
}

// Derivative at b between a and c.
float Central(float ta, float tb, float tc, float fa, float fb, float fc) {
    const float h1 = tb - ta;
    const float h2 = tc - tb;
    const float wa = -h2 / (h1 * (h1 + h2));
    const float wc = h1 / (h2 * (h1 + h2));
    const float wb = -(wa + wc);
    return wa * fa + wb * fb + wc * fc;
}

void FindLeadingEdge(FoilState& s) {
    float xmin = s.X(1);
    s.ILE = 1;
    for (int i = 2; i <= s.NP; ++i)
        if (s.X(i) < xmin) {
            xmin = s.X(i);
            s.ILE = static_cast<std::int16_t>(i);
        }
    s.XLE = s.X(s.ILE);
    s.YLE = s.Y(s.ILE);
}

// Weight defaults of a smoothing run: untouched weights take the strip, and the trailing-edge
// points and the lowest and highest points of the section are pinned.
void ApplyWeightDefaults(FoilState& s, RunParams& p) {
    float lowest = 0.0f, highest = 0.0f;
    int iLow = 0, iHigh = 0;
    for (int i = 1; i <= s.NP; ++i) {
        if (s.YP(i) < lowest) lowest = s.YP(i), iLow = i;
        if (s.YP(i) > highest) highest = s.YP(i), iHigh = i;
        if (s.DP(i) == p.DSMOOTH_OLD || s.DP(i) == 0.0f) s.DP(i) = p.DSMOOTH;
    }
    p.DSMOOTH_OLD = p.DSMOOTH;
    s.DP(1) = 0.0f;
    s.DP(s.NP) = 0.0f;
    // A section entirely above (or below) the chord line has no lowest (highest) point.
    if (iLow != 0) s.DP(iLow) = 0.0f;
    if (iHigh != 0) s.DP(iHigh) = 0.0f;
}

void EndConditions(FoilState& s) {
    const auto& T = s.T;
    const auto& Y = s.YP;
    const int n = s.NP;
    if (s.IBC == 1) {
        s.BC1 = OneSided(T(1), T(2), T(3), Y(1), Y(2), Y(3));
        s.BC2 = OneSided(T(n), T(n - 1), T(n - 2), Y(n), Y(n - 1), Y(n - 2));
        return;
    }
    // Second derivatives: the one-sided formula applied to three first-derivative estimates.
    const float d1 = OneSided(T(1), T(2), T(3), Y(1), Y(2), Y(3));
    const float d2 = Central(T(1), T(2), T(3), Y(1), Y(2), Y(3));
    const float d3 = OneSided(T(3), T(2), T(1), Y(3), Y(2), Y(1));
    s.BC1 = OneSided(T(1), T(2), T(3), d1, d2, d3);
    const float dn = OneSided(T(n), T(n - 1), T(n - 2), Y(n), Y(n - 1), Y(n - 2));
    const float dn1 = Central(T(n - 2), T(n - 1), T(n), Y(n - 2), Y(n - 1), Y(n));
    const float dn2 = OneSided(T(n - 2), T(n - 1), T(n), Y(n - 2), Y(n - 1), Y(n));
    s.BC2 = OneSided(T(n), T(n - 1), T(n - 2), dn, dn1, dn2);
}

std::optional<RunRefusal> Refuse(std::string message) {
    return RunRefusal{std::move(message)};
}

} // namespace

std::optional<RunRefusal> SmoothContour(FoilState& s, RunParams& p, RunSplines& splines) {
    const int np = s.NP;
    if (np < 3)
        return Refuse(
            Sprintf("The section has %d point(s); a smoothing run needs at least 3.", np));
    for (int i = 1; i <= np; ++i)
        if (!std::isfinite(s.X(i)) || !std::isfinite(s.Y(i)) || !std::isfinite(s.D(i)))
            return Refuse(Sprintf("Point %d%s: X, Y or D is not a finite number.", i,
                                  PointLine(s, i).c_str()));

    FindLeadingEdge(s);

    const float XTE = (s.X(1) + s.X(np)) / 2.0f;
    const float YTE = (s.Y(1) + s.Y(np)) / 2.0f;
    const float DX0 = XTE - s.XLE;
    const float DY0 = YTE - s.YLE;
    s.CHORD = std::sqrt(DX0 * DX0 + DY0 * DY0);
    s.CHORD_N = 1.0f;

    float SN, CS;
    if (s.NOROT == 0) {
        SN = DY0 / s.CHORD;
        CS = DX0 / s.CHORD;
    } else {
        SN = 0.0f;
        CS = DX0;
    }
    const float LREF = DX0 * CS + DY0 * SN;
    if (!(LREF != 0.0f) || !std::isfinite(LREF))
        return Refuse(Sprintf(
            "The leading edge (point %d%s) lies on the trailing-edge midpoint%s: the section has "
            "no length to normalise by.",
            s.ILE, PointLine(s, s.ILE).c_str(), s.NOROT == 0 ? "" : " in X"));
    s.EPSIL = std::atan(SN / CS) / kPi * 180.0f;

    for (int i = 1; i <= np; ++i) {
        s.DP(i) = s.D(i);
        const float dx = s.X(i) - s.XLE;
        const float dy = s.Y(i) - s.YLE;
        s.XP(i) = (dx * CS + dy * SN) / LREF;
        s.YP(i) = (-dx * SN + dy * CS) / LREF;
    }
    s.XP(1) = 1.0f;
    s.XP(np) = 1.0f;

    if (s.SMOOTH == 1) ApplyWeightDefaults(s, p);

    s.DMAX = 0.0f;
    for (int i = 1; i <= np; ++i)
        if (s.DP(i) > s.DMAX) s.DMAX = s.DP(i);

    // T = -sqrt(XP) before the leading edge, +sqrt(XP) after it. A point that rotation puts a
    // hair ahead of the leading edge (XP < 0) keeps its side.
    s.T(1) = -1.0f;
    s.T(np) = 1.0f;
    for (int i = 2; i <= np - 1; ++i) {
        const float root = std::sqrt(std::fabs(s.XP(i)));
        s.T(i) = i < s.ILE ? -root : root;
    }
    for (int i = 2; i <= np; ++i)
        if (!(s.T(i) > s.T(i - 1)))
            return Refuse(Sprintf(
                "Point %d%s: the parameter T = %.7g does not increase from point %d%s (T = "
                "%.7g). The points must run from the lower trailing edge over the leading edge "
                "to the upper trailing edge, with X falling before the leading edge and rising "
                "after it.",
                i, PointLine(s, i).c_str(), static_cast<double>(s.T(i)), i - 1,
                PointLine(s, i - 1).c_str(), static_cast<double>(s.T(i - 1))));

    EndConditions(s);

    const SplineEnds ends{s.BC1, s.BC2, s.IBC};
    splines.smoothing = {};
    if (s.SMOOTH == 1)
        splines.smoothing = BandSmooth(np, s.T, s.YP, s.DP, s.Y_SM, ends);
    else
        for (int i = 1; i <= np; ++i)
            s.Y_SM(i) = s.YP(i);

    SplineMoments(s.BC1, s.BC2, 0.0, np, s.T, s.Y_SM, splines.M_SM, s.IBC);
    SplineMoments(s.BC1, s.BC2, 0.0, np, s.T, s.YP, splines.M_P, s.IBC);
    return std::nullopt;
}

float SmoothStrip(double textValue, bool smoothingChecked) {
    const auto strip = static_cast<float>(textValue);
    return smoothingChecked && strip > 0.0f ? strip : 0.0f;
}

} // namespace zarnfoil
