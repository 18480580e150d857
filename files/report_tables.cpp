// Report tables of a run.
#include "files/report_tables.h"

#include "core/number_format.h"

namespace zarnfoil {

void WriteReportHeader(TextLines& report, const FoilState& s, float DSMOOTH) {
    report.Line(s.TITLE);
    report.Line("Epsilon=" + FormatPicture(s.EPSIL, "#0.###") +
                "     Chord=" + FormatPicture(s.CHORD, "####.####") +
                "     Del Smooth=" + FormatPicture(DSMOOTH, "#0.####"));
}

namespace {

void DerivativeTable(TextLines& report, TextLines& second, const FoilState& s,
                     const SectionResults& r) {
    report.Dashes(70);
    report.Line("    X        Y       DY1T      DY2T      DY1X      DY2X       K");
    report.Line(" T=sqr(X)    Y_SM    DY1T_SM   DY2T_SM   DY1X_SM   DY2X_SM    K_SM");
    report.Dashes(70);

    second.Line("    X      T=sqr(X)    Y_SM    DY1T_SM   DY2T_SM   DY1X_SM   DY2X_SM    K_SM");
    second.Dashes(80); // the report file has dashes at the same place

    const auto& p = r.unsmoothed;
    const auto& m = r.smoothed;
    for (int i = 1; i <= s.NP; ++i) {
        report.Row({s.XP(i), s.YP(i), p.DY1T(i), p.DY2T(i), p.DY1X(i), p.DY2X(i), s.K(i)});
        report.Row({s.T(i), s.Y_SM(i), m.DY1T(i), m.DY2T(i), m.DY1X(i), m.DY2X(i), s.K_SM(i)});
        report.Line(" ");
        // Points before the leading edge carry a negative abscissa.
        const float x = s.T(i) < 0.0f ? -s.XP(i) : s.XP(i);
        second.Row({x, s.T(i), s.Y_SM(i), m.DY1T(i), m.DY2T(i), m.DY1X(i), m.DY2X(i), s.K_SM(i)});
    }
    report.Dashes(70);
    report.Line(" ");
    report.Line(" ");
}

void InputTable(TextLines& report, const FoilState& s) {
    report.Dashes(70);
    report.Line("                Input values             Transformation values");
    report.Dashes(90);
    report.Line(
        "   i        X         Y         D        XP        YP        DP           K        Ksm");
    report.Dashes(90);
    for (int i = 1; i <= s.NP; ++i) {
        const float x = i < s.ILE ? -s.X(i) : s.X(i);
        report.Row({static_cast<float>(i), x, s.Y(i), s.D(i), s.XP(i), s.YP(i), s.DP(i), s.K(i),
                    s.K_SM(i)});
    }
    report.Dashes(70);
    report.Line(" ");
    report.Line(" ");
}

void ThicknessTable(TextLines& report, const FoilState& s) {
    report.Dashes(60);
    report.Line("   i          X     Y upper     Y lower  THICKNESS  CAMBER");
    report.Dashes(60);
    for (int j = 1; j <= s.NNODES; ++j)
        report.Row(
            {static_cast<float>(j), s.XNODES(j), s.YU(j), s.YL(j), s.HTHICK_SM(j), s.CAMBER_SM(j)});
    report.Dashes(60);
}

} // namespace

void WriteReportTables(TextLines& report, TextLines& second, const FoilState& s,
                       const SectionResults& r) {
    DerivativeTable(report, second, s, r);
    InputTable(report, s);
    ThicknessTable(report, s);
}

} // namespace zarnfoil
