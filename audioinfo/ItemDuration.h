#pragma once
// The seconds a queue entry stands for, whatever its kind.
#include <QString>
#include <cstdint>

// 0 for an empty text and a label, a line-in entry's seconds, a file's whole seconds (0 when the
// file is missing or cannot be read).
int64_t GetItemDuration(const QString& text);
