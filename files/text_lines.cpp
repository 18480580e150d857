// Lines of an output file.
#include "files/text_lines.h"

#include "core/number_format.h"

namespace zarnfoil {

void TextLines::Line(std::string_view text) {
    text_ += text;
    text_ += "\r\n";
    Flush();
}

void TextLines::Row(std::initializer_list<float> values) {
    AppendRow(text_, values);
    text_ += " \r\n";
    Flush();
}

void TextLines::Dashes(int n) {
    text_.append(static_cast<std::size_t>(n), '-');
    text_ += " \r\n";
    Flush();
}

void TextLines::Flush() {
    if (file_ == nullptr || text_.size() < kChunk) return;
    failed_ = failed_ || std::fwrite(text_.data(), 1, text_.size(), file_) != text_.size();
    text_.clear();
}

bool TextLines::Finish() {
    if (file_ != nullptr && !text_.empty()) {
        failed_ = failed_ || std::fwrite(text_.data(), 1, text_.size(), file_) != text_.size();
        text_.clear();
    }
    return !failed_;
}

} // namespace zarnfoil
