// The batch command over many sections: the files and folders named, run a few at a time,
// with one summary line per section, a progress bar on a terminal and a CSV summary.
#pragma once

#include "cli/batch_options.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace zarnfoil::batch {

// The section files the command line names: each file as it stands, and for each folder its
// *.dat files in name order.
std::vector<std::string> SectionFiles(const std::vector<std::string>& named);

// Runs every section; returns the worst exit status. Summary lines go to `out` (to `err` with
// --json, whose summaries then go to `out`), messages to `err`; `terminal` draws the progress
// bar on `err`.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err, bool terminal);

} // namespace zarnfoil::batch
