// The batch command: options, exit statuses for each kind of bad file, re-runs and the
// JSON summary.
#include "cli/batch_job.h"
#include "cli/batch_options.h"
#include "cli/batch_run.h"

#include "../files/temp_folder.h"
#include "../support/naca_section.h"
#include "../support/output_checks.h"

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

// Runs the job of the one section in `args`, which must parse, keeping its state.
Job RunJob(const std::vector<std::string>& args) {
    Job job;
    const ParsedOptions parsed = ParseOptions(args);
    EXPECT_TRUE(parsed.options) << parsed.error;
    if (!parsed.options) return job;
    std::ostringstream out, err;
    const BatchOptions& o = *parsed.options;
    job.status = RunBatchJob(o, o.files.at(0), o.exportPath, job.s, out, err).status;
    job.out = out.str();
    job.err = err.str();
    return job;
}

// Runs the whole command on `args`, which must parse, as from a script (no terminal).
Job RunCommand(const std::vector<std::string>& args) {
    Job job;
    const ParsedOptions parsed = ParseOptions(args);
    EXPECT_TRUE(parsed.options) << parsed.error;
    if (!parsed.options) return job;
    std::ostringstream out, err;
    job.status = RunBatch(*parsed.options, out, err, false);
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
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"a.dat", "--grid", "sideways"},
                                                 {"a.dat", "--bc", "3"},
                                                 {"a.dat", "--rerun", "5"},
                                                 {"a.dat", "--rerun", "x=0.1"},
                                                 {"a.dat", "--rerun", "5=abc"},
                                                 {"a.dat", "--frobnicate"},
                                                 {"a.dat", "--strip"},
                                                 {"a.dat", "--stl-domain", "1,2,3"},
                                                 {"a.dat", "--stl-domain", "1,2,3,4,5"},
                                                 {"a.dat", "--chord", "1m"},
                                                 {"a.dat", "--strip", "abc"},
                                                 {"a.dat", "--strip", "0.01x"},
                                                 {"a.dat", "--nodes", "61abc"},
                                                 {"a.dat", "--nodes", "61.5"},
                                                 {"a.dat", "--rerun", "5=1e39"},
                                                 {"a.dat", "--rerun", "5=nan"}})
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
              std::string::npos)
        << bad.err;
    EXPECT_EQ(RunJob({folder.Write("none.dat", "t\r\n1 0\r\n")}).status, kExitNoKeyword);
    EXPECT_EQ(RunJob({folder / "missing.dat"}).status, kExitUnreadable);
    EXPECT_EQ(RunJob({NacaFile(folder), "--grid", "cos", "--nodes", "500"}).status, kExitTooLarge);
    EXPECT_EQ(RunJob({NacaFile(folder), "--grid", "cos", "--nodes", "2"}).status, kExitRefused);
    EXPECT_EQ(RunJob({NacaFile(folder), "--outdir", folder / "absent"}).status, kExitWriteFailed);
    EXPECT_EQ(RunJob({NacaFile(folder), "--rerun", "99=0.1"}).status, kExitUsage);
}

TEST(BatchJob, AJobThatFailsWritesNothing) {
    // An index beyond the section, and an output that would be the section file itself, are
    // found before the first run writes anything.
    TempFolder folder;
    const std::string wing = NacaFile(folder);
    const Job beyond = RunJob({wing, "--rerun", "10=0.1", "--rerun", "82=0.1"});
    EXPECT_EQ(beyond.status, kExitUsage);
    EXPECT_NE(beyond.err.find("--rerun 82: the section has points 1 to 81."), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "wing.out1"));
    // the last point is a point of the section
    EXPECT_EQ(RunJob({wing, "--rerun", "81=0.1"}).status, kExitDone);

    const std::string text = folder.Read("wing.dat");
    const std::string out1 = folder.Write("out1", text); // no stem: its report is "out1"
    const Job self = RunJob({out1});
    EXPECT_EQ(self.status, kExitRefused);
    EXPECT_NE(self.err.find("would replace the section file itself"), std::string::npos);
    EXPECT_EQ(folder.Read("out1"), text);
    EXPECT_FALSE(fs::exists(folder / "out2"));
}

