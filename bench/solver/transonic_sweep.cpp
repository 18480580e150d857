// The transonic sweep through KALTO: NACA 0012 and NACA 2412 (161 points, trailing edge closed)
// at M 0.70 to 0.85 and 0 to 3 degrees, first by angle (IMODE 1), then by the lift each angle
// gave (IMODE 0); for every case the status, the model that answered, the lift, the shock
// places and the time (the fastest of REPEATS calls). Then the published AGARD AR-211 Euler
// cases of NACA 0012. Exit status 1 when any case fell back to the panel answer, its lift
// curve does not rise with the angle, or IMODE 0 does not give the IMODE 1 answer back.
// Usage: kalto_sweep [REPEATS]   (default 1; run it on one core, e.g. taskset -c 1)
#include "naca_section.h"
#include "solver/kalto.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Answer {
    std::int32_t status = 0;
    int model = 0, cycles = 0;
    float cl = 0, alpha = 0, upper = -1, lower = -1;
    double seconds = 0;
};

class Section {
  public:
    explicit Section(double camber) {
        std::vector<float> x, y;
        zarnfoil::solver::test::NacaSection(camber, 0.4, 0.12, 161, x, y, true);
        std::copy(x.begin(), x.end(), xc_.begin());
        std::copy(y.begin(), y.end(), yc_.begin());
        npt_ = static_cast<std::int32_t>(x.size());
    }

    Answer Solve(std::int32_t imode, float mach, float value, int repeats) {
        const std::int32_t ncase = 1, itmax = 30, unused = 0;
        const float zero = 0;
        std::array<float, 20> machin{}, clain{};
        machin[0] = mach;
        clain[0] = value;
        Answer a;
        a.seconds = INFINITY;
        for (int r = 0; r < repeats; ++r) {
            const auto start = std::chrono::steady_clock::now();
            KALTO(&ncase, &imode, &unused, machin.data(), clain.data(), &itmax, &unused, &unused,
                  &npt_, &zero, xc_.data(), yc_.data(), &unused, xcp_.data(), ycp_.data(),
                  cps_.data(), arg17_.data(), &a.alpha, &a.cl, &arg20_, &arg21_, caseout_.data(),
                  istat_.data());
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            a.seconds = std::min(a.seconds, took.count());
        }
        a.status = istat_[0];
        a.model = static_cast<int>(caseout_[20]);
        a.cycles = static_cast<int>(caseout_[30]);
        a.upper = caseout_[50];
        a.lower = caseout_[60];
        return a;
    }

  private:
    std::array<float, 201> xc_{}, yc_{};
    std::int32_t npt_ = 0;
    std::array<float, 129> xcp_{}, ycp_{};
    std::array<float, 10 * 129> cps_{}, arg17_{};
    std::array<float, 10 * 100> caseout_{};
    std::array<std::int32_t, 10> istat_{};
    float arg20_ = 0, arg21_ = 0;
};

const char* ModelName(int model) {
    return model == KALTO_MODEL_EULER ? "Euler" : "panel";
}

void PrintShock(float x) {
    if (x < 0)
        std::printf("     -");
    else
        std::printf("%6.3f", x);
}

} // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    bool failed = false;
    double slowest = 0, total = 0;
    int cases = 0;
    const struct {
        const char* name;
        double camber;
    } sections[] = {{"NACA 0012", 0.0}, {"NACA 2412", 0.02}};
    for (const auto& s : sections) {
        Section section(s.camber);
        std::printf("%s\n", s.name);
        std::printf("   M   alpha | st model   CL     upper  lower  cycles  time s | IMODE 0: "
                    "st  alpha    time s\n");
        for (int m = 0; m <= 6; ++m) {
            const float mach = 0.70f + 0.025f * static_cast<float>(m);
            float previousCl = -INFINITY;
            for (int a = 0; a <= 6; ++a) {
                const float alpha = 0.5f * static_cast<float>(a);
                const Answer byAngle = section.Solve(1, mach, alpha, repeats);
                const Answer byLift = section.Solve(0, mach, byAngle.cl, repeats);
                std::printf("%5.3f %5.2f  | %2d %-5s %7.4f ", mach, alpha, byAngle.status,
                            ModelName(byAngle.model), byAngle.cl);
                PrintShock(byAngle.upper);
                std::printf(" ");
                PrintShock(byAngle.lower);
                std::printf("  %5d  %6.3f | %10d %7.4f %6.3f", byAngle.cycles, byAngle.seconds,
                            byLift.status, byLift.alpha, byLift.seconds);
                const bool fellBack = byAngle.status != KALTO_OK || byLift.status != KALTO_OK;
                const bool rises = byAngle.cl > previousCl;
                const bool angleBack = std::abs(byLift.alpha - alpha) < 0.01f;
                if (fellBack) std::printf("  FALLBACK");
                if (!rises) std::printf("  LIFT FALLS");
                if (!angleBack) std::printf("  ANGLE DIFFERS");
                std::printf("\n");
                failed = failed || fellBack || !rises || !angleBack;
                previousCl = byAngle.cl;
                for (const double t : {byAngle.seconds, byLift.seconds}) {
                    slowest = std::max(slowest, t);
                    total += t;
                    ++cases;
                }
            }
        }
        std::printf("\n");
    }
    std::printf("%d cases, mean %.3f s, slowest %.3f s\n\n", cases, total / cases, slowest);

    // AGARD AR-211, NACA 0012 Euler test cases.
    Section naca0012(0.0);
    std::printf("AGARD AR-211 (NACA 0012)   CL      published  difference  upper  lower\n");
    const struct {
        float mach, alpha, cl;
    } published[] = {{0.80f, 1.25f, 0.3632f}, {0.85f, 1.0f, 0.3584f}};
    for (const auto& p : published) {
        const Answer a = naca0012.Solve(1, p.mach, p.alpha, repeats);
        std::printf("M %.2f, %.2f deg           %.4f  %.4f     %+5.1f %%    ", p.mach, p.alpha,
                    a.cl, p.cl, 100 * (a.cl - p.cl) / p.cl);
        PrintShock(a.upper);
        std::printf(" ");
        PrintShock(a.lower);
        std::printf("\n");
    }
    return failed ? 1 : 0;
}
