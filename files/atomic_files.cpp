// Output sets committed through a journal. A commit, under an advisory lock on the folder:
// every temporary file is on the disk; each file it replaces gets a backup (a hard link, or a
// copy where the folder has none); the journal listing the renames is written and flushed;
// the temporary files are renamed into place; the journal and the backups go. A journal
// found later means the temporary files were complete: the renames are done again (forward),
// and only when a rename cannot be done are the backups put back. Temporary files of a live
// run carry a lock of their own, so a later run removes only those that dead runs left.
#include "files/atomic_files.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#include <system_error>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zarnfoil {
namespace {

constexpr std::string_view kTempSuffix = ".zarnfoil-tmp";
constexpr std::string_view kBackupSuffix = ".zarnfoil-old";
constexpr std::string_view kJournalSuffix = ".zarnfoil-journal";
constexpr std::string_view kJournalHeader = "zarnfoil journal 1";
constexpr std::size_t kTagLength = 8;

std::string Reason(int error) {
    return std::generic_category().message(error);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Sibling(const std::string& path, const std::string& name) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

// Eight hexadecimal digits, different for every call in any thread of any process.
std::string UniqueTag() {
    thread_local std::mt19937_64 generator([] {
        std::random_device device;
        const auto now =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::seed_seq seed{
            device(),
            device(),
            static_cast<unsigned>(getpid()),
            static_cast<unsigned>(now),
            static_cast<unsigned>(now >> 32),
            static_cast<unsigned>(std::hash<std::thread::id>{}(std::this_thread::get_id()))};
        return std::mt19937_64(seed);
    }());
    static constexpr char hex[] = "0123456789abcdef";
    std::string tag(kTagLength, '0');
    std::uint64_t bits = generator();
    for (char& c : tag) {
        c = hex[bits & 15];
        bits >>= 4;
    }
    return tag;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

int CloseKeepingError(int fd) {
    const int result = ::close(fd);
    return result == 0 || errno == EINTR ? 0 : errno;
}

// A new file `path`.<tag><suffix>, created exclusively: an existing name, a symbolic link
// included, is never opened. Returns the descriptor, or -1 with `error` set.
int CreateUnique(const std::string& path, std::string_view suffix, std::string& created,
                 int& error) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        created = path + "." + UniqueTag() + std::string(suffix);
        const int fd =
            ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    error = errno;
    created.clear();
    return -1;
}

bool WriteAll(int fd, std::string_view text, int& error) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The advisory lock that keeps the commits (and recoveries) in one folder one at a time;
// its descriptor also flushes the folder's entries to the disk.
class FolderLock {
  public:
    explicit FolderLock(const std::string& folder) {
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0)
            if (errno != EINTR) {
                error_ = errno;
                break;
            }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Error() const { return error_; }
    bool Sync() const { return ::fsync(fd_) == 0; }

  private:
    int fd_ = -1;
    int error_ = 0;
};

struct JournalEntry {
    std::string path, temporary, backup; // backup empty: the file did not exist before
};

std::string JournalPath(const std::string& firstPath) {
    return firstPath + std::string(kJournalSuffix);
}

// The journal lists, for each file of the set, its final, temporary and backup names within
// the folder, separated by NUL characters (names may hold any other character).
std::string JournalText(const std::vector<JournalEntry>& entries) {
    std::string text(kJournalHeader);
    text += '\n';
    for (const JournalEntry& e : entries) {
        for (const std::string* name : {&e.path, &e.temporary, &e.backup}) {
            text += NameOf(*name);
            text += '\0';
        }
    }
    text += "end";
    text += '\0';
    return text;
}

// The entries of a journal, or nothing when there is none (or it is not one of ours).
std::vector<JournalEntry> ReadJournal(const std::string& journal) {
    std::vector<JournalEntry> entries;
    const int fd = ::open(journal.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return entries;
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || text.size() > (1u << 20)) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    const std::string header = std::string(kJournalHeader) + "\n";
    if (text.compare(0, header.size(), header) != 0) return entries;
    std::vector<std::string> names;
    for (std::size_t at = header.size(); at < text.size();) {
        const auto end = text.find('\0', at);
        if (end == std::string::npos) return {};
        names.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (names.empty() || names.back() != "end" || (names.size() - 1) % 3 != 0) return {};
    for (std::size_t k = 0; k + 1 < names.size(); k += 3) {
        if (names[k].empty() || names[k + 1].empty()) return {};
        entries.push_back({Sibling(journal, names[k]), Sibling(journal, names[k + 1]),
                           names[k + 2].empty() ? std::string() : Sibling(journal, names[k + 2])});
    }
    return entries;
}

// Puts the set back as it was before its commit: a renamed file returns to its backup, or
// goes when it had none (it did not exist before); files not renamed stay as they are.
void RollBack(const std::vector<JournalEntry>& entries) {
    for (const JournalEntry& e : entries) {
        if (Exists(e.temporary)) {
            ::unlink(e.temporary.c_str());
            if (!e.backup.empty()) ::unlink(e.backup.c_str());
        } else if (!e.backup.empty() && Exists(e.backup)) {
            ::rename(e.backup.c_str(), e.path.c_str());
        } else {
            ::unlink(e.path.c_str());
        }
    }
}

void RemoveBackups(const std::vector<JournalEntry>& entries) {
    for (const JournalEntry& e : entries)
        if (!e.backup.empty()) ::unlink(e.backup.c_str());
}

// "<name>.<8 hex digits><suffix>": a work file of `name`.
bool IsWorkFileOf(std::string_view entry, std::string_view name, std::string_view suffix) {
    if (entry.size() != name.size() + 1 + kTagLength + suffix.size()) return false;
    if (entry.substr(0, name.size()) != name || entry[name.size()] != '.') return false;
    if (entry.substr(entry.size() - suffix.size()) != suffix) return false;
    for (char c : entry.substr(name.size() + 1, kTagLength))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// Removes the temporary and backup files of `paths` that no live run holds.
void RemoveStaleWorkFiles(const std::vector<std::string>& paths) {
    const std::string folder = FolderOf(paths.front());
    std::vector<std::string> names;
    for (const std::string& p : paths)
        names.push_back(NameOf(p));
    names.push_back(NameOf(JournalPath(paths.front())));

    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName(entry->d_name);
        for (const std::string& name : names) {
            if (IsWorkFileOf(entryName, name, kBackupSuffix)) {
                stale.push_back(Sibling(paths.front(), std::string(entryName)));
            } else if (IsWorkFileOf(entryName, name, kTempSuffix)) {
                const std::string path = Sibling(paths.front(), std::string(entryName));
                const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
                if (fd < 0) continue;
                if (::flock(fd, LOCK_EX | LOCK_NB) == 0) stale.push_back(path);
                ::close(fd);
            }
        }
    }
    ::closedir(dir);
    for (const std::string& path : stale)
        ::unlink(path.c_str());
}

// Recovery of `paths` with the folder lock held.
std::optional<std::string> RecoverLocked(const std::vector<std::string>& paths,
                                         const FolderLock& lock) {
    const std::string journal = JournalPath(paths.front());
    std::optional<std::string> failure;
    if (Exists(journal)) {
        const std::vector<JournalEntry> entries = ReadJournal(journal);
        for (const JournalEntry& e : entries)
            if (Exists(e.temporary) && ::rename(e.temporary.c_str(), e.path.c_str()) != 0) {
                failure = "Cannot complete the interrupted replacement of \"" + e.path +
                          "\": " + Reason(errno) + "; the earlier files were put back.";
                RollBack(entries);
                break;
            }
        if (!lock.Sync() && !failure) failure = "Cannot complete a replacement: " + Reason(errno);
        RemoveBackups(entries);
        ::unlink(journal.c_str());
    }
    RemoveStaleWorkFiles(paths);
    return failure;
}

// A copy of `path` as `backup`, for folders without hard links.
bool CopyAsBackup(const std::string& path, const std::string& backup, int& error) {
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = errno;
        return false;
    }
    const int out =
        ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    if (!ok) error = errno;
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false, error = errno;
        if (n <= 0) break;
        ok = WriteAll(out, std::string_view(buffer, static_cast<std::size_t>(n)), error);
    }
    if (ok && ::fsync(out) != 0) ok = false, error = errno;
    ::close(in);
    if (out >= 0) ::close(out);
    if (!ok && out >= 0) ::unlink(backup.c_str());
    return ok;
}

// Backups of the files the commit replaces; false, with nothing left behind, when one of
// them cannot be kept.
bool SaveBackups(const std::vector<JournalEntry>& entries, std::string& failedPath, int& error) {
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const JournalEntry& e = entries[k];
        struct stat st {};
        if (::lstat(e.path.c_str(), &st) != 0) continue; // nothing to keep
        error = S_ISDIR(st.st_mode) ? EISDIR : 0;
        if (error == 0 && ::link(e.path.c_str(), e.backup.c_str()) != 0 &&
            !CopyAsBackup(e.path, e.backup, error) && error == 0)
            error = EIO;
        if (error != 0) {
            for (std::size_t j = 0; j < k; ++j)
                ::unlink(entries[j].backup.c_str());
            failedPath = e.path;
            return false;
        }
    }
    return true;
}

