// The batch command's job on one section file: Input, Smooth and the curvature window's
// re-runs, without windows.
#pragma once

#include "cli/batch_options.h"
#include "core/foil_state.h"
#include "files/exit_status.h"

#include <iosfwd>

namespace zarnfoil::batch {

// Runs the job on `s`; messages go to `err`, the JSON summary (when asked) to `out`. Every
// option is checked against the section, and every run done without its files, before any
// file is written: a job that fails leaves the files as they were.
int RunBatchJob(const BatchOptions& options, FoilState& s, std::ostream& out, std::ostream& err);

} // namespace zarnfoil::batch
