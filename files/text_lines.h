// Text of an output file, built line by line with carriage return and line feed ends.
// Numeric lines are rows of 10-character cells followed by one space. The text goes to the
// file in chunks as it grows.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zarnfoil {

class OutputFile;

class TextLines {
  public:
    // Writes through to `file`, which keeps the reason of a failed write.
    explicit TextLines(OutputFile& file) : file_(&file) { text_.reserve(kChunk + 256); }

    void Line(std::string_view text);
    // One cell per value, then the space that ends every numeric line.
    void Row(std::initializer_list<float> values);
    // n dashes and one space.
    void Dashes(int n);

    // Writes what is left to the file.
    void Finish();

  private:
    static constexpr std::size_t kChunk = 32768;
    void Flush();

    std::string text_;
    OutputFile* file_;
};

} // namespace zarnfoil
