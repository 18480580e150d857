// Guarded KALTO calls for the tests.
#include "kalto_call.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zarnfoil::solver::test {

namespace {

constexpr float kSentinel = -7777.0f;

template <std::size_t N> void FillGuard(std::array<float, N>& a) {
    std::fill(a.end() - kGuard, a.end(), kSentinel);
}

template <std::size_t N> void ExpectGuard(const std::array<float, N>& a, const char* name) {
    for (auto it = a.end() - kGuard; it != a.end(); ++it)
        EXPECT_EQ(*it, kSentinel) << name << " written past its capacity";
}

} // namespace

KaltoCall::KaltoCall() {
    FillGuard(machin);
    FillGuard(clain);
    FillGuard(xc);
    FillGuard(yc);
    FillGuard(xcp);
    FillGuard(ycp);
    FillGuard(cps);
    FillGuard(arg17);
    FillGuard(caseout);
    std::fill(istat.end() - kGuard, istat.end(), -1);
}

void KaltoCall::SetContour(const std::vector<float>& x, const std::vector<float>& y) {
    npt = static_cast<std::int32_t>(x.size());
    for (std::size_t i = 0; i < x.size() && i < 201; ++i) {
        xc[i] = x[i];
        yc[i] = y[i];
    }
}

void KaltoCall::Run() {
    const KaltoCall before = *this;
    KALTO(&ncase, &imode, &arg3, machin.data(), clain.data(), &itmax, &arg7, &arg8, &npt, &arg10,
          xc.data(), yc.data(), &arg13, xcp.data(), ycp.data(), cps.data(), arg17.data(), &alphaout,
          &clout, &arg20, &arg21, caseout.data(), istat.data());
    for (auto* a : {&xcp, &ycp})
        ExpectGuard(*a, "a station array");
    ExpectGuard(cps, "CPS");
    ExpectGuard(caseout, "CASEOUT");
    for (auto it = istat.end() - kGuard; it != istat.end(); ++it)
        EXPECT_EQ(*it, -1) << "ISTAT written past its capacity";
    // Inputs and the arguments the library leaves alone keep their bits.
    const auto same = [](const auto& a, const auto& b) {
        return std::equal(a.begin(), a.end(), b.begin(),
                          [](auto u, auto v) { return u == v || (u != u && v != v); });
    };
    EXPECT_TRUE(same(machin, before.machin) && same(clain, before.clain));
    EXPECT_TRUE(same(xc, before.xc) && same(yc, before.yc));
    EXPECT_TRUE(same(arg17, before.arg17));
    EXPECT_EQ(ncase, before.ncase);
    EXPECT_EQ(imode, before.imode);
    EXPECT_EQ(npt, before.npt);
    EXPECT_EQ(itmax, before.itmax);
    EXPECT_EQ(arg20, before.arg20);
    EXPECT_EQ(arg21, before.arg21);
}

bool KaltoCall::OutputsFinite() const {
    const auto finite = [](float v) { return std::isfinite(v); };
    return std::all_of(xcp.begin(), xcp.begin() + 129, finite) &&
           std::all_of(ycp.begin(), ycp.begin() + 129, finite) &&
           std::all_of(cps.begin(), cps.begin() + 10 * 129, finite) && finite(alphaout) &&
           finite(clout);
}

} // namespace zarnfoil::solver::test
