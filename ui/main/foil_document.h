// The section in memory as the windows share it. Every change of it goes through here: reading
// a file, Smooth, and the curvature window's re-runs (weight steps, typed and dragged weights,
// undo). After each change every open window hears of it and redraws from the state, so none
// keeps a stale picture or label.
#pragma once

#include "core/foil_state.h"
#include "core/smoothing_run.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace zarnfoil::ui {

class FoilDocument : public QObject {
    Q_OBJECT
  public:
    explicit FoilDocument(FoilState& s, QObject* parent = nullptr);

    const FoilState& State() const { return s_; }
    // How fair the last run left the section; none before the first run of a section.
    const std::optional<FairnessReport>& Fairness() const { return fairness_; }

    // End conditions of every run from now on ("1-st der." 1, "2-nd der." 0).
    void SetEndConditions(std::int16_t IBC) { s_.IBC = IBC; }
    // Computations of the pressure window for the section (NCP).
    void SetPressureCount(std::int16_t NCP) { s_.NCP = NCP; }

    // Reads the file named by `names` into a clean state, as at program start: nothing of the
    // previous section or its runs stays (the end conditions do). Only a file read whole
    // replaces the section; then sectionRead() tells the windows.
    ReadOutcome Read(const FileNames& names, const ReaderInputs& inputs);

    // Smooth: the new X-grid by the choice in `grid` (the choice of the moment, not the one
    // the file was read with), then the run. A refused run (or grid) changes nothing.
    RunOutcome Smooth(const ReaderInputs& grid, RunParams& p, bool withoutRotation,
                      const StlDomain& stl);

    // The curvature window's re-run with weight DP(point) set to `weight` first. A refused
    // re-run changes nothing, not even the weight.
    RunOutcome Rerun(std::int16_t point, float weight, RunParams& p, bool withoutRotation,
                     const StlDomain& stl);

  signals:
    // A new section replaced the old one: windows showing the old one close.
    void sectionRead();
    // The section's results changed: open windows redraw, labels included.
    void sectionChanged();

  private:
    FoilState& s_;
    std::optional<FairnessReport> fairness_;
};

// A window's title: its caption and the name of the section file, once one has been read.
QString SectionTitle(const QString& caption, const FoilState& s);

} // namespace zarnfoil::ui
