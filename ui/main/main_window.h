// Form_inp, "Input file": the window the program opens with. Here the user picks a section
// file, sets the options, reads the file (Input), smooths it (Smooth), opens the plot windows
// and quits. The curvature and pressure windows plug in through hooks.
#pragma once

#include "core/smoothing_run.h"
#include "files/output_names.h"
#include "files/stl_export.h"
#include "ui/main/foil_document.h"
#include "ui/main/window_slot.h"
#include "ui/plots/airfoil_window.h"
#include "ui/plots/leading_edge_window.h"
#include "ui/plots/thickness_camber_window.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace zarnfoil::ui {

class FileChoice;
class Frm_err;

// What a smoothing run takes from this window's boxes, read when it starts; or why it cannot
// start (a box that holds no number, which is then marked).
struct CommandSettings {
    float DSMOOTH = 0;            // "Specified Smooth Strip", 0 when smoothing is off
    std::string maxStripText;     // Txt_Sm, "Max Smooth Strip"
    bool withoutRotation = false; // Chk_rotate
    std::int16_t outputLevel = 1; // 2 while "Output STL format for Numeca code" is checked
    StlDomain stl;                // the STL margins and "Chord length"
    QString refusal;              // not empty: nothing may run
};

class Form_inp : public QWidget {
    Q_OBJECT
  public:
    using EndProgram = std::function<void(int status)>;
    using ShowWindow = std::function<void()>;
    using AskFile = std::function<QString()>;

    // Dir1 starts at `startDirectory`.
    Form_inp(FoilDocument& document, const QString& startDirectory, QWidget* parent = nullptr);

    // How Quit ends the program; by default the application's event loop ends with the status.
    void SetEndProgram(EndProgram end) { endProgram_ = std::move(end); }
    // Shown at the end of every Smooth.
    void SetCurvatureWindow(ShowWindow show) { showCurvature_ = std::move(show); }
    // Opened by "Pict Cp"; the button comes alive with it.
    void SetPressureWindow(ShowWindow show) { showPressure_ = std::move(show); }
    // How File > Open... asks for a file (empty: none chosen); by default a file dialog.
    void SetAskFile(AskFile ask) { askFile_ = std::move(ask); }

    FoilDocument& Document() { return document_; }
    // Reads the boxes a run needs; a box without a number is marked and named in the refusal.
    CommandSettings Settings();
    const RunParams& SmoothParams() const { return smoothRun_; }

    // A file picked in File1: derives the input and output paths and enables Input. They
    // become the section's only when Input reads the file.
    void PickFile(const QString& directory, const QString& fileName);
    const std::optional<FileNames>& PickedNames() const { return picked_; }
    // File > Open... and the recent files: shows the file's folder, picks the file and reads it.
    void OpenFile(const QString& path);
    // Sections read in this program run, the latest first.
    const QStringList& RecentFiles() const { return recent_; }
    // File > "Export section...": the smoothed section of the last run in the wrap-around
    // layout at `path` (the menu entry asks for it); false, after a message, when not written.
    bool ExportSection(const QString& path);

    // The plot windows while they are open, else null.
    Form_PW* AirfoilWindow() const { return airfoil_.Get(); }
    Form_TC* ThicknessCamberWindow() const { return thicknessCamber_.Get(); }
    Form_Y* LeadingEdgeWindow() const { return leadingEdge_.Get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls(const QString& startDirectory);
    void BuildMenu();
    void LayOutControls();
    void Load();

    void Input();
    void Smooth();
    void SectionRead();
    void SetWindowButtons(bool enabled);
    void ShowMessage(const QString& title, const QString& text);
    void ShowRecentFiles();
    std::int16_t GridChoice() const;
    // The reader's inputs for the picked file, or nothing when Txt_Nodes must be and is not
    // a number.
    std::optional<ReaderInputs> GridInputs(const std::string& directory, QString& refusal);

    FoilDocument& document_;
    RunParams smoothRun_; // DSMOOTH and DSMOOTH_OLD of this window's runs
    std::optional<FileNames> picked_;
    std::string pickedDirectory_, readDirectory_;
    QStringList recent_;
    EndProgram endProgram_;
    ShowWindow showCurvature_;
    ShowWindow showPressure_;
    AskFile askFile_;
    WindowSlot<Form_PW> airfoil_;
    WindowSlot<Form_TC> thicknessCamber_;
    WindowSlot<Form_Y> leadingEdge_;
    Frm_err* errorWindow_ = nullptr;

    QMenu* recentMenu_ = nullptr;
    QAction* Mnu_Export = nullptr; // enabled while the section holds a smoothing run
    FileChoice* files_;
    QLabel *LabelDrive, *Label_dir, *Label_file, *Label1;
    QLabel *W_Dir, *InpFile, *Lbl_outputF;
    QPushButton *Cmd_InputF, *Cmd_Geom, *Cmd_Pictf, *Cmd_TC, *Cmd_Yt, *Cmd_cp, *Cmd_Quit;
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
