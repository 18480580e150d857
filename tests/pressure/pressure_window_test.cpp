// The Cp window driven through its controls over the stand-in solver library: first-press
// defaults, the previous curve, angle-of-attack mode, what is passed and read back, the scale
// and mark in the pictures, resize, refusals and messages; then once over the real library.
#include "core/number_format.h"
#include "tests/pressure/kalto_stand_in.h"
#include "tests/ui/ui_test_support.h"
#include "ui/plots/plot_colors.h"
#include "ui/pressure/cp_scale.h"
#include "ui/pressure/pressure_window.h"

#include <QDir>
#include <QLibrary>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using standin::StandIn;
using uitest::CountSegments;

namespace {

constexpr double kPi = 3.14159265358979;

// A curve as the solver lays its stations, with suction down to `cpmin` on the upper surface.
void PlanCurve(standin::Plan& plan, float cpmin) {
    for (int j = 1; j <= 129; ++j) {
        const double x = (1 + std::cos(kPi * (j - 1) / 64)) / 2;
        plan.xcp[j - 1] = static_cast<float>(x);
        plan.cp[j - 1] =
            static_cast<float>(j <= 65 ? cpmin * std::pow(1 - x, 1.5) + 0.1 * x : 0.3 * (1 - x));
    }
}

using Lines = std::vector<std::pair<QPointF, QPointF>>;

Lines LinesOf(const PictureArea& picture, const QColor& color) {
    Lines lines;
    for (const Segment& s : picture.canvas().Segments())
        if (s.color == color) lines.emplace_back(s.from, s.to);
    return lines;
}

bool AllFinite(const PictureArea& picture) {
    for (const Segment& s : picture.canvas().Segments())
        if (!std::isfinite(s.from.x()) || !std::isfinite(s.from.y()) || !std::isfinite(s.to.x()) ||
            !std::isfinite(s.to.y()))
            return false;
    return true;
}

bool Blank(const PictureArea& picture) {
    return picture.canvas().Segments().empty() && picture.canvas().Texts().empty();
}

// The Cp window over a section, its messages noted instead of shown.
struct Session {
    FoilState& s;
    PressureHistory history;
    std::unique_ptr<Form_Cp> window;
    QStringList messages;

    explicit Session(FoilState& section, QStringList paths = {ZARNFOIL_STAND_IN}) : s(section) {
        s.NCP = 0; // as Input leaves it
        Open(std::move(paths));
    }
    // The window built anew, as after the user closed it.
    void Open(QStringList paths = {ZARNFOIL_STAND_IN}) {
        window = std::make_unique<Form_Cp>(s, history);
        if (!paths.isEmpty()) window->SetSolverPaths(paths);
        window->SetShowMessage([this](const QString& text) { messages << text; });
        window->show();
    }
    template <class Control> Control* Get(const char* name) const {
        return window->findChild<Control*>(name);
    }
    QString Text(const char* box) const { return Get<QLineEdit>(box)->text(); }
    void Type(const char* box, const QString& text) const {
        Get<QLineEdit>(box)->clear();
        QTest::keyClicks(Get<QLineEdit>(box), text);
    }
    void Select(const char* option) const {
        QTest::mouseClick(Get<QRadioButton>(option), Qt::LeftButton, {}, QPoint(6, 10));
    }
    void Press() const { QTest::mouseClick(Get<QPushButton>("Cmd_cp"), Qt::LeftButton); }
    const PictureArea& OverX() const { return window->PictCp(); }
    const PictureArea& OverT() const { return window->PictCpt(); }
};

} // namespace

class PressureWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();

    void firstPressUsesTheDefaultsWhateverWasTyped();
    void secondPressKeepsTheFirstCurveInRedUntilInput();
    void angleOfAttackModePassesAlphaAndShowsAlphaOut();
    void windowOpenedAgainShowsNoCurveOfAnEarlierWindow();
    void blockHoldsEveryOutputOfTheLibrary();

    void axisEndAndSonicMarkFollowTheResult();
    void resizeBeforeTheFirstComputationDrawsNothing();

    void missingOrWrongLibraryNamesThePathsAndChangesNothing();
    void refusalsChangeNothing();
    void resultsOutsideTheMethodAreDrawnAndReported();
    void valuesThatAreNotNumbersAreNotDrawn();

    void realSolverLibrary();

  private:
    QTemporaryDir dir_;
    QLibrary standInLibrary_{ZARNFOIL_STAND_IN};
    StandIn* standIn_ = nullptr;
    std::unique_ptr<FoilState> naca61_, naca203_;
};

void PressureWindowTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY2(standInLibrary_.load(), qPrintable(standInLibrary_.errorString()));
    auto access =
        reinterpret_cast<standin::StandInAccess>(standInLibrary_.resolve(standin::kAccessName));
    QVERIFY(access);
    standIn_ = access();
    naca61_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca61.dat", 31));
    naca203_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca203.dat", 102));
    QVERIFY(naca61_ && naca61_->NP == 61);
    QVERIFY(naca203_ && naca203_->NP == 203);
}

void PressureWindowTest::init() {
    *standIn_ = {};
    PlanCurve(standIn_->plan, -1.0f);
    standIn_->plan.alphaout = 2.5f;
    standIn_->plan.clout = 0.5012f;
}

void PressureWindowTest::firstPressUsesTheDefaultsWhateverWasTyped() {
    Session t(*naca61_);
    QCOMPARE(t.Text("Txt_M"), QString("0.5"));
    t.Type("Txt_M", "0.9");
    t.Type("Txt_cl", "1.2");
    t.Select("Opt_alpha");
    t.Press();

    QCOMPARE(t.Text("Txt_M"), QString("0.70"));
    QVERIFY(t.Get<QRadioButton>("Opt_cl")->isChecked());
    QVERIFY(!t.Get<QRadioButton>("Opt_alpha")->isChecked());
    const standin::Record& r = standIn_->record;
    QCOMPARE(r.calls, 1);
    QCOMPARE(r.ncase, 1);
    QCOMPARE(r.imode, 0);
    QCOMPARE(r.machin1, 0.7f);
    QCOMPARE(r.clain1, 0.5f);
    QCOMPARE(r.arg6, 30);
    QCOMPARE(r.arg7, 1);
    QCOMPARE(r.arg8, 2);
    QCOMPARE(r.arg10, 0.0f);
    // The contour from the upper trailing edge over the leading edge to the lower one.
    QCOMPARE(r.npt, 61);
    for (int j = 1; j <= 61; ++j) {
        QCOMPARE(r.xc[j - 1], naca61_->XP(62 - j));
        QCOMPARE(r.yc[j - 1], naca61_->Y_SM(62 - j));
    }
    QVERIFY(r.yc[0] > 0 && r.yc[60] < 0 && std::fabs(r.xc[30]) < 1e-6);
    // What came back.
    QCOMPARE(t.Text("Txt_cl"), QString("0.501"));
    QCOMPARE(t.Text("Txt_alpha"), QString("2.50"));
    QCOMPARE(t.s.NCP, std::int16_t(1));
    QCOMPARE(t.history.PREVCP, std::int16_t(0));
    QCOMPARE(t.window->MachLast(), 0.7f);
    for (const PictureArea* p : {&t.OverX(), &t.OverT()}) {
        QCOMPARE(CountSegments(p->canvas(), kRed, LineStyle::Solid), 0);
        QCOMPARE(CountSegments(p->canvas(), kWhite, LineStyle::Solid), 128);
    }
    QVERIFY(t.messages.isEmpty());
    uitest::SaveShot(*t.window, "pressure_first_press");
}

void PressureWindowTest::secondPressKeepsTheFirstCurveInRedUntilInput() {
    Session t(*naca61_);
    t.Press();
    const Lines firstX = LinesOf(t.OverX(), kWhite), firstT = LinesOf(t.OverT(), kWhite);
    PlanCurve(standIn_->plan, -1.6f);
    t.Type("Txt_M", "0.6");
    t.Press();

    QCOMPARE(LinesOf(t.OverX(), kRed), firstX);
    QCOMPARE(LinesOf(t.OverT(), kRed), firstT);
    QVERIFY(LinesOf(t.OverX(), kWhite) != firstX);
    QCOMPARE(t.history.PREVCP, std::int16_t(1));
    QCOMPARE(t.s.NCP, std::int16_t(2));
    QCOMPARE(standIn_->record.machin1, 0.6f);
    QCOMPARE(t.window->MachLast(), 0.6f);
    // Set once per section; what the library left there is passed again.
    QCOMPARE(standIn_->record.arg6, 30);
    QCOMPARE(standIn_->record.arg10, 1.0f);
    uitest::SaveShot(*t.window, "pressure_second_press");

    t.s.NCP = 0; // Input in the main window: the next press is a first one again
    t.Select("Opt_alpha");
    t.Press();
    QCOMPARE(standIn_->record.machin1, 0.7f);
    QCOMPARE(standIn_->record.imode, 0);
    QCOMPARE(t.history.PREVCP, std::int16_t(0));
    QVERIFY(LinesOf(t.OverX(), kRed).empty());
}

