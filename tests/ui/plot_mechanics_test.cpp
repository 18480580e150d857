// The plot mechanics on their own: data bounds, initial views, the grid and its labels, tick
// steps, zoom and pan, the resize rules, and the picture's record, replay and saved files.
#include "ui/plots/picture_area.h"
#include "ui/plots/picture_menu.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/plot_layout.h"
#include "ui/plots/plot_view.h"
#include "ui_test_support.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::TextsOf;

namespace {

int CountLines(const Canvas& c, bool vertical, const QColor& color) {
    int n = 0;
    for (const Segment& s : c.Segments()) {
        const bool isVertical = s.from.x() == s.to.x();
        if (isVertical == vertical && s.color == color) ++n;
    }
    return n;
}

// The colour shows at the pixel or next to it (where a line lands depends on pixel rounding).
bool ColourNear(const QImage& image, int x, int y, const QColor& color) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(x + dx, y + dy) && QColor(image.pixel(x + dx, y + dy)) == color)
                return true;
    return false;
}

PictureMouse Mouse(int button, int shift, float x, float y) {
    return {button, shift, x, y};
}

} // namespace

class PlotMechanicsTest : public QObject {
    Q_OBJECT
  private slots:
    void findBoundsOfNoPointsLeavesTheStartValues();
    void findBoundsKeepsYOverTwoCurves();
    void setupViewAddsOnePercentMargins();
    void isotropicViewHasThePictureProportions();
    void degenerateBoundsGiveAUsableView();

    void gridOverOneChordHas51VerticalLinesAndSixLabels();
    void gridLeavesOutTheYLabelNearZero();
    void gridThatCannotBeCountedDrawsNothing();
    void tickStepDoublesUntilFewerThanSixSteps();

    void panMakesTheDrawingFollowTheMouse();
    void zoomInBelowAndOutAbove();
    void releaseAtPressHeightOrWithTheRightButtonKeepsTheView();
    void zoomBeyondTheNumberRangeIsNotTaken();

    void proportionalFitKeepsTheAspect();
    void freeFitFollowsBothDirections();

    void canvasMapsWorldOntoPixelsAndBack();
    void replayPaintsTheRecordedColours();
    void replaySurvivesFarZoomedSegments();
    void picturesAreSavedAsPngAndSvg();
};

void PlotMechanicsTest::findBoundsOfNoPointsLeavesTheStartValues() {
    PointArray xs, ys;
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    FindBounds(0, xs, ys, xmin, xmax, ymin, ymax, 0);
    QCOMPARE(xmin, 1e8f);
    QCOMPARE(xmax, -1e8f);
    QCOMPARE(ymin, 1e8f);
    QCOMPARE(ymax, -1e8f);
}

void PlotMechanicsTest::findBoundsKeepsYOverTwoCurves() {
    PointArray xs, a, b;
    for (int i = 1; i <= 3; ++i)
        xs(i) = static_cast<float>(i);
    a(1) = 0.5f, a(2) = 0.2f, a(3) = 0.4f;
    b(1) = -0.3f, b(2) = 0.1f, b(3) = 0.9f;
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    FindBounds(3, xs, a, xmin, xmax, ymin, ymax, 0);
    QCOMPARE(ymin, 0.2f);
    FindBounds(2, xs, b, xmin, xmax, ymin, ymax, 1);
    QCOMPARE(ymin, -0.3f);
    QCOMPARE(ymax, 0.5f);
    QCOMPARE(xmax, 2.0f); // x bounds are those of the last call
}

void PlotMechanicsTest::setupViewAddsOnePercentMargins() {
    PlotView v;
    SetupView(v, -0.5f, 0.5f, -0.1f, 0.1f);
    QCOMPARE(v.VIEW_W, 1.02f);
    QVERIFY(std::fabs(v.VIEW_H - 0.204f) < 1e-6f);
    QCOMPARE(v.VIEW_XC, 0.0f);
    QCOMPARE(v.VIEW_YC, 0.0f);
    QCOMPARE(v.FULL_W, v.VIEW_W);
}

