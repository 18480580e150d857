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
    void Up() const { Get<QScrollBar>("VScr_D")->triggerAction(QAbstractSlider::SliderSingleStepSub); }
    void Down() const { Get<QScrollBar>("VScr_D")->triggerAction(QAbstractSlider::SliderSingleStepAdd); }
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

    void arrowStepsRerunAndNeverGoBelowZero();
    void previousCurveShowsFromTheSecondRerun();
    void newSelectionRecentresWithoutARun();
    void clicksSelectTheNearestPointUpToBothEnds();
    void enterStoresWithoutARunAndRefusesText();
    void rightDragPutsTheWeightAtTheCursor();
    void undoAndRedoRestoreWeightsAndRerun();
    void arrowKeysEditFromTheWeightPicture();
    void failedRerunsAreReported();

    void zoomAndPanMoveTheWeightsAlongInT();
    void resizeKeepsTheCurvatureProportions();
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
    QCOMPARE(t.Get<QPushButton>("Cmd_Enter")->text(), QString("Enter"));
    auto* id = t.Get<QScrollBar>("VScr_ID");
    QCOMPARE(QList<int>({id->minimum(), id->maximum(), id->value()}), QList<int>({-60, -2, -2}));
    auto* d = t.Get<QScrollBar>("VScr_D");
    QCOMPARE(QList<int>({d->minimum(), d->maximum(), d->value()}), QList<int>({-1000, -1, -500}));
    QCOMPARE(t.w->Selected(), std::int16_t(2));
    QCOMPARE(s.NRUN, std::int16_t(0)); // loading runs nothing

    // Curvature: the view is the curvature's range widened by a tenth, then 1 %.
    const CurvatureBounds b = FindCurvatureBounds(s);
    QVERIFY(std::fabs(t.w->View().VIEW_H / (1.02f * (b.ymax - b.ymin)) - 1) < 1e-6f);
    QVERIFY(std::fabs(t.w->View().VIEW_W - 2.04f) < 1e-6f);
    const Canvas& c = t.w->PictC().canvas();
    QVERIFY(SelectionLineAt(c, s.T(2), TickStep(10, b.ymin, b.ymax)));
    QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 1 + 2 * s.NP + (s.NP - 1));
    QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
    QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), 0);

    // Weights: 0 to a tenth of "Max Smooth Strip", widened by a tenth each way.
    QCOMPARE(s.DPLOT_LO, -0.0005f);
    QCOMPARE(s.DPLOT_HI, 0.0055f);
    const Canvas& wc = t.w->PictD().canvas();
    QVERIFY(SelectionLineAt(wc, s.T(2), t.WeightGrid()));
    QCOMPARE(CountSegments(wc, kRed, LineStyle::Solid), 1 + 2 * s.NP);
    QCOMPARE(CountSegments(wc, kBlue, LineStyle::Dotted), s.NP - 1);
    QCOMPARE(TextsOf(wc).mid(11), QStringList({"-0.002", "0.002", "0.004", "0.006"}));
    QCOMPARE(wc.World().top, double(s.DPLOT_HI));
    uitest::SaveShot(*t.w, "Form_KSM");
}

void CurvatureWindowTest::weightRangeIsUsableAndStartsAfreshAtEveryLoad() {
    Session t;
    for (int load = 0; load < 3; ++load) t.Open(); // reopening does not widen it again
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
        QVERIFY(!TextsOf(t.w->PictD().canvas()).isEmpty());
    }
}

void CurvatureWindowTest::arrowStepsRerunAndNeverGoBelowZero() {
    Session t;
    t.Open();
    FoilState& s = *t.s;
    t.Select(9);
    const float before = s.DP(9);
    QVERIFY(QFile::remove(t.Out1()));
    t.Up();
    const float raised = static_cast<float>(before + 0.00005);
    QCOMPARE(s.D(9), raised);
    QCOMPARE(s.DP(9), raised);
    QCOMPARE(t.Text("Txt_DI"), Weight(raised));
    QCOMPARE(s.NRUN, std::int16_t(1));
    QVERIFY(SelectionLineAt(t.w->PictD().canvas(), s.T(9), t.WeightGrid()));
    QVERIFY(QFile::exists(t.Out1())); // written again by the re-run

    t.Enter("0.00002");
    t.Down();
    QCOMPARE(s.D(9), 0.0f); // stored as 0 before the run, not -0.00003
    QCOMPARE(s.DP(9), 0.0f);
    QCOMPARE(t.Text("Txt_DI"), QString("0.0"));
    QCOMPARE(s.NRUN, std::int16_t(2));
    QVERIFY(t.messages.isEmpty());
}

void CurvatureWindowTest::previousCurveShowsFromTheSecondRerun() {
    Session t;
    t.Open();
    FoilState& s = *t.s;
    t.Select(20);
    t.Up();
    QCOMPARE(CountSegments(t.w->PictC().canvas(), kBlue, LineStyle::Dotted), 0);
    const PointArray first = s.K_SM;
    t.Up();
    QCOMPARE(s.K_SM_PREV, first);
    const Canvas& c = t.w->PictC().canvas();
    QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), s.NP - 1);
    QCOMPARE(c.Segments().back().from, QPointF(s.T(s.NP - 1), first(s.NP - 1)));
    QCOMPARE(c.CurrentLineStyle(), LineStyle::Solid);
}

