// The curvature window over smoothed NACA 0012 sections: load, selecting and changing weights
// (scroll bars, clicks, Enter, right-button drags, keys, undo and redo), the re-run with its
// files, the shared view, the resize rule, the weight range, and the window behind Smooth.
#include "cli/batch_job.h"
#include "core/number_format.h"
#include "ui/plots/curvature_window.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/plot_layout.h"
#include "ui/plots/weight_editor.h"
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
#include <memory>
#include <sstream>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::TextsOf;

namespace {

QString Weight(float value) {
    return QString::fromStdString(FormatPicture(value, "#0.0####"));
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The selection line: red, solid, at t from the bottom to the top of the grid.
bool SelectionLineAt(const Canvas& c, float t, const TickRange& grid) {
    return std::any_of(c.Segments().begin(), c.Segments().end(), [&](const Segment& g) {
        return g.color == kRed && g.style == LineStyle::Solid && g.from == QPointF(t, grid.lo) &&
               g.to == QPointF(t, grid.hi);
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
    template <class Control> Control* Get(const char* name) const {
        return w->findChild<Control*>(name);
    }
    QString Text(const char* name) const {
        if (auto* label = Get<QLabel>(name)) return label->text();
        return Get<QLineEdit>(name)->text();
    }
    void Select(int i) const { Get<QScrollBar>("VScr_ID")->setValue(-i); }
    void Step(QAbstractSlider::SliderAction arrow) const {
        Get<QScrollBar>("VScr_D")->triggerAction(arrow);
    }
    void Up() const { Step(QAbstractSlider::SliderSingleStepSub); }
    void Down() const { Step(QAbstractSlider::SliderSingleStepAdd); }
    void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(to ? to : w.get(), key, modifiers);
    }
    void Enter(const QString& text) const {
        Get<QLineEdit>("Txt_DI")->setText(text);
        QTest::mouseClick(Get<QPushButton>("Cmd_Enter"), Qt::LeftButton);
    }
    QPoint PixelD(float t, float y) const {
        return w->PictD().canvas().ToPixel(QPointF(t, y), w->PictD().size()).toPoint();
    }
    QString Out1() const { return dir.filePath("naca.out1"); }
    TickRange WeightGrid() const { return TickStep(0.001f, s->DPLOT_LO, s->DPLOT_HI); }
};

} // namespace

class CurvatureWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void loadSelectsPointTwoAndDrawsBothPictures();
    void weightRangeIsUsableAndStartsAfreshAtEveryLoad();

    void valueStepsRerunOnceEachAndNeverGoBelowZero();
    void selectingByScrollBarClickOrKeyRunsNothing();
    void typedAndDraggedWeightsAreStoredWithoutARun();
    void undoAndRedoRestoreWeightsAndRerun();
    void failedRerunsAreReported();

    void viewIsSharedInTAndPicturesFollowTheWindow();
    void sectionsOfThreeAnd401Points();
    void smoothShowsTheWindowAndEditsWriteWhatTheBatchCommandWrites();
};

void CurvatureWindowTest::loadSelectsPointTwoAndDrawsBothPictures() {
    Session t;
    t.Open();
    const FoilState& s = *t.s;
    QCOMPARE(t.w->windowTitle(), QString("Curvature K(t)"));
    QCOMPARE(t.Text("Lbl_DI"), QString("D(2)="));
    QCOMPARE(t.Get<QLabel>("Lbl_DI")->font().styleHint(), QFont::TypeWriter);
    QCOMPARE(t.Text("Txt_DI"), Weight(s.DP(2)));
    QCOMPARE(t.Text("Label_x") + t.Text("Label_t") + t.Text("Label_y") + t.Text("Lbl_D"),
             QString("K=t=y=D="));
    auto* id = t.Get<QScrollBar>("VScr_ID");
    auto* d = t.Get<QScrollBar>("VScr_D");
    QCOMPARE(QList<int>({id->minimum(), id->maximum(), id->value(), d->minimum(), d->maximum(),
                         d->value()}),
             QList<int>({-60, -2, -2, -1000, -1, -500}));
    QCOMPARE(s.NRUN, std::int16_t(0)); // loading runs nothing

    // The curvature's range widened by a tenth, then the view's 1 %.
    const CurvatureBounds b = FindCurvatureBounds(s);
    QVERIFY(std::fabs(t.w->View().VIEW_H / (1.02f * (b.ymax - b.ymin)) - 1) < 1e-6f);
    const Canvas& c = t.w->PictC().canvas();
    QVERIFY(SelectionLineAt(c, s.T(2), TickStep(10, b.ymin, b.ymax)));
    QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 1 + 2 * s.NP + (s.NP - 1));
    QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
    QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), 0);

    // Weights from 0 to a tenth of "Max Smooth Strip", widened by a tenth each way.
    QCOMPARE(s.DPLOT_LO, -0.0005f);
    QCOMPARE(s.DPLOT_HI, 0.0055f);
    const Canvas& wc = t.w->PictD().canvas();
    QVERIFY(SelectionLineAt(wc, s.T(2), t.WeightGrid()));
    QCOMPARE(CountSegments(wc, kBlue, LineStyle::Dotted), s.NP - 1);
    QCOMPARE(TextsOf(wc).mid(11), QStringList({"-0.002", "0.002", "0.004", "0.006"}));
    uitest::SaveShot(*t.w, "Form_KSM");
}

