// Exit statuses of the programs, one home for the window program and the batch command: each
// says how reading or running a section ended, so scripts can tell them apart.
#pragma once

#include "files/run_smoothing.h"
#include "files/section_reader.h"

namespace zarnfoil {

enum ExitStatus : int {
    kExitDone = 0,        // done (the window: Quit, or the main window closed)
    kExitUsage = 1,       // a bad command line
    kExitBadLine = 2,     // a data line with too few numbers, or a word where a number belongs
    kExitNoKeyword = 3,   // no layout keyword (the window: "Cancel" in the error window)
    kExitUnreadable = 4,  // a file that cannot be read, or no section file at all
    kExitTooLarge = 5,    // more points or nodes than a section holds
    kExitRefused = 6,     // a section or an option the run cannot take
    kExitWriteFailed = 7, // output files that could not be written (the earlier ones stand)
};

inline ExitStatus ExitStatusFor(ReadOutcome::Kind kind) {
    switch (kind) {
    case ReadOutcome::Kind::ReadOk:
        return kExitDone;
    case ReadOutcome::Kind::BadLine:
        return kExitBadLine;
    case ReadOutcome::Kind::NoKeyword:
        return kExitNoKeyword;
    case ReadOutcome::Kind::Unreadable:
        return kExitUnreadable;
    case ReadOutcome::Kind::TooLarge:
        return kExitTooLarge;
    case ReadOutcome::Kind::Refused:
        return kExitRefused;
    }
    return kExitRefused;
}

inline ExitStatus ExitStatusFor(RunOutcome::Kind kind) {
    switch (kind) {
    case RunOutcome::Kind::Done:
        return kExitDone;
    case RunOutcome::Kind::Refused:
        return kExitRefused;
    case RunOutcome::Kind::WriteFailed:
        return kExitWriteFailed;
    }
    return kExitRefused;
}

} // namespace zarnfoil
