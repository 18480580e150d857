// The curvature window over smoothed NACA 0012 sections: load, selecting and changing weights
// (scroll bars, clicks, Enter, right-button drags, keys, undo and redo), the re-run with its
// files, the shared view, the resize rule, the weight range, and the window behind Smooth.
#include "core/number_format.h"
#include "ui/plots/curvature_window.h"
#include "ui/plots/plot_colors.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>
#include <tuple>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;

namespace {

QString Shown(double value, const char* picture = "#0.0####") {
    return QString::fromStdString(FormatPicture(static_cast<float>(value), picture));
}

// The selection line: red, solid, at t across the whole grid (markers are short).
bool SelectionLineAt(const PictureArea& picture, float t) {
    const auto& world = picture.canvas().World();
    return std::any_of(picture.canvas().Segments().begin(), picture.canvas().Segments().end(),
                       [&](const Segment& g) {
                           return g.color == kRed && g.style == LineStyle::Solid &&
                                  g.from.x() == t && g.to.x() == t &&
                                  g.to.y() - g.from.y() > 0.5 * (world.top - world.bottom);
                       });
}

// A mouse move over a picture with buttons held, as the window system sends it.
void MoveWithButtons(QWidget* picture, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
}

// The curvature window over a smoothed section; the main window's settings are plain values
// and messages are noted instead of shown.
struct Session {
    QTemporaryDir dir;
    std::unique_ptr<FoilState> s;
    CommandSettings settings{"0.0", "0.05", true, false, 1};
    std::unique_ptr<Form_KSM> w;
    QStringList messages;

