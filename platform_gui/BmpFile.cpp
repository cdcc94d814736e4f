#include "platform_gui/BmpFile.h"

#include <QtEndian>
#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int MaxSide = 32768; // the widest image strip

void Put16(QByteArray& out, uint16_t value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void Put32(QByteArray& out, uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

int RowBytes(int width, int bits)
{
    return static_cast<int>((static_cast<int64_t>(width) * bits + 31) / 32 * 4);
}

// The image as indexes into a table of at most 2^bits colours.
QImage Indexed(const QImage& image, int bits)
{
    const auto flags = Qt::ThresholdDither | Qt::AvoidDither;
    if (bits == 1)
        return image.convertToFormat(QImage::Format_Indexed8, QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)},
                                     flags);
    if (bits == 4)
        return image.convertToFormat(QImage::Format_Indexed8, ClassicColorTable(), flags);
    if (image.format() == QImage::Format_Indexed8)
        return image;
    return image.convertToFormat(QImage::Format_Indexed8, flags);
}

} // namespace

const QList<QRgb>& ClassicColorTable()
{
    static const QList<QRgb> table = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return table;
}

QByteArray EncodeBmp(const QImage& image, int bits)
{
    if (image.isNull() || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return QByteArray();
    const int width = image.width();
    const int height = image.height();
    const int rowBytes = RowBytes(width, bits);
    const int colors = bits <= 8 ? 1 << bits : 0;
    const uint32_t offset = FileHeaderSize + InfoHeaderSize + 4 * colors;
    const uint32_t imageSize = static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(height);

    QByteArray out;
    out.reserve(static_cast<qsizetype>(offset + imageSize));
    Put16(out, 0x4D42);
    Put32(out, offset + imageSize);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, offset);
    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(bits));
    Put32(out, 0); // no compression
    Put32(out, imageSize);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);

    if (bits <= 8) {
        const QImage indexed = Indexed(image, bits);
        const QList<QRgb> table = indexed.colorTable();
        for (int i = 0; i < colors; ++i) {
            const QRgb rgb = i < table.size() ? table[i] : 0;
            const char entry[4] = {char(qBlue(rgb)), char(qGreen(rgb)), char(qRed(rgb)), 0};
            out.append(entry, 4);
        }
        QByteArray row(rowBytes, '\0');
        for (int y = height - 1; y >= 0; --y) {
            row.fill('\0');
            const uchar* line = indexed.constScanLine(y);
            for (int x = 0; x < width; ++x) {
                const int index = line[x];
                if (bits == 8)
                    row[x] = char(index);
                else if (bits == 4)
                    row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
                else if (index != 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
            out.append(row);
        }
        return out;
    }
    const QImage source = image.convertToFormat(bits == 24 ? QImage::Format_BGR888 : QImage::Format_ARGB32);
    const int used = width * (bits / 8);
    const QByteArray padding(rowBytes - used, '\0');
    for (int y = height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(source.constScanLine(y)), used);
        out.append(padding);
    }
    return out;
}

int CheckBmpHeader(const QByteArray& bytes)
{
    if (bytes.size() < FileHeaderSize + 12)
        return 0;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<uint16_t>(data) != 0x4D42)
        return 0;
    const uint32_t offset = qFromLittleEndian<uint32_t>(data + 10);
    const uint32_t infoSize = qFromLittleEndian<uint32_t>(data + 14);
    if (infoSize != 12 && (infoSize < InfoHeaderSize || infoSize > 124))
        return 0;
    if (static_cast<qsizetype>(FileHeaderSize + infoSize) > bytes.size())
        return 0;
    int64_t width = 0;
    int64_t height = 0;
    int planes = 0;
    int bits = 0;
    uint32_t compression = 0;
    const uchar* info = data + FileHeaderSize;
    if (infoSize == 12) {
        width = qFromLittleEndian<uint16_t>(info + 4);
        height = qFromLittleEndian<int16_t>(info + 6);
        planes = qFromLittleEndian<uint16_t>(info + 8);
        bits = qFromLittleEndian<uint16_t>(info + 10);
    } else {
        width = qFromLittleEndian<int32_t>(info + 4);
        height = qFromLittleEndian<int32_t>(info + 8);
        planes = qFromLittleEndian<uint16_t>(info + 12);
        bits = qFromLittleEndian<uint16_t>(info + 14);
        compression = qFromLittleEndian<uint32_t>(info + 16);
    }
    const int64_t rows = height < 0 ? -height : height;
    if (width <= 0 || width > MaxSide || rows == 0 || rows > MaxSide || planes != 1)
        return 0;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return 0;
    // Uncompressed, run-length 8 and 4 bits, bit fields.
    if (compression > 3 || (compression == 1 && bits != 8) || (compression == 2 && bits != 4) ||
        (compression == 3 && bits != 16 && bits != 32))
        return 0;
    if (offset < FileHeaderSize + infoSize || offset > static_cast<uint32_t>(bytes.size()))
        return 0;
    if (compression == 0 || compression == 3) {
        const int64_t needed = static_cast<int64_t>(RowBytes(static_cast<int>(width), bits)) * rows;
        if (static_cast<int64_t>(offset) + needed > bytes.size())
            return 0;
    }
    return bits;
}

QSize BmpSize(const QByteArray& bytes)
{
    if (CheckBmpHeader(bytes) == 0)
        return QSize();
    const auto* info = reinterpret_cast<const uchar*>(bytes.constData()) + FileHeaderSize;
    if (qFromLittleEndian<uint32_t>(info) == 12)
        return QSize(qFromLittleEndian<uint16_t>(info + 4), std::abs(qFromLittleEndian<int16_t>(info + 6)));
    return QSize(qFromLittleEndian<int32_t>(info + 4), std::abs(qFromLittleEndian<int32_t>(info + 8)));
}

} // namespace platform