void PlotMechanicsTest::isotropicViewHasThePictureProportions() {
    // A flat section in a wide picture: the view grows in y, centred on the data box.
    PlotView flat;
    SetupView(flat, 0, 1, -0.06f, 0.06f, 0.5f);
    QCOMPARE(flat.VIEW_H / flat.VIEW_W, 0.5f);
    QCOMPARE(flat.VIEW_W, 1.02f);
    QVERIFY(std::fabs(flat.VIEW_YC) < 1e-7f);
    // A tall one grows in x.
    PlotView tall;
    SetupView(tall, 0, 0.1f, 0, 1, 0.5f);
    QVERIFY(std::fabs(tall.VIEW_H / tall.VIEW_W - 0.5f) < 1e-6f);
    QCOMPARE(tall.VIEW_H, 1.02f);
    QVERIFY(std::fabs(tall.VIEW_XC - 0.05f) < 1e-7f);
}

void PlotMechanicsTest::degenerateBoundsGiveAUsableView() {
    PlotView flatLine; // all y equal
    SetupView(flatLine, 0, 1, 0.3f, 0.3f);
    QCOMPARE(flatLine.VIEW_H, flatLine.VIEW_W);
    QCOMPARE(flatLine.VIEW_YC, 0.3f);
    PlotView onePoint;
    SetupView(onePoint, 2, 2, 3, 3, 0.4f);
    QVERIFY(onePoint.VIEW_W > 0 && onePoint.VIEW_H > 0);
    QCOMPARE(onePoint.VIEW_XC, 2.0f);
    PlotView noData; // FindBounds over no points
    SetupView(noData, 1e8f, -1e8f, 1e8f, -1e8f);
    QCOMPARE(noData.VIEW_W, 1.0f);
    QCOMPARE(noData.VIEW_H, 1.0f);
    QCOMPARE(noData.VIEW_XC, 0.0f);
}

void PlotMechanicsTest::gridOverOneChordHas51VerticalLinesAndSixLabels() {
    Canvas c;
    DrawGrid(c, 0, 1, -0.2f, 0.2f, 0.2f, 10, 0.1f, 5);
    QCOMPARE(CountLines(c, true, kGreen) + CountLines(c, true, kYellow), 51);
    QCOMPARE(CountLines(c, true, kGreen), 6);
    QCOMPARE(CountLines(c, false, kGreen) + CountLines(c, false, kYellow), 21);
    const QStringList xLabels = TextsOf(c).mid(0, 6);
    QCOMPARE(xLabels, QStringList({".0", ".2", ".4", ".6", ".8", "1.0"}));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(c.Texts()[static_cast<std::size_t>(i)].at.y(), 0.0);
    QCOMPARE(TextsOf(c).mid(6), QStringList({"-0.2", "-0.1", "0.1", "0.2"}));
    QVERIFY(CountSegments(c, kGreen, LineStyle::Dotted) == 0); // grid lines are solid
}

void PlotMechanicsTest::gridLeavesOutTheYLabelNearZero() {
    Canvas c;
    DrawGrid(c, 0, 1, -0.05f, 0.1f, 0.2f, 10, 0.05f, 10);
    QCOMPARE(CountLines(c, false, kGreen) + CountLines(c, false, kYellow), 31);
    QCOMPARE(TextsOf(c).mid(6), QStringList({"-0.05", "0.05", "0.1"}));
    for (std::size_t k = 6; k < c.Texts().size(); ++k)
        QCOMPARE(c.Texts()[k].at.x(), 0.0);
    // A grid whose major lines miss 0 shows all its y labels.
    Canvas shifted;
    DrawGrid(shifted, 0, 1, 0.03f, 0.13f, 0.2f, 10, 0.05f, 10);
    QCOMPARE(TextsOf(shifted).mid(6), QStringList({"0.03", "0.08", "0.13"}));
    // The weight picture's own format.
    Canvas weights;
    DrawGrid(weights, -1, 1, 0, 0.004f, 0.2f, 10, 0.002f, 5, kWeightLabelFormat);
    QCOMPARE(TextsOf(weights).mid(11), QStringList({"0.002", "0.004"}));
}

