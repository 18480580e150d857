// Reading a whole text file that is meant to be small (a section, a grid file): anything that
// is not a regular file (a folder, a pipe, a device) and anything larger than a section file
// can be is refused before it is read, so that nothing waits or reads without end.
#pragma once

#include <cstddef>
#include <string>

namespace zarnfoil {

inline constexpr std::size_t kMaxSectionFileBytes = 4u << 20; // 4 MiB

struct SmallTextFile {
    enum class Status { Read, Unreadable, NotRegular, TooLarge };
    Status status = Status::Read;
    std::string text;   // Read: the whole file
    std::string reason; // otherwise: why, in words, without the file's name
};

SmallTextFile ReadSmallTextFile(const std::string& path,
                                std::size_t maxBytes = kMaxSectionFileBytes);

} // namespace zarnfoil
