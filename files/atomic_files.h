// Writing a set of output files so that each is complete or untouched: every file goes to a
// temporary name beside it first, and only when all are written are they renamed into place.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zarnfoil {

struct OutputFile {
    std::string path;
    const std::string* text;
};

// Nothing on success, else a message naming the file that could not be written (in which
// case every file keeps its earlier contents).
std::optional<std::string> WriteFilesAtomically(const std::vector<OutputFile>& files);

} // namespace zarnfoil
