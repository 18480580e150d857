// Grid geometry: quadrilateral cells with straight faces, so that the normals of each cell's four
// faces add up to nothing and a uniform flow stays uniform.
#include "solver/euler_grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

namespace {

// Ring radii in log form: the first step equal to the step between rays, so cells at the
// section are square, then growing geometrically out to log(outerRadius).
std::vector<double> RingEtas(int around, int rings, double outerRadius) {
    const int steps = rings - 1;
    const double span = std::log(outerRadius);
    // So many rings that even equal steps would be finer than the rays: equal steps.
    const double first = std::min(2 * std::numbers::pi / around, span / steps);
    // first * (g^steps - 1) / (g - 1) = span, solved for the growth g by halving.
    double low = 1, high = 2;
    for (int k = 0; k < 100; ++k) {
        const double g = 0.5 * (low + high);
        const double reach = first * (std::pow(g, steps) - 1) / (g - 1);
        (reach < span ? low : high) = g;
    }
    const double growth = 0.5 * (low + high);
    std::vector<double> eta{0};
    double step = first;
    for (int j = 1; j <= steps; ++j) {
        eta.push_back(eta.back() + step);
        step *= growth;
    }
    eta.back() = span;
    return eta;
}

} // namespace

EulerGrid GridFromVertices(int ni, int nj, std::vector<Vec2> vertex) {
    EulerGrid g;
    g.ni = ni;
    g.nj = nj;
    g.vertex = std::move(vertex);
    g.area.resize(static_cast<std::size_t>(ni) * static_cast<std::size_t>(nj));
    g.faceI.resize(static_cast<std::size_t>(ni + 1) * static_cast<std::size_t>(nj));
    g.faceJ.resize(static_cast<std::size_t>(ni) * static_cast<std::size_t>(nj + 1));
    for (int j = 0; j < nj; ++j)
        for (int i = 0; i <= ni; ++i) {
            // Along the ray outward, turned a quarter counter-clockwise: toward increasing i.
            const Vec2 d = g.Vertex(i, j + 1) - g.Vertex(i, j);
            g.faceI[static_cast<std::size_t>(j) * static_cast<std::size_t>(ni + 1) +
                    static_cast<std::size_t>(i)] = {-d.y, d.x};
        }
    for (int j = 0; j <= nj; ++j)
        for (int i = 0; i < ni; ++i) {
            // Along the ring counter-clockwise, turned a quarter clockwise: outward.
            const Vec2 d = g.Vertex(i + 1, j) - g.Vertex(i, j);
            g.faceJ[g.Index(i, j)] = {d.y, -d.x};
        }
    for (int j = 0; j < nj; ++j)
        for (int i = 0; i < ni; ++i)
            // Half the cross product of the diagonals.
            g.area[g.Index(i, j)] = 0.5 * Cross(g.Vertex(i, j + 1) - g.Vertex(i + 1, j),
                                                g.Vertex(i + 1, j + 1) - g.Vertex(i, j));
    return g;
}

EulerGrid BuildEulerGrid(const SectionMap& map, int around, int across, double outerRadius) {
    const std::vector<double> eta = RingEtas(around, across + 1, outerRadius);
    std::vector<Vec2> vertex;
    vertex.reserve(static_cast<std::size_t>(around) * eta.size());
    for (const double e : eta)
        for (int i = 0; i < around; ++i) {
            const Complex z = map.At(std::polar(std::exp(e), 2 * std::numbers::pi * i / around)).z;
            vertex.push_back({z.real(), z.imag()});
        }
    EulerGrid grid = GridFromVertices(around, across, std::move(vertex));
    grid.eta = eta;
    return grid;
}

EulerGrid Coarsened(const EulerGrid& fine) {
    std::vector<Vec2> vertex;
    for (int j = 0; j <= fine.nj; j += 2)
        for (int i = 0; i < fine.ni; i += 2)
            vertex.push_back(fine.Vertex(i, j));
    return GridFromVertices(fine.ni / 2, fine.nj / 2, std::move(vertex));
}

} // namespace zarnfoil::solver
