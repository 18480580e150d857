// Output files written beside themselves and renamed into place.
#include "files/atomic_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zarnfoil {
namespace {

std::string TemporaryName(const std::string& path) {
    return path + ".zarnfoil-tmp";
}

std::optional<std::string> WriteWhole(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return std::string(std::strerror(errno));
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written) return std::string(std::strerror(writeErrno));
    if (!closed) return std::string(std::strerror(errno));
    return std::nullopt;
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

std::optional<std::string> WriteFilesAtomically(const std::vector<OutputFile>& files) {
    std::vector<std::string> temporaries;
    for (const auto& file : files) {
        const std::string temporary = TemporaryName(file.path);
        if (auto error = WriteWhole(temporary, *file.text)) {
            RemoveQuietly(temporary);
            for (const auto& t : temporaries) RemoveQuietly(t);
            return "Cannot write \"" + file.path + "\": " + *error +
                   ". No output file was changed.";
        }
        temporaries.push_back(temporary);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code error;
        std::filesystem::rename(temporaries[i], files[i].path, error);
        if (error) {
            for (std::size_t j = i; j < files.size(); ++j) RemoveQuietly(temporaries[j]);
            return "Cannot replace \"" + files[i].path + "\": " + error.message() + ".";
        }
    }
    return std::nullopt;
}

} // namespace zarnfoil
