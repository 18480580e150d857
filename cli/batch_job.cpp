// Input, Smooth and re-runs for the batch command.
#include "cli/batch_job.h"

#include "cli/json_summary.h"
#include "core/number_field.h"
#include "files/atomic_files.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"
#include "files/wrap_around_export.h"

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

JobReport RunBatchJob(const BatchOptions& options, const std::string& file,
                      const std::string& exportPath, FoilState& s, std::ostream& out,
                      std::ostream& err) {
    const auto fail = [&err](const std::string& message, int status) {
        err << message << '\n';
        return JobReport{status, std::nullopt, message.substr(0, message.find('\n'))};
    };
    const std::filesystem::path path(file);
    const std::string directory = path.has_parent_path() ? path.parent_path().string() : ".";
    const FileNames names = DeriveFileNames(directory, path.filename().string(), options.outdir);
    ApplyFileNames(s, names);
    s.IBC = options.IBC;
    // A replacement of these outputs that a killed run left unfinished is finished first.
    if (auto failure = RecoverOutputSet(OutputPaths(names)))
        return fail(*failure, kExitWriteFailed);

    ReaderInputs inputs;
    inputs.INPATH = names.INPATH;
    inputs.INNAME = names.INNAME;
    inputs.directory = directory;
    inputs.gridChoice = options.gridChoice;
    inputs.nodesText = options.nodesText;
    inputs.smoothChecked = options.smooth;
    const ReadOutcome read = ReadInputFile(inputs, s);
    if (read.kind != ReadOutcome::Kind::ReadOk)
        return fail(ForTerminal(read.message), ExitStatusFor(read.kind));
    for (const std::string& note : read.notes)
        err << note << '\n';
    s.NOROT = options.withoutRotation ? 1 : 0;

    for (const WeightEdit& edit : options.reruns)
        if (edit.index > s.NP)
            return fail("--rerun " + std::to_string(edit.index) + ": the section has points 1 to " +
                            std::to_string(s.NP) + ".",
                        kExitUsage);
    std::error_code error;
    if (!exportPath.empty() && std::filesystem::equivalent(exportPath, names.INPATH, error))
        return fail("The export " + exportPath + " would replace the section file itself.",
                    kExitRefused);
    // The whole job once without files: a run that would be refused writes nothing.
    const auto trial = std::make_unique<FoilState>(s);
    if (const RunOutcome dry = RunSequence(*trial, options, RunFiles::Skip); !dry.Succeeded())
        return fail(dry.message, ExitStatusFor(dry.kind));
    const RunOutcome run = RunSequence(s, options, RunFiles::Write);
    if (!run.Succeeded()) return fail(run.message, ExitStatusFor(run.kind));
    if (!exportPath.empty())
        if (auto failure = WriteWrapAround(s, options.exportPoints, exportPath))
            return fail(*failure, kExitWriteFailed);
    if (options.json) WriteJsonSummary(out, s, run.fairness);
    return {kExitDone, run.fairness, {}};
}

} // namespace zarnfoil::batch
