// Cell-centred finite volumes: central fluxes from the two cells beside each face, blended 2nd-
// and 4th-difference dissipation switched by the pressure's second difference and scaled by
// each direction's spectral radius, a five-stage time step with the dissipation evaluated at
// stages 1, 3 and 5, and residual smoothing whose strength follows each cell's two spectral
// radii. The dissipation differences total enthalpy instead of energy, so a flow of uniform
// total enthalpy keeps it.
#include "solver/euler_level.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil::solver {

namespace {

// Courant number the five-stage scheme takes without smoothing.
constexpr double kCflUnsmoothed = 3.5;
// Stage coefficients and the weight of the newly computed dissipation at each stage.
constexpr double kStage[5] = {0.25, 1.0 / 6, 0.375, 0.5, 1.0};
constexpr double kBlend[5] = {1.0, 0.0, 0.56, 0.0, 0.44};

Vec2 Unit(Vec2 v) {
    return (1 / Length(v)) * v;
}

// Flux through a face of normal `s` (its length the face's length).
Conserved FluxOf(const Conserved& w, double p, Vec2 s) {
    const double q = (w.mu * s.x + w.mv * s.y) / w.r;
    return {w.r * q, w.mu * q + p * s.x, w.mv * q + p * s.y, (w.e + p) * q};
}

Conserved FluxAcross(const Conserved& fx, const Conserved& fy, Vec2 s) {
    return {fx.r * s.x + fy.r * s.y, fx.mu * s.x + fy.mu * s.y, fx.mv * s.x + fy.mv * s.y,
            fx.e * s.x + fy.e * s.y};
}

// The state with total enthalpy per volume in place of the energy.
Conserved WithEnthalpy(const Conserved& w, double p) {
    return {w.r, w.mu, w.mv, w.e + p};
}

double Sensor(double before, double at, double after) {
    return std::abs(after - 2 * at + before) / (after + 2 * at + before);
}

} // namespace

EulerLevel::EulerLevel(EulerGrid grid, Dissipation dissipation)
    : grid_(std::move(grid)), dissipation_(dissipation),
      stride_(static_cast<std::size_t>(grid_.ni + 4)) {
    const std::size_t n = stride_ * static_cast<std::size_t>(grid_.nj + 4);
    w.assign(n, {});
    forcing.assign(n, {});
    residual.assign(n, {});
    start_.assign(n, {});
    dissipated_.assign(n, {});
    fresh_.assign(n, {});
    p_.assign(n, 0.0);
    lamI_.assign(n, 0.0);
    lamJ_.assign(n, 0.0);
    timeStep_.assign(n, 0.0);
    epsI_.assign(n, 0.0);
    epsJ_.assign(n, 0.0);
    nu_.assign(n, 0.0);
    fluxX_.assign(n, {});
    fluxY_.assign(n, {});
    for (int j = 0; j < grid_.nj; ++j)
        for (int i = 0; i < grid_.ni; ++i) {
            meanI_.push_back(0.5 * (grid_.FaceI(i, j) + grid_.FaceI(i + 1, j)));
            meanJ_.push_back(0.5 * (grid_.FaceJ(i, j) + grid_.FaceJ(i, j + 1)));
            lengthI_.push_back(Length(meanI_.back()));
            lengthJ_.push_back(Length(meanJ_.back()));
        }
    factor_.assign(n, 0.0);
    shape_.assign(static_cast<std::size_t>(grid_.ni), 0.0);
    for (int i = 0; i < grid_.ni; ++i) {
        wallNormal_.push_back(Unit(grid_.FaceJ(i, 0)));
        farNormal_.push_back(Unit(grid_.FaceJ(i, grid_.nj)));
        farPoint_.push_back(0.5 * (grid_.Vertex(i, grid_.nj) + grid_.Vertex(i + 1, grid_.nj)));
    }
}

