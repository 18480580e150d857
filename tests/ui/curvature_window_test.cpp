// The curvature window over a smoothed NACA 0012 section: load, selecting and changing weights
// (scroll bars, clicks, keys, Enter, undo and redo), the re-run with its files, and the window
// behind Smooth.
#include "ui/plots/curvature_window.h"
#include "ui/plots/plot_colors.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <tuple>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
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
    CommandSettings settings{"0.0", "0.05", true, false, 1};
    std::unique_ptr<Form_KSM> w;
    QStringList messages;

    Session() : s(uitest::ReadAndSmooth(uitest::WriteNaca0012(dir.path(), "naca.dat", 31))) {
        Open();
    }
    void Open() {
        w = std::make_unique<Form_KSM>(*s, [this] { return settings; });
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

} // namespace

class CurvatureWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void loadSelectsPointTwoAndDrawsBothPictures() {
        Session t;
        const FoilState& s = *t.s;
        QCOMPARE(t.w->windowTitle() + " " + t.Text("Lbl_DI") + t.Text("Txt_DI"),
                 "Curvature K(t) D(2)=" + Shown(s.DP(2), kWeight));
        auto* id = t.Get("VScr_ID");
        auto* d = t.Get("VScr_D");
        QCOMPARE(QList<int>({id->minimum(), id->maximum(), id->value(), d->minimum(), d->maximum(),
                             d->value(), s.NRUN}),
                 QList<int>({-60, -2, -2, -1000, -1, -500, 0})); // loading runs nothing
        // The curvature's range widened by a tenth, then the view's 1 %.
        const auto [lo, hi] = std::minmax_element(&s.K(1), &s.K(1) + s.NP);
        QVERIFY(std::fabs(t.w->View().VIEW_H / (1.02 * 1.2 * (*hi - *lo)) - 1) < 1e-6);
        const Canvas& c = t.w->PictC().canvas();
        QVERIFY(SelectionLineAt(t.w->PictC(), s.T(2)) && SelectionLineAt(t.w->PictD(), s.T(2)));
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 1 + 2 * s.NP + (s.NP - 1));
        QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
        // Weights from 0 to a tenth of "Max Smooth Strip", widened by a tenth each way.
        QCOMPARE(QList<float>({s.DPLOT_LO, s.DPLOT_HI}), QList<float>({-0.0005f, 0.0055f}));
        const Canvas& wc = t.w->PictD().canvas(); // dotted blue, y labelled in "#0.0####"
        QCOMPARE(CountSegments(wc, kBlue, LineStyle::Dotted), s.NP - 1);
        QCOMPARE(uitest::TextsOf(wc).mid(11).join(' '), QString("-0.002 0.002 0.004 0.006"));
        uitest::SaveShot(*t.w, "Form_KSM");
    }

    void arrowStepsRerunOnceEachNeverGoBelowZeroAndUndo() {
        Session t;
        t.settings.stripText = "0.0004x"; // not a number as a whole: no strip
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
        t.Enter("0.00002");
        t.Down();
        QCOMPARE(s.D(9), 0.0f); // stored as 0 before the run, not -0.00003
        QCOMPARE(t.Text("Txt_DI") + " " + QString::number(s.NRUN), QString("0.0 2"));
        const Canvas& c = t.w->PictC().canvas();
        QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), s.NP - 1);
        QCOMPARE(c.Segments().back().from, QPointF(s.T(s.NP - 1), first(s.NP - 1)));

        // Each undo restores a weight and runs again; a new edit ends what can be redone.
        t.Select(25);
        t.Up();
        const std::tuple<std::function<void()>, int, float, int> steps[] = {
            {[&] { t.Undo(); }, 25, before(25), 4}, {[&] { t.Undo(); }, 9, 0.00002f, 5},
            {[&] { t.Undo(); }, 9, raised, 6},      {[&] { t.Redo(); }, 9, 0.00002f, 7},
            {[&] { t.Up(); }, 9, 0.00007f, 8},      {[&] { t.Redo(); }, 9, 0.00007f, 8},
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

    void typedWeightsAreStoredWithoutARun() {
        Session t;
        t.Select(12);
        QVERIFY(t.RemoveReport());
        t.Enter(" 0.0031 ");
        QCOMPARE(t.s->DP(12), 0.0031f);
        t.Enter("0.004x"); // only a whole number is taken
        t.Enter("abc");
        QVERIFY2(t.s->DP(12) == 0.0031f && t.messages.size() == 2 &&
                     t.messages[1].contains("\"abc\" is not a number") &&
                     t.messages[1].contains("D(12)"),
                 qPrintable(t.messages.join('|')));
        t.Enter("-0.001"); // typed weights are not limited
        // A right-button drag puts the weight at the cursor, also without a run.
        PictureArea& d = t.w->PictD();
        const QPoint to = d.canvas().ToPixel(QPointF(0.3, 0.004), d.size()).toPoint();
        QTest::mousePress(&d, Qt::RightButton, {}, to + QPoint(0, 20));
        QMouseEvent move(QEvent::MouseMove, to, d.mapToGlobal(to), Qt::NoButton, Qt::RightButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&d, &move);
        QTest::mouseRelease(&d, Qt::RightButton, {}, to);
        const auto dragged = static_cast<float>(d.WorldAt(to).y());
        QVERIFY(t.s->DP(12) == dragged && t.Text("Txt_DI") == Shown(dragged, kWeight));
        QVERIFY(t.s->NRUN == 0 && !t.RemoveReport());
        t.Undo(); // the drag is one edit
        QCOMPARE(t.s->D(12), -0.001f);
        t.Undo();
        QCOMPARE(t.s->D(12), 0.0031f);
    }

    void smoothShowsTheWindowAndEditsWriteWhatTheBatchCommandWrites() {
        QTemporaryDir dir;
        const QString path = uitest::WriteNaca0012(dir.path(), "naca61.dat", 31);
        auto s = std::make_unique<FoilState>();
        Form_inp form(*s, dir.path());
        form.SetEndProgram([](int) {});
        InstallCurvatureWindow(form, *s);
        form.show();
        form.PickFile(QDir::toNativeSeparators(dir.path()), "naca61.dat");
        form.findChild<QLineEdit*>("Txt_SmS")->setText("0.0004");
        QTest::mouseClick(form.findChild<QPushButton*>("Cmd_InputF"), Qt::LeftButton);
        auto* smooth = form.findChild<QPushButton*>("Cmd_Geom");
        QTest::mouseClick(smooth, Qt::LeftButton);
        Form_KSM* w = form.findChild<Form_KSM*>();
        QVERIFY(w && w->isVisible());

        // With STL checked, two steps on point 10 are two re-runs of the batch command with
        // the solid written each time.
        QTest::mouseClick(form.findChild<QCheckBox*>("Chk_STL"), Qt::LeftButton, {}, QPoint(8, 8));
        w->findChild<QScrollBar*>("VScr_ID")->setValue(-10);
        auto* value = w->findChild<QScrollBar*>("VScr_D");
        QStringList batch{path, "--strip", "0.0004", "--stl"};
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