    explicit Session(int stationsPerSurface = 31, std::int16_t grid = kGridFromUpperSurface) {
        s = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir.path(), "naca.dat", stationsPerSurface),
                                  grid);
    }
    void Open() {
        w = std::make_unique<Form_KSM>(*s, [this] { return settings; });
        w->SetShowMessage([this](const QString&, const QString& text) { messages << text; });
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    template <class Control = QWidget> Control* Get(const char* name) const {
        return w->findChild<Control*>(name);
    }
    QString Text(const char* name) const { return Get(name)->property("text").toString(); }
    void Select(int i) const { Get<QScrollBar>("VScr_ID")->setValue(-i); }
    void Up() const {
        Get<QScrollBar>("VScr_D")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    void Down() const {
        Get<QScrollBar>("VScr_D")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(modifiers ? static_cast<QWidget*>(w.get()) : &w->PictD(), key, modifiers);
    }
    void Undo() const { Key(Qt::Key_Z, Qt::ControlModifier); }
    void Redo() const { Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    void Enter(const QString& text) const {
        Get<QLineEdit>("Txt_DI")->setText(text);
        QTest::mouseClick(Get<QPushButton>("Cmd_Enter"), Qt::LeftButton);
    }
    void ClickD(float t, float y = 0.001f) const {
        QTest::mouseClick(&w->PictD(), Qt::LeftButton, {}, PixelD(t, y));
    }
    QPoint PixelD(float t, float y) const {
        return w->PictD().canvas().ToPixel(QPointF(t, y), w->PictD().size()).toPoint();
    }
    QString Out1() const { return dir.filePath("naca.out1"); }
};

} // namespace

class CurvatureWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void loadSelectsPointTwoAndDrawsBothPictures() {
        Session t;
        t.Open();
        const FoilState& s = *t.s;
        QCOMPARE(t.w->windowTitle(), QString("Curvature K(t)"));
        QCOMPARE(t.Text("Lbl_DI") + t.Text("Txt_DI"), "D(2)=" + Shown(s.DP(2)));
        auto* id = t.Get<QScrollBar>("VScr_ID");
        auto* d = t.Get<QScrollBar>("VScr_D");
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
        QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), 0);
        // Weights from 0 to a tenth of "Max Smooth Strip", widened by a tenth each way.
        QCOMPARE(QList<float>({s.DPLOT_LO, s.DPLOT_HI}), QList<float>({-0.0005f, 0.0055f}));
        const Canvas& wc = t.w->PictD().canvas();
        QCOMPARE(CountSegments(wc, kBlue, LineStyle::Dotted), s.NP - 1);
        QCOMPARE(uitest::TextsOf(wc).mid(11), QStringList({"-0.002", "0.002", "0.004", "0.006"}));
        uitest::SaveShot(*t.w, "Form_KSM");
    }

    void weightRangeIsUsableAndStartsAfreshAtEveryLoad() {
        Session t;
        // "Max Smooth Strip", the largest weight, and the top of the range after three loads.
        const std::tuple<const char*, float, float> cases[] = {
            {"0.05", 0, 0.0055f},      {"0.02", 0, 0.0022f},     {"0", 0.003f, 0.0033f},
            {"-0.3", 0.003f, 0.0033f}, {"abc", 0.003f, 0.0033f}, {"1e999", 0.003f, 0.0033f},
            {"0", 0, 0.0055f},         {"abc", 0, 0.0055f}};
        for (const auto& [maxStrip, weight, top] : cases) {
            t.settings.maxStripText = maxStrip;
            t.s->DP(7) = weight;
            for (int load = 0; load < 3; ++load)
                t.Open(); // reopening does not widen it again
            QVERIFY2(std::fabs(t.s->DPLOT_HI - top) < 1e-9f, maxStrip);
        }
    }

    void arrowStepsRerunOnceEachNeverGoBelowZeroAndUndo() {
        Session t;
        t.settings.stripText = "0.0004x"; // not a number as a whole: no strip
        t.settings.withoutRotation = true;
        t.Open();
        FoilState& s = *t.s;
        t.Select(9);
        const PointArray before = s.DP, smoothedBefore = s.Y_SM;
        QVERIFY(QFile::remove(t.Out1()));
        t.Up();
        const float raised = static_cast<float>(before(9) + 0.00005);
        QCOMPARE(s.D(9), raised);
        QCOMPARE(t.Text("Txt_DI"), Shown(raised));
        QCOMPARE(QList<int>({s.NRUN, s.NOROT}), QList<int>({1, 1}));
        QVERIFY(QFile::exists(t.Out1())); // written again by the re-run
        QCOMPARE(t.w->WindowRunParams().DSMOOTH, 0.0f);
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
            QCOMPARE(s.DP(selected), weight);
            QCOMPARE(t.Text("Txt_DI"), Shown(weight));
        }
        t.Undo();
        t.Undo();
        t.Undo();
        QCOMPARE(s.DP, before); // back where it started, the same run
        QCOMPARE(s.Y_SM, smoothedBefore);
        QVERIFY(t.messages.isEmpty());
    }

    void failedRerunsAreReported() {
        Session t;
        t.Open();
        FoilState& s = *t.s;
        QVERIFY(QFile::remove(t.Out1()));
        QVERIFY(QDir(t.dir.path()).mkdir("naca.out1")); // where the report goes
        t.Up();
        QCOMPARE(t.messages.size(), 1);
        QVERIFY2(t.messages[0].contains("naca.out1"), qPrintable(t.messages[0]));
        QCOMPARE(s.NRUN, std::int16_t(1)); // the section holds the run's results

        const PointArray curvature = s.K_SM;
        s.X(5) = NAN;
        QString message;
        bool stepping = true; // a held arrow must not go on stepping behind the message
        t.w->SetShowMessage([&](const QString&, const QString& text) {
            message = text;
            stepping = t.Get("VScr_D")->isEnabled();
        });
        t.Up();
        QVERIFY2(message.contains("Point 5") && !stepping, qPrintable(message));
        QVERIFY(t.Get("VScr_D")->isEnabled());
        QCOMPARE(s.NRUN, std::int16_t(1));
        QCOMPARE(s.K_SM, curvature);
        QCOMPARE(s.DP(2), static_cast<float>(s.D(2) + 0.00005)); // the edit itself stays
    }

    void selectingByScrollBarClickOrKeyRunsNothing() {
        Session t;
        t.Open();
        const FoilState& s = *t.s;
        auto* value = t.Get<QScrollBar>("VScr_D");
        t.Up();
        t.Up();
        QCOMPARE(value->value(), -502);
        const PointArray weights = s.DP;
        QVERIFY(QFile::remove(t.Out1()));
        // A new point puts the value scroll bar back in the middle.
        t.Select(7);
        QCOMPARE(value->value(), -500);
        QCOMPARE(t.Text("Lbl_DI") + t.Text("Txt_DI"), "D(7)=" + Shown(s.DP(7)));
        QVERIFY(SelectionLineAt(t.w->PictD(), s.T(7)));
        // A click takes the point nearest in t; left of the first midpoint point 2, right of
        // the last one nothing. Left and Right move the selection within 2 to NP - 1.
        const std::tuple<int, std::function<void()>, int> steps[] = {
            {7, [&] { t.ClickD(s.T(40)); }, 40},  {40, [&] { t.ClickD(-1.01f); }, 2},
            {30, [&] { t.ClickD(1.01f); }, 30},   {30, [&] { t.Key(Qt::Key_Right); }, 31},
            {2, [&] { t.Key(Qt::Key_Left); }, 2}, {60, [&] { t.Key(Qt::Key_Right); }, 60},
        };
        for (const auto& [from, step, to] : steps) {
            t.Select(from);
            step();
            QCOMPARE(QList<int>({t.w->Selected(), t.Get<QScrollBar>("VScr_ID")->value()}),
                     QList<int>({to, -to}));
            QCOMPARE(t.Text("Lbl_DI"), QString("D(%1)=").arg(to));
        }
        QVERIFY(s.DP == weights && s.NRUN == 2 && !QFile::exists(t.Out1()));
        // Up and Down step the weight as the arrows of VScr_D do.
        t.Key(Qt::Key_Up);
        QCOMPARE(s.D(60), static_cast<float>(weights(60) + 0.00005));
        QCOMPARE(value->value(), -501);
        t.Key(Qt::Key_Down);
        QCOMPARE(s.NRUN, std::int16_t(4));
    }

    void typedAndDraggedWeightsAreStoredWithoutARun() {
        Session t;
        t.Open();
        t.Select(12);
        QVERIFY(QFile::remove(t.Out1()));
        const auto& record = t.w->PictD().canvas().Segments();
        auto weightDrawnAt = [&](float y) {
            return std::any_of(record.begin(), record.end(), [&](const Segment& g) {
                return g.color == kBlue && g.to == QPointF(t.s->T(12), y);
            });
        };
        const float shown = t.s->DP(12);
        t.Enter(" 0.0031 ");
        QCOMPARE(t.s->DP(12), 0.0031f);
        QVERIFY(weightDrawnAt(shown)); // it shows at the next redraw
        for (const char* text : {"abc", "0,004", "0.004x", "", "1e39"})
            t.Enter(text);
        QCOMPARE(t.s->DP(12), 0.0031f);
        QCOMPARE(t.messages.size(), 5);
        QVERIFY2(t.messages[0].contains("\"abc\" is not a number") &&
                     t.messages[0].contains("D(12)"),
                 qPrintable(t.messages[0]));
        t.Enter("-0.001"); // typed weights are not limited
        QCOMPARE(t.s->DP(12), -0.001f);

        // A right-button drag puts the weight at the cursor and redraws.
        PictureArea& d = t.w->PictD();
        const QPoint to = t.PixelD(0.3f, 0.004f);
        const auto y = static_cast<float>(d.WorldAt(to).y());
        QTest::mousePress(&d, Qt::RightButton, {}, t.PixelD(0.3f, 0.001f));
        MoveWithButtons(&d, to, Qt::RightButton);
        QCOMPARE(t.s->DP(12), y);
        QCOMPARE(t.Text("Txt_DI"), Shown(y));
        QVERIFY(weightDrawnAt(y));
        QTest::mouseRelease(&d, Qt::RightButton, {}, to);
        MoveWithButtons(&d, t.PixelD(0.3f, 0.002f), Qt::LeftButton | Qt::RightButton);
        QCOMPARE(t.s->DP(12), y); // only the right button alone drags
        QVERIFY(t.s->NRUN == 0 && !QFile::exists(t.Out1()));
        t.Undo(); // the drag is one edit
        QCOMPARE(t.s->D(12), -0.001f);
    }

    void viewIsSharedInTAndPicturesFollowTheWindow() {
        Session t;
        t.Open();
        PictureArea& c = t.w->PictC();
        PictureArea& d = t.w->PictD();
        const PlotView start = t.w->View();
        const QPoint press(300, 60), release(320, 160);
        const double dy = c.WorldAt(press).y() - c.WorldAt(release).y();
        QTest::mousePress(&c, Qt::LeftButton, Qt::ShiftModifier, press);
        QTest::mouseRelease(&c, Qt::LeftButton, Qt::ShiftModifier, release);
        // Zoomed by 1 + 5 dy / VIEW_H: measured against the height.
        QVERIFY(std::fabs(start.VIEW_W / t.w->View().VIEW_W - (1 + 5 * dy / start.VIEW_H)) < 1e-4);
        QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(250, 130));
        const WorldRect cw = c.canvas().World(), dw = d.canvas().World();
        QCOMPARE(QList<double>({dw.left, dw.right}), QList<double>({cw.left, cw.right}));
        // The weights keep their height.
        QVERIFY(std::fabs(dw.top - t.s->DPLOT_HI) < 1e-9 &&
                std::fabs(dw.bottom - t.s->DPLOT_LO) < 1e-9);

        const QPoint at(400, 50);
        QTest::mouseMove(&c, at);
        const QPointF ck = c.WorldAt(at);
        QTRY_COMPARE(t.Text("Label_t") + t.Text("Label_x") + t.Text("Label_y"),
                     "t=" + Shown(ck.x(), "#0.000") + "x=" + Shown(ck.x() * ck.x(), "#0.000") +
                         "K=" + Shown(ck.y(), "#0.000"));
        QTest::mouseMove(&d, at);
        QTRY_COMPARE(t.Text("Lbl_D"), "D=" + Shown(d.WorldAt(at).y(), "0.0#####"));

        // Pict_C keeps its proportions across the width; Pict_D takes the height left.
        t.w->resize(1000, 700);
        QTRY_COMPARE(c.width(), 980);
        const int heightC = qRound(980 * 3855.0 / 10335.0);
        QCOMPARE(c.height(), heightC);
        QCOMPARE(d.geometry(), QRect(10, 39 + heightC, 980, 700 - (heightC + 39 + 10)));
        t.w->resize(1000, 200); // too low for the rule: the weights keep a pixel
        QTRY_COMPARE(d.height(), 1);
    }

    void sectionsOfThreeAnd401Points() {
        Session three(2, kGridCosine);
        three.Open();
        auto* id = three.Get<QScrollBar>("VScr_ID");
        QCOMPARE(QList<int>({id->minimum(), id->maximum()}), QList<int>({-2, -2}));
        three.ClickD(-1.01f, 0);
        QCOMPARE(three.w->Selected(), std::int16_t(2));
        three.Up();
        QCOMPARE(three.s->NRUN, std::int16_t(1));

        Session large(201);
        large.Open();
        QCOMPARE(large.Get<QScrollBar>("VScr_ID")->minimum(), -400);
        large.Select(400);
        large.Up();
        large.Up();
        QCOMPARE(CountSegments(large.w->PictC().canvas(), kBlue, LineStyle::Dotted), 400);
        QVERIFY(three.messages.isEmpty() && large.messages.isEmpty());
        uitest::SaveShot(*large.w, "Form_KSM_401_points");
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
        auto* d = w->findChild<QScrollBar*>("VScr_D");
        QStringList batch{path, "--strip", "0.0004", "--stl"};
        for (int step = 0; step < 2; ++step) {
            d->triggerAction(QAbstractSlider::SliderSingleStepSub);
            batch << "--rerun"
                  << "10=" + QString::number(s->DP(10), 'g', 9);
        }
        QCOMPARE(
            uitest::UnlikeTheBatchCommand(
                batch, dir.path(), {"naca61.out1", "naca61.out2", "naca61.stl", "naca61.stl.prop"}),
            QStringList());
        QCOMPARE(w->WindowRunParams().DSMOOTH_OLD, 0.0004f);
        // A later Smooth only brings it forward; closed, it is loaded anew.
        QTest::mouseClick(smooth, Qt::LeftButton);
        QCOMPARE(form.findChildren<Form_KSM*>().size(), 1);
        QCOMPARE(w->Selected(), std::int16_t(10));
        QPointer<Form_KSM> closed = w;
        w->close();
        QTRY_VERIFY(closed.isNull());
        QTest::mouseClick(smooth, Qt::LeftButton);
        w = form.findChild<Form_KSM*>();
        QVERIFY(w && w->isVisible() && w->Selected() == 2);
    }
};

QTEST_MAIN(CurvatureWindowTest)
#include "curvature_window_test.moc"
