// The plot mechanics on their own: initial views, the grid and its labels, tick steps, zoom
// and pan, and the picture's replay and saved files.
#include "ui/plots/picture_area.h"
#include "ui/plots/picture_menu.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_grid.h"
#include "ui/plots/plot_view.h"
#include "ui_test_support.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::Pixels;
using uitest::TextsOf;

namespace {

bool Near(double a, double b) {
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b));
}

// The visible rectangle, with a message saying what it is.
bool SameView(const PlotView& v, float W, float H, float XC, float YC) {
    const bool same =
        Near(v.VIEW_W, W) && Near(v.VIEW_H, H) && Near(v.VIEW_XC, XC) && Near(v.VIEW_YC, YC);
    if (!same) qWarning("view %g x %g at (%g, %g)", v.VIEW_W, v.VIEW_H, v.VIEW_XC, v.VIEW_YC);
    return same;
}

QImage Replayed(const Canvas& canvas, QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    QPainter painter(&image);
    canvas.Replay(painter, image.size());
    return image;
}

} // namespace

class PlotMechanicsTest : public QObject {
    Q_OBJECT
  private slots:
    void viewsHaveMarginsAndThePictureProportions() {
        PointArray none;
        float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
        PointArray xs, a, b; // y bounds over two curves, x bounds of the last one
        for (int i = 1; i <= 3; ++i)
            xs(i) = float(i), a(i) = 0.1f * float(i), b(i) = -0.1f * float(i);
        FindBounds(3, xs, a, xmin, xmax, ymin, ymax, 0);
        FindBounds(2, xs, b, xmin, xmax, ymin, ymax, 1);
        QCOMPARE(QList<float>({xmin, xmax, ymin, ymax}), QList<float>({1, 2, -0.2f, 0.3f}));
        FindBounds(0, none, none, xmin, xmax, ymin, ymax, 0); // no points: a usable view still
        // Data box, picture height / width (0: the form without it), and the view it gives.
        const float cases[][9] = {
            {-0.5f, 0.5f, -0.1f, 0.1f, 0, 1.02f, 0.204f, 0, 0}, // 1 % margins
            {0, 1, -0.06f, 0.06f, 0.5f, 1.02f, 0.51f, 0.5f, 0}, // a flat box grows in y
            {0, 0.1f, 0, 1, 0.5f, 2.04f, 1.02f, 0.05f, 0.5f},   // a tall one in x
            {0, 1, 0.3f, 0.3f, 0, 1.02f, 1.02f, 0.5f, 0.3f},    // all y equal
            {2, 2, 3, 3, 0.4f, 2.5f, 1, 2, 3},                  // one point
            {xmin, xmax, ymin, ymax, 0, 1, 1, 0, 0},
        };
        for (const auto& [x1, x2, y1, y2, aspect, W, H, XC, YC] : cases) {
            PlotView v;
            if (aspect == 0)
                SetupView(v, x1, x2, y1, y2);
            else
                SetupView(v, x1, x2, y1, y2, aspect);
            QVERIFY(SameView(v, W, H, XC, YC));
            QVERIFY(v.FULL_W == v.VIEW_W && v.FULL_H == v.VIEW_H);
        }
    }

    void gridLinesAndLabels() {
        const QStringList chord{".0", ".2", ".4", ".6", ".8", "1.0"};
        const struct {
            float x1, x2, y1, y2, dx;
            std::int16_t nx;
            float dy;
            std::int16_t ny;
            std::string_view format;
            int vertical, horizontal, green;
            QStringList labels;
        } cases[] = {
            {0, 1, -0.2f, 0.2f, 0.2f, 10, 0.1f, 5, "#0.0##", 51, 21, 11,
             chord + QStringList{"-0.2", "-0.1", "0.1", "0.2"}},
            // The y label nearest 0 would cover the x labels; a grid missing 0 shows them all.
            {0, 1, -0.05f, 0.1f, 0.2f, 10, 0.05f, 10, "#0.0##", 51, 31, 10,
             chord + QStringList{"-0.05", "0.05", "0.1"}},
            {0, 1, 0.03f, 0.13f, 0.2f, 10, 0.05f, 10, "#0.0##", 51, 21, 9,
             chord + QStringList{"0.03", "0.08", "0.13"}},
            {-1, 1, 0, 0.004f, 0.2f, 10, 0.002f, 5, kWeightLabelFormat, 101, 11, 14,
             QStringList{"-1.0", "-.8", "-.6", "-.4", "-.2", ".0", ".2", ".4", ".6", ".8", "1.0",
                         "0.002", "0.004"}},
            // Counts out of reach, no lines per step, a step that is not a number.
            {0, 1, 0, 1, 1e-9f, 10, 0, 10, "#0.0##", 0, 0, 0, {}},
            {1, 0, 0, 1, 0.2f, -10, 0.2f, 0, "#0.0##", 0, 0, 0, {}},
            {0, 1, 0, 1, 0.2f, 10, std::nanf(""), 10, "#0.0##", 51, 0, 6, chord},
        };
        for (const auto& c : cases) {
            Canvas canvas;
            DrawGrid(canvas, c.x1, c.x2, c.y1, c.y2, c.dx, c.nx, c.dy, c.ny, c.format);
            int vertical = 0, horizontal = 0, green = 0, other = 0;
            for (const Segment& s : canvas.Segments()) {
                (s.from.x() == s.to.x() ? vertical : horizontal) += 1;
                green += s.color == kGreen ? 1 : 0;
                other += (s.color != kGreen && s.color != kYellow) || s.style != LineStyle::Solid;
            }
            QCOMPARE(QList<int>({vertical, horizontal, green, other}),
                     QList<int>({c.vertical, c.horizontal, c.green, 0}));
            QCOMPARE(TextsOf(canvas), c.labels);
            // Each label stands on its axis at the value it shows.
            for (const PrintedText& t : canvas.Texts()) {
                const double value = t.text.toDouble();
                QVERIFY2((t.at.y() == 0 && Near(value, t.at.x())) ||
                             (t.at.x() == 0 && Near(value, t.at.y())),
                         qPrintable(t.text));
            }
        }
    }