void CurvatureWindowTest::weightRangeIsUsableAndStartsAfreshAtEveryLoad() {
    Session t;
    for (int load = 0; load < 3; ++load)
        t.Open(); // reopening does not widen it again
    QCOMPARE(t.s->DPLOT_HI, 0.0055f);
    t.settings.maxStripText = "0.02";
    t.Open();
    QCOMPARE(t.s->DPLOT_HI, 0.0022f);
    // No positive strip: the largest weight gives the range, or the start value when all are 0.
    for (const char* text : {"0", "-0.3", "abc", "1e999"}) {
        t.settings.maxStripText = text;
        t.s->DP(7) = 0.003f;
        SetWeightRange(*t.s, text);
        QCOMPARE(t.s->DPLOT_HI, 0.0033f);
        t.s->DP(7) = 0;
        t.Open();
        QCOMPARE(t.s->DPLOT_HI, 0.0055f);
    }
}

void CurvatureWindowTest::valueStepsRerunOnceEachAndNeverGoBelowZero() {
    Session t;
    t.settings.stripText = "0.0004x"; // not a number as a whole: no strip
    t.settings.withoutRotation = true;
    t.Open();
    FoilState& s = *t.s;
    t.Select(9);
    const float before = s.DP(9);
    QVERIFY(QFile::remove(t.Out1()));
    t.Up();
    const float raised = static_cast<float>(before + 0.00005);
    QCOMPARE(s.D(9), raised);
    QCOMPARE(t.Text("Txt_DI"), Weight(raised));
    QCOMPARE(s.NRUN, std::int16_t(1));
    QVERIFY(QFile::exists(t.Out1())); // written again by the re-run
    QCOMPARE(t.w->WindowRunParams().DSMOOTH, 0.0f);
    QCOMPARE(s.NOROT, std::int16_t(1));
    QCOMPARE(CountSegments(t.w->PictC().canvas(), kBlue, LineStyle::Dotted), 0);

    // From the second re-run on, the previous run's curvature shows, blue and dotted.
    const PointArray first = s.K_SM;
    t.Enter("0.00002");
    t.Down();
    QCOMPARE(s.D(9), 0.0f); // stored as 0 before the run, not -0.00003
    QCOMPARE(t.Text("Txt_DI"), QString("0.0"));
    QCOMPARE(s.NRUN, std::int16_t(2));
    QCOMPARE(s.K_SM_PREV, first);
    const Canvas& c = t.w->PictC().canvas();
    QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), s.NP - 1);
    QCOMPARE(c.Segments().back().from, QPointF(s.T(s.NP - 1), first(s.NP - 1)));
    QCOMPARE(c.CurrentLineStyle(), LineStyle::Solid);
    QVERIFY(t.messages.isEmpty());
}

