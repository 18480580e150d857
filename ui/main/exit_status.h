// Exit status of the program.
#pragma once

namespace zarnfoil::ui {

inline constexpr int kExitDone = 0; // Quit, or the main window closed

} // namespace zarnfoil::ui
