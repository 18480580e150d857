// The rules behind the Cp window, without the window: critical Cp, axis end, sonic index and
// mark, what the two pictures record, where the solver library is looked for, and the
// refusals that need no solver.
#include "tests/pressure/kalto_stand_in.h"
#include "ui/plots/canvas.h"
#include "ui/plots/plot_colors.h"
#include "ui/pressure/cp_checks.h"
#include "ui/pressure/cp_plot.h"
#include "ui/pressure/cp_scale.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace zarnfoil;
using namespace zarnfoil::ui;

namespace {

CpCurve Curve(float cpmin) {
    standin::StandIn plan;
    standin::PlanSuction(plan, cpmin);
    CpCurve c;
    std::copy(plan.xcp, plan.xcp + kStations, &c.x(1));
    std::copy(plan.cp, plan.cp + kStations, &c.cp(1));
    return c;
}

int Count(const Canvas& canvas, const QColor& color, int width = 1) {
    return static_cast<int>(
        std::count_if(canvas.Segments().begin(), canvas.Segments().end(),
                      [&](const Segment& s) { return s.color == color && s.width == width; }));
}

bool Near(double a, double b) {
    return std::fabs(a - b) < 1e-6;
}

QString TextAt(const Canvas& canvas, double x, double y) {
    for (const PrintedText& t : canvas.Texts())
        if (Near(t.at.x(), x) && Near(t.at.y(), y)) return t.text;
    return "<none>";
}

} // namespace

class CpRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void criticalCpIsTheSonicPressureCoefficient() {
        QVERIFY(std::fabs(*CriticalCp(0.7f) - (-0.779)) < 5e-4);
        QCOMPARE(*CriticalCp(1.0f), 0.0f);
        QVERIFY(!CriticalCp(0.0f)); // neither a division by zero nor a mark
    }

    void axisEndAndSonicIndexTakeStations1To128() {
        const float ends[][2] = {
            {-0.5f, -1}, {-1, -1.4f}, {-3.39f, -3.4f}, {-3.4f, -5}, {-3.5f, -5}};
        for (const auto& [cpmin, end] : ends)
            QCOMPARE(AxisEnd(cpmin), end);
        StationArray cp;
        for (int j = 1; j <= 129; ++j)
            cp(j) = -0.2f;
        QCOMPARE(ScaleCp(cp, 0.7f).n, kNoSonicIndex);
        cp(20) = cp(21) = -1.2f; // crossings at 20 and 22
        cp(129) = -4.0f;         // station 129 takes no part
        cp(40) = std::nanf("");
        const CpScale scale = ScaleCp(cp, 0.7f);
        QCOMPARE(QList<float>({float(scale.n), scale.YMIN}), QList<float>({22, -1.4f}));
        QCOMPARE(ScaleCp(cp, 0.0f).n, kNoSonicIndex);
        cp(1) = -3.5f; // station 1 counts
        QCOMPARE(ScaleCp(cp, 0.7f).YMIN, -5.0f);
        QCOMPARE(QList<int>({MarkStart(22), MarkStart(5), MarkStart(4)}), QList<int>({18, 1, 1}));
    }

    void pictureOverXHasItsGridLabelsZeroLineAndMark() {
        const CpCurve c = Curve(-1.2f);
        const CpScale scale = ScaleCp(c.cp, 0.7f);
        Canvas canvas;
        DrawCpOverX(canvas, scale, c, nullptr);
        QCOMPARE(canvas.Background(), kBlack);
        const WorldRect w = canvas.World();
        QVERIFY(Near(w.left, -0.1) && Near(w.top, -1.41) && Near(w.right, 1.01) &&
                Near(w.bottom, 1.01));
        QCOMPARE(Count(canvas, kGreen), 11 + 12); // x = 0..1, Cp = -1.4..1.0 with the zero line
        QCOMPARE(Count(canvas, kGreen, 3), 1);
        QStringList labels;
        for (const PrintedText& t : canvas.Texts()) {
            labels << t.text;
            QVERIFY(t.color == kWhite && Near(t.at.x(), -0.095) &&
                    Near(t.text.toDouble(), t.at.y()));
        }
        QCOMPARE(labels.join(' '), QString("-1.4 -1.2 -1.0 -0.8 -0.6 -0.4 -0.2 0.0 0.2 0.4 0.6 "
                                           "0.8 1.0"));
        // Crossing back from the leading edge's suction to the lower side: stations 61 to 66.
        QCOMPARE(scale.n, 66);
        const auto mark = std::find_if(canvas.Segments().begin(), canvas.Segments().end(),
                                       [](const Segment& s) { return s.color == kYellow; });
        QVERIFY(mark != canvas.Segments().end());
        QCOMPARE(QList<QPointF>({mark->from, mark->to}),
                 QList<QPointF>({{c.x(62), *scale.cpStar}, {c.x(67), *scale.cpStar}}));
        QCOMPARE(Count(canvas, kWhite), 128);
    }

    void pictureOverTLabelsXAndTAndDrawsThePreviousCurveFirst() {
        const CpCurve c = Curve(-1.0f);
        Canvas canvas;
        DrawCpOverT(canvas, ScaleCp(c.cp, 0.7f), c, &c);
        const std::tuple<double, double, const char*> labels[] = {
            {0.4, 0, "0.16"}, {0.4, -0.2, "0.4"}, {-0.2, 0, "0.04"},  {-0.2, -0.2, "-0.2"},
            {0, 0, "0.0"},    {0, -0.2, "0.0"},   {-0.46, 1.6, "1.6"}}; // 5.8 steps round to 6
        for (const auto& [x, y, text] : labels)
            QCOMPARE(TextAt(canvas, x, y), QString(text));
        QVERIFY(Near(canvas.World().left, -0.47));
        QCOMPARE(Count(canvas, kGreen), 5 + 7);
        QCOMPARE(Count(canvas, kGreen, 3) + Count(canvas, kYellow), 0);
        // Red first, then white, each from t = -1 at station 1 through t = 0 at station 65.
        const auto& segs = canvas.Segments();
        for (std::size_t first : {12, 12 + 128}) {
            QCOMPARE(segs[first].color, first == 12 ? kRed : kWhite);
            QCOMPARE(segs[first].from, QPointF(-1.0, c.cp(1)));
            QCOMPARE(segs[first + 32].from.x(), -std::sqrt(c.x(33)));
            QCOMPARE(segs[first + 64].from, QPointF(0, c.cp(65)));
            QCOMPARE(segs[first + 65].from.x(), std::sqrt(c.x(66)));
        }
    }

    void libraryIsLookedForBesideTheProgramFirst() {
        QCOMPARE(KaltoSearchPaths("/opt/zf/bin", "/home/e/wing"),
                 QStringList({"/opt/zf/bin/dll/libkalto.so", "/home/e/wing/dll/libkalto.so"}));
        QCOMPARE(KaltoSearchPaths("/opt/zf/bin", "/opt/zf/bin/"),
                 QStringList({"/opt/zf/bin/dll/libkalto.so"}));
    }

    void numbersBeyondUseAreRefused() {
        QVERIFY(InputRefusal(BoxNumber("-0.3"), 0.5f, true).contains("negative"));
        QVERIFY(InputRefusal(0.5f, BoxNumber("1e39"), true).contains("lift coefficient"));
        QVERIFY(InputRefusal(0.5f, -BoxNumber("1e39"), false).contains("angle of attack"));
        QVERIFY(InputRefusal(0, -20, false).isEmpty()); // Mach 0 is computed, without Cp*
        QVERIFY(!SectionRefusal(2).isEmpty() && SectionRefusal(201).isEmpty());
    }
};

QTEST_MAIN(CpRulesTest)
#include "cp_rules_test.moc"