void CurvatureWindowTest::selectingByScrollBarClickOrKeyRunsNothing() {
    Session t;
    t.Open();
    const FoilState& s = *t.s;
    PictureArea& d = t.w->PictD();
    auto* value = t.Get<QScrollBar>("VScr_D");
    t.Up();
    t.Up();
    QCOMPARE(value->value(), -502);
    const PointArray weights = s.DP;
    QVERIFY(QFile::remove(t.Out1()));

    // A new point puts the value scroll bar back in the middle.
    t.Select(7);
    QCOMPARE(value->value(), -500);
    QCOMPARE(t.Text("Lbl_DI") + t.Text("Txt_DI"), "D(7)=" + Weight(s.DP(7)));
    QVERIFY(SelectionLineAt(d.canvas(), s.T(7), t.WeightGrid()));
    // A click takes the point nearest in t; left of the first midpoint point 2, right of the
    // last one nothing.
    QTest::mouseClick(&d, Qt::LeftButton, {}, t.PixelD(s.T(40), 0.001f));
    QCOMPARE(t.Get<QScrollBar>("VScr_ID")->value(), -40);
    QCOMPARE(t.Text("Lbl_DI"), QString("D(40)="));
    QTest::mouseClick(&d, Qt::LeftButton, {}, t.PixelD(-1.01f, 0.001f));
    QCOMPARE(t.w->Selected(), std::int16_t(2));
    t.Select(30);
    QTest::mouseClick(&d, Qt::LeftButton, {}, t.PixelD(1.01f, 0.001f));
    QCOMPARE(t.w->Selected(), std::int16_t(30));
    QCOMPARE(PointAtT(s, -1.01f), std::int16_t(2));
    QCOMPARE(PointAtT(s, (s.T(s.NP - 1) + s.T(s.NP)) / 2), std::int16_t(0));
    QCOMPARE(PointAtT(s, NAN), std::int16_t(0));
    // Left and Right move the selection within 2 to NP - 1.
    t.Key(&d, Qt::Key_Right);
    QCOMPARE(t.w->Selected(), std::int16_t(31));
    t.Select(2);
    t.Key(&d, Qt::Key_Left);
    t.Select(s.NP - 1);
    t.Key(&d, Qt::Key_Right);
    QCOMPARE(t.w->Selected(), std::int16_t(s.NP - 1));
    QCOMPARE(s.DP, weights);
    QCOMPARE(s.NRUN, std::int16_t(2));
    QVERIFY(!QFile::exists(t.Out1()));

    // Up and Down step the weight as the arrows of VScr_D do.
    t.Key(&d, Qt::Key_Up);
    QCOMPARE(s.D(s.NP - 1), static_cast<float>(weights(s.NP - 1) + 0.00005));
    QCOMPARE(value->value(), -501);
    t.Key(&d, Qt::Key_Down);
    QCOMPARE(s.NRUN, std::int16_t(4));
}

