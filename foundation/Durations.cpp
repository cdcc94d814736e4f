#include "foundation/Durations.h"

#include "foundation/General.h"
#include "platform/Numbers.h"

#include <cstdlib>

namespace {

// Milliseconds into the day; a negative value shows its distance from midnight.
int64_t TimeOfDay(double dateTime)
{
    return std::llabs(platform::RoundHalfEven(dateTime * MSecsPerDay)) % MSecsPerDay;
}

} // namespace

double MSecsToDateTime(int64_t msecs)
{
    return static_cast<double>(msecs) / MSecsPerDay;
}

QString FormatMinutesSeconds(double dateTime)
{
    const int64_t seconds = TimeOfDay(dateTime) / 1000;
    return QString::asprintf("%02d:%02d", int(seconds / 60 % 60), int(seconds % 60));
}

QString FormatHoursMinutesSeconds(double dateTime)
{
    const int64_t seconds = TimeOfDay(dateTime) / 1000;
    return QString::asprintf("%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60),
                             int(seconds % 60));
}
