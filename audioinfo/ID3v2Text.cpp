#include "audioinfo/ID3v2Text.h"

#include "platform/Text.h"

#include <QStringDecoder>
#include <cstring>

namespace id3v2 {

namespace {
enum Encoding : uint8_t { Latin = 0, Utf16 = 1, Utf16BE = 2, Utf8 = 3 };

bool IsWide(uint8_t encoding)
{
    return encoding == Utf16 || encoding == Utf16BE;
}

bool IsBlank(char16_t c)
{
    return c <= 32;
}

QString EightBitText(const char* data, qsizetype size, bool utf8)
{
    if (const void* zero = std::memchr(data, 0, size_t(size)))
        size = static_cast<const char*>(zero) - data;
    while (size > 0 && IsBlank(uint8_t(data[size - 1])))
        --size;
    while (size > 0 && IsBlank(uint8_t(*data))) {
        ++data;
        --size;
    }
    const QByteArray bytes = QByteArray::fromRawData(data, size);
    if (!utf8)
        return platform::DecodeWindows1252(bytes);
    // Not flushed: a character cut by the frame-size limit is dropped instead of becoming U+FFFD.
    QStringDecoder decoder(QStringDecoder::Utf8);
    return decoder.decode(bytes);
}

// The byte-order mark decides the byte order and is the only unit skipped; without one the
// encoding's own order applies.
QString WideText(const char* data, qsizetype size, bool bigEndian)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(data);
    const qsizetype units = size / 2;
    qsizetype i = 0;
    if (units > 0 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        bigEndian = bytes[0] == 0xFE;
        i = 1;
    }
    QString text;
    text.reserve(units - i);
    for (; i < units; ++i) {
        const uint8_t a = bytes[2 * i];
        const uint8_t b = bytes[2 * i + 1];
        const char16_t unit = bigEndian ? char16_t(a << 8 | b) : char16_t(b << 8 | a);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1); // its partner was cut by the frame-size limit
    qsizetype end = text.size();
    while (end > 0 && IsBlank(text.at(end - 1).unicode()))
        --end;
    qsizetype begin = 0;
    while (begin < end && IsBlank(text.at(begin).unicode()))
        ++begin;
    return text.mid(begin, end - begin);
}

QString Decode(uint8_t encoding, const char* data, qsizetype size)
{
    if (IsWide(encoding))
        return WideText(data, size, encoding == Utf16BE);
    return EightBitText(data, size, encoding == Utf8);
}

// The text after a description that starts at `descriptionStart` and ends at its terminator: a
// zero unit aligned to the description start for UTF-16, a zero byte otherwise.
QString DescribedText(const QByteArray& data, qsizetype descriptionStart, bool eightBitText)
{
    if (data.size() <= descriptionStart)
        return {};
    const uint8_t encoding = uint8_t(data[0]);
    const qsizetype unit = IsWide(encoding) ? 2 : 1;
    for (qsizetype i = descriptionStart; i + unit <= data.size(); i += unit) {
        if (data[i] != 0 || (unit == 2 && data[i + 1] != 0))
            continue;
        const qsizetype start = i + unit;
        const char* text = data.constData() + start;
        return eightBitText ? EightBitText(text, data.size() - start, false)
                            : Decode(encoding, text, data.size() - start);
    }
    return {};
}
} // namespace

bool IsKnownEncoding(uint8_t encoding)
{
    return encoding <= Utf8;
}

QString FrameText(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    return Decode(uint8_t(data[0]), data.constData() + 1, data.size() - 1);
}

QString CommentText(const QByteArray& data)
{
    return DescribedText(data, 4, false);
}

QString LinkText(const QByteArray& data)
{
    return DescribedText(data, 1, true);
}

} // namespace id3v2
