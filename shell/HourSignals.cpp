#include "shell/HourSignals.h"

namespace {

constexpr int SignalReachMs = 2000;

bool SignalMinute(int beepMinutes, int minute)
{
    return ValidBeepMinutes(beepMinutes) && (minute + 1) % 15 == 0 && minute + 1 >= beepMinutes;
}

} // namespace

bool ValidBeepMinutes(int minutes)
{
    return minutes == 15 || minutes == 30 || minutes == 45 || minutes == 60;
}

bool HourSignalDue(int beepMinutes, int beepNumber, const QDateTime& previous, const QDateTime& now)
{
    const int second = 61 - beepNumber;
    if (second < 0 || second > 59 || !now.isValid())
        return false;
    // A first tick, or one after the clock was set back, looks one period back.
    const QDateTime since = previous.isValid() && previous <= now ? previous : now.addMSecs(-1000);
    QDateTime minuteStart = now;
    minuteStart.setTime(QTime(now.time().hour(), now.time().minute()));
    for (const int minutesBack : {0, 1}) {
        const QDateTime start = minuteStart.addSecs(second - 60 * minutesBack);
        if (start > since && start <= now && start.msecsTo(now) < SignalReachMs &&
            SignalMinute(beepMinutes, start.time().minute()))
            return true;
    }
    return false;
}
