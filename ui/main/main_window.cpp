// The main window's events: file choice, options, Input, Smooth, the window buttons, the File
// menu and Quit.
#include "ui/main/main_window.h"

#include "files/atomic_files.h"
#include "files/exit_status.h"
#include "files/section_reader.h"
#include "files/wrap_around_export.h"
#include "ui/main/error_window.h"
#include "ui/main/file_choice.h"
#include "ui/main/number_box.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <cmath>

namespace zarnfoil::ui {
namespace {

constexpr int kRecentFiles = 8;

QString Native(const std::string& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path));
}

// The reader's text for a bad data line ends as the batch command's job does; here the
// program goes on with the section it held.
QString BadLineText(const std::string& message) {
    static const std::string kTerminated = "\rJOB TERMINATED !";
    std::string text = message;
    if (text.size() >= kTerminated.size() &&
        text.compare(text.size() - kTerminated.size(), kTerminated.size(), kTerminated) == 0)
        text.resize(text.size() - kTerminated.size());
    return QString::fromStdString(text) + "\rNothing was read; the section read before stays.";
}

// The error window's text for a file without a layout keyword.
QString NoKeywordText(const std::string& INNAME) {
    return QString("Error in input file %1: 'X Y D' or 'X YU YL DU DL' or 'BLWF' or "
                   "'BL_WF_inverse' not found")
        .arg(QString::fromStdString(INNAME));
}

} // namespace

Form_inp::Form_inp(FoilDocument& document, const QString& startDirectory, QWidget* parent)
    : QWidget(parent), document_(document),
      endProgram_([](int status) { QCoreApplication::exit(status); }), askFile_([this] {
          return QFileDialog::getOpenFileName(this, "Open section file", files_->Directory(),
                                              "Input Files (*.dat);;All Files (*.*)");
      }) {
    setObjectName("Form_inp");
    setWindowTitle("Input file");
    BuildControls(startDirectory);
    BuildMenu();
    LayOutControls();

    connect(files_, &FileChoice::directoryChanged, this, [this](const QString& directory) {
        W_Dir->setText(directory);
        W_Dir->setToolTip(directory);
    });
    W_Dir->setText(files_->Directory()); // the folder shown from the start
    W_Dir->setToolTip(files_->Directory());
    connect(files_, &FileChoice::fileClicked, this, &Form_inp::PickFile);
    connect(Opt_BC[0], &QRadioButton::toggled, this,
            [this](bool firstDerivative) { document_.SetEndConditions(firstDerivative ? 1 : 0); });
    connect(Opt_xinp[2], &QRadioButton::toggled, this, [this](bool cosine) {
        Lbl_Nodes->setVisible(cosine);
        Txt_Nodes->setVisible(cosine);
    });
    connect(Chk_STL, &QCheckBox::toggled, this, [this](bool stl) {
        Txt_delx->setEnabled(stl);
        Txt_dely->setEnabled(stl);
    });
    connect(Cmd_InputF, &QPushButton::clicked, this, &Form_inp::Input);
    connect(Cmd_Geom, &QPushButton::clicked, this, &Form_inp::Smooth);
    const FoilDocument& shown = document_;
    connect(Cmd_Pictf, &QPushButton::clicked, this,
            [this, &shown] { airfoil_.Show([this, &shown] { return new Form_PW(shown, this); }); });
    connect(Cmd_TC, &QPushButton::clicked, this, [this, &shown] {
        thicknessCamber_.Show([this, &shown] { return new Form_TC(shown, this); });
    });
    connect(Cmd_Yt, &QPushButton::clicked, this, [this, &shown] {
        leadingEdge_.Show([this, &shown] { return new Form_Y(shown, this); });
    });
    connect(Cmd_cp, &QPushButton::clicked, this, [this] {
        if (showPressure_) showPressure_();
    });
    connect(Cmd_Quit, &QPushButton::clicked, this, [this] { endProgram_(kExitDone); });
    connect(&document_, &FoilDocument::sectionRead, this, &Form_inp::SectionRead);
    Load();
}

