// The plot mechanics on their own (data bounds and initial views, the canvas mapping, the grid
// and its labels, zoom and pan), then the airfoil, thickness-and-camber and leading-edge windows
// over smoothed NACA 0012 sections of 61 and 401 points: labels, what the pictures record,
// views, zoom, resize.
#include "ui/plots/airfoil_window.h"
#include "ui/plots/leading_edge_window.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/thickness_camber_window.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::Near;
using uitest::TextsOf;

namespace {

// The visible rectangle, with a message saying what it is.
bool ViewIs(const PlotView& v, float W, float H, float XC, float YC) {
    const bool same =
        Near(v.VIEW_W, W) && Near(v.VIEW_H, H) && Near(v.VIEW_XC, XC) && Near(v.VIEW_YC, YC);
    if (!same) qWarning("view %g x %g at (%g, %g)", v.VIEW_W, v.VIEW_H, v.VIEW_XC, v.VIEW_YC);
    return same;
}

// The caption and the texts of the labels.
QString Labels(const QWidget& window, const QStringList& names) {
    QStringList texts{window.windowTitle()};
    for (const QString& name : names)
        texts << window.findChild<QLabel*>(name)->text();
    return texts.join(' ');
}

bool SameView(const PlotView& a, const PlotView& b) {
    return a.VIEW_XC == b.VIEW_XC && a.VIEW_YC == b.VIEW_YC && a.VIEW_W == b.VIEW_W &&
           a.VIEW_H == b.VIEW_H;
}

// Resized to `width`, the window keeps the picture's proportions, the design's margins (1215
// twips across and 360 down) and its view.
bool KeepsProportions(PlotWindow& w, int width) {
    const PlotView before = w.View();
    w.resize(width, 300);
    const bool done = QTest::qWaitFor([&] { return w.width() == width && w.height() != 300; });
    const QSize picture = w.Picture1().size();
    return done && w.size() - picture == QSize(101, 30) && SameView(w.View(), before) &&
           std::abs(picture.height() - picture.width() * 3855.0 / 9375) <= 0.5;
}

} // namespace

class PlotWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void viewsHaveMarginsAndThePictureProportions() {
        PointArray xs, a, b; // y bounds over two curves, x bounds of the last one
        float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
        for (int i = 1; i <= 3; ++i)
            xs(i) = float(i), a(i) = 0.1f * float(i), b(i) = -0.1f * float(i);
        FindBounds(3, xs, a, xmin, xmax, ymin, ymax, 0);
        FindBounds(2, xs, b, xmin, xmax, ymin, ymax, 1);
        QCOMPARE(QList<float>({xmin, xmax, ymin, ymax}), QList<float>({1, 2, -0.2f, 0.3f}));
        FindBounds(0, xs, a, xmin, xmax, ymin, ymax, 0);
        QCOMPARE(QList<float>({xmin, xmax}), QList<float>({1e8f, -1e8f}));
        // Data box, picture height / width (0: the form without it), and the view it gives.
        const float cases[][9] = {
            {-0.5f, 0.5f, -0.1f, 0.1f, 0, 1.02f, 0.204f, 0, 0}, // 1 % margins
            {0, 1, -0.06f, 0.06f, 0.5f, 1.02f, 0.51f, 0.5f, 0}, // a flat box grows in y
            {0, 0.1f, 0, 1, 0.5f, 2.04f, 1.02f, 0.05f, 0.5f},   // a tall one in x
            {0, 1, 0.3f, 0.3f, 0, 1.02f, 1.02f, 0.5f, 0.3f},    // all y equal
            {2, 2, 3, 3, 0.4f, 2.5f, 1, 2, 3},                  // one point
            {xmin, xmax, ymin, ymax, 0, 1, 1, 0, 0},            // no points: a usable view still
        };
        for (const auto& [x1, x2, y1, y2, aspect, W, H, XC, YC] : cases) {
            PlotView v;
            aspect == 0 ? SetupView(v, x1, x2, y1, y2) : SetupView(v, x1, x2, y1, y2, aspect);
            QVERIFY(ViewIs(v, W, H, XC, YC) && v.FULL_W == v.VIEW_W && v.FULL_H == v.VIEW_H);
        }
        // The visible rectangle covers the whole picture, y upward.
        Canvas c;
        BeginPlot(c, 0, 0, 2, 2);
        QCOMPARE(c.ToPixel(QPointF(-1, 1), QSizeF(200, 100)), QPointF(0, 0));
        QCOMPARE(c.ToWorld(QPointF(50, 75), QSizeF(200, 100)), QPointF(-0.5, -0.5));
        c.SetWorld(0, 1, 0, 0); // no height: not taken
        QCOMPARE(c.World().bottom, -1.0);
    }

    void gridLinesAndLabels() {
        const struct {
            float y1, y2, dx, dy;
            std::int16_t nx, ny;
            int vertical, horizontal, green;
            const char* labels;
        } cases[] = {
            {-0.2f, 0.2f, 0.2f, 0.1f, 10, 5, 51, 21, 11, ".0 .2 .4 .6 .8 1.0 -0.2 -0.1 0.1 0.2"},
            // The y label nearest 0 would cover the x labels; a grid missing 0 shows them all.
            {-0.05f, 0.1f, 0.2f, 0.05f, 10, 10, 51, 31, 10, ".0 .2 .4 .6 .8 1.0 -0.05 0.05 0.1"},
            // Counts out of reach, no lines per step, a step that is not a number.
            {0, 1, 1e-9f, 0, 10, 10, 0, 0, 0, ""},
            {0, 1, 0.2f, 0.2f, -10, 0, 0, 0, 0, ""},
            {0, 1, 0.2f, std::nanf(""), 10, 10, 51, 0, 6, ".0 .2 .4 .6 .8 1.0"},
        };
        for (const auto& c : cases) {
            Canvas canvas;
            DrawGrid(canvas, 0, 1, c.y1, c.y2, c.dx, c.nx, c.dy, c.ny);
            int vertical = 0, horizontal = 0, green = 0, other = 0;
            for (const Segment& s : canvas.Segments()) {
                (s.from.x() == s.to.x() ? vertical : horizontal) += 1;
                green += s.color == kGreen ? 1 : 0;
                other += (s.color != kGreen && s.color != kYellow) || s.style != LineStyle::Solid;
            }
            QCOMPARE(QList<int>({vertical, horizontal, green, other}),
                     QList<int>({c.vertical, c.horizontal, c.green, 0}));
            QCOMPARE(TextsOf(canvas).join(' '), QString(c.labels));
            for (const PrintedText& t : canvas.Texts()) // on its axis, at the value it shows
                QVERIFY2((t.at.y() == 0 && Near(t.text.toDouble(), t.at.x())) ||
                             (t.at.x() == 0 && Near(t.text.toDouble(), t.at.y())),
                         qPrintable(t.text));
        }
    }

    void zoomAndPanByMouse() {
        // From a view 2 wide and 1 high round (0, 0): button, keys, press and release in world
        // units, whether the zoom measures against the height, and the view after.
        const float cases[][11] = {
            {kLeftButton, 0, 0.2f, 0.1f, 0.5f, 0.3f, 0, 2, 1, -0.3f, -0.2f}, // pan
            {kLeftButton, kShiftKey, 1, 0.8f, 1.5f, 0.6f, 0, 4 / 3.0f, 2 / 3.0f, 0, 0},
            {kLeftButton, kShiftKey, 1, 0.6f, 0, 0.8f, 0, 3, 1.5f, 0, 0},
            {kLeftButton, kCtrlKey, 0, 0.2f, 0, 0.4f, 1, 4, 2, 0, 0},
            {kLeftButton, kAltKey, 0.3f, 0.4f, 0.9f, 0.4f, 0, 2, 1, 0, 0},
            {kRightButton, 0, 0.1f, 0.1f, 0.9f, 0.9f, 0, 2, 1, 0, 0},
        };
        for (const auto& [button, keys, x1, y1, x2, y2, byHeight, W, H, XC, YC] : cases) {
            PlotView v;
            v.VIEW_W = 2;
            v.VIEW_H = 1;
            v.VIEW_XC = v.VIEW_YC = 0;
            PressView(v, {int(button), int(keys), x1, y1});
            ReleaseView(v, {int(button), int(keys), x2, y2},
                        byHeight != 0 ? ZoomScale::ViewHeight : ZoomScale::ViewWidth);
            QVERIFY(ViewIs(v, W, H, XC, YC));
        }
    }

    void initTestCase() {
        naca61_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca61.dat", 31),
                                        kGridFromUpperSurface, 0.0004f);
        naca401_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca401.dat", 201));
        QVERIFY(naca61_ && naca61_->NP == 61 && naca401_ && naca401_->NP == 401);
    }

    void airfoilWindowIsTrueToShape() {
        const FoilState& s = *naca61_;
        const FoilDocument document(*naca61_);
        Form_PW w(document);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(
            Labels(w, {"Lbl_chord", "Lbl_thick", "Lbl_xthick", "Lbl_eps", "Lbl_mu", "Lbl_ml",
                       "Lbl_x0", "Lbl_y0"}),
            QString("Airfoil y(x) - naca61.dat chord=1.000 thick=0.1200 x_thick=0.297 eps=0.000 "
                    "mu=31.000 ml=31.000 x0=0.000 y0=0.000"));
        // The section with its markers in red, the smoothed one in black, a grid over one chord.
        const Canvas& c = w.Picture1().canvas();
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), (s.NP - 1) + 2 * s.NP);
        int i = 1;                            // smoothed with a strip, so Y_SM differs from YP
        for (const Segment& g : c.Segments()) // counts while they follow the points
            i += g.color == kBlack && g.to == QPointF(s.XP(i + 1), s.Y_SM(i + 1));
        QVERIFY(i == s.NP && !(s.Y_SM == s.YP));
        QCOMPARE(TextsOf(c).join(' '), QString(".0 .2 .4 .6 .8 1.0 -0.2 -0.1 0.1 0.2"));
        uitest::SaveShot(w, "Form_PW");

        // As many world units per pixel across as up, the whole section in view, centred.
        auto trueToShape = [&w] {
            const QSize size = w.Picture1().size();
            return Near(w.View().VIEW_W / static_cast<float>(size.width()) /
                            (w.View().VIEW_H / static_cast<float>(size.height())),
                        1, 0.01);
        };
        QVERIFY(trueToShape() && w.View().VIEW_W >= 1.0f && Near(w.View().VIEW_XC, 0.5));
        QVERIFY(KeepsProportions(w, 1300) && trueToShape()); // the same world, stretched

        // Zoomed in, the markers keep their size on screen: smaller in world units.
        QTest::mousePress(&w.Picture1(), Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 60));
        QTest::mouseRelease(&w.Picture1(), Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 160));
        const auto marker = std::find_if(c.Segments().rbegin(), c.Segments().rend(),
                                         [](const Segment& g) { return g.color == kRed; });
        QVERIFY(w.View().VIEW_W < 1 &&
                Near((marker->from.y() - marker->to.y()) / (2 * w.View().VIEW_H / 75), -1, 1e-4));
    }

    void thicknessCamberWindowShowsDottedAndSolidCurves() {
        const FoilState& s = *naca61_;
        const FoilDocument document(*naca61_);
        Form_TC w(document);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(
            Labels(w, {"Lbl_thick", "Lbl_xthick", "Lbl_mu", "Lbl_ml"}),
            QString("Thickness(x) & Camber(x) - naca61.dat thick=0.1200 x_thick=0.297 mu=31.000 "
                    "ml=31.000"));
        const Canvas& c = w.Picture1().canvas();
        for (const QColor& color : {kBlue, kRed})
            for (const LineStyle style : {LineStyle::Dotted, LineStyle::Solid})
                QCOMPARE(CountSegments(c, color, style), s.NNODES - 1);
        // The grid's y range is tied to the first half thickness (0 at the leading edge).
        QCOMPARE(TextsOf(c).join(' '), QString(".0 .2 .4 .6 .8 1.0 -0.05 0.05 0.1"));
        uitest::SaveShot(w, "Form_TC");
        QVERIFY(Near(w.View().VIEW_W, 1.02) && KeepsProportions(w, 900));
    }

    void leadingEdgeWindowHasAFixedViewAndFreeResize() {
        const FoilState& s = *naca401_; // a section as full as the state holds
        const FoilDocument document(*naca401_);
        Form_Y w(document);
        QCOMPARE(w.windowTitle(), QString("Leading edge Y(t) - naca401.dat"));
        QVERIFY(ViewIs(w.View(), 1.02f, 0.204f, 0, 0));    // the same for every section
        QVERIFY(w.Picture1().canvas().Segments().empty()); // first drawn when shown
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const Canvas& c = w.Picture1().canvas();
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 2 * s.NP);
        QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
        // The trailing-edge points lie outside the initial view.
        QVERIFY(s.T(1) < c.World().left && s.T(s.NP) > c.World().right);
        uitest::SaveShot(w, "Form_Y");

        w.resize(900, 500); // the design's margins: 1200 twips across and 120 down
        QTRY_COMPARE(w.Picture1().size(), QSize(800, 490));
        QVERIFY(w.height() == 500 && Near(c.World().right - c.World().left, 1.02)); // not forced
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<FoilState> naca61_, naca401_;
};

QTEST_MAIN(PlotWindowsTest)
#include "plot_windows_test.moc"