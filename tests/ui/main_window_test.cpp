// The main window driven through its controls: start-up state, options, file naming, Input
// with its refusals and the program-ending paths, Smooth and its files, the window buttons.
#include "ui/main/exit_status.h"
#include "ui/main/main_window.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace zarnfoil;
using namespace zarnfoil::ui;

namespace {

// One program run: a folder of section files, the foil state and the main window, whose
// program-ending path only notes the exit status.
struct Session {
    QTemporaryDir dir;
    std::unique_ptr<FoilState> s = std::make_unique<FoilState>();
    std::unique_ptr<Form_inp> form;
    QList<int> endings;

    Session() {
        form = std::make_unique<Form_inp>(*s, dir.path());
        form->SetEndProgram([this](int status) { endings << status; });
        form->show();
    }
    template <class Control = QWidget> Control* Get(const QString& name) const {
        return form->findChild<Control*>(name);
    }
    QString Text(const QString& name) const { return Get(name)->property("text").toString(); }
    bool Checked(const QString& name) const { return Get<QAbstractButton>(name)->isChecked(); }
    QString Path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    // The input path and the report's path the window derived.
    QStringList Paths() const {
        return {QString::fromStdString(s->INPATH), QString::fromStdString(s->OUTFILE1)};
    }
    // Clicks near the left end of a button: on the box of a check box or option.
    void Click(const QString& name) const {
        auto* button = Get<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    QString Write(const QString& name, const QByteArray& text) const {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return dir.filePath(name);
    }
    QString WriteNaca(const QString& name, bool fromUpper = false) const {
        return uitest::WriteNaca0012(dir.path(), name, 31, fromUpper);
    }
    int Listed() const {
        auto* file1 = Get<QListView>("File1");
        return file1->model()->rowCount(file1->rootIndex());
    }
    // Clicks the file in File1 once the file list shows it.
    bool ClickFile(const QString& name) const {
        auto* file1 = Get<QListView>("File1");
        auto* model = qobject_cast<QFileSystemModel*>(file1->model());
        QModelIndex index;
        const bool shown = QTest::qWaitFor([&] {
            index = model->index(dir.filePath(name));
            return index.isValid() && !file1->visualRect(index).isEmpty();
        });
        if (!shown) return false;
        QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, file1->visualRect(index).center());
        return true;
    }
    bool InputFile(const QString& name) const {
        if (!ClickFile(name)) return false;
        Click("Cmd_InputF");
        return true;
    }
    // After a refusal: nothing read, another file may be picked, the program goes on.
    bool NothingRead() const {
        return s->NP == 0 && Text("Txt_NP") == "NP" && Get("Cmd_InputF")->isEnabled() &&
               !Get("Cmd_Geom")->isEnabled() && Get("File1")->isEnabled() && endings.isEmpty();
    }
};

// Answers every modal message box with OK, noting its title and text.
struct MessageBoxAnswer {
    QStringList seen; // title, text, title, text, ...
    QTimer timer;

    MessageBoxAnswer() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start(10);
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsWithTheFileChoiceAndTheOptionsAct() {
        Session t;
        QCOMPARE(t.form->windowTitle(), QString("Input file"));
        const QList<std::pair<const char*, const char*>> texts{
            {"Txt_NP", "NP"},     {"Txt_Nodes", "61"}, {"Txt_SmS", "0.0"},  {"Txt_Sm", "0.05"},
            {"Txt_chord", "1.0"}, {"Txt_delx", "0.5"}, {"Txt_dely", "0.5"}, {"Txt_delz", "0.2"},
            {"Txt_delxp", "0.5"}, {"W_Dir", ""},       {"InpFile", ""},     {"Lbl_outputF", ""}};
        for (const auto& [name, text] : texts)
            QCOMPARE(t.Text(name), QString(text));
        for (const char* name : {"Cmd_InputF", "Cmd_Geom", "Cmd_Pictf", "Cmd_TC", "Cmd_Yt",
                                 "Cmd_cp", "Txt_delx", "Txt_dely"})
            QVERIFY2(!t.Get(name)->isEnabled(), name);
        QVERIFY(t.Get("Cmd_Quit")->isEnabled() && t.Get("Txt_delz")->isEnabled());
        QVERIFY(t.Get("Txt_Nodes")->isHidden() && t.Get("Lbl_Nodes")->isHidden());
        QStringList checked;
        for (const QAbstractButton* button : t.form->findChildren<QAbstractButton*>())
            if (button->isChecked()) checked << button->objectName();
        checked.sort();
        QCOMPARE(checked, QStringList({"Chk_Smooth", "Opt_BC(1)", "Opt_xinp(1)"}));
        QCOMPARE(t.s->IBC, std::int16_t(0));
        QCOMPARE(t.Get<QComboBox>("Drive1")->count(), QDir::drives().size());

        t.Click("Opt_xinp(2)");
        QVERIFY(!t.Get("Lbl_Nodes")->isHidden() && !t.Get("Txt_Nodes")->isHidden());
        t.Click("Opt_xinp(0)");
        QVERIFY(t.Get("Txt_Nodes")->isHidden());
        t.Click("Chk_STL");
        QVERIFY(t.Get("Txt_delx")->isEnabled() && t.Get("Txt_dely")->isEnabled());
        QCOMPARE(t.form->Settings().outputLevel, std::int16_t(2));
        t.Click("Chk_STL");
        QVERIFY(!t.Get("Txt_delx")->isEnabled());
        t.Click("Opt_BC(0)");
        QCOMPARE(t.s->IBC, std::int16_t(1));
        t.Click("Opt_BC(1)");
        QCOMPARE(t.s->IBC, std::int16_t(0));
        t.Click("Opt_NF(1)"); // the order group only shows what the reader found
        QVERIFY(!t.Checked("Opt_NF(1)"));
        t.Click("Cmd_Quit");
        t.form->close();
        QCOMPARE(t.endings, QList<int>({kExitDone, kExitDone}));
    }

