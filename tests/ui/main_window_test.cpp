// The main window driven through its controls: start-up state and options, file naming, Input
// with its refusals and program-ending paths, Smooth with its files and the plot windows.
#include "files/exit_status.h"
#include "ui/main/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zarnfoil;
using namespace zarnfoil::ui;

namespace {

// One program run: a folder of section files, the foil state and the main window, whose
// program-ending path only notes the exit status.
struct Session {
    QTemporaryDir dir;
    std::unique_ptr<FoilState> s = std::make_unique<FoilState>();
    std::unique_ptr<Form_inp> form = std::make_unique<Form_inp>(*s, dir.path());
    QList<int> endings;

    Session() {
        form->SetEndProgram([this](int status) { endings << status; });
        form->show();
    }
    QWidget* Get(const QString& name) const { return form->findChild<QWidget*>(name); }
    QString Text(const QString& name) const { return Get(name)->property("text").toString(); }
    bool On(const QString& name) const { return Get(name)->isEnabled(); }
    bool Checked(const QString& name) const { return Get(name)->property("checked").toBool(); }
    QString Path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    // Clicks near the left end of a button: on the box of a check box or option.
    void Click(const QString& name) const {
        QTest::mouseClick(Get(name), Qt::LeftButton, {}, QPoint(8, Get(name)->height() / 2));
    }
    void Write(const QString& name, const QByteArray& text) const { // at the file's end
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::Append) && file.write(text) == text.size());
    }
    // Clicks the file in File1 once the file list shows it.
    bool ClickFile(const QString& name) const {
        auto* file1 = form->findChild<QListView*>("File1");
        QModelIndex index;
        if (!QTest::qWaitFor([&] {
                index = qobject_cast<QFileSystemModel*>(file1->model())->index(dir.filePath(name));
                return index.isValid() && !file1->visualRect(index).isEmpty();
            }))
            return false;
        QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, file1->visualRect(index).center());
        return true;
    }
    bool InputFile(const QString& name) const {
        if (!ClickFile(name)) return false;
        Click("Cmd_InputF");
        return true;
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
        QStringList texts{t.form->windowTitle()}, checked;
        for (const char* name : {"Txt_NP", "Txt_Nodes", "Txt_SmS", "Txt_Sm", "Txt_chord",
                                 "Txt_delx", "Txt_dely", "Txt_delz", "Txt_delxp", "Lbl_outputF"})
            texts << t.Text(name);
        QCOMPARE(texts.join(' '), QString("Input file NP 61 0.0 0.05 1.0 0.5 0.5 0.2 0.5 "));
        for (const char* name : {"Cmd_InputF", "Cmd_Geom", "Cmd_Pictf", "Cmd_TC", "Cmd_Yt",
                                 "Cmd_cp", "Txt_delx", "Txt_dely"})
            QVERIFY2(!t.On(name), name);
        QVERIFY(t.On("Cmd_Quit") && t.On("Txt_delz") && t.Get("Txt_Nodes")->isHidden());
        for (const QAbstractButton* button : t.form->findChildren<QAbstractButton*>())
            if (button->isChecked()) checked << button->objectName();
        checked.sort();
        QCOMPARE(checked, QStringList({"Chk_Smooth", "Opt_BC(1)", "Opt_xinp(1)"}));

        t.Click("Opt_xinp(2)"); // the node count shows only for the cosine grid
        QVERIFY(!t.Get("Lbl_Nodes")->isHidden() && !t.Get("Txt_Nodes")->isHidden());
        t.Click("Opt_xinp(0)");
        QVERIFY(t.Get("Txt_Nodes")->isHidden());
        t.Click("Chk_STL");
        QVERIFY(t.On("Txt_delx") && t.On("Txt_dely") && t.form->Settings().outputLevel == 2);
        t.Click("Chk_STL");
        QCOMPARE(t.s->IBC, std::int16_t(0));
        t.Click("Opt_BC(0)");
        QVERIFY(!t.On("Txt_delx") && t.s->IBC == 1);
        t.Click("Cmd_Quit");
        t.form->close();
        QCOMPARE(t.endings, QList<int>({kExitDone, kExitDone}));
    }

    void outputNamesTakeTheStemUpToTheFirstDot() {
        Session t;
        for (const char* name : {"wing.dat", "naca.0012.dat", "section", "notes.txt"})
            t.Write(name, "text\r\n");
        auto* file1 = t.form->findChild<QListView*>("File1");
        QTRY_COMPARE(file1->model()->rowCount(file1->rootIndex()), 2); // "Input Files (*.dat)"
        t.form->findChild<QComboBox*>("ComboFT")->setCurrentIndex(1);  // "All Files (*.*)"
        QTRY_COMPARE(file1->model()->rowCount(file1->rootIndex()), 4);
        auto paths = [&t] {
            return QString::fromStdString(t.s->INPATH + "|" + t.s->OUTFILE1 + "|" + t.s->OUTFILE2 +
                                          "|" + t.s->STLFILE + "|" + t.s->STLPROPFILE);
        };
        for (const auto& [file, stem] :
             {std::pair{"wing.dat", "wing."}, {"naca.0012.dat", "naca."}, {"section", ""}}) {
            QVERIFY2(t.ClickFile(file), file);
            QString expected = t.Path(file);
            for (const char* ending : {"out1", "out2", "stl", "stl.prop"})
                expected += "|" + t.Path(stem + QString(ending));
            QCOMPARE(paths(), expected);
            QCOMPARE(t.Text("Lbl_outputF") + " " + t.Text("InpFile") + " " + t.Text("W_Dir"),
                     stem + QString("out1 ") + file + " " + QDir::toNativeSeparators(t.dir.path()));
        }
        const QString root = QDir::toNativeSeparators(QDir::rootPath()); // no doubled separator
        t.form->PickFile(root, "wing.dat");
        QVERIFY(paths().startsWith(root + "wing.dat|" + root + "wing.out1|"));
    }

    void inputRefusalsEndTheProgramOrChangeNothing() {
        {
            Session t; // an empty line after the data: line 64
            uitest::WriteNaca0012(t.dir.path(), "bad.dat", 31);
            t.Write("bad.dat", "\r\n");
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
        QWidget* error = t.Get("Frm_err");
        QTRY_VERIFY(error && error->isVisible());
        QCOMPARE(error->windowTitle() + "|" + error->findChild<QLabel*>("Lbl_nsw")->text(),
                 "Error|" + QString(kNoKeywordMessage));
        // Nothing read; another file may be picked and the program goes on.
        QVERIFY(t.s->NP == 0 && t.Text("Txt_NP") == "NP" && t.On("Cmd_InputF") &&
                !t.On("Cmd_Geom") && t.On("File1") && t.endings.isEmpty());
        uitest::SaveShot(*error, "Frm_err");

        // More points than a section holds: a message box naming the limit, nothing read.
        QByteArray large = "too many points\r\nX Y D\r\n";
        for (int i = 0; i < 402; ++i)
            large += QByteArray::number(i / 402.0) + " 0.01\r\n";
        t.Write("large.dat", large);
        {
            MessageBoxAnswer box;
            QVERIFY(t.InputFile("large.dat"));
            QVERIFY2(box.seen.size() == 2 && box.seen[1].contains("401"),
                     qPrintable(box.seen.join('|')));
        }
        QVERIFY(t.s->NP == 0 && t.endings.isEmpty());

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
        const QString path = uitest::WriteNaca0012(t.dir.path(), "naca61.dat", 31);
        t.form->findChild<QLineEdit*>("Txt_SmS")->setText("0.0004");
        t.Click("Opt_BC(0)");
        t.s->NCP = 7; // computations of the pressure window for an earlier section
        QVERIFY(t.InputFile("naca61.dat"));
        QCOMPARE(QList<int>({t.s->NP, t.s->NCP}), QList<int>({61, 0}));
        QVERIFY(t.Text("Txt_NP") == "61" && t.Checked("Opt_NF(2)"));
        QVERIFY(!t.On("Cmd_InputF") && !t.On("File1") && t.On("Cmd_Geom") && !t.On("Cmd_Pictf"));
        t.Click("Chk_STL");
        t.Click("Cmd_Geom");
        QCOMPARE(uitest::UnlikeTheBatchCommand(
                     {path, "--strip", "0.0004", "--bc", "1", "--stl"}, t.dir.path(),
                     {"naca61.out1", "naca61.out2", "naca61.stl", "naca61.stl.prop"}),
                 QStringList());
        uitest::SaveShot(*t.form, "Form_inp");
        // The strip: the number at the start of the text, 0 when negative or smoothing is off.
        for (const auto& [text, smoothing, strip] : {std::tuple{"0.0005mm", true, 0.0005f},
                                                     {"-0.3", true, 0.0f},
                                                     {"0.0007", false, 0.0f}}) {
            t.form->findChild<QLineEdit*>("Txt_SmS")->setText(text);
            if (t.Checked("Chk_Smooth") != smoothing) t.Click("Chk_Smooth");
            t.Click("Cmd_Geom");
            QCOMPARE(t.form->SmoothParams().DSMOOTH, strip);
        }
        t.Click("Chk_rotate");
        t.Click("Cmd_Geom");
        const CommandSettings settings = t.form->Settings(); // what the curvature window reads
        QCOMPARE(settings.stripText + " " + settings.maxStripText, std::string("0.0007 0.05"));
        QVERIFY(!settings.smoothing && settings.withoutRotation && t.s->NOROT == 1);
        t.Click("Cmd_cp");
        QCOMPARE(QList<int>({curvatureShown, pressureShown}), QList<int>({5, 1})); // every Smooth

        // Each plot window opens once; closed, it opens anew with a fresh view.
        const std::pair<const char*, std::function<PlotWindow*()>> buttons[] = {
            {"Cmd_Pictf", [&] { return t.form->AirfoilWindow(); }},
            {"Cmd_TC", [&] { return t.form->ThicknessCamberWindow(); }},
            {"Cmd_Yt", [&] { return t.form->LeadingEdgeWindow(); }},
        };
        for (const auto& [button, window] : buttons) {
            t.Click(button);
            PlotWindow* first = window();
            QVERIFY2(first && QTest::qWaitForWindowExposed(first), button);
            const float loadedXC = first->View().VIEW_XC;
            QTest::mousePress(&first->Picture1(), Qt::LeftButton, {}, QPoint(10, 10));
            QTest::mouseRelease(&first->Picture1(), Qt::LeftButton, {}, QPoint(90, 60));
            const float pannedXC = first->View().VIEW_XC;
            t.Click(button); // open: only brought to the front, its view kept
            QVERIFY(window() == first && pannedXC != loadedXC && first->View().VIEW_XC == pannedXC);
            QPointer<PlotWindow> closed = first;
            first->close();
            QTRY_VERIFY(closed.isNull()); // deleted on closing
            t.Click(button);
            QVERIFY(window() && window()->isVisible() && window()->View().VIEW_XC == loadedXC);
        }
    }

    void readsTheDatabaseLayoutsAndExportsTheSmoothedSection() {
        Session t;
        QVERIFY(QFile::copy(QString(ZARNFOIL_SOURCE_DIR) + "/examples/naca4415_split.dat",
                            t.dir.filePath("naca4415_split.dat")));
        QVERIFY(t.InputFile("naca4415_split.dat"));
        QVERIFY(t.s->NP == 61 && t.Text("Txt_NP") == "61" && t.Checked("Opt_NF(0)"));
        auto* exportSection = t.form->findChild<QAction*>("Mnu_Export");
        QVERIFY(exportSection && exportSection->text() == "Export section..." &&
                !exportSection->isEnabled());
        t.Click("Cmd_Geom");
        QVERIFY(exportSection->isEnabled());
        QVERIFY(t.form->ExportSection(t.dir.filePath("smooth.dat")));
        QFile file(t.dir.filePath("smooth.dat"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.front(), QByteArray("NACA 4415 (split, open trailing edge)"));
        QCOMPARE(lines.size(), t.s->NOUT + 2); // the title, the points, the last line's end
        QCOMPARE(lines[1], QByteArray(" 1.00000000 ") +
                               QByteArray::number(t.s->YOUT(1), 'f', 8).rightJustified(11, ' '));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"