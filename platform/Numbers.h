#pragma once
// The two rounding rules the system uses, kept apart so no caller picks the wrong one.
#include <cstdint>

namespace platform {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int64_t RoundHalfEven(double value);

// a * b / c with a 64-bit intermediate, rounded half away from zero; -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// a / b rounded away from zero when there is a remainder (26 / 3 -> 9, -26 / 3 -> -9).
int32_t DivRoundUp(int32_t a, int32_t b);

} // namespace platform
