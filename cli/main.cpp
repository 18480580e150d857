// zarnfoil-batch: read section files and smooth them without windows.
#include "cli/batch_options.h"
#include "cli/batch_run.h"
#include "files/exit_status.h"

#include <iostream>

#include <unistd.h>

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
    // The progress bar only where someone watches it.
    return RunBatch(*parsed.options, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
