// The main window driven through its controls: start-up state and options, file naming, Input
// with its refusals, another section read without restarting, the File menu, Smooth with its
// files (the STL solid in the fields' domain) and the plot windows that follow every run, and
// boxes that hold no number.
#include "files/exit_status.h"
#include "ui/main/main_window.h"
#include "ui/main/number_box.h"
#include "ui/plots/curvature_window.h"
#include "ui/plots/plot_colors.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
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
    std::unique_ptr<FoilDocument> document = std::make_unique<FoilDocument>(*s);
    std::unique_ptr<Form_inp> form = std::make_unique<Form_inp>(*document, dir.path());
    QList<int> endings;

    Session() {
        form->SetEndProgram([this](int status) { endings << status; });
        form->show();
    }
    QWidget* Get(const QString& name) const { return form->findChild<QWidget*>(name); }
    QLineEdit* Box(const QString& name) const { return form->findChild<QLineEdit*>(name); }
    void Type(const QString& name, const QString& text) const { Box(name)->setText(text); }
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
    QByteArray Read(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// The end points of the segments of a colour and style, in drawing order.
QList<QPointF> Ends(const Canvas& canvas, const QColor& color, LineStyle style) {
    QList<QPointF> ends;
    for (const Segment& g : canvas.Segments())
        if (g.color == color && g.style == style) ends << g.to;
    return ends;
}

// The points 2..n of a curve.
QList<QPointF> Curve(int n, const PointArray& x, const PointArray& y) {
    QList<QPointF> points;
    for (int i = 2; i <= n; ++i)
        points << QPointF(x(i), y(i));
    return points;
}

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
        auto paths = [&t] { // the names Input gives the section
            const FileNames n = t.form->PickedNames().value_or(FileNames{});
            return QString::fromStdString(n.INPATH + "|" + n.OUTFILE1 + "|" + n.OUTFILE2 + "|" +
                                          n.STLFILE + "|" + n.STLPROPFILE);
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

    void aBadFileIsRefusedAndTheProgramGoesOnWithThePreviousSection() {
        Session t;
        uitest::WriteNaca0012(t.dir.path(), "good.dat", 31);
        QVERIFY(t.InputFile("good.dat"));
        t.Click("Cmd_Geom");
        // An empty line after the data (line 64), a word where a number belongs and a short
        // line in the middle (line 20): each named with what is wrong with it; the program
        // stays open with good.dat.
        const QByteArray data = t.Read("good.dat");
        const auto line20 = [&data](const QByteArray& text) {
            QList<QByteArray> lines = data.split('\n');
            lines[19] = text + "\r";
            return lines.join('\n');
        };
        const std::tuple<const char*, QByteArray, QString> bad[] = {
            {"empty.dat", data + "\r\n",
             "line:64.\nRemove all empty lines in the end of input file.\n"},
            {"word.dat", line20("0.793893 abc"), "line:20.\nField 2, \"abc\", is not a number.\n"},
            {"short.dat", line20("0.793893"),
             "line:20.\nThe line \"0.793893\" has too few numbers"}};
        for (const auto& [name, text, says] : bad) {
            t.Write(name, text);
            MessageBoxAnswer box;
            QVERIFY(t.InputFile(name));
            QVERIFY2(
                box.seen.size() == 2 && box.seen[0] == t.Path(name) &&
                    box.seen[1].startsWith("Error in input file: " + QString(name) + " " + says) &&
                    box.seen[1].endsWith("Nothing was read; the section read before stays.") &&
                    !box.seen[1].contains("TERMINATED"),
                qPrintable(box.seen.join('|')));
            QVERIFY(t.endings.isEmpty() && t.s->NP == 61 && t.s->INNAME == "good.dat" &&
                    t.On("Cmd_Pictf") && t.form->windowTitle() == "Input file - good.dat");
        }

        // No layout keyword: the error window names the file and all four keywords; its button
        // closes it, and the program goes on.
        t.Write("nokey.dat", "no layout here\r\n0.0 0.0\r\n1.0 0.0\r\n");
        QVERIFY(t.InputFile("nokey.dat"));
        QWidget* error = t.Get("Frm_err");
        QTRY_VERIFY(error && error->isVisible());
        QCOMPARE(error->windowTitle() + "|" + error->findChild<QLabel*>("Lbl_nsw")->text(),
                 QString("Error|Error in input file nokey.dat: 'X Y D' or 'X YU YL DU DL' or "
                         "'BLWF' or 'BL_WF_inverse' not found"));
        QVERIFY(t.s->NP == 61 && t.Text("Txt_NP") == "61" && t.On("Cmd_InputF") &&
                t.On("Cmd_Geom") && t.On("File1") && t.endings.isEmpty());
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
        QVERIFY(t.s->NP == 61 && t.endings.isEmpty());

        auto* cancel = error->findChild<QPushButton*>("Cmd_cancel");
        QCOMPARE(cancel->text(), QString("Cancel"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(!error->isVisible() && t.form->isVisible() && t.endings.isEmpty());
    }

    void anotherSectionIsReadWithoutRestartingFromACleanState() {
        Session t;
        InstallCurvatureWindow(*t.form);
        uitest::WriteNaca0012(t.dir.path(), "a.dat", 31);
        // b.dat gives point 10 the weight 0.002, the strip a.dat is smoothed with.
        uitest::WriteNaca0012(t.dir.path(), "b.dat", 41);
        QList<QByteArray> lines = t.Read("b.dat").split('\n');
        QVERIFY(lines.size() > 12 && lines[11].endsWith("0.00000\r"));
        lines[11].replace("0.00000\r", "0.00200\r");
        QFile::remove(t.dir.filePath("b.dat"));
        t.Write("b.dat", lines.join('\n'));
        QVERIFY(t.InputFile("a.dat"));
        t.Type("Txt_SmS", "0.002");
        t.Click("Cmd_Geom");
        t.Click("Cmd_Pictf");
        QPointer<Form_PW> airfoil = t.form->AirfoilWindow();
        QPointer<Form_KSM> curvature = t.form->findChild<Form_KSM*>();
        QVERIFY(airfoil && curvature && curvature->isVisible());
        QCOMPARE(curvature->windowTitle() + "|" + airfoil->windowTitle() + "|" +
                     t.form->windowTitle(),
                 QString("Curvature K(t) - a.dat|Airfoil y(x) - a.dat|Input file - a.dat"));
        curvature->findChild<QScrollBar*>("VScr_ID")->setValue(-20);
        curvature->findChild<QScrollBar*>("VScr_D")->triggerAction(
            QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(t.s->NRUN, std::int16_t(1));
        // Input and the file list stay available.
        QVERIFY(t.On("Cmd_InputF") && t.On("File1"));

        // A file picked but not read is not the section: Smooth writes a.dat's files.
        QVERIFY(t.ClickFile("b.dat"));
        QVERIFY(QFile::remove(t.dir.filePath("a.out1")));
        t.Click("Cmd_Geom");
        QVERIFY(QFile::exists(t.dir.filePath("a.out1")) &&
                !QFile::exists(t.dir.filePath("b.out1")));
        QVERIFY(t.s->INNAME == "a.dat" && t.s->NP == 61);

        // Read: as at program start, the windows of a.dat close and the runs start afresh.
        t.Click("Cmd_InputF");
        QTRY_VERIFY(airfoil.isNull() && curvature.isNull());
        QCOMPARE(QList<int>({t.s->NP, t.s->NRUN, t.s->NCP, t.s->ILE}), QList<int>({81, 0, 0, 0}));
        QVERIFY(!t.On("Cmd_Pictf") && !t.On("Cmd_cp") && t.On("Cmd_Geom"));
        QCOMPARE(t.form->windowTitle(), QString("Input file - b.dat"));
        // The strip of a.dat's runs is no previous strip of b.dat: its weight 0.002 stays.
        t.Type("Txt_SmS", "0.001");
        t.Click("Cmd_Geom");
        QCOMPARE(t.s->DP(10), 0.002f);
        curvature = t.form->findChild<Form_KSM*>();
        QVERIFY(curvature && curvature->windowTitle() == "Curvature K(t) - b.dat");
        QTest::keyClick(curvature, Qt::Key_Z, Qt::ControlModifier); // nothing of a.dat to undo
        QVERIFY(t.s->NRUN == 0 && QFile::exists(t.dir.filePath("b.out1")));

        // The File menu: Open... (Ctrl+O), the sections read in this run, the export of the
        // smoothed section, Quit (Ctrl+Q).
        auto* file = t.form->findChild<QMenu*>("FileMenu");
        QStringList items;
        for (const QAction* action : file->actions())
            items << action->text() + " " + action->shortcut().toString();
        QCOMPARE(items, QStringList({"&Open... Ctrl+O", "&Recent Files ", "Export section... ", " ",
                                     "&Quit Ctrl+Q"}));
        QCOMPARE(t.form->RecentFiles(), QStringList({t.Path("b.dat"), t.Path("a.dat")}));
        const QList<QAction*> recent = t.form->findChild<QMenu*>("RecentMenu")->actions();
        QVERIFY(recent.size() == 2 && recent[1]->text() == "&2 " + t.Path("a.dat"));
        recent[1]->trigger();
        QVERIFY(t.s->NP == 61 && t.form->RecentFiles().first() == t.Path("a.dat"));
        t.form->SetAskFile([&t] { return t.dir.filePath("b.dat"); });
        file->actions()[0]->trigger();
        QVERIFY(t.s->NP == 81 && t.Text("InpFile") == "b.dat");
        file->actions()[4]->trigger(); // Quit
        QCOMPARE(t.endings, QList<int>({kExitDone}));
    }

    void stlTakesTheFieldsDomainAndTheGridOfTheMoment() {
        Session t;
        QVERIFY(QFile::copy(ZARNFOIL_EXAMPLES "/naca2412_noisy.dat", t.dir.filePath("noisy.dat")));
        QVERIFY(t.InputFile("noisy.dat"));
        // 201 nodes of the upper surface and an open trailing edge: 402 points round the solid.
        QCOMPARE(QList<int>({t.s->NP, t.s->NNODES}), QList<int>({401, 201}));
        t.Type("Txt_SmS", "0.002");
        t.Click("Chk_STL");
        for (const auto& [box, text] : {std::pair{"Txt_delx", "1.5"},
                                        {"Txt_delxp", "2"},
                                        {"Txt_dely", "1"},
                                        {"Txt_delz", "0.25"},
                                        {"Txt_chord", "2"}})
            t.Type(box, text);
        {
            MessageBoxAnswer box;
            t.Click("Cmd_Geom");
            QVERIFY2(box.seen.isEmpty(), qPrintable(box.seen.join('|')));
        }
        const QString path = t.dir.filePath("noisy.dat");
        QCOMPARE(
            uitest::UnlikeTheBatchCommand(
                {path, "--strip", "0.002", "--stl", "--stl-domain", "1.5,2,1,0.25", "--chord", "2"},
                t.dir.path(), {"noisy.out1", "noisy.out2", "noisy.stl", "noisy.stl.prop"}),
            QStringList());
        QCOMPARE(t.Read("noisy.stl").count("facet normal"), 4 * 402 + 12);

        // A margin that is no number, not above 0, or inside the section: refused with a
        // message naming the field, every file as it was.
        const QByteArray stl = t.Read("noisy.stl"), report = t.Read("noisy.out1");
        for (const auto& [text, says] : {std::pair{"abc", "\"dely =\" holds \"abc\""},
                                         {"-1", "STL \"dely =\" is -1"},
                                         {"0.03", "upper boundary (\"dely =\" 0.03 chords)"}}) {
            t.Type("Txt_dely", text);
            MessageBoxAnswer box;
            t.Click("Cmd_Geom");
            QVERIFY2(box.seen.size() == 2 && box.seen[1].contains(says),
                     qPrintable(box.seen.join('|')));
            QVERIFY(t.Read("noisy.stl") == stl && t.Read("noisy.out1") == report);
            QCOMPARE(IsMarked(t.Box("Txt_dely")), QString(text) == "abc");
        }
        t.Type("Txt_dely", "1");
        QVERIFY(!IsMarked(t.Box("Txt_dely")));

        // The grid choice of the moment takes effect at the next Smooth: the cosine grid.
        t.Click("Opt_xinp(2)");
        t.Type("Txt_Nodes", "41");
        t.Click("Cmd_Geom");
        QVERIFY(t.s->NNODES == 41 && t.s->NOUT == 81);
        QCOMPARE(t.Read("noisy.stl").count("facet normal"), 4 * 82 + 12);
    }

    void boxesWithoutANumberAreMarkedAndTheirActionRefused() {
        Session t;
        InstallCurvatureWindow(*t.form);
        uitest::WriteNaca0012(t.dir.path(), "a.dat", 31);
        QVERIFY(t.InputFile("a.dat"));
        const std::pair<const char*, const char*> boxes[] = {
            {"Txt_SmS", "\"Specified Smooth Strip\" holds \"abc\""},
            {"Txt_Sm", "\"Max Smooth Strip\" holds \"abc\""}};
        for (const auto& [name, says] : boxes) {
            const QString before = t.Box(name)->text();
            t.Type(name, "abc");
            {
                MessageBoxAnswer box;
                t.Click("Cmd_Geom");
                QVERIFY2(box.seen.size() == 2 && box.seen[1].contains(says) &&
                             box.seen[1].contains("Nothing was run."),
                         qPrintable(box.seen.join('|')));
            }
            QVERIFY(IsMarked(t.Box(name)) && !QFile::exists(t.dir.filePath("a.out1")));
            t.Type(name, before); // a number clears the mark
            QVERIFY(!IsMarked(t.Box(name)));
        }
        t.Type("Txt_SmS", "0.0005 chords"); // the number at the start, as before
        t.Click("Cmd_Geom");
        QCOMPARE(t.form->SmoothParams().DSMOOTH, 0.0005f);

        // The curvature window's re-run reads the same box: refused while it holds no number.
        auto* curvature = t.form->findChild<Form_KSM*>();
        QStringList told;
        curvature->SetShowMessage([&told](const QString&, const QString& text) { told << text; });
        const float weight = t.s->DP(10);
        curvature->findChild<QScrollBar*>("VScr_ID")->setValue(-10);
        t.Type("Txt_SmS", "abc");
        curvature->findChild<QScrollBar*>("VScr_D")->triggerAction(
            QAbstractSlider::SliderSingleStepSub);
        QVERIFY2(told.size() == 1 && told[0].contains("Specified Smooth Strip") &&
                     told[0].contains("D(10) stays"),
                 qPrintable(told.join('|')));
        QVERIFY(t.s->DP(10) == weight && t.s->NRUN == 0 && IsMarked(t.Box("Txt_SmS")));
        t.Type("Txt_SmS", "0.0005");
        curvature->findChild<QScrollBar*>("VScr_D")->triggerAction(
            QAbstractSlider::SliderSingleStepSub);
        QVERIFY(t.s->NRUN == 1 && t.s->DP(10) > weight);
    }

    void openWindowsFollowEveryRunLabelsIncluded() {
        Session t;
        InstallCurvatureWindow(*t.form);
        uitest::WriteNaca0012(t.dir.path(), "a.dat", 31);
        QVERIFY(t.InputFile("a.dat"));
        t.Click("Cmd_Geom");
        for (const char* button : {"Cmd_Pictf", "Cmd_TC", "Cmd_Yt"})
            t.Click(button);
        const FoilState& s = *t.s;
        // What each window shows of the section as it is now.
        auto follows = [&t, &s] {
            const Form_PW* airfoil = t.form->AirfoilWindow();
            const Form_TC* tc = t.form->ThicknessCamberWindow();
            const Form_Y* y = t.form->LeadingEdgeWindow();
            const QString thick = "thick=" + uitest::Shown(2 * s.HTMAX, "#0.0000");
            const QString nodes = "mu=" + uitest::Shown(s.NNODES, "#0");
            return Ends(airfoil->Picture1().canvas(), kBlack, LineStyle::Solid) ==
                       Curve(s.NP, s.XP, s.Y_SM) &&
                   Ends(tc->Picture1().canvas(), kBlue, LineStyle::Solid) ==
                       Curve(s.NNODES, s.XNODES, s.HTHICK_SM) &&
                   Ends(y->Picture1().canvas(), kBlack, LineStyle::Solid) ==
                       Curve(s.NP, s.T, s.Y_SM) &&
                   airfoil->findChild<QLabel*>("Lbl_thick")->text() == thick &&
                   tc->findChild<QLabel*>("Lbl_thick")->text() == thick &&
                   airfoil->findChild<QLabel*>("Lbl_mu")->text() == nodes &&
                   tc->findChild<QLabel*>("Lbl_mu")->text() == nodes;
        };
        QVERIFY(follows());
        // Smooth again with a strip on a cosine grid of 41 nodes: every window redraws.
        const PointArray unsmoothed = s.Y_SM;
        t.Type("Txt_SmS", "0.002");
        t.Click("Opt_xinp(2)");
        t.Type("Txt_Nodes", "41");
        t.Click("Cmd_Geom");
        QVERIFY(s.NNODES == 41 && !(s.Y_SM == unsmoothed) && follows());
        // A small weight typed in the curvature window where the smoothing moved the section
        // most, which holds that point close: so do they.
        const PointArray smoothed = s.Y_SM;
        int moved = 2;
        for (int i = 2; i < s.NP; ++i)
            if (std::fabs(s.Y_SM(i) - s.YP(i)) > std::fabs(s.Y_SM(moved) - s.YP(moved))) moved = i;
        auto* curvature = t.form->findChild<Form_KSM*>();
        curvature->findChild<QScrollBar*>("VScr_ID")->setValue(-moved);
        curvature->findChild<QLineEdit*>("Txt_DI")->setText("0.00001");
        QTest::mouseClick(curvature->findChild<QPushButton*>("Cmd_Enter"), Qt::LeftButton);
        QVERIFY(s.DP(moved) == 0.00001f && s.NRUN == 1);
        QVERIFY(!(s.Y_SM == smoothed) && follows());
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
        QVERIFY(t.On("Cmd_InputF") && t.On("File1") && t.On("Cmd_Geom") && !t.On("Cmd_Pictf"));
        t.Click("Chk_STL");
        t.Click("Cmd_Geom");
        QCOMPARE(uitest::UnlikeTheBatchCommand(
                     {path, "--strip", "0.0004", "--bc", "1", "--stl", "--stl-domain",
                      "0.5,0.5,0.5,0.2"},
                     t.dir.path(), {"naca61.out1", "naca61.out2", "naca61.stl", "naca61.stl.prop"}),
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
        QVERIFY(settings.DSMOOTH == 0 && settings.maxStripText == "0.05" &&
                settings.withoutRotation && t.s->NOROT == 1);
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
        QVERIFY(QFile::copy(ZARNFOIL_EXAMPLES "/naca4415_split.dat",
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