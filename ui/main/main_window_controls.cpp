// The main window's controls with their captions and initial texts, its File menu, and their
// layout.
#include "files/exit_status.h"
#include "ui/main/file_choice.h"
#include "ui/main/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zarnfoil::ui {
namespace {

template <class Control> Control* Named(Control* control, const char* name) {
    control->setObjectName(name);
    return control;
}

QLabel* MakeLabel(const char* name, const char* text, QWidget* parent) {
    return Named(new QLabel(text, parent), name);
}

QLineEdit* MakeTextBox(const char* name, const char* text, QWidget* parent) {
    auto* box = Named(new QLineEdit(text, parent), name);
    box->setFixedWidth(72);
    return box;
}

QPushButton* MakeButton(const char* name, const char* caption, bool enabled, QWidget* parent) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setEnabled(enabled);
    return button;
}

// An option that shows a state the program found; clicks do not reach it.
class IndicatorOption : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    bool hitButton(const QPoint&) const override { return false; }
};

// A text box with its label to the right of it.
QHBoxLayout* BoxRow(QLineEdit* box, QLabel* label) {
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(label, 1);
    label->setBuddy(box);
    return row;
}

} // namespace

void Form_inp::BuildControls(const QString& startDirectory) {
    files_ = new FileChoice(startDirectory, this);
    LabelDrive = MakeLabel("LabelDrive", "Drive:", this);
    Label_dir = MakeLabel("Label_dir", "Directory Name:", this);
    Label_file = MakeLabel("Label_file", "Input File:", this);
    Label1 = MakeLabel("Label1", "Output File:", this);
    W_Dir = MakeLabel("W_Dir", "", this);
    // A long path is cut at the window's edge rather than widening it.
    W_Dir->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    InpFile = MakeLabel("InpFile", "", this);
    Lbl_outputF = MakeLabel("Lbl_outputF", "", this);

    Cmd_InputF = MakeButton("Cmd_InputF", "Input", false, this);
    Cmd_Geom = MakeButton("Cmd_Geom", "Smooth", false, this);
    Cmd_Pictf = MakeButton("Cmd_Pictf", "Pict Foil", false, this);
    Cmd_TC = MakeButton("Cmd_TC", "tc(x)", false, this);
    Cmd_Yt = MakeButton("Cmd_Yt", "Y(t)", false, this);
    Cmd_cp = MakeButton("Cmd_cp", "Pict Cp", false, this);
    Cmd_Quit = MakeButton("Cmd_Quit", "Quit", true, this);

    Txt_NP = MakeTextBox("Txt_NP", "NP", this);
    Txt_NP->setReadOnly(true); // shows the point count found; nothing reads it back
    Lbl_NP = MakeLabel("Lbl_NP", "the dimension of the input arrays X,  Y  and  D ", this);

    Frm_NF = Named(new QGroupBox("The kind of input geometry", this), "Frm_NF");
    const char* const orders[] = {" from l.e to t.e for upper and lower surfaces  ",
                                  "from t.e upper.s. to l.e. lower s. to t.e.",
                                  "from t.e lower.s. to l.e. upper s. to t.e."};
    for (int k = 0; k < 3; ++k) {
        // Shows the order the reader found; not a choice for the user.
        Opt_NF[k] = new IndicatorOption(orders[k], Frm_NF);
        Opt_NF[k]->setObjectName(QString("Opt_NF(%1)").arg(k));
        Opt_NF[k]->setFocusPolicy(Qt::NoFocus);
    }

    Frame4 = Named(new QGroupBox("Boundary conditions", this), "Frame4");
    Opt_BC[0] = Named(new QRadioButton("1-st der.", Frame4), "Opt_BC(0)");
    Opt_BC[1] = Named(new QRadioButton("2-nd der.", Frame4), "Opt_BC(1)");

    Frame1 = Named(new QGroupBox("new   X - grid", this), "Frame1");
    const char* const grids[] = {"new X-grid taken from input file   X_INP.DAT",
                                 "new X-grid taken from X for upper surface",
                                 "new X-grid computed - COS distribution"};
    for (int k = 0; k < 3; ++k) {
        Opt_xinp[k] = new QRadioButton(grids[k], Frame1);
        Opt_xinp[k]->setObjectName(QString("Opt_xinp(%1)").arg(k));
    }
    Txt_Nodes = MakeTextBox("Txt_Nodes", "61", Frame1);
    Lbl_Nodes = MakeLabel("Lbl_Nodes", "Number of X nodes =", Frame1);

    Chk_Smooth = Named(new QCheckBox("Smoothing", this), "Chk_Smooth");
    Chk_Smooth->setChecked(true);
    Txt_SmS = MakeTextBox("Txt_SmS", "0.0", this);
    Lbl_SmS = MakeLabel("Lbl_SmS", "Specified Smooth Strip", this);
    Txt_Sm = MakeTextBox("Txt_Sm", "0.05", this);
    Lbl_sm = MakeLabel("Lbl_sm", "Max Smooth Strip", this);
    Txt_chord = MakeTextBox("Txt_chord", "1.0", this);
    Lbl_chord = MakeLabel("Lbl_chord", "Chord length", this);

    Frame3 = Named(new QGroupBox("STL format (external boundaries)", this), "Frame3");
    Chk_STL = Named(new QCheckBox("Output STL format for Numeca code", Frame3), "Chk_STL");
    Chk_rotate = Named(new QCheckBox("Transformation without rotation", Frame3), "Chk_rotate");
    Txt_delx = MakeTextBox("Txt_delx", "", Frame3);
    Txt_dely = MakeTextBox("Txt_dely", "", Frame3);
    Txt_delz = MakeTextBox("Txt_delz", "", Frame3);
    Txt_delxp = MakeTextBox("Txt_delxp", "", Frame3);
    Lbl_delxm = MakeLabel("Lbl_delxm", "delx - =", Frame3);
    Lbl_dely = MakeLabel("Lbl_dely", "dely =", Frame3);
    Lbl_delz = MakeLabel("Lbl_delz", "delz =", Frame3);
    Lbl_dexp = MakeLabel("Lbl_dexp", "delx + =", Frame3);
}

