// A whole smoothing run as the commands start it: compute on the section, then write the
// report, the second table file and, at output level 2, the STL solid and its labels.
#pragma once

#include "core/fairness_report.h"
#include "core/foil_state.h"
#include "core/smoothing_run.h"
#include "files/stl_export.h"

#include <string>
#include <string_view>

namespace zarnfoil {

struct RunOutcome {
    enum class Kind {
        Done,        // state updated, every file written
        Refused,     // the section cannot be run: state and files unchanged
        WriteFailed, // state updated, but the files could not be written and keep their contents
    };
    Kind kind = Kind::Done;
    std::string message;
    FairnessReport fairness; // of the run, when it was not refused

    bool Succeeded() const { return kind == Kind::Done; }
};

// Whether a run writes its files or only computes (and checks) everything they would hold.
enum class RunFiles { Write, Skip };

// The run of the Smooth command and of the curvature window's re-run: on success the foil
// state holds the run's results and p.DSMOOTH_OLD the strip of this run. At output level 2 the
// STL solid is built round the section with `domain`. The output files are replaced as one
// set, never by the section file itself.
RunOutcome RunSmoothing(FoilState& s, RunParams& p, const StlDomain& domain = {},
                        RunFiles files = RunFiles::Write);

// The curvature window's re-run: the edited weights become the section's weights (D := DP),
// the current smoothed curvature becomes the previous one, rotation as asked, then the run;
// NRUN counts it. A refused re-run changes nothing.
RunOutcome RerunSmoothing(FoilState& s, RunParams& windowParams, bool withoutRotation,
                          const StlDomain& domain = {}, RunFiles files = RunFiles::Write);

// The strip of a re-run: the text box's whole text as a number, when smoothing is checked
// and the number is above 0; otherwise 0.
float RerunStrip(std::string_view stripText, bool smoothingChecked);

} // namespace zarnfoil
