#include "playout/StationIds.h"

#include "foundation/Arithmetic.h"
#include "playout/ChannelQueue.h"

namespace {

constexpr int64_t MaxMarks = 1000;

void InsertFromLast(TChannelQueue& queue, const std::vector<int>& points,
                    const std::vector<std::optional<TStationId>>& picks)
{
    for (size_t i = points.size(); i-- > 0;) {
        if (picks[i])
            queue.InsertItem(points[i], picks[i]->FileName, picks[i]->Keep);
    }
}

} // namespace

std::optional<int> StationIdInterval(const QString& text, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > maximum)
        return std::nullopt;
    return value;
}

std::vector<int> EveryEntriesPoints(int count, int n)
{
    std::vector<int> points;
    for (int i = 0; i <= count; ++i) {
        if (IsDivisible(i, n))
            points.push_back(i);
    }
    return points;
}

std::vector<int> EverySecondsPoints(const std::vector<int64_t>& durations, int seconds)
{
    std::vector<int> points;
    int64_t total = 0;
    int64_t mark = 1; // the next mark is mark * seconds
    for (size_t i = 0; i < durations.size(); ++i) {
        total += durations[i];
        if (mark > MaxMarks || total < mark * seconds)
            continue;
        points.push_back(static_cast<int>(i) + 1);
        while (mark <= MaxMarks && total >= mark * seconds)
            ++mark;
    }
    if (points.empty() && !durations.empty())
        points.push_back(static_cast<int>(durations.size()));
    return points;
}

void InsertEveryEntries(TChannelQueue& queue, int n, const TStationIdPicker& picker, bool random,
                        bool fromSelected)
{
    const std::vector<int> points = EveryEntriesPoints(queue.Count(), n);
    if (!picker)
        return;
    int index = static_cast<int>(points.size());
    std::vector<std::optional<TStationId>> picks(points.size());
    for (size_t i = points.size(); i-- > 0;)
        picks[i] = picker(index, random, fromSelected);
    InsertFromLast(queue, points, picks);
}

void InsertEverySeconds(TChannelQueue& queue, int seconds, const TStationIdPicker& picker, bool random,
                        bool fromSelected)
{
    std::vector<int64_t> durations;
    for (int i = 0; i < queue.Count(); ++i)
        durations.push_back(queue.Entry(i).Duration);
    const std::vector<int> points = EverySecondsPoints(durations, seconds);
    if (!picker)
        return;
    int index = 0;
    std::vector<std::optional<TStationId>> picks;
    for (size_t i = 0; i < points.size(); ++i)
        picks.push_back(picker(index, random, fromSelected));
    InsertFromLast(queue, points, picks);
}
