#include "skinbuilder/Bmp24.h"

#include <QtEndian>

namespace skinbuilder {

namespace {

template <typename T> void Append(QByteArray& bytes, T value)
{
    char le[sizeof(T)];
    qToLittleEndian(value, le);
    bytes.append(le, sizeof(T));
}

} // namespace

QByteArray Bmp24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const uint32_t stride = (3 * uint32_t(width) + 3) & ~3u;
    const uint32_t pixels = stride * uint32_t(height);
    QByteArray bmp("BM");
    Append<uint32_t>(bmp, 54 + pixels);
    Append<uint16_t>(bmp, 0);
    Append<uint16_t>(bmp, 0);
    Append<uint32_t>(bmp, 54);
    Append<uint32_t>(bmp, 40);
    Append<int32_t>(bmp, width);
    Append<int32_t>(bmp, height); // positive: rows from the bottom up
    Append<uint16_t>(bmp, 1);
    Append<uint16_t>(bmp, 24);
    Append<uint32_t>(bmp, 0); // no compression
    Append<uint32_t>(bmp, pixels);
    Append<int32_t>(bmp, 2835);
    Append<int32_t>(bmp, 2835);
    Append<uint32_t>(bmp, 0);
    Append<uint32_t>(bmp, 0);
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        QByteArray line(qsizetype(stride), '\0');
        for (int x = 0; x < width; ++x) {
            line[3 * x] = char(qBlue(row[x]));
            line[3 * x + 1] = char(qGreen(row[x]));
            line[3 * x + 2] = char(qRed(row[x]));
        }
        bmp += line;
    }
    return bmp;
}

} // namespace skinbuilder
