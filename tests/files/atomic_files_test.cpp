// Output sets replaced as a whole: what a failed write or rename leaves, the reason a write
// failed, links planted beside the files, and the recovery of a commit cut short.
#include "files/atomic_files.h"
#include "files/text_lines.h"

#include "../support/output_checks.h"
#include "temp_folder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace zarnfoil {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::optional<std::string> WriteSet(const std::vector<std::string>& paths,
                                    const std::string& text) {
    AtomicFiles files;
    for (const std::string& p : paths)
        files.Open(p).Write(text + " " + p);
    return files.Commit();
}

TEST(AtomicFiles, AFailedRenameLeavesEveryFileAsItWas) {
    TempFolder folder;
    const std::vector<std::string> set{folder / "wing.out1", folder / "wing.out2"};
    ASSERT_FALSE(WriteSet(set, "old"));
    // A folder in the place of out2: nothing of the new set may land.
    fs::remove(set[1]);
    fs::create_directories(fs::path(set[1]) / "inside");
    const auto failure = WriteSet(set, "new");
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("Cannot replace \"" + set[1] +
                            "\": Is a directory. No output file "
                            "was changed."),
              std::string::npos)
        << *failure;
    EXPECT_EQ(folder.Read("wing.out1"), "old " + set[0]);
    EXPECT_EQ(testing::WorkFilesIn(folder.Path()), std::vector<std::string>{});
}

TEST(AtomicFiles, AWriteThatFailsKeepsItsReason) {
    TempFolder folder;
    folder.Write("wing.out1", "old");
    // A file size limit stands in for a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto failure = WriteSet({folder / "wing.out1"}, std::string(10000, 'x'));
    setrlimit(RLIMIT_FSIZE, &before);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("File too large"), std::string::npos) << *failure;
    EXPECT_EQ(folder.Read("wing.out1"), "old");
    EXPECT_TRUE(testing::WorkFilesIn(folder.Path()).empty());
}

TEST(AtomicFiles, LinksBesideTheFilesAreNotWrittenThrough) {
    TempFolder folder, elsewhere;
    const std::string target = elsewhere.Write("precious", "keep");
    // the name of the former fixed temporary file, and the output itself
    fs::create_symlink(target, folder / "wing.out1.zarnfoil-tmp");
    fs::create_symlink(target, folder / "wing.out2");
    ASSERT_FALSE(WriteSet({folder / "wing.out1", folder / "wing.out2"}, "new"));
    EXPECT_EQ(elsewhere.Read("precious"), "keep");
    EXPECT_FALSE(fs::is_symlink(folder / "wing.out2")); // replaced, not written through
    EXPECT_EQ(folder.Read("wing.out1"), "new " + (folder / "wing.out1"));
}

TEST(AtomicFiles, ReplacedFilesKeepTheirPermissions) {
    TempFolder folder;
    const std::string out = folder.Write("wing.out1", "old");
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_FALSE(WriteSet({out}, "new"));
    EXPECT_EQ(fs::status(out).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicFiles, SetsCommittedFromManyThreadsStayWhole) {
    TempFolder folder;
    const std::vector<std::string> set{folder / "a.out1", folder / "a.out2", folder / "a.stl"};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&set, t] {
            for (int k = 0; k < 8; ++k)
                EXPECT_FALSE(WriteSet(set, "run " + std::to_string(t)));
        });
    for (auto& w : writers)
        w.join();
    const std::string first = folder.Read("a.out1");
    const std::string run = first.substr(0, first.find(' ', 4));
    for (const std::string& p : set)
        EXPECT_EQ(testing::ReadWhole(p), run + " " + p);
    EXPECT_TRUE(testing::WorkFilesIn(folder.Path()).empty());
}

// A commit cut short after its journal: the journal names, per file, the final, temporary and
// backup names, separated by NUL characters.
void Journal(const TempFolder& folder, const std::vector<std::array<std::string, 3>>& entries) {
    std::string text = "zarnfoil journal 1\n";
    for (const auto& e : entries)
        for (const std::string& name : e)
            text += name + '\0';
    text += std::string("end") + '\0';
    folder.Write("wing.out1.zarnfoil-journal", text);
}

TEST(AtomicFiles, ACommitCutShortIsCompletedOrPutBack) {
    TempFolder folder;
    const std::vector<std::string> set{folder / "wing.out1", folder / "wing.out2"};
    // out1 was renamed already; out2's new file waits under its temporary name.
    folder.Write("wing.out1", "new 1");
    folder.Write("wing.out1.0123abcd.zarnfoil-old", "old 1");
    folder.Write("wing.out2", "old 2");
    folder.Write("wing.out2.0123abcd.zarnfoil-old", "old 2");
    folder.Write("wing.out2.89abcdef.zarnfoil-tmp", "new 2");
    folder.Write("wing.out2.fedcba98.zarnfoil-tmp", "a dead run's file");
    Journal(folder,
            {{"wing.out1", "wing.out1.76543210.zarnfoil-tmp", "wing.out1.0123abcd.zarnfoil-old"},
             {"wing.out2", "wing.out2.89abcdef.zarnfoil-tmp", "wing.out2.0123abcd.zarnfoil-old"}});
    EXPECT_FALSE(RecoverOutputSet(set));
    EXPECT_EQ(folder.Read("wing.out1") + folder.Read("wing.out2"), "new 1new 2");
    EXPECT_TRUE(testing::WorkFilesIn(folder.Path()).empty());

    // When the rename cannot be done, the backups return: out1 had none, so it goes.
    folder.Write("wing.out1", "new 1");
    fs::remove(set[1]);
    fs::create_directories(fs::path(set[1]) / "inside");
    folder.Write("wing.out2.89abcdef.zarnfoil-tmp", "new 2");
    Journal(folder, {{"wing.out1", "wing.out1.76543210.zarnfoil-tmp", ""},
                     {"wing.out2", "wing.out2.89abcdef.zarnfoil-tmp", ""}});
    const auto failure = RecoverOutputSet(set);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("the earlier files were put back"), std::string::npos);
    EXPECT_FALSE(fs::exists(set[0]));
    EXPECT_TRUE(fs::is_directory(set[1]));
    EXPECT_TRUE(testing::WorkFilesIn(folder.Path()).empty());
}

TEST(AtomicFiles, TheTemporaryFilesOfALiveRunStay) {
    TempFolder folder;
    const std::vector<std::string> set{folder / "wing.out1"};
    AtomicFiles live;
    live.Open(set[0]).Write("being written");
    EXPECT_FALSE(RecoverOutputSet(set));
    EXPECT_EQ(testing::WorkFilesIn(folder.Path()).size(), 1u);
    EXPECT_FALSE(live.Commit());
    EXPECT_EQ(folder.Read("wing.out1"), "being written");
}

} // namespace
} // namespace zarnfoil
