// The batch command over many sections (files and folders, several at once, the summary
// lines, the CSV summary, the worst status) and the export in the wrap-around layout.
#include "cli/batch_options.h"
#include "cli/batch_run.h"
#include "files/exit_status.h"
#include "files/section_reader.h"

#include "../files/temp_folder.h"
#include "../support/naca_section.h"
#include "../support/output_checks.h"

#include <gtest/gtest.h>
#include <sstream>

namespace zarnfoil::batch {
namespace {

namespace fs = std::filesystem;
using zarnfoil::testing::TempFolder;

struct Command {
    int status = -1;
    std::string out, err;
};

Command RunCommand(const std::vector<std::string>& args, bool terminal = false) {
    Command c;
    const ParsedOptions parsed = ParseOptions(args);
    EXPECT_TRUE(parsed.options) << parsed.error;
    if (!parsed.options) return c;
    std::ostringstream out, err;
    c.status = RunBatch(*parsed.options, out, err, terminal);
    c.out = out.str();
    c.err = err.str();
    return c;
}

std::string Naca(const TempFolder& folder, const std::string& name, double camber) {
    FoilState section{};
    testing::FillSection(section, testing::Naca{camber, 0.4, 0.12, 31, false});
    return folder.Write(name, testing::XydText(section, name, "\n"));
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(BatchMany, SummaryLineNamesWhyTheJobFailedNotAnEarlierNote) {
    // The repeated point is merged with a note; then the output folder is missing.
    TempFolder folder;
    const std::string wing =
        folder.Write("wing.dat", "t\n1 0\n0.5 0.06\n0 0\n0 0\n0.5 -0.05\n1 0\n");
    const Command run = RunCommand({wing, "--outdir", folder / "missing"});
    EXPECT_EQ(run.status, kExitWriteFailed);
    EXPECT_NE(run.err.find("were merged"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("wing.dat: files not written (7): Cannot write "), std::string::npos)
        << run.out;
}

TEST(BatchMany, FoldersAndFilesAtOnceWithOneLineEachAndTheWorstStatus) {
    TempFolder folder, single, out;
    Naca(folder, "a.dat", 0.0);
    Naca(folder, "b.dat", 0.02);
    folder.Write("bad.dat", "t\nX Y D\n1 0\n0.5 nan\n");
    folder.Write("notes.txt", "not a section"); // only *.dat files of a folder are read
    const std::string c = Naca(single, "c.dat", 0.04);
    const Command run =
        RunCommand({folder.Path().string(), c, "--jobs", "2", "--strip", "0.002", "--outdir",
                    out.Path().string(), "--summary", out / "summary.csv"});
    EXPECT_EQ(run.status, kExitBadLine); // the worst of 0, 0, 2, 0
    EXPECT_EQ(Count(run.out, "\n"), 4) << run.out;
    EXPECT_NE(run.out.find("a.dat: done, 61 points; smoothing "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("bad.dat: bad data line (2): Error in input file: bad.dat line:4."),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.err.find('\r'), std::string::npos); // no progress bar without a terminal
    for (const char* name : {"a.out1", "b.out1", "c.out1"})
        EXPECT_TRUE(fs::exists(out / name));
    EXPECT_FALSE(fs::exists(out / "bad.out1"));

    const std::string text = out.Read("summary.csv");
    EXPECT_EQ(Count(text, "\n"), 5) << text;
    EXPECT_EQ(text.rfind("file,status,status_text,points,smoothing,iterations,", 0), 0u);
    EXPECT_NE(text.find("/a.dat,0,done,61,converged,"), std::string::npos) << text;
    EXPECT_NE(text.find("/bad.dat,2,bad data line,,,,,,,,,,,,Error in input file: bad.dat "
                        "line:4."),
              std::string::npos)
        << text;
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; ++at) {
        const auto start = text.rfind('\n', at - 1);
        const std::string row = text.substr(start == std::string::npos ? 0 : start + 1,
                                            at - (start == std::string::npos ? 0 : start + 1));
        EXPECT_EQ(Count(row, ","), 14) << row;
    }

    // On a terminal, a progress bar on the error stream, cleared at the end.
    const Command watched = RunCommand({c, "--outdir", out.Path().string()}, true);
    EXPECT_NE(watched.err.find("] 1/1 sections"), std::string::npos) << watched.err;
    EXPECT_EQ(watched.err.substr(watched.err.size() - 4), "\r\033[K");
}

TEST(BatchMany, SectionsThatWouldShareTheirOutputsAndAJsonArray) {
    TempFolder folder;
    Naca(folder, "naca.0012.dat", 0.0);
    Naca(folder, "naca.2412.dat", 0.02); // also "naca.out1"
    Naca(folder, "wing.dat", 0.02);
    const Command run = RunCommand({folder.Path().string(), "--json", "--jobs", "1"});
    EXPECT_EQ(run.status, kExitRefused);
    EXPECT_NE(run.err.find("naca.2412.dat has the output files of "), std::string::npos) << run.err;
    EXPECT_TRUE(testing::JsonCheck::Valid(run.out)) << run.out.substr(0, 300);
    EXPECT_EQ(run.out.front(), '[');
    EXPECT_EQ(Count(run.out, "\"title\": "), 2);
}

// The points of a wrap-around file as the reader reads them, in the file's own order.
std::vector<std::pair<float, float>> FilePoints(const std::string& path) {
    std::vector<std::pair<float, float>> points;
    std::istringstream in(testing::ReadWhole(path));
    std::string line;
    std::getline(in, line); // the title
    for (float x = 0, y = 0; in >> x >> y;)
        points.emplace_back(x, y);
    return points;
}

TEST(BatchMany, TheExportReadsBackAsItWasWritten) {
    // Every bundled section: smoothed, exported, read again: each point within 1e-7 of what
    // the run exported, in the order trailing edge - upper surface - leading edge - lower.
    TempFolder out;
    for (const std::string name :
         {"naca0012.dat", "naca2412_noisy.dat", "naca4415_stations.dat", "naca0012_blwf.dat",
          "naca2412_inverse.dat", "naca2412_wrap_ccw.dat", "naca0012_wrap_cw.dat",
          "naca4415_split.dat", "naca2310_split.dat"}) {
        for (const char* points : {"0", "161"}) {
            const std::string exported = out / "export.dat";
            std::vector<std::string> args{std::string(ZARNFOIL_SOURCE_DIR) + "/examples/" + name,
                                          "--strip",
                                          "0.001",
                                          "--outdir",
                                          out.Path().string(),
                                          "--export",
                                          exported};
            if (std::string(points) != "0") args.insert(args.end(), {"--points", points});
            const Command run = RunCommand(args);
            ASSERT_EQ(run.status, kExitDone) << name << run.err;
            const auto written = FilePoints(exported);
            if (std::string(points) != "0") {
                ASSERT_EQ(written.size(), 161u) << name;
            }

            auto s = std::make_unique<FoilState>();
            ReaderInputs inputs;
            inputs.INPATH = exported;
            inputs.INNAME = "export.dat";
            inputs.directory = out.Path().string();
            const ReadOutcome read = ReadInputFile(inputs, *s);
            ASSERT_EQ(read.kind, ReadOutcome::Kind::ReadOk) << name << read.message;
            ASSERT_EQ(static_cast<std::size_t>(s->NP), written.size()) << name;
            EXPECT_EQ(read.pointOrder, kOrderFromUpperTrailingEdge) << name;
            for (int i = 1; i <= s->NP; ++i) {
                // the reader turned the file round: its point i is the file's point NP + 1 - i
                const auto& [x, y] = written[static_cast<std::size_t>(s->NP - i)];
                EXPECT_NEAR(s->X(i), x, 1e-7) << name << " point " << i;
                EXPECT_NEAR(s->Y(i), y, 1e-7) << name << " point " << i;
            }
            const auto [leX, leY] = written[written.size() / 2];
            EXPECT_EQ(leX, 0.0f) << name; // the leading-edge point is kept
            if (std::string(points) != "0") {
                // clustered at both ends
                const float first = written[0].first - written[1].first;
                const float middle = written[40].first - written[41].first;
                EXPECT_LT(first, 0.5f * middle) << name;
            }
        }
    }
}

TEST(BatchMany, ExportsOfSeveralSectionsGoIntoAFolder) {
    TempFolder folder, exports;
    Naca(folder, "a.dat", 0.0);
    Naca(folder, "b.dat", 0.02);
    EXPECT_EQ(RunCommand({folder.Path().string(), "--export", folder / "one.dat"}).status,
              kExitUsage);
    const Command run = RunCommand({folder.Path().string(), "--export", exports.Path().string()});
    ASSERT_EQ(run.status, kExitDone) << run.err;
    EXPECT_TRUE(fs::exists(exports / "a_smooth.dat") && fs::exists(exports / "b_smooth.dat"));
    EXPECT_EQ(exports.Read("b_smooth.dat").rfind("b.dat\n", 0), 0u);
    // An export onto the section file itself is refused before anything is written.
    TempFolder lone;
    const std::string a = Naca(lone, "a.dat", 0.0);
    const std::string text = lone.Read("a.dat");
    EXPECT_EQ(RunCommand({a, "--export", a}).status, kExitRefused);
    EXPECT_FALSE(fs::exists(lone / "a.out1"));
    EXPECT_EQ(lone.Read("a.dat"), text);
}

} // namespace
} // namespace zarnfoil::batch
