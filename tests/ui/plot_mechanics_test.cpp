// The plot mechanics on their own: data bounds and initial views, the canvas mapping, the grid
// and its labels, zoom and pan.
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/plot_view.h"
#include "ui_test_support.h"

#include <QtTest>

#include <cmath>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::Near;

namespace {

// The visible rectangle, with a message saying what it is.
bool SameView(const PlotView& v, float W, float H, float XC, float YC) {
    const bool same =
        Near(v.VIEW_W, W) && Near(v.VIEW_H, H) && Near(v.VIEW_XC, XC) && Near(v.VIEW_YC, YC);
    if (!same) qWarning("view %g x %g at (%g, %g)", v.VIEW_W, v.VIEW_H, v.VIEW_XC, v.VIEW_YC);
    return same;
}

} // namespace

class PlotMechanicsTest : public QObject {
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
            if (aspect == 0)
                SetupView(v, x1, x2, y1, y2);
            else
                SetupView(v, x1, x2, y1, y2, aspect);
            QVERIFY(SameView(v, W, H, XC, YC) && v.FULL_W == v.VIEW_W && v.FULL_H == v.VIEW_H);
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
            {0.03f, 0.13f, 0.2f, 0.05f, 10, 10, 51, 21, 9, ".0 .2 .4 .6 .8 1.0 0.03 0.08 0.13"},
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
            QCOMPARE(uitest::TextsOf(canvas).join(' '), QString(c.labels));
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
            QVERIFY(SameView(v, W, H, XC, YC));
        }
    }
};

QTEST_MAIN(PlotMechanicsTest)
#include "plot_mechanics_test.moc"