#pragma once
// Stream routines of the control library: little-endian integers, short strings, string lists and
// bitmaps, plain or in a compressed container. Streams are QIODevices; every read takes exactly the
// bytes it needs or raises EReadError, and nothing read from a stream is trusted before it is
// checked against what the stream still holds.
#include "platform_gui/Bitmap.h"

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

// Depth -1: the bitmap's own BMP file; other depths as BitmapFileImage makes them (a monochrome
// bitmap always at 1 bit). Compressed in a container, or after a 32-bit count.
void WriteBitmap(QIODevice& stream, const platform::TBitmap& bitmap, bool compressed, int depth);
// The counterpart; a BMP whose header does not hold together raises and leaves the bitmap alone.
void ReadBitmap(QIODevice& stream, platform::TBitmap& bitmap, bool compressed);

// The same for a picture of a known size: any other size raises before the picture is decoded.
void ReadBitmapOfSize(QIODevice& stream, platform::TBitmap& bitmap, bool compressed, int width, int height);

// The bitmap as a BMP file at a depth code: 0 its own depth (16 and 32 bits become 24), 2 one bit,
// 16 four bits, 256 eight bits. An empty bitmap raises "Bitmap image is not valid".
QByteArray BitmapFileImage(const platform::TBitmap& bitmap, int depth);
