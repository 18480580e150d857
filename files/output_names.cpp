// Deriving the file names of a run.
#include "files/output_names.h"

#include <filesystem>

namespace zarnfoil {

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    const char last = directory.back();
    const bool endsWithSeparator =
        last == '/' || last == static_cast<char>(std::filesystem::path::preferred_separator);
    if (endsWithSeparator) return directory + name;
    return directory + static_cast<char>(std::filesystem::path::preferred_separator) + name;
}

FileNames DeriveFileNames(const std::string& directory, const std::string& fileName,
                          const std::string& outputDirectory) {
    FileNames names;
    names.INNAME = fileName.substr(0, fileName.find_last_not_of(' ') + 1);
    const auto dot = names.INNAME.find('.');
    const std::string stem = dot == std::string::npos ? "" : names.INNAME.substr(0, dot + 1);
    names.reportName = stem + "out1";

    const std::string& outDir = outputDirectory.empty() ? directory : outputDirectory;
    // The file as it is named: a name ending in blanks is another file than one without.
    names.INPATH = JoinPath(directory, fileName);
    names.OUTFILE1 = JoinPath(outDir, stem + "out1");
    names.OUTFILE2 = JoinPath(outDir, stem + "out2");
    names.STLFILE = JoinPath(outDir, stem + "stl");
    names.STLPROPFILE = JoinPath(outDir, stem + "stl.prop");
    return names;
}

std::vector<std::string> OutputPaths(const FileNames& names) {
    return {names.OUTFILE1, names.OUTFILE2, names.STLFILE, names.STLPROPFILE};
}

void ApplyFileNames(FoilState& s, const FileNames& names) {
    s.INPATH = names.INPATH;
    s.INNAME = names.INNAME;
    s.OUTFILE1 = names.OUTFILE1;
    s.OUTFILE2 = names.OUTFILE2;
    s.STLFILE = names.STLFILE;
    s.STLPROPFILE = names.STLPROPFILE;
}

} // namespace zarnfoil
