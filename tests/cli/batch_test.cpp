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

namespace fs = std::filesystem;
using zarnfoil::testing::TempFolder;

struct Job {
    int status = -1;
    std::string out, err;
    FoilState s{};
};

// Runs the command on `args`, which must parse.
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

// A NACA 2412 of 81 points as wing.dat, lines ended by line feeds alone.
std::string NacaFile(const TempFolder& folder) {
    FoilState section{};
    zarnfoil::testing::FillSection(section, zarnfoil::testing::Naca{0.02, 0.4, 0.12, 41, false});
    return folder.Write("wing.dat", zarnfoil::testing::XydText(section, "NACA 2412", "\n"));
}

TEST(BatchOptions, DefaultsAreTheMainWindowsInitialValuesAndBadLinesFail) {
    const BatchOptions o = ParseOptions({"wing.dat"}).options.value();
    EXPECT_TRUE(o.gridChoice == 1 && o.nodesText == "61" && o.smooth && o.stripText == "0.0");
    EXPECT_TRUE(o.IBC == 0 && !o.withoutRotation && !o.stl && o.reruns.empty());
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"a.dat", "b.dat"}, {"a.dat", "--grid", "sideways"},
          {"a.dat", "--bc", "3"}, {"a.dat", "--rerun", "5"}, {"a.dat", "--rerun", "x=0.1"},
          {"a.dat", "--rerun", "5=abc"}, {"a.dat", "--frobnicate"}, {"a.dat", "--strip"},
          {"a.dat", "--stl-domain", "1,2,3"}, {"a.dat", "--stl-domain", "1,2,3,4,5"},
          {"a.dat", "--chord", "1m"}})
        EXPECT_FALSE(ParseOptions(args).options) << args.size();
    const StlDomain d =
        ParseOptions({"a.dat", "--stl-domain", "0.5,0.75,0.4,0.2", "--chord", "250"})
            .options.value()
            .stlDomain;
    EXPECT_TRUE(d.ahead == 0.5f && d.behind == 0.75f && d.side == 0.4f && d.span == 0.2f &&
                d.chord == 250.0f);
}

TEST(BatchJob, WritesTheFilesInTheOutputFolderOrBesideTheInput) {
    TempFolder folder, elsewhere;
    const Job unsmoothed =
        RunJob({NacaFile(folder), "--outdir", elsewhere.Path().string(), "--no-smooth"});
    EXPECT_TRUE(unsmoothed.status == kExitDone && unsmoothed.s.SMOOTH == 0);
    EXPECT_TRUE(fs::exists(elsewhere / "wing.out1"));
    EXPECT_FALSE(fs::exists(folder / "wing.out1"));

    const Job job = RunJob({NacaFile(folder), "--strip", "0.002", "--stl", "--no-rotate"});
    EXPECT_EQ(job.status, kExitDone) << job.err;
    for (const char* name : {"wing.out1", "wing.out2", "wing.stl", "wing.stl.prop"})
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_EQ(job.s.DMAX, 0.002f);
    EXPECT_TRUE(job.s.NOROT == 1 && job.s.EPSIL == 0.0f);
}

TEST(BatchJob, EachKindOfBadFileHasItsStatus) {
    TempFolder folder;
    const Job bad = RunJob({folder.Write("bad.dat", "t\r\nX Y D\r\n1 0\r\n\r\n")});
    EXPECT_EQ(bad.status, kExitBadLine);
    EXPECT_NE(bad.err.find("Error in input file: bad.dat line:4.\nRemove all empty lines"),
              std::string::npos) << bad.err;
    EXPECT_EQ(RunJob({folder.Write("none.dat", "t\r\n1 0\r\n")}).status, kExitNoKeyword);
    EXPECT_EQ(RunJob({folder / "missing.dat"}).status, kExitUnreadable);
    EXPECT_EQ(RunJob({NacaFile(folder), "--grid", "cos", "--nodes", "500"}).status, kExitTooLarge);
    EXPECT_EQ(RunJob({NacaFile(folder), "--grid", "cos", "--nodes", "2"}).status, kExitRefused);
    EXPECT_EQ(RunJob({NacaFile(folder), "--outdir", folder / "absent"}).status, kExitWriteFailed);
    EXPECT_EQ(RunJob({NacaFile(folder), "--rerun", "99=0.1"}).status, kExitUsage);
}

TEST(BatchJob, RerunsAsTheCurvatureWindowDoesAndTheJsonSummary) {
    TempFolder folder;
    const Job job = RunJob({NacaFile(folder), "--strip", "0.002", "--rerun", "10=0.004",
                            "--rerun", "12=-1", "--json"});
    ASSERT_EQ(job.status, kExitDone) << job.err;
    EXPECT_EQ(job.s.DP(10), 0.004f);
    EXPECT_EQ(job.s.D(12), 0.0f);    // a negative weight is stored as 0 ...
    EXPECT_EQ(job.s.DP(12), 0.002f); // ... and takes the strip at the re-run
    EXPECT_EQ(job.out.front(), '{');
    for (const char* field :
         {"\"title\": \"NACA 2412\"", "\"NP\": 81", "\"NRUN\": 2", "\"XNODES\": [0, "})
        EXPECT_NE(job.out.find(field), std::string::npos) << field;
    EXPECT_EQ(job.out.find("nan"), std::string::npos);
    EXPECT_NE(job.out.find("\"fairness\": {\"smoothed\": true, \"ending\": \"converged\""),
              std::string::npos);
}

TEST(BatchJob, SaysHowFairTheSmoothedSectionIs) {
    // The bundled noisy example with "2-nd der." ends: the iteration stalls, the section still
    // comes out fair, and the line and the JSON say so, with the warning about the ends.
    TempFolder folder;
    const Job job = RunJob({std::string(ZARNFOIL_SOURCE_DIR) + "/examples/naca2412_noisy.dat",
                            "--strip", "0.002", "--outdir", folder.Path().string(), "--json"});
    ASSERT_EQ(job.status, kExitDone) << job.err;
    EXPECT_EQ(job.err.rfind("naca2412_noisy.dat: smoothing stall resolved after ", 0), 0u)
        << job.err;
    EXPECT_NE(job.err.find("Try \"1-st der.\""), std::string::npos) << job.err;
    EXPECT_NE(job.out.find("\"ending\": \"stall resolved\""), std::string::npos);
    EXPECT_NE(job.out.find("\"endConditionWarning\": \"The \\\"2-nd der.\\\" end values"),
              std::string::npos);
}

} // namespace
} // namespace zarnfoil::batch
