// Cubic spline by moments: one tridiagonal sweep, no pivoting (the diagonal 2 dominates).
#include "core/spline.h"

#include <algorithm>

namespace zarnfoil {

void SplineMoments(float YP1, float YPN, double STEP, int N, const PointArray& XN,
                   const PointArray& YN, PointArray& M, int KIND) {
    // every element read below is written first; the smoothing fits a spline twice an iteration
    PointArray H(kUninitialised), LAMBDA(kUninitialised), MU(kUninitialised), RHS(kUninitialised),
        BDIAG(kUninitialised), G(kUninitialised), Z(kUninitialised);

    for (int i = 2; i <= N; ++i) H(i) = STEP != 0.0 ? static_cast<float>(STEP) : XN(i) - XN(i - 1);

    if (KIND == kFirstDerivativeEnds) {
        // first row: 2*M1 + M2 = 6/h * ((y2-y1)/h - y'1)
        LAMBDA(1) = 1.0f;
        RHS(1) = 6.0f / H(2) * ((YN(2) - YN(1)) / H(2) - YP1);
        // last row: MN-1 + 2*MN = 6/h * (y'N - (yN-yN-1)/h)
        MU(N) = 1.0f;
        RHS(N) = 6.0f / H(N) * (YPN - (YN(N) - YN(N - 1)) / H(N));
    } else {
        // 2*M1 = 2*y''1 and 2*MN = 2*y''N
        LAMBDA(1) = 0.0f;
        RHS(1) = 2.0f * YP1;
        MU(N) = 0.0f;
        RHS(N) = 2.0f * YPN;
    }
    // interior rows: mu*M(i-1) + 2*M(i) + lambda*M(i+1) = 6 * (second divided difference)
    for (int i = 2; i <= N - 1; ++i) {
        LAMBDA(i) = H(i + 1) / (H(i) + H(i + 1));
        MU(i) = 1.0f - LAMBDA(i);
        RHS(i) = 6.0f * ((YN(i + 1) - YN(i)) / H(i + 1) - (YN(i) - YN(i - 1)) / H(i)) /
                 (H(i) + H(i + 1));
    }

    BDIAG(1) = 2.0f;
    Z(1) = RHS(1) / BDIAG(1);
    for (int i = 2; i <= N; ++i) {
        G(i - 1) = -LAMBDA(i - 1) / BDIAG(i - 1);
        BDIAG(i) = MU(i) * G(i - 1) + 2.0f;
        Z(i) = (RHS(i) - MU(i) * Z(i - 1)) / BDIAG(i);
    }
    M(N) = Z(N);
    for (int i = N - 1; i >= 1; --i) M(i) = G(i) * M(i + 1) + Z(i);
}

namespace {

// y of the cubic on interval k; the same expression as SplineEval's, so both agree bit for bit.
float ValueOnInterval(int k, const float* xn, const float* yn, const float* m, float x) {
    // 0-based storage: node k is element k - 1
    const float h = xn[k] - xn[k - 1];
    const float a = xn[k] - x;
    const float b = x - xn[k - 1];
    const float hh = h * h;
    return ((m[k - 1] * a * a * a + m[k] * b * b * b) / 6.0f + (yn[k - 1] - m[k - 1] * hh / 6.0f) * a +
            (yn[k] - m[k] * hh / 6.0f) * b) /
           h;
}

} // namespace

void SplineEval(int N, const PointArray& XN, const PointArray& YN, const PointArray& M, float x,
                float& y, float& dy, float& d2y) {
    // The interval k is the first with XN(k+1) >= x, limited to 1..N-1: the same interval as
    // a linear walk from the first node, found by bisection over XN(2..N-1).
    const float* first = XN.data() + 1;
    const float* last = XN.data() + std::max(N - 1, 1);
    const int k = static_cast<int>(std::lower_bound(first, last, x) - XN.data());

    y = ValueOnInterval(k, XN.data(), YN.data(), M.data(), x);
    const float h = XN(k + 1) - XN(k);
    const float a = XN(k + 1) - x;
    const float b = x - XN(k);
    dy = (YN(k + 1) - YN(k)) / h + (M(k + 1) * b * b - M(k) * a * a) / (2.0f * h) -
         h * (M(k + 1) - M(k)) / 6.0f;
    d2y = (M(k) * a + M(k + 1) * b) / h;
}

float SplineSweep::Value(float x) {
    const float* xn = xn_.data();
    while (k_ < n_ - 1 && xn[k_] < x) ++k_; // xn[k_] is node k_ + 1
    return ValueOnInterval(k_, xn, yn_.data(), m_.data(), x);
}

} // namespace zarnfoil
