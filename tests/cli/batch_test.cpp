// The batch command: options, exit statuses for each kind of bad file, re-runs and the
// JSON summary.
#include "cli/batch_job.h"
#include "cli/batch_options.h"

#include "../files/temp_folder.h"
#include "../support/naca_section.h"

#include <gtest/gtest.h>
#include <sstream>

namespace zarnfoil::batch {
namespace {

using zarnfoil::testing::TempFolder;

struct Job {
    int status = -1;
    std::string out, err;
    FoilState s{};
};

Job RunJob(const std::vector<std::string>& args) {
    Job job;
    const ParsedOptions parsed = ParseOptions(args);
    EXPECT_TRUE(parsed.options) << parsed.error;
    if (!parsed.options) return job;
    std::ostringstream out, err;
    job.status = RunBatchJob(*parsed.options, job.s, out, err);
    job.out = out.str();
    job.err = err.str();
    return job;
}

std::string NacaFile(const TempFolder& folder, const std::string& name = "wing.dat") {
    FoilState section{};
    zarnfoil::testing::FillSection(section, zarnfoil::testing::Naca{0.02, 0.4, 0.12, 41, false});
    return folder.Write(name, zarnfoil::testing::XydText(section, "NACA 2412", "\n"));
}

TEST(BatchOptions, DefaultsAreTheMainWindowsInitialValues) {
    const ParsedOptions p = ParseOptions({"wing.dat"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->gridChoice, 1);
    EXPECT_EQ(p.options->nodesText, "61");
    EXPECT_TRUE(p.options->smooth);
    EXPECT_EQ(p.options->stripText, "0.0");
    EXPECT_EQ(p.options->IBC, 0);
    EXPECT_FALSE(p.options->withoutRotation);
}

TEST(BatchOptions, BadCommandLines) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"a.dat", "b.dat"}, {"a.dat", "--grid", "sideways"},
          {"a.dat", "--bc", "3"}, {"a.dat", "--rerun", "5"}, {"a.dat", "--rerun", "x=0.1"},
          {"a.dat", "--rerun", "5=abc"}, {"a.dat", "--frobnicate"}, {"a.dat", "--strip"}})
        EXPECT_FALSE(ParseOptions(args).options) << args.size();
}

TEST(BatchJob, WritesTheFilesBesideTheInput) {
    TempFolder folder;
    const Job job = RunJob({NacaFile(folder), "--strip", "0.002", "--stl"});
    EXPECT_EQ(job.status, kExitDone) << job.err;
    for (const char* name : {"wing.out1", "wing.out2", "wing.stl", "wing.stl.prop"})
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    EXPECT_EQ(job.s.DMAX, 0.002f);
}

TEST(BatchJob, OutputFolder) {
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "out");
    EXPECT_EQ(RunJob({NacaFile(folder), "--outdir", folder / "out"}).status, kExitDone);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "out" / "wing.out1"));
    EXPECT_FALSE(std::filesystem::exists(folder / "wing.out1"));
}

TEST(BatchJob, EachKindOfBadFileHasItsStatus) {
    TempFolder folder;
    const auto bad = folder.Write("bad.dat", "t\r\nX Y D\r\n1 0\r\n\r\n");
    Job job = RunJob({bad});
    EXPECT_EQ(job.status, kExitBadLine);
    EXPECT_NE(job.err.find("Error in input file: bad.dat line:4.\nRemove all empty lines"),
              std::string::npos) << job.err;
    EXPECT_EQ(RunJob({folder.Write("none.dat", "t\r\n1 0\r\n")}).status, kExitNoKeyword);
    EXPECT_EQ(RunJob({folder / "missing.dat"}).status, kExitUnreadable);
    EXPECT_EQ(RunJob({NacaFile(folder), "--grid", "cos", "--nodes", "500"}).status, kExitTooLarge);
    EXPECT_EQ(RunJob({NacaFile(folder), "--grid", "cos", "--nodes", "2"}).status, kExitRefused);
    EXPECT_EQ(RunJob({NacaFile(folder), "--outdir", folder / "absent"}).status, kExitWriteFailed);
}

TEST(BatchJob, RerunsAsTheCurvatureWindowDoes) {
    TempFolder folder;
    const Job job = RunJob({NacaFile(folder), "--strip", "0.002", "--rerun", "10=0.004",
                            "--rerun", "12=-1"});
    ASSERT_EQ(job.status, kExitDone) << job.err;
    EXPECT_EQ(job.s.NRUN, 2);
    EXPECT_EQ(job.s.DP(10), 0.004f);
    EXPECT_EQ(job.s.D(12), 0.0f);     // a negative weight is stored as 0 ...
    EXPECT_EQ(job.s.DP(12), 0.002f);  // ... and takes the strip at the re-run
    EXPECT_EQ(RunJob({NacaFile(folder), "--rerun", "99=0.1"}).status, kExitUsage);
}

TEST(BatchJob, WithoutRotation) {
    TempFolder folder;
    const Job job = RunJob({NacaFile(folder), "--no-rotate"});
    ASSERT_EQ(job.status, kExitDone);
    EXPECT_EQ(job.s.NOROT, 1);
    EXPECT_EQ(job.s.EPSIL, 0.0f);
}

TEST(BatchJob, JsonSummary) {
    TempFolder folder;
    const Job job = RunJob({NacaFile(folder), "--json", "--no-smooth"});
    ASSERT_EQ(job.status, kExitDone);
    EXPECT_EQ(job.out.front(), '{');
    EXPECT_NE(job.out.find("\"title\": \"NACA 2412\""), std::string::npos);
    EXPECT_NE(job.out.find("\"NP\": 81"), std::string::npos);
    EXPECT_NE(job.out.find("\"SMOOTH\": 0"), std::string::npos);
    EXPECT_NE(job.out.find("\"XNODES\": [0, "), std::string::npos);
    EXPECT_EQ(job.out.find("nan"), std::string::npos);
}

} // namespace
} // namespace zarnfoil::batch