// A new file `path`.<tag><suffix> that carries the lock of a live run. It is created and
// locked within the folder's lock, so that no other run takes it for a file left by a dead
// one. Returns the descriptor, or -1 with `error` set.
int CreateLive(const std::string& path, std::string_view suffix, std::string& created, int& error) {
    const FolderLock lock(FolderOf(path));
    if (lock.Error() != 0) {
        error = lock.Error();
        return -1;
    }
    const int fd = CreateUnique(path, suffix, created, error);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        ::close(fd);
        ::unlink(created.c_str());
        created.clear();
        return -1;
    }
    return fd;
}

} // namespace

OutputFile::~OutputFile() {
    Close();
}

void OutputFile::Write(std::string_view text) {
    if (fd_ < 0 || error_ != 0) return;
    WriteAll(fd_, text, error_);
}

void OutputFile::Close() {
    if (fd_ < 0) return;
    Fail(CloseKeepingError(fd_));
    fd_ = -1;
}

AtomicFiles::~AtomicFiles() {
    Discard();
}

OutputFile& AtomicFiles::Open(const std::string& path) {
    std::string temporary;
    int error = 0;
    const int fd = CreateLive(path, kTempSuffix, temporary, error);
    struct stat st {};
    // The new file keeps the permissions of the one it replaces.
    if (fd >= 0 && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd, st.st_mode & 07777);
    files_.push_back(std::make_unique<OutputFile>(path, temporary, fd, error));
    return *files_.back();
}

