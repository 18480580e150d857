// A set of output files each written completely or not at all: every file is written under a
// temporary name beside it, and only when all are complete are they renamed into place.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace zarnfoil {

class AtomicFiles {
  public:
    AtomicFiles() = default;
    AtomicFiles(const AtomicFiles&) = delete;
    AtomicFiles& operator=(const AtomicFiles&) = delete;
    // Temporary files that were not committed are removed.
    ~AtomicFiles();

    // The temporary file that will become `path`, open for writing; null when it cannot be
    // created (Commit then reports it).
    std::FILE* Open(const std::string& path);

    // Closes every file; when all were written, renames them into place. Nothing on success,
    // else a message naming the file at fault, and every file keeps its earlier contents.
    // `writesFailed` names a failure the caller saw while writing.
    std::optional<std::string> Commit(bool writesFailed);

  private:
    struct Entry {
        std::string path, temporary;
        std::FILE* file = nullptr;
        std::string error;
    };
    void Discard();

    std::vector<Entry> entries_;
};

} // namespace zarnfoil
