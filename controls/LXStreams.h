#pragma once
// Stream routines of the control library: little-endian integers, short strings and string lists,
// plain or in a compressed container (LXBitmapStreams.h adds bitmaps). Streams are QIODevices; every
// read takes exactly the bytes it needs or raises EReadError, and nothing read from a stream is trusted
// before it is checked against what the stream still holds.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <cstdint>

// Exactly count bytes, or EReadError (nothing is allocated beyond what the stream still holds).
QByteArray ReadExactly(QIODevice& stream, qint64 count);
// The bytes reach the stream whole, or EWriteError.
void WriteExactly(QIODevice& stream, const QByteArray& bytes);

// The bytes of one record: after a 32-bit count, or in a compressed container.
QByteArray ReadRecord(QIODevice& stream, bool compressed);
void WriteRecord(QIODevice& stream, const QByteArray& bytes, bool compressed);

void WriteInteger(QIODevice& stream, int32_t value);
int32_t ReadInteger(QIODevice& stream);
void WriteByteValue(QIODevice& stream, uint8_t value);
uint8_t ReadByteValue(QIODevice& stream);
// One length byte and the UTF-8 bytes; longer texts are cut to 255 bytes at a character boundary.
void WriteShortString(QIODevice& stream, const QString& text);
QString ReadShortString(QIODevice& stream);

// The lines, each ended by CR LF, as UTF-8: compressed in a container, or after a 32-bit count.
void WriteStrings(QIODevice& stream, const QStringList& lines, bool compressed);
// The counterpart; the list is left as it was when the stream does not hold a sound list.
void ReadStrings(QIODevice& stream, QStringList& lines, bool compressed);
