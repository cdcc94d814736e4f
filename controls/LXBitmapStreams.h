#pragma once
// Bitmaps in the control library's streams, beside the routines of LXStreams.h: a BMP file, plain or
// in a compressed container.
#include "platform_gui/Bitmap.h"

#include <QByteArray>
#include <QIODevice>

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
