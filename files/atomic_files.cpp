// Output files written beside themselves and renamed into place.
#include "files/atomic_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zarnfoil {
namespace {

std::string TemporaryName(const std::string& path) { return path + ".zarnfoil-tmp"; }

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

AtomicFiles::~AtomicFiles() { Discard(); }

std::FILE* AtomicFiles::Open(const std::string& path) {
    Entry entry{path, TemporaryName(path), nullptr, {}};
    entry.file = std::fopen(entry.temporary.c_str(), "wb");
    if (entry.file == nullptr) entry.error = std::strerror(errno);
    entries_.push_back(std::move(entry));
    return entries_.back().file;
}

std::optional<std::string> AtomicFiles::Commit(bool writesFailed) {
    std::optional<std::string> failure;
    for (Entry& e : entries_) {
        if (e.file == nullptr) {
            if (!failure) failure = "Cannot write \"" + e.path + "\": " + e.error + ".";
            continue;
        }
        const bool flawed = std::ferror(e.file) != 0;
        const int writeErrno = errno;
        const bool closed = std::fclose(e.file) == 0;
        e.file = nullptr;
        if (!failure && (flawed || !closed))
            failure = "Cannot write \"" + e.path + "\": " + std::strerror(writeErrno) + ".";
    }
    if (!failure && writesFailed) failure = "Cannot write the output files completely.";
    if (failure) {
        Discard();
        return *failure + " No output file was changed.";
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        std::error_code error;
        std::filesystem::rename(entries_[i].temporary, entries_[i].path, error);
        if (error) {
            const std::string message = "Cannot replace \"" + entries_[i].path + "\": " + error.message() + ".";
            entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(i));
            Discard();
            return message;
        }
    }
    entries_.clear();
    return std::nullopt;
}

void AtomicFiles::Discard() {
    for (Entry& e : entries_) {
        if (e.file != nullptr) std::fclose(e.file);
        e.file = nullptr;
        RemoveQuietly(e.temporary);
    }
    entries_.clear();
}

} // namespace zarnfoil
