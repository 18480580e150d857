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
#include <vector>

using namespace zarnfoil;
using namespace zarnfoil::ui;
using uitest::CountSegments;
using uitest::TextsOf;

namespace {

template <class Window> std::unique_ptr<Window> Open(const FoilState& s) {
    auto w = std::make_unique<Window>(s);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("%s not shown", w->metaObject()->className());
    return w;
}

QStringList Labels(const QWidget& window, const QStringList& names) {
    QStringList texts;
    for (const QString& name : names) {
        const auto* label = window.findChild<QLabel*>(name);
        texts << (label ? label->text() : "<no " + name + ">");
    }
    return texts;
}

// The legend's texts: the labels without a name.
QStringList Legend(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->objectName().isEmpty()) texts << label->text();
    return texts;
}

QString Shown(const char* prefix, double value, const char* picture) {
    return prefix + QString::fromStdString(FormatPicture(static_cast<float>(value), picture));
}

bool Near(double a, double b, double relative) {
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

// The same visible rectangle (the press position aside).
bool SameView(const PlotView& a, const PlotView& b) {
    return a.VIEW_XC == b.VIEW_XC && a.VIEW_YC == b.VIEW_YC && a.VIEW_W == b.VIEW_W &&
           a.VIEW_H == b.VIEW_H;
}

void Drag(QWidget& picture, Qt::KeyboardModifiers modifiers, QPoint from, QPoint to) {
    QTest::mousePress(&picture, Qt::LeftButton, modifiers, from);
    QTest::mouseRelease(&picture, Qt::LeftButton, modifiers, to);
}

// Resized to `width`, the window keeps the picture's proportions and the design's margins:
// 1215 twips across and 360 down.
bool KeepsProportions(PlotWindow& w, int width, double aspect) {
    w.resize(width, 300);
    const bool done = QTest::qWaitFor([&] { return w.width() == width && w.height() != 300; });
    const QSize picture = w.Picture1().size();
    return done && w.size() - picture == QSize(101, 30) &&
           std::abs(picture.height() - picture.width() * aspect) <= 0.5;
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
        auto w = Open<Form_PW>(s);
        QCOMPARE(w->windowTitle(), QString("Airfoil y(x)"));
        QCOMPARE(Labels(*w, {"Lbl_chord", "Lbl_thick", "Lbl_xthick", "Lbl_eps", "Lbl_mu", "Lbl_ml",
                             "Lbl_x0", "Lbl_y0", "Label_x"}),
                 QStringList({"chord=1.000", "thick=0.1200", "x_thick=0.297", "eps=0.000",
                              "mu=31.000", "ml=31.000", "x0=0.000", "y0=0.000", "x="}));
        QCOMPARE(Legend(*w), QStringList({"smooth airfoil", "initial airfoil"}));
        // The section with its markers in red, the smoothed one in black, a grid over one chord.
        const Canvas& c = w->Picture1().canvas();
        QCOMPARE(CountSegments(c, kRed, LineStyle::Solid), (s.NP - 1) + 2 * s.NP);
        std::vector<QPointF> smoothed; // smoothed with a strip, so it differs from the input
        for (const Segment& g : c.Segments())
            if (g.color == kBlack) smoothed.push_back(g.to);
        QCOMPARE(int(smoothed.size()), s.NP - 1);
        for (int i = 2; i <= s.NP; ++i)
            QCOMPARE(smoothed[i - 2], QPointF(s.XP(i), s.Y_SM(i)));
        QVERIFY(!(s.Y_SM == s.YP));
        QCOMPARE(TextsOf(c),
                 QStringList({".0", ".2", ".4", ".6", ".8", "1.0", "-0.2", "-0.1", "0.1", "0.2"}));
        // What the window shows is painted from the record, on white.
        const QImage shown = w->Picture1().grab().toImage();
        QVERIFY(uitest::Pixels(shown, shown.rect(), kRed) > 100);
        QVERIFY(uitest::Pixels(shown, shown.rect(), kGreen) > 100);
        QVERIFY(uitest::Pixels(shown, shown.rect(), kWhite) > shown.width() * shown.height() / 2);
        uitest::SaveShot(*w, "Form_PW");

        // As many world units per pixel across as up, the whole section in view, centred.
        auto trueToShape = [&w] {
            const QSize size = w->Picture1().size();
            return Near(w->View().VIEW_W / size.width(), w->View().VIEW_H / size.height(), 0.01);
        };
        QVERIFY(trueToShape());
        QVERIFY(w->View().VIEW_W >= 1.0f && std::fabs(w->View().VIEW_XC - 0.5f) < 1e-6f);
        const PlotView before = w->View();
        QVERIFY(KeepsProportions(*w, 1300, 3855.0 / 9375));
        QVERIFY(SameView(w->View(), before)); // the same world rectangle, stretched
        QVERIFY(trueToShape());
        QCOMPARE(w->Picture1().canvas().World().right - w->Picture1().canvas().World().left,
                 double(before.VIEW_W));
        QCOMPARE(ProportionalFit(w->Layout(), 10).pictureWidth, 1); // never negative
    }

    void dragsZoomAndPanAndTheRightButtonOffersTheMenu() {
        auto w = Open<Form_PW>(*naca61_);
        PictureArea& picture = w->Picture1();
        const PlotView start = w->View();
        // Released below the press: zoomed in by 1 + 5 dy / VIEW_W round the same centre.
        const double dy =
            picture.WorldAt(QPoint(300, 60)).y() - picture.WorldAt(QPoint(320, 160)).y();
        Drag(picture, Qt::ShiftModifier, QPoint(300, 60), QPoint(320, 160));
        QVERIFY(Near(start.VIEW_W / w->View().VIEW_W, 1 + 5 * dy / start.VIEW_W, 1e-4));
        QVERIFY(Near(start.VIEW_H / w->View().VIEW_H, 1 + 5 * dy / start.VIEW_W, 1e-4));
        QCOMPARE(w->View().VIEW_XC, start.VIEW_XC);
        // Markers keep their size on screen: smaller in world units.
        const auto marker = std::find_if(
            picture.canvas().Segments().rbegin(), picture.canvas().Segments().rend(),
            [](const Segment& g) { return g.color == kRed && g.from.y() == g.to.y(); });
        QVERIFY(Near(marker->to.x() - marker->from.x(), 2 * w->View().VIEW_W / 150, 1e-4));
        // A plain drag pans: the drawing follows the mouse.
        const PlotView zoomed = w->View();
        const QPointF grabbed = picture.WorldAt(QPoint(100, 100));
        Drag(picture, Qt::NoModifier, QPoint(100, 100), QPoint(250, 130));
        const QPointF under = picture.WorldAt(QPoint(250, 130));
        QVERIFY(Near(under.x(), grabbed.x(), 1e-4) && Near(under.y(), grabbed.y(), 1e-4));
        QCOMPARE(w->View().VIEW_W, zoomed.VIEW_W);

        const PlotView panned = w->View();
        QTest::mouseClick(&picture, Qt::RightButton, Qt::NoModifier, QPoint(30, 30));
        QVERIFY(SameView(w->View(), panned));
        auto* menu = picture.findChild<QMenu*>("PictureMenu");
        QVERIFY(menu);
        QTRY_VERIFY(menu->isVisible());
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text();
        QCOMPARE(items, QStringList({"Save picture...", "Reset view"}));
        menu->actions().at(1)->trigger();
        menu->close();
        QVERIFY(SameView(w->View(), start)); // the view the window was loaded with
    }

    void readOutsFollowTheCursor() {
        const FoilState& s = *naca61_;
        const QPoint at(400, 60);
        auto airfoil = Open<Form_PW>(s);
        QTest::mouseMove(&airfoil->Picture1(), at);
        const QPointF xy = airfoil->Picture1().WorldAt(at); // relative to the leading edge
        QTRY_COMPARE(Labels(*airfoil, {"Label_x", "Label_y"}),
                     QStringList({Shown("x=", xy.x() - s.XP(s.ILE), "#0.00000"),
                                  Shown("y=", xy.y() - s.YP(s.ILE), "#0.00000")}));
        airfoil.reset(); // the mouse moves over the window on top
        auto leadingEdge = Open<Form_Y>(s);
        QTest::mouseMove(&leadingEdge->Picture1(), at);
        const QPointF tY = leadingEdge->Picture1().WorldAt(at);
        QTRY_COMPARE(
            Labels(*leadingEdge, {"Label_t", "Label_x", "Label_y"}),
            QStringList({Shown("t=", tY.x(), "#0.000##"), Shown("x=", tY.x() * tY.x(), "#0.000##"),
                         Shown("Y=", tY.y(), "#0.000##")}));
    }

    void thicknessCamberWindowShowsDottedAndSolidCurves() {
        const FoilState& s = *naca61_;
        auto w = Open<Form_TC>(s);
        QCOMPARE(w->windowTitle(), QString("Thickness(x) & Camber(x)"));
        QCOMPARE(Labels(*w, {"Lbl_thick", "Lbl_xthick", "Lbl_mu", "Lbl_ml"}),
                 QStringList({"thick=0.1200", "x_thick=0.297", "mu=31.000", "ml=31.000"}));
        QCOMPARE(Legend(*w), QStringList({"thickness", " camber",
                                          "dotted lines - initial values (before smoothing)"}));
        const Canvas& c = w->Picture1().canvas();
        for (const QColor& color : {kBlue, kRed})
            for (const LineStyle style : {LineStyle::Dotted, LineStyle::Solid})
                QCOMPARE(CountSegments(c, color, style), s.NNODES - 1);
        // The grid's y range is tied to the first half thickness (0 at the leading edge).
        QCOMPARE(TextsOf(c),
                 QStringList({".0", ".2", ".4", ".6", ".8", "1.0", "-0.05", "0.05", "0.1"}));
        uitest::SaveShot(*w, "Form_TC");

        // The view spans both curves before smoothing, a tenth and then 1 % added each way.
        float lo = 1e8f, hi = -1e8f;
        for (int j = 1; j <= s.NNODES; ++j) {
            lo = std::min({lo, s.HTHICK(j), s.CAMBER(j)});
            hi = std::max({hi, s.HTHICK(j), s.CAMBER(j)});
        }
        QVERIFY(Near(w->View().VIEW_H, 1.02 * 1.2 * (hi - lo), 1e-5));
        QVERIFY(Near(w->View().VIEW_YC, (lo + hi) / 2, 1e-4));
        QVERIFY(Near(w->View().VIEW_W, 1.02, 1e-5));
        const PlotView before = w->View();
        QVERIFY(KeepsProportions(*w, 900, 3855.0 / 9375));
        QVERIFY(SameView(w->View(), before));
    }

    void leadingEdgeWindowHasAFixedViewAndFreeResize() {
        const FoilState& s = *naca61_;
        Form_Y w(s);
        QCOMPARE(w.windowTitle(), QString("Leading edge Y(t)"));
        QVERIFY(Near(w.View().VIEW_W, 1.02, 1e-6) && Near(w.View().VIEW_H, 0.204, 1e-6));
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

        w.resize(900, 500); // the design's margins: 1200 twips across and 120 down
        QTRY_COMPARE(w.Picture1().size(), QSize(800, 490));
        QCOMPARE(w.height(), 500); // not forced
        QVERIFY(Near(c.World().right - c.World().left, 1.02, 1e-6));
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
                Drag(w->Picture1(), Qt::ShiftModifier, QPoint(9, 9), QPoint(9, 200));
                QTest::mouseMove(&w->Picture1(), QPoint(50, 50));
                QVERIFY(!w->Picture1().grab().isNull());
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
