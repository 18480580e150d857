// Form_inp, "Input file": the window the program opens with. Here the user picks a section
// file, sets the options, reads the file (Input), smooths it (Smooth), opens the plot windows
// and quits. The curvature and pressure windows plug in through hooks.
#pragma once

#include "core/foil_state.h"
#include "core/smoothing_run.h"
#include "ui/main/window_slot.h"
#include "ui/plots/airfoil_window.h"
#include "ui/plots/leading_edge_window.h"
#include "ui/plots/thickness_camber_window.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace zarnfoil::ui {

class FileChoice;
class Frm_err;

// What the curvature window reads from this window when it runs the smoothing again.
struct CommandSettings {
    std::string stripText;        // Txt_SmS, "Specified Smooth Strip"
    std::string maxStripText;     // Txt_Sm, "Max Smooth Strip"
    bool smoothing = true;        // Chk_Smooth
    bool withoutRotation = false; // Chk_rotate
    std::int16_t outputLevel = 1; // 2 while "Output STL format for Numeca code" is checked
};

class Form_inp : public QWidget {
    Q_OBJECT
  public:
    using EndProgram = std::function<void(int status)>;
    using ShowWindow = std::function<void()>;

    // Dir1 starts at `startDirectory`.
    Form_inp(FoilState& s, const QString& startDirectory, QWidget* parent = nullptr);

    // How Quit, "Cancel" of the error window and a bad data line end the program; by default
    // the application's event loop ends with the status.
    void SetEndProgram(EndProgram end) { endProgram_ = std::move(end); }
    // Shown at the end of every Smooth.
    void SetCurvatureWindow(ShowWindow show) { showCurvature_ = std::move(show); }
    // Opened by "Pict Cp"; the button comes alive with it.
    void SetPressureWindow(ShowWindow show) { showPressure_ = std::move(show); }

    CommandSettings Settings() const;
    const RunParams& SmoothParams() const { return smoothRun_; }

    // A file picked in File1: derives the input and output paths and enables Input.
    void PickFile(const QString& directory, const QString& fileName);

    // "Export section...": the smoothed section of the last run in the wrap-around layout at
    // `path` (the menu entry asks for it); false, after a message, when it was not written.
    bool ExportSection(const QString& path);

    // The plot windows while they are open, else null.
    Form_PW* AirfoilWindow() const { return airfoil_.Get(); }
    Form_TC* ThicknessCamberWindow() const { return thicknessCamber_.Get(); }
    Form_Y* LeadingEdgeWindow() const { return leadingEdge_.Get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls(const QString& startDirectory);
    void LayOutControls();
    void Load();

    void Input();
    void Smooth();
    void EnableWindowButtons();
    void ShowMessage(const QString& title, const std::string& text);
    std::int16_t GridChoice() const;

    FoilState& s_;
    RunParams smoothRun_; // DSMOOTH and DSMOOTH_OLD of this window's runs
    EndProgram endProgram_;
    ShowWindow showCurvature_;
    ShowWindow showPressure_;
    WindowSlot<Form_PW> airfoil_;
    WindowSlot<Form_TC> thicknessCamber_;
    WindowSlot<Form_Y> leadingEdge_;
    Frm_err* errorWindow_ = nullptr;

    FileChoice* files_;
    QLabel *LabelDrive, *Label_dir, *Label_file, *Label1;
    QLabel *W_Dir, *InpFile, *Lbl_outputF;
    QPushButton *Cmd_InputF, *Cmd_Geom, *Cmd_Pictf, *Cmd_TC, *Cmd_Yt, *Cmd_cp, *Cmd_Quit;
    QMenuBar* menuBar_;
    QAction* Mnu_Export; // "Export section...", enabled once a run has smoothed the section
    QLineEdit* Txt_NP;
    QLabel* Lbl_NP;
    QGroupBox* Frm_NF;
    std::array<QRadioButton*, 3> Opt_NF;
    QGroupBox* Frame4;
    std::array<QRadioButton*, 2> Opt_BC;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 3> Opt_xinp;
    QLineEdit* Txt_Nodes;
    QLabel* Lbl_Nodes;
    QCheckBox* Chk_Smooth;
    QLineEdit *Txt_SmS, *Txt_Sm, *Txt_chord;
    QLabel *Lbl_SmS, *Lbl_sm, *Lbl_chord;
    QGroupBox* Frame3;
    QCheckBox *Chk_STL, *Chk_rotate;
    QLineEdit *Txt_delx, *Txt_dely, *Txt_delz, *Txt_delxp;
    QLabel *Lbl_delxm, *Lbl_dely, *Lbl_delz, *Lbl_dexp;
};

} // namespace zarnfoil::ui
