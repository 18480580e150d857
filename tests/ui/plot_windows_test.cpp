// The airfoil, thickness-and-camber and leading-edge windows over smoothed NACA 0012 sections
// of 61, 3 and 401 points: labels, what the pictures record, views, mouse and resize.
#include "core/number_format.h"
#include "ui/plots/airfoil_window.h"
#include "ui/plots/leading_edge_window.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/thickness_camber_window.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::TextsOf;

namespace {

QString LabelOf(const QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : QString("<no %1>").arg(name);
}

QString Shown(const char* prefix, float value, const char* picture) {
    return QString(prefix) + QString::fromStdString(FormatPicture(value, picture));
}

bool Near(double a, double b, double relative) {
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

// The same visible rectangle (the press position aside).
bool SameView(const PlotView& a, const PlotView& b) {
    return a.VIEW_XC == b.VIEW_XC && a.VIEW_YC == b.VIEW_YC && a.VIEW_W == b.VIEW_W &&
           a.VIEW_H == b.VIEW_H;
}

// The world position at a pixel of the picture, as the picture maps it now.
QPointF WorldAt(const PlotWindow& w, QPoint pixel) {
    return w.Picture1().WorldAt(pixel);
}

} // namespace

class PlotWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();

    void airfoilWindowShowsTheKeyNumbers();
    void airfoilPictureDrawsBothSectionsAndMarkers();
    void airfoilViewIsTrueToShapeAndStaysSoOnResize();
    void shiftDragZoomsAndPlainDragPans();
    void rightClickKeepsTheViewAndOffersTheMenu();
    void readOutsFollowTheCursor();
    void coveredPictureRepaintsFromItsRecord();

    void thicknessCamberWindowShowsDottedAndSolidCurves();
    void thicknessCamberViewComesFromTheData();

    void leadingEdgeWindowHasAFixedViewAndFreeResize();

    void sectionsOfThreeAnd401PointsDraw();

  private:
    QTemporaryDir dir_;
    std::unique_ptr<FoilState> naca61_, naca3_, naca401_;
};

void PlotWindowsTest::initTestCase() {
    QVERIFY(dir_.isValid());
    naca61_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca61.dat", 31));
    naca3_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca3.dat", 2), kGridCosine);
    naca401_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca401.dat", 201));
    QVERIFY(naca61_ && naca3_ && naca401_);
    QCOMPARE(naca61_->NP, std::int16_t(61));
    QCOMPARE(naca3_->NP, std::int16_t(3));
    QCOMPARE(naca401_->NP, std::int16_t(401));
}

void PlotWindowsTest::airfoilWindowShowsTheKeyNumbers() {
    const FoilState& s = *naca61_;
    Form_PW w(s);
    QCOMPARE(w.windowTitle(), QString("Airfoil y(x)"));
    QCOMPARE(LabelOf(w, "Lbl_chord"), QString("chord=1.000"));
    QCOMPARE(LabelOf(w, "Lbl_thick"), Shown("thick=", 2 * s.HTMAX, "#0.0000"));
    QVERIFY(LabelOf(w, "Lbl_thick").startsWith("thick=0.1")); // a 12 % section
    QCOMPARE(LabelOf(w, "Lbl_xthick"), Shown("x_thick=", s.XHTMAX, "#0.000"));
    QCOMPARE(LabelOf(w, "Lbl_eps"), QString("eps=0.000"));
    QCOMPARE(LabelOf(w, "Lbl_mu"), QString("mu=31.000"));
    QCOMPARE(LabelOf(w, "Lbl_ml"), QString("ml=31.000"));
    QCOMPARE(LabelOf(w, "Lbl_x0"), QString("x0=0.000"));
    QCOMPARE(LabelOf(w, "Lbl_y0"), QString("y0=0.000"));
    QCOMPARE(LabelOf(w, "Label_x"), QString("x="));
    QStringList legend;
    for (const QLabel* label : w.findChildren<QLabel*>())
        if (label->objectName().isEmpty()) legend << label->text();
    QCOMPARE(legend, QStringList({"smooth airfoil", "initial airfoil"}));
}