void PressureWindowTest::angleOfAttackModePassesAlphaAndShowsAlphaOut() {
    Session t(*naca61_);
    t.Press();
    t.Select("Opt_alpha");
    t.Type("Txt_alpha", "3.25");
    standIn_->plan.alphaout = 3.3f;
    standIn_->plan.clout = 0.37f;
    t.Press();
    QCOMPARE(standIn_->record.imode, 1);
    QCOMPARE(standIn_->record.clain1, 3.25f);
    QCOMPARE(t.Text("Txt_alpha"), QString("3.30"));
    QCOMPARE(t.Text("Txt_cl"), QString("0.37"));
}

void PressureWindowTest::windowOpenedAgainShowsNoCurveOfAnEarlierWindow() {
    Session t(*naca61_);
    t.Press();
    t.Press();
    t.Open();
    QVERIFY(Blank(t.OverX()) && Blank(t.OverT()));
    t.Press();
    // The new window's boxes as designed: Mach 0.5, no option chosen, so alpha 1 is given.
    QCOMPARE(standIn_->record.machin1, 0.5f);
    QCOMPARE(standIn_->record.imode, 1);
    QCOMPARE(standIn_->record.clain1, 1.0f);
    QCOMPARE(standIn_->record.arg6, 30);
    QCOMPARE(standIn_->record.arg10, 0.0f);
    QCOMPARE(t.s.NCP, std::int16_t(3));
    QCOMPARE(t.history.PREVCP, std::int16_t(0));
    QCOMPARE(CountSegments(t.OverX().canvas(), kRed, LineStyle::Solid), 0);
    QCOMPARE(CountSegments(t.OverX().canvas(), kWhite, LineStyle::Solid), 128);
}

void PressureWindowTest::blockHoldsEveryOutputOfTheLibrary() {
    Session t(*naca61_);
    standIn_->plan.status = 0;
    t.Press();
    const KaltoArguments& a = t.window->Arguments();
    for (int j = 1; j <= 129; ++j) {
        QCOMPARE(a.XCP(j), standIn_->plan.xcp[j - 1]);
        QCOMPARE(a.ARG15(j), standin::kMarker15);
        QCOMPARE(a.Cp(j), standIn_->plan.cp[j - 1]);
        for (int i = 2; i <= 10; ++i)
            QCOMPARE(a.CPS(i + 10 * (j - 1)), standin::kMarker16);
    }
    for (int k = 1; k <= 1290; ++k)
        QCOMPARE(a.ARG17(k), standin::kMarker17);
    for (int k = 1; k <= 1000; ++k)
        QCOMPARE(a.ARG22(k), standin::kMarker22);
    QCOMPARE(a.ALPHAOUT, 2.5f);
    QCOMPARE(a.CLOUT, 0.5012f);
    QCOMPARE(a.ARG20, standin::kMarker20);
    QCOMPARE(a.ARG21, standin::kMarker21);
    QCOMPARE(a.XC(62), 0.0f); // beyond the section nothing is passed
}

