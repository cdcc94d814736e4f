#include "controls/LXBitmapStreams.h"

#include "controls/LXErrors.h"
#include "controls/LXStreams.h"
#include "platform_gui/BmpFile.h"

namespace {

QString BmpInvalidText()
{
    return QStringLiteral("Bitmap image is not valid");
}

} // namespace

QByteArray BitmapFileImage(const platform::TBitmap& bitmap, int depth)
{
    if (bitmap.Empty())
        throw ELXException(BmpInvalidText());
    int bits = 0;
    switch (depth) {
    case 2:
        bits = 1;
        break;
    case 16:
        bits = 4;
        break;
    case 256:
        bits = 8;
        break;
    default:
        switch (bitmap.PixelFormat()) {
        case platform::TPixelFormat::pf1bit:
            bits = 1;
            break;
        case platform::TPixelFormat::pf4bit:
            bits = 4;
            break;
        case platform::TPixelFormat::pf8bit:
            bits = 8;
            break;
        default:
            bits = 24;
            break;
        }
    }
    return platform::EncodeBmp(bitmap.Image(), bits);
}

void WriteBitmap(QIODevice& stream, const platform::TBitmap& bitmap, bool compressed, int depth)
{
    QByteArray bytes;
    if (bitmap.Monochrome() && depth != -1)
        bytes = BitmapFileImage(bitmap, 2);
    else
        bytes = depth == -1 ? bitmap.SaveToBmp() : BitmapFileImage(bitmap, depth);
    WriteRecord(stream, bytes, compressed);
}

void ReadBitmap(QIODevice& stream, platform::TBitmap& bitmap, bool compressed)
{
    if (!bitmap.LoadFromBmp(ReadRecord(stream, compressed)))
        throw ELXException(BmpInvalidText());
}

void ReadBitmapOfSize(QIODevice& stream, platform::TBitmap& bitmap, bool compressed, int width, int height)
{
    const QByteArray bytes = ReadRecord(stream, compressed);
    if (platform::BmpSize(bytes) != QSize(width, height) || !bitmap.LoadFromBmp(bytes))
        throw ELXException(BmpInvalidText());
}
