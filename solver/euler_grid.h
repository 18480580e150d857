// The finite-volume grid of the Euler solver: the O-grid of the section map (rays and rings of
// the circle plane), its cells, their areas and the normals of their faces; and the coarser
// grids of the multigrid, made of every other grid line.
#pragma once

#include "solver/section_map.h"
#include "solver/vec2.h"

#include <cstddef>
#include <vector>

namespace zarnfoil::solver {

// Cell (i, j), i = 0..ni-1 round the section counter-clockwise from the ray through the
// trailing edge (the wake cut), j = 0..nj-1 from the wall out to the far boundary. Its corners
// are the vertices (i, j), (i+1, j), (i+1, j+1), (i, j+1); vertex ring 0 lies on the section.
struct EulerGrid {
    int ni = 0, nj = 0;
    std::vector<Vec2> vertex; // (i, j), i = 0..ni-1, j = 0..nj
    std::vector<double> area; // cell (i, j)
    // Face on ray i between cells (i-1, j) and (i, j), i = 0..ni (ray ni is ray 0), pointing
    // toward increasing i, its length the face's length.
    std::vector<Vec2> faceI;
    // Face on ring j between cells (i, j-1) and (i, j), j = 0..nj, pointing outward.
    std::vector<Vec2> faceJ;
    // The circle plane's ring radii, log form, of grids built from the section map.
    std::vector<double> eta;

    Vec2 Vertex(int i, int j) const { return vertex[Index(i % ni, j)]; }
    double Area(int i, int j) const { return area[Index(i, j)]; }
    Vec2 FaceI(int i, int j) const {
        return faceI[static_cast<std::size_t>(j) * static_cast<std::size_t>(ni + 1) +
                     static_cast<std::size_t>(i)];
    }
    Vec2 FaceJ(int i, int j) const { return faceJ[Index(i, j)]; }
    std::size_t Index(int i, int j) const {
        return static_cast<std::size_t>(j) * static_cast<std::size_t>(ni) +
               static_cast<std::size_t>(i);
    }
};

// Areas and face normals of the cells between the vertices.
EulerGrid GridFromVertices(int ni, int nj, std::vector<Vec2> vertex);

// `around` cells round the section and `across` out to `outerRadius` circle radii: the first
// ring square to the rays, the rest growing geometrically.
EulerGrid BuildEulerGrid(const SectionMap& map, int around, int across, double outerRadius);

// Every other ray and ring: half the cells each way (ni and nj even).
EulerGrid Coarsened(const EulerGrid& fine);

} // namespace zarnfoil::solver
