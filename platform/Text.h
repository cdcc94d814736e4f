#pragma once
// Decoding of the 8-bit and 16-bit texts that old files and tags carry.
#include <QByteArray>
#include <QString>

namespace platform {

// Windows-1252, the code page the original showed 8-bit text in. Bytes 0x81, 0x8D, 0x8F, 0x90 and
// 0x9D, unassigned there, map to the C1 control of the same number.
QString DecodeWindows1252(const QByteArray& bytes);
QChar Windows1252ToUnicode(unsigned char byte);

// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise (files copied from an old install).
QString DecodeUtf8OrWindows1252(const QByteArray& bytes);
bool IsValidUtf8(const QByteArray& bytes);

// The text with each control character and line or paragraph separator written as "\xNN" (or
// "\uNNNN"), so text from outside stays on one line of a log or a reply and never drives a terminal.
// Escaping twice changes nothing more.
QString EscapeControls(const QString& text);

// The text without the blanks and control characters (code 32 and below) at either end, the old
// toolkit's trim: QString::trimmed keeps control characters such as 0x01.
QStringView TrimBlanks(QStringView text);

} // namespace platform
