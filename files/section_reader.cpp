// The section reader: finding the layout keyword, the layouts' own sequences, the point
// order, and the new X-grid. Everything is read into a copy of the state, which replaces the
// state only when the whole file was read.
#include "files/section_reader.h"

#include "core/number_field.h"
#include "core/number_format.h"
#include "core/text_format.h"
#include "files/line_reader.h"
#include "files/split_fields.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

namespace zarnfoil {
namespace {

constexpr double kPiDouble = 3.14159265;
constexpr int kMaxGridNodes = (kMaxPoints + 1) / 2; // the exported contour holds 2N - 1 points
constexpr int kShortGridFile = 5; // a grid file with fewer values gives way to the upper surface

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

ReadOutcome Outcome(ReadOutcome::Kind kind, std::string message, int line = 0) {
    ReadOutcome o;
    o.kind = kind;
    o.message = std::move(message);
    o.line = line;
    return o;
}

using Failure = std::optional<ReadOutcome>;

class SectionParser {
  public:
    SectionParser(std::istream& in, const ReaderInputs& inputs, FoilState& w)
        : lines_(in), inputs_(inputs), w_(w) {}

    ReadOutcome Parse();
    Failure BuildGrid();

  private:
    Failure ReadPoints();
    Failure ReadStations();
    Failure ReadBlwf(bool inverse);
    Failure ReadGridFile(const std::filesystem::path& path);
    Failure UpperSurfaceGrid();
    Failure CosineGrid();

    // The next line of a fixed sequence; the file must not end inside it.
    Failure Require(std::string& line, const char* what);
    // Splits a data line; fewer than `least` fields is the bad-line error.
    Failure Fields(const std::string& line, int least, float (&f)[5], int& count);

    Failure BadLine() const {
        return Outcome(ReadOutcome::Kind::BadLine, InputErrorText(inputs_.INNAME, lines_.Number()),
                       lines_.Number());
    }
    static Failure Refuse(ReadOutcome::Kind kind, std::string message) {
        return Outcome(kind, std::move(message));
    }

    void Store(int j, float x, float y, float d) {
        w_.X(j) = x;
        w_.Y(j) = y;
        w_.D(j) = d;
    }

    LineReader lines_;
    const ReaderInputs& inputs_;
    FoilState& w_;
    std::int16_t order_ = kOrderLeadingEdgeToTrailingEdge;
};

Failure SectionParser::Require(std::string& line, const char* what) {
    if (lines_.Next(line)) return std::nullopt;
    return Refuse(ReadOutcome::Kind::Refused,
                  Sprintf("The file %s ends after line %d, inside the BLWF sequence: %s is "
                          "missing.",
                          inputs_.INNAME.c_str(), lines_.Number(), what));
}

Failure SectionParser::Fields(const std::string& line, int least, float (&f)[5], int& count) {
    bool empty = false;
    count = SplitFields(line, empty, f);
    if (count < least) return BadLine();
    for (int k = 0; k < std::min(count, 5); ++k)
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
        if (auto failure = Fields(line, 2, f, count)) return failure;
        Store(c, f[0], f[1], count >= 3 ? f[2] : 0.0f);
    }
    w_.NP = static_cast<std::int16_t>(c);
    if (c < 3) return std::nullopt; // reported with the point count below

    // A file whose first quarter lies above its last quarter starts at the upper trailing edge.
    const int m = static_cast<int>(RoundHalfEven(c / 4.0));
    if (w_.Y(m) <= w_.Y(c - m)) {
        order_ = kOrderFromLowerTrailingEdge;
        return std::nullopt;
    }
    order_ = kOrderFromUpperTrailingEdge;
    for (int i = 1, j = c; i < j; ++i, --j) {
        std::swap(w_.X(i), w_.X(j));
        std::swap(w_.Y(i), w_.Y(j));
        std::swap(w_.D(i), w_.D(j));
    }
    return std::nullopt;
}

Failure SectionParser::ReadStations() {
    std::string line;
    struct Station {
        float x, yu, yl, du, dl;
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
        if (auto failure = Fields(line, 3, f, count)) return failure;
        stations[static_cast<std::size_t>(m++)] = {f[0], f[1], f[2], count >= 4 ? f[3] : 0.0f,
                                                   count >= 5 ? f[4] : 0.0f};
    }
    // Station 1 is the shared leading-edge point; the lower point, stored second, keeps it.
    for (int k = 1; k <= m; ++k) {
        const Station& st = stations[static_cast<std::size_t>(k - 1)];
        Store(m - 1 + k, st.x, st.yu, st.du);
        Store(m + 1 - k, st.x, st.yl, st.dl);
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
    if (auto failure = Fields(line, 3, f, count)) return failure;

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
        if (auto failure = Fields(line, 2, f, count)) return failure;
        Store(inverse ? i : nl + i - 1, f[0], f[1], count >= 3 ? f[2] : 0.0f);
    }

    if (mirrored) {
        if (!inverse) {
            // The mirror starts at the shared leading-edge point itself, whose Y is negated.
            for (int i = 1; i <= nl; ++i) {
                const int from = nl + i - 1;
                Store(nl - i + 1, w_.X(from), -w_.Y(from), w_.D(from));
            }
        } else {
            // Paired by their distance from the shared point, which stays as listed.
            for (int i = 1; i <= nl - 1; ++i) {
                const int from = nu - nl + i;
                Store(nu + nl - i, w_.X(from), -w_.Y(from), w_.D(from));
            }
        }
    } else {
        if (auto failure = Require(line, "the header line before the second surface"))
            return failure;
        for (int i = 1; i <= nl; ++i) {
            if (auto failure = Require(line, "a point of the second surface")) return failure;
            if (auto failure = Fields(line, 2, f, count)) return failure;
            Store(inverse ? nu + nl - i : nl - i + 1, f[0], f[1], count >= 3 ? f[2] : 0.0f);
        }
    }
    w_.NP = static_cast<std::int16_t>(nu + nl - 1);
    order_ = kOrderLeadingEdgeToTrailingEdge;
    return std::nullopt;
}

Failure SectionParser::ReadGridFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Refuse(ReadOutcome::Kind::Unreadable,
                      Sprintf("The grid file %s exists but cannot be read.", path.string().c_str()));
    LineReader gridLines(in);
    std::string line;
    gridLines.Next(line); // a title line
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
                              Sprintf("Line %d of the grid file %s: \"%.*s\" is not a number.",
                                      gridLines.Number(), path.string().c_str(),
                                      static_cast<int>(token.size()), token.data()));
            if (*value < 0.0)
                return Refuse(ReadOutcome::Kind::Refused,
                              Sprintf("Line %d of the grid file %s: X = %.*s; grid values run "
                                      "from 0 at the leading edge.",
                                      gridLines.Number(), path.string().c_str(),
                                      static_cast<int>(token.size()), token.data()));
            if (++count > kMaxPoints)
                return Refuse(ReadOutcome::Kind::TooLarge,
                              Sprintf("The grid file %s has more than %d values; the grid holds "
                                      "at most %d.",
                                      path.string().c_str(), kMaxPoints, kMaxPoints));
            w_.XNODES(count) = static_cast<float>(*value);
        }
    }
    w_.NNODES = static_cast<std::int16_t>(count);
    return std::nullopt;
}

