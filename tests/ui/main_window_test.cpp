// The main window driven through its controls: start-up state, options, file naming, Input
// with its refusals and the program-ending paths, Smooth and its files, the window buttons.
#include "cli/batch_job.h"
#include "files/section_reader.h"
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

#include <memory>
#include <sstream>

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
    template <class Control> Control* Get(const QString& name) const {
        auto* control = form->findChild<Control*>(name);
        if (!control) qWarning("no control %s", qPrintable(name));
        return control;
    }
    QString Path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    std::string Native(const QString& name) const { return Path(name).toStdString(); }
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
};

// Answers the next modal message box with OK, noting its title and text.
class MessageBoxAnswer : public QObject {
  public:
    QString title, text;
    int answered = 0;

    MessageBoxAnswer() {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            text = box->text();
            ++answered;
            timer_.stop();
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }

  private:
    QTimer timer_;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsWithOnlyTheFileChoiceAndQuitUsable();
    void optionsShowAndEnableTheirControls();
    void fileClicksDeriveTheOutputNames();
    void filePatternChoosesWhatFile1Lists();
    void fileAtARootGetsNoDoubledSeparator();

    void inputReadsTheSectionOncePerRun();
    void inputShowsThePointOrderFound();
    void badDataLineEndsTheProgramAfterTheMessage();
    void fileWithoutKeywordShowsTheErrorWindow();
    void refusedFilesShowAMessageAndChangeNothing();

    void smoothWritesWhatTheBatchCommandWrites();
    void smoothWithStlCheckedWritesTheStlFiles();
    void smoothStripFollowsTheCheckBoxAndTheText();
    void unwritableOutputIsReportedAndKeepsTheResults();
    void refusedRunIsReportedAndEnablesNothing();
    void laterWindowsPlugIntoTheirHooks();

    void plotWindowsOpenOnceAndAnewAfterClosing();
    void bundledExamplesReadSmoothAndPlot();
    void quitAndClosingEndTheProgram();
};

void MainWindowTest::startsWithOnlyTheFileChoiceAndQuitUsable() {
    Session t;
    QCOMPARE(t.form->windowTitle(), QString("Input file"));
    for (const char* name : {"Cmd_InputF", "Cmd_Geom", "Cmd_Pictf", "Cmd_TC", "Cmd_Yt", "Cmd_cp"})
        QVERIFY2(!t.Get<QPushButton>(name)->isEnabled(), name);
    QVERIFY(t.Get<QPushButton>("Cmd_Quit")->isEnabled());
    const QList<std::pair<const char*, const char*>> texts{
        {"Txt_NP", "NP"},    {"Txt_Nodes", "61"},  {"Txt_SmS", "0.0"},
        {"Txt_Sm", "0.05"},  {"Txt_chord", "1.0"}, {"Txt_delx", "0.5"},
        {"Txt_dely", "0.5"}, {"Txt_delz", "0.2"},  {"Txt_delxp", "0.5"}};
    for (const auto& [name, text] : texts)
        QCOMPARE(t.Get<QLineEdit>(name)->text(), QString(text));
    QVERIFY(!t.Get<QLineEdit>("Txt_delx")->isEnabled());
    QVERIFY(!t.Get<QLineEdit>("Txt_dely")->isEnabled());
    QVERIFY(t.Get<QLineEdit>("Txt_delz")->isEnabled());
    QVERIFY(t.Get<QLineEdit>("Txt_Nodes")->isHidden());
    QVERIFY(t.Get<QLabel>("Lbl_Nodes")->isHidden());
    QVERIFY(t.Get<QRadioButton>("Opt_xinp(1)")->isChecked());
    QVERIFY(t.Get<QRadioButton>("Opt_BC(1)")->isChecked());
    QCOMPARE(t.s->IBC, std::int16_t(0));
    for (const char* name : {"Opt_NF(0)", "Opt_NF(1)", "Opt_NF(2)"})
        QVERIFY(!t.Get<QRadioButton>(name)->isChecked());
    QVERIFY(t.Get<QCheckBox>("Chk_Smooth")->isChecked());
    QVERIFY(!t.Get<QCheckBox>("Chk_STL")->isChecked());
    QVERIFY(!t.Get<QCheckBox>("Chk_rotate")->isChecked());
    auto* comboFT = t.Get<QComboBox>("ComboFT");
    QCOMPARE(comboFT->count(), 2);
    QCOMPARE(comboFT->currentText(), QString("Input Files (*.dat)"));
    QCOMPARE(comboFT->itemText(1), QString("All Files (*.*)"));
    QCOMPARE(t.Get<QComboBox>("Drive1")->count(), QDir::drives().size());
    for (const char* name : {"W_Dir", "InpFile", "Lbl_outputF"})
        QCOMPARE(t.Get<QLabel>(name)->text(), QString());
    QCOMPARE(t.Get<QLabel>("Lbl_NP")->text(),
             QString("the dimension of the input arrays X,  Y  and  D "));
    QCOMPARE(t.Get<QRadioButton>("Opt_NF(0)")->text(),
             QString(" from l.e to t.e for upper and lower surfaces  "));
    QCOMPARE(t.Get<QWidget>("Frame1")->property("title").toString(), QString("new   X - grid"));
}

