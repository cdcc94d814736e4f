#pragma once
// One entry of a channel's queue: a file, a line-in event or a label. The queue owns its entries;
// an entry moves with its row whatever reorders the queue.
#include <QString>

#include <cstdint>

struct TTemaData {
    QString Title;        // what the list shows: a file's display name, or the whole entry text
    QString FileName;     // full path; empty for line-in and label entries
    int64_t Duration = 0; // whole seconds (a line-in entry's seconds, 0 for a label)
    int64_t Bitrate = 0;  // kbit/s; 0 for line-in and label entries
    uint8_t Keep = 0;     // 0: dropped when the queue starts over
    int32_t Kind = 0;     // 0 file, 1 line-in, 2 label (the ItemKind values)
};
