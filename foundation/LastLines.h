#pragma once
// The last lines of a text file, for showing the end of a long file such as the day's log.
#include <QString>
#include <QStringList>

// Up to count of the file's last lines (UTF-8, CR LF or LF ends, the ends removed), oldest first.
// Only the file's end is read. Empty when the file cannot be read.
QStringList LastLines(const QString& path, int count);
