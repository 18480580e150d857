// The section reader: finding the layout keyword, the layouts' own sequences, the point
// order, and the new X-grid. Everything is read into a copy of the state, which replaces the
// state only when the whole file was read.
#include "files/section_reader.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "core/text_format.h"
#include "files/database_layouts.h"
#include "files/line_reader.h"
#include "files/small_text_file.h"
#include "files/split_fields.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>

namespace zarnfoil {
namespace {

constexpr double kPiDouble = 3.14159265;
constexpr int kMaxGridNodes = (kMaxPoints + 1) / 2; // the exported contour holds 2N - 1 points
constexpr int kShortGridFile = 5; // a grid file with fewer values gives way to the upper surface
constexpr double kGridEndTolerance = 1e-6; // the grid's ends, 0 and 1, within rounding
constexpr std::size_t kShownWidth = 60;    // text of a line quoted in a message

enum class Layout { None, XYD, Stations, Blwf, BlwfInverse };

// The keyword at the lowest position wins; at one position they are tried in this order.
Layout FindKeyword(const std::string& line) {
    static constexpr std::array<std::pair<std::string_view, Layout>, 4> keywords{{
        {"X Y D", Layout::XYD},
        {"X YU YL DU DL", Layout::Stations},
        {"BLWF", Layout::Blwf},
        {"BL_WF_inverse", Layout::BlwfInverse},
    }};
    const std::string_view text(line);
    for (std::size_t p = 0; p + 4 <= text.size(); ++p)
        for (const auto& [keyword, layout] : keywords)
            if (text.substr(p, keyword.size()) == keyword) return layout;
    return Layout::None;
}

// Text of the file as a message quotes it: control characters shown as "?", long text cut.
std::string Shown(std::string_view text) {
    std::string shown(text.substr(0, kShownWidth));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return text.size() > kShownWidth ? shown + "..." : shown;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == line.npos;
}

// The title's 80-character field, cut where no UTF-8 character is split.
std::string TitleField(const std::string& line) {
    std::size_t cut = std::min(line.size(), static_cast<std::size_t>(kTitleWidth));
    if (cut < line.size()) {
        const auto byte = [&line](std::size_t i) { return static_cast<unsigned char>(line[i]); };
        std::size_t lead = cut;
        while (lead > 0 && cut - lead < 3 && (byte(lead) & 0xC0) == 0x80)
            --lead;
        const unsigned char b = byte(lead);
        const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (lead < cut && b >= 0xC0 && lead + length > cut) cut = lead;
    }
    std::string title = line.substr(0, cut);
    title.resize(kTitleWidth, ' ');
    return title;
}

constexpr const char* kEmptyLineAdvice = "Remove all empty lines in the end of input file.";

// The message box text of a bad data line: the file, the line, what is wrong with it.
std::string BadLineText(const std::string& INNAME, int line, const std::string& why) {
    return "Error in input file: " + INNAME + " line:" + std::to_string(line) + ".\r" + why +
           "\rJOB TERMINATED !";
}

ReadOutcome Outcome(ReadOutcome::Kind kind, std::string message, int line = 0) {
    ReadOutcome o;
    o.kind = kind;
    o.message = std::move(message);
    o.line = line;
    return o;
}

using Failure = std::optional<ReadOutcome>;

// The file's lines, held in memory.
class Lines {
  public:
    explicit Lines(const std::string& text) {
        std::istringstream in(text);
        LineReader reader(in);
        std::string line;
        while (reader.Next(line))
            all_.push_back(line);
    }
    bool Next(std::string& line) {
        if (next_ >= all_.size()) return false;
        line = all_[next_++];
        return true;
    }
    int Number() const { return static_cast<int>(next_); } // of the line read last
    const std::vector<std::string>& All() const { return all_; }

  private:
    std::vector<std::string> all_;
    std::size_t next_ = 0;
};

class SectionParser {
  public:
    SectionParser(const std::string& text, const ReaderInputs& inputs, FoilState& w)
        : lines_(text), inputs_(inputs), w_(w) {}

    ReadOutcome Parse();
    Failure BuildGrid();

  private:
    Failure ReadPoints();
    Failure ReadStations();
    Failure ReadBlwf(bool inverse);
    Failure ReadDatabase(const DatabaseSection& section);
    Failure ReadGridFile(const std::filesystem::path& path);
    Failure UpperSurfaceGrid();
    Failure CosineGrid();