void PlotMechanicsTest::gridThatCannotBeCountedDrawsNothing() {
    Canvas c;
    DrawGrid(c, 0, 1, 0, 1, 1e-9f, 10, 0.0f, 10); // 1e10 lines across, a zero step down
    QVERIFY(c.Segments().empty());
    QVERIFY(c.Texts().empty());
    DrawGrid(c, 1, 0, 0, 1, 0.2f, -10, 0.2f, 0); // no lines per step
    QVERIFY(c.Segments().empty());
    DrawGrid(c, 0, 1, 0, 1, 0.2f, 10, std::nanf(""), 10);
    QCOMPARE(CountLines(c, true, kGreen), 6);
    QCOMPARE(CountLines(c, false, kGreen), 0);
}

void PlotMechanicsTest::tickStepDoublesUntilFewerThanSixSteps() {
    TickRange curvature = TickStep(10, -35, 120);
    QCOMPARE(curvature.step, 40.0f);
    QCOMPARE(curvature.lo, -40.0f);
    QCOMPARE(curvature.hi, 120.0f);
    TickRange weights = TickStep(0.001f, -0.00055f, 0.0055f);
    QVERIFY(std::fabs(weights.step - 0.002f) < 1e-9f);
    QVERIFY(std::fabs(weights.lo + 0.002f) < 1e-9f);
    QVERIFY(std::fabs(weights.hi - 0.006f) < 1e-9f);
    TickRange empty = TickStep(0.001f, 0, 0); // never below 0, never under one step
    QCOMPARE(empty.lo, 0.0f);
    QCOMPARE(empty.hi, empty.step);
    TickRange wide = TickStep(10, -1e30f, 1e30f); // ends, and in range
    QVERIFY(std::isfinite(wide.step) && wide.lo <= -1e30f && wide.hi >= 1e30f);
    TickRange broken = TickStep(10, std::nanf(""), INFINITY);
    QCOMPARE(broken.lo, 0.0f);
    QCOMPARE(broken.hi, 20.0f);
}

void PlotMechanicsTest::panMakesTheDrawingFollowTheMouse() {
    PlotView v;
    SetupView(v, 0, 1, 0, 1);
    const float xc = v.VIEW_XC, yc = v.VIEW_YC;
    PressView(v, Mouse(kLeftButton, 0, 0.2f, 0.1f));
    ReleaseView(v, Mouse(kLeftButton, 0, 0.5f, 0.3f), ZoomScale::ViewWidth);
    QVERIFY(std::fabs(v.VIEW_XC - (xc - 0.3f)) < 1e-6f);
    QVERIFY(std::fabs(v.VIEW_YC - (yc - 0.2f)) < 1e-6f);
    QCOMPARE(v.VIEW_W, v.FULL_W); // no zoom
}

void PlotMechanicsTest::zoomInBelowAndOutAbove() {
    PlotView v;
    SetupView(v, 0, 2, 0, 1);
    const PlotView start = v;
    PressView(v, Mouse(kLeftButton, kShiftKey, 1, 0.8f));
    ReleaseView(v, Mouse(kLeftButton, kShiftKey, 1.5f, 0.5f), ZoomScale::ViewWidth);
    const float f = 1 + 5 * 0.3f / start.VIEW_W;
    QVERIFY(std::fabs(v.VIEW_W - start.VIEW_W / f) < 1e-5f);
    QVERIFY(std::fabs(v.VIEW_H - start.VIEW_H / f) < 1e-5f);
    QCOMPARE(v.VIEW_XC, start.VIEW_XC);

    PlotView byHeight = start; // the curvature picture measures against the height
    PressView(byHeight, Mouse(kLeftButton, kCtrlKey, 0, 0.2f));
    ReleaseView(byHeight, Mouse(kLeftButton, kCtrlKey, 0, 0.4f), ZoomScale::ViewHeight);
    const float g = 1 + 5 * 0.2f / start.VIEW_H;
    QVERIFY(std::fabs(byHeight.VIEW_W - start.VIEW_W * g) < 1e-5f);
}

