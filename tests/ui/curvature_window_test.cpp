// The curvature window over a smoothed NACA 0012 section: load, selecting and changing weights
// (scroll bars, clicks, keys, typed and dragged weights, undo and redo), each change a re-run
// with its files, the ranges of the pictures, navigation along the shared t axis, and the
// window behind Smooth; over the noisy example, the first view and the fairness report (status
// lines, reversals, deviation picture) with either end condition.
#include "ui/main/number_box.h"
#include "ui/plots/curvature_window.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/weight_editor.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <tuple>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::Near;
using uitest::NumbersOf;
using uitest::Shown;

namespace {

constexpr const char* kWeight = "#0.0####"; // as Txt_DI shows a weight

// The selection line: red, solid, at t across the whole grid (markers are short).
bool SelectionLineAt(const PictureArea& picture, float t) {
    const double height = picture.canvas().World().top - picture.canvas().World().bottom;
    for (const Segment& g : picture.canvas().Segments())
        if (g.color == kRed && g.from.x() == t && g.to.x() == t &&
            g.to.y() - g.from.y() > height / 2)
            return true;
    return false;
}

// The curvature window over a smoothed section; the main window's settings are plain values
// and messages are noted instead of shown.
struct Session {
    QTemporaryDir dir;
    std::unique_ptr<FoilState> s;
    std::unique_ptr<FoilDocument> document;
    CommandSettings settings;
    std::unique_ptr<Form_KSM> w;
    QStringList messages;

