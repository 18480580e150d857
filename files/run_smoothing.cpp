// Smoothing runs with their output files. Everything is computed on a copy of the section,
// checked, and written before the copy replaces the section.
#include "files/run_smoothing.h"

#include "core/number_field.h"
#include "core/section_results.h"
#include "core/text_format.h"
#include "files/atomic_files.h"
#include "files/report_tables.h"
#include "files/section_exports.h"
#include "files/stl_export.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace zarnfoil {
namespace {

constexpr int kMaxGridNodes = (kMaxPoints + 1) / 2; // the exported contour holds 2N - 1 points

std::optional<std::string> CheckGrid(const FoilState& s) {
    const int n = s.NNODES;
    if (n < 3 || n > kMaxGridNodes)
        return Sprintf("The new X-grid has %d nodes; a run needs 3 to %d (the exported contour "
                       "holds at most %d points).",
                       n, kMaxGridNodes, kMaxPoints);
    for (int j = 1; j <= n; ++j)
        if (!std::isfinite(s.XNODES(j)) || s.XNODES(j) < 0.0f)
            return Sprintf("Grid node %d: X = %g; the new X-grid needs finite values of 0 or more.",
                           j, static_cast<double>(s.XNODES(j)));
    if (s.XNODES(n - 1) == s.XNODES(n))
        return Sprintf("Grid nodes %d and %d have the same X; the trailing-edge slope and angle "
                       "need different values.",
                       n - 1, n);
    return std::nullopt;
}

// Names the first value bound for a file that is not a finite number.
std::optional<std::string> FirstNonFinite(const FoilState& s, const SectionResults& r) {
    struct Range {
        const char* name;
        const PointArray* values;
        int count;
    };
    const Range ranges[] = {
        {"XP", &s.XP, s.NP},
        {"YP", &s.YP, s.NP},
        {"T", &s.T, s.NP},
        {"DP", &s.DP, s.NP},
        {"Y_SM", &s.Y_SM, s.NP},
        {"K", &s.K, s.NP},
        {"K_SM", &s.K_SM, s.NP},
        {"DY1T", &r.unsmoothed.DY1T, s.NP},
        {"DY2T", &r.unsmoothed.DY2T, s.NP},
        {"DY1X", &r.unsmoothed.DY1X, s.NP},
        {"DY2X", &r.unsmoothed.DY2X, s.NP},
        {"DY1T_SM", &r.smoothed.DY1T, s.NP},
        {"DY2T_SM", &r.smoothed.DY2T, s.NP},
        {"DY1X_SM", &r.smoothed.DY1X, s.NP},
        {"DY2X_SM", &r.smoothed.DY2X, s.NP},
        {"XNODES", &s.XNODES, s.NNODES},
        {"YU", &s.YU, s.NNODES},
        {"YL", &s.YL, s.NNODES},
        {"HTHICK_SM", &s.HTHICK_SM, s.NNODES},
        {"CAMBER_SM", &s.CAMBER_SM, s.NNODES},
        {"XOUT", &s.XOUT, s.NOUT},
        {"YOUT", &s.YOUT, s.NOUT},
    };
    for (const auto& range : ranges)
        for (int i = 1; i <= range.count; ++i)
            if (!std::isfinite((*range.values)(i)))
                return Sprintf("%s(%d) is not a finite number; no file was written.", range.name, i);
    const std::pair<const char*, float> scalars[] = {
        {"EPSIL", s.EPSIL}, {"CHORD", s.CHORD}, {"XSING", s.XSING}, {"YSING", s.YSING},
        {"TRAIL", s.TRAIL}, {"SLOPT", s.SLOPT}, {"HTMAX", s.HTMAX}, {"XHTMAX", s.XHTMAX},
    };
    for (const auto& [name, value] : scalars)
        if (!std::isfinite(value)) return Sprintf("%s is not a finite number; no file was written.", name);
    return std::nullopt;
}

RunOutcome Refused(std::string message) {
    return {RunOutcome::Kind::Refused, std::move(message), {}};
}

// An output file that is the section file itself would destroy the section.
std::optional<std::string> OutputOverInput(const FoilState& s, bool writeStl) {
    std::error_code error;
    if (s.INPATH.empty() || !std::filesystem::exists(s.INPATH, error)) return std::nullopt;
    std::vector<const std::string*> outputs{&s.OUTFILE1, &s.OUTFILE2};
    if (writeStl) outputs.insert(outputs.end(), {&s.STLFILE, &s.STLPROPFILE});
    for (const std::string* out : outputs)
        if (*out == s.INPATH || std::filesystem::equivalent(*out, s.INPATH, error))
            return Sprintf("The output file %s would replace the section file itself; rename "
                           "the section file (its name up to the first \".\" names the output "
                           "files).",
                           out->c_str());
    return std::nullopt;
}

} // namespace

