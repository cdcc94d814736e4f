#pragma once
// BMP file images, written by our own writer (the depths and header fields Qt's writer cannot give)
// and read through Qt's reader once the header has been checked against the bytes.
#include <QByteArray>
#include <QImage>
#include <QSize>

namespace platform {

// The image as a BMP file at 1, 4, 8, 24 or 32 bits: file and information headers (14 + 40
// bytes), a colour table of 2^bits entries below 24 bits, then bottom-up rows padded to 4 bytes in
// blue-green-red order. 1 bit is black and white, 4 bits the 16 classic colours, 8 bits the
// image's own table or one made for it. An empty array for a null image or another depth.
QByteArray EncodeBmp(const QImage& image, int bits);

// The bits per pixel of a BMP file whose header is sound: the signature, a known information
// header, sizes within limits, one plane, a known depth and compression, and (uncompressed) pixel
// rows the bytes can hold. 0 when it is not.
int CheckBmpHeader(const QByteArray& bytes);

// The width and height of a BMP file whose header is sound (CheckBmpHeader); an empty size when not.
QSize BmpSize(const QByteArray& bytes);

// The 16 classic colours of 4-bit images, in table order.
const QList<QRgb>& ClassicColorTable();

} // namespace platform
