#include "skin/core/SkinReader.h"

#include "skin/core/LZH.h"

#include <QtEndian>

namespace {

constexpr size_t HeaderSize = 16;

SkinPackageResult Damaged(const QString& why)
{
    return {SkinPackageStatus::Damaged, DamagedSkinMessage(why)};
}

uint32_t Word(const uint8_t* at)
{
    return qFromLittleEndian<uint32_t>(at);
}

// Split like the toolkit's string lists: CR LF, CR or LF ends a line; the text must end with one.
bool SplitNames(const QString& text, QStringList& names)
{
    if (text.isEmpty())
        return true;
    if (!text.endsWith(u'\r') && !text.endsWith(u'\n'))
        return false;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = at;
        while (text[end] != u'\r' && text[end] != u'\n')
            ++end;
        names.append(text.mid(at, end - at));
        at = end + 1;
        if (text[end] == u'\r' && at < text.size() && text[at] == u'\n')
            ++at;
    }
    return true;
}

} // namespace

QString DamagedSkinMessage(const QString& why)
{
    return QStringLiteral("Damaged skin package: ") + why;
}

SkinPackageResult TSkinReader::Open(QByteArrayView package)
{
    if (package.size() < 4)
        return Damaged(QStringLiteral("it is shorter than its length word"));
    const auto* bytes = reinterpret_cast<const uint8_t*>(package.data());
    const size_t length = Word(bytes);
    const std::span<const uint8_t> coded(bytes + 4, size_t(package.size()) - 4);
    if (length > MaxPayload || length > TLZH::MaxDecodedLength(coded.size()))
        return Damaged(QStringLiteral("it declares %1 bytes, more than its %2 coded bytes can hold")
                           .arg(length)
                           .arg(coded.size()));
    TLZH decoder;
    std::vector<uint8_t> payload = decoder.Decode(coded, length);
    if (decoder.ShortInput())
        return Damaged(QStringLiteral("its coded data ends early"));
    if (payload.size() < HeaderSize)
        return Damaged(QStringLiteral("it has no room for its header"));
    if (Word(payload.data()) != PackageVersion)
        return {SkinPackageStatus::OldVersion, OldSkinMessage};

    const size_t listLength = Word(payload.data() + 4);
    if (listLength > payload.size() - HeaderSize)
        return Damaged(QStringLiteral("its name list runs past the end"));
    QStringList names;
    const auto* list = reinterpret_cast<const char*>(payload.data() + HeaderSize);
    if (!SplitNames(QString::fromLatin1(list, qsizetype(listLength)).toLower(), names))
        return Damaged(QStringLiteral("its name list has no line break at its end"));
    const size_t sizesAt = HeaderSize + listLength;
    if (size_t(names.size()) > (payload.size() - sizesAt) / 4)
        return Damaged(QStringLiteral("its member sizes run past the end"));
    const size_t dataAt = sizesAt + 4 * size_t(names.size());
    QList<qsizetype> offsets{qsizetype(dataAt)};
    for (qsizetype k = 0; k < names.size(); ++k) {
        const auto size = static_cast<int32_t>(Word(payload.data() + sizesAt + 4 * k));
        if (size < 0)
            return Damaged(QStringLiteral("member \"%1\" has a negative size").arg(names[k]));
        if (size_t(size) > payload.size() - size_t(offsets.back()))
            return Damaged(QStringLiteral("member \"%1\" runs past the end").arg(names[k]));
        offsets.append(offsets.back() + size);
    }
    names_ = std::move(names);
    offsets_ = std::move(offsets);
    payload_ = std::move(payload);
    return {SkinPackageStatus::Opened, QString()};
}

QByteArray TSkinReader::Member(qsizetype index) const
{
    const auto* data = reinterpret_cast<const char*>(payload_.data());
    return QByteArray(data + offsets_[index], offsets_[index + 1] - offsets_[index]);
}

QByteArray TSkinReader::ExtractByName(const QString& name) const
{
    const qsizetype index = names_.indexOf(name.toLower());
    return index >= 0 ? Member(index) : QByteArray();
}

QByteArray TSkinReader::ExtractByPart(const QString& text, QString& name) const
{
    for (qsizetype k = 0; k < names_.size(); ++k) {
        if (names_[k].contains(text)) {
            name = names_[k];
            return Member(k);
        }
    }
    return QByteArray();
}