TEST(BatchJob, NotesOfTheReaderAndAJsonSummaryOfAnyTitle) {
    TempFolder folder;
    FoilState section{};
    zarnfoil::testing::FillSection(section, zarnfoil::testing::Naca{0.02, 0.4, 0.12, 21, false});
    // An 85-byte title whose cut at 80 falls inside a character, with a tab and a Latin-1 byte.
    std::string title(77, 'a');
    title.insert(0, 1, '\t');
    title.append("\xE9\xE2\x82\xAC\xE2\x82\xAC");
    const std::string text = zarnfoil::testing::XydText(section, title, "\n");
    const Job job = RunJob({folder.Write("wing.dat", text), "--json"});
    ASSERT_EQ(job.status, kExitDone) << job.err;
    EXPECT_TRUE(zarnfoil::testing::JsonCheck::Valid(job.out)) << job.out.substr(0, 200);
    EXPECT_NE(job.out.find("\"title\": \"\\u0009" + std::string(77, 'a') + "\\u00e9\""),
              std::string::npos)
        << job.out.substr(0, 200);

    const Job blwf = RunJob({folder.Write("b.dat", "t\nBLWF\nh\n 1 3 3\nh\nh\nh\n0 0\n0.5 0.06\n1 "
                                                   "0\n0.3 0.1\n")});
    EXPECT_EQ(blwf.status, kExitDone) << blwf.err;
    EXPECT_NE(blwf.err.find("Line 11 of b.dat follows the points"), std::string::npos) << blwf.err;
}

TEST(BatchJob, RerunsAsTheCurvatureWindowDoesAndTheJsonSummary) {
    TempFolder folder;
    const Job job = RunJob({NacaFile(folder), "--strip", "0.002", "--rerun", "10=0.004", "--rerun",
                            "12=-1", "--json"});
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
    const Job job = RunCommand({std::string(ZARNFOIL_SOURCE_DIR) + "/examples/naca2412_noisy.dat",
                                "--strip", "0.002", "--outdir", folder.Path().string(), "--json"});
    ASSERT_EQ(job.status, kExitDone) << job.err;
    EXPECT_NE(
        job.err.find("/naca2412_noisy.dat: done, 401 points; smoothing stall resolved after "),
        std::string::npos)
        << job.err;
    EXPECT_NE(job.err.find("Try \"1-st der.\""), std::string::npos) << job.err;
    EXPECT_NE(job.out.find("\"ending\": \"stall resolved\""), std::string::npos);
    EXPECT_NE(job.out.find("\"endConditionWarning\": \"The \\\"2-nd der.\\\" end values"),
              std::string::npos);
}

} // namespace
} // namespace zarnfoil::batch

namespace zarnfoil::batch {
namespace {

TEST(BatchJob, TheGridFileAndTheJsonThickness) {
    TempFolder folder;
    folder.Write("X_INP.DAT", "grid\n0 0.1 0.4 0.8 1\n");
    const Job job = RunJob({NacaFile(folder), "--grid", "file", "--json"});
    ASSERT_EQ(job.status, kExitDone) << job.err;
    EXPECT_TRUE(job.s.NNODES == 5 && job.s.XNODES(2) == 0.1f) << job.s.NNODES;
    const auto at = job.out.find("\"thickness\": ");
    ASSERT_NE(at, std::string::npos);
    const float thickness = std::stof(job.out.substr(at + 13));
    EXPECT_EQ(thickness, 2 * job.s.HTMAX); // the whole thickness, not its half
    EXPECT_NEAR(thickness, 0.116, 0.002);  // NACA 2412 at 40 % of the chord
}

} // namespace
} // namespace zarnfoil::batch
