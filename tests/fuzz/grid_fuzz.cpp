// Fuzzes the grid file X_INP.DAT under a fixed NACA 2412 section: the reader takes the grid
// or refuses it with a message, and a run on an accepted grid writes one consistent set with
// no NaN in it.
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "files/section_reader.h"

#include "../support/naca_section.h"
#include "../support/output_checks.h"
#include "fuzz_scratch.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zarnfoil;
    static const std::string section = [] {
        FoilState naca{};
        testing::FillSection(naca, testing::Naca{0.02, 0.4, 0.12, 41, false});
        return testing::XydText(naca);
    }();
    const auto folder = fuzz::EmptyFolder("grid");
    std::ofstream(folder / "X_INP.DAT", std::ios::binary)
        << std::string(reinterpret_cast<const char*>(data), size);

    auto s = std::make_unique<FoilState>();
    ReaderInputs inputs;
    inputs.INNAME = "wing.dat";
    inputs.directory = folder.string();
    inputs.gridChoice = kGridFromFile;
    std::istringstream in(section);
    const ReadOutcome read = ReadSection(in, inputs, *s);
    if (read.kind != ReadOutcome::Kind::ReadOk) {
        if (read.message.empty()) std::abort();
        return 0;
    }
    ApplyFileNames(*s, DeriveFileNames(folder.string(), "wing.dat"));
    RunParams p;
    p.DSMOOTH = 0.002f;
    p.OUTSECT = 2;
    if (!RunSmoothing(*s, p).Succeeded()) return 0;
    const std::string report = testing::ReadWhole(folder / "wing.out1");
    if (report.find("nan") != std::string::npos || report.find("NaN") != std::string::npos ||
        !testing::OutputSetFault(folder, "wing.").empty() || !testing::WorkFilesIn(folder).empty())
        std::abort();
    return 0;
}
