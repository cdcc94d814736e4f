#pragma once
// The texts a playout queue knows its entries by: a file's path, "[LINEIN seconds name ]" or
// "[LABEL text ]". The prefixes count only exactly, in upper case with their blank, at the start.
#include <QString>

#include <cstdint>

inline constexpr uint8_t ItemKindFile = 0;
inline constexpr uint8_t ItemKindLineIn = 1;
inline constexpr uint8_t ItemKindLabel = 2;
inline constexpr uint8_t ItemKindEmpty = 3;

uint8_t GetItemKind(const QString& text);

QString MakeLineInItem(const QString& name, int seconds);
QString MakeLabelItem(const QString& text);

// The seconds of a line-in text: 0 when the text does not have the full line-in form (a name of at
// least one character, ending in " ]") or when its number does not fit a signed 32-bit integer.
int GetLineInSeconds(const QString& text);