void PlotWindowsTest::airfoilPictureDrawsBothSectionsAndMarkers() {
    const FoilState& s = *naca61_;
    Form_PW w(s);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const Canvas& c = w.Picture1().canvas();
    QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), (s.NP - 1) + 2 * s.NP);
    QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
    // The black curve is the smoothed section, the grid spans one chord from the leading edge.
    const auto black = std::find_if(c.Segments().begin(), c.Segments().end(),
                                    [](const Segment& g) { return g.color == kBlack; });
    QCOMPARE(black->from, QPointF(s.XP(1), s.Y_SM(1)));
    QCOMPARE(black->to, QPointF(s.XP(2), s.Y_SM(2)));
    QCOMPARE(TextsOf(c).mid(0, 6), QStringList({".0", ".2", ".4", ".6", ".8", "1.0"}));
    QCOMPARE(TextsOf(c).mid(6), QStringList({"-0.2", "-0.1", "0.1", "0.2"}));
    uitest::SaveShot(w, "Form_PW");
}

void PlotWindowsTest::airfoilViewIsTrueToShapeAndStaysSoOnResize() {
    const FoilState& s = *naca61_;
    Form_PW w(s);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto unitsPerPixel = [&w](bool inX) {
        const QSize size = w.Picture1().size();
        return inX ? w.View().VIEW_W / size.width() : w.View().VIEW_H / size.height();
    };
    QVERIFY(Near(unitsPerPixel(true), unitsPerPixel(false), 0.01));
    // The whole section is in view, centred.
    QVERIFY(w.View().VIEW_W >= 1.0f && std::fabs(w.View().VIEW_XC - 0.5f) < 1e-6f);

    const PlotView before = w.View();
    const int width = 1200 + TwipsToPixels(w.Layout().H_MARGIN);
    w.resize(width, 300);
    QTRY_COMPARE(w.Picture1().width(), 1200);
    const PictureFit fit = ProportionalFit(w.Layout(), width);
    QTRY_COMPARE(w.height(), fit.windowHeight);
    QCOMPARE(w.Picture1().height(), fit.pictureHeight);
    QVERIFY(SameView(w.View(), before)); // the same world rectangle, stretched
    QVERIFY(Near(unitsPerPixel(true), unitsPerPixel(false), 0.01));
    QCOMPARE(w.Picture1().canvas().World().right - w.Picture1().canvas().World().left,
             static_cast<double>(before.VIEW_W));
}