void Form_inp::BuildMenu() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName("MenuBar");
    QMenu* file = bar->addMenu("&File");
    file->setObjectName("FileMenu");
    QAction* open = file->addAction("&Open...", this, [this] {
        const QString path = askFile_();
        if (!path.isEmpty()) OpenFile(path);
    });
    open->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu("&Recent Files");
    recentMenu_->setObjectName("RecentMenu");
    Mnu_Export = file->addAction("Export section...", this, [this] {
        const std::string& name = document_.State().INNAME;
        const QString stem = QString::fromStdString(name.substr(0, name.find('.')));
        const QString path = QFileDialog::getSaveFileName(
            this, "Export section", QDir(files_->Directory()).filePath(stem + "_smooth.dat"),
            "Section files (*.dat);;All files (*)");
        if (!path.isEmpty()) ExportSection(path);
    });
    Mnu_Export->setObjectName("Mnu_Export");
    Mnu_Export->setEnabled(false);
    file->addSeparator();
    QAction* quit = file->addAction("&Quit", this, [this] { endProgram_(kExitDone); });
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    ShowRecentFiles();
}

void Form_inp::ShowRecentFiles() {
    recentMenu_->clear();
    for (int k = 0; k < recent_.size(); ++k) {
        const QString path = recent_[k];
        recentMenu_->addAction(QString("&%1 %2").arg(k + 1).arg(path), this,
                               [this, path] { OpenFile(path); });
    }
    recentMenu_->setEnabled(!recent_.isEmpty());
}

