// The main window's events: file choice, options, Input, Smooth, the window buttons and Quit.
#include "ui/main/main_window.h"

#include "core/number_field.h"
#include "files/atomic_files.h"
#include "files/exit_status.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"
#include "files/wrap_around_export.h"
#include "ui/main/error_window.h"
#include "ui/main/file_choice.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace zarnfoil::ui {

Form_inp::Form_inp(FoilState& s, const QString& startDirectory, QWidget* parent)
    : QWidget(parent), s_(s), endProgram_([](int status) { QCoreApplication::exit(status); }) {
    setObjectName("Form_inp");
    setWindowTitle("Input file");
    BuildControls(startDirectory);
    LayOutControls();

    connect(files_, &FileChoice::directoryChanged, this, [this](const QString& directory) {
        W_Dir->setText(directory);
        W_Dir->setToolTip(directory);
    });
    connect(files_, &FileChoice::fileClicked, this, &Form_inp::PickFile);
    connect(Opt_BC[0], &QRadioButton::toggled, this,
            [this](bool firstDerivative) { s_.IBC = firstDerivative ? 1 : 0; });
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
    connect(Cmd_Pictf, &QPushButton::clicked, this,
            [this] { airfoil_.Show([this] { return new Form_PW(s_, this); }); });
    connect(Cmd_TC, &QPushButton::clicked, this,
            [this] { thicknessCamber_.Show([this] { return new Form_TC(s_, this); }); });
    connect(Cmd_Yt, &QPushButton::clicked, this,
            [this] { leadingEdge_.Show([this] { return new Form_Y(s_, this); }); });
    connect(Cmd_cp, &QPushButton::clicked, this, [this] {
        if (showPressure_) showPressure_();
    });
    connect(Cmd_Quit, &QPushButton::clicked, this, [this] { endProgram_(kExitDone); });
    connect(Mnu_Export, &QAction::triggered, this, [this] {
        const QString stem = QString::fromStdString(s_.INNAME).section('.', 0, 0);
        const QString path = QFileDialog::getSaveFileName(
            this, "Export section", files_->Directory() + "/" + stem + "_smooth.dat",
            "Section files (*.dat);;All files (*)");
        if (!path.isEmpty()) ExportSection(path);
    });
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
    s_.IBC = 0;
}

void Form_inp::PickFile(const QString& directory, const QString& fileName) {
    const FileNames names = DeriveFileNames(directory.toStdString(), fileName.toStdString());
    ApplyFileNames(s_, names);
    Cmd_InputF->setEnabled(true);
    Lbl_outputF->setText(QString::fromStdString(names.reportName));
    W_Dir->setText(directory);
    W_Dir->setToolTip(directory);
    InpFile->setText(fileName);
}

std::int16_t Form_inp::GridChoice() const {
    for (std::int16_t k = 0; k < 3; ++k)
        if (Opt_xinp[k]->isChecked()) return k;
    return kGridFromUpperSurface;
}

void Form_inp::Input() {
    // A replacement of this section's output files that a killed run left unfinished is
    // finished first; should that fail, the next Smooth names the reason.
    RecoverOutputSet({s_.OUTFILE1, s_.OUTFILE2, s_.STLFILE, s_.STLPROPFILE});
    ReaderInputs inputs;
    inputs.INPATH = s_.INPATH;
    inputs.INNAME = s_.INNAME;
    inputs.directory = files_->Directory().toStdString();
    inputs.gridChoice = GridChoice();
    inputs.nodesText = Txt_Nodes->text().toStdString();
    inputs.smoothChecked = Chk_Smooth->isChecked();
    const ReadOutcome read = ReadInputFile(inputs, s_);

    switch (read.kind) {
    case ReadOutcome::Kind::ReadOk:
        if (read.pointOrder >= 0 && read.pointOrder < static_cast<int>(Opt_NF.size()))
            Opt_NF[read.pointOrder]->setChecked(true);
        Txt_NP->setText(QString::fromStdString(read.npText));
        // One file per program run.
        Cmd_InputF->setEnabled(false);
        Cmd_Geom->setEnabled(true);
        files_->File1()->setEnabled(false);
        s_.NCP = 0; // the pressure window starts afresh for the new section
        return;
    case ReadOutcome::Kind::BadLine:
        ShowMessage(QString::fromStdString(s_.INPATH), read.message);
        endProgram_(kExitBadLine);
        return;
    case ReadOutcome::Kind::NoKeyword:
        if (!errorWindow_)
            errorWindow_ = new Frm_err([this] { endProgram_(kExitNoKeyword); }, this);
        errorWindow_->ShowMessage(QString::fromStdString(read.message));
        return;
    case ReadOutcome::Kind::Unreadable:
    case ReadOutcome::Kind::TooLarge:
    case ReadOutcome::Kind::Refused:
        ShowMessage(QString::fromStdString(s_.INPATH), read.message);
        return;
    }
}

void Form_inp::Smooth() {
    smoothRun_.DSMOOTH =
        SmoothStrip(ReadTextBoxNumber(Txt_SmS->text().toStdString()), Chk_Smooth->isChecked());
    smoothRun_.OUTSECT = Chk_STL->isChecked() ? 2 : 1;
    s_.NOROT = Chk_rotate->isChecked() ? 1 : 0; // as the batch command runs it
    const RunOutcome run = RunSmoothing(s_, smoothRun_);
    if (run.kind == RunOutcome::Kind::Refused) {
        ShowMessage("Smooth", run.message);
        return;
    }
    // The section holds the run's results even when its files could not be written.
    EnableWindowButtons();
    if (run.kind == RunOutcome::Kind::WriteFailed) ShowMessage("Smooth", run.message);
    if (showCurvature_) showCurvature_();
}

bool Form_inp::ExportSection(const QString& path) {
    const auto failure = WriteWrapAround(s_, 0, path.toStdString());
    if (failure) ShowMessage("Export section", *failure);
    return !failure;
}

void Form_inp::EnableWindowButtons() {
    Cmd_Pictf->setEnabled(true);
    Cmd_TC->setEnabled(true);
    Cmd_Yt->setEnabled(true);
    Cmd_cp->setEnabled(static_cast<bool>(showPressure_));
    Mnu_Export->setEnabled(true);
}

CommandSettings Form_inp::Settings() const {
    CommandSettings settings;
    settings.stripText = Txt_SmS->text().toStdString();
    settings.maxStripText = Txt_Sm->text().toStdString();
    settings.smoothing = Chk_Smooth->isChecked();
    settings.withoutRotation = Chk_rotate->isChecked();
    settings.outputLevel = Chk_STL->isChecked() ? 2 : 1;
    return settings;
}

void Form_inp::ShowMessage(const QString& title, const std::string& text) {
    // The messages break their lines with carriage returns.
    const QString shown = QString::fromStdString(text).replace('\r', '\n');
    QMessageBox box(QMessageBox::Warning, title, shown, QMessageBox::Ok, this);
    box.exec();
}

void Form_inp::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram_(kExitDone);
}

} // namespace zarnfoil::ui
