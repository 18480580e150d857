// Reading the wrap-around and split layouts.
#include "files/database_layouts.h"

#include "core/number_field.h"
#include "core/text_format.h"

#include <algorithm>
#include <cmath>

namespace zarnfoil {
namespace {

constexpr int kMaxRepeatNotes = 10;
constexpr std::size_t kLeastPoints = 3; // fewer lines of two numbers make no section

bool IsSkipped(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

// The line as exactly two numbers, each a whole field; false for anything else.
bool TwoNumbers(const std::string& line, double& a, double& b) {
    double values[2] = {0, 0};
    int count = 0;
    std::size_t start = 0;
    while ((start = line.find_first_not_of(" \t", start)) != std::string::npos) {
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        if (count == 2) return false;
        const auto value = ReadWholeNumber(std::string_view(line).substr(start, end - start));
        if (!value || !std::isfinite(static_cast<float>(*value))) return false;
        values[count++] = *value;
        start = end;
    }
    a = values[0];
    b = values[1];
    return count == 2;
}

bool IsCount(double v) {
    return v >= 1.0 && v == std::floor(v);
}

} // namespace

std::optional<DatabaseSection> ReadDatabaseLayout(const std::vector<std::string>& lines,
                                                  const std::string& name) {
    DatabaseSection section;
    std::vector<DatabasePoint> data;
    std::vector<double> first(2, 0.0);
    bool titled = false;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (IsSkipped(lines[k])) continue;
        if (!titled) {
            section.title = lines[k];
            titled = true;
            continue;
        }
        double x = 0, y = 0;
        if (!TwoNumbers(lines[k], x, y)) return std::nullopt;
        if (data.empty()) first = {x, y};
        data.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<int>(k + 1)});
    }
    if (data.size() < kLeastPoints) return std::nullopt;

    // The split layout announces its point counts, and they add up to the points that follow.
    const double nu = first[0], nl = first[1];
    if (IsCount(nu) && IsCount(nl) && nu + nl == static_cast<double>(data.size() - 1)) {
        section.layout = DatabaseSection::Layout::Split;
        const auto upperBegin = data.begin() + 1;
        const auto lowerBegin = upperBegin + static_cast<std::ptrdiff_t>(nu);
        section.points.assign(lowerBegin, data.end());
        std::reverse(section.points.begin(), section.points.end());
        // The leading edge listed at the head of both surfaces is one point.
        const DatabasePoint& lowerLe = section.points.back();
        auto upper = upperBegin;
        if (upper->x == lowerLe.x && upper->y == lowerLe.y) ++upper;
        section.points.insert(section.points.end(), upper, lowerBegin);
    } else {
        section.points = std::move(data);
    }

    const auto& pts = section.points;
    const int n = static_cast<int>(pts.size());
    const auto x = [&pts](int i) { return pts[static_cast<std::size_t>(i - 1)].x; };
    const auto y = [&pts](int i) { return pts[static_cast<std::size_t>(i - 1)].y; };
    if (TwiceSignedArea(n, x, y) > 0.0) {
        std::reverse(section.points.begin(), section.points.end());
        section.reversed = true;
    }

    // Published tables often list a point twice in a row; the run needs distinct points.
    std::vector<DatabasePoint> merged;
    int repeats = 0;
    for (const DatabasePoint& p : section.points) {
        if (!merged.empty() && merged.back().x == p.x && merged.back().y == p.y) {
            if (++repeats <= kMaxRepeatNotes)
                section.notes.push_back(Sprintf(
                    "Line %d of %s repeats the point of line %d (x = %g, y = %g); the two were "
                    "merged.",
                    std::max(p.line, merged.back().line), name.c_str(),
                    std::min(p.line, merged.back().line), static_cast<double>(p.x),
                    static_cast<double>(p.y)));
            continue;
        }
        merged.push_back(p);
    }
    if (repeats > kMaxRepeatNotes)
        section.notes.push_back(Sprintf("%d more repeated points of %s were merged.",
                                        repeats - kMaxRepeatNotes, name.c_str()));
    section.points = std::move(merged);
    return section;
}

} // namespace zarnfoil