void CurvatureWindowTest::typedAndDraggedWeightsAreStoredWithoutARun() {
    Session t;
    t.Open();
    t.Select(12);
    QVERIFY(QFile::remove(t.Out1()));
    const auto& record = t.w->PictD().canvas().Segments();
    const auto drawn = record.size();
    auto weightDrawnAt = [&](int i, float y) {
        return std::any_of(record.begin(), record.end(), [&](const Segment& g) {
            return g.color == kBlue && g.to == QPointF(t.s->T(i), y);
        });
    };
    const float shown = t.s->DP(12);
    t.Enter(" 0.0031 ");
    QCOMPARE(t.s->DP(12), 0.0031f);
    QCOMPARE(record.size(), drawn); // it shows at the next redraw
    QVERIFY(weightDrawnAt(12, shown));
    for (const char* text : {"abc", "0,004", "0.004x", "", "1e39"})
        t.Enter(text);
    QCOMPARE(t.s->DP(12), 0.0031f);
    QCOMPARE(t.messages.size(), 5);
    QVERIFY2(t.messages[0].contains("\"abc\" is not a number") && t.messages[0].contains("D(12)"),
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
    QCOMPARE(t.Text("Txt_DI"), Weight(y));
    QVERIFY(weightDrawnAt(12, y));
    QTest::mouseRelease(&d, Qt::RightButton, {}, to);
    MoveWithButtons(&d, t.PixelD(0.3f, 0.002f), Qt::LeftButton | Qt::RightButton);
    QCOMPARE(t.s->DP(12), y); // only the right button alone drags
    QCOMPARE(t.s->NRUN, std::int16_t(0));
    QVERIFY(!QFile::exists(t.Out1()));
    t.Key(nullptr, Qt::Key_Z, Qt::ControlModifier); // the drag is one edit
    QCOMPARE(t.s->D(12), -0.001f);
}

void CurvatureWindowTest::undoAndRedoRestoreWeightsAndRerun() {
    Session t;
    t.settings.stripText = "0.0004";
    t.Open();
    FoilState& s = *t.s;
    t.Select(10);
    t.Up();
    const PointArray smoothedAfterFirst = s.Y_SM, weightsAfterFirst = s.DP;
    t.Up();
    const float second = s.DP(10);
    t.Select(25);
    t.Enter("0.0007");

    t.Key(nullptr, Qt::Key_Z, Qt::ControlModifier); // the typed weight
    QCOMPARE(s.DP(25), 0.0004f);
    QCOMPARE(s.NRUN, std::int16_t(3));
    t.Key(nullptr, Qt::Key_Z, Qt::ControlModifier); // the second step
    QCOMPARE(t.w->Selected(), std::int16_t(10));
    QCOMPARE(t.Text("Txt_DI"), Weight(weightsAfterFirst(10)));
    QCOMPARE(s.DP, weightsAfterFirst); // the same run as after the first step
    QCOMPARE(s.Y_SM, smoothedAfterFirst);
    QCOMPARE(s.NRUN, std::int16_t(4));
    t.Key(nullptr, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s.DP(10), second);
    t.Key(nullptr, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(t.w->Selected(), std::int16_t(25));
    QCOMPARE(s.DP(25), 0.0007f);
    QCOMPARE(s.NRUN, std::int16_t(6));
    t.Up(); // a new edit ends what can be redone
    t.Key(nullptr, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s.NRUN, std::int16_t(7));
}

void CurvatureWindowTest::failedRerunsAreReported() {
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
        stepping = t.Get<QScrollBar>("VScr_D")->isEnabled();
    });
    t.Up();
    QVERIFY2(message.contains("Point 5") && !stepping, qPrintable(message));
    QVERIFY(t.Get<QScrollBar>("VScr_D")->isEnabled());
    QCOMPARE(s.NRUN, std::int16_t(1));
    QCOMPARE(s.K_SM, curvature);
    QCOMPARE(s.DP(2), static_cast<float>(s.D(2) + 0.00005)); // the edit itself stays
}