void MainWindowTest::optionsShowAndEnableTheirControls() {
    Session t;
    t.Click("Opt_xinp(2)");
    QVERIFY(!t.Get<QLabel>("Lbl_Nodes")->isHidden());
    QVERIFY(!t.Get<QLineEdit>("Txt_Nodes")->isHidden());
    QCOMPARE(t.Get<QLabel>("Lbl_Nodes")->text(), QString("Number of X nodes ="));
    t.Click("Opt_xinp(0)");
    QVERIFY(t.Get<QLineEdit>("Txt_Nodes")->isHidden());
    t.Click("Chk_STL");
    QVERIFY(t.Get<QLineEdit>("Txt_delx")->isEnabled());
    QVERIFY(t.Get<QLineEdit>("Txt_dely")->isEnabled());
    QCOMPARE(t.form->Settings().outputLevel, std::int16_t(2));
    t.Click("Chk_STL");
    QVERIFY(!t.Get<QLineEdit>("Txt_delx")->isEnabled());
    t.Click("Opt_BC(0)");
    QCOMPARE(t.s->IBC, std::int16_t(1));
    t.Click("Opt_BC(1)");
    QCOMPARE(t.s->IBC, std::int16_t(0));
    // The order group only shows what the reader found.
    t.Click("Opt_NF(1)");
    QVERIFY(!t.Get<QRadioButton>("Opt_NF(1)")->isChecked());
}

void MainWindowTest::fileClicksDeriveTheOutputNames() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "wing.dat", 31);
    uitest::WriteNaca0012(t.dir.path(), "naca.0012.dat", 31);
    QVERIFY(t.ClickFile("wing.dat"));
    QVERIFY(t.Get<QPushButton>("Cmd_InputF")->isEnabled());
    QCOMPARE(t.s->INPATH, t.Native("wing.dat"));
    QCOMPARE(t.s->INNAME, std::string("wing.dat"));
    QCOMPARE(t.s->OUTFILE1, t.Native("wing.out1"));
    QCOMPARE(t.s->OUTFILE2, t.Native("wing.out2"));
    QCOMPARE(t.s->STLFILE, t.Native("wing.stl"));
    QCOMPARE(t.s->STLPROPFILE, t.Native("wing.stl.prop"));
    QCOMPARE(t.Get<QLabel>("Lbl_outputF")->text(), QString("wing.out1"));
    QCOMPARE(t.Get<QLabel>("InpFile")->text(), QString("wing.dat"));
    QCOMPARE(t.Get<QLabel>("W_Dir")->text(), QDir::toNativeSeparators(t.dir.path()));

    QVERIFY(t.ClickFile("naca.0012.dat")); // the stem ends at the first dot
    QCOMPARE(t.s->OUTFILE1, t.Native("naca.out1"));
    QCOMPARE(t.s->STLPROPFILE, t.Native("naca.stl.prop"));
    QCOMPARE(t.Get<QLabel>("Lbl_outputF")->text(), QString("naca.out1"));
    QCOMPARE(t.s->INPATH, t.Native("naca.0012.dat"));
}

