// Running many sections: a few worker threads take the sections in turn, each on a section
// state of its own; what a section prints is held back and printed whole when it is done.
#include "cli/batch_run.h"

#include "cli/batch_job.h"
#include "core/text_format.h"
#include "files/atomic_files.h"
#include "files/output_names.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>

namespace zarnfoil::batch {
namespace {

namespace fs = std::filesystem;

constexpr int kBarWidth = 30;

struct SectionResult {
    int status = kExitDone;
    int points = 0;
    std::optional<FairnessReport> fairness;
    std::string messages, json;
    std::string failure; // the reason on the summary line, not a note that came before it
    bool done = false;
};

const char* StatusName(int status) {
    switch (status) {
    case kExitDone:
        return "done";
    case kExitUsage:
        return "bad command line";
    case kExitBadLine:
        return "bad data line";
    case kExitNoKeyword:
        return "no layout keyword";
    case kExitUnreadable:
        return "unreadable";
    case kExitTooLarge:
        return "too large";
    case kExitRefused:
        return "refused";
    case kExitWriteFailed:
        return "files not written";
    }
    return "failed";
}

std::string SummaryLine(const std::string& file, const SectionResult& r, const FoilState* s) {
    std::string line = file + ": " + StatusName(r.status);
    if (r.status != kExitDone) return line + " (" + std::to_string(r.status) + "): " + r.failure;
    line += Sprintf(", %d points", r.points);
    if (r.fairness && s != nullptr) line += "; " + FairnessSummary(*r.fairness, *s);
    return line;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

const char* kCsvHeader =
    "file,status,status_text,points,smoothing,iterations,reversals_lower_before,"
    "reversals_lower_after,reversals_upper_before,reversals_upper_after,largest_band_use,"
    "largest_band_use_point,points_on_band_edge,end_condition_warning,message\n";

std::string CsvRow(const std::string& file, const SectionResult& r) {
    std::vector<std::string> cells{CsvField(file), std::to_string(r.status),
                                   CsvField(StatusName(r.status))};
    if (r.status == kExitDone && r.fairness) {
        const FairnessReport& f = *r.fairness;
        cells.push_back(std::to_string(r.points));
        cells.push_back(f.smoothed ? EndingName(f.smoothing.ending) : "not smoothed");
        cells.push_back(std::to_string(f.smoothed ? f.smoothing.iterations : 0));
        for (const auto* list :
             {&f.lower.input, &f.lower.smoothed, &f.upper.input, &f.upper.smoothed})
            cells.push_back(std::to_string(list->size()));
        const bool banded = f.largestBandUseAt != 0;
        cells.push_back(banded ? Sprintf("%.4f", static_cast<double>(f.largestBandUse)) : "");
        cells.push_back(banded ? std::to_string(f.largestBandUseAt) : "");
        cells.push_back(std::to_string(f.onBandEdge.size()));
        cells.push_back(CsvField(f.endConditionWarning));
    } else {
        cells.resize(cells.size() + 11);
    }
    cells.push_back(CsvField(r.failure));
    std::string row;
    for (const std::string& cell : cells) {
        if (!row.empty() || &cell != &cells.front()) row += ',';
        row += cell;
    }
    row += '\n';
    return row;
}

// "[=====>     ] 12/200 sections", redrawn in place.
std::string ProgressBar(std::size_t done, std::size_t total) {
    const auto filled = static_cast<int>(kBarWidth * done / std::max<std::size_t>(total, 1));
    std::string bar = "\r[" + std::string(static_cast<std::size_t>(filled), '=') +
                      std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "] " +
                      std::to_string(done) + "/" + std::to_string(total) + " sections";
    return bar;
}

const char* kClearLine = "\r\033[K";

// Where each section's export goes: the file named, or <stem>_smooth.dat in the folder named.
std::string ExportPathFor(const BatchOptions& options, bool intoFolder, const std::string& file) {
    if (options.exportPath.empty()) return {};
    if (!intoFolder) return options.exportPath;
    const std::string name = fs::path(file).filename().string();
    return JoinPath(options.exportPath, name.substr(0, name.find('.')) + "_smooth.dat");
}

} // namespace

std::vector<std::string> SectionFiles(const std::vector<std::string>& named) {
    std::vector<std::string> files;
    for (const std::string& n : named) {
        std::error_code error;
        if (!fs::is_directory(n, error)) {
            files.push_back(n);
            continue;
        }
        std::vector<std::string> inFolder;
        for (const auto& entry : fs::directory_iterator(n, error)) {
            const std::string name = entry.path().filename().string();
            if (name.size() > 4 && name.ends_with(".dat") && entry.is_regular_file(error))
                inFolder.push_back(JoinPath(n, name));
        }
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err, bool terminal) {
    const std::vector<std::string> files = SectionFiles(options.files);
    if (files.empty()) {
        err << "zarnfoil-batch: the folders named hold no *.dat file\n";
        return kExitUsage;
    }
    std::error_code error;
    const bool exportIntoFolder =
        !options.exportPath.empty() && fs::is_directory(options.exportPath, error);
    if (!options.exportPath.empty() && files.size() > 1 && !exportIntoFolder) {
        err << "zarnfoil-batch: --export " << options.exportPath
            << " must be a folder when several sections are run\n";
        return kExitUsage;
    }

    // Sections whose output files would be those of an earlier one (the same name up to its
    // first "."), which the second run would silently replace, are refused.
    std::vector<std::string> sameOutputs(files.size());
    std::map<std::string, std::string> firstWithReport;
    for (std::size_t k = 0; k < files.size(); ++k) {
        const fs::path p(files[k]);
        const FileNames names =
            DeriveFileNames(p.has_parent_path() ? p.parent_path().string() : ".",
                            p.filename().string(), options.outdir);
        const std::string report = fs::weakly_canonical(names.OUTFILE1, error).string();
        const auto [at, inserted] = firstWithReport.emplace(report, files[k]);
        if (!inserted) sameOutputs[k] = at->second;
    }

    std::vector<SectionResult> results(files.size());
    std::mutex printing;
    std::size_t finished = 0;
    std::ostream& lines = options.json ? err : out;
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k; (k = next++) < files.size();) {
            SectionResult& r = results[k];
            std::ostringstream json, messages;
            auto s = std::make_unique<FoilState>();
            if (!sameOutputs[k].empty()) {
                r.status = kExitRefused;
                r.failure = files[k] + " has the output files of " + sameOutputs[k] +
                            " (its name up to the first \".\" is the same); rename one.";
                messages << r.failure << '\n';
            } else {
                const JobReport job = RunBatchJob(
                    options, files[k], ExportPathFor(options, exportIntoFolder, files[k]), *s, json,
                    messages);
                r.status = job.status;
                r.fairness = job.fairness;
                r.failure = job.failure;
                r.points = s->NP;
            }
            r.messages = messages.str();
            r.json = json.str();
            const std::lock_guard lock(printing);
            if (terminal) err << kClearLine;
            err << r.messages;
            lines << SummaryLine(files[k], r, s.get()) << '\n';
            ++finished;
            if (terminal) err << ProgressBar(finished, files.size());
            lines.flush();
            err.flush();
        }
    };
    const int jobs = std::clamp<int>(
        options.jobs > 0 ? options.jobs : static_cast<int>(std::thread::hardware_concurrency()), 1,
        static_cast<int>(files.size()));
    std::vector<std::thread> workers;
    for (int w = 1; w < jobs; ++w)
        workers.emplace_back(work);
    work();
    for (std::thread& w : workers)
        w.join();
    if (terminal) err << kClearLine;

    int worst = kExitDone;
    for (const SectionResult& r : results)
        worst = std::max(worst, r.status);
    if (options.json) {
        std::vector<std::string> objects;
        for (const SectionResult& r : results)
            if (!r.json.empty())
                objects.push_back(r.json.substr(0, r.json.find_last_not_of('\n') + 1));
        if (files.size() == 1) {
            if (!objects.empty()) out << objects.front() << '\n';
        } else {
            out << "[";
            for (std::size_t k = 0; k < objects.size(); ++k)
                out << (k ? ",\n" : "\n") << objects[k];
            out << "\n]\n";
        }
    }
    if (!options.summaryPath.empty()) {
        std::string csv = kCsvHeader;
        for (std::size_t k = 0; k < files.size(); ++k)
            csv += CsvRow(files[k], results[k]);
        AtomicFiles summary;
        summary.Open(options.summaryPath).Write(csv);
        if (auto failure = summary.Commit()) {
            err << "zarnfoil-batch: " << *failure << '\n';
            worst = std::max<int>(worst, kExitWriteFailed);
        }
    }
    return worst;
}

} // namespace zarnfoil::batch
