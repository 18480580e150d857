// One grid of the Euler solver's multigrid: the flow in its cells with two layers of halo cells
// on every side (the neighbours across the wake cut, the wall's mirror images, the far-field
// state), and the operators of one time step: the flux balance with its artificial
// dissipation, local time steps and implicit residual smoothing.
#pragma once

#include "solver/euler_grid.h"
#include "solver/far_field.h"
#include "solver/gas_state.h"

#include <cstddef>
#include <vector>

namespace zarnfoil::solver {

struct Dissipation {
    bool blended = true;      // pressure switch between 2nd and 4th differences; false: 2nd only
    double second = 1.0;      // k2: 2nd differences at a pressure jump
    double fourth = 1.0 / 32; // k4: 4th differences in smooth flow
    double coarse = 0.06;     // 2nd differences everywhere (the coarse grids)
};

class EulerLevel {
  public:
    EulerLevel(EulerGrid grid, Dissipation dissipation);

    const EulerGrid& Grid() const { return grid_; }
    int Ni() const { return grid_.ni; }
    int Nj() const { return grid_.nj; }
    // Cells i = -2..ni+1, j = -2..nj+1; the halos are filled by SetHalos.
    std::size_t At(int i, int j) const {
        return static_cast<std::size_t>(j + 2) * stride_ + static_cast<std::size_t>(i + 2);
    }
    std::size_t CellCount() const { return w.size(); }

    std::vector<Conserved> w;       // flow
    std::vector<Conserved> forcing; // coarse-grid forcing of the multigrid; 0 on the finest

    // Fills the halo cells and the pressures from the flow in the cells.
    void SetHalos(const FreeStream& stream);
    // Spectral radii, local time steps and smoothing coefficients from the flow (halos set).
    void Spectral(double cfl);
    // Flux balance of every cell (outflow positive) less its dissipation, plus the forcing:
    // `residual` = Q(w) - D + forcing. The dissipation D is computed anew with weight `blend`
    // and the last one with 1 - blend (blend 1: anew only; 0: the last one).
    void Residual(double blend, std::vector<Conserved>& residual);
    // Implicit residual smoothing along rings and rays, in place.
    void Smooth(std::vector<Conserved>& residual);
    // One multistage time step of every cell; the residual work array is returned filled with
    // the last stage's residual.
    void Step(const FreeStream& stream, double cfl);

    // Pressure on the wall face of cell (i, 0), extrapolated from the first two cells out.
    double WallPressure(int i) const;
    // Largest local Mach number in the cells.
    double LargestMach() const;
    // Root mean square of the density residual over the cell areas.
    double DensityResidual(const std::vector<Conserved>& residual) const;

    std::vector<Conserved> residual; // work array, also read by the multigrid

  private:
    void FluxBalance(std::vector<Conserved>& out);
    void Dissipate(std::vector<Conserved>& out);

    EulerGrid grid_;
    Dissipation dissipation_;
    std::size_t stride_;
    // Each cell's mean face normal round the ring and across it, and their lengths.
    std::vector<Vec2> meanI_, meanJ_;
    std::vector<double> lengthI_, lengthJ_;
    std::vector<double> p_, lamI_, lamJ_, timeStep_, epsI_, epsJ_, nu_;
    std::vector<Conserved> start_, dissipated_, fresh_;
    std::vector<Conserved> fluxX_, fluxY_; // each cell's flux along x and along y
    std::vector<double> factor_, shape_;   // smoothing work
    // Unit normals of the wall and far faces, and the far faces' middles.
    std::vector<Vec2> wallNormal_, farNormal_, farPoint_;
};

} // namespace zarnfoil::solver
