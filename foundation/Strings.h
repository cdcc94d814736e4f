#pragma once
// Text helpers shared by the windows: trimming, splitting and replacing.
#include <QChar>
#include <QString>
#include <QStringList>

// Removes leading and trailing characters up to and including the space (controls too), the way the
// station's texts have always been trimmed; other white space stays.
QString TrimBlanks(const QString& text);

// The text between double quotes, as messages and log lines name files and devices.
QString Quoted(const QString& text);

// Clears the list and fills it with the trimmed pieces between separators, dropping empty ones.
// Returns the list's count.
int SplitString(const QString& text, QChar separator, QStringList& list);

// Every occurrence of oldText, searched left to right without overlaps, replaced by newText. An empty
// oldText leaves the source unchanged.
QString FastReplace(const QString& source, const QString& oldText, const QString& newText,
                    bool caseSensitive);
