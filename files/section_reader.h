// Reading a section file in any of its four keyword layouts ("X Y D", "X YU YL DU DL",
// "BLWF", "BL_WF_inverse") or the two layouts of the public airfoil databases (wrap-around
// and split) into the foil state, in the order lower trailing edge - leading edge - upper
// trailing edge, with the new X-grid. The window decides how to show the outcome.
#pragma once

#include "core/foil_state.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace zarnfoil {

// Items of the main window's "new X-grid" group.
enum GridChoice : std::int16_t { kGridFromFile = 0, kGridFromUpperSurface = 1, kGridCosine = 2 };

// Items of the "The kind of input geometry" group, showing the point order found.
enum PointOrder : std::int16_t {
    kOrderLeadingEdgeToTrailingEdge = 0,
    kOrderFromUpperTrailingEdge = 1,
    kOrderFromLowerTrailingEdge = 2,
};

// What the main window hands to the reader.
struct ReaderInputs {
    std::string INPATH;    // path of the section file
    std::string INNAME;    // its bare name, as the messages show it
    std::string directory; // folder searched for "X_INP.DAT"
    std::int16_t gridChoice = kGridFromUpperSurface;
    std::string nodesText = "61"; // node count of the cosine grid, as typed
    bool smoothChecked = true;
};

struct ReadOutcome {
    enum class Kind {
        ReadOk,
        BadLine,    // a data line with too few numbers, or a word where a number belongs;
                    // the program ends after the message
        NoKeyword,  // no layout keyword: the error window
        Unreadable, // the file cannot be opened or read
        TooLarge,   // more points or nodes than the section can hold
        Refused,    // any other file the section cannot be built from
    };
    Kind kind = Kind::ReadOk;
    int line = 0; // BadLine: the number of the line at fault
    std::int16_t pointOrder = kOrderLeadingEdgeToTrailingEdge; // ReadOk: item to select
    std::string npText;                                        // ReadOk: NP as the window shows it
    std::string message;            // what to tell the user (lines end with "\r"); the
                                    // file's line number and the text at fault
    std::vector<std::string> notes; // ReadOk: what the reader mended or left unread
};

inline constexpr const char* kNoKeywordMessage =
    "Error in input file: 'X Y D' or 'X YU YL DU DL' or 'BLWF' not found";

// Reads the file at inputs.INPATH, which must be a regular file of at most a few megabytes.
// Only ReadOk changes the state (TITLE, NP, X, Y, D, LINE, SMOOTH, NNODES, XNODES); every
// other outcome leaves it as it was.
ReadOutcome ReadInputFile(const ReaderInputs& inputs, FoilState& s);

// The same from an open stream ("X_INP.DAT" is still looked for in inputs.directory).
ReadOutcome ReadSection(std::istream& in, const ReaderInputs& inputs, FoilState& s);

// The new X-grid of a section already read (NP, X), built again by inputs.gridChoice and
// inputs.nodesText as a read builds it. Only ReadOk changes the state (NNODES, XNODES).
ReadOutcome BuildNewGrid(const ReaderInputs& inputs, FoilState& s);

} // namespace zarnfoil
