#include "foundation/Durations.h"

#include "foundation/General.h"

#include <cstdlib>

double MSecsToDateTime(int64_t msecs)
{
    return static_cast<double>(msecs) / MSecsPerDay;
}

QString FormatDuration(int64_t msecs, DurationForm form)
{
    const int64_t seconds = std::llabs(msecs) / 1000;
    const auto hours = static_cast<long long>(seconds / 3600);
    const int minutes = int(seconds / 60 % 60);
    const int rest = int(seconds % 60);
    if (form == DurationForm::HoursMinutesSeconds)
        return QString::asprintf("%02lld:%02d:%02d", hours, minutes, rest);
    if (hours > 0)
        return QString::asprintf("%lld:%02d:%02d", hours, minutes, rest);
    return QString::asprintf("%02d:%02d", minutes, rest);
}