void Form_inp::Load() {
    const QSignalBlocker gridBlocker(Opt_xinp[2]);
    const QSignalBlocker bcBlocker(Opt_BC[0]);
    const QSignalBlocker stlBlocker(Chk_STL);
    Opt_xinp[1]->setChecked(true);
    Lbl_Nodes->setVisible(Opt_xinp[2]->isChecked());
    Txt_Nodes->setVisible(Opt_xinp[2]->isChecked());
    Txt_delx->setText("0.5");
    Txt_delxp->setText("0.5");
    Txt_delz->setText("0.2");
    Txt_dely->setText("0.5");
    Txt_delx->setEnabled(false);
    Txt_dely->setEnabled(false);
    Opt_BC[1]->setChecked(true);
    document_.SetEndConditions(0);
    for (QLineEdit* box :
         {Txt_Nodes, Txt_SmS, Txt_Sm, Txt_chord, Txt_delx, Txt_dely, Txt_delz, Txt_delxp})
        MakeNumberBox(box);
}

void Form_inp::PickFile(const QString& directory, const QString& fileName) {
    picked_ = DeriveFileNames(directory.toStdString(), fileName.toStdString());
    pickedDirectory_ = directory.toStdString();
    Cmd_InputF->setEnabled(true);
    Lbl_outputF->setText(QString::fromStdString(picked_->reportName));
    W_Dir->setText(directory);
    W_Dir->setToolTip(directory);
    InpFile->setText(fileName);
}

void Form_inp::OpenFile(const QString& path) {
    const QFileInfo file(path);
    files_->ShowDirectory(file.absolutePath());
    PickFile(QDir::toNativeSeparators(file.absolutePath()), file.fileName());
    Input();
}

std::int16_t Form_inp::GridChoice() const {
    for (std::int16_t k = 0; k < 3; ++k)
        if (Opt_xinp[k]->isChecked()) return k;
    return kGridFromUpperSurface;
}

std::optional<ReaderInputs> Form_inp::GridInputs(const std::string& directory, QString& refusal) {
    ReaderInputs inputs;
    inputs.directory = directory;
    inputs.gridChoice = GridChoice();
    inputs.nodesText = Txt_Nodes->text().toStdString();
    inputs.smoothChecked = Chk_Smooth->isChecked();
    if (inputs.gridChoice == kGridCosine && !ReadNumberBox(Txt_Nodes)) {
        refusal += NotANumber(Lbl_Nodes->text(), Txt_Nodes);
        return std::nullopt;
    }
    return inputs;
}

void Form_inp::Input() {
    if (!picked_) return;
    const FileNames names = *picked_;
    // A replacement of this file's output set that a killed run left unfinished is finished
    // first; should that fail, the next Smooth names the reason.
    RecoverOutputSet({names.OUTFILE1, names.OUTFILE2, names.STLFILE, names.STLPROPFILE});
    QString refusal;
    std::optional<ReaderInputs> inputs = GridInputs(pickedDirectory_, refusal);
    if (!inputs) return ShowMessage("Input", refusal + "Nothing was read.");
    inputs->INPATH = names.INPATH;
    inputs->INNAME = names.INNAME;
    const ReadOutcome read = document_.Read(names, *inputs);

    switch (read.kind) {
    case ReadOutcome::Kind::ReadOk:
        if (read.pointOrder >= 0 && read.pointOrder < static_cast<int>(Opt_NF.size()))
            Opt_NF[read.pointOrder]->setChecked(true);
        Txt_NP->setText(QString::fromStdString(read.npText));
        readDirectory_ = pickedDirectory_;
        recent_.removeAll(Native(names.INPATH));
        recent_.prepend(Native(names.INPATH));
        while (recent_.size() > kRecentFiles)
            recent_.removeLast();
        ShowRecentFiles();
        // What the reader mended or left unread.
        if (!read.notes.empty()) {
            QStringList notes;
            for (const std::string& note : read.notes)
                notes << QString::fromStdString(note);
            ShowMessage(Native(names.INPATH), notes.join('\n'));
        }
        return;
    case ReadOutcome::Kind::NoKeyword:
        if (!errorWindow_) errorWindow_ = new Frm_err(this);
        errorWindow_->ShowMessage(NoKeywordText(names.INNAME));
        return;
    case ReadOutcome::Kind::BadLine:
        ShowMessage(Native(names.INPATH), BadLineText(read.message));
        return;
    case ReadOutcome::Kind::Unreadable:
    case ReadOutcome::Kind::TooLarge:
    case ReadOutcome::Kind::Refused:
        // The program goes on with the section it held.
        ShowMessage(Native(names.INPATH), QString::fromStdString(read.message));
        return;
    }
}

