#include "SkinFiles.h"

#include "skin/core/QuickIni.h"
#include "skin/core/SkinDescriptionReader.h"

#include <QBuffer>

QByteArray BmpBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

TSkinDescription SkinFiles::Read() const
{
    TQuickIni ini;
    ini.LoadFromStream(Ini.toLatin1());
    return ReadSkinIni(ini, [this](const QString& name) { return Members.value(name.toLower()); });
}
