// Form_KSM, "Curvature K(t)": the curvature along t before and after smoothing (Pict_C) over
// the deviation of the smoothed section from the section as read within its bands (Pict_Dev)
// and the working weights (Pict_D), all three along the same t; below them how fair the last run
// left the section (Lbl_fair) and a warning about its end values (Lbl_warn). Here the engineer
// selects a point's weight and changes it; every change (a step of the value scroll bar, a typed
// weight, a right-button drag, undo and redo) runs the smoothing again at once, and the window
// redraws with every other open window.
#pragma once

#include "core/foil_state.h"
#include "core/smoothing_run.h"
#include "ui/main/main_window.h"
#include "ui/plots/curvature_layout.h"
#include "ui/plots/curvature_plots.h"
#include "ui/plots/picture_area.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/weight_history.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace zarnfoil::ui {

class Form_KSM : public QWidget {
    Q_OBJECT
  public:
    // What the re-run reads from the main window when it starts.
    using ReadSettings = std::function<CommandSettings()>;
    using ShowMessage = std::function<void(const QString& title, const QString& text)>;

    Form_KSM(FoilDocument& document, ReadSettings settings, QWidget* parent = nullptr);

    // How refused input and failed re-runs are reported; by default a modal message box.
    void SetShowMessage(ShowMessage show) { showMessage_ = std::move(show); }

    PictureArea& PictC() { return *Pict_C; }
    PictureArea& PictD() { return *Pict_D; }
    PictureArea& PictDev() { return *Pict_Dev; }
    const PlotView& View() const { return view_; }
    const RunParams& WindowRunParams() const { return run_; }
    std::int16_t Selected() const { return ISEL; }

    const WeightRange& Weights() const { return weights_; }

    // The pictures for the visible rectangle of Pict_C; Pict_Dev and Pict_D share its t range.
    void DrawPlot(float xc, float yc, float w, float h);
    void DrawView() { DrawPlot(view_.VIEW_XC, view_.VIEW_YC, view_.VIEW_W, view_.VIEW_H); }
    // Back to the first view, taken from the section as it is now: the smoothed curvature's
    // bulk (FindCurvatureBounds) over the whole t range.
    void ResetView();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void Connect();
    void Load();
    void ShowValues();
    void ShowFairness();
    // The ranges of the deviation and weight pictures, from the section as it is now.
    void FindRanges();

    void VScrIdChanged(int value);
    void VScrDChanged(int value);
    void EnterWeight();
    void SelectAt(float t);
    void WeightMoved(const PictureMouse& mouse);
    void WeightReleased(const PictureMouse& mouse);
    void ShowReadout(float t);
    void TakeBack(bool redo);
    // Weight DP(point) := weight and the smoothing run again with this window's strip; false
    // when it could not run (the weight then stays as it was).
    bool RerunWithWeight(std::int16_t point, float weight);
    void SectionChanged();
    void Report(const QString& text);

    FoilDocument& document_;
    const FoilState& s_;
    ReadSettings settings_;
    ShowMessage showMessage_;
    RunParams run_; // this window's DSMOOTH and DSMOOTH_OLD
    PlotView view_;
    CurvatureBounds bounds_;
    WeightRange weights_;
    DeviationRange deviation_;
    CurvatureLayout layout_;
    WeightHistory history_;
    // A right-button drag in Pict_D: the point, its weight when the drag began and the last
    // weight it set; a drag whose run was refused goes no further.
    bool dragging_ = false, dragRefused_ = false;
    std::int16_t dragPoint_ = 0;
    float dragFrom_ = 0, dragTo_ = 0;

    std::int16_t ISEL = 2;
    std::int16_t VSCR_D_LAST = -500;
    std::int16_t BUSY = 0;

    QLabel *Label_x, *Label_t, *Label_y, *Lbl_D, *Lbl_DI, *Lbl_fair, *Lbl_warn;
    QScrollBar *VScr_ID, *VScr_D;
    QLineEdit* Txt_DI;
    QPushButton* Cmd_Enter;
    PictureArea *Pict_C, *Pict_Dev, *Pict_D;
};

// Lets the main window's Smooth show the curvature window: built the first time, and anew
// after the user closed it; an open one is brought to the front.
void InstallCurvatureWindow(Form_inp& form);

} // namespace zarnfoil::ui