void PlotMechanicsTest::releaseAtPressHeightOrWithTheRightButtonKeepsTheView() {
    PlotView v;
    SetupView(v, 0, 1, 0, 1);
    const PlotView start = v;
    PressView(v, Mouse(kLeftButton, kAltKey, 0.3f, 0.4f));
    ReleaseView(v, Mouse(kLeftButton, kAltKey, 0.9f, 0.4f), ZoomScale::ViewWidth);
    QCOMPARE(v.VIEW_W, start.VIEW_W);
    QCOMPARE(v.VIEW_XC, start.VIEW_XC);
    PressView(v, Mouse(kRightButton, 0, 0.1f, 0.1f));
    ReleaseView(v, Mouse(kRightButton, 0, 0.9f, 0.9f), ZoomScale::ViewWidth);
    QCOMPARE(v.VIEW_XC, start.VIEW_XC);
    QCOMPARE(v.VIEW_YC, start.VIEW_YC);
}

void PlotMechanicsTest::zoomBeyondTheNumberRangeIsNotTaken() {
    PlotView v;
    SetupView(v, 0, 1e-36f, 0, 1e-36f);
    const PlotView tiny = v;
    PressView(v, Mouse(kLeftButton, kShiftKey, 0, 1));
    ReleaseView(v, Mouse(kLeftButton, kShiftKey, 0, 0), ZoomScale::ViewWidth); // f ~ 5e36
    QCOMPARE(v.VIEW_W, tiny.VIEW_W);
    QVERIFY(std::isnormal(v.VIEW_H));
}

void PlotMechanicsTest::proportionalFitKeepsTheAspect() {
    const LayoutState layout = MeasureLayout(QSize(10590, 4215), QSize(9375, 3855));
    QCOMPARE(layout.H_MARGIN, std::int16_t(1215));
    QCOMPARE(layout.V_MARGIN, std::int16_t(360));
    const int hMargin = TwipsToPixels(1215), vMargin = TwipsToPixels(360);
    const PictureFit fit = ProportionalFit(layout, 1000 + hMargin);
    QCOMPARE(fit.pictureWidth, 1000);
    QCOMPARE(fit.pictureHeight, 411); // 1000 * 3855 / 9375
    QCOMPARE(fit.windowHeight, 411 + vMargin);
    QCOMPARE(ProportionalFit(layout, 10).pictureWidth, 1); // never negative
}

void PlotMechanicsTest::freeFitFollowsBothDirections() {
    const LayoutState layout = MeasureLayout(QSize(10575, 3975), QSize(9375, 3855));
    const PictureFit fit = FreeFit(layout, 900, 500);
    QCOMPARE(fit.pictureWidth, 900 - TwipsToPixels(1200));
    QCOMPARE(fit.pictureHeight, 500 - TwipsToPixels(120));
    QCOMPARE(fit.windowHeight, 500);
}

void PlotMechanicsTest::canvasMapsWorldOntoPixelsAndBack() {
    Canvas c;
    BeginPlot(c, 0.5f, 0, 1, 0.5f); // x 0..1, y -0.25..0.25
    const QSizeF size(200, 100);
    QCOMPARE(c.ToPixel(QPointF(0, 0.25), size), QPointF(0, 0));
    QCOMPARE(c.ToPixel(QPointF(1, -0.25), size), QPointF(200, 100));
    const QPointF back = c.ToWorld(c.ToPixel(QPointF(0.3, 0.1), size), size);
    QVERIFY(std::fabs(back.x() - 0.3) < 1e-12 && std::fabs(back.y() - 0.1) < 1e-12);
    c.SetWorld(0, 1, 0, 0); // no width: ignored
    QCOMPARE(c.World().right, 1.0);
    QCOMPARE(c.Background(), kWhite);
}

