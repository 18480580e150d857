// zarnfoil-batch: read a section file and smooth it without windows.
#include "cli/batch_job.h"
#include "cli/batch_options.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv) {
    using namespace zarnfoil;
    using namespace zarnfoil::batch;
    const ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << "zarnfoil-batch: " << parsed.error << "\n\n" << kUsage;
        return kExitUsage;
    }
    if (parsed.options->help) {
        std::cout << kUsage;
        return kExitDone;
    }
    auto state = std::make_unique<zarnfoil::FoilState>();
    return RunBatchJob(*parsed.options, *state, std::cout, std::cerr);
}
