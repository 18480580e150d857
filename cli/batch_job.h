// The batch command's job on one section file: Input, Smooth and the curvature window's
// re-runs, without windows.
#pragma once

#include "cli/batch_options.h"
#include "core/foil_state.h"
#include "files/exit_status.h"

#include "core/fairness_report.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace zarnfoil::batch {

struct JobReport {
    int status = kExitDone;
    std::optional<FairnessReport> fairness; // of the last run, when the job got that far
    std::string failure;                    // why the job failed (its first line)
};

// Runs the job for the section `file` on `s`, and writes the smoothed section to
// `exportPath` when it is not empty; messages go to `err`, the JSON summary (when asked) to
// `out`. Every option is checked against the section, and every run done without its files,
// before any file is written: a job that fails leaves the files as they were.
JobReport RunBatchJob(const BatchOptions& options, const std::string& file,
                      const std::string& exportPath, FoilState& s, std::ostream& out,
                      std::ostream& err);

} // namespace zarnfoil::batch
