// Small text files read whole.
#include "files/small_text_file.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarnfoil {
namespace {

SmallTextFile Refused(SmallTextFile::Status status, std::string reason) {
    SmallTextFile file;
    file.status = status;
    file.reason = std::move(reason);
    return file;
}

std::string Reason(int error) {
    return std::generic_category().message(error);
}

} // namespace

SmallTextFile ReadSmallTextFile(const std::string& path, std::size_t maxBytes) {
    // Not blocking: opening a named pipe must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Refused(SmallTextFile::Status::Unreadable, Reason(errno));
    struct stat st {};
    SmallTextFile file;
    if (::fstat(fd, &st) != 0) {
        file = Refused(SmallTextFile::Status::Unreadable, Reason(errno));
    } else if (S_ISDIR(st.st_mode)) {
        file = Refused(SmallTextFile::Status::NotRegular, "it is a folder, not a file");
    } else if (!S_ISREG(st.st_mode)) {
        file = Refused(SmallTextFile::Status::NotRegular,
                       "it is not a regular file (a pipe, a device or a socket)");
    } else if (static_cast<std::size_t>(st.st_size) > maxBytes) {
        file = Refused(SmallTextFile::Status::TooLarge,
                       "it holds " + std::to_string(st.st_size) + " bytes, more than the " +
                           std::to_string(maxBytes) + " a section file can need");
    } else {
        file.text.resize(static_cast<std::size_t>(st.st_size));
        std::size_t have = 0;
        // A file that grows while it is read is read up to the size it had, plus the limit.
        for (;;) {
            if (have == file.text.size()) {
                if (file.text.size() > maxBytes) {
                    file = Refused(SmallTextFile::Status::TooLarge,
                                   "it grew beyond the " + std::to_string(maxBytes) +
                                       " bytes a section file can need");
                    break;
                }
                file.text.resize(file.text.size() + 4096);
            }
            const ssize_t n = ::read(fd, file.text.data() + have, file.text.size() - have);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                file = Refused(SmallTextFile::Status::Unreadable, Reason(errno));
                break;
            }
            if (n == 0) {
                file.text.resize(have);
                break;
            }
            have += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    return file;
}

} // namespace zarnfoil
