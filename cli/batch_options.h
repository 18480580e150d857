// Command line of zarnfoil-batch: what the main window's Input and Smooth would be given.
#pragma once

#include "files/stl_export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarnfoil::batch {

struct WeightEdit {
    int index = 0;    // point I
    double value = 0; // weight D
};

struct BatchOptions {
    std::vector<std::string> files; // section files, and folders whose *.dat files are read
    std::int16_t gridChoice = 1;    // upper surface
    std::string nodesText = "61";
    bool smooth = true;
    std::string stripText = "0.0";
    std::int16_t IBC = 0; // "2-nd der."
    bool withoutRotation = false;
    bool stl = false;
    StlDomain stlDomain; // --stl-domain and --chord, as the main window's STL fields give it
    std::vector<WeightEdit> reruns;
    std::string outdir;
    bool json = false;
    std::string exportPath;  // --export: the smoothed section in the wrap-around layout
    int exportPoints = 0;    // --points: resampled to this many points (0: the run's contour)
    int jobs = 0;            // sections run at once (0: one per core)
    std::string summaryPath; // --summary: one CSV row per section
    bool help = false;
};

// The options, or a message saying what is wrong with the command line.
struct ParsedOptions {
    std::optional<BatchOptions> options;
    std::string error;
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

} // namespace zarnfoil::batch