void MainWindowTest::filePatternChoosesWhatFile1Lists() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "wing.dat", 31);
    t.Write("section", "no dot\r\n");
    t.Write("notes.txt", "text\r\n");
    QVERIFY(t.ClickFile("wing.dat"));
    auto* file1 = t.Get<QListView>("File1");
    QCOMPARE(file1->model()->rowCount(file1->rootIndex()), 1);
    t.Get<QComboBox>("ComboFT")->setCurrentIndex(1);
    QTRY_COMPARE(file1->model()->rowCount(file1->rootIndex()), 3);
    QVERIFY(t.ClickFile("section")); // a name without a dot: bare names
    QCOMPARE(t.s->OUTFILE1, t.Native("out1"));
    QCOMPARE(t.s->OUTFILE2, t.Native("out2"));
    QCOMPARE(t.s->STLFILE, t.Native("stl"));
    QCOMPARE(t.s->STLPROPFILE, t.Native("stl.prop"));
    QCOMPARE(t.Get<QLabel>("Lbl_outputF")->text(), QString("out1"));
}

void MainWindowTest::fileAtARootGetsNoDoubledSeparator() {
    Session t;
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    t.form->PickFile(root, "wing.dat");
    QCOMPARE(QString::fromStdString(t.s->INPATH), root + "wing.dat");
    QCOMPARE(QString::fromStdString(t.s->OUTFILE1), root + "wing.out1");
    QCOMPARE(QString::fromStdString(t.s->STLPROPFILE), root + "wing.stl.prop");
    QCOMPARE(t.Get<QLabel>("W_Dir")->text(), root);
}

void MainWindowTest::inputReadsTheSectionOncePerRun() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
    t.s->NCP = 7; // computations of the pressure window for an earlier section
    QVERIFY(t.InputFile("naca61.dat"));
    QCOMPARE(t.s->NP, std::int16_t(61));
    QCOMPARE(t.Get<QLineEdit>("Txt_NP")->text(), QString("61"));
    QVERIFY(t.Get<QRadioButton>("Opt_NF(2)")->isChecked());
    QVERIFY(!t.Get<QPushButton>("Cmd_InputF")->isEnabled());
    QVERIFY(t.Get<QPushButton>("Cmd_Geom")->isEnabled());
    QVERIFY(!t.Get<QListView>("File1")->isEnabled());
    QCOMPARE(t.s->NCP, std::int16_t(0));
    QCOMPARE(t.s->SMOOTH, std::int16_t(1));
    QVERIFY(t.endings.isEmpty());
}

void MainWindowTest::inputShowsThePointOrderFound() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "upper.dat", 31, true);
    t.Click("Chk_Smooth");
    t.Click("Opt_xinp(2)");
    t.Get<QLineEdit>("Txt_Nodes")->setText("41");
    QVERIFY(t.InputFile("upper.dat"));
    QVERIFY(t.Get<QRadioButton>("Opt_NF(1)")->isChecked());
    QVERIFY(!t.Get<QRadioButton>("Opt_NF(2)")->isChecked());
    QCOMPARE(t.s->NNODES, std::int16_t(41));
    QCOMPARE(t.s->SMOOTH, std::int16_t(0));
    QVERIFY(t.s->Y(10) < 0); // stored from the lower trailing edge
}

void MainWindowTest::badDataLineEndsTheProgramAfterTheMessage() {
    Session t;
    const QString path = uitest::WriteNaca0012(t.dir.path(), "bad.dat", 31);
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write("\r\n"); // an empty line after the data: line 64
    file.close();
    MessageBoxAnswer box;
    QVERIFY(t.InputFile("bad.dat"));
    QCOMPARE(box.answered, 1);
    QCOMPARE(box.title, t.Path("bad.dat"));
    QCOMPARE(box.text, QString("Error in input file: bad.dat line:64.\n"
                               "Remove all empty lines in the end of input file.\n"
                               "JOB TERMINATED !"));
    QCOMPARE(t.endings, QList<int>({kExitBadLine}));
}

