// The Cp window driven through its controls over the stand-in solver library: first-press
// defaults, the previous curve, angle-of-attack mode, what is passed and read back, the scale
// and mark in the pictures, resize, refusals and notes; then once over the real library.
#include "tests/pressure/kalto_stand_in.h"
#include "tests/ui/ui_test_support.h"
#include "ui/plots/plot_colors.h"
#include "ui/pressure/pressure_window.h"

#include <QLibrary>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>
#include <vector>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using standin::StandIn;

namespace {

using Lines = std::vector<std::pair<QPointF, QPointF>>;

Lines LinesOf(const PictureArea& picture, const QColor& color) {
    Lines lines;
    for (const Segment& s : picture.canvas().Segments())
        if (s.color == color) lines.emplace_back(s.from, s.to);
    return lines;
}

// The Cp window over a section, its messages noted instead of shown.
struct Session {
    FoilState& s;
    PressureHistory history;
    std::unique_ptr<Form_Cp> w;
    QStringList messages;

    explicit Session(FoilState& section, QStringList paths = {ZARNFOIL_STAND_IN}) : s(section) {
        s.NCP = 0; // as Input leaves it
        w = std::make_unique<Form_Cp>(s, history);
        if (!paths.isEmpty()) w->SetSolverPaths(paths);
        w->SetShowMessage([this](const QString& text) { messages << text; });
        w->show();
    }
    QLineEdit* Box(const char* name) const { return w->findChild<QLineEdit*>(name); }
    void Type(const char* box, const QString& text) const {
        Box(box)->clear();
        QTest::keyClicks(Box(box), text);
    }
    QString Boxes() const {
        return Box("Txt_M")->text() + " " + Box("Txt_cl")->text() + " " + Box("Txt_alpha")->text();
    }
    QRadioButton* Option(const char* name) const { return w->findChild<QRadioButton*>(name); }
    void SelectAlpha() const {
        QTest::mouseClick(Option("Opt_alpha"), Qt::LeftButton, {}, {6, 10});
    }
    void Press() const { QTest::mouseClick(w->findChild<QPushButton*>("Cmd_cp"), Qt::LeftButton); }
    // Red and white segments over x and over t.
    QList<int> Curves() const {
        return {int(LinesOf(w->PictCp(), kRed).size()), int(LinesOf(w->PictCp(), kWhite).size()),
                int(LinesOf(w->PictCpt(), kRed).size()), int(LinesOf(w->PictCpt(), kWhite).size())};
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
        auto access =
            reinterpret_cast<standin::StandInAccess>(library_.resolve(standin::kAccessName));
        QVERIFY(access);
        standIn_ = access();
        naca61_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca61.dat", 31));
        naca203_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca203.dat", 102));
        QVERIFY(naca61_ && naca61_->NP == 61 && naca203_ && naca203_->NP == 203);
    }

    void init() {
        *standIn_ = {};
        standin::PlanSuction(*standIn_, -1.0f);
        standIn_->alphaout = 2.5f;
        standIn_->clout = 0.5012f;
    }