RunOutcome RunSmoothing(FoilState& s, RunParams& p, const StlDomain& domain, RunFiles mode) {
    FoilState w = s;
    RunParams q = p;
    RunSplines splines;
    if (auto refusal = SmoothContour(w, q, splines)) return Refused(refusal->message);
    if (auto fault = CheckGrid(w)) return Refused(*fault);

    SectionResults results;
    ComputeSectionResults(w, splines, results);
    FairnessReport fairness = AssessFairness(w, splines);

    const bool writeStl = q.OUTSECT > 1 && !w.STLFILE.empty();
    const StlContour contour = writeStl ? ClosedContour(w) : StlContour{};
    if (writeStl)
        if (auto fault = CheckStlDomain(domain, contour)) return Refused(*fault);
    if (auto fault = FirstNonFinite(w, results)) return Refused(*fault);
    if (auto fault = OutputOverInput(w, writeStl)) return Refused(*fault);

    std::optional<std::string> writeError;
    if (mode == RunFiles::Write) {
        // A file that cannot be created takes no text; Commit names it and its reason.
        AtomicFiles files;
        TextLines report(files.Open(w.OUTFILE1)), second(files.Open(w.OUTFILE2));
        WriteReportHeader(report, w, q.DSMOOTH);
        WriteReportTables(report, second, w, results);
        WriteSectionExports(report, w, q.OUTSECT);
        report.Finish();
        second.Finish();
        if (writeStl) {
            TextLines stl(files.Open(w.STLFILE)), labels(files.Open(w.STLPROPFILE));
            WriteStlSolid(stl, labels, w, contour, domain);
            stl.Finish();
            labels.Finish();
        }
        writeError = files.Commit();
    }

    s = std::move(w);
    p = q;
    if (writeError) return {RunOutcome::Kind::WriteFailed, *writeError, std::move(fairness)};
    return {RunOutcome::Kind::Done, {}, std::move(fairness)};
}

RunOutcome RerunSmoothing(FoilState& s, RunParams& windowParams, bool withoutRotation,
                          const StlDomain& domain, RunFiles mode) {
    FoilState w = s;
    w.NOROT = withoutRotation ? 1 : 0;
    for (int i = 1; i <= w.NP; ++i) {
        w.D(i) = w.DP(i);
        w.K_SM_PREV(i) = w.K_SM(i);
    }
    RunOutcome outcome = RunSmoothing(w, windowParams, domain, mode);
    if (outcome.kind == RunOutcome::Kind::Refused) return outcome;
    if (w.NRUN < INT16_MAX) ++w.NRUN; // a 16-bit count: it stays at its largest value
    s = std::move(w);
    return outcome;
}

float RerunStrip(std::string_view stripText, bool smoothingChecked) {
    const auto value = ReadWholeNumber(stripText);
    return SmoothStrip(value.value_or(0.0), smoothingChecked);
}

} // namespace zarnfoil