std::optional<std::string> AtomicFiles::Commit() {
    if (files_.empty()) return std::nullopt;
    auto fail = [this](const char* verb, const std::string& path, const std::string& reason) {
        std::string message = "Cannot " + std::string(verb) + " \"" + path + "\": " + reason +
                              ". No output file was changed.";
        Discard();
        return message;
    };
    // Everything that can be done before the folder's lock is: the files and the journal on
    // the disk, so that runs on other sets in the folder wait as little as they can.
    for (auto& f : files_) {
        if (f->Error() == 0 && f->Fd() >= 0 && ::fsync(f->Fd()) != 0) f->Fail(errno);
        if (f->Error() != 0) return fail("write", f->Path(), Reason(f->Error()));
    }
    std::vector<std::string> paths;
    std::vector<JournalEntry> entries;
    for (auto& f : files_) {
        paths.push_back(f->Path());
        entries.push_back({f->Path(), f->Temporary(),
                           f->Path() + "." + UniqueTag() + std::string(kBackupSuffix)});
    }
    const std::string journal = JournalPath(paths.front());
    std::string journalTemporary;
    int error = 0;
    OutputFile journalFile(journal, {}, CreateLive(journal, kTempSuffix, journalTemporary, error),
                           error);
    journalFile.Write(JournalText(entries));
    if (journalFile.Error() == 0 && ::fsync(journalFile.Fd()) != 0) journalFile.Fail(errno);
    if (journalFile.Error() != 0) {
        if (!journalTemporary.empty()) ::unlink(journalTemporary.c_str());
        return fail("write", journal, Reason(journalFile.Error()));
    }

    const FolderLock lock(FolderOf(paths.front()));
    if (lock.Error() != 0) {
        ::unlink(journalTemporary.c_str());
        return fail("write", paths.front(), Reason(lock.Error()));
    }
    if (auto failure = RecoverLocked(paths, lock)) {
        ::unlink(journalTemporary.c_str());
        Discard();
        return *failure;
    }
    std::string failedPath;
    if (!SaveBackups(entries, failedPath, error)) {
        ::unlink(journalTemporary.c_str());
        return fail("replace", failedPath, Reason(error));
    }
    // From here on the journal stands for the new set: a later run completes it.
    if (::rename(journalTemporary.c_str(), journal.c_str()) != 0 || !lock.Sync()) {
        error = errno;
        ::unlink(journalTemporary.c_str());
        ::unlink(journal.c_str());
        RemoveBackups(entries);
        return fail("replace", paths.front(), Reason(error));
    }
    for (const JournalEntry& e : entries)
        if (::rename(e.temporary.c_str(), e.path.c_str()) != 0) {
            error = errno;
            RollBack(entries);
            lock.Sync();
            ::unlink(journal.c_str());
            return fail("replace", e.path, Reason(error));
        }
    lock.Sync();
    ::unlink(journal.c_str());
    RemoveBackups(entries);
    for (auto& f : files_)
        f->Close();
    files_.clear();
    return std::nullopt;
}

void AtomicFiles::Discard() {
    for (auto& f : files_) {
        f->Close();
        if (!f->Temporary().empty()) ::unlink(f->Temporary().c_str());
    }
    files_.clear();
}

std::optional<std::string> RecoverOutputSet(const std::vector<std::string>& paths) {
    if (paths.empty() || paths.front().empty()) return std::nullopt; // no set named yet
    const FolderLock lock(FolderOf(paths.front()));
    if (lock.Error() == ENOENT) return std::nullopt; // no folder, nothing to recover
    if (lock.Error() != 0)
        return "Cannot check the output files in \"" + FolderOf(paths.front()) +
               "\": " + Reason(lock.Error()) + ".";
    return RecoverLocked(paths, lock);
}

} // namespace zarnfoil
