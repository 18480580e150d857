// Splitting a data line into fields.
#include "files/split_fields.h"

#include "core/number_field.h"

namespace zarnfoil {

std::int16_t SplitFields(std::string_view line, bool& empty, float (&f)[5]) {
    std::int16_t count = 0;
    if (line.empty()) {
        empty = true;
        return 0;
    }
    if (line.find(' ') == std::string_view::npos) return 0;

    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t space = line.find(' ', start);
        if (space == std::string_view::npos) space = line.size();
        if (space > start) {
            const auto field = line.substr(start, space - start).substr(0, kFieldWidth);
            if (count < 5) f[count] = static_cast<float>(ReadNumberField(field));
            if (count < INT16_MAX) ++count;
        }
        start = space + 1;
    }
    return count;
}

} // namespace zarnfoil