    // The next line of a fixed sequence; the file must not end inside it.
    Failure Require(std::string& line, const char* what);
    // Splits a data line: fewer than `least` fields, or a word among the first `used` fields,
    // is the bad-line error.
    Failure Fields(const std::string& line, int least, int used, float (&f)[5], int& count);

    Failure BadLine(const std::string& why) const {
        const int n = lines_.Number();
        return Outcome(ReadOutcome::Kind::BadLine, BadLineText(inputs_.INNAME, n, why), n);
    }
    static Failure Refuse(ReadOutcome::Kind kind, std::string message) {
        return Outcome(kind, std::move(message));
    }

    void Store(int j, float x, float y, float d) {
        w_.X(j) = x;
        w_.Y(j) = y;
        w_.D(j) = d;
        w_.LINE(j) = lines_.Number();
    }
    void Copy(int to, int from, float ySign) {
        w_.X(to) = w_.X(from);
        w_.Y(to) = ySign * w_.Y(from);
        w_.D(to) = w_.D(from);
        w_.LINE(to) = w_.LINE(from);
    }

    Lines lines_;
    const ReaderInputs& inputs_;
    FoilState& w_;
    std::int16_t order_ = kOrderLeadingEdgeToTrailingEdge;
    std::vector<std::string> notes_;
};

Failure SectionParser::Require(std::string& line, const char* what) {
    if (lines_.Next(line)) return std::nullopt;
    return Refuse(ReadOutcome::Kind::Refused,
                  Sprintf("The file %s ends after line %d, inside the BLWF sequence: %s is "
                          "missing.",
                          inputs_.INNAME.c_str(), lines_.Number(), what));
}

Failure SectionParser::Fields(const std::string& line, int least, int used, float (&f)[5],
                              int& count) {
    bool empty = false;
    FieldFault fault;
    count = SplitFields(line, empty, f, &fault);
    if (count < least) {
        if (IsBlank(line)) return BadLine(kEmptyLineAdvice);
        return BadLine(Sprintf("The line \"%s\" has too few numbers: %d are needed, separated "
                               "by blanks.",
                               Shown(line).c_str(), least));
    }
    if (fault.field != 0 && fault.field <= used)
        return BadLine(
            Sprintf("Field %d, \"%s\", is not a number.", fault.field, Shown(fault.text).c_str()));
    for (int k = 0; k < std::min(count, used); ++k)
        if (!std::isfinite(f[k]))
            return Refuse(ReadOutcome::Kind::Refused,
                          Sprintf("Line %d of %s holds a number beyond the range of the "
                                  "section's 32-bit values.",
                                  lines_.Number(), inputs_.INNAME.c_str()));
    return std::nullopt;
}

Failure SectionParser::ReadPoints() {
    std::string line;
    int c = 0;
    while (lines_.Next(line)) {
        if (++c > kMaxPoints)
            return Refuse(ReadOutcome::Kind::TooLarge,
                          Sprintf("The file %s has more than %d points (line %d); a section holds "
                                  "at most %d.",
                                  inputs_.INNAME.c_str(), kMaxPoints, lines_.Number(), kMaxPoints));
        float f[5] = {0, 0, 0, 0, 0};
        int count = 0;
        if (auto failure = Fields(line, 2, 3, f, count)) return failure;
        Store(c, f[0], f[1], count >= 3 ? f[2] : 0.0f);
    }
    w_.NP = static_cast<std::int16_t>(c);
    if (c < 3) return std::nullopt; // reported with the point count below

    // A file whose first quarter lies above its last quarter starts at the upper trailing
    // edge. A thin, strongly cambered section with unequal surface point counts can fool that
    // test; where the contour's direction of travel says otherwise, the direction decides.
    const int m = static_cast<int>(RoundHalfEven(c / 4.0));
    const bool quarterKeeps = w_.Y(m) <= w_.Y(c - m);
    const double area = TwiceSignedArea(
        c, [this](int i) { return w_.X(i); }, [this](int i) { return w_.Y(i); });
    const bool keep = area == 0.0 ? quarterKeeps : area < 0.0;
    if (keep) {
        order_ = kOrderFromLowerTrailingEdge;
        return std::nullopt;
    }
    order_ = kOrderFromUpperTrailingEdge;
    for (int i = 1, j = c; i < j; ++i, --j) {
        std::swap(w_.X(i), w_.X(j));
        std::swap(w_.Y(i), w_.Y(j));
        std::swap(w_.D(i), w_.D(j));
        std::swap(w_.LINE(i), w_.LINE(j));
    }
    return std::nullopt;
}

Failure SectionParser::ReadStations() {
    std::string line;
    struct Station {
        float x, yu, yl, du, dl;
        int line;
    };
    std::array<Station, kMaxStations> stations{};
    int m = 0;
    while (lines_.Next(line)) {
        if (m == kMaxStations)
            return Refuse(ReadOutcome::Kind::TooLarge,
                          Sprintf("The file %s has more than %d stations of \"X YU YL DU DL\" "
                                  "(line %d); a section holds at most %d points.",
                                  inputs_.INNAME.c_str(), kMaxStations, lines_.Number(),
                                  kMaxPoints));
        float f[5] = {0, 0, 0, 0, 0};
        int count = 0;
        if (auto failure = Fields(line, 3, 5, f, count)) return failure;
        stations[static_cast<std::size_t>(m++)] = {
            f[0], f[1], f[2], count >= 4 ? f[3] : 0.0f, count >= 5 ? f[4] : 0.0f, lines_.Number()};
    }
    // Station 1 is the shared leading-edge point; the lower point, stored second, keeps it.
    for (int k = 1; k <= m; ++k) {
        const Station& st = stations[static_cast<std::size_t>(k - 1)];
        Store(m - 1 + k, st.x, st.yu, st.du);
        Store(m + 1 - k, st.x, st.yl, st.dl);
        w_.LINE(m - 1 + k) = w_.LINE(m + 1 - k) = st.line;
    }
    w_.NP = static_cast<std::int16_t>(m > 0 ? 2 * m - 1 : 0);
    order_ = kOrderLeadingEdgeToTrailingEdge;
    return std::nullopt;
}

Failure SectionParser::ReadBlwf(bool inverse) {
    std::string line;
    float f[5] = {0, 0, 0, 0, 0};
    int count = 0;
    if (auto failure = Require(line, "the header line before YSYM NU NL")) return failure;
    if (auto failure = Require(line, "the line YSYM NU NL")) return failure;
    if (auto failure = Fields(line, 3, 3, f, count)) return failure;
    const int countsLine = lines_.Number();

    const float ysym = f[0];
    const double nuValue = RoundHalfEven(f[1]);
    const double nlValue = ysym == 1.0f ? nuValue : RoundHalfEven(f[2]);
    if (nuValue < 1 || nlValue < 1)
        return Refuse(ReadOutcome::Kind::Refused,
                      Sprintf("Line %d of %s gives NU = %g and NL = %g; each surface needs at "
                              "least one point.",
                              lines_.Number(), inputs_.INNAME.c_str(), nuValue, nlValue));
    if (nuValue + nlValue - 1 > kMaxPoints)
        return Refuse(ReadOutcome::Kind::TooLarge,
                      Sprintf("Line %d of %s gives NU + NL - 1 = %g points; a section holds at "
                              "most %d.",
                              lines_.Number(), inputs_.INNAME.c_str(), nuValue + nlValue - 1,
                              kMaxPoints));
    const int nu = static_cast<int>(nuValue);
    const int nl = static_cast<int>(nlValue);
    const bool mirrored = ysym != 0.0f;
    if (mirrored && nl > nu)
        return Refuse(ReadOutcome::Kind::Refused,
                      Sprintf("Line %d of %s asks for a mirrored surface of NL = %d points from "
                              "a listed surface of NU = %d points; NL cannot exceed NU.",
                              lines_.Number(), inputs_.INNAME.c_str(), nl, nu));
    for (int skip = 0; skip < 3; ++skip)
        if (auto failure = Require(line, "a header line before the first surface")) return failure;

    // The first list: the upper surface from the leading edge (BLWF), or a surface from its
    // trailing edge to the shared leading-edge point at index NU (inverse).
    for (int i = 1; i <= nu; ++i) {
        if (auto failure = Require(line, "a point of the first surface")) return failure;
        if (auto failure = Fields(line, 2, 3, f, count)) return failure;
        Store(inverse ? i : nl + i - 1, f[0], f[1], count >= 3 ? f[2] : 0.0f);
    }

    if (mirrored) {
        if (!inverse) {
            // The mirror starts at the shared leading-edge point itself, whose Y is negated.
            for (int i = 1; i <= nl; ++i)
                Copy(nl - i + 1, nl + i - 1, -1.0f);
        } else {
            // Paired by their distance from the shared point, which stays as listed.
            for (int i = 1; i <= nl - 1; ++i)
                Copy(nu + nl - i, nu - nl + i, -1.0f);
        }
    } else {
        if (auto failure = Require(line, "the header line before the second surface"))
            return failure;
        for (int i = 1; i <= nl; ++i) {
            if (auto failure = Require(line, "a point of the second surface")) return failure;
            if (auto failure = Fields(line, 2, 3, f, count)) return failure;
            Store(inverse ? nu + nl - i : nl - i + 1, f[0], f[1], count >= 3 ? f[2] : 0.0f);
        }
    }
    w_.NP = static_cast<std::int16_t>(nu + nl - 1);
    order_ = kOrderLeadingEdgeToTrailingEdge;

    // Rows after the announced points are not part of the section: say so.
    int firstExtra = 0, lastExtra = 0;
    while (lines_.Next(line))
        if (!IsBlank(line)) {
            if (firstExtra == 0) firstExtra = lines_.Number();
            lastExtra = lines_.Number();
        }
    if (firstExtra != 0) {
        const std::string lines =
            firstExtra == lastExtra
                ? Sprintf("Line %d of %s follows", firstExtra, inputs_.INNAME.c_str())
                : Sprintf("Lines %d to %d of %s follow", firstExtra, lastExtra,
                          inputs_.INNAME.c_str());
        notes_.push_back(lines + Sprintf(" the points that line %d announces (NU = %d, NL = %d%s) "
                                         "and %s not read.",
                                         countsLine, nu, nl,
                                         mirrored ? ", the lower surface mirrored" : "",
                                         firstExtra == lastExtra ? "was" : "were"));
    }
    return std::nullopt;
}

Failure SectionParser::ReadDatabase(const DatabaseSection& section) {
    const int n = static_cast<int>(section.points.size());
    if (n > kMaxPoints)
        return Refuse(ReadOutcome::Kind::TooLarge,
                      Sprintf("The file %s has %d points; a section holds at most %d.",
                              inputs_.INNAME.c_str(), n, kMaxPoints));
    w_.TITLE = TitleField(section.title);
    for (int i = 1; i <= n; ++i) {
        const DatabasePoint& p = section.points[static_cast<std::size_t>(i - 1)];
        w_.X(i) = p.x;
        w_.Y(i) = p.y;
        w_.D(i) = 0.0f; // the strip of the run applies to every point
        w_.LINE(i) = p.line;
    }
    w_.NP = static_cast<std::int16_t>(n);
    if (section.layout == DatabaseSection::Layout::Split)
        order_ = kOrderLeadingEdgeToTrailingEdge;
    else
        order_ = section.reversed ? kOrderFromUpperTrailingEdge : kOrderFromLowerTrailingEdge;
    notes_.insert(notes_.end(), section.notes.begin(), section.notes.end());
    return std::nullopt;
}

Failure SectionParser::ReadGridFile(const std::filesystem::path& path) {
    const std::string name = path.string();
    const SmallTextFile file = ReadSmallTextFile(name);
    if (file.status != SmallTextFile::Status::Read)
        return Refuse(
            file.status == SmallTextFile::Status::TooLarge ? ReadOutcome::Kind::TooLarge
                                                           : ReadOutcome::Kind::Unreadable,
            Sprintf("The grid file %s cannot be read: %s.", name.c_str(), file.reason.c_str()));
    Lines gridLines(file.text);
    std::string line;
    gridLines.Next(line);                            // a title line
    std::vector<std::pair<int, std::string>> tokens; // line, text of each value
    int count = 0;
    while (gridLines.Next(line)) {
        std::size_t start = 0;
        while (start < line.size()) {
            const std::size_t end = std::min(line.find_first_of(" ,\t", start), line.size());
            const std::string_view token = std::string_view(line).substr(start, end - start);
            start = end + 1;
            if (token.empty()) continue;
            const auto value = ReadWholeNumber(token);
            if (!value || !std::isfinite(static_cast<float>(*value)))
                return Refuse(ReadOutcome::Kind::Refused,
                              Sprintf("Line %d of the grid file %s: \"%s\" is not a number.",
                                      gridLines.Number(), name.c_str(), Shown(token).c_str()));
            if (++count > kMaxPoints)
                return Refuse(ReadOutcome::Kind::TooLarge,
                              Sprintf("The grid file %s has more than %d values; the grid holds "
                                      "at most %d.",
                                      name.c_str(), kMaxPoints, kMaxPoints));
            w_.XNODES(count) = static_cast<float>(*value);
            tokens.emplace_back(gridLines.Number(), std::string(token));
        }
    }
    w_.NNODES = static_cast<std::int16_t>(count);
    if (count < kShortGridFile) return std::nullopt; // gives way to the upper surface

    // The grid runs from the leading edge (0) to the trailing edge (1), rising at every node.
    const auto refuse = [&](int k, const char* why) {
        const auto& [lineNumber, text] = tokens[static_cast<std::size_t>(k - 1)];
        return Refuse(ReadOutcome::Kind::Refused,
                      Sprintf("Line %d of the grid file %s: X = %s %s; the new X-grid must rise "
                              "strictly from 0 to 1.",
                              lineNumber, name.c_str(), Shown(text).c_str(), why));
    };
    for (int k = 1; k <= count; ++k)
        if (w_.XNODES(k) < -kGridEndTolerance || w_.XNODES(k) > 1.0 + kGridEndTolerance)
            return refuse(k, "lies outside 0 to 1");
    if (std::fabs(w_.XNODES(1)) > kGridEndTolerance) return refuse(1, "is its first value");
    for (int k = 2; k <= count; ++k)
        if (!(w_.XNODES(k) > w_.XNODES(k - 1)))
            return refuse(k, "does not rise from the value before");
    if (std::fabs(w_.XNODES(count) - 1.0) > kGridEndTolerance)
        return refuse(count, "is its last value");
    return std::nullopt;
}

Failure SectionParser::UpperSurfaceGrid() {
    int iLE = 1;
    for (int i = 2; i <= w_.NP; ++i)
        if (w_.X(i) < w_.X(iLE)) iLE = i;
    const int n = w_.NP - iLE + 1;
    w_.NNODES = static_cast<std::int16_t>(n);
    for (int k = 1; k <= n; ++k)
        w_.XNODES(k) = w_.X(iLE + k - 1);
    const float x0 = w_.XNODES(1);
    const float span = w_.XNODES(n) - x0;
    if (!(span != 0.0f))
        return Refuse(ReadOutcome::Kind::Refused,
                      Sprintf("The upper surface of %s (points %d to %d) has no extent in X, so "
                              "no X-grid can be taken from it.",
                              inputs_.INNAME.c_str(), iLE, w_.NP));
    for (int k = 1; k <= n; ++k)
        w_.XNODES(k) = (w_.XNODES(k) - x0) / span;
    return std::nullopt;
}

Failure SectionParser::CosineGrid() {
    const double wanted = RoundHalfEven(ReadTextBoxNumber(inputs_.nodesText));
    if (!(wanted >= 3))
        return Refuse(ReadOutcome::Kind::Refused,
                      Sprintf("Number of X nodes = \"%s\": the cosine grid needs at least 3 nodes.",
                              inputs_.nodesText.c_str()));
    if (wanted > kMaxGridNodes)
        return Refuse(ReadOutcome::Kind::TooLarge,
                      Sprintf("Number of X nodes = \"%s\": at most %d nodes can be used, as the "
                              "exported contour holds at most %d points.",
                              inputs_.nodesText.c_str(), kMaxGridNodes, kMaxPoints));
    const int n = static_cast<int>(wanted);
    w_.NNODES = static_cast<std::int16_t>(n);
    w_.XNODES(1) = 0.0f;
    // The divisor is n, not n - 1: the last interval before the forced 1 is the wider one.
    for (int k = 2; k <= n; ++k)
        w_.XNODES(k) = static_cast<float>((1.0 - std::cos((k - 1) * kPiDouble / n)) / 2.0);
    w_.XNODES(n) = 1.0f;
    return std::nullopt;
}

Failure SectionParser::BuildGrid() {
    const std::int16_t choice = inputs_.gridChoice;
    if (choice == kGridFromFile) {
        w_.NNODES = 0;
        const auto path = std::filesystem::path(inputs_.directory) / "X_INP.DAT";
        std::error_code error;
        if (std::filesystem::exists(path, error))
            if (auto failure = ReadGridFile(path)) return failure;
    }
    Failure upperFailure;
    if (choice == kGridFromUpperSurface || w_.NNODES < kShortGridFile)
        upperFailure = UpperSurfaceGrid();
    if (choice == kGridCosine) return CosineGrid(); // wins over the fallback
    if (upperFailure) return upperFailure;

    if (w_.NNODES < 3)
        return Refuse(ReadOutcome::Kind::Refused,
                      Sprintf("The new X-grid has %d nodes; at least 3 are needed.", w_.NNODES));
    if (w_.NNODES > kMaxGridNodes)
        return Refuse(ReadOutcome::Kind::TooLarge,
                      Sprintf("The new X-grid has %d nodes; at most %d can be used, as the "
                              "exported contour holds at most %d points.",
                              w_.NNODES, kMaxGridNodes, kMaxPoints));
    return std::nullopt;
}

ReadOutcome SectionParser::Parse() {
    std::string line;
    if (!lines_.Next(line))
        return Outcome(ReadOutcome::Kind::Refused,
                       Sprintf("The file %s is empty: it has no line.", inputs_.INNAME.c_str()));
    w_.TITLE = TitleField(line);
    w_.LINE.fill(0);

    Layout layout = Layout::None;
    while (layout == Layout::None && lines_.Next(line))
        layout = FindKeyword(line);

    Failure failure;
    switch (layout) {
    case Layout::XYD:
        failure = ReadPoints();
        break;
    case Layout::Stations:
        failure = ReadStations();
        break;
    case Layout::Blwf:
        failure = ReadBlwf(false);
        break;
    case Layout::BlwfInverse:
        failure = ReadBlwf(true);
        break;
    case Layout::None:
        // Without a keyword, the layouts of the public databases; a file that fits neither
        // gets the message of a missing keyword.
        if (const auto database = ReadDatabaseLayout(lines_.All(), inputs_.INNAME))
            failure = ReadDatabase(*database);
        else
            return Outcome(ReadOutcome::Kind::NoKeyword, kNoKeywordMessage);
        break;
    }
    if (failure) return *failure;
    if (w_.NP < 3)
        return Outcome(ReadOutcome::Kind::Refused,
                       Sprintf("The file %s gives %d point(s); a section needs at least 3.",
                               inputs_.INNAME.c_str(), w_.NP));

    if (auto gridFailure = BuildGrid()) return *gridFailure;
    w_.SMOOTH = inputs_.smoothChecked ? 1 : 0;

    ReadOutcome ok;
    ok.pointOrder = order_;
    ok.npText = FormatPicture(w_.NP, "##0");
    ok.notes = std::move(notes_);
    return ok;
}

ReadOutcome ReadText(const std::string& text, const ReaderInputs& inputs, FoilState& s) {
    FoilState w = s;
    ReadOutcome outcome = SectionParser(text, inputs, w).Parse();
    if (outcome.kind == ReadOutcome::Kind::ReadOk) s = std::move(w);
    return outcome;
}

} // namespace

ReadOutcome ReadSection(std::istream& in, const ReaderInputs& inputs, FoilState& s) {
    const std::string text(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        return Outcome(ReadOutcome::Kind::Unreadable,
                       Sprintf("The file %s could not be read to its end.", inputs.INNAME.c_str()));
    return ReadText(text, inputs, s);
}

ReadOutcome BuildNewGrid(const ReaderInputs& inputs, FoilState& s) {
    FoilState w = s;
    if (auto failure = SectionParser(std::string(), inputs, w).BuildGrid()) return *failure;
    s.NNODES = w.NNODES;
    s.XNODES = w.XNODES;
    return {};
}

ReadOutcome ReadInputFile(const ReaderInputs& inputs, FoilState& s) {
    const SmallTextFile file = ReadSmallTextFile(inputs.INPATH);
    switch (file.status) {
    case SmallTextFile::Status::Read:
        break;
    case SmallTextFile::Status::TooLarge:
        return Outcome(ReadOutcome::Kind::TooLarge,
                       Sprintf("The file \"%s\" is no section file: %s.", inputs.INPATH.c_str(),
                               file.reason.c_str()));
    case SmallTextFile::Status::NotRegular:
        return Outcome(
            ReadOutcome::Kind::Unreadable,
            Sprintf("\"%s\" is no section file: %s.", inputs.INPATH.c_str(), file.reason.c_str()));
    case SmallTextFile::Status::Unreadable:
        return Outcome(ReadOutcome::Kind::Unreadable,
                       Sprintf("The file \"%s\" cannot be opened for reading: %s.",
                               inputs.INPATH.c_str(), file.reason.c_str()));
    }
    return ReadText(file.text, inputs, s);
}

} // namespace zarnfoil