    Session() : s(uitest::ReadAndSmooth(uitest::WriteNaca0012(dir.path(), "naca.dat", 31))) {
        document = std::make_unique<FoilDocument>(*s);
        settings.maxStripText = "0.05";
        Open();
    }
    void Open() {
        w = std::make_unique<Form_KSM>(*document, [this] { return settings; });
        w->SetShowMessage([this](const QString&, const QString& text) { messages << text; });
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    template <class Control = QScrollBar> Control* Get(const char* name) const {
        return w->findChild<Control*>(name);
    }
    QString Text(const char* name) const { return Get<QWidget>(name)->property("text").toString(); }
    void Select(int i) const { Get("VScr_ID")->setValue(-i); }
    void Up() const { Get("VScr_D")->triggerAction(QAbstractSlider::SliderSingleStepSub); }
    void Down() const { Get("VScr_D")->triggerAction(QAbstractSlider::SliderSingleStepAdd); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(modifiers ? static_cast<QWidget*>(w.get()) : &w->PictD(), key, modifiers);
    }
    void Undo() const { Key(Qt::Key_Z, Qt::ControlModifier); }
    void Redo() const { Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    void Enter(const QString& text) const {
        Get<QLineEdit>("Txt_DI")->setText(text);
        QTest::mouseClick(Get<QPushButton>("Cmd_Enter"), Qt::LeftButton);
    }
    void ClickD(float t) const { // a left click in Pict_D at t
        const QPointF at = w->PictD().canvas().ToPixel(QPointF(t, 0.001), w->PictD().size());
        QTest::mouseClick(&w->PictD(), Qt::LeftButton, {}, at.toPoint());
    }
    // The report written by the last run; removed, it shows whether a step ran the smoothing.
    bool RemoveReport() const { return QFile::remove(dir.filePath("naca.out1")); }
};

// The bundled noisy example read and smoothed through the main window at a strip of 0.002 with
// the end conditions "1-st der." or "2-nd der.", which opens the curvature window.
struct NoisyExample {
    QTemporaryDir dir;
    std::unique_ptr<FoilState> s = std::make_unique<FoilState>();
    FoilDocument document{*s};
    Form_inp form{document, dir.path()};
    Form_KSM* w = nullptr;

    explicit NoisyExample(bool firstDerivative) {
        QFile::copy(ZARNFOIL_EXAMPLES "/naca2412_noisy.dat", dir.filePath("naca2412_noisy.dat"));
        form.SetEndProgram([](int) {});
        InstallCurvatureWindow(form);
        form.show();
        form.PickFile(QDir::toNativeSeparators(dir.path()), "naca2412_noisy.dat");
        form.findChild<QLineEdit*>("Txt_SmS")->setText("0.002");
        auto* option = form.findChild<QRadioButton*>(firstDerivative ? "Opt_BC(0)" : "Opt_BC(1)");
        option->setChecked(true);
        QTest::mouseClick(form.findChild<QPushButton*>("Cmd_InputF"), Qt::LeftButton);
        QTest::mouseClick(form.findChild<QPushButton*>("Cmd_Geom"), Qt::LeftButton);
        w = form.findChild<Form_KSM*>();
    }
    QString Text(const char* label) const { return w->findChild<QLabel*>(label)->text(); }
};

// The points of the smoothed curvature's reversals.
std::vector<int> Reversals(const FairnessReport& r) {
    std::vector<int> at = r.lower.smoothed;
    at.insert(at.end(), r.upper.smoothed.begin(), r.upper.smoothed.end());
    return at;
}

} // namespace

class CurvatureWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void loadSelectsPointTwoAndDrawsBothPictures() {
        Session t;
        const FoilState& s = *t.s;
        QCOMPARE(t.w->windowTitle() + " " + t.Text("Lbl_DI") + t.Text("Txt_DI"),
                 "Curvature K(t) - naca.dat D(2)=" + Shown(s.DP(2), kWeight));
        auto* id = t.Get("VScr_ID");
        auto* d = t.Get("VScr_D");
        QCOMPARE(QList<int>({id->minimum(), id->maximum(), id->value(), d->minimum(), d->maximum(),
                             d->value(), s.NRUN}),
                 QList<int>({-60, -2, -2, -1000, -1, -500, 0})); // loading runs nothing
        // The first view spans the smoothed curvature (here every point: from 0 to the leading
        // edge's peak), widened by 15 % each way, then the view's 1 %.
        const auto [lo, hi] = std::minmax_element(&s.K_SM(1), &s.K_SM(1) + s.NP);
        const float low = std::min(*lo, 0.0f), high = std::max(*hi, 0.0f);
        QVERIFY(Near(t.w->View().VIEW_H, 1.02 * 1.3 * (high - low), 1e-5));
        QVERIFY(Near(t.w->View().VIEW_YC, (low + high) / 2, 1e-5));
        const Canvas& c = t.w->PictC().canvas();
        QCOMPARE(uitest::TitlesOf(c), QString("t K"));
        QCOMPARE(uitest::LegendOf(c), QStringList({"input", "smoothed"}));
        QVERIFY(SelectionLineAt(t.w->PictC(), s.T(2)) && SelectionLineAt(t.w->PictD(), s.T(2)));
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 1 + 2 * s.NP + (s.NP - 1));
        QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
        // Weights from 0 to a tenth of "Max Smooth Strip", widened by a tenth each way.
        QCOMPARE(QList<float>({t.w->Weights().DPLOT_LO, t.w->Weights().DPLOT_HI}),
                 QList<float>({-0.0005f, 0.0055f}));
        const Canvas& wc = t.w->PictD().canvas(); // dotted blue, y numbered in "#0.0####"
        QCOMPARE(CountSegments(wc, kBlue, LineStyle::Dotted), s.NP - 1);
        QCOMPARE(NumbersOf(wc, Edge::Left).join(' '), QString("0.0 0.001 0.002 0.003 0.004 0.005"));
        QCOMPARE(uitest::TitlesOf(wc) + " " + uitest::TitlesOf(t.w->PictDev().canvas()),
                 QString("t D t Y_SM - YP"));
        // Before any run of the window's own there is no report: the status lines are empty.
        QVERIFY(t.Text("Lbl_fair").isEmpty() && t.Text("Lbl_warn").isEmpty());
        uitest::SaveShot(*t.w, "Form_KSM");
    }

