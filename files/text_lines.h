// Text of an output file, built line by line with carriage return and line feed ends.
// Numeric lines are rows of 10-character cells followed by one space.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zarnfoil {

class TextLines {
  public:
    TextLines() = default;
    // Room for about `expectedSize` characters, so a large file is not copied as it grows.
    explicit TextLines(std::size_t expectedSize) { text_.reserve(expectedSize); }

    void Line(std::string_view text);
    // One cell per value, then the space that ends every numeric line.
    void Row(std::initializer_list<float> values);
    // n dashes and one space.
    void Dashes(int n);

    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

} // namespace zarnfoil
