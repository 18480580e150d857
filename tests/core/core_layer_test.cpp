// The core and files library stays free of Qt, so it builds and runs without a display.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CoreLayer, NoQtHeaderUnderCoreOrFiles) {
    for (const char* folder : {"core", "files"}) {
        const auto root = std::filesystem::path(ZARNFOIL_SOURCE_DIR) / folder;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path());
            std::string line;
            while (std::getline(in, line))
                if (line.rfind("#include", 0) == 0) {
                    EXPECT_EQ(line.find("<Q"), std::string::npos) << entry.path() << ": " << line;
                }
        }
    }
}

} // namespace
