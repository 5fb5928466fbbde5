// The keypad as the main window draws it, for moving the keyboard focus
// among its keys with the arrow keys. Keys are numbered in reading order:
//
//    0 "1"    1 "2"    2 "3"
//    3 "4"    4 "5"    5 "6"
//    6 "7"    7 "8"    8 "9"
//    9 "0"   10 "<--" 11 "CE"
//   12 "E N T E R", as wide as the three columns above it
//
// Kept here beside the window's other decisions of place, so that the
// window only moves the focus where this says.
#pragma once

namespace kestrami {

inline constexpr int kKeypadKeys = 13;
inline constexpr int kKeypadEnterKey = 12;

enum class Arrow { Left, Right, Up, Down };

// The key that an arrow moves the focus to from `key`. The edges stop: where
// no key lies beyond, the focus stays on `key`. Down from the bottom row of
// keys reaches E N T E R; up from E N T E R reaches "<--", the key above its
// middle. A number outside the keypad is given back unchanged.
int KeypadNeighbour(int key, Arrow arrow);

}  // namespace kestrami
