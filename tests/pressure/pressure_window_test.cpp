// The Cp window driven through its controls over the stand-in solver library: first-press
// defaults, the previous curve, angle-of-attack mode, what is passed and read back, the scale
// and mark in the pictures, resize, refusals and messages; then once over the real library.
#include "tests/pressure/kalto_stand_in.h"
#include "tests/ui/ui_test_support.h"
#include "ui/plots/plot_colors.h"
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
#include <memory>
#include <vector>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using standin::StandIn;
using uitest::CountSegments;

namespace {

using Lines = std::vector<std::pair<QPointF, QPointF>>;

Lines LinesOf(const PictureArea& picture, const QColor& color) {
    Lines lines;
    for (const Segment& s : picture.canvas().Segments())
        if (s.color == color) lines.emplace_back(s.from, s.to);
    return lines;
}

int White(const PictureArea& picture) {
    return CountSegments(picture.canvas(), kWhite, LineStyle::Solid);
}

bool AllFinite(const PictureArea& picture) {
    for (const Segment& s : picture.canvas().Segments())
        if (!std::isfinite(s.from.x() + s.from.y() + s.to.x() + s.to.y())) return false;
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
    bool Checked(const char* option) const { return Get<QRadioButton>(option)->isChecked(); }
    void Press() const { QTest::mouseClick(Get<QPushButton>("Cmd_cp"), Qt::LeftButton); }
    const PictureArea& OverX() const { return window->PictCp(); }
    const PictureArea& OverT() const { return window->PictCpt(); }
    bool Untouched() const { return Blank(OverX()) && Blank(OverT()) && s.NCP == 0; }
};

} // namespace

class PressureWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
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

    void init() {
        *standIn_ = {};
        standin::PlanSuction(standIn_->plan, -1.0f);
        standIn_->plan.alphaout = 2.5f;
        standIn_->plan.clout = 0.5012f;
    }

    void pressesTakeDefaultsFirstThenTheBoxesAndKeepThePreviousCurve() {
        Session t(*naca61_);
        QCOMPARE(t.Text("Txt_M"), QString("0.5"));
        t.Type("Txt_M", "0.9");
        t.Type("Txt_cl", "1.2");
        t.Select("Opt_alpha");
        t.Press();
        // The first press for a section: Mach 0.7 and C lift 0.5 whatever was typed.
        QCOMPARE(t.Text("Txt_M"), QString("0.70"));
        QVERIFY(t.Checked("Opt_cl") && !t.Checked("Opt_alpha"));
        const standin::Record& r = standIn_->record;
        QCOMPARE(QList<int>({r.calls, r.ncase, r.arg7, r.arg8, r.npt}),
                 QList<int>({1, 1, 1, 2, 61}));
        QCOMPARE(Passed(), QList<float>({0.7f, 0, 0.5f, 30, 0}));
        // The contour from the upper trailing edge over the leading edge to the lower one.
        for (int j = 1; j <= 61; ++j)
            QVERIFY(r.xc[j - 1] == naca61_->XP(62 - j) && r.yc[j - 1] == naca61_->Y_SM(62 - j));
        QVERIFY(r.yc[0] > 0 && r.yc[60] < 0 && std::fabs(r.xc[30]) < 1e-6);
        QCOMPARE(t.window->Arguments().XC(62), 0.0f); // beyond the section nothing is passed
        // Every output of the library lands in the window's block, to its full size.
        const KaltoArguments& a = t.window->Arguments();
        const standin::Plan& plan = standIn_->plan;
        int wrong = 0;
        for (int j = 1; j <= 129; ++j) {
            wrong += a.XCP(j) != plan.xcp[j - 1] || a.Cp(j) != plan.cp[j - 1] ||
                     a.ARG15(j) != standin::kMarker15;
            for (int i = 2; i <= 10; ++i)
                wrong += a.CPS(i + 10 * (j - 1)) != standin::kMarker16;
        }
        for (int k = 1; k <= 1290; ++k)
            wrong += a.ARG17(k) != standin::kMarker17;
        for (int k = 1; k <= 1000; ++k)
            wrong += a.ARG22(k) != standin::kMarker22;
        QCOMPARE(wrong, 0);
        QCOMPARE(QList<float>({a.ALPHAOUT, a.CLOUT, a.ARG20, a.ARG21}),
                 QList<float>({2.5f, 0.5012f, standin::kMarker20, standin::kMarker21}));
        QCOMPARE(t.Text("Txt_cl") + " " + t.Text("Txt_alpha"), QString("0.501 2.50"));
        QCOMPARE(QList<int>({t.s.NCP, t.history.PREVCP}), QList<int>({1, 0}));
        QCOMPARE(t.window->MachLast(), 0.7f);
        for (const PictureArea* p : {&t.OverX(), &t.OverT()})
            QVERIFY(LinesOf(*p, kRed).empty() && White(*p) == 128);
        QVERIFY(t.messages.isEmpty());
        uitest::SaveShot(*t.window, "pressure_first_press");

        // The second, at a typed angle of attack: the first curve turns red in both pictures.
        const Lines firstX = LinesOf(t.OverX(), kWhite), firstT = LinesOf(t.OverT(), kWhite);
        standin::PlanSuction(standIn_->plan, -1.6f);
        standIn_->plan.alphaout = 3.3f;
        standIn_->plan.clout = 0.37f;
        t.Type("Txt_M", "0.6");
        t.Select("Opt_alpha");
        t.Type("Txt_alpha", "3.25");
        t.Press();
        QVERIFY(LinesOf(t.OverX(), kRed) == firstX && LinesOf(t.OverT(), kRed) == firstT);
        QVERIFY(LinesOf(t.OverX(), kWhite) != firstX);
        // Argument 6 is set once per section; what the library left in argument 10 goes back.
        QCOMPARE(Passed(), QList<float>({0.6f, 1, 3.25f, 30, 1}));
        QCOMPARE(t.Text("Txt_alpha") + " " + t.Text("Txt_cl"), QString("3.30 0.37"));
        QCOMPARE(QList<int>({t.s.NCP, t.history.PREVCP}), QList<int>({2, 1}));
        QCOMPARE(t.window->MachLast(), 0.6f);
        uitest::SaveShot(*t.window, "pressure_second_press");

        // A window opened anew shows no curve of an earlier one and passes its boxes as
        // designed: Mach 0.5, no option chosen, so alpha 1.
        t.Open();
        QVERIFY(Blank(t.OverX()) && Blank(t.OverT()));
        t.Press();
        QCOMPARE(Passed(), QList<float>({0.5f, 1, 1, 30, 0}));
        QCOMPARE(QList<int>({t.s.NCP, t.history.PREVCP}), QList<int>({3, 0}));
        QVERIFY(LinesOf(t.OverX(), kRed).empty() && White(t.OverX()) == 128);

        t.s.NCP = 0; // Input in the main window: the next press is a first one again
        t.Select("Opt_alpha");
        t.Press();
        QCOMPARE(Passed(), QList<float>({0.7f, 0, 0.5f, 30, 0}));
        QCOMPARE(t.history.PREVCP, std::int16_t(0));
        QVERIFY(LinesOf(t.OverX(), kRed).empty());
    }

    void axisEndAndSonicMarkFollowTheResult() {
        Session t(*naca61_);
        standin::PlanSuction(standIn_->plan, -3.5f);
        t.Press(); // Mach 0.7
        for (const PictureArea* p : {&t.OverX(), &t.OverT()})
            QVERIFY(std::fabs(p->canvas().World().top - (-5.01)) < 1e-6);
        QVERIFY(uitest::TextsOf(t.OverX().canvas()).contains("-5.0"));
        const Lines marks = LinesOf(t.OverX(), kYellow);
        QCOMPARE(marks.size(), std::size_t(1));
        QVERIFY(std::fabs(marks[0].first.y() - (-0.779)) < 5e-4);
        QCOMPARE(marks[0].first.y(), marks[0].second.y());
        QVERIFY(LinesOf(t.OverT(), kYellow).empty());
        uitest::SaveShot(*t.window, "pressure_deep_suction");

        standin::PlanSuction(standIn_->plan, -1.2f);
        t.Type("Txt_M", "0");
        t.Press();
        QCOMPARE(standIn_->record.machin1, 0.0f);
        QVERIFY(LinesOf(t.OverX(), kYellow).empty());
        QVERIFY(AllFinite(t.OverX()) && AllFinite(t.OverT()));
        QVERIFY(t.messages.isEmpty());
    }

    void resizeBeforeTheFirstComputationDrawsNothing() {
        Session t(*naca61_);
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        // 800 pixels are 9600 twips: Pict_Cpt is 9600 - 1518 wide and Pict_Cp 9600 - 198, each in
        // its design's proportions (3255 / 5292 and 4095 / 6612); Pict_Cp starts 225 twips below
        // Pict_Cpt and the window ends 90 twips below Pict_Cp.
        t.window->resize(800, 300);
        QTRY_COMPARE(t.window->height(), 926);
        QCOMPARE(t.OverT().size(), QSize(674, 414));
        QCOMPARE(t.OverX().size(), QSize(784, 485));
        QCOMPARE(t.OverX().y(), 433);
        QVERIFY(t.Untouched());

        t.Press();
        const Lines drawn = LinesOf(t.OverX(), kWhite);
        t.window->resize(600, 300);
        QTRY_COMPARE(t.OverX().width(), 584);
        QCOMPARE(LinesOf(t.OverX(), kWhite), drawn); // drawn again, the same world picture
        uitest::SaveShot(*t.window, "pressure_resized");
    }

    void refusalsSayWhyAndChangeNothing() {
        const QString a = QDir(dir_.path()).filePath("a/dll/libkalto.so");
        const QString b = QDir(dir_.path()).filePath("b/dll/libkalto.so");
        // No library at the paths, one without the entry, more points than the solver takes.
        Session missing(*naca61_, {a, b}), wrong(*naca61_, {ZARNFOIL_NO_ENTRY}), big(*naca203_);
        missing.Type("Txt_M", "0.3");
        const std::pair<Session*, QStringList> cases[] = {
            {&missing, {QDir::toNativeSeparators(a), QDir::toNativeSeparators(b)}},
            {&wrong, {"no entry KALTO"}},
            {&big, {"203", "201"}}};
        for (const auto& [t, reasons] : cases) {
            t->Press();
            QCOMPARE(t->messages.size(), 1);
            for (const QString& reason : reasons)
                QVERIFY2(t->messages[0].contains(reason), qPrintable(t->messages[0]));
            QVERIFY(t->Untouched());
        }
        QCOMPARE(missing.Text("Txt_M"), QString("0.3")); // not even the first press's defaults
        QCOMPARE(standIn_->record.calls, 0);

        // A wrong library is passed over for a right one further on; a negative Mach number is
        // refused with the curve shown before kept.
        Session t(*naca61_, {ZARNFOIL_NO_ENTRY, ZARNFOIL_STAND_IN});
        t.Press();
        QVERIFY(t.messages.isEmpty());
        const Lines shown = LinesOf(t.OverX(), kWhite);
        t.Type("Txt_M", "-0.3");
        t.Press();
        QCOMPARE(t.messages.size(), 1);
        QVERIFY(t.messages[0].contains("negative"));
        QCOMPARE(QList<int>({standIn_->record.calls, t.s.NCP}), QList<int>({1, 1}));
        QCOMPARE(LinesOf(t.OverX(), kWhite), shown);

        // Without a test's hand on it the message is a box that does not hold up the program.
        Form_Cp plain(*naca61_, t.history);
        plain.SetSolverPaths({a});
        plain.ComputeCp();
        auto* box = plain.findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible() && box->text().contains(QDir::toNativeSeparators(a)));
        box->button(QMessageBox::Ok)->click();
    }

    void oddResultsAreDrawnAsFarAsTheyGoAndReported() {
        Session t(*naca61_);
        t.Press();
        // Mach, C lift, what the library answers, a station whose Cp is not a number, the note.
        const std::tuple<const char*, const char*, int, float, int, const char*> cases[] = {
            {"1.2", "0.5", 1, 0.5f, 0, "outside the method's range"},
            {"0.7", "2.5", 2, 1.83f, 0, "2.50 cannot be reached; the closest answer is shown"},
            {"0.7", "0.5", 0, 0.5f, 10, "not numbers"},
        };
        for (const auto& [mach, cl, status, clout, gap, note] : cases) {
            t.Type("Txt_M", mach);
            t.Type("Txt_cl", cl);
            standIn_->plan.status = status;
            standIn_->plan.clout = clout;
            if (gap) standIn_->plan.cp[gap - 1] = std::nanf("");
            t.messages.clear();
            t.Press();
            QCOMPARE(t.messages.size(), 1);
            QVERIFY2(t.messages[0].contains(note), qPrintable(t.messages[0]));
            QCOMPARE(t.Text("Txt_cl"), QString::number(clout, 'f', 2));
            QCOMPARE(White(t.OverX()), gap ? 126 : 128);
            QVERIFY(AllFinite(t.OverX()) && AllFinite(t.OverT()));
        }
        t.Press(); // the previous curve has the gap too
        QCOMPARE(CountSegments(t.OverT().canvas(), kRed, LineStyle::Solid), 126);
    }

    void realSolverLibrary() {
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
        QCOMPARE(White(t.OverX()), 128);
        QVERIFY(AllFinite(t.OverX()) && AllFinite(t.OverT()));
        uitest::SaveShot(*t.window, "pressure_real_solver");
    }

  private:
    // Mach, IMODE, CLAIN(1) and arguments 6 and 10 of the last call.
    QList<float> Passed() const {
        const standin::Record& r = standIn_->record;
        return {r.machin1, float(r.imode), r.clain1, float(r.arg6), r.arg10};
    }

    QTemporaryDir dir_;
    QLibrary standInLibrary_{ZARNFOIL_STAND_IN};
    StandIn* standIn_ = nullptr;
    std::unique_ptr<FoilState> naca61_, naca203_;
};

QTEST_MAIN(PressureWindowTest)
#include "pressure_window_test.moc"
