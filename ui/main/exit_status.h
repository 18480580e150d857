// Exit statuses of the program; the batch command ends with the same ones for the same events.
#pragma once

namespace zarnfoil::ui {

inline constexpr int kExitDone = 0;      // Quit, or the main window closed
inline constexpr int kExitBadLine = 2;   // a data line with too few numbers
inline constexpr int kExitNoKeyword = 3; // "Cancel" in the error window

} // namespace zarnfoil::ui
