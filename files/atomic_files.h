// A set of output files replaced as a whole: every file is written under a temporary name of
// its own beside it, and only when all are complete are they committed together through a
// small journal, so that concurrent runs, a killed run or a failed rename never leave files
// of different runs side by side. Here is also the recovery that a later run (or the window
// opening the same section) does of a set whose commit was cut short.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnfoil {

// One temporary output file. A failed write keeps the reason of the first failure.
class OutputFile {
  public:
    OutputFile(std::string path, std::string temporary, int fd, int error)
        : path_(std::move(path)), temporary_(std::move(temporary)), fd_(fd), error_(error) {}
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    void Write(std::string_view text);

    const std::string& Path() const { return path_; }
    const std::string& Temporary() const { return temporary_; }
    int Fd() const { return fd_; }
    int Error() const { return error_; } // errno of the first failure, 0 when none
    void Fail(int error) {
        if (error_ == 0) error_ = error;
    }
    void Close();

  private:
    std::string path_, temporary_;
    int fd_ = -1;
    int error_ = 0;
};

class AtomicFiles {
  public:
    AtomicFiles() = default;
    AtomicFiles(const AtomicFiles&) = delete;
    AtomicFiles& operator=(const AtomicFiles&) = delete;
    // Temporary files that were not committed are removed.
    ~AtomicFiles();

    // The temporary file that will become `path`, created exclusively under a unique name
    // (never through a symbolic link). The first file opened names the set. When it cannot be
    // created, writes to it are dropped and Commit reports why.
    OutputFile& Open(const std::string& path);

    // Flushes every file to the disk and replaces the set as a whole. Nothing on success, else
    // a message naming the file at fault and its reason, and every file keeps its earlier
    // contents. All files must lie in one folder.
    std::optional<std::string> Commit();

  private:
    void Discard();

    std::vector<std::unique_ptr<OutputFile>> files_;
};

// Completes or rolls back a commit of the set whose first file is paths[0] that a killed run
// left unfinished, and removes the temporary files that dead runs left for these paths.
// Nothing on success, else the reason.
std::optional<std::string> RecoverOutputSet(const std::vector<std::string>& paths);

} // namespace zarnfoil