void CurvatureWindowTest::newSelectionRecentresWithoutARun() {
    Session t;
    t.Open();
    t.Up();
    t.Up();
    auto* d = t.Get<QScrollBar>("VScr_D");
    QCOMPARE(d->value(), -502);
    const PointArray weights = t.s->DP;
    QVERIFY(QFile::remove(t.Out1()));
    t.Select(7);
    QCOMPARE(d->value(), -500);
    QCOMPARE(t.Text("Lbl_DI"), QString("D(7)="));
    QCOMPARE(t.Text("Txt_DI"), Weight(t.s->DP(7)));
    QCOMPARE(t.s->DP, weights);
    QCOMPARE(t.s->NRUN, std::int16_t(2));
    QVERIFY(!QFile::exists(t.Out1()));
    QVERIFY(SelectionLineAt(t.w->PictD().canvas(), t.s->T(7), t.WeightGrid()));
    t.Up(); // the next step counts from the middle again
    QCOMPARE(d->value(), -501);
    QCOMPARE(t.s->D(7), static_cast<float>(weights(7) + 0.00005));
}

void CurvatureWindowTest::clicksSelectTheNearestPointUpToBothEnds() {
    Session t;
    t.Open();
    const FoilState& s = *t.s;
    PictureArea& d = t.w->PictD();
    QTest::mouseClick(&d, Qt::LeftButton, {}, t.PixelD(s.T(40), 0.001f));
    QCOMPARE(t.w->Selected(), std::int16_t(40));
    QCOMPARE(t.Get<QScrollBar>("VScr_ID")->value(), -40);
    QCOMPARE(t.Text("Lbl_DI"), QString("D(40)="));
    // Left of the first midpoint: point 2, the first that can be edited.
    QTest::mouseClick(&d, Qt::LeftButton, {}, t.PixelD(-1.01f, 0.001f));
    QCOMPARE(t.w->Selected(), std::int16_t(2));
    // Right of the last midpoint: nothing changes.
    t.Select(30);
    QTest::mouseClick(&d, Qt::LeftButton, {}, t.PixelD(1.01f, 0.001f));
    QCOMPARE(t.w->Selected(), std::int16_t(30));
    QCOMPARE(s.NRUN, std::int16_t(0));

    QCOMPARE(PointAtT(s, s.T(s.NP - 1)), std::int16_t(s.NP - 1));
    QCOMPARE(PointAtT(s, (s.T(s.NP - 1) + s.T(s.NP)) / 2), std::int16_t(0));
    QCOMPARE(PointAtT(s, NAN), std::int16_t(0));
}

void CurvatureWindowTest::enterStoresWithoutARunAndRefusesText() {
    Session t;
    t.Open();
    t.Select(12);
    QVERIFY(QFile::remove(t.Out1()));
    const auto drawn = t.w->PictD().canvas().Segments().size();
    const float shown = t.s->DP(12);
    t.Enter(" 0.0031 ");
    QCOMPARE(t.s->DP(12), 0.0031f);
    QCOMPARE(t.s->NRUN, std::int16_t(0));
    QVERIFY(!QFile::exists(t.Out1()));
    // Nothing is redrawn: the new value shows at the next redraw.
    const auto& record = t.w->PictD().canvas().Segments();
    QCOMPARE(record.size(), drawn);
    QVERIFY(std::any_of(record.begin(), record.end(), [&](const Segment& g) {
        return g.color == kBlue && g.to == QPointF(t.s->T(12), shown);
    }));

    for (const char* text : {"abc", "0,004", "0.004x", "", "1e39"}) {
        t.Enter(text);
        QCOMPARE(t.s->DP(12), 0.0031f);
    }
    QCOMPARE(t.messages.size(), 5);
    QVERIFY2(t.messages[0].contains("\"abc\" is not a number") && t.messages[0].contains("D(12)"),
             qPrintable(t.messages[0]));
    t.Enter("-0.001"); // typed weights are not limited
    QCOMPARE(t.s->DP(12), -0.001f);
    QCOMPARE(t.messages.size(), 5);
}

void CurvatureWindowTest::rightDragPutsTheWeightAtTheCursor() {
    Session t;
    t.Open();
    t.Select(15);
    PictureArea& d = t.w->PictD();
    const QPoint to = t.PixelD(0.3f, 0.004f);
    const float y = static_cast<float>(d.WorldAt(to).y());
    QTest::mousePress(&d, Qt::RightButton, {}, t.PixelD(0.3f, 0.001f));
    MoveWithButtons(&d, to, Qt::RightButton);
    QCOMPARE(t.s->DP(15), y);
    QCOMPARE(t.Text("Txt_DI"), Weight(y));
    QVERIFY(t.Text("Lbl_D").startsWith("D=0.00"));
    QCOMPARE(t.s->NRUN, std::int16_t(0));
    const auto& record = d.canvas().Segments();
    QVERIFY(std::any_of(record.begin(), record.end(), [&](const Segment& g) {
        return g.color == kBlue && g.to == QPointF(t.s->T(15), y);
    }));
    QTest::mouseRelease(&d, Qt::RightButton, {}, to);
    MoveWithButtons(&d, t.PixelD(0.3f, 0.002f), Qt::LeftButton | Qt::RightButton);
    QCOMPARE(t.s->DP(15), y); // only the right button alone drags the weight
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier); // the drag is one edit
    QCOMPARE(t.s->D(15), t.s->DP(15));
    QVERIFY(t.s->DP(15) != y);
}

