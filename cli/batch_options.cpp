// Parsing the batch command line.
#include "cli/batch_options.h"

#include "core/number_field.h"
#include "files/wrap_around_export.h"

#include <cmath>

namespace zarnfoil::batch {

const char* const kUsage =
    "usage: zarnfoil-batch FILE|FOLDER ... [--grid file|upper|cos] [--nodes N] [--no-smooth]\n"
    "                      [--strip S] [--bc 1|2] [--no-rotate] [--stl] [--stl-domain A,B,S,Z]\n"
    "                      [--chord C] [--rerun I=D ...] [--outdir DIR] [--json]\n"
    "                      [--export FILE|FOLDER [--points N]] [--jobs N] [--summary FILE]\n"
    "\n"
    "Reads each section FILE (and every *.dat file of each FOLDER) and smooths it, writing\n"
    "FILE's stem + out1, out2 (and stl, stl.prop with --stl) beside it or in DIR, and prints\n"
    "one summary line per section.\n"
    "  --grid     new X-grid: from X_INP.DAT in the file's folder, from the upper surface\n"
    "             (default) or a cosine distribution of --nodes nodes (default 61)\n"
    "  --strip    smoothing strip (default 0.0); --no-smooth turns smoothing off\n"
    "  --bc       end conditions: 1 first derivatives, 2 second derivatives (default)\n"
    "  --no-rotate  transform without rotating the chord onto the X axis\n"
    "  --stl      also write the STL flow domain and its label file\n"
    "  --stl-domain A,B,S,Z  its boundaries A ahead of the leading edge, B behind the\n"
    "             trailing edge, S above and below the chord line, and its span Z, in\n"
    "             chords (default 3,3,3,0.1)\n"
    "  --chord    the chord length the STL solid is scaled to (default 1)\n"
    "  --rerun I=D  set weight I to D and smooth again, as the curvature window does\n"
    "  --json     print a JSON summary of each section after its last run (several\n"
    "             sections: a JSON array); the summary lines then go to standard error\n"
    "  --export   write the smoothed section in the wrap-around layout to FILE, or to\n"
    "             FOLDER/<stem>_smooth.dat for each section; --points N resamples it to N\n"
    "             points clustered at both ends (default: the exported contour of the run)\n"
    "  --jobs     sections run at once (default: one per core)\n"
    "  --summary  write the summary lines as CSV to FILE\n"
    "exit status: the worst of the sections: 0 done, 1 bad command line, 2 bad data line,\n"
    "             3 no layout keyword, 4 unreadable file, 5 capacity exceeded, 6 section\n"
    "             refused, 7 output files not written\n";

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    BatchOptions o;
    ParsedOptions result;
    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--grid") {
            if (!value(v)) return fail("--grid needs file, upper or cos");
            if (v == "file")
                o.gridChoice = 0;
            else if (v == "upper")
                o.gridChoice = 1;
            else if (v == "cos")
                o.gridChoice = 2;
            else
                return fail("--grid takes file, upper or cos, not \"" + v + "\"");
        } else if (a == "--nodes") {
            if (!value(o.nodesText)) return fail("--nodes needs a node count");
            const auto nodes = ReadWholeNumber(o.nodesText);
            if (!nodes || *nodes != std::floor(*nodes) || std::fabs(*nodes) > 1e6)
                return fail("--nodes takes a whole number of nodes, not \"" + o.nodesText + "\"");
        } else if (a == "--no-smooth") {
            o.smooth = false;
        } else if (a == "--strip") {
            if (!value(o.stripText)) return fail("--strip needs a smoothing strip");
            const auto strip = ReadWholeNumber(o.stripText);
            if (!strip || !std::isfinite(static_cast<float>(*strip)))
                return fail("--strip takes a number, not \"" + o.stripText + "\"");
        } else if (a == "--bc") {
            if (!value(v) || (v != "1" && v != "2")) return fail("--bc takes 1 or 2");
            o.IBC = v == "1" ? 1 : 0;
        } else if (a == "--no-rotate") {
            o.withoutRotation = true;
        } else if (a == "--stl") {
            o.stl = true;
        } else if (a == "--stl-domain") {
            if (!value(v)) return fail("--stl-domain needs A,B,S,Z");
            float* const fields[] = {&o.stlDomain.ahead, &o.stlDomain.behind, &o.stlDomain.side,
                                     &o.stlDomain.span};
            std::size_t start = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                const std::size_t comma = k < 3 ? v.find(',', start) : v.size();
                const auto number = comma == std::string::npos
                                        ? std::nullopt
                                        : ReadWholeNumber(v.substr(start, comma - start));
                if (!number)
                    return fail("--stl-domain takes four numbers A,B,S,Z, not \"" + v + "\"");
                *fields[k] = static_cast<float>(*number);
                start = comma + 1;
            }
        } else if (a == "--chord") {
            if (!value(v)) return fail("--chord needs a chord length");
            const auto chord = ReadWholeNumber(v);
            if (!chord) return fail("--chord takes a number, not \"" + v + "\"");
            o.stlDomain.chord = static_cast<float>(*chord);
        } else if (a == "--rerun") {
            if (!value(v)) return fail("--rerun needs I=D");
            const auto eq = v.find('=');
            if (eq == std::string::npos) return fail("--rerun takes I=D, not \"" + v + "\"");
            const auto index = ReadWholeNumber(v.substr(0, eq));
            const auto weight = ReadWholeNumber(v.substr(eq + 1));
            if (!index || !(*index >= 1 && *index <= 10000) || *index != static_cast<int>(*index))
                return fail("--rerun takes I=D with a point number I, not \"" + v + "\"");
            if (!weight || !std::isfinite(static_cast<float>(*weight)))
                return fail("--rerun takes I=D with a number D, not \"" + v + "\"");
            o.reruns.push_back({static_cast<int>(*index), *weight});
        } else if (a == "--outdir") {
            if (!value(o.outdir)) return fail("--outdir needs a folder");
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--export") {
            if (!value(o.exportPath) || o.exportPath.empty())
                return fail("--export needs a file or a folder");
        } else if (a == "--points") {
            const auto n = value(v) ? ReadWholeNumber(v) : std::nullopt;
            if (!n || *n != std::floor(*n) || *n < 3 || *n > kMaxExportPoints)
                return fail("--points takes a whole number of points from 3 to " +
                            std::to_string(kMaxExportPoints) + ", not \"" + v + "\"");
            o.exportPoints = static_cast<int>(*n);
        } else if (a == "--jobs") {
            const auto n = value(v) ? ReadWholeNumber(v) : std::nullopt;
            if (!n || *n != std::floor(*n) || *n < 1 || *n > 1024)
                return fail("--jobs takes a whole number from 1 to 1024, not \"" + v + "\"");
            o.jobs = static_cast<int>(*n);
        } else if (a == "--summary") {
            if (!value(o.summaryPath) || o.summaryPath.empty())
                return fail("--summary needs a file");
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return fail("unknown option " + a);
        } else {
            o.files.push_back(a);
        }
    }
    if (o.files.empty() && !o.help) return fail("no section file given");
    if (o.exportPoints != 0 && o.exportPath.empty()) return fail("--points goes with --export");
    result.options = o;
    return result;
}

} // namespace zarnfoil::batch
