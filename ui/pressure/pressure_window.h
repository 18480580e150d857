// Form_Cp, "Cp distribution": computes the pressure distribution of the smoothed section through
// the solver library, at a Mach number and a lift coefficient or angle of attack, and plots Cp
// over x and over t = ±sqrt(x) beside the curve of the computation before, each curve named in
// the legends with its conditions. The pictures zoom and pan like the plot windows; until the
// engineer does so, they show each new computation whole. A note under the pictures says what
// the engineer must know about the curve (a resampled section, a section changed since).
#pragma once

#include "core/foil_state.h"
#include "ui/main/foil_document.h"
#include "ui/plots/picture_area.h"
#include "ui/plots/plot_view.h"
#include "ui/pressure/cp_layout.h"
#include "ui/pressure/kalto_binding.h"
#include "ui/pressure/pressure_history.h"

#include <QSize>
#include <QWidget>

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zarnfoil::ui {

class Form_inp;

class Form_Cp : public QWidget {
    Q_OBJECT
  public:
    using ShowMessage = std::function<void(const QString& text)>;

    // Reads the smoothed section from the document and counts its computations there (NCP);
    // the previous curve is kept in `history`, which outlives the window. The boxes open with
    // what the first computation of a section uses: Mach 0.70, C lift 0.50, C lift given.
    Form_Cp(FoilDocument& document, PressureHistory& history, QWidget* parent = nullptr);

    // How the window's messages reach the engineer; by default a message box that does not
    // hold up the program.
    void SetShowMessage(ShowMessage show) { showMessage_ = std::move(show); }
    // Where to look for the solver library instead of the usual places.
    void SetSolverPaths(QStringList paths) { kalto_.SetPaths(std::move(paths)); }

    // Cmd_cp: computes with the boxes' values and draws; a result outside the method's range
    // is reported and not drawn.
    void ComputeCp();
    // Draws both pictures from the last result.
    void DrawCp();
    // The picture menu's "Export curve as CSV...": the newest curve; false when there is none
    // or the file could not be written.
    bool ExportCsv(const QString& path);

    const KaltoArguments& Arguments() const { return args_; }
    float MachLast() const { return MACHLAST; }
    PictureArea& PictCp() { return *Pict_Cp; }
    PictureArea& PictCpt() { return *Pict_Cpt; }
    const PlotView& ViewCp() const { return viewCp_; }
    const PlotView& ViewCpt() const { return viewCpt_; }
    // Both pictures back to the whole of the curves.
    void ResetViews();
    const CpLayout& Layout() const { return layout_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildControls();
    void Tell(const QString& text);
    void Redraw();

    FoilDocument& document_;
    const FoilState& s_;
    PressureHistory& history_;
    KaltoLibrary kalto_;
    KaltoArguments args_; // passed again as the library left it, call after call
    float MACHLAST = 0;
    bool holdsResult_ = false; // args_ holds a result computed in this window
    QString caption_;          // the newest curve's conditions, as the legend names it
    PlotView viewCp_, viewCpt_;
    bool followCp_ = true, followCpt_ = true; // the views show each new curve whole
    CpLayout layout_;
    QSize askedFrom_; // size at the last height asked for: the window system may refuse it
    ShowMessage showMessage_;

    QGroupBox* Frm_cp;
    QLabel *Lbl_M, *Lbl_alpha, *Lbl_cl, *Label1;
    QLineEdit *Txt_M, *Txt_alpha, *Txt_cl;
    QRadioButton *Opt_alpha, *Opt_cl;
    QPushButton* Cmd_cp;
    QWidget* Line1;
    PictureArea *Pict_Cpt, *Pict_Cp;
    QLabel* Lbl_note;
};

// Lets the main window's "Pict Cp" show the Cp window: built the first time, and anew after the
// user closed it; an open one is brought to the front. The previous curve is kept while the
// program runs and forgotten when a new section is read.
void InstallPressureWindow(Form_inp& form);

} // namespace zarnfoil::ui
