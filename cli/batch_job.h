// The batch command's job: Input, Smooth and the curvature window's re-runs, without windows.
#pragma once

#include "cli/batch_options.h"
#include "core/foil_state.h"

#include <iosfwd>

namespace zarnfoil::batch {

enum ExitStatus {
    kExitDone = 0,
    kExitUsage = 1,
    kExitBadLine = 2,
    kExitNoKeyword = 3,
    kExitUnreadable = 4,
    kExitTooLarge = 5,
    kExitRefused = 6,
    kExitWriteFailed = 7,
};

// Runs the job on `s`; messages go to `err`, the JSON summary (when asked) to `out`.
int RunBatchJob(const BatchOptions& options, FoilState& s, std::ostream& out, std::ostream& err);

} // namespace zarnfoil::batch