    void tickStepDoublesUntilFewerThanSixSteps() {
        // Start step, data range, and the ticked range with its step.
        const float cases[][6] = {
            {10, -35, 120, -40, 120, 40},
            {10, 0, 120, 0, 120, 40}, // six steps of 20 are not fewer than six
            {0.001f, -0.00055f, 0.0055f, -0.002f, 0.006f, 0.002f},
            {0.001f, 0, 0, 0, 0.002f, 0.002f}, // never below 0, never under one step
            {10, std::nanf(""), INFINITY, 0, 20, 20},
        };
        for (const auto& [s0, lo0, hi0, lo, hi, step] : cases) {
            const TickRange r = TickStep(s0, lo0, hi0);
            QVERIFY(Near(r.lo, lo) && Near(r.hi, hi) && Near(r.step, step));
        }
        const TickRange wide = TickStep(10, -1e30f, 1e30f); // ends, and in range
        QVERIFY(std::isfinite(wide.step) && wide.lo <= -1e30f && wide.hi >= 1e30f);
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
        PlotView tiny; // a zoom beyond the number range is not taken
        SetupView(tiny, 0, 1e-36f, 0, 1e-36f);
        const float w = tiny.VIEW_W;
        PressView(tiny, {kLeftButton, kShiftKey, 0, 1});
        ReleaseView(tiny, {kLeftButton, kShiftKey, 0, 0}, ZoomScale::ViewWidth);
        QVERIFY(tiny.VIEW_W == w && std::isnormal(tiny.VIEW_H));
    }

    void replayPaintsTheRecord() {
        Canvas c;
        BeginPlot(c, 0, 0, 2, 2);
        c.Clear(kBlack);
        c.SetForeground(kWhite);
        c.Line(-1, 0, 1, 0, kRed); // across the middle
        c.SetLineStyle(LineStyle::Dotted);
        c.Line(0, 0.2, 0, 1, kBlue);
        c.SetLineStyle(LineStyle::Solid);
        c.SetLineWidth(3);
        c.Line(-1, -0.5, 1, -0.5, kGreen);
        c.SetLineWidth(1);
        c.Line(-1e12, 0.8, 1e12, 0.8, kYellow); // 10^12 pictures long
        c.Print(-0.9, -0.6, "text");
        // World x and y from -1 to 1 over the picture, y upward.
        QCOMPARE(c.ToPixel(QPointF(-1, 1), QSizeF(200, 100)), QPointF(0, 0));
        QCOMPARE(c.ToPixel(QPointF(1, -1), QSizeF(200, 100)), QPointF(200, 100));
        QCOMPARE(c.ToWorld(QPointF(50, 75), QSizeF(200, 100)), QPointF(-0.5, -0.5));
        const QImage image = Replayed(c, QSize(101, 101));
        QVERIFY(Pixels(image, QRect(20, 49, 1, 3), kRed) > 0);
        const int blue = Pixels(image, QRect(49, 0, 3, 40), kBlue);
        QVERIFY2(blue > 5 && blue < 35, qPrintable(QString::number(blue))); // dotted
        QCOMPARE(Pixels(image, QRect(10, 70, 1, 10), kGreen), 3);
        QVERIFY(Pixels(image, QRect(25, 8, 1, 5), kYellow) > 0);
        QCOMPARE(QColor(image.pixel(80, 30)), kBlack);
        QVERIFY(Pixels(image, QRect(0, 78, 40, 20), kWhite) > 0);
        c.SetWorld(0, 1, 0, 0); // no height: not taken
        QCOMPARE(c.World().bottom, -1.0);
    }

    void picturesAreSavedAsPngAndSvg() {
        QTemporaryDir dir;
        PictureArea picture;
        picture.resize(120, 80);
        BeginPlot(picture.canvas(), 0, 0, 2, 2);
        picture.canvas().Line(-1, -1, 1, 1, kRed);
        QVERIFY(SavePicture(picture, dir.filePath("picture.png")));
        const QImage saved(dir.filePath("picture.png"));
        QCOMPARE(saved.size(), QSize(120, 80));
        QVERIFY(Pixels(saved, QRect(59, 39, 3, 3), kRed) > 0);
        QVERIFY(SavePicture(picture, dir.filePath("picture.svg")));
        QVERIFY(uitest::ReadAll(dir.filePath("picture.svg")).contains("<svg"));
        QVERIFY(!SavePicture(picture, dir.filePath("no/such/folder/picture.png")));
    }
};

QTEST_MAIN(PlotMechanicsTest)
#include "plot_mechanics_test.moc"
