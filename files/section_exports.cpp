// Contour and BLWF exports. Every header line has 10 characters per field, so it lines up
// with the cells of the row below it.
#include "files/section_exports.h"

namespace zarnfoil {

void WriteSectionExports(TextLines& report, const FoilState& s, std::int16_t OUTSECT) {
    if (OUTSECT <= 0) return;
    const int n = s.NNODES;

    report.Line("  Output TE-US-LE-LS-TE ");
    report.Line("<   NP   >");
    report.Row({static_cast<float>(s.NOUT)});
    report.Line("<    X   ><    Y   >");
    for (int k = n; k >= 1; --k)
        report.Row({s.XNODES(k), s.YU(k)});
    for (int j = 2; j <= n; ++j)
        report.Row({s.XNODES(j), s.YL(j)});
    report.Dashes(40);

    report.Line("  Output for BLWF code");
    report.Line("<    Z   ><   XLE  ><   YLE  ><  CHORD ><  THICK ><  EPSIL ><  FSEC  >");
    report.Row({0.0f, s.XLE, s.YLE, s.X(1) - s.XLE, 1.0f, -s.EPSIL, 1.0f});
    report.Line("<  YSYM  ><    NU  ><    NL  >");
    report.Row({0.0f, static_cast<float>(n), static_cast<float>(n)});
    report.Line("<  XSING ><  YSING ><  TRAIL ><  SLOPT >");
    report.Row({s.XSING, s.YSING, s.TRAIL, s.SLOPT});
    report.Line("<   XU   ><   YU   >");
    for (int j = 1; j <= n; ++j)
        report.Row({s.XNODES(j), s.YU(j)});
    report.Line("<   XL   ><   YL   >");
    for (int j = 1; j <= n; ++j)
        report.Row({s.XNODES(j), s.YL(j)});
}

} // namespace zarnfoil
