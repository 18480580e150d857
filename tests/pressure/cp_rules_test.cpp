// The rules behind the Cp window, without the window: critical Cp, sonic index, axis end,
// station t, what the two pictures record, the layout, where the solver library is looked for,
// and the window's refusals and notes.
#include "ui/plots/canvas.h"
#include "ui/plots/plot_colors.h"
#include "ui/pressure/cp_checks.h"
#include "ui/pressure/cp_layout.h"
#include "ui/pressure/cp_plot.h"
#include "ui/pressure/cp_scale.h"
#include "ui/pressure/kalto_binding.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace zarnfoil;
using namespace zarnfoil::ui;

namespace {

constexpr double kPi = 3.14159265358979;

// Stations as the solver lays them: 65 from the trailing edge to the leading edge, 64 back.
StationArray SolverStations() {
    StationArray x;
    for (int j = 1; j <= 65; ++j)
        x(j) = static_cast<float>((1 + std::cos(kPi * (j - 1) / 64)) / 2);
    for (int j = 66; j <= 129; ++j)
        x(j) = static_cast<float>((1 - std::cos(kPi * (j - 65) / 64)) / 2);
    return x;
}

// A curve with suction over the upper surface down to `cpmin` and pressure below.
CpCurve Curve(float cpmin) {
    CpCurve c;
    c.x = SolverStations();
    for (int j = 1; j <= 129; ++j) {
        const double x = c.x(j);
        c.cp(j) = static_cast<float>(j <= 65 ? cpmin * std::sqrt(1 - x) * (1 - x) + 0.1 * x
                                             : 0.3 * (1 - x));
    }
    return c;
}

// Textbook form of the sonic pressure coefficient for gamma 1.4.
double SonicCp(double m) {
    const double g = 1.4;
    return 2 / (g * m * m) * (std::pow((2 + (g - 1) * m * m) / (g + 1), g / (g - 1)) - 1);
}

const PrintedText* TextAt(const Canvas& canvas, double x, double y) {
    for (const PrintedText& t : canvas.Texts())
        if (std::fabs(t.at.x() - x) < 1e-5 && std::fabs(t.at.y() - y) < 1e-5) return &t;
    return nullptr;
}

QString TextAtOrNone(const Canvas& canvas, double x, double y) {
    const PrintedText* t = TextAt(canvas, x, y);
    return t ? t->text : "<none>";
}

template <class Test> int CountIf(const Canvas& canvas, Test test) {
    return static_cast<int>(
        std::count_if(canvas.Segments().begin(), canvas.Segments().end(), test));
}

int Count(const Canvas& canvas, const QColor& color, int width = 1) {
    return CountIf(canvas, [&](const Segment& s) { return s.color == color && s.width == width; });
}

} // namespace

class CpRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void criticalCpIsTheSonicPressureCoefficient() {
        QVERIFY(std::fabs(*CriticalCp(0.7f) - (-0.779)) < 5e-4);
        for (float m : {0.3f, 0.6f, 0.7f, 0.8f, 0.95f})
            QVERIFY(std::fabs(*CriticalCp(m) - SonicCp(m)) < 1e-6);
        QCOMPARE(*CriticalCp(1.0f), 0.0f);
        QVERIFY(!CriticalCp(0.0f)); // no division by zero, no mark
        QVERIFY(!CriticalCp(std::numeric_limits<float>::max()));
    }

    void axisEndIsTheFirstStepBelowTheSmallestCp() {
        QCOMPARE(AxisEnd(-0.5f), -1.0f);
        QCOMPARE(AxisEnd(-1.0f), -1.4f);
        QCOMPARE(AxisEnd(-1.4f), -1.8f);
        QCOMPARE(AxisEnd(-3.39f), -3.4f);
        QCOMPARE(AxisEnd(-3.4f), -5.0f);
        QCOMPARE(AxisEnd(-3.5f), -5.0f);
        QCOMPARE(AxisEnd(0.8f), -1.0f);
    }

    void scaleTakesStations1To128() {
        CpCurve c = Curve(-1.0f);
        QCOMPARE(ScaleCp(c.cp, 0.5f).YMIN, -1.4f);
        c.cp(129) = -4; // the last station takes no part
        QCOMPARE(ScaleCp(c.cp, 0.5f).CPMIN, -1.0f);
        c.cp(1) = -3.5f; // the first one does
        QCOMPARE(ScaleCp(c.cp, 0.5f).YMIN, -5.0f);
        c.cp(40) = std::numeric_limits<float>::quiet_NaN();
        QCOMPARE(ScaleCp(c.cp, 0.5f).CPMIN, -3.5f);
    }

    void sonicIndexIsTheHighestCrossing() {
        StationArray cp;
        for (int j = 1; j <= 129; ++j)
            cp(j) = -0.2f;
        QCOMPARE(ScaleCp(cp, 0.7f).n, kNoSonicIndex); // no sign change, no mark
        cp(20) = cp(21) = -1.2f;                      // crossings between 19|20 and 21|22
        cp(100) = -1.0f;                              // and 99|100, 100|101
        QCOMPARE(ScaleCp(cp, 0.7f).n, 101);
        QCOMPARE(ScaleCp(cp, 0.0f).n, kNoSonicIndex);
        cp(100) = -0.2f;
        cp(129) = -1.0f; // station 129 takes no part
        QCOMPARE(ScaleCp(cp, 0.7f).n, 22);
        QCOMPARE(MarkStart(22), 18);
        QCOMPARE(MarkStart(5), 1);
        QCOMPARE(MarkStart(4), 1);
        QCOMPARE(MarkStart(2), 1);
    }

    void stationsWhereXFallsLieAtNegativeT() {
        const StationArray t = StationT(SolverStations());
        QCOMPARE(t(1), -1.0f);
        QVERIFY(t(64) < 0 && t(66) > 0);
        QCOMPARE(t(65), 0.0f);
        QCOMPARE(t(129), 1.0f);
        QVERIFY(std::fabs(t(33) + std::sqrt(SolverStations()(33))) < 1e-7);
    }

    void pictureOverXHasItsGridLabelsAndZeroLine() {
        const CpCurve c = Curve(-1.0f);
        Canvas canvas;
        DrawCpOverX(canvas, ScaleCp(c.cp, 0.5f), c, nullptr);
        QCOMPARE(canvas.Background(), kBlack);
        const WorldRect w = canvas.World();
        QVERIFY(std::fabs(w.left - (-0.1)) < 1e-6 && std::fabs(w.right - 1.01) < 1e-6);
        QVERIFY(std::fabs(w.top - (-1.41)) < 1e-6 && std::fabs(w.bottom - 1.01) < 1e-6);
        QCOMPARE(Count(canvas, kGreen), 11 + 13 - 1); // x = 0..1, Cp = -1.4..1.0
        QCOMPARE(Count(canvas, kGreen, 3), 1);
        for (const Segment& s : canvas.Segments())
            if (s.width == 3)
                QVERIFY(std::fabs(s.from.y()) < 1e-4 && s.from.x() == 1 && s.to.x() == 0);
        QStringList labels;
        for (const PrintedText& t : canvas.Texts()) {
            labels << t.text;
            QCOMPARE(t.color, kWhite);
            QVERIFY(std::fabs(t.at.x() - (-0.095)) < 1e-6);
        }
        QCOMPARE(labels, QStringList({"-1.4", "-1.2", "-1.0", "-0.8", "-0.6", "-0.4", "-0.2", "0.0",
                                      "0.2", "0.4", "0.6", "0.8", "1.0"}));
        QCOMPARE(Count(canvas, kWhite), 128);
        QCOMPARE(Count(canvas, kRed), 0);
        QCOMPARE(Count(canvas, kYellow), 0);
    }

    void pictureOverTLabelsXAndT() {
        const CpCurve c = Curve(-1.0f);
        Canvas canvas;
        DrawCpOverT(canvas, ScaleCp(c.cp, 0.5f), c, &c);
        QCOMPARE(TextAtOrNone(canvas, 0.4, 0), QString("0.16"));
        QCOMPARE(TextAtOrNone(canvas, 0.4, -0.2), QString("0.4"));
        QCOMPARE(TextAtOrNone(canvas, -0.2, 0), QString("0.04"));
        QCOMPARE(TextAtOrNone(canvas, -0.2, -0.2), QString("-0.2"));
        QCOMPARE(TextAtOrNone(canvas, 0, 0), QString("0.0"));
        QCOMPARE(TextAtOrNone(canvas, 0, -0.2), QString("0.0"));
        QCOMPARE(TextAtOrNone(canvas, -0.46, 1.6), QString("1.6")); // 5.8 steps round to 6
        QCOMPARE(Count(canvas, kGreen), 5 + 7);
        QCOMPARE(Count(canvas, kGreen, 3), 0);
        QVERIFY(std::fabs(canvas.World().left - (-0.47)) < 1e-6);
        // The same curve as previous and newest: red first, white over it, both over t.
        const auto& segs = canvas.Segments();
        QCOMPARE(segs[12].color, kRed);
        QCOMPARE(segs[12 + 128].color, kWhite);
        QCOMPARE(segs[12].from, segs[12 + 128].from);
        QCOMPARE(segs[12].from, QPointF(-1.0, c.cp(1)));
    }

    void markRunsFromStationNMinus4ToNPlus1() {
        const CpCurve c = Curve(-1.2f);
        const CpScale scale = ScaleCp(c.cp, 0.7f);
        QCOMPARE(scale.n,
                 66); // the last crossing: from the leading edge's suction to the lower side
        Canvas canvas;
        DrawCpOverX(canvas, scale, c, nullptr);
        QCOMPARE(Count(canvas, kYellow), 1);
        const Segment& mark = *std::find_if(canvas.Segments().begin(), canvas.Segments().end(),
                                            [](const Segment& s) { return s.color == kYellow; });
        QCOMPARE(mark.from, QPointF(c.x(scale.n - 4), *scale.cpStar));
        QCOMPARE(mark.to, QPointF(c.x(scale.n + 1), *scale.cpStar));

        CpScale early = scale;
        early.n = 3;
        DrawCpOverX(canvas, early, c, nullptr);
        QCOMPARE(CountIf(canvas,
                         [&](const Segment& s) {
                             return s.color == kYellow && s.from.x() == c.x(1) &&
                                    s.to.x() == c.x(4);
                         }),
                 1);
        Canvas overT;
        DrawCpOverT(overT, scale, c, nullptr);
        QCOMPARE(Count(overT, kYellow), 0);
    }

    void pointsThatAreNotNumbersAreLeftOut() {
        CpCurve c = Curve(-1.0f);
        c.cp(10) = std::numeric_limits<float>::quiet_NaN();
        c.x(50) = std::numeric_limits<float>::infinity();
        Canvas overX, overT;
        DrawCpOverX(overX, ScaleCp(c.cp, 0.7f), c, &c);
        DrawCpOverT(overT, ScaleCp(c.cp, 0.7f), c, &c);
        QCOMPARE(Count(overX, kWhite), 124);
        QCOMPARE(Count(overT, kRed), 124);
    }

    void layoutFollowsTheWidth() {
        const CpLayout layout = MeasureCpLayout(kCpDesign);
        QCOMPARE(layout.cptWidthMargin, std::int16_t(1518));
        QCOMPARE(layout.cpWidthMargin, std::int16_t(198));
        QCOMPARE(layout.gap, std::int16_t(225));
        QCOMPARE(layout.heightMargin, std::int16_t(90));
        // At the design width the design comes back, to a pixel.
        const CpFit design = FitCp(layout, 6810 / 12);
        QVERIFY(std::abs(design.cptWidth - 441) <= 1 && std::abs(design.cptHeight - 271) <= 1);
        QVERIFY(std::abs(design.cpWidth - 551) <= 1 && std::abs(design.cpHeight - 341) <= 1);
        QVERIFY(std::abs(design.cpTop - 290) <= 1 && std::abs(design.windowHeight - 639) <= 1);
        const CpFit wide = FitCp(layout, 1000); // 12000 twips
        QCOMPARE(wide.cpWidth, 984);            // 12000 - 198 twips
        QCOMPARE(wide.cptWidth, 874);           // 12000 - 1518 twips
        QVERIFY(std::abs(wide.cpHeight - std::lround(wide.cpWidth * 4095.0 / 6612)) <= 1);
        QVERIFY(std::abs(wide.cptHeight - std::lround(wide.cptWidth * 3255.0 / 5292)) <= 1);
        QVERIFY(std::abs(wide.cpTop - (wide.cptHeight + 19)) <= 1);
        QVERIFY(std::abs(wide.windowHeight - (wide.cpTop + wide.cpHeight + 8)) <= 1);
    }

    void libraryIsLookedForBesideTheProgramFirst() {
        QCOMPARE(KaltoFileName(), QString("libkalto.so"));
        QCOMPARE(KaltoSearchPaths("/opt/zf/bin", "/home/e/wing"),
                 QStringList({"/opt/zf/bin/dll/libkalto.so", "/home/e/wing/dll/libkalto.so"}));
        QCOMPARE(KaltoSearchPaths("/opt/zf/bin", "/opt/zf/bin/"),
                 QStringList({"/opt/zf/bin/dll/libkalto.so"}));
    }

    void boxesAreReadAsNumberFields() {
        QCOMPARE(BoxNumber(" 0.7 Mach"), 0.7f);
        QCOMPARE(BoxNumber("2.5D-1"), 0.25f);
        QCOMPARE(BoxNumber("M 0.7"), 0.0f);
        QCOMPARE(BoxNumber("1e39"), std::numeric_limits<float>::infinity());
        QCOMPARE(BoxNumber("-1e300"), -std::numeric_limits<float>::infinity());
    }

    void refusalsComeBeforeTheCall() {
        QVERIFY(SectionRefusal(201).isEmpty());
        QVERIFY(SectionRefusal(202).contains("202") && SectionRefusal(202).contains("201"));
        QVERIFY(!SectionRefusal(0).isEmpty());
        QVERIFY(InputRefusal(0, 0.5f, true).isEmpty()); // Mach 0 is computed, without Cp*
        QVERIFY(InputRefusal(1.5f, -20, false).isEmpty());
        QVERIFY(InputRefusal(-0.1f, 0.5f, true).contains("negative"));
        const float inf = std::numeric_limits<float>::infinity();
        QVERIFY(!InputRefusal(inf, 0.5f, true).isEmpty());
        QVERIFY(InputRefusal(0.5f, inf, true).contains("lift coefficient"));
        QVERIFY(InputRefusal(0.5f, -inf, false).contains("angle of attack"));
    }

    void notesTellWhatTheResultIsWorth() {
        KaltoArguments a;
        a.MACHIN(1) = 0.7f;
        QVERIFY(ResultNotes(a).isEmpty());
        a.ISTAT(1) = kStatusOutOfRange;
        QVERIFY(ResultNotes(a).contains("outside the method's range"));
        a.ISTAT(1) = kStatusOk;
        a.MACHIN(1) = 1.0f; // whatever the library says
        QVERIFY(ResultNotes(a).contains("outside the method's range"));
        a.MACHIN(1) = 0.7f;
        a.ISTAT(1) = kStatusLiftNotReached;
        a.CLAIN(1) = 2.5f;
        a.CLOUT = 1.834f;
        a.ALPHAOUT = 17.25f;
        QCOMPARE(ResultNotes(a), QString("The lift coefficient 2.50 cannot be reached; the closest "
                                         "answer is shown: C lift 1.834 at alpha 17.25."));
        a.ISTAT(1) = kStatusBadInput;
        QVERIFY(ResultNotes(a).contains("not a result"));
        a.ISTAT(1) = 9;
        QVERIFY(ResultNotes(a).contains("status 9"));
        a.ISTAT(1) = kStatusOk;
        a.Cp(129) = std::numeric_limits<float>::quiet_NaN();
        QVERIFY(ResultNotes(a).contains("not numbers"));
    }
};

QTEST_MAIN(CpRulesTest)
#include "cp_rules_test.moc"
