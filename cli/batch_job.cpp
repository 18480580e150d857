// Input, Smooth and re-runs for the batch command.
#include "cli/batch_job.h"

#include "cli/json_summary.h"
#include "core/number_field.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace zarnfoil::batch {
namespace {

int ExitFor(ReadOutcome::Kind kind) {
    switch (kind) {
    case ReadOutcome::Kind::ReadOk: return kExitDone;
    case ReadOutcome::Kind::BadLine: return kExitBadLine;
    case ReadOutcome::Kind::NoKeyword: return kExitNoKeyword;
    case ReadOutcome::Kind::Unreadable: return kExitUnreadable;
    case ReadOutcome::Kind::TooLarge: return kExitTooLarge;
    case ReadOutcome::Kind::Refused: return kExitRefused;
    }
    return kExitRefused;
}

int ExitFor(const RunOutcome& outcome) {
    switch (outcome.kind) {
    case RunOutcome::Kind::Done: return kExitDone;
    case RunOutcome::Kind::Refused: return kExitRefused;
    case RunOutcome::Kind::WriteFailed: return kExitWriteFailed;
    }
    return kExitRefused;
}

// Message box texts break their lines with carriage returns; a terminal wants line feeds.
std::string ForTerminal(std::string message) {
    std::replace(message.begin(), message.end(), '\r', '\n');
    return message;
}

} // namespace

int RunBatchJob(const BatchOptions& options, FoilState& s, std::ostream& out, std::ostream& err) {
    const std::filesystem::path file(options.file);
    const std::string directory = file.has_parent_path() ? file.parent_path().string() : ".";
    const FileNames names = DeriveFileNames(directory, file.filename().string(), options.outdir);
    ApplyFileNames(s, names);
    s.IBC = options.IBC;

    ReaderInputs inputs;
    inputs.INPATH = names.INPATH;
    inputs.INNAME = names.INNAME;
    inputs.directory = directory;
    inputs.gridChoice = options.gridChoice;
    inputs.nodesText = options.nodesText;
    inputs.smoothChecked = options.smooth;
    const ReadOutcome read = ReadInputFile(inputs, s);
    if (read.kind != ReadOutcome::Kind::ReadOk) {
        err << ForTerminal(read.message) << '\n';
        return ExitFor(read.kind);
    }
    s.NOROT = options.withoutRotation ? 1 : 0;

    RunParams mainWindow;
    mainWindow.DSMOOTH = SmoothStrip(ReadTextBoxNumber(options.stripText), options.smooth);
    mainWindow.OUTSECT = options.stl ? 2 : 1;
    RunOutcome run = RunSmoothing(s, mainWindow, options.stlDomain);

    RunParams curvatureWindow;
    curvatureWindow.OUTSECT = mainWindow.OUTSECT;
    for (const WeightEdit& edit : options.reruns) {
        if (!run.Succeeded()) break;
        if (edit.index > s.NP) {
            err << "--rerun " << edit.index << ": the section has points 1 to " << s.NP << ".\n";
            return kExitUsage;
        }
        curvatureWindow.DSMOOTH = RerunStrip(options.stripText, options.smooth);
        s.DP(edit.index) = std::max(static_cast<float>(edit.value), 0.0f);
        run = RerunSmoothing(s, curvatureWindow, options.withoutRotation, options.stlDomain);
    }
    if (!run.Succeeded()) {
        err << run.message << '\n';
        return ExitFor(run);
    }
    err << file.filename().string() << ": " << FairnessSummary(run.fairness, s) << '\n';
    if (options.json) WriteJsonSummary(out, s, run.fairness);
    return kExitDone;
}

} // namespace zarnfoil::batch
