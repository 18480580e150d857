// The curvature window over a smoothed NACA 0012 section: load, selecting and changing weights
// (scroll bars, clicks, keys, typed and dragged weights, undo and redo), each change a re-run
// with its files, and the window behind Smooth.
#include "ui/main/number_box.h"
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
        // The curvature's range widened by a tenth, then the view's 1 %.
        const auto [lo, hi] = std::minmax_element(&s.K(1), &s.K(1) + s.NP);
        QVERIFY(std::fabs(t.w->View().VIEW_H / (1.02 * 1.2 * (*hi - *lo)) - 1) < 1e-6);
        const Canvas& c = t.w->PictC().canvas();
        QVERIFY(SelectionLineAt(t.w->PictC(), s.T(2)) && SelectionLineAt(t.w->PictD(), s.T(2)));
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 1 + 2 * s.NP + (s.NP - 1));
        QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
        // Weights from 0 to a tenth of "Max Smooth Strip", widened by a tenth each way.
        QCOMPARE(QList<float>({t.w->Weights().DPLOT_LO, t.w->Weights().DPLOT_HI}),
                 QList<float>({-0.0005f, 0.0055f}));
        const Canvas& wc = t.w->PictD().canvas(); // dotted blue, y labelled in "#0.0####"
        QCOMPARE(CountSegments(wc, kBlue, LineStyle::Dotted), s.NP - 1);
        QCOMPARE(uitest::TextsOf(wc).mid(11).join(' '), QString("-0.002 0.002 0.004 0.006"));
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
        // drag is one edit.
        PictureArea& d = t.w->PictD();
        QTest::mousePress(&d, Qt::RightButton, {}, QPoint(200, 80));
        QPoint to;
        for (int y : {60, 40}) {
            to = d.canvas().ToPixel(QPointF(0.3, 0.001 * (100 - y) / 20), d.size()).toPoint();
            QMouseEvent move(QEvent::MouseMove, to, d.mapToGlobal(to), Qt::NoButton,
                             Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(&d, &move);
        }
        QTest::mouseRelease(&d, Qt::RightButton, {}, to);
        const auto dragged = static_cast<float>(d.WorldAt(to).y());
        QVERIFY(s.DP(12) == dragged && t.Text("Txt_DI") == Shown(dragged, kWeight));
        QVERIFY(s.NRUN == 4 && t.RemoveReport());
        // Ctrl+Z in the text box takes back the window's last edit, not the box's typing.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(s.D(12) == -0.001f && s.NRUN == 5 && t.Text("Txt_DI") == Shown(-0.001, kWeight));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.D(12), dragged);
        QTest::keyClick(t.Get<QScrollBar>("VScr_D"), Qt::Key_Z, Qt::ControlModifier);
        t.Undo();
        QCOMPARE(s.D(12), 0.0031f);
        QVERIFY(t.messages.size() == 2);
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