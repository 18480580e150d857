// The airfoil, thickness-and-camber and leading-edge windows over smoothed NACA 0012 sections
// of 61, 3 and 401 points: labels, what the pictures record, views, mouse, read-outs, resize.
#include "ui/plots/airfoil_window.h"
#include "ui/plots/leading_edge_window.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/thickness_camber_window.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::Near;
using uitest::Shown;
using uitest::TextsOf;

namespace {

QString Labels(const QWidget& window, const QStringList& names) {
    QStringList texts;
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

// Moves the mouse over the picture and returns the world position under it.
QPointF MoveTo(PlotWindow& w, QPoint at) {
    QTest::mouseMove(&w.Picture1(), at);
    return w.Picture1().WorldAt(at);
}

} // namespace

class PlotWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        naca61_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca61.dat", 31),
                                        kGridFromUpperSurface, 0.0004f);
        naca3_ =
            uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca3.dat", 2), kGridCosine);
        naca401_ = uitest::ReadAndSmooth(uitest::WriteNaca0012(dir_.path(), "naca401.dat", 201));
        QVERIFY(naca61_ && naca3_ && naca401_);
        QCOMPARE(QList<int>({naca61_->NP, naca3_->NP, naca401_->NP}), QList<int>({61, 3, 401}));
    }

    void airfoilWindowIsTrueToShape() {
        const FoilState& s = *naca61_;
        Form_PW w(s);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString("Airfoil y(x)"));
        QCOMPARE(Labels(w, {"Lbl_chord", "Lbl_thick", "Lbl_xthick", "Lbl_eps", "Lbl_mu", "Lbl_ml",
                            "Lbl_x0", "Lbl_y0"}),
                 QString("chord=1.000 thick=0.1200 x_thick=0.297 eps=0.000 mu=31.000 ml=31.000 "
                         "x0=0.000 y0=0.000"));
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

        const QPointF xy = MoveTo(w, QPoint(400, 60)); // read-out relative to the leading edge
        QTRY_COMPARE(Labels(w, {"Label_x", "Label_y"}),
                     "x=" + Shown(xy.x() - s.XP(s.ILE), "#0.00000") +
                         " y=" + Shown(xy.y() - s.YP(s.ILE), "#0.00000"));
    }

    void thicknessCamberWindowShowsDottedAndSolidCurves() {
        const FoilState& s = *naca61_;
        Form_TC w(s);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString("Thickness(x) & Camber(x)"));
        QCOMPARE(Labels(w, {"Lbl_thick", "Lbl_xthick", "Lbl_mu", "Lbl_ml"}),
                 QString("thick=0.1200 x_thick=0.297 mu=31.000 ml=31.000"));
        const Canvas& c = w.Picture1().canvas();
        for (const QColor& color : {kBlue, kRed})
            for (const LineStyle style : {LineStyle::Dotted, LineStyle::Solid})
                QCOMPARE(CountSegments(c, color, style), s.NNODES - 1);
        // The grid's y range is tied to the first half thickness (0 at the leading edge).
        QCOMPARE(TextsOf(c).join(' '), QString(".0 .2 .4 .6 .8 1.0 -0.05 0.05 0.1"));
        uitest::SaveShot(w, "Form_TC");

        // The view spans both curves before smoothing, a tenth and then 1 % added each way.
        float lo = 1e8f, hi = -1e8f;
        for (int j = 1; j <= s.NNODES; ++j) {
            lo = std::min({lo, s.HTHICK(j), s.CAMBER(j)});
            hi = std::max({hi, s.HTHICK(j), s.CAMBER(j)});
        }
        QVERIFY(Near(w.View().VIEW_H, 1.02 * 1.2 * (hi - lo)) && Near(w.View().VIEW_W, 1.02));
        QVERIFY(Near(w.View().VIEW_YC, (lo + hi) / 2) && KeepsProportions(w, 900));
    }

    void leadingEdgeWindowHasAFixedViewAndFreeResize() {
        const FoilState& s = *naca61_;
        Form_Y w(s);
        QCOMPARE(w.windowTitle(), QString("Leading edge Y(t)"));
        QVERIFY(Near(w.View().VIEW_W, 1.02) && Near(w.View().VIEW_H, 0.204) &&
                w.View().VIEW_XC == 0);
        QVERIFY(w.Picture1().canvas().Segments().empty()); // first drawn when shown
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const Canvas& c = w.Picture1().canvas();
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), 2 * s.NP);
        QCOMPARE(CountSegments(c, kBlack, LineStyle::Solid), s.NP - 1);
        // The trailing-edge points lie outside the initial view.
        QVERIFY(s.T(1) < c.World().left && s.T(s.NP) > c.World().right);
        uitest::SaveShot(w, "Form_Y");

        const QPointF tY = MoveTo(w, QPoint(400, 60));
        QTRY_COMPARE(Labels(w, {"Label_t", "Label_x", "Label_y"}),
                     "t=" + Shown(tY.x(), "#0.000##") + " x=" + Shown(tY.x() * tY.x(), "#0.000##") +
                         " Y=" + Shown(tY.y(), "#0.000##"));

        w.resize(900, 500); // the design's margins: 1200 twips across and 120 down
        QTRY_COMPARE(w.Picture1().size(), QSize(800, 490));
        QVERIFY(w.height() == 500 && Near(c.World().right - c.World().left, 1.02)); // not forced
    }

    void sectionsOfThreeAnd401PointsDraw() {
        for (const FoilState* s : {naca3_.get(), naca401_.get()}) {
            Form_PW airfoil(*s);
            Form_TC thicknessCamber(*s);
            Form_Y leadingEdge(*s);
            for (PlotWindow* w :
                 std::initializer_list<PlotWindow*>{&airfoil, &thicknessCamber, &leadingEdge}) {
                w->show();
                QVERIFY(QTest::qWaitForWindowExposed(w));
                QTest::mousePress(&w->Picture1(), Qt::LeftButton, Qt::ShiftModifier, {9, 9});
                QTest::mouseRelease(&w->Picture1(), Qt::LeftButton, Qt::ShiftModifier, {9, 200});
                MoveTo(*w, QPoint(50, 50));
            }
            QCOMPARE(CountSegments(airfoil.Picture1().canvas(), kRed, LineStyle::Solid),
                     3 * s->NP - 1);
            QCOMPARE(CountSegments(thicknessCamber.Picture1().canvas(), kBlue, LineStyle::Dotted),
                     s->NNODES - 1);
            QCOMPARE(CountSegments(leadingEdge.Picture1().canvas(), kBlack, LineStyle::Solid),
                     s->NP - 1);
            uitest::SaveShot(airfoil, QString("Form_PW_%1_points").arg(s->NP));
        }
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<FoilState> naca61_, naca3_, naca401_;
};

QTEST_MAIN(PlotWindowsTest)
#include "plot_windows_test.moc"