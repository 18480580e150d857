// The walk an engineer takes through the program, on a real display (scripts/walk runs it on
// Xvfb): the program's own windows over the real pressure solver, driven by mouse clicks and
// typed keys, with a screenshot of the whole screen (ImageMagick "import") after every step.
// It reads the noisy 401-point example, smooths it, opens every window, steps a weight, zooms
// with a box and the wheel, computes Cp twice and widens its window, writes the STL solid with
// changed margins, reads a second file from File > Open..., then a file with a word among its
// numbers and one without a layout keyword.
// Usage: ui_walk FOLDER (the examples are copied there; shots and output files land there).
#include "core/foil_state.h"
#include "ui/main/foil_document.h"
#include "ui/main/main_window.h"
#include "ui/plots/curvature_window.h"
#include "ui/pressure/pressure_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QWheelEvent>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

using namespace zarnfoil;
using namespace zarnfoil::ui;

class Walk {
  public:
    explicit Walk(const QString& folder) : dir_(folder) {}

    int Run();

  private:
    // A screenshot of the whole screen as NN_name.png.
    void Shot(const QString& name) {
        QTest::qWait(400); // let the windows paint
        const QString file =
            dir_.filePath(QString("%1_%2.png").arg(++shots_, 2, 10, QChar('0')).arg(name));
        if (QProcess::execute("import", {"-window", "root", file}) != 0) Fail("import " + file);
        Log("shot " + file);
    }
    void Log(const QString& text) { std::printf("%s\n", qPrintable(text)); }
    void Fail(const QString& text) {
        Log("FAILED: " + text);
        ++failures_;
    }
    void Expect(bool ok, const QString& what) {
        if (!ok) Fail(what);
    }

