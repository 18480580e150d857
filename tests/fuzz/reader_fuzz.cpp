// Feeds arbitrary bytes to the section reader as a section file (the first byte picks the
// new X-grid and the output level) and smooths whatever it accepts, writing the files into a
// scratch folder: nothing may crash, read or write out of bounds, or put NaN in a file (the
// report echoes the section's title line as read, so that line may say anything), and the
// files written must be one run's set with no work file left.
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include "../support/output_checks.h"
#include "fuzz_scratch.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace {

bool HasNaN(const std::string& path, const std::string& title) {
    std::string text = zarnfoil::testing::ReadWhole(path);
    if (const auto at = text.find(title); at != std::string::npos) text.erase(at, title.size());
    return text.find("NaN") != std::string::npos || text.find("nan") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnfoil;
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    const auto folder = fuzz::EmptyFolder("reader");

    auto s = std::make_unique<FoilState>();
    ReaderInputs inputs;
    inputs.INNAME = "fuzz.dat";
    inputs.directory = folder.string();
    inputs.gridChoice = static_cast<std::int16_t>(options % 3);
    inputs.nodesText = std::to_string(3 + options % 40);
    inputs.smoothChecked = (options & 0x40) == 0;
    if (ReadSection(in, inputs, *s).kind != ReadOutcome::Kind::ReadOk) return 0;

    const FileNames names = DeriveFileNames(folder.string(), "fuzz.dat");
    ApplyFileNames(*s, names);
    s->IBC = (options & 0x80) ? 1 : 0;
    RunParams p;
    p.DSMOOTH = 0.002f;
    p.OUTSECT = (options & 0x20) ? 2 : 1;
    const bool done = RunSmoothing(*s, p).Succeeded();
    if (!done && !fuzz::IsEmpty(folder)) std::abort(); // a refused run writes nothing
    if (done && (HasNaN(names.OUTFILE1, s->TITLE) || HasNaN(names.OUTFILE2, s->TITLE) ||
                 !testing::OutputSetFault(folder, "fuzz.").empty() ||
                 !testing::WorkFilesIn(folder).empty()))
        std::abort();
    return 0;
}