void Form_inp::SectionRead() {
    const FoilState& s = document_.State();
    setWindowTitle(SectionTitle("Input file", s));
    // As at program start: the windows of the old section close, Smooth starts afresh.
    smoothRun_ = RunParams{};
    for (QWidget* window : std::initializer_list<QWidget*>{airfoil_.Get(), thicknessCamber_.Get(),
                                                           leadingEdge_.Get()})
        if (window) window->close();
    SetWindowButtons(false);
    Cmd_Geom->setEnabled(true);
}

CommandSettings Form_inp::Settings() {
    CommandSettings settings;
    settings.maxStripText = Txt_Sm->text().toStdString();
    settings.withoutRotation = Chk_rotate->isChecked();
    settings.outputLevel = Chk_STL->isChecked() ? 2 : 1;
    const auto read = [&settings](QLineEdit* box, const QLabel* label) {
        const std::optional<double> number = ReadNumberBox(box);
        if (!number) settings.refusal += NotANumber(label->text(), box);
        return static_cast<float>(number.value_or(0.0));
    };
    if (Chk_Smooth->isChecked()) settings.DSMOOTH = SmoothStrip(read(Txt_SmS, Lbl_SmS), true);
    if (Chk_STL->isChecked()) {
        settings.stl.ahead = read(Txt_delx, Lbl_delxm);
        settings.stl.behind = read(Txt_delxp, Lbl_dexp);
        settings.stl.side = read(Txt_dely, Lbl_dely);
        settings.stl.span = read(Txt_delz, Lbl_delz);
        settings.stl.chord = read(Txt_chord, Lbl_chord);
    }
    return settings;
}

void Form_inp::Smooth() {
    const CommandSettings settings = Settings();
    QString refusal = settings.refusal;
    // The curvature window that Smooth shows takes its weight range from "Max Smooth Strip".
    if (!ReadNumberBox(Txt_Sm)) refusal += NotANumber(Lbl_sm->text(), Txt_Sm);
    const std::optional<ReaderInputs> grid = GridInputs(readDirectory_, refusal);
    if (!refusal.isEmpty()) return ShowMessage("Smooth", refusal + "Nothing was run.");

    smoothRun_.DSMOOTH = settings.DSMOOTH;
    smoothRun_.OUTSECT = settings.outputLevel;
    const RunOutcome run =
        document_.Smooth(*grid, smoothRun_, settings.withoutRotation, settings.stl);
    if (run.kind == RunOutcome::Kind::Refused)
        return ShowMessage("Smooth", QString::fromStdString(run.message));
    // The section holds the run's results even when its files could not be written.
    SetWindowButtons(true);
    if (run.kind == RunOutcome::Kind::WriteFailed)
        ShowMessage("Smooth", QString::fromStdString(run.message));
    if (showCurvature_) showCurvature_();
}

bool Form_inp::ExportSection(const QString& path) {
    const auto failure = WriteWrapAround(document_.State(), 0, path.toStdString());
    if (failure) ShowMessage("Export section", QString::fromStdString(*failure));
    return !failure;
}

void Form_inp::SetWindowButtons(bool enabled) {
    Mnu_Export->setEnabled(enabled);
    Cmd_Pictf->setEnabled(enabled);
    Cmd_TC->setEnabled(enabled);
    Cmd_Yt->setEnabled(enabled);
    Cmd_cp->setEnabled(enabled && static_cast<bool>(showPressure_));
}

void Form_inp::ShowMessage(const QString& title, const QString& text) {
    // The messages break their lines with carriage returns.
    QString shown = text;
    shown.replace('\r', '\n');
    QMessageBox box(QMessageBox::Warning, title, shown, QMessageBox::Ok, this);
    box.exec();
}

void Form_inp::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram_(kExitDone);
}

} // namespace zarnfoil::ui