    void outputNamesTakeTheStemUpToTheFirstDot() {
        Session t;
        for (const char* name : {"wing.dat", "naca.0012.dat", "section", "notes.txt"})
            t.Write(name, "text\r\n");
        QVERIFY(t.ClickFile("wing.dat"));
        QTRY_COMPARE(t.Listed(), 2); // "Input Files (*.dat)"
        t.Get<QComboBox>("ComboFT")->setCurrentIndex(1);
        QTRY_COMPARE(t.Listed(), 4);
        const std::pair<const char*, QString> names[] = {
            {"wing.dat", "wing."}, {"naca.0012.dat", "naca."}, {"section", ""}};
        for (const auto& [file, stem] : names) {
            QVERIFY2(t.ClickFile(file), file);
            QCOMPARE(t.Paths(), QStringList({t.Path(file), t.Path(stem + "out1")}));
            QCOMPARE(t.s->INNAME, std::string(file));
            QCOMPARE(QStringList({t.Text("Lbl_outputF"), t.Text("InpFile"), t.Text("W_Dir")}),
                     QStringList({stem + "out1", file, QDir::toNativeSeparators(t.dir.path())}));
            QVERIFY(t.Get("Cmd_InputF")->isEnabled());
        }
        // A file at a root: no doubled separator.
        const QString root = QDir::toNativeSeparators(QDir::rootPath());
        t.form->PickFile(root, "wing.dat");
        QCOMPARE(t.Paths(), QStringList({root + "wing.dat", root + "wing.out1"}));
        QCOMPARE(t.Text("W_Dir"), root);
    }

    void inputReadsTheSectionOncePerRun() {
        Session t;
        t.WriteNaca("naca61.dat");
        t.s->NCP = 7; // computations of the pressure window for an earlier section
        QVERIFY(t.InputFile("naca61.dat"));
        QCOMPARE(QList<int>({t.s->NP, t.s->NCP, t.s->SMOOTH}), QList<int>({61, 0, 1}));
        QCOMPARE(t.Text("Txt_NP"), QString("61"));
        QVERIFY(t.Checked("Opt_NF(2)"));
        QVERIFY(!t.Get("Cmd_InputF")->isEnabled() && !t.Get("File1")->isEnabled());
        QVERIFY(t.Get("Cmd_Geom")->isEnabled() && t.endings.isEmpty());

        // Points from the upper trailing edge, a cosine grid of the typed nodes, no smoothing.
        Session u;
        u.WriteNaca("upper.dat", true);
        u.Click("Chk_Smooth");
        u.Click("Opt_xinp(2)");
        u.Get<QLineEdit>("Txt_Nodes")->setText("41");
        QVERIFY(u.InputFile("upper.dat"));
        QVERIFY(u.Checked("Opt_NF(1)") && !u.Checked("Opt_NF(2)"));
        QCOMPARE(QList<int>({u.s->NNODES, u.s->SMOOTH}), QList<int>({41, 0}));
        QVERIFY(u.s->Y(10) < 0); // stored from the lower trailing edge
    }

