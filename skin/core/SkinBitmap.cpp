#include "skin/core/SkinBitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

ESkinError::ESkinError(const QString& text) : std::runtime_error(text.toStdString()) {}

namespace {

// The file-name part of a value written with either kind of path separator, or after a drive.
QString FileNamePart(const QString& value)
{
    const qsizetype separator =
        std::max({value.lastIndexOf(u'\\'), value.lastIndexOf(u'/'), value.lastIndexOf(u':')});
    return value.mid(separator + 1);
}

} // namespace

QImage TSkinBitmaps::LoadBitmap(const QString& value)
{
    const QString name = FileNamePart(value);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (name.isEmpty() || dot < 0 || name.mid(dot) != QStringLiteral(".bmp"))
        return {};
    const QString key = name.toLower();
    const auto known = decoded_.constFind(key);
    if (known != decoded_.cend())
        return *known;
    const QImage image = Decode(name);
    decoded_.insert(key, image);
    return image;
}

QImage TSkinBitmaps::Decode(const QString& name)
{
    QByteArray bytes = members_(name);
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    // The header's size, read before anything is allocated for the pixels.
    const QSize size = reader.size();
    const qint64 pixels = qint64(size.width()) * size.height();
    if (!size.isValid() || pixels > MaxSkinImagePixels || pixels_ + pixels > MaxSkinPixels)
        throw ESkinError(
            QStringLiteral("The skin image %1 is not a bitmap or larger than a skin needs").arg(name));
    const QImage image = reader.read();
    if (image.isNull())
        throw ESkinError(QStringLiteral("The skin image %1 is not a readable bitmap").arg(name));
    pixels_ += pixels;
    // Bitmaps are opaque whatever their fourth byte holds.
    return image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
