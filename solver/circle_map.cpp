// Theodorsen's iteration: with the near-circle written as w - centre = exp(psi(theta) + i
// theta), the circle angle phi and theta differ by eps(phi), the conjugate function of
// psi(theta(phi)); each sweep takes psi at the current theta, its Fourier series, and from it
// the next eps.
#include "solver/circle_map.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarnfoil::solver {

namespace {

constexpr int kCollocation = 256; // points on the circle; the series keeps half as many terms
constexpr int kSweepCap = 200;
constexpr double kSettled = 1e-12;

// Centroid of the area enclosed by the closed polygon.
Complex Centroid(std::span<const Complex> p) {
    double area = 0;
    Complex moment = 0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        const Complex a = p[k], b = p[(k + 1) % p.size()];
        const double cross = a.real() * b.imag() - a.imag() * b.real();
        area += cross;
        moment += cross * (a + b);
    }
    return moment / (3 * area);
}

// psi over theta, sampled at increasing theta over one turn, read by periodic linear
// interpolation.
class PolarOutline {
  public:
    PolarOutline(std::span<const Complex> p, Complex centre) {
        double previous = std::arg(p[0] - centre);
        for (const Complex point : p) {
            double theta = std::arg(point - centre);
            theta += 2 * std::numbers::pi * std::round((previous - theta) / (2 * std::numbers::pi));
            theta_.push_back(theta);
            psi_.push_back(std::log(std::abs(point - centre)));
            previous = theta;
        }
        theta_.push_back(theta_.front() + 2 * std::numbers::pi);
        psi_.push_back(psi_.front());
    }

    bool StarShaped() const {
        for (std::size_t k = 1; k < theta_.size(); ++k)
            if (!(theta_[k] > theta_[k - 1])) return false;
        return true;
    }

    double Start() const { return theta_.front(); }

    double Psi(double theta) const {
        const double turn = 2 * std::numbers::pi;
        theta = theta_.front() + std::fmod(std::fmod(theta - theta_.front(), turn) + turn, turn);
        std::size_t k = static_cast<std::size_t>(
            std::upper_bound(theta_.begin(), theta_.end(), theta) - theta_.begin());
        k = std::clamp<std::size_t>(k, 1, theta_.size() - 1);
        const double share = (theta - theta_[k - 1]) / (theta_[k] - theta_[k - 1]);
        return psi_[k - 1] + share * (psi_[k] - psi_[k - 1]);
    }

  private:
    std::vector<double> theta_, psi_;
};

} // namespace

std::optional<CircleMap> CircleMap::Fit(std::span<const Complex> nearCircle) {
    if (nearCircle.size() < 8) return std::nullopt;
    const Complex centre = Centroid(nearCircle);
    const PolarOutline outline(nearCircle, centre);
    if (!outline.StarShaped()) return std::nullopt;

    constexpr int n = kCollocation;
    constexpr int terms = n / 2;
    std::vector<double> cosTable(n), sinTable(n);
    for (int k = 0; k < n; ++k) {
        cosTable[static_cast<std::size_t>(k)] = std::cos(2 * std::numbers::pi * k / n);
        sinTable[static_cast<std::size_t>(k)] = std::sin(2 * std::numbers::pi * k / n);
    }
    const auto table = [&](const std::vector<double>& t, int product) {
        return t[static_cast<std::size_t>(product % n)];
    };

    // eps starts constant: theta uniform from the chosen point.
    std::vector<double> eps(n, outline.Start()), psi(n);
    std::vector<double> a(terms), b(terms);
    double shift = 0;
    bool settled = false;
    for (int sweep = 0; sweep < kSweepCap && !settled; ++sweep) {
        for (int k = 0; k < n; ++k) {
            const double phi = 2 * std::numbers::pi * k / n;
            psi[static_cast<std::size_t>(k)] = outline.Psi(phi + eps[static_cast<std::size_t>(k)]);
        }
        // psi(phi) = a0 + sum (a(j) cos j phi + b(j) sin j phi), the top term left out.
        for (int j = 0; j < terms; ++j) {
            double sumCos = 0, sumSin = 0;
            for (int k = 0; k < n; ++k) {
                sumCos += psi[static_cast<std::size_t>(k)] * table(cosTable, j * k);
                sumSin += psi[static_cast<std::size_t>(k)] * table(sinTable, j * k);
            }
            a[static_cast<std::size_t>(j)] = (j == 0 ? 1.0 : 2.0) * sumCos / n;
            b[static_cast<std::size_t>(j)] = j == 0 ? 0.0 : 2.0 * sumSin / n;
        }
        // eps(phi) = shift + sum (b(j) cos j phi - a(j) sin j phi), the shift putting the
        // chosen point at phi = 0.
        double sumB = 0;
        for (int j = 1; j < terms; ++j)
            sumB += b[static_cast<std::size_t>(j)];
        shift = outline.Start() - sumB;
        double change = 0;
        for (int k = 0; k < n; ++k) {
            double next = shift;
            for (int j = 1; j < terms; ++j)
                next += b[static_cast<std::size_t>(j)] * table(cosTable, j * k) -
                        a[static_cast<std::size_t>(j)] * table(sinTable, j * k);
            change = std::max(change, std::abs(next - eps[static_cast<std::size_t>(k)]));
            eps[static_cast<std::size_t>(k)] = next;
        }
        if (!std::isfinite(change)) return std::nullopt;
        settled = change < kSettled;
    }
    if (!settled) return std::nullopt;

    CircleMap map;
    map.centre_ = centre;
    map.c_.resize(terms);
    map.c_[0] = Complex(a[0], shift);
    for (int j = 1; j < terms; ++j)
        map.c_[static_cast<std::size_t>(j)] =
            Complex(a[static_cast<std::size_t>(j)], b[static_cast<std::size_t>(j)]);
    return map;
}

CircleMap::Image CircleMap::At(Complex zeta) const {
    // g = sum c(n) zeta^-n and zeta g' = -sum n c(n) zeta^-n; terms below 1e-16 of the first
    // are dropped, which far from the circle ends the sum early.
    const Complex inverse = 1.0 / zeta;
    Complex power = 1.0, g = 0.0, zetaSlope = 0.0;
    const double floor = 1e-16 * (1 + std::abs(c_[1]));
    for (std::size_t j = 0; j < c_.size(); ++j) {
        g += c_[j] * power;
        zetaSlope -= static_cast<double>(j) * c_[j] * power;
        power *= inverse;
        if (j > 1 && std::abs(power) < floor) break;
    }
    const Complex e = std::exp(g);
    return {centre_ + zeta * e, e * (1.0 + zetaSlope)};
}

} // namespace zarnfoil::solver
