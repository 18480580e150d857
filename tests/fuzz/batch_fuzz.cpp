// Fuzzes the batch command: the input's first line is the command line (words separated by
// blanks, re-runs, --json and --export included), the rest the section file. Whatever the
// options, a job
// that does not end with 0 leaves no file at all, one that does leaves one run's set, no work
// file stays behind, and the JSON summary is valid JSON.
#include "cli/batch_job.h"
#include "cli/batch_options.h"

#include "../support/output_checks.h"
#include "fuzz_scratch.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnfoil;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    if (newline == std::string::npos || newline > 400) return 0;
    std::vector<std::string> args{"in.dat"};
    std::istringstream words(input.substr(0, newline));
    for (std::string word; words >> word && args.size() < 24;)
        args.push_back(word);
    auto parsed = batch::ParseOptions(args);
    if (!parsed.options || parsed.options->help) return 0;

    const auto in = fuzz::EmptyFolder("batch-in");
    const auto out = fuzz::EmptyFolder("batch-out");
    std::ofstream(in / "in.dat", std::ios::binary) << input.substr(newline + 1);
    batch::BatchOptions options = *parsed.options;
    options.outdir = out.string();
    const std::string exportPath = options.exportPath.empty() ? "" : (out / "export.dat").string();

    auto s = std::make_unique<FoilState>();
    std::ostringstream printed, messages;
    const int status =
        batch::RunBatchJob(options, (in / "in.dat").string(), exportPath, *s, printed, messages)
            .status;
    if (status != kExitDone) {
        if (!fuzz::IsEmpty(out)) std::abort();
        return 0;
    }
    if (!testing::OutputSetFault(out, "in.").empty() || !testing::WorkFilesIn(out).empty())
        std::abort();
    if (!exportPath.empty() && !std::filesystem::exists(exportPath)) std::abort();
    if (options.json && !testing::JsonCheck::Valid(printed.str())) std::abort();
    return 0;
}