void PressureWindowTest::axisEndAndSonicMarkFollowTheResult() {
    Session t(*naca61_);
    PlanCurve(standIn_->plan, -3.5f);
    t.Press(); // Mach 0.7
    QVERIFY(std::fabs(t.OverX().canvas().World().top - (-5.01)) < 1e-6);
    QVERIFY(std::fabs(t.OverT().canvas().World().top - (-5.01)) < 1e-6);
    QVERIFY(uitest::TextsOf(t.OverX().canvas()).contains("-5.0"));
    const Lines marks = LinesOf(t.OverX(), kYellow);
    QCOMPARE(marks.size(), std::size_t(1));
    QVERIFY(std::fabs(marks[0].first.y() - (-0.779)) < 5e-4);
    QCOMPARE(marks[0].first.y(), marks[0].second.y());
    QVERIFY(LinesOf(t.OverT(), kYellow).empty());
    uitest::SaveShot(*t.window, "pressure_deep_suction");

    PlanCurve(standIn_->plan, -1.2f);
    t.Type("Txt_M", "0");
    t.Press();
    QCOMPARE(standIn_->record.machin1, 0.0f);
    QVERIFY(LinesOf(t.OverX(), kYellow).empty());
    QVERIFY(AllFinite(t.OverX()) && AllFinite(t.OverT()));
    QVERIFY(t.messages.isEmpty());

    // A crossing at station 3: the mark starts at station 1.
    PlanCurve(standIn_->plan, -0.2f);
    standIn_->plan.cp[0] = standIn_->plan.cp[1] = -1.0f;
    t.Type("Txt_M", "0.7");
    t.Press();
    const Lines early = LinesOf(t.OverX(), kYellow);
    QCOMPARE(early.size(), std::size_t(1));
    QCOMPARE(early[0].first.x(), double(standIn_->plan.xcp[0]));
    QCOMPARE(early[0].second.x(), double(standIn_->plan.xcp[3]));
}

void PressureWindowTest::resizeBeforeTheFirstComputationDrawsNothing() {
    Session t(*naca61_);
    QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
    const CpFit fit = FitCp(t.window->Layout(), 800);
    t.window->resize(800, 300);
    QTRY_COMPARE(t.window->height(), fit.windowHeight);
    QCOMPARE(t.OverX().size(), QSize(fit.cpWidth, fit.cpHeight));
    QCOMPARE(t.OverT().size(), QSize(fit.cptWidth, fit.cptHeight));
    QCOMPARE(t.OverX().y(), fit.cpTop);
    QVERIFY(Blank(t.OverX()) && Blank(t.OverT()));

    t.Press();
    const Lines drawn = LinesOf(t.OverX(), kWhite);
    t.window->resize(600, 300);
    QTRY_COMPARE(t.OverX().width(), FitCp(t.window->Layout(), 600).cpWidth);
    QCOMPARE(LinesOf(t.OverX(), kWhite), drawn); // drawn again, the same world picture
    uitest::SaveShot(*t.window, "pressure_resized");
}

void PressureWindowTest::missingOrWrongLibraryNamesThePathsAndChangesNothing() {
    const QString a = QDir(dir_.path()).filePath("a/dll/libkalto.so");
    const QString b = QDir(dir_.path()).filePath("b/dll/libkalto.so");
    Session t(*naca61_, {a, b});
    t.Type("Txt_M", "0.3");
    t.Press();
    QCOMPARE(t.messages.size(), 1);
    QVERIFY(t.messages[0].contains(QDir::toNativeSeparators(a)));
    QVERIFY(t.messages[0].contains(QDir::toNativeSeparators(b)));
    QCOMPARE(standIn_->record.calls, 0);
    QCOMPARE(t.s.NCP, std::int16_t(0));
    QCOMPARE(t.Text("Txt_M"), QString("0.3"));
    QVERIFY(Blank(t.OverX()) && Blank(t.OverT()));

    Session wrong(*naca61_, {ZARNFOIL_NO_ENTRY});
    wrong.Press();
    QCOMPARE(wrong.messages.size(), 1);
    QVERIFY(wrong.messages[0].contains("no entry KALTO"));
    QCOMPARE(standIn_->record.calls, 0);

    // Without a test's hand on it the message is a box that does not hold up the program.
    Form_Cp plain(*naca61_, t.history);
    plain.SetSolverPaths({a});
    plain.ComputeCp();
    auto* box = plain.findChild<QMessageBox*>();
    QVERIFY(box && box->isVisible() && box->text().contains(QDir::toNativeSeparators(a)));
    box->button(QMessageBox::Ok)->click();

    // A wrong library is passed over for a right one further on.
    Session next(*naca61_, {ZARNFOIL_NO_ENTRY, ZARNFOIL_STAND_IN});
    next.Press();
    QVERIFY(next.messages.isEmpty());
    QCOMPARE(standIn_->record.calls, 1);
}

