#include "keypad.h"

namespace kestrami {

int KeypadNeighbour(int key, Arrow arrow)
{
    constexpr int kColumns = 3;
    constexpr int kMiddleOfBottomRow = 10;
    if (key < 0 || key >= kKeypadKeys) {
        return key;
    }
    if (key == kKeypadEnterKey) {
        return arrow == Arrow::Up ? kMiddleOfBottomRow : key;
    }
    const int column = key % kColumns;
    switch (arrow) {
        case Arrow::Left:
            return column > 0 ? key - 1 : key;
        case Arrow::Right:
            return column < kColumns - 1 ? key + 1 : key;
        case Arrow::Up:
            return key >= kColumns ? key - kColumns : key;
        case Arrow::Down:
            return key + kColumns < kKeypadEnterKey ? key + kColumns : kKeypadEnterKey;
    }
    return key;
}

}  // namespace kestrami
