// The one section in memory: points as read, the transformed and smoothed contour, the
// results of the last run and the run options. Owned by the application, passed by reference.
#pragma once

#include "core/array1.h"

#include <cstdint>
#include <string>

namespace zarnfoil {

inline constexpr int kMaxPoints = 401;   // points of a section and nodes of the X-grid
inline constexpr int kMaxStations = 201; // stations of an "X YU YL DU DL" file
inline constexpr int kTitleWidth = 80;   // the title line is an 80-character field

using PointArray = Array1<float, kMaxPoints>;

struct FoilState { // FoilState s{}; is the all-zero start of a program run
    // Points 1..NP, from the lower trailing edge over the leading edge to the upper one.
    PointArray X, Y, D, DP, XP, YP, T, Y_SM, K, K_SM, K_SM_PREV;
    // Nodes 1..NNODES of the new X-grid.
    PointArray XNODES, HTHICK, CAMBER, HTHICK_SM, CAMBER_SM, YU, YL;
    // Exported contour 1..NOUT: trailing edge, upper surface, leading edge, lower surface.
    PointArray XOUT, YOUT;
    // Line of the section file each point 1..NP was read from (0: not read from a file), so
    // that messages name the place an engineer sees in the file.
    Array1<std::int32_t, kMaxPoints> LINE;

    std::int16_t NP = 0, NNODES = 0, NOUT = 0, ILE = 0, SMOOTH = 0, IBC = 0, NOROT = 0, NRUN = 0;

    float XLE = 0, YLE = 0, CHORD = 0, CHORD_N = 0, EPSIL = 0;
    float BC1 = 0, BC2 = 0, DMAX = 0;
    float HTMAX = 0, XHTMAX = 0, XSING = 0, YSING = 0, TRAIL = 0, SLOPT = 0;

    // Computations of the pressure window since the section was read.
    std::int16_t NCP = 0;

    std::string TITLE = std::string(kTitleWidth, ' ');
    std::string INPATH, INNAME, OUTFILE1, OUTFILE2, STLFILE, STLPROPFILE;
};

} // namespace zarnfoil
