// The O-grid round the section: rays and rings of the circle plane, taken through the section
// map. With w = log(zeta) = eta + i theta as coordinates the potential equation keeps its
// Cartesian form, and the map enters only through the scale H = |dz/dw|.
#pragma once

#include "solver/section_map.h"

#include <cstddef>
#include <vector>

namespace zarnfoil::solver {

struct OGrid {
    int around = 0;          // nodes on each ring; node 0 on the ray from the trailing edge
    int rings = 0;           // ring 0 the section, ring rings-1 the far boundary
    double dTheta = 0;       // 2 pi / around
    std::vector<double> eta; // log of each ring's radius, eta[0] = 0
    std::vector<Complex> z;  // node positions in the section plane
    std::vector<double> hNode, hTheta, hEta; // scale at nodes, at the faces between neighbours
                                             // on a ring (i+1/2, j), and between rings (i, j+1/2)
    std::vector<Complex> wallFace;           // section point half way between wall nodes
    // For the circle flow's velocity: cosh and sinh of eta at each ring and half way to the
    // next, and exp(i theta) on each ray and half way to the next.
    std::vector<double> coshEta, sinhEta, coshEtaHalf, sinhEtaHalf;
    std::vector<Complex> ray, rayHalf;
    Complex scale, centre; // the map's a1 and a0

    std::size_t At(int i, int j) const {
        return static_cast<std::size_t>(j) * static_cast<std::size_t>(around) +
               static_cast<std::size_t>(i);
    }
    double Theta(int i) const { return dTheta * i; }
};

// Ring radii: the first step equal to the step between rays, so cells at the section are
// square, then growing geometrically out to `outerRadius` (in circle radii).
std::vector<double> RingEtas(int around, int rings, double outerRadius);

OGrid BuildOGrid(const SectionMap& map, int around, const std::vector<double>& eta);

} // namespace zarnfoil::solver
