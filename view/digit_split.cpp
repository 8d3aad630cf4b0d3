#include "view/digit_split.h"

namespace kaleidra {

DigitSlots DigitSplit(std::int32_t value) {
    DigitSlots slots{blankSlot, blankSlot, blankSlot, blankSlot};
    std::int32_t& thousands = slots[0];
    std::int32_t& hundreds = slots[1];
    std::int32_t& tens = slots[2];
    std::int32_t& units = slots[3];

    if (value > largestShownNumber) value = largestShownNumber;
    if (value >= 1000) {
        thousands = value / 1000;
        value -= 1000 * thousands;
    }
    if (value >= 100) {
        hundreds = value / 100;
        value -= 100 * hundreds;
    }
    if (value >= 10) {
        tens = value / 10;
        value -= 10 * tens;
    }
    units = value;

    // Zeros inside the number are drawn; only leading positions stay blank.
    if (thousands != blankSlot) {
        if (hundreds == blankSlot) hundreds = 0;
        if (tens == blankSlot) tens = 0;
    } else if (hundreds != blankSlot && tens == blankSlot) {
        tens = 0;
    }
    return slots;
}

}  // namespace kaleidra
