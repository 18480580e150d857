// The Cp window: the rules of its scale, and the window driven through its controls over the
// stand-in solver library (the first computation's values shown at open, the previous curve,
// angle-of-attack mode, what is passed and read back, a section resampled for the solver, what
// the pictures show with their numbers, legends and the critical Cp, the Cp range over both
// curves, zoom and pan, resize up to the screen's height, refusals, results not drawn, notes and
// the CSV export), and once over the real solver on the noisy 401-point example.
#include "tests/pressure/kalto_stand_in.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main/main_window.h"
#include "ui/main/number_box.h"
#include "ui/plots/picture_menu.h"
#include "ui/plots/plot_colors.h"
#include "ui/pressure/cp_checks.h"
#include "ui/pressure/cp_layout.h"
#include "ui/pressure/cp_plot.h"
#include "ui/pressure/cp_scale.h"
#include "ui/pressure/kalto_binding.h"
#include "ui/pressure/pressure_window.h"

#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <tuple>
#include <vector>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using standin::StandIn;
using uitest::Near;
using uitest::NumbersOf;

namespace {

using Lines = std::vector<std::pair<QPointF, QPointF>>;

Lines LinesOf(const Canvas& canvas, const QColor& color, int width = 1,
              LineStyle style = LineStyle::Solid) {
    Lines lines;
    for (const Segment& s : canvas.Segments())
        if (s.color == color && s.width == width && s.style == style)
            lines.emplace_back(s.from, s.to);
    return lines;
}

QString TextAt(const Canvas& canvas, double x, double y) {
    for (const PrintedText& t : canvas.Texts())
        if (Near(t.at.x(), x) && Near(t.at.y(), y)) return t.text;
    return "<none>";
}

// The Cp window over a section, its messages noted instead of shown.
struct Session {
    FoilState& s;
    FoilDocument document;
    PressureHistory history;
    std::unique_ptr<Form_Cp> w;
    QStringList messages;

    explicit Session(FoilState& section, const QString& library = ZARNFOIL_STAND_IN)
        : s(section), document(section) {
        document.SetPressureCount(0); // as Input leaves it
        w = std::make_unique<Form_Cp>(document, history);
        w->SetSolverPaths({library});
        w->SetShowMessage([this](const QString& text) { messages << text; });
        w->show();
    }
    QLineEdit* Box(const char* name) const { return w->findChild<QLineEdit*>(name); }
    void Type(const char* box, const QString& text) const { Box(box)->setText(text); }
    QString Boxes() const {
        return Box("Txt_M")->text() + " " + Box("Txt_cl")->text() + " " + Box("Txt_alpha")->text();
    }
    QRadioButton* Option(const char* name) const { return w->findChild<QRadioButton*>(name); }
    QString Note() const { return w->findChild<QLabel*>("Lbl_note")->text(); }
    void Press() const { QTest::mouseClick(w->findChild<QPushButton*>("Cmd_cp"), Qt::LeftButton); }
    // Red and white segments over x and over t.
    QList<std::size_t> Curves() const {
        const Canvas &x = w->PictCp().canvas(), &t = w->PictCpt().canvas();
        return {LinesOf(x, kRed).size(), LinesOf(x, kWhite).size(), LinesOf(t, kRed).size(),
                LinesOf(t, kWhite).size()};
    }
    bool Untouched() const { // nothing computed, nothing drawn
        for (const PictureArea* p : {&w->PictCp(), &w->PictCpt()})
            if (!p->canvas().Segments().empty() || !p->canvas().Texts().empty()) return false;
        return s.NCP == 0;
    }
};

} // namespace

class PressureWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY2(library_.load(), qPrintable(library_.errorString()));
        standIn_ =
            reinterpret_cast<standin::StandInAccess>(library_.resolve(standin::kAccessName))();
        // Smoothed with a strip, so the smoothed contour is not the section as read.
        naca61_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca61.dat", 31),
                                        kGridFromUpperSurface, 0.002f);
        naca203_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca203.dat", 102));
        QVERIFY(naca61_ && naca61_->NP == 61 && naca203_ && naca203_->NP == 203);
        QVERIFY(!(naca61_->Y_SM == naca61_->YP));
    }

    void init() {
        *standIn_ = {};
        standin::PlanSuction(*standIn_, -1.0f);
        standIn_->alphaout = 2.5f;
        standIn_->clout = 0.5012f;
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
        QCOMPARE(ScaleCp(cp, 0.0f).n, kNoSonicIndex); // no Cp* at Mach 0, no mark
        cp(1) = -3.5f;                                // station 1 counts
        QCOMPARE(ScaleCp(cp, 0.7f).YMIN, -5.0f);
        QCOMPARE(QList<int>({MarkStart(22), MarkStart(5), MarkStart(4)}), QList<int>({18, 1, 1}));
    }

    void pressesComputeWhatTheBoxesShowAndKeepThePreviousCurve() {
        Session t(*naca61_);
        // The boxes open with what the first computation of a section takes.
        QCOMPARE(t.w->windowTitle() + " " + t.Boxes(),
                 QString("Cp distribution - naca61.dat 0.70 0.50 1"));
        QVERIFY(t.Option("Opt_cl")->isChecked() && !t.Option("Opt_alpha")->isChecked());
        t.Press();
        QCOMPARE(t.Boxes(), QString("0.70 0.501 2.50")); // then they show the answer
        const StandIn& r = *standIn_;
        QCOMPARE(QList<int>({r.calls, r.ncase, r.arg7, r.arg8, r.npt}),
                 QList<int>({1, 1, 1, 2, 61}));
        QCOMPARE(Passed(), QList<float>({0.7f, 0, 0.5f, 30, 0}));
        // The smoothed contour from the upper trailing edge over the leading edge to the lower
        // one.
        for (int j = 1; j <= 61; ++j)
            QVERIFY(r.xc[j - 1] == naca61_->XP(62 - j) && r.yc[j - 1] == naca61_->Y_SM(62 - j));
        QVERIFY(t.Note().isEmpty());
        QVERIFY(r.yc[0] > 0 && r.yc[60] < 0 && std::fabs(r.xc[30]) < 1e-6);
        // What the library writes lands in the window's block, each array to its full size.
        const KaltoArguments& a = t.w->Arguments();
        QVERIFY(a.XCP(129) == r.xcp[128] && a.Cp(129) == r.cp[128]);
        QCOMPARE(QList<float>({a.CPS(2), a.CPS(1290), a.ARG15(129), a.ARG17(1290), a.CASEOUT(1000),
                               a.ARG20, a.ARG21}),
                 QList<float>(7, standin::kUnread));
        QCOMPARE(QList<int>({t.s.NCP, t.history.PREVCP}), QList<int>({1, 0}));
        QCOMPARE(t.Curves(), QList<std::size_t>({0, 128, 0, 128}));
        uitest::SaveShot(*t.w, "pressure_first_press");

        // Over x: Cp from -1.4, the first step below the suction peak of -1.0, at the top; the
        // grid at x = 0..1 and Cp = -1.4..1.0 with the zero line 3 pixels wide, numbered along
        // the left and bottom edges; the sonic mark from station 62 to 67 round the crossing
        // back at station 66, and the critical Cp across the grid, labelled.
        const Canvas &overX = t.w->PictCp().canvas(), &overT = t.w->PictCpt().canvas();
        const WorldRect w = overX.World();
        QVERIFY(overX.Background() == kBlack && Near(w.left, -0.1) && Near(w.top, -1.41) &&
                Near(w.right, 1.01) && Near(w.bottom, 1.01));
        QVERIFY(LinesOf(overX, kGreen).size() == 11 + 12 && LinesOf(overX, kGreen, 3).size() == 1);
        QCOMPARE(NumbersOf(overX, Edge::Left).join(' '),
                 QString("-1.4 -1.2 -1.0 -0.8 -0.6 -0.4 -0.2 0.0 0.2 0.4 0.6 0.8 1.0"));
        QCOMPARE(NumbersOf(overX, Edge::Bottom).join(' '),
                 QString("-0.1 0.0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1.0"));
        QCOMPARE(uitest::TitlesOf(overX), QString("x/c Cp"));
        const float cpStar = *CriticalCp(0.7f);
        QCOMPARE(LinesOf(overX, kYellow), Lines({{{r.xcp[61], cpStar}, {r.xcp[66], cpStar}}}));
        QCOMPARE(LinesOf(overX, kYellow, 1, LineStyle::Dotted),
                 Lines({{{0, cpStar}, {1, cpStar}}}));
        QVERIFY(overX.Texts().size() == 1 && overX.Texts()[0].text == "Cp* -0.779" &&
                overX.Texts()[0].color == kYellow && overX.Texts()[0].at == QPointF(1, cpStar));
        // The legend names the curve with its Mach number, angle, lift and model.
        QCOMPARE(uitest::LegendOf(overX),
                 QStringList({"M 0.70, alpha 2.50\u00b0, CL 0.501, Panel method"}));
        // Over t: lines at t = -0.4..0.4 numbered with t and, under it, x = t^2; and at Cp =
        // -1.4..1.6 (5.8 steps round to 6), the last beyond the view.
        QCOMPARE(NumbersOf(overT, Edge::Bottom, 0).join(' '), QString("-0.4 -0.2 0.0 0.2 0.4"));
        QCOMPARE(NumbersOf(overT, Edge::Bottom, 1).join(' '), QString("0.16 0.04 0.0 0.04 0.16"));
        QCOMPARE(NumbersOf(overT, Edge::Left).join(' '), QString("-1.4 -0.9 -0.4 0.1 0.6 1.1"));
        QCOMPARE(uitest::TitlesOf(overT), QString("t x/c Cp"));
        QVERIFY(Near(overT.World().left, -0.47) && LinesOf(overT, kGreen).size() == 5 + 7);

        // The second, at a typed angle of attack: the first curve turns red in both pictures.
        const Lines firstX = LinesOf(overX, kWhite), firstT = LinesOf(overT, kWhite);
        standin::PlanSuction(*standIn_, -1.6f);
        standIn_->alphaout = 3.3f;
        standIn_->clout = 0.37f;
        t.Type("Txt_M", "0.6");
        QTest::mouseClick(t.Option("Opt_alpha"), Qt::LeftButton, {}, {6, 10});
        t.Type("Txt_alpha", "3.25");
        t.Press();
        QVERIFY(LinesOf(overX, kRed) == firstX && LinesOf(overT, kRed) == firstT);
        QVERIFY(LinesOf(overX, kWhite) != firstX);
        QCOMPARE(uitest::LegendOf(overX),
                 QStringList({"M 0.60, alpha 3.30\u00b0, CL 0.37, Panel method",
                              "previous: M 0.70, alpha 2.50\u00b0, CL 0.501, Panel method"}));
        QCOMPARE(uitest::LegendOf(overT), QStringList({"newest Cp", "previous Cp"}));
        // After the grid and the critical Cp red first, from t = -1 at station 1 through t = 0
        // at station 65 to positive t where x rises again; then white.
        const Segment* red = &overT.Segments()[LinesOf(overT, kGreen).size() + 1];
        QVERIFY(red[0].color == kRed && red[0].from == QPointF(-1.0, firstT[0].first.y()) &&
                red[32].from.x() == -std::sqrt(r.xcp[32]) && red[64].from.x() == 0 &&
                red[65].from.x() == std::sqrt(r.xcp[65]) && red[128].color == kWhite);
        // Argument 6 is set once per section; what the library left in argument 10 goes back.
        QCOMPARE(Passed(), QList<float>({0.6f, 1, 3.25f, 30, 1}));
        QCOMPARE(t.Boxes(), QString("0.6 0.37 3.30"));
        QCOMPARE(QList<int>({t.s.NCP, t.history.PREVCP}), QList<int>({2, 1}));
        uitest::SaveShot(*t.w, "pressure_second_press");

        // A window opened anew for the section: a first computation again, with what its
        // boxes show, here with suction past -3.4, so the axis ends at -5.0; the sonic mark,
        // over x only, at Cp*.
        Session again(*naca61_);
        again.Type("Txt_M", "0.72");
        standin::PlanSuction(*standIn_, -3.5f);
        again.Press();
        QCOMPARE(Passed(), QList<float>({0.72f, 0, 0.5f, 30, 0}));
        const Canvas &x2 = again.w->PictCp().canvas(), &t2 = again.w->PictCpt().canvas();
        QCOMPARE(again.Curves(), QList<std::size_t>({0, 128, 0, 128}));
        QVERIFY(Near(x2.World().top, -5.01) && Near(t2.World().top, -5.01));
        QVERIFY(Near(cpStar, -0.779, 5e-4) && LinesOf(t2, kYellow).empty() &&
                LinesOf(t2, kYellow, 1, LineStyle::Dotted).size() == 1 &&
                again.messages.isEmpty() && t.messages.isEmpty());
        uitest::SaveShot(*again.w, "pressure_deep_suction");
    }

    void aSectionOfMoreThan201PointsIsResampledForTheSolver() {
        auto example = NoisyExample();
        QVERIFY(example && example->NP == 401);
        for (FoilState* section : {naca203_.get(), example.get()}) {
            const FoilState& c = *section;
            *standIn_ = {};
            standin::PlanSuction(*standIn_, -1.0f);
            Session t(*section);
            t.Press();
            const StandIn& r = *standIn_;
            QVERIFY2(r.calls == 1 && r.npt == 201 && t.messages.isEmpty(),
                     qPrintable(t.messages.join('|')));
            // Both trailing-edge points and the leading edge are the run's own; the points
            // between lie on the smoothed contour, closest at the ends and the leading edge.
            QVERIFY(r.xc[0] == c.XP(c.NP) && r.yc[0] == c.Y_SM(c.NP));
            QVERIFY(r.xc[100] == 0 && r.yc[100] == c.Y_SM(c.ILE));
            QVERIFY(r.xc[200] == c.XP(1) && r.yc[200] == c.Y_SM(1));
            for (int j = 1; j < 100; ++j)
                QVERIFY(r.xc[j] < r.xc[j - 1] && r.xc[200 - j] == r.xc[j]);
            QVERIFY(r.xc[0] - r.xc[1] < (r.xc[49] - r.xc[51]) / 4);
            QCOMPARE(t.Note(), QString("The section's %1 points were resampled to 201 along its "
                                       "smoothed contour for the solver.")
                                   .arg(c.NP));
            QCOMPARE(t.Curves(), QList<std::size_t>({0, 128, 0, 128}));
        }
    }

    void theNoisyExampleGetsACpDistributionFromTheSolver() {
        auto noisy = NoisyExample();
        QVERIFY(noisy);
        Session t(*noisy, ZARNFOIL_SOLVER);
        t.Type("Txt_M", "0.3");
        t.Press();
        QVERIFY2(t.messages.isEmpty() && t.s.NCP == 1, qPrintable(t.messages.join('|')));
        QVERIFY(Near(t.w->Arguments().CLOUT, 0.5, 1e-3));
        QCOMPARE(t.Curves(), QList<std::size_t>({0, 128, 0, 128}));
        uitest::SaveShot(*t.w, "pressure_noisy_example");
    }

    void theCurveExportsAsCsvWithItsConditions() {
        Session t(*naca61_);
        const QString path = QDir(dir_.path()).filePath("naca61_cp.csv");
        QVERIFY(!t.w->ExportCsv(path)); // no curve yet
        t.Press();
        QMenu* menu = t.w->PictCp().findChild<QMenu*>("PictureMenu");
        QStringList actions;
        for (const QAction* action : menu->actions())
            actions << action->text();
        QVERIFY(actions.contains("Export curve as CSV..."));
        QVERIFY(t.w->ExportCsv(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 5 + 129 + 1); // the last line ends the file
        QCOMPARE(lines.mid(0, 5), QList<QByteArray>({"# section,naca61.dat\r", "# Mach,0.7\r",
                                                     "# alpha,2.5\r", "# CL,0.5012\r", "x,Cp\r"}));
        const QList<QByteArray> row = lines[5 + 64].trimmed().split(','); // the leading edge
        QVERIFY(row.size() == 2 && row[0].toFloat() == standIn_->xcp[64] &&
                row[1].toFloat() == standIn_->cp[64]);
    }

    void aChangedSectionMarksTheCurveAndANewOneForgetsIt() {
        QTemporaryDir dir;
        auto state = std::make_unique<FoilState>();
        FoilDocument document(*state);
        Form_inp form(document, dir.path());
        form.SetEndProgram([](int) {});
        InstallPressureWindow(form);
        uitest::WriteNaca0012(dir.path(), "a.dat", 31);
        uitest::WriteNaca0012(dir.path(), "b.dat", 41);
        const auto open = [&form, &dir](const char* name) {
            form.OpenFile(dir.filePath(name));
            QTest::mouseClick(form.findChild<QPushButton*>("Cmd_Geom"), Qt::LeftButton);
            QTest::mouseClick(form.findChild<QPushButton*>("Cmd_cp"), Qt::LeftButton);
            auto* w = form.findChild<Form_Cp*>();
            if (w) w->SetSolverPaths({ZARNFOIL_STAND_IN});
            return w;
        };
        QPointer<Form_Cp> w = open("a.dat");
        QVERIFY(w && w->windowTitle() == "Cp distribution - a.dat");
        w->ComputeCp();
        w->ComputeCp();
        QCOMPARE(LinesOf(w->PictCp().canvas(), kRed).size(), std::size_t(128));
        // Smooth again: the curve shown is of the section before, and the window says so.
        QTest::mouseClick(form.findChild<QPushButton*>("Cmd_Geom"), Qt::LeftButton);
        QVERIFY(w->findChild<QLabel*>("Lbl_note")->text().contains("has changed"));
        // Another section: the window closes; opened again it has no previous curve.
        form.OpenFile(dir.filePath("b.dat"));
        QTRY_VERIFY(w.isNull());
        w = open("b.dat");
        QVERIFY(w && w->windowTitle() == "Cp distribution - b.dat" && state->NCP == 0);
        w->ComputeCp();
        QCOMPARE(LinesOf(w->PictCp().canvas(), kRed).size(), std::size_t(0));
        QCOMPARE(QList<int>({state->NCP, standIn_->npt}), QList<int>({1, 81}));
    }

    void resizeBeforeTheFirstComputationDrawsNothing() {
        Session t(*naca61_);
        QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
        // 800 pixels are 9600 twips: Pict_Cpt is 9600 - 1518 wide and Pict_Cp 9600 - 198, each in
        // its design's proportions (3255 / 5292 and 4095 / 6612); Pict_Cp starts 225 twips below
        // Pict_Cpt, the note line 30 twips below Pict_Cp, and the window ends 600 twips below
        // Pict_Cp.
        const CpFit fit = FitCp(t.w->Layout(), 800);
        QCOMPARE(QList<int>({fit.windowHeight, fit.cptWidth, fit.cptHeight, fit.cpTop, fit.cpWidth,
                             fit.cpHeight, fit.noteTop}),
                 QList<int>({968, 674, 414, 433, 784, 485, 921}));
        // On a screen 700 pixels high the pictures give up height in proportion, not width.
        const CpFit low = FitCp(t.w->Layout(), 800, 700);
        QVERIFY(low.windowHeight == 700 && low.cptWidth == 674 && low.cpWidth == 784 &&
                std::abs(low.cptHeight * 485 - low.cpHeight * 414) < 485 &&
                std::abs(low.cptHeight + low.cpHeight - (700 - (968 - 414 - 485))) <= 1);
        t.w->resize(600, 300);
        const int available = t.w->screen()->availableGeometry().height();
        QTRY_COMPARE(t.w->height(), std::min(FitCp(t.w->Layout(), 600).windowHeight, available));
        QCOMPARE(t.w->PictCp().width(), 584);
        QVERIFY(t.Untouched());

        t.Press();
        const Lines drawn = LinesOf(t.w->PictCp().canvas(), kWhite);
        t.w->resize(700, 300);
        QTRY_COMPARE(t.w->PictCp().width(), 684);
        QCOMPARE(LinesOf(t.w->PictCp().canvas(), kWhite), drawn); // the same world, drawn again
        // Made wide, the window grows no taller than the screen.
        t.w->resize(2400, 300);
        QTRY_COMPARE(t.w->PictCp().width(), 2384);
        QVERIFY(t.w->height() <= available);
    }

    void theCpRangeCoversBothCurvesAndThePicturesZoom() {
        Session t(*naca61_);
        standin::PlanSuction(*standIn_, -3.5f);
        standIn_->cp[70] = 1.13f; // a stagnation Cp above 1, as compressible flow has it
        t.Press();
        QVERIFY(Near(t.w->PictCp().canvas().World().top, -5.01) &&
                Near(t.w->PictCp().canvas().World().bottom, 1.21) &&
                Near(t.w->PictCpt().canvas().World().bottom, 1.51));
        // A shallower curve keeps the range of the deeper previous one, in both pictures.
        standin::PlanSuction(*standIn_, -1.0f);
        t.Press();
        QVERIFY(Near(t.w->PictCp().canvas().World().top, -5.01) &&
                Near(t.w->PictCpt().canvas().World().top, -5.01) &&
                Near(t.w->PictCp().canvas().World().bottom, 1.21));
        // 31 steps of 0.2 from -5.0 to 1.2: numbered every 0.4.
        QCOMPARE(NumbersOf(t.w->PictCp().canvas(), Edge::Left).mid(0, 3).join(' '),
                 QString("-4.8 -4.4 -4.0"));
        t.Press(); // both curves shallow now
        QVERIFY(Near(t.w->PictCp().canvas().World().top, -1.41) &&
                Near(t.w->PictCp().canvas().World().bottom, 1.01));

        // The wheel zooms about the cursor; a new curve keeps the zoom; Home shows all again.
        PictureArea& p = t.w->PictCp();
        const PlotView first = t.w->ViewCp();
        const QPoint cursor(120, 80);
        const QPointF under = p.WorldAt(QPointF(cursor));
        uitest::Wheel(&p, cursor, 3);
        QVERIFY(Near(p.WorldAt(QPointF(cursor)).x(), under.x(), 1e-5) &&
                Near(p.WorldAt(QPointF(cursor)).y(), under.y(), 1e-5) &&
                t.w->ViewCp().VIEW_W < first.VIEW_W / 1.9);
        const WorldRect& w = p.canvas().World();
        const QStringList x = NumbersOf(p.canvas(), Edge::Bottom);
        QVERIFY(x.size() >= 4 && x.first().toDouble() >= w.left && x.last().toDouble() <= w.right);
        const PlotView zoomed = t.w->ViewCp();
        t.Press();
        QVERIFY(t.w->ViewCp().VIEW_W == zoomed.VIEW_W && t.w->ViewCp().VIEW_XC == zoomed.VIEW_XC);
        // A drag pans Cp over t on its own; a box drawn with the right button zooms to it.
        const PlotView firstT = t.w->ViewCpt();
        uitest::Drag(&t.w->PictCpt(), Qt::LeftButton, {}, {200, 100}, {150, 60});
        QVERIFY(t.w->ViewCpt().VIEW_XC > firstT.VIEW_XC && t.w->ViewCpt().VIEW_YC > firstT.VIEW_YC);
        uitest::Drag(&p, Qt::RightButton, {}, {100, 60}, {200, 120});
        QVERIFY(t.w->ViewCp().VIEW_W < zoomed.VIEW_W);
        t.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
        QTest::keyClick(t.w.get(), Qt::Key_Home);
        QVERIFY(t.w->ViewCp().VIEW_W == first.VIEW_W && t.w->ViewCp().VIEW_YC == first.VIEW_YC &&
                t.w->ViewCpt().VIEW_XC == firstT.VIEW_XC);
        QCOMPARE(PictureFileName(*naca61_, "cp_x"), QString("naca61_cp_x.png"));
    }

    void refusalsSayWhyAndChangeNothing() {
        const QString none = QDir(dir_.path()).filePath("a/dll/libkalto.so");
        // No library at the path, one without the entry, a Mach number and a lift coefficient
        // that are no numbers, a negative Mach number.
        Session missing(*naca61_, none), wrong(*naca61_, ZARNFOIL_NO_ENTRY), words(*naca61_),
            negative(*naca61_);
        missing.Type("Txt_M", "0.3");
        words.Type("Txt_M", "abc");
        words.Type("Txt_cl", "");
        negative.Type("Txt_M", "-0.3");
        const std::pair<Session*, QString> cases[] = {
            {&missing, QDir::toNativeSeparators(none)},
            {&wrong, "no entry KALTO"},
            {&words, "\"Mach\" holds \"abc\", which is not a number.\n\"C lift\" holds \"\", "
                     "which is not a number.\nNothing was computed."},
            {&negative, "negative"}};
        for (const auto& [t, reason] : cases) {
            t->Press();
            QVERIFY2(t->messages.size() == 1 && t->messages[0].contains(reason),
                     qPrintable(t->messages.join('|')));
            QVERIFY(t->Untouched());
        }
        QCOMPARE(missing.Boxes() + " " + QString::number(standIn_->calls), QString("0.3 0.50 1 0"));
        // The boxes without a number are marked until a number is typed.
        QVERIFY(IsMarked(words.Box("Txt_M")) && IsMarked(words.Box("Txt_cl")));
        words.Type("Txt_M", "0.6");
        QVERIFY(!IsMarked(words.Box("Txt_M")) && IsMarked(words.Box("Txt_cl")));
        // The installed library beside the program comes before one in the current folder.
        const QString name = "dll/" + KaltoFileName();
        QCOMPARE(KaltoSearchPaths("/opt/zf/bin", "/home/u"),
                 QStringList({"/opt/zf/bin/" + name, "/home/u/" + name}));
        QCOMPARE(KaltoSearchPaths("/opt/zf/bin", "/opt/zf/bin/"),
                 QStringList({"/opt/zf/bin/" + name}));
        QVERIFY(InputRefusal(0.5f, AsFloat(1e39), true).contains("lift coefficient"));
    }

    void oddResultsAreDrawnAsFarAsTheyGoAndReported() {
        Session t(*naca61_);
        t.Press();
        standIn_->status = 4; // the Euler solution did not settle
        t.Press();
        QVERIFY2(t.messages.size() == 1 &&
                     t.messages[0].contains("the panel solution with its compressibility "
                                            "correction is shown"),
                 qPrintable(t.messages.join('|')));
        standIn_->status = 0;
        standIn_->cp[9] = std::nanf(""); // left out, with both of its segments
        t.Press();
        QVERIFY(t.messages.size() == 2 && t.messages[1].contains("not numbers"));
        QCOMPARE(t.Curves(), QList<std::size_t>({128, 126, 128, 126}));

        // Outside the method's range, or refused by the solver: reported and not drawn over
        // the curves shown, which stay as they were, as do the boxes and the count.
        const std::vector<Segment> shown = t.w->PictCp().canvas().Segments();
        const QString boxes = t.Boxes();
        for (const auto& [status, mach] : {std::pair{1, "0.8"}, {3, "0.5"}, {0, "1.2"}}) {
            standIn_->status = status;
            t.Type("Txt_M", mach);
            t.Press();
            QVERIFY2(t.messages.back().contains("The curve is not drawn"),
                     qPrintable(t.messages.back()));
            QVERIFY(t.w->PictCp().canvas().Segments().size() == shown.size() && t.s.NCP == 3 &&
                    t.w->MachLast() == 0.7f);
            t.Type("Txt_M", "0.70");
            QCOMPARE(t.Boxes(), boxes);
        }
        QCOMPARE(standIn_->calls, 6);
    }

    void captionNamesTheModelAndTheShocks() {
        // Below the curves over t: the model of CASEOUT(1, 3) and the shock places of (1, 6)
        // and (1, 7), -1 standing for none; nothing for a library that names no model. A result
        // of bad input is not drawn, so the caption of the curve shown stays.
        Session t(*naca61_);
        const struct {
            float model, upper, lower;
            std::int32_t status;
            const char* caption;
        } rows[] = {{1, 0.6473f, 0.3668f, 0, "Euler: shock x 0.647 upper, 0.367 lower"},
                    {1, 0.33f, -1, 0, "Euler: shock x 0.330 upper"},
                    {1, -1, 0.5f, 0, "Euler: shock x 0.500 lower"},
                    {1, -1, -1, 0, "Euler: no shock"},
                    {0, -1, -1, 0, "Panel method"},
                    {0, -1, -1, 4, "Panel method"},
                    {0, -1, -1, 3, "Panel method"},
                    {standin::kUnread, -1, -1, 0, "<none>"}};
        for (const auto& row : rows) {
            standIn_->model = row.model, standIn_->shockUpper = row.upper;
            standIn_->shockLower = row.lower, standIn_->status = row.status;
            t.Press();
            QCOMPARE(TextAt(t.w->PictCpt().canvas(), -0.38, 1.1), QString(row.caption));
        }
        standIn_->status = 0;
    }

  private:
    // The bundled 401-point noisy example smoothed with a strip of 0.002, its files written
    // into the test's folder.
    std::unique_ptr<FoilState> NoisyExample() const {
        const QString path = QDir(dir_.path()).filePath("naca2412_noisy.dat");
        if (!QFile::exists(path)) QFile::copy(ZARNFOIL_EXAMPLES "/naca2412_noisy.dat", path);
        return uitest::ReadAndSmooth(path, kGridFromUpperSurface, 0.002f);
    }

    // Mach, IMODE, CLAIN(1) and arguments 6 and 10 of the last call.
    QList<float> Passed() const {
        const StandIn& r = *standIn_;
        return {r.machin1, float(r.imode), r.clain1, float(r.arg6), r.arg10};
    }

    QTemporaryDir dir_;
    QLibrary library_{ZARNFOIL_STAND_IN};
    StandIn* standIn_ = nullptr;
    std::unique_ptr<FoilState> naca61_, naca203_;
};

QTEST_MAIN(PressureWindowTest)
#include "pressure_window_test.moc"