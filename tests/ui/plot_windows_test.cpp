// The plot mechanics on their own (data bounds and initial views, the canvas mapping, the grid
// and the numbers along the edges for any view, zoom and pan), then the airfoil,
// thickness-and-camber and leading-edge windows over smoothed NACA 0012 sections of 61 and 401
// points: labels, what the pictures record (titles and legends too), views, the navigation
// gestures, resize, saved pictures.
#include "ui/plots/airfoil_window.h"
#include "ui/plots/leading_edge_window.h"
#include "ui/plots/picture_menu.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/thickness_camber_window.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <tuple>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::Near;
using uitest::NumbersOf;
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

// Resized to `width`, the window keeps the proportions of the picture's plot area, the
// design's margins (1215 twips across and 120 down) and its view.
bool KeepsProportions(PlotWindow& w, int width) {
    const PlotView before = w.View();
    w.resize(width, 300);
    const bool done = QTest::qWaitFor([&] { return w.width() == width && w.height() != 300; });
    const QSizeF plot = w.Picture1().canvas().PlotArea(w.Picture1().size()).size();
    return done && w.size() - w.Picture1().size() == QSize(101, 10) && SameView(w.View(), before) &&
           std::abs(plot.height() - plot.width() * w.Layout().PLOT_ASPECT) <= 0.5;
}