void PlotWindowsTest::shiftDragZoomsAndPlainDragPans() {
    const FoilState& s = *naca61_;
    Form_PW w(s);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    PictureArea& picture = w.Picture1();
    const PlotView start = w.View();

    const QPoint press(300, 60), release(320, 160); // released below: zoom in
    const float dy = static_cast<float>(WorldAt(w, press).y() - WorldAt(w, release).y());
    QTest::mousePress(&picture, Qt::LeftButton, Qt::ShiftModifier, press);
    QTest::mouseRelease(&picture, Qt::LeftButton, Qt::ShiftModifier, release);
    const float f = 1 + 5 * dy / start.VIEW_W;
    QVERIFY(Near(w.View().VIEW_W, start.VIEW_W / f, 1e-4));
    QVERIFY(Near(w.View().VIEW_H, start.VIEW_H / f, 1e-4));
    QCOMPARE(w.View().VIEW_XC, start.VIEW_XC);
    // Markers keep their size on screen: smaller in world units.
    const auto marker =
        std::find_if(picture.canvas().Segments().rbegin(), picture.canvas().Segments().rend(),
                     [](const Segment& g) { return g.color == kRed && g.from.y() == g.to.y(); });
    QVERIFY(Near(marker->to.x() - marker->from.x(), 2 * w.View().VIEW_W / 150, 1e-4));

    const PlotView zoomed = w.View();
    const QPointF from = WorldAt(w, QPoint(100, 100)), to = WorldAt(w, QPoint(250, 130));
    QTest::mousePress(&picture, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseRelease(&picture, Qt::LeftButton, Qt::NoModifier, QPoint(250, 130));
    QVERIFY(Near(w.View().VIEW_XC, zoomed.VIEW_XC - (to.x() - from.x()), 1e-4));
    QVERIFY(Near(w.View().VIEW_YC, zoomed.VIEW_YC - (to.y() - from.y()), 1e-4));
    QCOMPARE(w.View().VIEW_W, zoomed.VIEW_W);
    // The picture now shows the new rectangle.
    QCOMPARE(picture.canvas().World().left, double(w.View().VIEW_XC - w.View().VIEW_W / 2));
}

void PlotWindowsTest::rightClickKeepsTheViewAndOffersTheMenu() {
    Form_PW w(*naca61_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    PictureArea& picture = w.Picture1();
    QTest::mousePress(&picture, Qt::LeftButton, Qt::ControlModifier, QPoint(200, 50));
    QTest::mouseRelease(&picture, Qt::LeftButton, Qt::ControlModifier, QPoint(200, 200));
    const PlotView zoomed = w.View();
    QTest::mouseClick(&picture, Qt::RightButton, Qt::NoModifier, QPoint(30, 30));
    QVERIFY(SameView(w.View(), zoomed));

    auto* menu = picture.findChild<QMenu*>("PictureMenu");
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text();
    QCOMPARE(items, QStringList({"Save picture...", "Reset view"}));
    menu->actions().at(1)->trigger();
    menu->close();
    Form_PW fresh(*naca61_);
    QVERIFY(SameView(w.View(), fresh.View())); // the view the window was loaded with
}

void PlotWindowsTest::readOutsFollowTheCursor() {
    const FoilState& s = *naca61_;
    {
        Form_PW airfoil(s);
        airfoil.show();
        QVERIFY(QTest::qWaitForWindowExposed(&airfoil));
        const QPoint at(400, 100);
        QTest::mouseMove(&airfoil.Picture1(), at);
        const QPointF world = WorldAt(airfoil, at);
        QTRY_COMPARE(LabelOf(airfoil, "Label_x"),
                     Shown("x=", static_cast<float>(world.x()) - s.XP(s.ILE), "#0.00000"));
        QCOMPARE(LabelOf(airfoil, "Label_y"),
                 Shown("y=", static_cast<float>(world.y()) - s.YP(s.ILE), "#0.00000"));
    }

    Form_Y leadingEdge(s);
    leadingEdge.show();
    QVERIFY(QTest::qWaitForWindowExposed(&leadingEdge));
    QTest::mouseMove(&leadingEdge.Picture1(), QPoint(500, 40));
    const QPointF tY = WorldAt(leadingEdge, QPoint(500, 40));
    const auto t = static_cast<float>(tY.x());
    QTRY_COMPARE(LabelOf(leadingEdge, "Label_t"), Shown("t=", t, "#0.000##"));
    QCOMPARE(LabelOf(leadingEdge, "Label_x"), Shown("x=", t * t, "#0.000##"));
    QCOMPARE(LabelOf(leadingEdge, "Label_y"), Shown("Y=", static_cast<float>(tY.y()), "#0.000##"));
}

void PlotWindowsTest::coveredPictureRepaintsFromItsRecord() {
    Form_PW w(*naca61_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage shown = w.Picture1().grab().toImage();
    int red = 0, green = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            red += c == kRed ? 1 : 0;
            green += c == kGreen ? 1 : 0;
        }
    QVERIFY(red > 100);
    QVERIFY(green > 100);
}

void PlotWindowsTest::thicknessCamberWindowShowsDottedAndSolidCurves() {
    const FoilState& s = *naca61_;
    Form_TC w(s);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QString("Thickness(x) & Camber(x)"));
    QCOMPARE(LabelOf(w, "Lbl_thick"), Shown("thick=", 2 * s.HTMAX, "#0.0000"));
    QCOMPARE(LabelOf(w, "Lbl_mu"), QString("mu=31.000"));
    QCOMPARE(LabelOf(w, "Lbl_ml"), QString("ml=31.000"));
    const Canvas& c = w.Picture1().canvas();
    const int n = s.NNODES - 1;
    QCOMPARE(CountSegments(c, kBlue, LineStyle::Dotted), n);
    QCOMPARE(CountSegments(c, kRed, LineStyle::Dotted), n);
    QCOMPARE(CountSegments(c, kBlue, LineStyle::Solid), n);
    QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), n);
    QCOMPARE(c.CurrentLineStyle(), LineStyle::Solid);
    // The grid's y range is tied to the first half thickness (0 at the leading edge).
    QCOMPARE(s.HTHICK(1), 0.0f);
    QCOMPARE(TextsOf(c),
             QStringList({".0", ".2", ".4", ".6", ".8", "1.0", "-0.05", "0.05", "0.1"}));
    QStringList legend;
    for (const QLabel* label : w.findChildren<QLabel*>())
        if (label->objectName().isEmpty()) legend << label->text();
    QCOMPARE(legend, QStringList({"thickness", " camber",
                                  "dotted lines - initial values (before smoothing)"}));
    uitest::SaveShot(w, "Form_TC");
}

