// Form_Cp, "Cp distribution": computes the pressure distribution of the smoothed section through
// the solver library, at a Mach number and a lift coefficient or angle of attack, and plots Cp
// over x and over t = ±sqrt(x) beside the curve of the computation before.
#pragma once

#include "core/foil_state.h"
#include "ui/plots/picture_area.h"
#include "ui/pressure/cp_layout.h"
#include "ui/pressure/kalto_binding.h"
#include "ui/pressure/pressure_history.h"

#include <QSize>
#include <QWidget>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zarnfoil::ui {

class Form_Cp : public QWidget {
    Q_OBJECT
  public:
    using ShowMessage = std::function<void(const QString& text)>;

    // Reads the smoothed section from `s` and counts its computations in s.NCP; the previous
    // curve is kept in `history`, which outlives the window.
    Form_Cp(FoilState& s, PressureHistory& history, QWidget* parent = nullptr);

    // How the window's messages reach the engineer; by default a message box that does not
    // hold up the program.
    void SetShowMessage(ShowMessage show) { showMessage_ = std::move(show); }
    // Where to look for the solver library instead of the usual places.
    void SetSolverPaths(QStringList paths) { kalto_.SetPaths(std::move(paths)); }

    // Cmd_cp: computes with the boxes' values (with the defaults at the first computation of a
    // section) and draws.
    void ComputeCp();
    // Draws both pictures from the last result.
    void DrawCp();

    const KaltoArguments& Arguments() const { return args_; }
    float MachLast() const { return MACHLAST; }
    const PictureArea& PictCp() const { return *Pict_Cp; }
    const PictureArea& PictCpt() const { return *Pict_Cpt; }
    const CpLayout& Layout() const { return layout_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildControls();
    void ApplyFirstDefaults();
    void Tell(const QString& text);

    FoilState& s_;
    PressureHistory& history_;
    KaltoLibrary kalto_;
    KaltoArguments args_; // passed again as the library left it, call after call
    float MACHLAST = 0;
    bool holdsResult_ = false; // args_ holds a result computed in this window
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
};

} // namespace zarnfoil::ui
