// A mouse event of a picture as the plot windows see it: the button, the modifier keys and
// the position in world units.
#pragma once

namespace zarnfoil::ui {

// Buttons: on a press or release the button concerned, on a move the buttons held.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
// Modifier keys, as a bit set; 0 is none.
inline constexpr int kShiftKey = 1;
inline constexpr int kCtrlKey = 2;
inline constexpr int kAltKey = 4;

struct PictureMouse {
    int button = 0;
    int shift = 0;
    float x = 0, y = 0;
};

} // namespace zarnfoil::ui
