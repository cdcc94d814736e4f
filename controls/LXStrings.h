#pragma once
// The control library's small string routines and the user-name query.
#include <QByteArray>
#include <QString>
#include <cstdint>

// Empty or only spaces (character 32; a tab is not blank).
bool IsBlankText(const QString& text);
QString CharString(int count, QChar ch);
// Without leading and trailing blanks and control characters (everything up to 32).
QString TrimText(const QString& text);
// Registry-key texts keep a literal "\": appended unless the text is not blank and ends with one.
QString AddBackslash(const QString& text);
// The last "\" taken off a text that is not blank and ends with one.
QString RemoveBackslash(const QString& text);

// A byte-wise scrambler with output feedback under a 16-bit key; texts go in as their UTF-8 bytes.
// The result may hold any byte value.
QByteArray EncodeText(const QByteArray& bytes, uint16_t key);
QByteArray DecodeText(const QByteArray& bytes, uint16_t key);

// The name of the effective user from the password database, else $USER, else "(Unknown)".
QString CurrentUserName();