void CurvatureWindowTest::undoAndRedoRestoreWeightsAndRerun() {
    Session t;
    t.settings.stripText = "0.0004";
    t.Open();
    FoilState& s = *t.s;
    t.Select(10);
    t.Up();
    const PointArray smoothedAfterFirst = s.Y_SM, weightsAfterFirst = s.DP;
    const float first = s.DP(10);
    t.Up();
    const float second = s.DP(10);
    t.Select(25);
    t.Enter("0.0007");
    const float typed = s.DP(25);
    QCOMPARE(typed, 0.0007f);

    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier); // the typed weight
    QCOMPARE(s.DP(25), 0.0004f);
    QCOMPARE(s.NRUN, std::int16_t(3));
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier); // the second step
    QCOMPARE(t.w->Selected(), std::int16_t(10));
    QCOMPARE(t.Text("Txt_DI"), Weight(first));
    QCOMPARE(s.DP(10), first);
    QCOMPARE(s.DP, weightsAfterFirst); // the same run as after the first step
    QCOMPARE(s.Y_SM, smoothedAfterFirst);
    QCOMPARE(s.NRUN, std::int16_t(4));
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s.DP(10), second);
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(t.w->Selected(), std::int16_t(25));
    QCOMPARE(s.DP(25), typed);
    QCOMPARE(s.NRUN, std::int16_t(6));
    t.Up(); // a new edit ends what can be redone
    QTest::keyClick(t.w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s.NRUN, std::int16_t(7));

    WeightHistory history;
    history.Record({3, 0.5f, 0.5f}); // no change, not kept
    QVERIFY(!history.CanUndo());
}

void CurvatureWindowTest::arrowKeysEditFromTheWeightPicture() {
    Session t;
    t.Open();
    PictureArea& d = t.w->PictD();
    d.setFocus();
    const float before = t.s->DP(2);
    QTest::keyClick(&d, Qt::Key_Up);
    QCOMPARE(t.s->DP(2), static_cast<float>(before + 0.00005));
    QTest::keyClick(&d, Qt::Key_Down);
    QCOMPARE(t.s->NRUN, std::int16_t(2));
    QTest::keyClick(&d, Qt::Key_Left); // already at the first point
    QCOMPARE(t.w->Selected(), std::int16_t(2));
    QTest::keyClick(&d, Qt::Key_Right);
    QCOMPARE(t.w->Selected(), std::int16_t(3));
    t.Select(t.s->NP - 1);
    QTest::keyClick(&d, Qt::Key_Right); // the last point that can be selected
    QCOMPARE(t.w->Selected(), std::int16_t(t.s->NP - 1));
    QCOMPARE(t.s->NRUN, std::int16_t(2));
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
    t.Up();
    QCOMPARE(t.messages.size(), 2);
    QVERIFY2(t.messages[1].contains("Point 5"), qPrintable(t.messages[1]));
    QCOMPARE(s.NRUN, std::int16_t(1));
    QCOMPARE(s.K_SM, curvature);
    QCOMPARE(s.DP(2), static_cast<float>(s.D(2) + 0.00005)); // the edit itself stays
}

void CurvatureWindowTest::zoomAndPanMoveTheWeightsAlongInT() {
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
    QCOMPARE(dw.left, cw.left);
    QCOMPARE(dw.right, cw.right);
    // The weights keep their height.
    QVERIFY(std::fabs(dw.top - t.s->DPLOT_HI) < 1e-9 && std::fabs(dw.bottom - t.s->DPLOT_LO) < 1e-9);

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
}

void CurvatureWindowTest::resizeKeepsTheCurvatureProportions() {
    Session t;
    t.Open();
    const PlotView before = t.w->View();
    t.w->resize(1000, 700);
    QTRY_COMPARE(t.w->PictC().width(), 980);
    const int heightC = qRound(980 * 3855.0 / 10335.0);
    QCOMPARE(t.w->PictC().height(), heightC);
    QCOMPARE(t.w->PictD().geometry(), QRect(10, 39 + heightC, 980, 700 - (heightC + 39 + 10)));
    QCOMPARE(t.w->View().VIEW_W, before.VIEW_W);
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
    QVERIFY(three.messages.isEmpty());

    Session large(201);
    large.Open();
    QCOMPARE(large.Get<QScrollBar>("VScr_ID")->minimum(), -400);
    large.Select(400);
    large.Up();
    large.Up();
    QCOMPARE(CountSegments(large.w->PictC().canvas(), kBlue, LineStyle::Dotted), 400);
    QVERIFY(large.messages.isEmpty());
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
