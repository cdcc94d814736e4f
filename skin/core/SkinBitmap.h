#pragma once
// The images a skin description names, read from the package's BMP members.
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <functional>
#include <stdexcept>

// The package's member of a name, found in any case; empty when missing (TSkinReader::ExtractByName).
using TSkinMembers = std::function<QByteArray(const QString& name)>;

// A skin that cannot be read whole: a member that is no readable bitmap, or images larger than any
// skin needs. The text names the member.
class ESkinError : public std::runtime_error {
public:
    explicit ESkinError(const QString& text);
};

// The largest image a skin may hold (4096 × 4096 pixels), and all of a skin's images together.
inline constexpr qint64 MaxSkinImagePixels = 4096 * 4096;
inline constexpr qint64 MaxSkinPixels = 4 * MaxSkinImagePixels;

// The images of one description. A member named by several sections is decoded once and shared.
class TSkinBitmaps {
public:
    explicit TSkinBitmaps(TSkinMembers members) : members_(std::move(members)) {}

    // The image an INI value names: its file-name part must end in ".bmp", in lower case; the member
    // is found in any case. Empty for any other value and for a missing or empty member. A member that
    // is not a readable bitmap, or an image beyond the limits above, raises ESkinError. The image is
    // ARGB32_Premultiplied and opaque: magenta stays as it is.
    QImage LoadBitmap(const QString& value);

private:
    QImage Decode(const QString& name);

    TSkinMembers members_;
    QHash<QString, QImage> decoded_; // by lower-case member name
    qint64 pixels_ = 0;
};
