// A scratch folder per fuzzing process, emptied before each input.
#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

namespace zarnfoil::fuzz {

inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path folder = [] {
        // one folder per process, so parallel fuzzing jobs never read each other's files
        auto f =
            std::filesystem::temp_directory_path() / ("zarnfoil-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

// The folder `name` inside the scratch folder, new and empty.
inline std::filesystem::path EmptyFolder(const std::string& name) {
    const auto folder = Scratch() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline bool IsEmpty(const std::filesystem::path& folder) {
    return std::filesystem::directory_iterator(folder) == std::filesystem::directory_iterator();
}

} // namespace zarnfoil::fuzz