void EulerLevel::SetHalos(const FreeStream& stream) {
    const int ni = Ni(), nj = Nj();
    for (int i = 0; i < ni; ++i) {
        // The wall's mirror images: the velocity reflected in the wall face.
        const Vec2 n = wallNormal_[static_cast<std::size_t>(i)];
        for (const auto& [halo, source] : {std::pair{-1, 0}, std::pair{-2, 1}}) {
            const Conserved s = w[At(i, source)];
            const double un = s.mu * n.x + s.mv * n.y;
            w[At(i, halo)] = {s.r, s.mu - 2 * un * n.x, s.mv - 2 * un * n.y, s.e};
        }
        const Conserved b =
            FarFieldState(stream, farPoint_[static_cast<std::size_t>(i)],
                          farNormal_[static_cast<std::size_t>(i)], w[At(i, nj - 1)]);
        w[At(i, nj)] = b;
        w[At(i, nj + 1)] = b;
    }
    for (int j = -2; j <= nj + 1; ++j) {
        w[At(-1, j)] = w[At(ni - 1, j)];
        w[At(-2, j)] = w[At(ni - 2, j)];
        w[At(ni, j)] = w[At(0, j)];
        w[At(ni + 1, j)] = w[At(1, j)];
    }
    for (std::size_t k = 0; k < w.size(); ++k)
        p_[k] = w[k].r > 0 ? PressureOf(w[k]) : 0;
}

void EulerLevel::Spectral(double cfl) {
    const int ni = Ni(), nj = Nj();
    const double ratio = cfl / kCflUnsmoothed;
    for (int j = 0; j < nj; ++j)
        for (int i = 0; i < ni; ++i) {
            const std::size_t k = At(i, j);
            const Conserved& s = w[k];
            const Vec2 u = (1 / s.r) * Vec2{s.mu, s.mv};
            const double c = std::sqrt(std::max(kGamma * p_[k] / s.r, 0.0));
            const std::size_t g = grid_.Index(i, j);
            const double li = std::abs(Dot(u, meanI_[g])) + c * lengthI_[g];
            const double lj = std::abs(Dot(u, meanJ_[g])) + c * lengthJ_[g];
            timeStep_[k] = cfl / (li + lj);
            // Smoothing: each direction as strong as its share of the time step needs.
            const auto eps = [ratio](double own, double other) {
                const double r = other / own;
                const double f = ratio * (1 + std::sqrt(r)) / (1 + r);
                return std::max(0.0, 0.25 * (f * f - 1));
            };
            epsI_[k] = eps(li, lj);
            epsJ_[k] = eps(lj, li);
            // Dissipation scaled up where the other direction's radius dominates (stretched
            // cells), so that both directions stay damped.
            lamI_[k] = li * (1 + std::sqrt(lj / li));
            lamJ_[k] = lj * (1 + std::sqrt(li / lj));
        }
    for (int j = 0; j < nj; ++j)
        for (const auto& [halo, source] : {std::pair{-1, ni - 1}, std::pair{-2, ni - 2},
                                           std::pair{ni, 0}, std::pair{ni + 1, 1}}) {
            lamI_[At(halo, j)] = lamI_[At(source, j)];
            lamJ_[At(halo, j)] = lamJ_[At(source, j)];
        }
}

double EulerLevel::WallPressure(int i) const {
    return std::max(1.5 * p_[At(i, 0)] - 0.5 * p_[At(i, 1)], 0.0);
}

void EulerLevel::FluxBalance(std::vector<Conserved>& out) {
    const int ni = Ni(), nj = Nj();
    std::fill(out.begin(), out.end(), Conserved{});
    for (int j = 0; j < nj; ++j)
        for (int i = -1; i <= ni; ++i) {
            const std::size_t k = At(i, j);
            const Conserved& s = w[k];
            const double u = s.mu / s.r, v = s.mv / s.r, p = p_[k];
            fluxX_[k] = {s.mu, s.mu * u + p, s.mv * u, (s.e + p) * u};
            fluxY_[k] = {s.mv, s.mu * v, s.mv * v + p, (s.e + p) * v};
        }
    for (int j = 0; j < nj; ++j)
        for (int i = 0; i <= ni; ++i) {
            const std::size_t l = At(i - 1, j), r = At(i, j);
            const Conserved f =
                FluxAcross(fluxX_[l] + fluxX_[r], fluxY_[l] + fluxY_[r], 0.5 * grid_.FaceI(i, j));
            out[l] += f;
            out[r] -= f;
        }
    for (int j = 1; j < nj; ++j)
        for (int i = 0; i < ni; ++i) {
            const std::size_t l = At(i, j - 1), r = At(i, j);
            const Conserved f =
                FluxAcross(fluxX_[l] + fluxX_[r], fluxY_[l] + fluxY_[r], 0.5 * grid_.FaceJ(i, j));
            out[l] += f;
            out[r] -= f;
        }
    for (int i = 0; i < ni; ++i) {
        // The wall carries pressure only; the far face the boundary state's flux.
        const Vec2 s = grid_.FaceJ(i, 0);
        const double pw = WallPressure(i);
        out[At(i, 0)] -= Conserved{0, pw * s.x, pw * s.y, 0};
        const std::size_t b = At(i, nj);
        out[At(i, nj - 1)] += FluxOf(w[b], p_[b], grid_.FaceJ(i, nj));
    }
}