void Form_inp::LayOutControls() {
    auto* fileColumn = new QVBoxLayout;
    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(LabelDrive);
    driveRow->addWidget(files_->Drive1(), 1);
    fileColumn->addLayout(driveRow);
    fileColumn->addWidget(Label_dir);
    fileColumn->addWidget(W_Dir);
    fileColumn->addWidget(files_->Dir1(), 3);
    fileColumn->addWidget(Label_file);
    fileColumn->addWidget(InpFile);
    fileColumn->addWidget(files_->File1(), 2);
    fileColumn->addWidget(files_->ComboFT());
    fileColumn->addWidget(Label1);
    fileColumn->addWidget(Lbl_outputF);

    auto* orderBox = new QVBoxLayout(Frm_NF);
    for (QRadioButton* option : Opt_NF)
        orderBox->addWidget(option);

    auto* bcBox = new QVBoxLayout(Frame4);
    for (QRadioButton* option : Opt_BC)
        bcBox->addWidget(option);
    bcBox->addStretch(1);

    auto* gridBox = new QVBoxLayout(Frame1);
    for (QRadioButton* option : Opt_xinp)
        gridBox->addWidget(option);
    auto* nodesRow = new QHBoxLayout;
    nodesRow->addWidget(Lbl_Nodes);
    nodesRow->addWidget(Txt_Nodes);
    nodesRow->addStretch(1);
    Lbl_Nodes->setBuddy(Txt_Nodes);
    gridBox->addLayout(nodesRow);

    auto* optionsRow = new QHBoxLayout;
    optionsRow->addWidget(Frame4);
    optionsRow->addWidget(Frame1, 1);

    auto* smoothBox = new QVBoxLayout;
    smoothBox->addWidget(Chk_Smooth);
    smoothBox->addLayout(BoxRow(Txt_SmS, Lbl_SmS));
    smoothBox->addLayout(BoxRow(Txt_Sm, Lbl_sm));
    smoothBox->addLayout(BoxRow(Txt_chord, Lbl_chord));

    auto* stlBox = new QGridLayout(Frame3);
    stlBox->addWidget(Chk_STL, 0, 0, 1, 4);
    stlBox->addWidget(Chk_rotate, 1, 0, 1, 4);
    const std::array<std::pair<QLabel*, QLineEdit*>, 4> margins{
        {{Lbl_delxm, Txt_delx}, {Lbl_dely, Txt_dely}, {Lbl_delz, Txt_delz}, {Lbl_dexp, Txt_delxp}}};
    for (int k = 0; k < 4; ++k) {
        const auto [label, box] = margins[k];
        label->setBuddy(box);
        stlBox->addWidget(label, 2 + k / 2, 2 * (k % 2), Qt::AlignRight);
        stlBox->addWidget(box, 2 + k / 2, 2 * (k % 2) + 1);
    }

    auto* settingsRow = new QHBoxLayout;
    settingsRow->addLayout(smoothBox);
    settingsRow->addWidget(Frame3, 1);

    auto* optionColumn = new QVBoxLayout;
    optionColumn->addWidget(Frm_NF);
    optionColumn->addLayout(BoxRow(Txt_NP, Lbl_NP));
    optionColumn->addLayout(optionsRow);
    optionColumn->addLayout(settingsRow);
    optionColumn->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(fileColumn, 1);
    top->addLayout(optionColumn, 0);

    auto* commands = new QHBoxLayout;
    for (QPushButton* button : {Cmd_InputF, Cmd_Geom})
        commands->addWidget(button);
    commands->addStretch(1);
    for (QPushButton* button : {Cmd_Pictf, Cmd_TC, Cmd_Yt, Cmd_cp})
        commands->addWidget(button);
    commands->addStretch(1);
    commands->addWidget(Cmd_Quit);

    auto* window = new QVBoxLayout(this);
    window->setMenuBar(findChild<QMenuBar*>("MenuBar"));
    window->addLayout(top, 1);
    window->addLayout(commands);
    resize(960, 580);
}

} // namespace zarnfoil::ui
