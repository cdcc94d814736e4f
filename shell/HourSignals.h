#pragma once
// When the hour signal starts: at second 61 - beepNumber of minute 59, and with a shorter period also
// of minutes 14, 29 and 44 (periods 15, 30, 45 and 60 minutes; any other plays nothing). A timer
// tick plays the signal whose start lies after the previous tick and not after this one, and less than
// two seconds back, so a late tick loses no signal and two ticks in one second play it once.
#include <QDateTime>

// Whether the tick at now starts a signal; previous is the tick before (invalid for the first tick).
bool HourSignalDue(int beepMinutes, int beepNumber, const QDateTime& previous, const QDateTime& now);

// One of the periods that play: 15, 30, 45 or 60 minutes.
bool ValidBeepMinutes(int minutes);
