// JSON summary of a section.
#include "cli/json_summary.h"

#include <array>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace zarnfoil::batch {
namespace {

std::string Number(float v) {
    if (!std::isfinite(v)) return "null";
    std::array<char, 32> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), res.ptr);
}

// Length of the valid UTF-8 character at text[i], or 0 when the bytes there are none.
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    const std::size_t n = b < 0x80                 ? 1
                          : b >= 0xC2 && b <= 0xDF ? 2
                          : b >= 0xE0 && b <= 0xEF ? 3
                          : b >= 0xF0 && b <= 0xF4 ? 4
                                                   : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    // no overlong forms, no surrogates, nothing beyond U+10FFFF
    const unsigned char c = byte(i + 1);
    if ((b == 0xE0 && c < 0xA0) || (b == 0xED && c > 0x9F) || (b == 0xF0 && c < 0x90) ||
        (b == 0xF4 && c > 0x8F))
        return 0;
    return n;
}

// A JSON string. The title may come in any encoding: bytes that are no UTF-8 are kept as the
// characters U+0080..U+00FF (their Latin-1 reading), so the output is always valid JSON.
std::string Quoted(const std::string& text) {
    static const char* hex = "0123456789abcdef";
    const auto escaped = [](unsigned char c) {
        return std::string("\\u00") + hex[c >> 4] + hex[c & 15];
    };
    std::string q = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = Utf8Length(text, i);
        if (n == 0 || c < 0x20 || c == 0x7f) {
            q += escaped(c);
            ++i;
        } else if (c == '"' || c == '\\') {
            q += '\\';
            q += static_cast<char>(c);
            ++i;
        } else {
            q.append(text, i, n);
            i += n;
        }
    }
    return q + "\"";
}

class JsonObject {
  public:
    explicit JsonObject(std::ostream& out) : out_(out) { out_ << "{"; }
    ~JsonObject() { out_ << "\n}\n"; }

    void Field(const char* name, const std::string& rawValue) {
        out_ << (first_ ? "\n  " : ",\n  ") << '"' << name << "\": " << rawValue;
        first_ = false;
    }
    void Field(const char* name, float v) { Field(name, Number(v)); }
    void Field(const char* name, int v) { Field(name, std::to_string(v)); }
    void Array(const char* name, const PointArray& a, int n) {
        std::string text = "[";
        for (int i = 1; i <= n; ++i)
            text += (i > 1 ? ", " : "") + Number(a(i));
        Field(name, text + "]");
    }

  private:
    std::ostream& out_;
    bool first_ = true;
};

std::string Points(const std::vector<int>& points) {
    std::string text = "[";
    for (std::size_t k = 0; k < points.size(); ++k)
        text += (k > 0 ? ", " : "") + std::to_string(points[k]);
    return text + "]";
}

std::string Reversals(const CurvatureReversals& r) {
    return "{\"input\": " + Points(r.input) + ", \"smoothed\": " + Points(r.smoothed) + "}";
}

// The fairness report as one object; reversals and band edges are point numbers.
std::string FairnessObject(const FairnessReport& r) {
    std::string text = "{\"smoothed\": " + std::string(r.smoothed ? "true" : "false");
    text += ", \"ending\": " + Quoted(EndingName(r.smoothing.ending));
    text += ", \"iterations\": " + std::to_string(r.smoothing.iterations);
    text += ", \"finishingSteps\": " + std::to_string(r.smoothing.finishingSteps);
    text += ", \"finished\": " + std::string(r.smoothing.finished ? "true" : "false");
    text += ", \"curvatureReversals\": {\"lower\": " + Reversals(r.lower) +
            ", \"upper\": " + Reversals(r.upper) + "}";
    text += ", \"largestBandUse\": " + Number(r.largestBandUse);
    text += ", \"largestBandUseAt\": " + std::to_string(r.largestBandUseAt);
    text += ", \"onBandEdge\": " + Points(r.onBandEdge);
    text += ", \"endConditionWarning\": " +
            (r.endConditionWarning.empty() ? std::string("null") : Quoted(r.endConditionWarning));
    return text + "}";
}

} // namespace

void WriteJsonSummary(std::ostream& out, const FoilState& s, const FairnessReport& fairness) {
    JsonObject j(out);
    j.Field("title", Quoted(s.TITLE.substr(0, s.TITLE.find_last_not_of(' ') + 1)));
    j.Field("NP", s.NP);
    j.Field("NNODES", s.NNODES);
    j.Field("NOUT", s.NOUT);
    j.Field("ILE", s.ILE);
    j.Field("NRUN", s.NRUN);
    j.Field("SMOOTH", s.SMOOTH);
    j.Field("IBC", s.IBC);
    j.Field("NOROT", s.NOROT);
    j.Field("XLE", s.XLE);
    j.Field("YLE", s.YLE);
    j.Field("CHORD", s.CHORD);
    j.Field("EPSIL", s.EPSIL);
    j.Field("thickness", 2.0f * s.HTMAX);
    j.Field("HTMAX", s.HTMAX);
    j.Field("XHTMAX", s.XHTMAX);
    j.Field("DMAX", s.DMAX);
    j.Field("BC1", s.BC1);
    j.Field("BC2", s.BC2);
    j.Field("fairness", FairnessObject(fairness));
    const std::pair<const char*, const PointArray*> points[] = {
        {"X", &s.X},   {"Y", &s.Y}, {"D", &s.D},       {"DP", &s.DP}, {"XP", &s.XP},
        {"YP", &s.YP}, {"T", &s.T}, {"Y_SM", &s.Y_SM}, {"K", &s.K},   {"K_SM", &s.K_SM},
    };
    for (const auto& [name, values] : points)
        j.Array(name, *values, s.NP);
    const std::pair<const char*, const PointArray*> grid[] = {
        {"XNODES", &s.XNODES},
        {"HTHICK", &s.HTHICK},
        {"CAMBER", &s.CAMBER},
        {"HTHICK_SM", &s.HTHICK_SM},
        {"CAMBER_SM", &s.CAMBER_SM},
        {"YU", &s.YU},
        {"YL", &s.YL},
    };
    for (const auto& [name, values] : grid)
        j.Array(name, *values, s.NNODES);
}

} // namespace zarnfoil::batch
