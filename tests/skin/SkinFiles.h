#pragma once
// A skin description as its INI text and image members, read the way a package's would be, without a
// package around it.
#include "skin/core/SkinDescription.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

// A 24-bit BMP file of the image.
QByteArray BmpBytes(const QImage& image);

struct SkinFiles {
    QString Ini;
    QHash<QString, QByteArray> Members; // by lower-case name

    void AddImage(const QString& name, const QImage& image)
    {
        Members.insert(name.toLower(), BmpBytes(image));
    }
    TSkinDescription Read() const;
};