void MainWindowTest::fileWithoutKeywordShowsTheErrorWindow() {
    Session t;
    t.Write("nokey.dat", "no layout here\r\n0.0 0.0\r\n1.0 0.0\r\n");
    QVERIFY(t.InputFile("nokey.dat"));
    auto* error = t.form->findChild<QWidget*>("Frm_err");
    QVERIFY(error);
    QTRY_VERIFY(error->isVisible());
    QCOMPARE(error->windowTitle(), QString("Error"));
    QCOMPARE(error->findChild<QLabel*>("Lbl_nsw")->text(), QString(kNoKeywordMessage));
    // Nothing changed: another file may be picked.
    QCOMPARE(t.s->NP, std::int16_t(0));
    QCOMPARE(t.Get<QLineEdit>("Txt_NP")->text(), QString("NP"));
    QVERIFY(t.Get<QPushButton>("Cmd_InputF")->isEnabled());
    QVERIFY(!t.Get<QPushButton>("Cmd_Geom")->isEnabled());
    QVERIFY(t.Get<QListView>("File1")->isEnabled());
    QVERIFY(t.endings.isEmpty());
    uitest::SaveShot(*error, "Frm_err");

    auto* cancel = error->findChild<QPushButton*>("Cmd_cancel");
    QCOMPARE(cancel->text(), QString("Cancel"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(t.endings, QList<int>({kExitNoKeyword}));
}

void MainWindowTest::refusedFilesShowAMessageAndChangeNothing() {
    Session t;
    QByteArray large = "too many points\r\nX Y D\r\n";
    for (int i = 0; i < 402; ++i)
        large += QByteArray::number(i / 402.0) + " 0.01\r\n";
    t.Write("large.dat", large);
    {
        MessageBoxAnswer box;
        QVERIFY(t.InputFile("large.dat"));
        QCOMPARE(box.answered, 1);
        QVERIFY2(box.text.contains("401"), qPrintable(box.text));
    }
    const QString gone = uitest::WriteNaca0012(t.dir.path(), "gone.dat", 31);
    QVERIFY(t.ClickFile("gone.dat"));
    QVERIFY(QFile::remove(gone));
    {
        MessageBoxAnswer box;
        t.Click("Cmd_InputF");
        QCOMPARE(box.answered, 1);
        QVERIFY2(box.text.contains("gone.dat"), qPrintable(box.text));
    }
    QCOMPARE(t.s->NP, std::int16_t(0));
    QVERIFY(t.Get<QPushButton>("Cmd_InputF")->isEnabled());
    QVERIFY(!t.Get<QPushButton>("Cmd_Geom")->isEnabled());
    QVERIFY(t.endings.isEmpty());
}

void MainWindowTest::smoothWritesWhatTheBatchCommandWrites() {
    Session t;
    const QString path = uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
    t.Get<QLineEdit>("Txt_SmS")->setText("0.0004");
    t.Click("Opt_BC(0)");
    QVERIFY(t.InputFile("naca61.dat"));
    t.Click("Cmd_Geom");
    for (const char* name : {"Cmd_Pictf", "Cmd_TC", "Cmd_Yt"})
        QVERIFY2(t.Get<QPushButton>(name)->isEnabled(), name);
    QVERIFY(!t.Get<QPushButton>("Cmd_cp")->isEnabled()); // no pressure window plugged in
    QVERIFY(!QFile::exists(t.dir.filePath("naca61.stl")));
    uitest::SaveShot(*t.form, "Form_inp");

    batch::BatchOptions options;
    options.file = path.toStdString();
    options.stripText = "0.0004";
    options.IBC = 1;
    options.outdir = t.dir.filePath("batch").toStdString();
    QVERIFY(QDir().mkpath(t.dir.filePath("batch")));
    auto batchState = std::make_unique<FoilState>();
    std::ostringstream out, err;
    QCOMPARE(batch::RunBatchJob(options, *batchState, out, err), 0);
    for (const char* name : {"naca61.out1", "naca61.out2"}) {
        const QByteArray window = ReadAll(t.dir.filePath(name));
        QVERIFY(window.size() > 1000);
        QCOMPARE(window, ReadAll(t.dir.filePath(QString("batch/") + name)));
    }
    QCOMPARE(t.form->SmoothParams().DSMOOTH, 0.0004f);
}

void MainWindowTest::smoothWithStlCheckedWritesTheStlFiles() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
    QVERIFY(t.InputFile("naca61.dat"));
    t.Click("Chk_STL");
    t.Click("Cmd_Geom");
    QVERIFY(ReadAll(t.dir.filePath("naca61.stl")).startsWith("solid"));
    QVERIFY(QFile::exists(t.dir.filePath("naca61.stl.prop")));
    QVERIFY(QFile::exists(t.dir.filePath("naca61.out1")));
}

void MainWindowTest::smoothStripFollowsTheCheckBoxAndTheText() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
    QVERIFY(t.InputFile("naca61.dat"));
    auto* strip = t.Get<QLineEdit>("Txt_SmS");
    strip->setText("0.0005mm"); // read as far as it is a number
    t.Click("Cmd_Geom");
    QCOMPARE(t.form->SmoothParams().DSMOOTH, 0.0005f);
    strip->setText("-0.3");
    t.Click("Cmd_Geom");
    QCOMPARE(t.form->SmoothParams().DSMOOTH, 0.0f);
    QCOMPARE(t.form->SmoothParams().DSMOOTH_OLD, 0.0f);
    strip->setText("0.0007");
    t.Click("Chk_Smooth");
    t.Click("Cmd_Geom");
    QCOMPARE(t.form->SmoothParams().DSMOOTH, 0.0f);
    const CommandSettings settings = t.form->Settings();
    QCOMPARE(settings.stripText, std::string("0.0007"));
    QCOMPARE(settings.maxStripText, std::string("0.05"));
    QVERIFY(!settings.smoothing);
    QVERIFY(!settings.withoutRotation);
}

