// Derivatives, curvature, thickness and camber of a run, and the exported contour.
#include "core/section_results.h"

#include "core/spline.h"

#include <cmath>

namespace zarnfoil {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kInfiniteSlope = 100000000.0f; // written "Infinity" by the row formatter

// Slopes and curvature of the curve (X, Y) = (T^2, Y(T)) at every point.
void Differentiate(const FoilState& s, const PointArray& Y, const PointArray& M,
                   ContourDerivatives& d, PointArray& K) {
    const auto& T = s.T;
    for (int i = 1; i <= s.NP; ++i) {
        float dy1t;
        if (i == 1) {
            const float h = T(2) - T(1);
            dy1t = (Y(2) - Y(1)) / h - (h / 3.0f) * (M(1) + M(2) / 2.0f);
        } else {
            const float h = T(i) - T(i - 1);
            dy1t = (Y(i) - Y(i - 1)) / h + (h / 3.0f) * (M(i) + M(i - 1) / 2.0f);
        }
        const float dy2t = M(i);
        d.DY1T(i) = dy1t;
        d.DY2T(i) = dy2t;
        if (std::fabs(T(i)) < 1e-8f) { // the leading edge: dX/dT = 0
            d.DY1X(i) = kInfiniteSlope;
            d.DY2X(i) = kInfiniteSlope;
        } else {
            d.DY1X(i) = dy1t * 0.5f / T(i);
            d.DY2X(i) = (0.25f / (T(i) * T(i))) * (dy2t * T(i) - dy1t) / T(i);
        }
        // K = (x' y'' - x'' y') / (x'^2 + y'^2)^1.5 with x' = 2T, x'' = 2
        const double xt = 2.0 * static_cast<double>(T(i));
        const float dy1tSquared = dy1t * dy1t;
        const double speedSquared = xt * xt + static_cast<double>(dy1tSquared);
        // A contour that folds back on itself with no slope (a flat plate's nose) has no finite
        // curvature there; it is written like the infinite slopes.
        K(i) = speedSquared > 0.0
                   ? static_cast<float>((xt * dy2t - 2.0 * dy1t) / std::pow(speedSquared, 1.5))
                   : kInfiniteSlope;
    }
}

void ThicknessAndCamber(FoilState& s, const RunSplines& splines) {
    const int n = s.NNODES;
    s.YU(1) = s.Y_SM(s.ILE);
    s.YL(1) = s.Y_SM(s.ILE);
    s.HTMAX = 0.0f;
    int m = 2;
    for (int j = 2; j <= n; ++j) {
        const float root = std::sqrt(s.XNODES(j));
        float yu, yl, dy, d2y;
        SplineEval(s.NP, s.T, s.YP, splines.M_P, root, yu, dy, d2y);
        SplineEval(s.NP, s.T, s.YP, splines.M_P, -root, yl, dy, d2y);
        s.HTHICK(j) = (yu - yl) * 0.5f;
        s.CAMBER(j) = (yu + yl) * 0.5f;

        SplineEval(s.NP, s.T, s.Y_SM, splines.M_SM, root, s.YU(j), dy, d2y);
        SplineEval(s.NP, s.T, s.Y_SM, splines.M_SM, -root, s.YL(j), dy, d2y);
        s.HTHICK_SM(j) = (s.YU(j) - s.YL(j)) * 0.5f;
        s.CAMBER_SM(j) = (s.YU(j) + s.YL(j)) * 0.5f;

        if (s.HTHICK(j) > s.HTMAX) {
            s.HTMAX = s.HTHICK(j);
            s.XHTMAX = s.XNODES(j);
        }
        // The first node behind the nose region where x exceeds 3/4 of the half thickness;
        // node 2 passing the test does not settle it.
        if (0.75f * s.HTHICK(j) < s.XNODES(j) && m == 2) m = j;
    }
    s.SLOPT = (s.CAMBER(n - 1) - s.CAMBER(n)) / (s.XNODES(n - 1) - s.XNODES(n));
    s.TRAIL = -2.0f * std::atan((s.HTHICK(n - 1) - s.HTHICK(n)) / (s.XNODES(n - 1) - s.XNODES(n))) *
              180.0f / kPi;
    s.XSING = s.XNODES(m);
    s.YSING = s.CAMBER(m);

    // The end nodes take the smoothed contour's own points, not the spline's.
    s.YU(1) = s.Y_SM(s.ILE);
    s.YL(1) = s.Y_SM(s.ILE);
    s.YU(n) = s.Y_SM(s.NP);
    s.YL(n) = s.Y_SM(1);
    s.XNODES(n) = 1.0f;
}

// Contour TE - upper surface - LE - lower surface - TE; its three special points come from
// the transformed contour before smoothing.
void OutputContour(FoilState& s) {
    const int n = s.NNODES;
    s.NOUT = static_cast<std::int16_t>(2 * n - 1);
    for (int j = 1; j <= n; ++j) {
        s.XOUT(n + j - 1) = s.XNODES(j);
        s.XOUT(n - j + 1) = s.XNODES(j);
        s.YOUT(n + j - 1) = s.YL(j);
        s.YOUT(n - j + 1) = s.YU(j);
        s.HTHICK_SM(j) = (s.YU(j) - s.YL(j)) * 0.5f;
        s.CAMBER_SM(j) = (s.YU(j) + s.YL(j)) * 0.5f;
    }
    s.XOUT(1) = s.XP(s.NP);
    s.XOUT(n) = s.XP(s.ILE);
    s.XOUT(s.NOUT) = s.XP(s.NP);
    s.YOUT(1) = s.YP(s.NP);
    s.YOUT(n) = s.YP(s.ILE);
    s.YOUT(s.NOUT) = s.YP(1);
}

} // namespace

void ComputeSectionResults(FoilState& s, const RunSplines& splines, SectionResults& r) {
    Differentiate(s, s.YP, splines.M_P, r.unsmoothed, s.K);
    Differentiate(s, s.Y_SM, splines.M_SM, r.smoothed, s.K_SM);
    ThicknessAndCamber(s, splines);
    OutputContour(s);
}

} // namespace zarnfoil