    void pressesTakeDefaultsFirstThenTheBoxesAndKeepThePreviousCurve() {
        Session t(*naca61_);
        QCOMPARE(t.Boxes(), QString("0.5 0.5 1"));
        t.Type("Txt_M", "0.9");
        t.Type("Txt_cl", "1.2");
        t.SelectAlpha();
        t.Press();
        // The first press for a section: Mach 0.7 and C lift 0.5 whatever was typed; the boxes
        // then show the answer.
        QCOMPARE(t.Boxes(), QString("0.70 0.501 2.50"));
        QVERIFY(t.Option("Opt_cl")->isChecked() && !t.Option("Opt_alpha")->isChecked());
        const StandIn& r = *standIn_;
        QCOMPARE(QList<int>({r.calls, r.ncase, r.arg7, r.arg8, r.npt}),
                 QList<int>({1, 1, 1, 2, 61}));
        QCOMPARE(Passed(), QList<float>({0.7f, 0, 0.5f, 30, 0}));
        // The contour from the upper trailing edge over the leading edge to the lower one.
        for (int j = 1; j <= 61; ++j)
            QVERIFY(r.xc[j - 1] == naca61_->XP(62 - j) && r.yc[j - 1] == naca61_->Y_SM(62 - j));
        QVERIFY(r.yc[0] > 0 && r.yc[60] < 0 && std::fabs(r.xc[30]) < 1e-6);
        // What the library writes lands in the window's block, each array to its full size.
        const KaltoArguments& a = t.w->Arguments();
        QCOMPARE(QList<float>({a.XCP(129), a.Cp(129), a.CPS(2), a.CPS(1290), a.ARG15(129),
                               a.ARG17(1290), a.ARG22(1000), a.ARG20, a.ARG21}),
                 QList<float>({r.xcp[128], r.cp[128], -7, -7, -7, -7, -7, -7, -7}));
        QCOMPARE(QList<int>({t.s.NCP, t.history.PREVCP}), QList<int>({1, 0}));
        QCOMPARE(t.Curves(), QList<int>({0, 128, 0, 128}));
        uitest::SaveShot(*t.w, "pressure_first_press");

        // The second, at a typed angle of attack: the first curve turns red in both pictures.
        const Lines firstX = LinesOf(t.w->PictCp(), kWhite),
                    firstT = LinesOf(t.w->PictCpt(), kWhite);
        standin::PlanSuction(*standIn_, -1.6f);
        standIn_->alphaout = 3.3f;
        standIn_->clout = 0.37f;
        t.Type("Txt_M", "0.6");
        t.SelectAlpha();
        t.Type("Txt_alpha", "3.25");
        t.Press();
        QVERIFY(LinesOf(t.w->PictCp(), kRed) == firstX && LinesOf(t.w->PictCpt(), kRed) == firstT);
        QVERIFY(LinesOf(t.w->PictCp(), kWhite) != firstX);
        // Argument 6 is set once per section; what the library left in argument 10 goes back.
        QCOMPARE(Passed(), QList<float>({0.6f, 1, 3.25f, 30, 1}));
        QCOMPARE(t.Boxes(), QString("0.6 0.37 3.30"));
        QCOMPARE(QList<float>({float(t.s.NCP), float(t.history.PREVCP), t.w->MachLast()}),
                 QList<float>({2, 1, 0.6f}));
        uitest::SaveShot(*t.w, "pressure_second_press");

        t.s.NCP = 0; // Input in the main window: the next press is a first one again
        t.Press();
        QCOMPARE(Passed(), QList<float>({0.7f, 0, 0.5f, 30, 0}));
        QCOMPARE(t.Curves(), QList<int>({0, 128, 0, 128}));
        QVERIFY(t.messages.isEmpty());
    }

    void axisEndAndSonicMarkFollowTheResult() {
        Session t(*naca61_);
        standin::PlanSuction(*standIn_, -3.5f);
        t.Press(); // Mach 0.7
        for (const PictureArea* p : {&t.w->PictCp(), &t.w->PictCpt()})
            QVERIFY(std::fabs(p->canvas().World().top - (-5.01)) < 1e-6);
        const Lines marks = LinesOf(t.w->PictCp(), kYellow);
        QVERIFY(marks.size() == 1 && marks[0].first.y() == marks[0].second.y());
        QVERIFY(std::fabs(marks[0].first.y() - (-0.779)) < 5e-4);
        QVERIFY(LinesOf(t.w->PictCpt(), kYellow).empty());
        uitest::SaveShot(*t.w, "pressure_deep_suction");
    }