void MainWindowTest::unwritableOutputIsReportedAndKeepsTheResults() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
    QVERIFY(QDir(t.dir.path()).mkdir("naca61.out1")); // a folder where the report goes
    QVERIFY(t.InputFile("naca61.dat"));
    MessageBoxAnswer box;
    t.Click("Cmd_Geom");
    QCOMPARE(box.answered, 1);
    QCOMPARE(box.title, QString("Smooth"));
    QVERIFY2(box.text.contains("naca61.out1"), qPrintable(box.text));
    QVERIFY(t.s->ILE > 0); // the section holds the run's results
    QVERIFY(t.Get<QPushButton>("Cmd_Pictf")->isEnabled());
}

void MainWindowTest::refusedRunIsReportedAndEnablesNothing() {
    Session t;
    // Two points at the same place on the upper surface: the parameter cannot increase.
    QByteArray text = "repeated point\r\nX Y D\r\n";
    const double xs[] = {1, 0.5, 0, 0.5, 0.5, 1};
    const double ys[] = {-0.002, -0.05, 0, 0.05, 0.05, 0.002};
    for (int i = 0; i < 6; ++i)
        text += QByteArray::number(xs[i]) + " " + QByteArray::number(ys[i]) + "\r\n";
    t.Write("repeated.dat", text);
    t.Click("Opt_xinp(2)");
    QVERIFY(t.InputFile("repeated.dat"));
    QCOMPARE(t.s->NP, std::int16_t(6));
    MessageBoxAnswer box;
    t.Click("Cmd_Geom");
    QCOMPARE(box.answered, 1);
    QCOMPARE(box.title, QString("Smooth"));
    QVERIFY(!t.Get<QPushButton>("Cmd_Pictf")->isEnabled());
    QVERIFY(!QFile::exists(t.dir.filePath("repeated.out1")));
}