    void inputRefusalsEndTheProgramOrChangeNothing() {
        {
            Session t; // an empty line after the data: line 64
            t.Write("bad.dat", uitest::ReadAll(t.WriteNaca("bad.dat")) + "\r\n");
            MessageBoxAnswer box;
            QVERIFY(t.InputFile("bad.dat"));
            QCOMPARE(box.seen, QStringList({t.Path("bad.dat"),
                                            "Error in input file: bad.dat line:64.\n"
                                            "Remove all empty lines in the end of input file.\n"
                                            "JOB TERMINATED !"}));
            QCOMPARE(t.endings, QList<int>({kExitBadLine}));
        }
        Session t;
        t.Write("nokey.dat", "no layout here\r\n0.0 0.0\r\n1.0 0.0\r\n");
        QVERIFY(t.InputFile("nokey.dat"));
        auto* error = t.form->findChild<QWidget*>("Frm_err");
        QVERIFY(error);
        QTRY_VERIFY(error->isVisible());
        QCOMPARE(error->windowTitle(), QString("Error"));
        QCOMPARE(error->findChild<QLabel*>("Lbl_nsw")->text(), QString(kNoKeywordMessage));
        QVERIFY(t.NothingRead());
        uitest::SaveShot(*error, "Frm_err");

        // More points than a section holds, and a file gone before Input: a message box each.
        QByteArray large = "too many points\r\nX Y D\r\n";
        for (int i = 0; i < 402; ++i)
            large += QByteArray::number(i / 402.0) + " 0.01\r\n";
        t.Write("large.dat", large);
        const QString gone = t.WriteNaca("gone.dat");
        for (const auto& [name, shown] :
             {std::pair{"large.dat", "401"}, {"gone.dat", "gone.dat"}}) {
            QVERIFY(t.ClickFile(name));
            if (QString(name) == "gone.dat") QVERIFY(QFile::remove(gone));
            MessageBoxAnswer box;
            t.Click("Cmd_InputF");
            QCOMPARE(box.seen.size(), 2);
            QVERIFY2(box.seen[1].contains(shown), qPrintable(box.seen[1]));
            QVERIFY(t.NothingRead());
        }
        auto* cancel = error->findChild<QPushButton*>("Cmd_cancel");
        QCOMPARE(cancel->text(), QString("Cancel"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(t.endings, QList<int>({kExitNoKeyword}));
    }

    void smoothWritesWhatTheBatchCommandWritesAndOpensTheWindows() {
        Session t;
        int curvatureShown = 0, pressureShown = 0;
        t.form->SetCurvatureWindow([&] { ++curvatureShown; });
        t.form->SetPressureWindow([&] { ++pressureShown; });
        const QString path = t.WriteNaca("naca61.dat");
        t.Get<QLineEdit>("Txt_SmS")->setText("0.0004");
        t.Click("Opt_BC(0)");
        QVERIFY(t.InputFile("naca61.dat"));
        t.Click("Chk_STL");
        QCOMPARE(curvatureShown, 0);
        t.Click("Cmd_Geom");
        QCOMPARE(t.form->SmoothParams().DSMOOTH, 0.0004f);
        QCOMPARE(uitest::UnlikeTheBatchCommand(
                     {path, "--strip", "0.0004", "--bc", "1", "--stl"}, t.dir.path(),
                     {"naca61.out1", "naca61.out2", "naca61.stl", "naca61.stl.prop"}),
                 QStringList());
        uitest::SaveShot(*t.form, "Form_inp");
        t.Click("Cmd_Geom");
        QCOMPARE(curvatureShown, 2); // at every Smooth
        t.Click("Cmd_cp");
        QCOMPARE(pressureShown, 1);

        // Each plot window opens once; closed, it opens anew with a fresh view.
        const std::pair<const char*, std::function<PlotWindow*()>> buttons[] = {
            {"Cmd_Pictf", [&] { return t.form->AirfoilWindow(); }},
            {"Cmd_TC", [&] { return t.form->ThicknessCamberWindow(); }},
            {"Cmd_Yt", [&] { return t.form->LeadingEdgeWindow(); }},
        };
        for (const auto& [button, window] : buttons) {
            QVERIFY(!window());
            t.Click(button);
            PlotWindow* first = window();
            QVERIFY2(first && QTest::qWaitForWindowExposed(first), button);
            const float loadedXC = first->View().VIEW_XC;
            QTest::mousePress(&first->Picture1(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
            QTest::mouseRelease(&first->Picture1(), Qt::LeftButton, Qt::NoModifier, QPoint(90, 60));
            const float pannedXC = first->View().VIEW_XC;
            QVERIFY(pannedXC != loadedXC);
            t.Click(button); // open: only brought to the front, its view kept
            QVERIFY(window() == first && first->View().VIEW_XC == pannedXC);
            QPointer<PlotWindow> closed = first;
            first->close();
            QTRY_VERIFY(closed.isNull()); // deleted on closing
            t.Click(button);
            QVERIFY(window() && window()->isVisible());
            QCOMPARE(window()->View().VIEW_XC, loadedXC);
        }
    }

    void smoothStripFollowsTheCheckBoxAndTheText() {
        Session t;
        t.WriteNaca("naca61.dat");
        QVERIFY(t.InputFile("naca61.dat"));
        for (const auto& [text, smoothing, strip] : {std::tuple{"0.0005mm", true, 0.0005f},
                                                     {"-0.3", true, 0.0f},
                                                     {"0.0007", false, 0.0f}}) {
            t.Get<QLineEdit>("Txt_SmS")->setText(text);
            if (t.Checked("Chk_Smooth") != smoothing) t.Click("Chk_Smooth");
            t.Click("Cmd_Geom");
            QCOMPARE(t.form->SmoothParams().DSMOOTH, strip);
        }
        const CommandSettings settings = t.form->Settings();
        QCOMPARE(settings.stripText + " " + settings.maxStripText, std::string("0.0007 0.05"));
        QVERIFY(!settings.smoothing && !settings.withoutRotation);
        for (const char* name : {"Cmd_Pictf", "Cmd_TC", "Cmd_Yt"})
            QVERIFY2(t.Get(name)->isEnabled(), name);
        QVERIFY(!t.Get("Cmd_cp")->isEnabled()); // no pressure window plugged in
        QVERIFY(!QFile::exists(t.dir.filePath("naca61.stl")));
        t.Click("Chk_rotate");
        t.Click("Cmd_Geom");
        QCOMPARE(t.s->NOROT, std::int16_t(1));
        QVERIFY(t.form->Settings().withoutRotation);
    }

    void failedSmoothIsReported() {
        Session t;
        t.WriteNaca("naca61.dat");
        QVERIFY(QDir(t.dir.path()).mkdir("naca61.out1")); // a folder where the report goes
        // Two points at the same place on the upper surface: the parameter cannot increase.
        Session r;
        QByteArray text = "repeated point\r\nX Y D\r\n";
        for (const char* line : {"1 -0.002", "0.5 -0.05", "0 0", "0.5 0.05", "0.5 0.05", "1 0.002"})
            text += QByteArray(line) + "\r\n";
        r.Write("repeated.dat", text);
        r.Click("Opt_xinp(2)");
        for (const auto& [session, file, message] :
             {std::tuple{&t, "naca61.dat", "naca61.out1"}, {&r, "repeated.dat", "parameter"}}) {
            QVERIFY(session->InputFile(file));
            MessageBoxAnswer box;
            session->Click("Cmd_Geom");
            QCOMPARE(box.seen.size(), 2);
            QVERIFY2(box.seen[0] == "Smooth" && box.seen[1].contains(message),
                     qPrintable(box.seen[1]));
        }
        // The section holds the run's results even when its files could not be written.
        QVERIFY(t.s->ILE > 0 && t.Get("Cmd_Pictf")->isEnabled());
        QVERIFY(!r.Get("Cmd_Pictf")->isEnabled());
        QVERIFY(!QFile::exists(r.dir.filePath("repeated.out1")));
    }

    void bundledExamplesReadSmoothAndPlot() {
        const QDir examples(QString(ZARNFOIL_SOURCE_DIR) + "/examples");
        const QStringList files = examples.entryList({"*.dat"}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files) {
            if (name.compare("X_INP.DAT", Qt::CaseInsensitive) == 0) continue;
            Session t; // a copy, so the output files stay out of the examples folder
            QVERIFY(QFile::copy(examples.filePath(name), t.dir.filePath(name)));
            QVERIFY2(t.InputFile(name), qPrintable(name));
            t.Click("Cmd_Geom");
            const QString stem = QFileInfo(name).completeBaseName();
            QVERIFY2(QFile::exists(t.dir.filePath(stem + ".out1")), qPrintable(name));
            for (const char* button : {"Cmd_Pictf", "Cmd_TC", "Cmd_Yt"})
                t.Click(button);
            Form_PW* airfoil = t.form->AirfoilWindow();
            QVERIFY(airfoil && t.form->ThicknessCamberWindow() && t.form->LeadingEdgeWindow());
            QVERIFY(!airfoil->Picture1().canvas().Segments().empty());
            uitest::SaveShot(*airfoil, "Form_PW_" + stem);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