void PlotMechanicsTest::replayPaintsTheRecordedColours() {
    Canvas c;
    BeginPlot(c, 0, 0, 2, 2);
    c.Line(-1, 0, 1, 0, kRed); // across the middle
    c.SetLineStyle(LineStyle::Dotted);
    c.Line(0, -1, 0, 1, kBlue);
    c.Print(-0.9, 0.9, "text");
    QImage image(101, 101, QImage::Format_ARGB32);
    QPainter painter(&image);
    c.Replay(painter, image.size());
    painter.end();
    QVERIFY(ColourNear(image, 20, 50, kRed));
    QCOMPARE(QColor(image.pixel(80, 10)), kWhite);
    int blue = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 49; x <= 51; ++x)
            blue += QColor(image.pixel(x, y)) == kBlue ? 1 : 0;
    QVERIFY(blue > 5 && blue < 35); // dotted: some pixels, not all
    QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), 1);
    QCOMPARE(c.Texts().front().segmentsBefore, std::size_t(2));
    QCOMPARE(c.Texts().front().color, kBlack);

    // A picture on black with white text and a wide line, as the pressure pictures have.
    Canvas dark;
    BeginPlot(dark, 0, 0, 2, 2);
    dark.Clear(kBlack);
    dark.SetForeground(kWhite);
    dark.SetLineWidth(3);
    dark.Line(-1, 0, 1, 0, kGreen);
    dark.Print(0, 0, "0.0");
    QImage wide(101, 101, QImage::Format_ARGB32);
    QPainter widePainter(&wide);
    dark.Replay(widePainter, wide.size());
    widePainter.end();
    int green = 0;
    for (int y = 45; y <= 55; ++y) green += QColor(wide.pixel(10, y)) == kGreen ? 1 : 0;
    QCOMPARE(green, 3);
    QCOMPARE(QColor(wide.pixel(90, 10)), kBlack);
    QCOMPARE(dark.Texts().front().color, kWhite);
}

void PlotMechanicsTest::replaySurvivesFarZoomedSegments() {
    Canvas c;
    BeginPlot(c, 0, 0, 1e-6f, 1e-6f);
    c.Line(-1e6, 0, 1e6, 0, kBlack); // 10^12 picture widths long
    c.Print(1e6, 1e6, "far away");
    QImage image(50, 50, QImage::Format_ARGB32);
    QPainter painter(&image);
    c.Replay(painter, image.size());
    painter.end();
    QVERIFY(ColourNear(image, 25, 25, kBlack));
}

void PlotMechanicsTest::picturesAreSavedAsPngAndSvg() {
    QTemporaryDir dir;
    PictureArea picture;
    picture.resize(120, 80);
    BeginPlot(picture.canvas(), 0, 0, 2, 2);
    picture.canvas().Line(-1, -1, 1, 1, kRed);
    const QString png = dir.filePath("picture.png");
    QVERIFY(SavePicture(picture, png));
    const QImage saved(png);
    QCOMPARE(saved.size(), QSize(120, 80));
    QVERIFY(ColourNear(saved, 60, 40, kRed));
    const QString svg = dir.filePath("picture.svg");
    QVERIFY(SavePicture(picture, svg));
    QFile svgFile(svg);
    QVERIFY(svgFile.open(QIODevice::ReadOnly));
    QVERIFY(svgFile.readAll().contains("<svg"));
    QVERIFY(!SavePicture(picture, dir.filePath("no/such/folder/picture.png")));
}

QTEST_MAIN(PlotMechanicsTest)
#include "plot_mechanics_test.moc"