void MainWindowTest::laterWindowsPlugIntoTheirHooks() {
    Session t;
    int curvatureShown = 0, pressureShown = 0;
    t.form->SetCurvatureWindow([&] { ++curvatureShown; });
    t.form->SetPressureWindow([&] { ++pressureShown; });
    uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
    QVERIFY(t.InputFile("naca61.dat"));
    QCOMPARE(curvatureShown, 0);
    t.Click("Cmd_Geom");
    QCOMPARE(curvatureShown, 1);
    t.Click("Cmd_Geom");
    QCOMPARE(curvatureShown, 2);
    QVERIFY(t.Get<QPushButton>("Cmd_cp")->isEnabled());
    t.Click("Cmd_cp");
    QCOMPARE(pressureShown, 1);
}

void MainWindowTest::plotWindowsOpenOnceAndAnewAfterClosing() {
    Session t;
    uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
    QVERIFY(t.InputFile("naca61.dat"));
    t.Click("Cmd_Geom");
    const std::pair<const char*, std::function<PlotWindow*()>> buttons[] = {
        {"Cmd_Pictf", [&] { return t.form->AirfoilWindow(); }},
        {"Cmd_TC", [&] { return t.form->ThicknessCamberWindow(); }},
        {"Cmd_Yt", [&] { return t.form->LeadingEdgeWindow(); }},
    };
    for (const auto& [button, window] : buttons) {
        QVERIFY(!window());
        t.Click(button);
        PlotWindow* first = window();
        QVERIFY2(first && first->isVisible(), button);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        const float loadedXC = first->View().VIEW_XC;
        QTest::mousePress(&first->Picture1(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseRelease(&first->Picture1(), Qt::LeftButton, Qt::NoModifier, QPoint(90, 60));
        const float pannedXC = first->View().VIEW_XC;
        QVERIFY(pannedXC != loadedXC);
        t.Click(button); // open: only brought to the front, its view kept
        QCOMPARE(window(), first);
        QCOMPARE(first->View().VIEW_XC, pannedXC);

        QPointer<PlotWindow> closed = first;
        first->close();
        QTRY_VERIFY(closed.isNull()); // deleted on closing
        t.Click(button);
        QVERIFY(window() && window()->isVisible());
        QCOMPARE(window()->View().VIEW_XC, loadedXC); // a fresh view
    }
}

void MainWindowTest::bundledExamplesReadSmoothAndPlot() {
    const QDir examples(QString(ZARNFOIL_SOURCE_DIR) + "/examples");
    const QStringList files = examples.entryList({"*.dat"}, QDir::Files);
    if (files.isEmpty()) QSKIP("no bundled examples");
    for (const QString& name : files) {
        if (name.compare("X_INP.DAT", Qt::CaseInsensitive) == 0) continue;
        Session t; // a copy, so the output files stay out of the examples folder
        QVERIFY(QFile::copy(examples.filePath(name), t.dir.filePath(name)));
        QVERIFY2(t.InputFile(name), qPrintable(name));
        QVERIFY2(t.Get<QPushButton>("Cmd_Geom")->isEnabled(), qPrintable(name));
        t.Click("Cmd_Geom");
        QVERIFY2(QFile::exists(t.dir.filePath(QFileInfo(name).completeBaseName() + ".out1")),
                 qPrintable(name));
        for (const char* button : {"Cmd_Pictf", "Cmd_TC", "Cmd_Yt"}) t.Click(button);
        Form_PW* airfoil = t.form->AirfoilWindow();
        QVERIFY(airfoil && t.form->ThicknessCamberWindow() && t.form->LeadingEdgeWindow());
        QVERIFY(!airfoil->Picture1().canvas().Segments().empty());
        uitest::SaveShot(*airfoil, "Form_PW_" + QFileInfo(name).completeBaseName());
    }
}

void MainWindowTest::quitAndClosingEndTheProgram() {
    Session t;
    t.Click("Cmd_Quit");
    QCOMPARE(t.endings, QList<int>({kExitDone}));
    t.form->close();
    QCOMPARE(t.endings, QList<int>({kExitDone, kExitDone}));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
