// Checks of what the batch command leaves behind, shared by the tests and the fuzz targets:
// an output set whose files come from one run, no work files left, and valid JSON.
#pragma once

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zarnfoil::testing {

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<std::string> CrlfLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const auto end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// Empty when the report and the second table file (and the STL solid and its labels, when
// present) come from one run; else what does not match. The second table's rows repeat the
// report's smoothed rows (T, Y_SM, derivatives, K_SM) cell for cell.
inline std::string OutputSetFault(const std::filesystem::path& folder, const std::string& stem) {
    const auto out1 = CrlfLines(ReadWhole(folder / (stem + "out1")));
    const auto out2 = CrlfLines(ReadWhole(folder / (stem + "out2")));
    if (out1.size() < 6 || out2.size() < 3) return "a report or second table is missing or short";
    const std::size_t np = out2.size() - 2;
    for (std::size_t i = 0; i < np; ++i) {
        const std::size_t at = 6 + 3 * i + 1; // the smoothed row of point i + 1 in the report
        if (at >= out1.size()) return "the report has fewer points than the second table";
        if (out2[2 + i].size() < 81 || out1[at].size() < 71 ||
            out2[2 + i].compare(10, 70, out1[at], 0, 70) != 0)
            return "point " + std::to_string(i + 1) + " differs between out1 and out2";
    }
    if (out1.size() <= 6 + 3 * np || out1[6 + 3 * np].find("-----") != 0)
        return "the report has more points than the second table";
    const bool stl = std::filesystem::exists(folder / (stem + "stl"));
    if (stl != std::filesystem::exists(folder / (stem + "stl.prop")))
        return "an STL solid without its labels, or labels without a solid";
    if (stl) {
        const std::string solid = ReadWhole(folder / (stem + "stl"));
        std::size_t facets = 0;
        for (auto at = solid.find("endfacet"); at != std::string::npos;
             at = solid.find("endfacet", at + 1))
            ++facets;
        if (CrlfLines(ReadWhole(folder / (stem + "stl.prop"))).size() != facets + 1)
            return "the label file does not have one line per facet";
    }
    return {};
}

// Names of files the commits of output sets work with (temporary, backup, journal).
inline std::vector<std::string> WorkFilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        for (const char* suffix : {".zarnfoil-tmp", ".zarnfoil-old", ".zarnfoil-journal"})
            if (name.size() > std::char_traits<char>::length(suffix) && name.ends_with(suffix))
                found.push_back(name);
    }
    return found;
}

// A strict JSON check (RFC 8259): one value, strings of valid UTF-8 without raw control
// characters, numbers in JSON's own form.
class JsonCheck {
  public:
    static bool Valid(const std::string& text) {
        JsonCheck c(text);
        c.Blank();
        if (!c.Value()) return false;
        c.Blank();
        return c.at_ == text.size();
    }

  private:
    explicit JsonCheck(const std::string& t) : t_(t) {}
    bool More() const { return at_ < t_.size(); }
    char Peek() const { return More() ? t_[at_] : '\0'; }
    void Blank() {
        while (More() && (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t'))
            ++at_;
    }
    bool Word(const char* w) {
        const std::string word(w);
        if (t_.compare(at_, word.size(), word) != 0) return false;
        at_ += word.size();
        return true;
    }
    bool Value() {
        if (++depth_ > 64) return false;
        bool ok = false;
        switch (Peek()) {
        case '{':
            ok = Object();
            break;
        case '[':
            ok = Array();
            break;
        case '"':
            ok = String();
            break;
        case 't':
            ok = Word("true");
            break;
        case 'f':
            ok = Word("false");
            break;
        case 'n':
            ok = Word("null");
            break;
        default:
            ok = Number();
        }
        --depth_;
        return ok;
    }
    bool Object() {
        ++at_;
        Blank();
        if (Peek() == '}') return ++at_, true;
        for (;;) {
            Blank();
            if (!String()) return false;
            Blank();
            if (Peek() != ':') return false;
            ++at_;
            Blank();
            if (!Value()) return false;
            Blank();
            if (Peek() == '}') return ++at_, true;
            if (Peek() != ',') return false;
            ++at_;
        }
    }
    bool Array() {
        ++at_;
        Blank();
        if (Peek() == ']') return ++at_, true;
        for (;;) {
            Blank();
            if (!Value()) return false;
            Blank();
            if (Peek() == ']') return ++at_, true;
            if (Peek() != ',') return false;
            ++at_;
        }
    }
    bool Digits() {
        const std::size_t start = at_;
        while (More() && Peek() >= '0' && Peek() <= '9')
            ++at_;
        return at_ > start;
    }
    bool Number() {
        if (Peek() == '-') ++at_;
        if (Peek() == '0')
            ++at_;
        else if (!Digits())
            return false;
        if (Peek() == '.') {
            ++at_;
            if (!Digits()) return false;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++at_;
            if (Peek() == '+' || Peek() == '-') ++at_;
            if (!Digits()) return false;
        }
        return true;
    }
    bool String() {
        if (Peek() != '"') return false;
        ++at_;
        while (More()) {
            const auto c = static_cast<unsigned char>(t_[at_]);
            if (c == '"') return ++at_, true;
            if (c < 0x20) return false;
            if (c == '\\') {
                ++at_;
                const char e = Peek();
                if (e == 'u') {
                    for (int k = 1; k <= 4; ++k)
                        if (!std::isxdigit(static_cast<unsigned char>(
                                at_ + static_cast<std::size_t>(k) < t_.size()
                                    ? t_[at_ + static_cast<std::size_t>(k)]
                                    : 'x')))
                            return false;
                    at_ += 5;
                } else if (std::string("\"\\/bfnrt").find(e) != std::string::npos && e) {
                    ++at_;
                } else {
                    return false;
                }
                continue;
            }
            std::size_t n = c < 0x80             ? 1
                            : (c & 0xE0) == 0xC0 ? 2
                            : (c & 0xF0) == 0xE0 ? 3
                            : (c & 0xF8) == 0xF0 ? 4
                                                 : 0;
            if (n == 0 || (n == 2 && c < 0xC2) || at_ + n > t_.size()) return false;
            for (std::size_t k = 1; k < n; ++k)
                if ((static_cast<unsigned char>(t_[at_ + k]) & 0xC0) != 0x80) return false;
            at_ += n;
        }
        return false;
    }

    const std::string& t_;
    std::size_t at_ = 0;
    int depth_ = 0;
};

} // namespace zarnfoil::testing
