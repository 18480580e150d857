// Splitting a data line into fields.
#include "files/split_fields.h"

#include "core/number_field.h"

namespace zarnfoil {

std::int16_t SplitFields(std::string_view line, bool& empty, float (&f)[5], FieldFault* fault) {
    std::int16_t count = 0;
    if (line.empty()) {
        empty = true;
        return 0;
    }
    constexpr std::string_view kBlanks = " \t";
    if (line.find_first_of(kBlanks) == std::string_view::npos) return 0;

    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t blank = line.find_first_of(kBlanks, start);
        if (blank == std::string_view::npos) blank = line.size();
        if (blank > start) {
            const auto field = line.substr(start, blank - start);
            if (count < 5) {
                const auto value = ReadWholeNumber(field);
                f[count] = value ? static_cast<float>(*value) : 0.0f;
                if (!value && fault != nullptr && fault->field == 0)
                    *fault = FieldFault{count + 1, std::string(field)};
            }
            if (count < INT16_MAX) ++count;
        }
        start = blank + 1;
    }
    return count;
}

} // namespace zarnfoil