void EulerLevel::Dissipate(std::vector<Conserved>& out) {
    const int ni = Ni(), nj = Nj();
    std::fill(out.begin(), out.end(), Conserved{});
    const Dissipation& d = dissipation_;
    const auto h = [&](int i, int j) {
        const std::size_t k = At(i, j);
        return WithEnthalpy(w[k], p_[k]);
    };
    // The face between cells a (before) and b (after) in one direction; aa before a, bb after b.
    const auto face = [&](std::size_t a, std::size_t b, double lam, double nuA, double nuB, int ia,
                          int ja, int ib, int jb, int iaa, int jaa, int ibb, int jbb) {
        const Conserved ha = h(ia, ja), hb = h(ib, jb);
        Conserved flux;
        if (d.blended) {
            const double e2 = d.second * std::max(nuA, nuB);
            const double e4 = std::max(0.0, d.fourth - e2);
            flux = lam * (e2 * (hb - ha) - e4 * (h(ibb, jbb) - 3.0 * hb + 3.0 * ha - h(iaa, jaa)));
        } else {
            flux = (lam * d.coarse) * (hb - ha);
        }
        out[a] += flux;
        out[b] -= flux;
    };
    // Round the rings (faces on the rays).
    for (int j = 0; j < nj; ++j) {
        if (d.blended)
            for (int i = -1; i <= ni; ++i)
                nu_[At(i, j)] = Sensor(p_[At(i - 1, j)], p_[At(i, j)], p_[At(i + 1, j)]);
        for (int i = 0; i <= ni; ++i) {
            const std::size_t a = At(i - 1, j), b = At(i, j);
            face(a, b, 0.5 * (lamI_[a] + lamI_[b]), nu_[a], nu_[b], i - 1, j, i, j, i - 2, j, i + 1,
                 j);
        }
    }
    // Across the rings; none through the wall or the far boundary.
    if (d.blended)
        for (int j = 0; j < nj; ++j)
            for (int i = 0; i < ni; ++i)
                nu_[At(i, j)] = Sensor(p_[At(i, j - 1)], p_[At(i, j)], p_[At(i, j + 1)]);
    for (int j = 1; j < nj; ++j)
        for (int i = 0; i < ni; ++i) {
            const std::size_t a = At(i, j - 1), b = At(i, j);
            face(a, b, 0.5 * (lamJ_[a] + lamJ_[b]), nu_[a], nu_[b], i, j - 1, i, j, i, j - 2, i,
                 j + 1);
        }
}

void EulerLevel::Residual(double blend, std::vector<Conserved>& out) {
    FluxBalance(out);
    if (blend > 0) {
        Dissipate(fresh_);
        for (int j = 0; j < Nj(); ++j)
            for (int i = 0; i < Ni(); ++i) {
                const std::size_t k = At(i, j);
                dissipated_[k] = blend * fresh_[k] + (1 - blend) * dissipated_[k];
            }
    }
    for (int j = 0; j < Nj(); ++j)
        for (int i = 0; i < Ni(); ++i) {
            const std::size_t k = At(i, j);
            out[k] = out[k] - dissipated_[k] + forcing[k];
        }
}

