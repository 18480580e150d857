// Writing the wrap-around layout.
#include "files/wrap_around_export.h"

#include "core/contour_resample.h"
#include "core/text_format.h"
#include "files/atomic_files.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace zarnfoil {

ExportedContour ExportContour(const FoilState& s, int points) {
    ExportedContour c;
    if (points == 0) {
        if (s.NOUT < 3 || s.NOUT > kMaxPoints) return c;
        for (int i = 1; i <= s.NOUT; ++i) {
            c.x.push_back(s.XOUT(i));
            c.y.push_back(s.YOUT(i));
        }
        return c;
    }
    if (points < 3 || points > kMaxExportPoints) return c;
    const ResampledContour r = ResampleContour(s, points);
    // The resampled points run from the lower trailing edge; the layout starts at the upper.
    c.x.assign(r.x.rbegin(), r.x.rend());
    c.y.assign(r.y.rbegin(), r.y.rend());
    return c;
}

std::string WrapAroundText(const FoilState& s, const ExportedContour& c) {
    // The first line that is neither blank nor a comment is the title when the file is read.
    std::string title = s.TITLE.substr(0, s.TITLE.find_last_not_of(' ') + 1);
    const auto start = title.find_first_not_of(" \t#");
    if (start == std::string::npos || title[title.find_first_not_of(" \t")] == '#') {
        std::string named = "Smoothed section";
        if (start != std::string::npos) named.append(" ").append(title, start);
        title = std::move(named);
    }
    std::string text = std::move(title);
    text += '\n';
    for (std::size_t i = 0; i < c.x.size(); ++i)
        // + 0.0 writes a negative zero as 0
        text += Sprintf("%11.8f %11.8f\n", static_cast<double>(c.x[i]) + 0.0,
                        static_cast<double>(c.y[i]) + 0.0);
    return text;
}

std::optional<std::string> WriteWrapAround(const FoilState& s, int points,
                                           const std::string& path) {
    const ExportedContour c = ExportContour(s, points);
    if (c.x.empty())
        return points == 0 || (points >= 3 && points <= kMaxExportPoints)
                   ? std::string("There is no smoothed section to export: run Smooth first.")
                   : Sprintf("An export takes 3 to %d points, not %d.", kMaxExportPoints, points);
    if (!std::all_of(c.x.begin(), c.x.end(), [](float v) { return std::isfinite(v); }) ||
        !std::all_of(c.y.begin(), c.y.end(), [](float v) { return std::isfinite(v); }))
        return std::string("The smoothed section holds a value that is not a finite number; "
                           "nothing was exported.");
    std::error_code error;
    if (!s.INPATH.empty() &&
        (path == s.INPATH || std::filesystem::equivalent(path, s.INPATH, error)))
        return Sprintf("The export %s would replace the section file itself.", path.c_str());
    AtomicFiles files;
    files.Open(path).Write(WrapAroundText(s, c));
    return files.Commit();
}

} // namespace zarnfoil
