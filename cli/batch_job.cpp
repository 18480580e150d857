// Input, Smooth and re-runs for the batch command.
#include "cli/batch_job.h"

#include "cli/json_summary.h"
#include "core/number_field.h"
#include "files/atomic_files.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>

namespace zarnfoil::batch {
namespace {

// Message box texts break their lines with carriage returns; a terminal wants line feeds.
std::string ForTerminal(std::string message) {
    std::replace(message.begin(), message.end(), '\r', '\n');
    return message;
}

// Smooth, then each re-run as the curvature window does it.
RunOutcome RunSequence(FoilState& s, const BatchOptions& options, RunFiles files) {
    RunParams mainWindow;
    mainWindow.DSMOOTH = SmoothStrip(ReadTextBoxNumber(options.stripText), options.smooth);
    mainWindow.OUTSECT = options.stl ? 2 : 1;
    RunOutcome run = RunSmoothing(s, mainWindow, options.stlDomain, files);

    RunParams curvatureWindow;
    curvatureWindow.OUTSECT = mainWindow.OUTSECT;
    for (const WeightEdit& edit : options.reruns) {
        if (!run.Succeeded()) break;
        curvatureWindow.DSMOOTH = RerunStrip(options.stripText, options.smooth);
        s.DP(edit.index) = std::max(static_cast<float>(edit.value), 0.0f);
        run = RerunSmoothing(s, curvatureWindow, options.withoutRotation, options.stlDomain, files);
    }
    return run;
}

} // namespace

int RunBatchJob(const BatchOptions& options, FoilState& s, std::ostream& out, std::ostream& err) {
    const std::filesystem::path file(options.file);
    const std::string directory = file.has_parent_path() ? file.parent_path().string() : ".";
    const FileNames names = DeriveFileNames(directory, file.filename().string(), options.outdir);
    ApplyFileNames(s, names);
    s.IBC = options.IBC;
    // A replacement of these outputs that a killed run left unfinished is finished first.
    if (auto failure = RecoverOutputSet(OutputPaths(names))) {
        err << *failure << '\n';
        return kExitWriteFailed;
    }

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
        return ExitStatusFor(read.kind);
    }
    for (const std::string& note : read.notes)
        err << note << '\n';
    s.NOROT = options.withoutRotation ? 1 : 0;

    for (const WeightEdit& edit : options.reruns)
        if (edit.index > s.NP) {
            err << "--rerun " << edit.index << ": the section has points 1 to " << s.NP << ".\n";
            return kExitUsage;
        }
    // The whole job once without files: a run that would be refused writes nothing.
    const auto trial = std::make_unique<FoilState>(s);
    if (const RunOutcome dry = RunSequence(*trial, options, RunFiles::Skip); !dry.Succeeded()) {
        err << dry.message << '\n';
        return ExitStatusFor(dry.kind);
    }
    const RunOutcome run = RunSequence(s, options, RunFiles::Write);
    if (!run.Succeeded()) {
        err << run.message << '\n';
        return ExitStatusFor(run.kind);
    }
    err << file.filename().string() << ": " << FairnessSummary(run.fairness, s) << '\n';
    if (options.json) WriteJsonSummary(out, s, run.fairness);
    return kExitDone;
}

} // namespace zarnfoil::batch