// Every number along both edges lies in view, on the lattice of `step` (x) and `yStep` from
// the numbered origin, and shows its value.
bool NumbersFitTheView(const Canvas& c, int atLeast) {
    const WorldRect& w = c.World();
    int bottom = 0, left = 0;
    for (const EdgeNumber& n : c.Numbers()) {
        const bool x = n.edge == Edge::Bottom;
        const double lo = x ? w.left : std::min(w.top, w.bottom);
        const double hi = x ? w.right : std::max(w.top, w.bottom);
        const double size = hi - lo;
        if (n.at < lo - 1e-6 * size || n.at > hi + 1e-6 * size ||
            !Near(n.text.toDouble(), n.at, 1e-3 * size)) {
            qWarning("%s at %g outside %g..%g", qPrintable(n.text), n.at, lo, hi);
            return false;
        }
        (x ? bottom : left) += 1;
    }
    if (bottom < atLeast || left < atLeast) qWarning("%d and %d numbers", bottom, left);
    return bottom >= atLeast && left >= atLeast;
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
        // The visible rectangle covers the whole picture, y upward; with a frame its plot area,
        // inside the bands of the numbers (at the left and below) and the legend (above).
        Canvas c;
        c.SetWorld(-1, 1, 1, -1);
        QCOMPARE(c.ToPixel(QPointF(-1, 1), QSizeF(200, 100)), QPointF(0, 0));
        QCOMPARE(c.ToWorld(QPointF(50, 75), QSizeF(200, 100)), QPointF(-0.5, -0.5));
        c.SetTextMetrics({10, 40});
        BeginPlot(c, 0, 0, 2, 2);
        QCOMPARE(c.PlotArea(QSizeF(200, 100)), QRectF(50, 14, 138, 69)); // 10 + 4, 12, 10 + 7
        QCOMPARE(c.ToPixel(QPointF(-1, 1), QSizeF(200, 100)), QPointF(50, 14));
        QCOMPARE(c.ToWorld(QPointF(188, 83), QSizeF(200, 100)), QPointF(1, -1));
        c.SetWorld(0, 1, 0, 0); // no height: not taken
        QCOMPARE(c.World().bottom, -1.0);
    }

    void gridLinesAndEdgeNumbers() {
        // The view is the grid's box; x numbers along the bottom edge, y along the left one.
        const struct {
            float y1, y2, dx, dy;
            std::int16_t nx, ny;
            int vertical, horizontal, green;
            const char *x, *y;
        } cases[] = {
            {-0.2f, 0.2f, 0.2f, 0.1f, 10, 5, 51, 21, 11, ".0 .2 .4 .6 .8 1.0",
             "-0.2 -0.1 0.0 0.1 0.2"},
            // At the edge the number of 0 covers nothing: it is shown.
            {-0.05f, 0.1f, 0.2f, 0.05f, 10, 10, 51, 31, 10, ".0 .2 .4 .6 .8 1.0",
             "-0.05 0.0 0.05 0.1"},
            // Counts out of reach, no lines per step, a step that is not a number: the numbers
            // still come where the step is a number (every 1e8th step of 1e-9 here).
            {0, 1, 1e-9f, 0, 10, 10, 0, 0, 0, ".0 .1 .2 .3 .4 .5 .6 .7 .8 .9 1.0", ""},
            {0, 1, 0.2f, 0.2f, -10, 0, 0, 0, 0, ".0 .2 .4 .6 .8 1.0", "0.0 0.2 0.4 0.6 0.8 1.0"},
            {0, 1, 0.2f, std::nanf(""), 10, 10, 51, 0, 6, ".0 .2 .4 .6 .8 1.0", ""},
        };
        for (const auto& c : cases) {
            Canvas canvas;
            canvas.SetWorld(0, c.y2, 1, c.y1);
            DrawGrid(canvas, 0, 1, c.y1, c.y2, c.dx, c.nx, c.dy, c.ny);
            int vertical = 0, horizontal = 0, green = 0, other = 0;
            for (const Segment& s : canvas.Segments()) {
                (s.from.x() == s.to.x() ? vertical : horizontal) += 1;
                green += s.color == kGreen ? 1 : 0;
                other += (s.color != kGreen && s.color != kYellow) || s.style != LineStyle::Solid;
            }
            QCOMPARE(QList<int>({vertical, horizontal, green, other}),
                     QList<int>({c.vertical, c.horizontal, c.green, 0}));
            QCOMPARE(NumbersOf(canvas, Edge::Bottom).join(' '), QString(c.x));
            QCOMPARE(NumbersOf(canvas, Edge::Left).join(' '), QString(c.y));
            QVERIFY(canvas.Texts().empty());
        }
    }

    void edgeNumbersForAnyView() {
        // Origin and major step of the grid, the view's range: the step numbered, the first
        // value and how many. Zoomed in, finer steps on the same lattice; zoomed out, every
        // 2nd, 5th ... major line; panned off the grid, the lattice goes on.
        const double cases[][7] = {
            {0, 0.2, -0.01, 1.01, 0.2, 0, 6},              // the grid rule's own lines
            {0, 0.2, 0.31, 0.37, 0.01, 0.31, 7},           // zoomed in: hundredths
            {0, 0.2, 0.3, 0.31, 0.002, 0.3, 6},            // further: two thousandths
            {0, 0.2, -20, 30, 4, -20, 13},                 // zoomed out: every 20th line
            {-1, 0.2, 7.05, 7.55, 0.1, 7.1, 5},            // panned far off the grid
            {-160, 40, -90, 12, 20, -80, 5},               // 3 major lines: halves
            {0.0012, 0.05, -0.02, 0.09, 0.025, 0.0012, 4}, // a lattice that misses 0
        };
        for (const auto& [origin, major, lo, hi, step, first, count] : cases) {
            const EdgeScale scale = ChooseEdgeScale(origin, major, lo, hi);
            const double firstValue = scale.origin + static_cast<double>(scale.first) * scale.step;
            QVERIFY2(Near(scale.step, step) && Near(firstValue, first, 1e-9) &&
                         static_cast<double>(scale.last - scale.first + 1) == count,
                     qPrintable(QString("%1..%2: step %3 from %4, %5 numbers")
                                    .arg(lo)
                                    .arg(hi)
                                    .arg(scale.step)
                                    .arg(firstValue)
                                    .arg(scale.last - scale.first + 1)));
        }
        // Nothing to number: a step that is no number, no step, an unbounded view.
        for (const auto& [major, lo, hi] : {std::tuple{std::nan(""), 0.0, 1.0},
                                            {0.0, 0.0, 1.0},
                                            {0.2, 0.0, std::numeric_limits<double>::infinity()}})
            QVERIFY(ChooseEdgeScale(0, major, lo, hi).last <
                    ChooseEdgeScale(0, major, lo, hi).first);
        // The picture gets the decimals a step needs, never fewer than it has.
        const std::pair<double, const char*> pictures[] = {
            {0.2, "#.0#"}, {0.02, "#.0#"}, {0.005, "#.000"}, {5120, "#.0#"}, {0.0025, "#.0000"}};
        for (const auto& [step, picture] : pictures)
            QCOMPARE(QString::fromStdString(EdgePicture(kXLabelFormat, step)), QString(picture));
        QCOMPARE(EdgePicture(kWeightLabelFormat, 0.0001), std::string(kWeightLabelFormat));
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
        QCOMPARE(Labels(w, {"Lbl_chord", "Lbl_thick", "Lbl_xthick", "Lbl_eps", "Lbl_mu", "Lbl_ml",
                            "Lbl_x0", "Lbl_y0"}),
                 QString("Airfoil y(x) - naca61.dat chord=1.000 thick=0.1200 x_thick=0.297 "
                         "eps=0.000\u00b0 mu=31 ml=31 x0=0.000 y0=0.000"));
        // The section with its markers in red, the smoothed one in black, a grid over one chord.
        const Canvas& c = w.Picture1().canvas();
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), (s.NP - 1) + 2 * s.NP);
        int i = 1;                            // smoothed with a strip, so Y_SM differs from YP
        for (const Segment& g : c.Segments()) // counts while they follow the points
            i += g.color == kBlack && g.to == QPointF(s.XP(i + 1), s.Y_SM(i + 1));
        QVERIFY(i == s.NP && !(s.Y_SM == s.YP));
        // Numbers along the edges, titles, and a legend naming both curves in their colours.
        QCOMPARE(NumbersOf(c, Edge::Bottom).join(' '), QString(".0 .2 .4 .6 .8 1.0"));
        QCOMPARE(NumbersOf(c, Edge::Left).join(' '), QString("-0.2 -0.1 0.0 0.1 0.2"));
        QCOMPARE(uitest::TitlesOf(c), QString("x/c y/c"));
        QCOMPARE(uitest::LegendOf(c), QStringList({"smooth airfoil", "initial airfoil"}));
        QVERIFY(c.LegendEntries()[0].color == kBlack && c.LegendEntries()[1].color == kRed &&
                c.LegendEntries()[1].mark == LegendMark::Plus && TextsOf(c).isEmpty());
        uitest::SaveShot(w, "Form_PW");

        // As many world units per pixel across as up, the whole section in view, centred.
        auto trueToShape = [&w] {
            const QSizeF size = w.Picture1().canvas().PlotArea(w.Picture1().size()).size();
            return Near(w.View().VIEW_W / size.width() / (w.View().VIEW_H / size.height()), 1,
                        0.01);
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
        QCOMPARE(Labels(w, {"Lbl_thick", "Lbl_xthick", "Lbl_mu", "Lbl_ml"}),
                 QString("Thickness(x) & Camber(x) - naca61.dat thick=0.1200 x_thick=0.297 mu=31 "
                         "ml=31"));
        const Canvas& c = w.Picture1().canvas();
        for (const QColor& color : {kBlue, kRed})
            for (const LineStyle style : {LineStyle::Dotted, LineStyle::Solid})
                QCOMPARE(CountSegments(c, color, style), s.NNODES - 1);
        // The view spans the data, so the y numbers come finer than the grid's major lines.
        QCOMPARE(NumbersOf(c, Edge::Bottom).join(' '), QString(".0 .2 .4 .6 .8 1.0"));
        QCOMPARE(NumbersOf(c, Edge::Left).join(' '), QString("0.0 0.01 0.02 0.03 0.04 0.05 0.06"));
        QCOMPARE(uitest::TitlesOf(c), QString("x/c y/c"));
        QCOMPARE(uitest::LegendOf(c),
                 QStringList({"half thickness", "camber",
                              "dotted lines - initial values (before smoothing)"}));
        QVERIFY(c.LegendEntries()[0].color == kBlue && c.LegendEntries()[1].color == kRed &&
                c.LegendEntries()[2].style == LineStyle::Dotted);
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
        QCOMPARE(NumbersOf(c, Edge::Bottom).join(' '),
                 QString("-.5 -.4 -.3 -.2 -.1 .0 .1 .2 .3 .4 .5"));
        QCOMPARE(NumbersOf(c, Edge::Left).join(' '), QString("-0.1 -0.05 0.0 0.05 0.1"));
        QCOMPARE(uitest::TitlesOf(c), QString("t y/c"));
        QVERIFY(!c.LegendEntries()[1].line && c.LegendEntries()[1].mark == LegendMark::Plus);
        uitest::SaveShot(w, "Form_Y");

        w.resize(900, 500); // the design's margins: 1200 twips across and 120 down
        QTRY_COMPARE(w.Picture1().size(), QSize(800, 490));
        QVERIFY(w.height() == 500 && Near(c.World().right - c.World().left, 1.02)); // not forced
    }

    void navigationGesturesKeepTheNumbersOnTheEdges() {
        const FoilDocument document(*naca61_);
        Form_PW w(document);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        PictureArea& p = w.Picture1();
        const Canvas& c = p.canvas();
        const PlotView first = w.View();
        auto at = [&p](QPoint pixel) { return p.WorldAt(QPointF(pixel)); };

        // The wheel zooms about the cursor: the point under it stays there.
        const QPoint cursor(200, 100);
        const QPointF under = at(cursor);
        uitest::Wheel(&p, cursor, 2);
        QVERIFY(Near(w.View().VIEW_W, first.VIEW_W / 1.5625, 1e-5) &&
                Near(w.View().VIEW_H, first.VIEW_H / 1.5625, 1e-5));
        QVERIFY(Near(at(cursor).x(), under.x(), 1e-5) && Near(at(cursor).y(), under.y(), 1e-5));
        QVERIFY(NumbersFitTheView(c, 4));
        uitest::Wheel(&p, cursor, -2); // and back
        QVERIFY(Near(w.View().VIEW_W, first.VIEW_W, 1e-5));

        // A left drag pans while it goes: the point pressed stays under the cursor.
        const QPointF pressed = at({300, 150});
        QTest::mousePress(&p, Qt::LeftButton, {}, {300, 150});
        QMouseEvent move(QEvent::MouseMove, QPointF(360, 190), p.mapToGlobal(QPointF(360, 190)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&p, &move);
        QVERIFY(w.View().VIEW_XC < first.VIEW_XC && Near(at({360, 190}).x(), pressed.x(), 1e-5));
        QTest::mouseRelease(&p, Qt::LeftButton, {}, {420, 230});
        QVERIFY(Near(at({420, 230}).x(), pressed.x(), 1e-5) &&
                Near(at({420, 230}).y(), pressed.y(), 1e-5) && w.View().VIEW_W == first.VIEW_W);
        QVERIFY(NumbersFitTheView(c, 4));

        // A box drawn with Ctrl, or with the right button, becomes the view; the airfoil stays
        // true to shape, so the box grows to the picture's proportions.
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            w.ResetView();
            const QPointF a = at({150, 80}), b = at({350, 120});
            uitest::Drag(&p, button,
                         button == Qt::LeftButton ? Qt::ControlModifier : Qt::NoModifier, {150, 80},
                         {350, 120});
            const PlotView& v = w.View();
            QVERIFY(Near(v.VIEW_XC, (a.x() + b.x()) / 2, 1e-5) &&
                    Near(v.VIEW_YC, (a.y() + b.y()) / 2, 1e-5) &&
                    Near(v.VIEW_W, b.x() - a.x(), 1e-5));
            QVERIFY(Near(v.VIEW_H / v.VIEW_W, p.PlotAspect(), 1e-4));
            QVERIFY(NumbersFitTheView(c, 4));
            QVERIFY(!p.findChild<QMenu*>("PictureMenu")->isVisible()); // a drag opens no menu
        }
        // Zoomed far in, the numbers come at finer steps on the same lattice.
        const PlotView boxed = w.View();
        uitest::Wheel(&p, cursor, 12);
        QVERIFY(w.View().VIEW_W < boxed.VIEW_W / 10 && NumbersFitTheView(c, 4));
        // A box of a few pixels is a slip; a double click and Home return to the first view.
        const PlotView zoomed = w.View();
        uitest::Drag(&p, Qt::LeftButton, Qt::ControlModifier, {100, 100}, {103, 140});
        QVERIFY(SameView(w.View(), zoomed));
        QTest::mouseDClick(&p, Qt::LeftButton, {}, {200, 100});
        QVERIFY(SameView(w.View(), first));
        uitest::Wheel(&p, cursor, 3);
        QTest::keyClick(&w, Qt::Key_Home);
        QVERIFY(SameView(w.View(), first));
        // The right button without a drag opens the picture menu.
        QTest::mouseClick(&p, Qt::RightButton, {}, {200, 100});
        auto* menu = p.findChild<QMenu*>("PictureMenu");
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void savedPicturesHoldTheLegendAndTheTitles() {
        const FoilDocument document(*naca61_);
        Form_TC w(document);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(PictureFileName(*naca61_, "thickness_camber"),
                 QString("naca61_thickness_camber.png"));
        FoilState none{};
        QCOMPARE(PictureFileName(none, "cp_x"), QString("cp_x.png"));
        const QString path = QDir(dir_.path()).filePath("saved.png");
        QVERIFY(SavePicture(w.Picture1(), path));
        const QImage image(path);
        const QRectF plot = w.Picture1().canvas().PlotArea(w.Picture1().size());
        QCOMPARE(image.size(), w.Picture1().size());
        // Dark pixels in the band above the plot area (the legend's texts and samples) and in
        // the corner below the numbers (the x title).
        auto dark = [&image](QRect r) {
            int count = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    count += qGray(image.pixel(x, y)) < 100;
            return count;
        };
        QVERIFY(dark(QRect(int(plot.left()) + 30, 0, 200, int(plot.top()) - 1)) > 20);
        QVERIFY(dark(QRect(0, int(plot.bottom()) + 2, int(plot.left()) - 6,
                           image.height() - int(plot.bottom()) - 3)) > 5);
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<FoilState> naca61_, naca401_;
};

QTEST_MAIN(PlotWindowsTest)
#include "plot_windows_test.moc"