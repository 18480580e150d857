// NACA 4-digit sections for tests, straight from the published formulas, in the program's
// point order (lower trailing edge, leading edge, upper trailing edge).
#pragma once

#include "core/foil_state.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace zarnfoil::testing {

struct Naca {
    double camber = 0, camberAt = 0.4, thickness = 0.12;
    int stationsPerSurface = 61; // cosine spaced, the leading edge shared
    bool closedTrailingEdge = true;
};

inline double NacaThickness(const Naca& n, double x) {
    const double a4 = n.closedTrailingEdge ? -0.1036 : -0.1015;
    return 5 * n.thickness *
           (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x +
            a4 * x * x * x * x);
}

inline double NacaCamber(const Naca& n, double x) {
    if (n.camber == 0) return 0;
    const double p = n.camberAt, m = n.camber;
    return x < p ? m / (p * p) * (2 * p * x - x * x)
                 : m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x);
}

inline double StationX(const Naca& n, int k) { // k = 0 at the leading edge
    return (1 - std::cos(3.14159265358979 * k / (n.stationsPerSurface - 1))) / 2;
}

// Fills NP, X, Y, D (= weight) and SMOOTH; thickness added across the chord line.
inline void FillSection(FoilState& s, const Naca& n, float weight = 0.0f, bool smooth = true) {
    const int m = n.stationsPerSurface;
    s.NP = static_cast<std::int16_t>(2 * m - 1);
    for (int k = 0; k < m; ++k) {
        const double x = StationX(n, k);
        const double yc = NacaCamber(n, x), yt = NacaThickness(n, x);
        s.X(m + k) = static_cast<float>(x);
        s.Y(m + k) = static_cast<float>(yc + yt);
        s.X(m - k) = static_cast<float>(x);
        s.Y(m - k) = static_cast<float>(yc - yt);
    }
    for (int i = 1; i <= s.NP; ++i)
        s.D(i) = weight;
    s.SMOOTH = smooth ? 1 : 0;
}

// Digitising noise: every ordinate but the two trailing-edge points moved by up to +-amplitude,
// from a fixed generator (a 64-bit linear congruential one), so a seed gives the same section
// on every machine.
inline void AddNoise(FoilState& s, double amplitude, std::uint64_t seed) {
    std::uint64_t state = seed * 2862933555777941757ull + 3037000493ull;
    for (int i = 2; i <= s.NP - 1; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0; // 0..1
        s.Y(i) = static_cast<float>(s.Y(i) + amplitude * (2 * unit - 1));
    }
}

// The upper-surface grid, scaled 0..1, as the reader builds it.
inline void UpperSurfaceGrid(FoilState& s) {
    const int ile = (s.NP + 1) / 2;
    s.NNODES = static_cast<std::int16_t>(s.NP - ile + 1);
    for (int k = 1; k <= s.NNODES; ++k)
        s.XNODES(k) = s.X(ile + k - 1);
}

// The section as an "X Y D" file text, from the lower trailing edge.
inline std::string XydText(const FoilState& s, const std::string& title = "test section",
                           const char* lineEnd = "\r\n") {
    std::string text = title + lineEnd + "X Y D" + lineEnd;
    char buf[80];
    for (int i = 1; i <= s.NP; ++i) {
        std::snprintf(buf, sizeof buf, "%.7f %.7f %.5f", static_cast<double>(s.X(i)),
                      static_cast<double>(s.Y(i)), static_cast<double>(s.D(i)));
        text += std::string(buf) + lineEnd;
    }
    return text;
}

} // namespace zarnfoil::testing
