// Density of the flow at the faces of the grid's cells from the isentropic relation, biased
// upwind where the flow is supersonic (artificial density), so that the conservative
// potential equation captures shocks.
#pragma once

#include "solver/circle_flow.h"
#include "solver/compressibility.h"
#include "solver/o_grid.h"

#include <vector>

namespace zarnfoil::solver {

// Local Mach number at which the speed is held during the iteration: beyond it the mass flux
// would fall fast as the speed grows, and the iteration would run off toward vacuum. A flow
// that still reaches it when the iteration settles is no solution.
inline constexpr double kMachCap = 1.8;

// Density and local Mach number squared at a speed q (free stream: q = 1, density 1), the speed
// held at kMachCap.
struct Isentropic {
    double density = 1;
    double machSquared = 0;
};
Isentropic IsentropicAt(double speedSquared, double mach);

// Cp from the density at the same point.
double PressureCoefficient(double density, double speedSquared, double mach);

// Biased densities at the faces, and the bias switch at the nodes.
struct FaceDensities {
    std::vector<double> theta;      // face (i+1/2, j)
    std::vector<double> eta;        // face (i, j+1/2)
    std::vector<double> bias;       // switch at the nodes: 0 where subsonic
    std::vector<double> supersonic; // at the nodes: M^2 - 1 where positive, signed as the
                                    // flow along the ring (+: toward increasing i)
    double largestMachSquared = 0;
    // Before the bias: isentropic densities at the faces and the velocity across each face
    // (its sign says which way is upstream); kept here so that steps reuse the storage.
    std::vector<double> rawTheta, rawEta, acrossTheta, acrossEta;
};

// From the circle flow and the reduced potential G at the nodes (phi = circle flow + G): the
// circle flow's velocity is taken exactly, G's by differences, so that the density far out,
// where the rings lie wide apart, carries no error of the circle flow's large potential.
// `strength` scales the upwind bias: bias = min(1, strength (1 - 1/M^2)) where M > 1.
void BiasedDensities(const OGrid& grid, const std::vector<double>& reduced,
                     const CircleFlow& circle, double mach, double strength, FaceDensities& out);

} // namespace zarnfoil::solver
