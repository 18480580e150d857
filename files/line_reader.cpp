// Reading lines with any of the three line ends.
#include "files/line_reader.h"

namespace zarnfoil {

bool LineReader::Next(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    using Traits = std::char_traits<char>;
    auto c = buffer->sgetc();
    if (Traits::eq_int_type(c, Traits::eof())) return false;
    for (;; c = buffer->snextc()) {
        if (Traits::eq_int_type(c, Traits::eof())) break;
        const char ch = Traits::to_char_type(c);
        if (ch == '\n') {
            buffer->sbumpc();
            break;
        }
        if (ch == '\r') {
            if (Traits::eq_int_type(buffer->snextc(), Traits::to_int_type('\n'))) buffer->sbumpc();
            break;
        }
        line.push_back(ch);
    }
    ++number_;
    return true;
}

} // namespace zarnfoil