    template <class Control = QWidget> Control* In(QWidget* window, const char* name) {
        auto* control = window->findChild<Control*>(name);
        if (!control) Fail(QString("no control %1 in %2").arg(name, window->objectName()));
        return control;
    }
    void Click(QWidget* window, const char* name) {
        if (auto* control = In(window, name)) {
            QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2));
            QTest::qWait(50);
        }
    }
    void Type(QWidget* window, const char* name, const QString& text) {
        if (auto* box = In<QLineEdit>(window, name)) {
            box->selectAll();
            QTest::keyClicks(box, text);
        }
    }
    // Clicks a file in File1 once the list shows it.
    void PickFile(const QString& name) {
        auto* file1 = In<QListView>(form_, "File1");
        QModelIndex index;
        const bool shown = QTest::qWaitFor([&] {
            index = qobject_cast<QFileSystemModel*>(file1->model())->index(dir_.filePath(name));
            return index.isValid() && !file1->visualRect(index).isEmpty();
        });
        if (!shown) return Fail("File1 does not show " + name);
        QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, file1->visualRect(index).center());
    }
    // The next modal window (message box or file dialog) is shot, then answered.
    void Answer(const QString& shot, std::function<void(QWidget*)> answer) {
        QTimer::singleShot(300, [this, shot, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return Fail("no modal window for " + shot);
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                Log("message: " + box->text().replace('\n', " | "));
            Shot(shot);
            answer(modal);
        });
    }
    static void PressOk(QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }
    template <class Window> Window* Find() { return form_->findChild<Window*>(); }
    // A box drawn with Ctrl and the left button, as an engineer zooms.
    void ZoomBox(QWidget* picture, QPoint from, QPoint to) {
        QTest::mousePress(picture, Qt::LeftButton, Qt::ControlModifier, from);
        for (int k = 1; k <= 5; ++k) {
            const QPoint at = from + (to - from) * k / 5;
            QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(picture->mapToGlobal(at)),
                             Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
            QApplication::sendEvent(picture, &move);
        }
        QTest::mouseRelease(picture, Qt::LeftButton, Qt::ControlModifier, to);
    }
    void WheelAt(QWidget* picture, QPoint at, int notches) {
        QWheelEvent wheel(QPointF(at), QPointF(picture->mapToGlobal(at)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(picture, &wheel);
    }
    void Place(QWidget* window, int x, int y) {
        if (window) window->move(x, y);
    }

    QDir dir_;
    std::unique_ptr<FoilState> state_ = std::make_unique<FoilState>();
    std::unique_ptr<FoilDocument> document_ = std::make_unique<FoilDocument>(*state_);
    Form_inp* form_ = nullptr;
    int shots_ = 0, failures_ = 0;
};

int Walk::Run() {
    for (const QString& name : QDir(ZARNFOIL_EXAMPLES).entryList({"*.dat", "*.DAT"}, QDir::Files)) {
        QFile::remove(dir_.filePath(name));
        QFile::copy(QDir(ZARNFOIL_EXAMPLES).filePath(name), dir_.filePath(name));
    }
    QFile word(dir_.filePath("naca0012_word.dat"));
    QFile example(dir_.filePath("naca0012.dat"));
    if (word.open(QIODevice::WriteOnly) && example.open(QIODevice::ReadOnly)) {
        QList<QByteArray> lines = example.readAll().split('\n');
        lines[19] = "0.793893 abc\r";
        word.write(lines.join('\n'));
    }
    word.close();
    QFile nokey(dir_.filePath("notes.dat"));
    if (nokey.open(QIODevice::WriteOnly)) nokey.write("wing notes\r\n0.0 0.0\r\n1.0 0.0\r\n");
    nokey.close();

    Form_inp form(*document_, dir_.absolutePath());
    form_ = &form;
    form.SetEndProgram([](int) {});
    InstallCurvatureWindow(form);
    InstallPressureWindow(form);
    form.move(0, 0);
    form.show();
    Shot("start");

    // The noisy 401-point example, smoothed with a strip.
    PickFile("naca2412_noisy.dat");
    Click(&form, "Cmd_InputF");
    Expect(state_->NP == 401, "Input of the noisy example");
    Type(&form, "Txt_SmS", "0.002");
    Click(&form, "Cmd_Geom");
    auto* curvature = Find<Form_KSM>();
    Expect(curvature && state_->ILE > 0, "Smooth opens the curvature window");
    Place(curvature, 0, 520);
    Shot("smoothed");

    // Every window.
    for (const char* button : {"Cmd_Pictf", "Cmd_TC", "Cmd_Yt"})
        Click(&form, button);
    Place(form.AirfoilWindow(), 900, 0);
    Place(form.ThicknessCamberWindow(), 900, 380);
    Place(form.LeadingEdgeWindow(), 900, 760);
    Shot("plot_windows");

    // Three steps up of the weight of point 150: every window follows.
    if (curvature) {
        curvature->raise();
        In<QScrollBar>(curvature, "VScr_ID")->setValue(-150);
        for (int k = 0; k < 3; ++k)
            In<QScrollBar>(curvature, "VScr_D")
                ->triggerAction(QAbstractSlider::SliderSingleStepSub);
        Expect(state_->NRUN == 3, "three weight steps, three runs");
    }
    Shot("weight_steps");

    // Zoomed: a box round the leading edge of the airfoil, the wheel over the curvature.
    if (auto* airfoil = form.AirfoilWindow()) {
        airfoil->raise();
        if (auto* picture = In(airfoil, "Picture1")) ZoomBox(picture, {60, 100}, {220, 220});
        Expect(airfoil->View().VIEW_W < 0.5f, "a box zooms the airfoil");
    }
    if (curvature) {
        curvature->raise();
        const float width = curvature->View().VIEW_W;
        WheelAt(&curvature->PictC(), {curvature->PictC().width() / 2, 150}, 4);
        Expect(curvature->View().VIEW_W < width / 2, "the wheel zooms the curvature");
    }
    Shot("zoomed");

    // Cp at the first computation's values, over the real solver: the section is resampled.
    Click(&form, "Cmd_cp");
    auto* cp = Find<Form_Cp>();
    Place(cp, 1800, 0);
    if (cp) {
        QTest::mouseClick(In<QPushButton>(cp, "Cmd_cp"), Qt::LeftButton);
        QTest::qWait(200);
        Expect(state_->NCP == 1, "one Cp computation");
        Log("Cp note: " + In<QLabel>(cp, "Lbl_note")->text());
        Log("Cp boxes: " + In<QLineEdit>(cp, "Txt_M")->text() + " " +
            In<QLineEdit>(cp, "Txt_cl")->text() + " " + In<QLineEdit>(cp, "Txt_alpha")->text());
    }
    Shot("cp");
    // A second computation at a lower Mach number: the first curve turns red; then the window
    // made as wide as the screen, no taller than it.
    if (cp) {
        Type(cp, "Txt_M", "0.6");
        QTest::mouseClick(In<QPushButton>(cp, "Cmd_cp"), Qt::LeftButton);
        QTest::qWait(200);
        Expect(state_->NCP == 2, "a second Cp computation");
        Shot("cp_two_curves");
        cp->move(0, 0);
        cp->resize(2380, cp->height());
        QTest::qWait(300);
        Expect(cp->frameGeometry().height() <= cp->screen()->availableGeometry().height(),
               "the wide Cp window fits the screen's height");
        Shot("cp_wide");
        cp->resize(560, cp->height());
        cp->move(1800, 0);
    }

    // The STL solid with changed margins and chord.
    form.raise();
    Click(&form, "Chk_STL");
    for (const auto& [box, text] : {std::pair{"Txt_delx", "2"},
                                    {"Txt_delxp", "4"},
                                    {"Txt_dely", "2.5"},
                                    {"Txt_delz", "0.25"},
                                    {"Txt_chord", "0.3"}})
        Type(&form, box, text);
    Click(&form, "Cmd_Geom");
    QFile stl(dir_.filePath("naca2412_noisy.stl"));
    Expect(stl.open(QIODevice::ReadOnly) && stl.readAll().count("facet normal") == 4 * 402 + 12,
           "the STL solid round 402 points");
    Shot("stl");
    // A margin that is no number: refused and marked.
    Type(&form, "Txt_dely", "abc");
    Answer("stl_bad_margin", PressOk);
    Click(&form, "Cmd_Geom");
    Type(&form, "Txt_dely", "2.5");

    // A second file from File > Open...: the windows of the first close.
    Answer("open_dialog", [this](QWidget* modal) {
        // Typed into the dialog's file name box, as a user would.
        auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
        if (!name) return Fail("the file dialog has no file name box");
        QTest::keyClicks(name, dir_.filePath("naca0012.dat"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    form.activateWindow();
    Expect(QTest::qWaitForWindowActive(&form), "the main window is active");
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QTest::qWait(300);
    Expect(state_->NP > 0 && state_->INNAME == "naca0012.dat", "File > Open... reads naca0012.dat");
    Click(&form, "Cmd_Geom");
    Click(&form, "Cmd_Pictf");
    Place(Find<Form_KSM>(), 0, 520);
    Place(form.AirfoilWindow(), 900, 0);
    Shot("second_file");

    // A word among the numbers: the message names file, line and word; naca0012.dat stays.
    PickFile("naca0012_word.dat");
    Answer("bad_number", PressOk);
    Click(&form, "Cmd_InputF");
    Expect(state_->INNAME == "naca0012.dat" && form.isVisible(),
           "the bad file leaves naca0012.dat");
    // No layout keyword: the error window, whose button closes it.
    PickFile("notes.dat");
    Click(&form, "Cmd_InputF");
    QWidget* error = form.findChild<QWidget*>("Frm_err");
    if (error) error->move(300, 300);
    Shot("no_keyword");
    if (error) QTest::mouseClick(In<QPushButton>(error, "Cmd_cancel"), Qt::LeftButton);
    Expect(error && !error->isVisible() && form.isVisible(), "Cancel closes the error window only");
    Shot("after_bad_files");

    Log(QString("%1 shots, %2 failures").arg(shots_).arg(failures_));
    return failures_ == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_walk FOLDER\n");
        return 2;
    }
    QDir().mkpath(argv[1]);
    Walk walk(QDir(argv[1]).absolutePath());
    return walk.Run();
}
