// Lines of a text file; a line ends at a carriage return, a line feed, or both together,
// so files written on any system read alike.
#pragma once

#include <istream>
#include <string>

namespace zarnfoil {

class LineReader {
  public:
    explicit LineReader(std::istream& in) : in_(in) {}

    // The next line without its end; false at the end of the file. A file's last line
    // needs no line end, and a line end at the very end adds no empty line.
    bool Next(std::string& line);

    // 1-based number of the line read last.
    int Number() const { return number_; }

  private:
    std::istream& in_;
    int number_ = 0;
};

} // namespace zarnfoil
