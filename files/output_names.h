// Names of the input and output files, derived from the picked section file: the output
// files share its stem (the name up to and including its first ".") and its folder.
#pragma once

#include "core/foil_state.h"

#include <string>
#include <vector>

namespace zarnfoil {

struct FileNames {
    std::string INPATH, INNAME;                           // the section file
    std::string OUTFILE1, OUTFILE2, STLFILE, STLPROPFILE; // report, second table, STL, labels
    std::string reportName;                               // the report file's bare name, as shown
};

// `directory` is the folder shown in the file list; `outputDirectory`, when not empty,
// receives the output files instead.
FileNames DeriveFileNames(const std::string& directory, const std::string& fileName,
                          const std::string& outputDirectory = {});

// The output files of a run as one set, the report first (it names the set).
std::vector<std::string> OutputPaths(const FileNames& names);

// Stores the names in the section's file-name fields (INPATH, INNAME, OUTFILE1 ...).
void ApplyFileNames(FoilState& s, const FileNames& names);

// directory + separator + name, without a doubled separator at a root.
std::string JoinPath(const std::string& directory, const std::string& name);

} // namespace zarnfoil