void CurvatureWindowTest::viewIsSharedInTAndPicturesFollowTheWindow() {
    Session t;
    t.Open();
    PictureArea& c = t.w->PictC();
    const PlotView start = t.w->View();
    const QPoint press(300, 60), release(320, 160);
    const float dy = static_cast<float>(c.WorldAt(press).y() - c.WorldAt(release).y());
    QTest::mousePress(&c, Qt::LeftButton, Qt::ShiftModifier, press);
    QTest::mouseRelease(&c, Qt::LeftButton, Qt::ShiftModifier, release);
    const float f = 1 + 5 * dy / start.VIEW_H; // measured against the height
    QVERIFY(std::fabs(t.w->View().VIEW_W - start.VIEW_W / f) < 1e-5f);
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(250, 130));
    const WorldRect cw = c.canvas().World(), dw = t.w->PictD().canvas().World();
    QCOMPARE(QList<double>({dw.left, dw.right}), QList<double>({cw.left, cw.right}));
    // The weights keep their height.
    QVERIFY(std::fabs(dw.top - t.s->DPLOT_HI) < 1e-9 &&
            std::fabs(dw.bottom - t.s->DPLOT_LO) < 1e-9);

    QTest::mouseMove(&c, QPoint(400, 100));
    const QPointF at = c.WorldAt(QPoint(400, 100));
    const auto tx = static_cast<float>(at.x());
    QTRY_COMPARE(t.Text("Label_t"), "t=" + QString::fromStdString(FormatPicture(tx, "#0.000")));
    QCOMPARE(t.Text("Label_x"), "x=" + QString::fromStdString(FormatPicture(tx * tx, "#0.000")));
    QCOMPARE(t.Text("Label_y"),
             "K=" + QString::fromStdString(FormatPicture(static_cast<float>(at.y()), "#0.000")));
    QTest::mouseMove(&t.w->PictD(), QPoint(400, 50));
    const auto y = static_cast<float>(t.w->PictD().WorldAt(QPoint(400, 50)).y());
    QTRY_COMPARE(t.Text("Lbl_D"), "D=" + QString::fromStdString(FormatPicture(y, "0.0#####")));

    // Pict_C keeps its proportions across the width; Pict_D takes the height left.
    t.w->resize(1000, 700);
    QTRY_COMPARE(c.width(), 980);
    const int heightC = qRound(980 * 3855.0 / 10335.0);
    QCOMPARE(c.height(), heightC);
    QCOMPARE(t.w->PictD().geometry(), QRect(10, 39 + heightC, 980, 700 - (heightC + 39 + 10)));
    t.w->resize(1000, 200); // too low for the rule: the weights keep a pixel
    QTRY_COMPARE(t.w->PictD().height(), 1);
}

void CurvatureWindowTest::sectionsOfThreeAnd401Points() {
    Session three(2, kGridCosine);
    three.Open();
    auto* id = three.Get<QScrollBar>("VScr_ID");
    QCOMPARE(QList<int>({id->minimum(), id->maximum()}), QList<int>({-2, -2}));
    QTest::mouseClick(&three.w->PictD(), Qt::LeftButton, {}, three.PixelD(-1.01f, 0));
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

void CurvatureWindowTest::smoothShowsTheWindowAndEditsWriteWhatTheBatchCommandWrites() {
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

    // Two steps on point 10 are two re-runs of the batch command.
    w->findChild<QScrollBar*>("VScr_ID")->setValue(-10);
    auto* d = w->findChild<QScrollBar*>("VScr_D");
    batch::BatchOptions options;
    for (int step = 0; step < 2; ++step) {
        d->triggerAction(QAbstractSlider::SliderSingleStepSub);
        options.reruns.push_back({10, static_cast<double>(s->DP(10))});
    }
    options.file = path.toStdString();
    options.stripText = "0.0004";
    options.outdir = dir.filePath("batch").toStdString();
    QVERIFY(QDir().mkpath(dir.filePath("batch")));
    auto batchState = std::make_unique<FoilState>();
    std::ostringstream out, err;
    QCOMPARE(batch::RunBatchJob(options, *batchState, out, err), 0);
    for (const char* name : {"naca61.out1", "naca61.out2"})
        QCOMPARE(ReadAll(dir.filePath(name)), ReadAll(dir.filePath(QString("batch/") + name)));
    QCOMPARE(s->NRUN, batchState->NRUN);
    QCOMPARE(w->WindowRunParams().DSMOOTH_OLD, 0.0004f);

    // A later Smooth only brings it forward; with STL checked the re-runs write the solid too.
    QTest::mouseClick(form.findChild<QCheckBox*>("Chk_STL"), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(smooth, Qt::LeftButton);
    QCOMPARE(form.findChildren<Form_KSM*>().size(), 1);
    QCOMPARE(w->Selected(), std::int16_t(10));
    QVERIFY(QFile::remove(dir.filePath("naca61.stl")));
    d->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QVERIFY(ReadAll(dir.filePath("naca61.stl")).startsWith("solid"));

    QPointer<Form_KSM> closed = w;
    w->close();
    QTRY_VERIFY(closed.isNull());
    QTest::mouseClick(smooth, Qt::LeftButton);
    w = form.findChild<Form_KSM*>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->Selected(), std::int16_t(2)); // loaded anew
}

QTEST_MAIN(CurvatureWindowTest)
#include "curvature_window_test.moc"
