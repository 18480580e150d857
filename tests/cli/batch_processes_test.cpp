// Batch processes run together on one section, and runs killed at random moments: every
// output set found afterwards (after the recovery that the next run does) comes from one
// run, no work file stays behind, and every run that is not killed ends with status 0.
#include "files/atomic_files.h"

#include "../files/temp_folder.h"
#include "../support/naca_section.h"
#include "../support/output_checks.h"

#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace zarnfoil {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

pid_t Spawn(const std::vector<std::string>& args) {
    std::vector<std::string> all{ZARNFOIL_BATCH_EXE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

// The exit status, or -1 for a process ended by a signal.
int Wait(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -2;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunToEnd(const std::vector<std::string>& args) {
    return Wait(Spawn(args));
}

// The files of a set as one text, or empty when the report is missing.
std::string SetText(const fs::path& folder) {
    if (!fs::exists(folder / "wing.out1")) return {};
    std::string text;
    for (const char* name : {"wing.out1", "wing.out2", "wing.stl", "wing.stl.prop"})
        text += std::string(name) + "\n" + testing::ReadWhole(folder / name);
    return text;
}

std::string Section(const TempFolder& folder) {
    FoilState section{};
    testing::FillSection(section, testing::Naca{0.02, 0.4, 0.12, 61, false});
    return folder.Write("wing.dat", testing::XydText(section, "NACA 2412"));
}

TEST(BatchProcesses, RunsAtOnceOnOneSectionLeaveOneRunsSet) {
    TempFolder folder, refA, refB;
    const std::string wing = Section(folder);
    const std::vector<std::string> a{wing, "--strip", "0.002", "--stl"};
    const std::vector<std::string> b{wing, "--strip", "0.004", "--bc", "1", "--stl"};
    auto with = [](std::vector<std::string> args, const TempFolder& out) {
        args.insert(args.end(), {"--outdir", out.Path().string()});
        return args;
    };
    ASSERT_EQ(RunToEnd(with(a, refA)), 0);
    ASSERT_EQ(RunToEnd(with(b, refB)), 0);
    const std::string setA = SetText(refA.Path()), setB = SetText(refB.Path());
    ASSERT_NE(setA, setB);

    for (int round = 0; round < 6; ++round) {
        std::vector<pid_t> runs;
        for (int k = 0; k < 8; ++k)
            runs.push_back(Spawn(k % 2 ? b : a));
        for (pid_t pid : runs)
            EXPECT_EQ(Wait(pid), 0) << "round " << round;
        const std::string set = SetText(folder.Path());
        EXPECT_TRUE(set == setA || set == setB) << "round " << round;
        EXPECT_TRUE(testing::WorkFilesIn(folder.Path()).empty());
    }
}

TEST(BatchProcesses, RunsKilledAtRandomMomentsLeaveOneRunsSet) {
    TempFolder folder, killed;
    const std::string wing = Section(folder);
    std::vector<std::string> job{wing,    "--strip",  "0.002",
                                 "--stl", "--outdir", killed.Path().string()};
    constexpr int kReruns = 6;
    std::vector<std::string> reruns;
    for (int k = 1; k <= kReruns; ++k)
        reruns.insert(reruns.end(),
                      {"--rerun", std::to_string(4 + 9 * k) + "=0.00" + std::to_string(1 + k % 9)});

    // The set after j re-runs, for every j: whatever a kill leaves must be one of them.
    std::vector<std::string> sets;
    for (int j = 0; j <= kReruns; ++j) {
        TempFolder reference;
        std::vector<std::string> args{wing,    "--strip",  "0.002",
                                      "--stl", "--outdir", reference.Path().string()};
        args.insert(args.end(), reruns.begin(), reruns.begin() + 2 * j);
        ASSERT_EQ(RunToEnd(args), 0);
        sets.push_back(SetText(reference.Path()));
    }
    job.insert(job.end(), reruns.begin(), reruns.end());
    // The job's duration on a quiet moment: kills fall anywhere within it.
    auto whole = std::chrono::steady_clock::duration::max();
    for (int k = 0; k < 3; ++k) {
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(RunToEnd(job), 0);
        whole = std::min(whole, std::chrono::steady_clock::now() - start);
    }
    ASSERT_EQ(SetText(killed.Path()), sets.back());

    std::mt19937 random(20261206);
    std::uniform_int_distribution<long long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(whole).count());
    const std::vector<std::string> paths = {killed / "wing.out1", killed / "wing.out2",
                                            killed / "wing.stl", killed / "wing.stl.prop"};
    // At least 50 kills; more, up to a time limit, for more of them to land inside a commit.
    int cutShort = 0, unfinishedCommits = 0, kill = 0;
    const auto killing = std::chrono::steady_clock::now();
    for (; kill < 50 ||
           (kill < 300 && std::chrono::steady_clock::now() - killing < std::chrono::seconds(5));
         ++kill) {
        const pid_t pid = Spawn(job);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        if (Wait(pid) == -1) ++cutShort;
        unfinishedCommits += fs::exists(killed / "wing.out1.zarnfoil-journal") ? 1 : 0;
        ASSERT_FALSE(RecoverOutputSet(paths).has_value());
        const std::string set = SetText(killed.Path());
        EXPECT_NE(std::find(sets.begin(), sets.end(), set), sets.end())
            << "kill " << kill << ": " << testing::OutputSetFault(killed.Path(), "wing.");
        EXPECT_TRUE(testing::WorkFilesIn(killed.Path()).empty()) << "kill " << kill;
    }
    EXPECT_GT(cutShort, kill / 4); // kills land while the job runs
    std::printf("%d of %d kills cut a job short, %d inside a commit\n", cutShort, kill,
                unfinishedCommits);
}

} // namespace
} // namespace zarnfoil
