// The core and files library stays free of Qt, so it builds and runs without a display.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

TEST(CoreLayer, NoQtHeaderUnderCoreOrFiles) {
    for (const char* folder : {"core", "files"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 std::filesystem::path(ZARNFOIL_SOURCE_DIR) / folder)) {
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);)
                EXPECT_FALSE(line.rfind("#include", 0) == 0 && line.find("<Q") != std::string::npos)
                    << entry.path() << ": " << line;
        }
}