void EulerLevel::Smooth(std::vector<Conserved>& r) {
    // (1 - eps d2) r' = r along each line of cells. Round a ring the line closes on itself
    // across the wake cut: the corner elements of the cyclic system are taken out by the
    // Sherman-Morrison formula, leaving two tridiagonal systems, one for the residual (y) and
    // one for the correction's shape (z), each solved by elimination: forward,
    // v(n) = (v(n) - sub(n) v(n-1)) / pivot with factor(n) = sup(n) / pivot, then back,
    // v(n) -= factor(n) v(n+1). Along a ray the line ends at the wall and the far boundary.
    const int ni = Ni(), nj = Nj();
    for (int j = 0; j < nj; ++j) {
        const std::size_t first = At(0, j), last = At(ni - 1, j);
        const double e0 = epsI_[first], eLast = epsI_[last];
        const double gamma = -(1 + 2 * e0);
        double factor = 0;
        for (int i = 0; i < ni; ++i) {
            const std::size_t k = At(i, j);
            const double e = epsI_[k];
            double diagonal = 1 + 2 * e;
            if (i == 0) diagonal -= gamma;
            if (i == ni - 1) diagonal -= eLast * e0 / gamma;
            const double inverse = 1 / (diagonal + e * factor);
            const Conserved before = i > 0 ? r[k - 1] : Conserved{};
            const double zBefore = i > 0 ? shape_[static_cast<std::size_t>(i - 1)] : 0;
            factor = -e * inverse;
            factor_[k] = factor;
            r[k] = inverse * (r[k] + e * before);
            // z's right-hand side: gamma in the first row, the corner -eLast in the last.
            const double u = i == 0 ? gamma : i == ni - 1 ? -eLast : 0;
            shape_[static_cast<std::size_t>(i)] = inverse * (u + e * zBefore);
        }
        for (int i = ni - 2; i >= 0; --i) {
            const std::size_t k = At(i, j);
            r[k] -= factor_[k] * r[k + 1];
            shape_[static_cast<std::size_t>(i)] -=
                factor_[k] * shape_[static_cast<std::size_t>(i + 1)];
        }
        const double zFirst = shape_.front(), zLast = shape_[static_cast<std::size_t>(ni - 1)];
        const double beta = -e0;
        const Conserved share =
            (1 / (1 + zFirst + beta * zLast / gamma)) * (r[first] + (beta / gamma) * r[last]);
        for (int i = 0; i < ni; ++i)
            r[At(i, j)] -= shape_[static_cast<std::size_t>(i)] * share;
    }
    // Along the rays, all rays at once ring by ring.
    for (int j = 0; j < nj; ++j)
        for (int i = 0; i < ni; ++i) {
            const std::size_t k = At(i, j);
            const double e = epsJ_[k];
            const double previous = j > 0 ? factor_[At(i, j - 1)] : 0;
            const double inverse = 1 / (1 + 2 * e + e * previous);
            factor_[k] = j + 1 < nj ? -e * inverse : 0;
            r[k] = inverse * (r[k] + e * (j > 0 ? r[At(i, j - 1)] : Conserved{}));
        }
    for (int j = nj - 2; j >= 0; --j)
        for (int i = 0; i < ni; ++i) {
            const std::size_t k = At(i, j);
            r[k] -= factor_[k] * r[At(i, j + 1)];
        }
}

void EulerLevel::Step(const FreeStream& stream, double cfl) {
    SetHalos(stream);
    Spectral(cfl);
    start_ = w;
    for (int stage = 0; stage < 5; ++stage) {
        if (stage > 0) SetHalos(stream);
        Residual(kBlend[stage], residual);
        Smooth(residual);
        for (int j = 0; j < Nj(); ++j)
            for (int i = 0; i < Ni(); ++i) {
                const std::size_t k = At(i, j);
                w[k] = start_[k] - (kStage[stage] * timeStep_[k]) * residual[k];
            }
    }
}

double EulerLevel::LargestMach() const {
    double largest = 0;
    for (int j = 0; j < Nj(); ++j)
        for (int i = 0; i < Ni(); ++i) {
            const Conserved& s = w[At(i, j)];
            const double q2 = (s.mu * s.mu + s.mv * s.mv) / (s.r * s.r);
            const double c2 = kGamma * PressureOf(s) / s.r;
            largest = std::max(largest, std::sqrt(q2 / c2));
        }
    return largest;
}

double EulerLevel::DensityResidual(const std::vector<Conserved>& r) const {
    double sum = 0;
    for (int j = 0; j < Nj(); ++j)
        for (int i = 0; i < Ni(); ++i) {
            const double v = r[At(i, j)].r / grid_.Area(i, j);
            sum += v * v;
        }
    return std::sqrt(sum / (Ni() * Nj()));
}

} // namespace zarnfoil::solver