    void resizeBeforeTheFirstComputationDrawsNothing() {
        Session t(*naca61_);
        QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
        // 800 pixels are 9600 twips: Pict_Cpt is 9600 - 1518 wide and Pict_Cp 9600 - 198, each in
        // its design's proportions (3255 / 5292 and 4095 / 6612); Pict_Cp starts 225 twips below
        // Pict_Cpt and the window ends 90 twips below Pict_Cp.
        t.w->resize(800, 300);
        QTRY_COMPARE(t.w->height(), 926);
        QCOMPARE(t.w->PictCpt().size(), QSize(674, 414));
        QCOMPARE(t.w->PictCp().geometry(), QRect(10, 433, 784, 485));
        QVERIFY(t.Untouched());

        t.Press();
        const Lines drawn = LinesOf(t.w->PictCp(), kWhite);
        t.w->resize(600, 300);
        QTRY_COMPARE(t.w->PictCp().width(), 584);
        QCOMPARE(LinesOf(t.w->PictCp(), kWhite), drawn); // drawn again, the same world
        uitest::SaveShot(*t.w, "pressure_resized");
    }

    void refusalsSayWhyAndChangeNothing() {
        const QString a = QDir(dir_.path()).filePath("a/dll/libkalto.so");
        // No library at the path, one without the entry, more points than the solver takes.
        Session missing(*naca61_, {a}), wrong(*naca61_, {ZARNFOIL_NO_ENTRY}), big(*naca203_);
        missing.Type("Txt_M", "0.3");
        const std::pair<Session*, QStringList> cases[] = {{&missing, {QDir::toNativeSeparators(a)}},
                                                          {&wrong, {"no entry KALTO"}},
                                                          {&big, {"203", "201"}}};
        for (const auto& [t, reasons] : cases) {
            t->Press();
            QCOMPARE(t->messages.size(), 1);
            for (const QString& reason : reasons)
                QVERIFY2(t->messages[0].contains(reason), qPrintable(t->messages[0]));
            QVERIFY(t->Untouched());
        }
        QCOMPARE(missing.Boxes(), QString("0.3 0.5 1")); // not even the first press's defaults
        QCOMPARE(standIn_->calls, 0);

        // Without a test's hand on it the message is a box that does not hold up the program.
        Form_Cp plain(*naca61_, missing.history);
        plain.SetSolverPaths({a});
        plain.ComputeCp();
        auto* box = plain.findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible() && box->text().contains(QDir::toNativeSeparators(a)));
        box->button(QMessageBox::Ok)->click();
    }

    void oddResultsAreDrawnAsFarAsTheyGoAndReported() {
        Session t(*naca61_);
        t.Press();
        // The library's status, a station whose Cp is not a number, and the note.
        const std::tuple<int, int, const char*> cases[] = {
            {4, 0, "the panel solution with its compressibility correction is shown"},
            {9, 0, "status 9"},
            {0, 10, "not numbers"}};
        for (const auto& [status, gap, note] : cases) {
            standIn_->status = status;
            if (gap) standIn_->cp[gap - 1] = std::nanf("");
            t.messages.clear();
            t.Press();
            QVERIFY2(t.messages.size() == 1 && t.messages[0].contains(note),
                     qPrintable(t.messages.join('|')));
            QCOMPARE(t.Curves()[1], gap ? 126 : 128);
        }
    }

    void realSolverLibrary() {
        const QString installed =
            KaltoSearchPaths(QCoreApplication::applicationDirPath(), QDir::currentPath()).first();
        if (!QFileInfo::exists(installed)) QSKIP("the solver library kalto is not built");
        Session t(*naca61_, {}); // where the program looks
        t.Press();
        QVERIFY2(t.messages.isEmpty(), qPrintable(t.messages.join('\n')));
        const KaltoArguments& a = t.w->Arguments();
        QVERIFY(a.ISTAT(1) == 0 && std::fabs(a.CLOUT - 0.5f) <= 1e-4f && a.ALPHAOUT > 2 &&
                a.ALPHAOUT < 6);
        QVERIFY(std::fabs(a.XCP(1) - 1) < 1e-3 && std::fabs(a.XCP(65)) < 1e-3);
        QCOMPARE(t.Curves()[1], 128);
        uitest::SaveShot(*t.w, "pressure_real_solver");
    }

  private:
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