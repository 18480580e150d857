// Lines of an output file.
#include "files/text_lines.h"

#include "core/number_format.h"
#include "files/atomic_files.h"

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
    if (text_.size() < kChunk) return;
    file_->Write(text_);
    text_.clear();
}

void TextLines::Finish() {
    if (text_.empty()) return;
    file_->Write(text_);
    text_.clear();
}

} // namespace zarnfoil