void PressureWindowTest::refusalsChangeNothing() {
    Session big(*naca203_);
    big.Press();
    QCOMPARE(big.messages.size(), 1);
    QVERIFY(big.messages[0].contains("203") && big.messages[0].contains("201"));
    QCOMPARE(big.s.NCP, std::int16_t(0));
    QCOMPARE(big.Text("Txt_M"), QString("0.5"));
    QVERIFY(Blank(big.OverX()));

    Session t(*naca61_);
    t.Press();
    const Lines shown = LinesOf(t.OverX(), kWhite);
    t.Type("Txt_M", "-0.3");
    t.Press();
    QCOMPARE(t.messages.size(), 1);
    QVERIFY(t.messages[0].contains("negative"));
    QCOMPARE(standIn_->record.calls, 1);
    QCOMPARE(t.s.NCP, std::int16_t(1));
    QCOMPARE(LinesOf(t.OverX(), kWhite), shown);
}

void PressureWindowTest::resultsOutsideTheMethodAreDrawnAndReported() {
    Session t(*naca61_);
    t.Press();
    t.Type("Txt_M", "1.2");
    standIn_->plan.status = 1;
    t.Press();
    QCOMPARE(t.messages.size(), 1);
    QVERIFY(t.messages[0].contains("outside the method's range"));
    QCOMPARE(CountSegments(t.OverX().canvas(), kWhite, LineStyle::Solid), 128);

    t.Type("Txt_M", "0.7");
    t.Type("Txt_cl", "2.5");
    standIn_->plan.status = 2;
    standIn_->plan.clout = 1.83f;
    t.Press();
    QCOMPARE(t.messages.size(), 2);
    QVERIFY(t.messages[1].contains("2.50 cannot be reached"));
    QCOMPARE(t.Text("Txt_cl"), QString("1.83"));
    QCOMPARE(CountSegments(t.OverX().canvas(), kWhite, LineStyle::Solid), 128);
}

void PressureWindowTest::valuesThatAreNotNumbersAreNotDrawn() {
    Session t(*naca61_);
    standIn_->plan.cp[9] = std::numeric_limits<float>::quiet_NaN();
    t.Press();
    QCOMPARE(t.messages.size(), 1);
    QVERIFY(t.messages[0].contains("not numbers"));
    QCOMPARE(CountSegments(t.OverX().canvas(), kWhite, LineStyle::Solid), 126);
    QVERIFY(AllFinite(t.OverX()) && AllFinite(t.OverT()));
    t.Press(); // the previous curve has the gap too
    QCOMPARE(CountSegments(t.OverT().canvas(), kRed, LineStyle::Solid), 126);
}

void PressureWindowTest::realSolverLibrary() {
    const QString installed =
        KaltoSearchPaths(QCoreApplication::applicationDirPath(), QDir::currentPath()).first();
    if (!QFileInfo::exists(installed)) QSKIP("the solver library kalto is not built");
    Session t(*naca61_, {}); // where the program looks
    t.Press();
    QVERIFY2(t.messages.isEmpty(), qPrintable(t.messages.join('\n')));
    const KaltoArguments& a = t.window->Arguments();
    QCOMPARE(a.ISTAT(1), 0);
    QVERIFY(std::fabs(a.CLOUT - 0.5f) <= 1e-4f);
    QCOMPARE(t.Text("Txt_cl"), QString("0.50"));
    QVERIFY(a.ALPHAOUT > 2 && a.ALPHAOUT < 6);
    QVERIFY(std::fabs(a.XCP(1) - 1) < 1e-3 && std::fabs(a.XCP(65)) < 1e-3 &&
            std::fabs(a.XCP(129) - 1) < 1e-3);
    QCOMPARE(CountSegments(t.OverX().canvas(), kWhite, LineStyle::Solid), 128);
    QVERIFY(AllFinite(t.OverX()) && AllFinite(t.OverT()));
    uitest::SaveShot(*t.window, "pressure_real_solver");
}

QTEST_MAIN(PressureWindowTest)
#include "pressure_window_test.moc"
