// Runs KALTO once on a section file and prints the answer, for comparisons with other codes.
// Usage: kalto_section FILE MACH ALPHA_DEGREES   or   kalto_section FILE MACH CL --cl
// The file holds "x y" lines from the trailing edge over the upper surface and back; a first
// line that is not two numbers is taken as the title.
#include "solver/kalto.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FILE MACH ALPHA [--cl]\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[1]);
    if (!file) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    std::array<float, 201> xc{}, yc{};
    std::int32_t npt = 0;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        double x = 0, y = 0;
        if (!(fields >> x >> y)) continue;
        if (npt == 201) {
            std::fprintf(stderr, "more than 201 points\n");
            return 2;
        }
        xc[static_cast<std::size_t>(npt)] = static_cast<float>(x);
        yc[static_cast<std::size_t>(npt)] = static_cast<float>(y);
        ++npt;
    }

    const std::int32_t ncase = 1, itmax = 30, unused = 0;
    const std::int32_t imode = argc > 4 && std::string_view(argv[4]) == "--cl" ? 0 : 1;
    std::array<float, 20> machin{}, clain{};
    machin[0] = std::strtof(argv[2], nullptr);
    clain[0] = std::strtof(argv[3], nullptr);
    const float zero = 0;
    std::array<float, 129> xcp{}, ycp{};
    std::array<float, 10 * 129> cps{}, arg17{};
    std::array<float, 10 * 100> caseout{};
    std::array<std::int32_t, 10> istat{};
    float alphaout = 0, clout = 0, arg20 = 0, arg21 = 0;
    KALTO(&ncase, &imode, &unused, machin.data(), clain.data(), &itmax, &unused, &unused, &npt,
          &zero, xc.data(), yc.data(), &unused, xcp.data(), ycp.data(), cps.data(), arg17.data(),
          &alphaout, &clout, &arg20, &arg21, caseout.data(), istat.data());

    std::printf("status %d\nalpha %.6f\ncl %.6f\n", istat[0], alphaout, clout);
    for (std::size_t j = 0; j < 129; ++j)
        std::printf("%.7f %.7f %.6f\n", xcp[j], ycp[j], cps[10 * j]);
    return 0;
}
