#pragma once
// Durations as the queue, the lists and the totals show them.
#include <QString>
#include <cstdint>

// Days and fractions of a day.
double MSecsToDateTime(int64_t msecs);

enum class DurationForm {
    MinutesSeconds,      // "nn:ss", and "h:nn:ss" from one hour up: a 75-minute show reads "1:15:00"
    HoursMinutesSeconds, // "hh:nn:ss" always, the hours going past 24: the queue's totals
};

// Seconds are truncated; a negative duration shows its size. Nothing wraps.
QString FormatDuration(int64_t msecs, DurationForm form = DurationForm::MinutesSeconds);