Failure SectionParser::UpperSurfaceGrid() {
    int iLE = 1;
    for (int i = 2; i <= w_.NP; ++i)
        if (w_.X(i) < w_.X(iLE)) iLE = i;
    const int n = w_.NP - iLE + 1;
    w_.NNODES = static_cast<std::int16_t>(n);
    for (int k = 1; k <= n; ++k) w_.XNODES(k) = w_.X(iLE + k - 1);
    const float x0 = w_.XNODES(1);
    const float span = w_.XNODES(n) - x0;
    if (!(span != 0.0f))
        return Refuse(ReadOutcome::Kind::Refused,
                      Sprintf("The upper surface of %s (points %d to %d) has no extent in X, so "
                              "no X-grid can be taken from it.",
                              inputs_.INNAME.c_str(), iLE, w_.NP));
    for (int k = 1; k <= n; ++k) w_.XNODES(k) = (w_.XNODES(k) - x0) / span;
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
        if (std::filesystem::is_regular_file(path, error))
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
    w_.TITLE = line.substr(0, kTitleWidth);
    w_.TITLE.resize(kTitleWidth, ' ');

    Layout layout = Layout::None;
    while (layout == Layout::None && lines_.Next(line)) layout = FindKeyword(line);
    if (lines_.Failed())
        return Outcome(ReadOutcome::Kind::Unreadable,
                       Sprintf("The file %s could not be read to its end.", inputs_.INNAME.c_str()));
    if (layout == Layout::None) return Outcome(ReadOutcome::Kind::NoKeyword, kNoKeywordMessage);

    Failure failure;
    switch (layout) {
    case Layout::XYD: failure = ReadPoints(); break;
    case Layout::Stations: failure = ReadStations(); break;
    case Layout::Blwf: failure = ReadBlwf(false); break;
    case Layout::BlwfInverse: failure = ReadBlwf(true); break;
    case Layout::None: break;
    }
    if (failure) return *failure;
    if (lines_.Failed())
        return Outcome(ReadOutcome::Kind::Unreadable,
                       Sprintf("The file %s could not be read to its end.", inputs_.INNAME.c_str()));
    if (w_.NP < 3)
        return Outcome(ReadOutcome::Kind::Refused,
                       Sprintf("The file %s gives %d point(s); a section needs at least 3.",
                               inputs_.INNAME.c_str(), w_.NP));

    if (auto gridFailure = BuildGrid()) return *gridFailure;
    w_.SMOOTH = inputs_.smoothChecked ? 1 : 0;

    ReadOutcome ok;
    ok.pointOrder = order_;
    ok.npText = FormatPicture(w_.NP, "##0");
    return ok;
}

} // namespace

std::string InputErrorText(const std::string& INNAME, int line) {
    return "Error in input file: " + INNAME + " line:" + std::to_string(line) + ".\r" +
           "Remove all empty lines in the end of input file.\r" + "JOB TERMINATED !";
}

ReadOutcome ReadSection(std::istream& in, const ReaderInputs& inputs, FoilState& s) {
    FoilState w = s;
    ReadOutcome outcome = SectionParser(in, inputs, w).Parse();
    if (outcome.kind == ReadOutcome::Kind::ReadOk) s = std::move(w);
    return outcome;
}

ReadOutcome BuildNewGrid(const ReaderInputs& inputs, FoilState& s) {
    std::istringstream noLines;
    FoilState w = s;
    if (auto failure = SectionParser(noLines, inputs, w).BuildGrid()) return *failure;
    s.NNODES = w.NNODES;
    s.XNODES = w.XNODES;
    return {};
}

ReadOutcome ReadInputFile(const ReaderInputs& inputs, FoilState& s) {
    const std::filesystem::path path(inputs.INPATH);
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return Outcome(ReadOutcome::Kind::Unreadable,
                       Sprintf("\"%s\" is a folder, not a section file.", inputs.INPATH.c_str()));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Outcome(ReadOutcome::Kind::Unreadable,
                       Sprintf("The file \"%s\" cannot be opened for reading.",
                               inputs.INPATH.c_str()));
    return ReadSection(in, inputs, s);
}

} // namespace zarnfoil