    void arrowStepsRerunOnceEachNeverGoBelowZeroAndUndo() {
        Session t;
        t.settings.withoutRotation = true;
        FoilState& s = *t.s;
        t.Select(9);
        const PointArray before = s.DP, smoothedBefore = s.Y_SM;
        QVERIFY(t.RemoveReport());
        t.Up();
        const float raised = static_cast<float>(before(9) + 0.00005);
        QVERIFY(s.D(9) == raised && t.Text("Txt_DI") == Shown(raised, kWeight));
        QCOMPARE(QList<int>({s.NRUN, s.NOROT}), QList<int>({1, 1}));
        QVERIFY(t.RemoveReport() && t.w->WindowRunParams().DSMOOTH == 0); // written again
        QCOMPARE(CountSegments(t.w->PictC().canvas(), kBlue, LineStyle::Dotted), 0);

        // From the second re-run on, the previous run's curvature shows, blue and dotted.
        const PointArray first = s.K_SM;
        t.Enter("0.00002"); // a typed weight runs at once
        const Canvas& c = t.w->PictC().canvas();
        QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), s.NP - 1);
        QCOMPARE(c.Segments().back().from, QPointF(s.T(s.NP - 1), first(s.NP - 1)));
        t.Down();
        QCOMPARE(s.D(9), 0.0f); // stored as 0 before the run, not -0.00003
        QCOMPARE(t.Text("Txt_DI") + " " + QString::number(s.NRUN), QString("0.0 3"));

        // Each undo restores a weight and runs again; a new edit ends what can be redone.
        t.Select(25);
        t.Up();
        const std::tuple<std::function<void()>, int, float, int> steps[] = {
            {[&] { t.Undo(); }, 25, before(25), 5}, {[&] { t.Undo(); }, 9, 0.00002f, 6},
            {[&] { t.Undo(); }, 9, raised, 7},      {[&] { t.Redo(); }, 9, 0.00002f, 8},
            {[&] { t.Up(); }, 9, 0.00007f, 9},      {[&] { t.Redo(); }, 9, 0.00007f, 9},
        };
        for (const auto& [step, selected, weight, runs] : steps) {
            step();
            QCOMPARE(QList<int>({t.w->Selected(), s.NRUN}), QList<int>({selected, runs}));
            QVERIFY(s.DP(selected) == weight && t.Text("Txt_DI") == Shown(weight, kWeight));
        }
        for (int i = 0; i < 3; ++i)
            t.Undo();
        QVERIFY(s.DP == before && s.Y_SM == smoothedBefore && t.messages.isEmpty()); // as loaded
    }

    void selectingByScrollBarClickOrKeyRunsNothing() {
        Session t;
        const FoilState& s = *t.s;
        auto* value = t.Get("VScr_D");
        t.Up();
        t.Up();
        QCOMPARE(value->value(), -502);
        const PointArray weights = s.DP;
        QVERIFY(t.RemoveReport());
        t.Select(7); // a new point puts the value scroll bar back in the middle
        QCOMPARE(value->value(), -500);
        QCOMPARE(t.Text("Lbl_DI") + t.Text("Txt_DI"), "D(7)=" + Shown(s.DP(7), kWeight));
        QVERIFY(SelectionLineAt(t.w->PictD(), s.T(7)));
        // A click takes the point nearest in t; left of the first midpoint point 2, right of
        // the last one nothing. Left and Right move the selection within 2 to NP - 1.
        const struct {
            int from;
            float at;
            Qt::Key key;
            int to;
        } steps[] = {{7, s.T(40), {}, 40},    {40, -1.01f, {}, 2},
                     {30, 1.01f, {}, 30},     {30, 0, Qt::Key_Right, 31},
                     {2, 0, Qt::Key_Left, 2}, {60, 0, Qt::Key_Right, 60}};
        for (const auto& [from, at, key, to] : steps) {
            t.Select(from);
            key ? t.Key(key) : t.ClickD(at);
            QCOMPARE(t.Text("Lbl_DI") + QString::number(t.Get("VScr_ID")->value()),
                     QString("D(%1)=-%1").arg(to));
        }
        QVERIFY(s.DP == weights && s.NRUN == 2 && !t.RemoveReport());
        t.Key(Qt::Key_Up); // as the up arrow of VScr_D
        QVERIFY(s.D(60) == float(weights(60) + 0.00005) && value->value() == -501 && s.NRUN == 3);
    }

    void typedAndDraggedWeightsRunAtOnceAndUndoFromAnyControl() {
        Session t;
        FoilState& s = *t.s;
        t.Select(12);
        // Enter in the text box and Cmd_Enter: the weight is stored and the smoothing runs.
        QVERIFY(t.RemoveReport());
        t.Get<QLineEdit>("Txt_DI")->setText(" 0.0031 ");
        QTest::keyClick(t.Get<QLineEdit>("Txt_DI"), Qt::Key_Return);
        QVERIFY(s.D(12) == 0.0031f && s.NRUN == 1 && t.RemoveReport());
        t.Enter("0.004x"); // only a whole number is taken: refused, marked, nothing run
        auto* box = t.Get<QLineEdit>("Txt_DI");
        QVERIFY(IsMarked(box) && s.DP(12) == 0.0031f && s.NRUN == 1 && !t.RemoveReport());
        t.Enter("abc");
        QVERIFY2(t.messages.size() == 2 && t.messages[1].contains("\"abc\" is not a number") &&
                     t.messages[1].contains("D(12)"),
                 qPrintable(t.messages.join('|')));
        box->setText("0.0035"); // a number typed clears the mark
        QVERIFY(!IsMarked(box));
        t.Enter("-0.001"); // typed weights are not limited; a negative one pins the point
        QVERIFY(s.D(12) == -0.001f && s.NRUN == 2 && t.RemoveReport());

        // A right-button drag puts the weight at the cursor and runs at every move; the whole
        // drag is one edit. Past the top of the picture the weight scale holds still until the
        // drag ends, then grows to show the weight.
        PictureArea& d = t.w->PictD();
        QTest::mousePress(&d, Qt::RightButton, {}, QPoint(200, 80));
        QPoint to;
        for (const double weight : {0.002, 0.003, 0.008}) {
            to = d.canvas().ToPixel(QPointF(0.3, weight), d.size()).toPoint();
            QMouseEvent move(QEvent::MouseMove, to, d.mapToGlobal(to), Qt::NoButton,
                             Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(&d, &move);
        }
        const auto dragged = static_cast<float>(d.WorldAt(to).y());
        QVERIFY(to.y() < 0 && t.w->Weights().DPLOT_HI == 0.0055f && s.DP(12) == dragged);
        QTest::mouseRelease(&d, Qt::RightButton, {}, to);
        QVERIFY(s.DP(12) == dragged && t.Text("Txt_DI") == Shown(dragged, kWeight));
        QVERIFY(Near(t.w->Weights().DPLOT_HI, 1.1 * dragged, 1e-5));
        QVERIFY(s.NRUN == 5 && t.RemoveReport());
        // Ctrl+Z in the text box takes back the window's last edit, not the box's typing.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(s.D(12) == -0.001f && s.NRUN == 6 && t.Text("Txt_DI") == Shown(-0.001, kWeight));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.D(12), dragged);
        QTest::keyClick(t.Get<QScrollBar>("VScr_D"), Qt::Key_Z, Qt::ControlModifier);
        t.Undo();
        QCOMPARE(s.D(12), 0.0031f);
        QVERIFY(t.messages.size() == 2);
    }

    void weightStepsGrowWithTheWeightAndTheWeightRangeFollows() {
        // Weight, scroll value before and after, the weight after: 5 % per unit (the inverse
        // downward), at least 0.00005, never below 0.
        const float steps[][4] = {
            {0.002f, -500, -501, 0.0021f},   {0.002f, -500, -499, 0.002f / 1.05f},
            {0.0005f, -500, -501, 0.00055f}, {0.00002f, -500, -499, 0},
            {0, -500, -510, 0.0005f},        {0.002f, -500, -510, 0.002f * 1.6288946f},
            {-0.001f, -500, -501, 0},        {-0.001f, -500, -499, 0},
        };
        for (const auto& [weight, last, value, after] : steps)
            QVERIFY2(
                Near(SteppedWeight(weight, std::int16_t(last), std::int16_t(value)), after, 1e-5),
                qPrintable(QString::number(double(weight))));

        Session t;
        FoilState& s = *t.s;
        t.Select(10);
        t.Enter("0.002");
        t.Up();
        QVERIFY2(Near(s.DP(10), 0.0021, 1e-6) && t.Text("Txt_DI") == "0.0021",
                 qPrintable(t.Text("Txt_DI") + " " + QString::number(double(s.DP(10)))));
        t.Down();
        QVERIFY(Near(s.DP(10), 0.002, 1e-6));
        // A click beside the thumb is 10 units: from 0.002 past 0.01 in four.
        int clicks = 0;
        for (; s.DP(10) < 0.01f && clicks < 10; ++clicks)
            t.Get("VScr_D")->triggerAction(QAbstractSlider::SliderPageStepSub);
        QVERIFY2(clicks == 4 && s.NRUN == 7, qPrintable(QString::number(clicks)));
        // The weight picture now reaches above the largest weight, and its marker shows.
        QVERIFY(Near(t.w->Weights().DPLOT_HI, 1.1 * s.DP(10), 1e-5));
        QVERIFY(t.w->PictD().canvas().World().top > s.DP(10));
        // Taken back, the range comes down to a tenth of "Max Smooth Strip" again.
        for (int k = 0; k < 4; ++k)
            t.Undo();
        QCOMPARE(t.w->Weights().DPLOT_HI, 0.0055f);
    }

    void theWindowOpensWithinTheScreenAndKeepsItsStatusLinesAtTheBottom() {
        Session t;
        QVERIFY(t.w->height() <= t.w->screen()->availableGeometry().height());
        t.w->resize(1200, 760);
        QTRY_COMPARE(t.w->size(), QSize(1200, 760));
        const QRect c = t.w->PictC().geometry(), dev = t.w->PictDev().geometry(),
                    d = t.w->PictD().geometry();
        const QRect fair = t.w->findChild<QLabel*>("Lbl_fair")->geometry(),
                    warn = t.w->findChild<QLabel*>("Lbl_warn")->geometry();
        // The curvature keeps its proportions across the width; the deviation and the weights
        // share what is left, 1800 to 2295 as designed; the status lines end 45 twips above
        // the window's bottom.
        QVERIFY(c.width() == 1180 && std::abs(c.height() - 1180 * 3855 / 10335) <= 1);
        QVERIFY(dev.width() == 1180 && d.width() == 1180 && dev.top() > c.bottom() &&
                d.top() > dev.bottom() && fair.top() > d.bottom() && warn.top() >= fair.bottom());
        QVERIFY(std::abs(dev.height() * 2295 - d.height() * 1800) <= 2295);
        QCOMPARE(warn.bottom() + 1, 760 - 4);
    }

    void thePicturesShareTheirTAxis() {
        Session t;
        const FoilState& s = *t.s;
        const PlotView first = t.w->View();
        PictureArea &c = t.w->PictC(), &d = t.w->PictD(), &dev = t.w->PictDev();
        auto sameT = [&] {
            const WorldRect &a = c.canvas().World(), &b = d.canvas().World(),
                            &e = dev.canvas().World();
            return a.left == b.left && a.right == b.right && a.left == e.left && a.right == e.right;
        };
        // The wheel over the weights zooms t about the cursor; K keeps its range.
        uitest::Wheel(&d, {300, 60}, 1);
        QVERIFY(Near(t.w->View().VIEW_W, first.VIEW_W / 1.25, 1e-5) &&
                t.w->View().VIEW_H == first.VIEW_H && sameT());
        // A left drag over the deviation pans along t and selects nothing.
        const float xc = t.w->View().VIEW_XC;
        uitest::Drag(&dev, Qt::LeftButton, {}, {300, 40}, {200, 10});
        QVERIFY(t.w->View().VIEW_XC > xc && t.w->View().VIEW_YC == first.VIEW_YC &&
                t.w->Selected() == 2 && sameT());
        // A click there selects the point nearest in t, as one in the weights does.
        const QPointF at = dev.canvas().ToPixel(QPointF(s.T(12), 0), dev.size());
        QTest::mouseClick(&dev, Qt::LeftButton, {}, at.toPoint());
        QCOMPARE(t.w->Selected(), 12);
        // Over the curvature the wheel zooms both, with Ctrl K only; its numbers follow.
        uitest::Wheel(&c, {400, 100}, 2, Qt::ControlModifier);
        QVERIFY(Near(t.w->View().VIEW_H, first.VIEW_H / 1.5625, 1e-5) &&
                Near(t.w->View().VIEW_W, first.VIEW_W / 1.25, 1e-5));
        const WorldRect& w = c.canvas().World();
        const QStringList k = NumbersOf(c.canvas(), Edge::Left);
        QVERIFY(k.size() >= 4 && k.first().toDouble() >= w.bottom && k.last().toDouble() <= w.top);
        // Home returns all three to the first view.
        QTest::keyClick(t.w.get(), Qt::Key_Home);
        QVERIFY(t.w->View().VIEW_W == first.VIEW_W && t.w->View().VIEW_XC == first.VIEW_XC &&
                t.w->View().VIEW_H == first.VIEW_H && sameT());
    }

    void theNoisyExampleSaysHowFairTheSmoothingCameOut() {
        for (const bool firstDerivative : {false, true}) {
            NoisyExample t(firstDerivative);
            QVERIFY(t.w && t.s->NP == 401 && t.document.Fairness());
            const FoilState& s = *t.s;
            const FairnessReport& r = *t.document.Fairness();
            const QString fair = t.Text("Lbl_fair"), warn = t.Text("Lbl_warn");
            // "2-nd der.": the band iteration stalls and the run finishes it; the end values
            // from three noisy points are far off, which the red second line says.
            if (!firstDerivative) {
                QVERIFY2(fair.startsWith("smoothing stall resolved after") &&
                             warn.startsWith("Warning: The \"2-nd der.\" end values") &&
                             warn.endsWith("Try \"1-st der.\"."),
                         qPrintable(fair + "|" + warn));
                QVERIFY(t.w->findChild<QLabel*>("Lbl_warn")->styleSheet().contains("color"));
            } else {
                QVERIFY2(fair.startsWith("smoothing converged after") && warn.isEmpty(),
                         qPrintable(fair + "|" + warn));
            }
            QVERIFY(fair.contains(QString("curvature reversals lower %1 -> %2")
                                      .arg(r.lower.input.size())
                                      .arg(r.lower.smoothed.size())) &&
                    fair.contains("largest band use") && !fair.contains("warning"));

            // A magenta diamond at each reversal of the smoothed curvature, on its curve; fair:
            // a handful, not the hundreds of the section as read.
            const std::vector<int> reversals = Reversals(r);
            QVERIFY(!reversals.empty() && reversals.size() <= 8 && r.lower.input.size() > 100);
            const Canvas& c = t.w->PictC().canvas();
            QCOMPARE(CountSegments(c, kMagenta, LineStyle::Solid), int(4 * reversals.size()));
            for (const int i : reversals)
                QVERIFY(
                    std::any_of(c.Segments().begin(), c.Segments().end(), [&](const Segment& g) {
                        return g.color == kMagenta && g.to.x() == s.T(i) && g.from.y() == s.K_SM(i);
                    }));
            QVERIFY(uitest::LegendOf(c).contains("reversal of the smoothed curvature"));
            // The first view holds the smoothed curvature's bulk, not the raw spikes.
            const auto [lo, hi] = std::minmax_element(&s.K(1), &s.K(1) + s.NP);
            const WorldRect& v = c.World();
            QVERIFY(t.w->View().VIEW_H < (*hi - *lo) / 20);
            int inside = 0;
            for (int i = 1; i <= s.NP; ++i)
                inside += s.K_SM(i) >= v.bottom && s.K_SM(i) <= v.top;
            QVERIFY2(inside >= 0.96 * s.NP, qPrintable(QString::number(inside)));

            // The deviation picture: Y_SM - YP of every point within its band +-DP (dotted
            // blue), a red "+" where a point ends on its band edge, along the same t.
            const Canvas& d = t.w->PictDev().canvas();
            int i = 2;
            for (const Segment& g : d.Segments())
                i += g.color == kBlack && i <= s.NP && g.to == QPointF(s.T(i), s.Y_SM(i) - s.YP(i));
            QCOMPARE(i, s.NP + 1);
            for (int j = 1; j <= s.NP; ++j)
                QVERIFY(std::fabs(s.Y_SM(j) - s.YP(j)) <= s.DP(j) + 1e-6f);
            QCOMPARE(CountSegments(d, kBlue, LineStyle::Dotted), 2 * (s.NP - 1));
            QCOMPARE(CountSegments(d, kRed, LineStyle::Solid), 1 + 2 * int(r.onBandEdge.size()));
            QVERIFY(!r.onBandEdge.empty() && d.World().left == v.left &&
                    d.World().right == v.right);
            QVERIFY(d.World().top >= 0.002 && d.World().top < 0.003); // the strip's band, 15 % more
            uitest::SaveShot(*t.w, firstDerivative ? "Form_KSM_noisy_1st" : "Form_KSM_noisy_2nd");
        }
    }

    void smoothShowsTheWindowAndEditsWriteWhatTheBatchCommandWrites() {
        QTemporaryDir dir;
        const QString path = uitest::WriteNaca0012(dir.path(), "naca61.dat", 31);
        auto s = std::make_unique<FoilState>();
        FoilDocument document(*s);
        Form_inp form(document, dir.path());
        form.SetEndProgram([](int) {});
        InstallCurvatureWindow(form);
        form.show();
        form.PickFile(QDir::toNativeSeparators(dir.path()), "naca61.dat");
        form.findChild<QLineEdit*>("Txt_SmS")->setText("0.0004");
        QTest::mouseClick(form.findChild<QPushButton*>("Cmd_InputF"), Qt::LeftButton);
        auto* smooth = form.findChild<QPushButton*>("Cmd_Geom");
        QTest::mouseClick(smooth, Qt::LeftButton);
        Form_KSM* w = form.findChild<Form_KSM*>();
        QVERIFY(w && w->isVisible());

        // With STL checked, two steps on point 10 are two re-runs of the batch command with
        // the solid written each time, in the domain of the main window's STL fields.
        QTest::mouseClick(form.findChild<QCheckBox*>("Chk_STL"), Qt::LeftButton, {}, QPoint(8, 8));
        w->findChild<QScrollBar*>("VScr_ID")->setValue(-10);
        auto* value = w->findChild<QScrollBar*>("VScr_D");
        QStringList batch{path, "--strip", "0.0004", "--stl", "--stl-domain", "0.5,0.5,0.5,0.2"};
        for (int step = 0; step < 2; ++step) {
            value->triggerAction(QAbstractSlider::SliderSingleStepSub);
            batch << "--rerun"
                  << "10=" + QString::number(s->DP(10), 'g', 9);
        }
        QCOMPARE(
            uitest::UnlikeTheBatchCommand(
                batch, dir.path(), {"naca61.out1", "naca61.out2", "naca61.stl", "naca61.stl.prop"}),
            QStringList());
        QTest::mouseClick(smooth, Qt::LeftButton); // a later Smooth only brings it forward
        QVERIFY(form.findChildren<Form_KSM*>().size() == 1 && w->Selected() == 10);
    }
};

QTEST_MAIN(CurvatureWindowTest)
#include "curvature_window_test.moc"