void PlotWindowsTest::thicknessCamberViewComesFromTheData() {
    const FoilState& s = *naca61_;
    Form_TC w(s);
    float lo = 1e8f, hi = -1e8f;
    for (int j = 1; j <= s.NNODES; ++j) {
        lo = std::min({lo, s.HTHICK(j), s.CAMBER(j)});
        hi = std::max({hi, s.HTHICK(j), s.CAMBER(j)});
    }
    const float range = 1.2f * (hi - lo); // 10 % each way, then 1 % each way
    QVERIFY(Near(w.View().VIEW_H, 1.02f * range, 1e-5));
    QVERIFY(Near(w.View().VIEW_W, 1.02f, 1e-5));
    QVERIFY(Near(w.View().VIEW_YC, (lo + hi) / 2, 1e-4));
    // Resize keeps the proportions and the view.
    const PlotView before = w.View();
    w.show();
    w.resize(900, 900);
    QTRY_COMPARE(w.height(), ProportionalFit(w.Layout(), 900).windowHeight);
    QVERIFY(SameView(w.View(), before));
}

void PlotWindowsTest::leadingEdgeWindowHasAFixedViewAndFreeResize() {
    const FoilState& s = *naca61_;
    Form_Y w(s);
    QCOMPARE(w.windowTitle(), QString("Leading edge Y(t)"));
    QVERIFY(Near(w.View().VIEW_W, 1.02, 1e-6));
    QVERIFY(Near(w.View().VIEW_H, 0.204, 1e-6));
    QCOMPARE(w.View().VIEW_XC, 0.0f);
    QVERIFY(w.Picture1().canvas().Segments().empty()); // first drawn when shown
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const Canvas& c = w.Picture1().canvas();
    QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 2 * s.NP);
    QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
    // The trailing-edge points lie outside the initial view.
    QVERIFY(s.T(1) < c.World().left && s.T(s.NP) > c.World().right);
    uitest::SaveShot(w, "Form_Y");

    w.resize(900, 500);
    QTRY_COMPARE(w.Picture1().size(), QSize(900 - TwipsToPixels(w.Layout().H_MARGIN),
                                            500 - TwipsToPixels(w.Layout().V_MARGIN)));
    QCOMPARE(w.height(), 500); // not forced
    QVERIFY(Near(c.World().right - c.World().left, 1.02, 1e-6));
}

void PlotWindowsTest::sectionsOfThreeAnd401PointsDraw() {
    for (const FoilState* s : {naca3_.get(), naca401_.get()}) {
        Form_PW airfoil(*s);
        Form_TC thicknessCamber(*s);
        Form_Y leadingEdge(*s);
        for (PlotWindow* w :
             std::initializer_list<PlotWindow*>{&airfoil, &thicknessCamber, &leadingEdge}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QTest::mousePress(&w->Picture1(), Qt::LeftButton, Qt::ShiftModifier, QPoint(9, 9));
            QTest::mouseRelease(&w->Picture1(), Qt::LeftButton, Qt::ShiftModifier, QPoint(9, 200));
            QTest::mouseMove(&w->Picture1(), QPoint(50, 50));
            QVERIFY(!w->Picture1().grab().isNull());
        }
        QCOMPARE(CountSegments(airfoil.Picture1().canvas(), kRed, LineStyle::Solid), 3 * s->NP - 1);
        QCOMPARE(CountSegments(thicknessCamber.Picture1().canvas(), kBlue, LineStyle::Dotted),
                 s->NNODES - 1);
        QCOMPARE(CountSegments(leadingEdge.Picture1().canvas(), kBlack, LineStyle::Solid),
                 s->NP - 1);
        if (s->NP == 401) uitest::SaveShot(airfoil, "Form_PW_401_points");
        if (s->NP == 3) uitest::SaveShot(airfoil, "Form_PW_3_points");
    }
}

QTEST_MAIN(PlotWindowsTest)
#include "plot_windows_test.moc"
