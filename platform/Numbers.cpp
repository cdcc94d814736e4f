#include "platform/Numbers.h"

#include <cfenv>
#include <cmath>

namespace platform {

int64_t RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; pin it so a caller's mode cannot change results.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    // Out of range (or NaN) has no whole number; saturate rather than leave the cast undefined.
    if (!(rounded >= -9.2233720368547758e18 && rounded < 9.2233720368547758e18))
        return rounded > 0 ? INT64_MAX : INT64_MIN;
    return static_cast<int64_t>(rounded);
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    int64_t quotient = product / c;
    const int64_t remainder = product % c;
    if (remainder != 0 && 2 * (remainder < 0 ? -remainder : remainder) >= (c < 0 ? -int64_t(c) : c))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    return static_cast<int32_t>(quotient);
}

int32_t DivRoundUp(int32_t a, int32_t b)
{
    const int32_t quotient = a / b;
    if (a % b == 0)
        return quotient;
    return ((a < 0) != (b < 0)) ? quotient - 1 : quotient + 1;
}

} // namespace platform
