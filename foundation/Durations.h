#pragma once
// Durations shown as times of day, the way the queue, folder and combination windows show them.
#include <QString>
#include <cstdint>

// Days and fractions of a day.
double MSecsToDateTime(int64_t msecs);

// "nn:ss": the minutes wrap at 60, so 75 minutes show "15:00". Seconds are truncated.
QString FormatMinutesSeconds(double dateTime);

// "hh:nn:ss": the hours wrap at 24.
QString FormatHoursMinutesSeconds(double dateTime);
