#pragma once
// Station identifications inserted into a channel's queue every N entries or every S seconds. The
// files come from a picker, the folders window's station-identification picker, which the station
// hands to the channel once its windows exist; without one nothing is inserted.
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class TChannelQueue;

struct TStationId {
    QString FileName;
    uint8_t Keep = 1;
};

// Picks an identification (none: nothing goes at that point) and moves index on, as the picker walks
// its page; random and fromSelected are the menu's two check marks.
using TStationIdPicker = std::function<std::optional<TStationId>(int& index, bool random, bool fromSelected)>;

inline constexpr int MaxEveryEntries = 50;
inline constexpr int MaxEverySeconds = 36000;

// The text of an edit item as an interval: an integer from 1 to maximum, else nothing.
std::optional<int> StationIdInterval(const QString& text, int maximum);

// Where identifications go every n entries, as positions before which each goes, in increasing order:
// before entry n, 2n, ... and at the end when the count is a multiple of n.
std::vector<int> EveryEntriesPoints(int count, int n);
// Where identifications go every seconds: after each entry whose end reaches or passes one or more of
// the marks seconds, 2 seconds, ..., 1000 seconds (one identification however many marks it passes),
// counting the entries' durations; after the last entry when no entry reaches a mark.
std::vector<int> EverySecondsPoints(const std::vector<int64_t>& durations, int seconds);

// Inserts every n entries: the picker asked from the last point to the first, its index starting at
// the number of points.
void InsertEveryEntries(TChannelQueue& queue, int n, const TStationIdPicker& picker, bool random,
                        bool fromSelected);
// Inserts every seconds: the picker asked in queue order from index 0, then the insertions made from
// the last point to the first, so each lands where its point was worked out.
void InsertEverySeconds(TChannelQueue& queue, int seconds, const TStationIdPicker& picker, bool random,
                        bool fromSelected);
