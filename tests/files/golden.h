// Byte-exact comparison with a stored golden file. On a mismatch the actual text is written
// into the test's build folder (".actual") and the first differing line is shown under a column
// ruler; ZARNFOIL_BLESS=1 accepts a reviewed change by overwriting the golden file.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>

namespace zarnfoil::testing {

inline void ExpectGolden(const std::string& actual, const std::string& goldenName) {
    const auto path = std::filesystem::path(ZARNFOIL_TEST_DATA) / "golden" / goldenName;
    if (const char* bless = std::getenv("ZARNFOIL_BLESS"); bless && std::string(bless) == "1") {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << path;
    const std::string expected(std::istreambuf_iterator<char>(in), {});
    if (actual == expected) return;

    const auto actualPath =
        std::filesystem::path(ZARNFOIL_TEST_OUTPUT) / (goldenName + ".actual");
    std::ofstream(actualPath, std::ios::binary) << actual;
    std::istringstream a(actual), e(expected);
    std::string lineA, lineE, ruler;
    int line = 1;
    while (std::getline(a, lineA) && std::getline(e, lineE) && lineA == lineE) ++line;
    for (int c = 1; c <= 100; ++c) ruler += c % 10 ? '.' : static_cast<char>('0' + c / 10 % 10);
    ADD_FAILURE() << goldenName << " differs at line " << line << " (actual text in "
                  << actualPath.string() << ")\n  " << ruler << "\n- " << lineE << "\n+ " << lineA;
}

} // namespace zarnfoil::testing
