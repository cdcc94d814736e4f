#include "platform/Text.h"

#include <QStringDecoder>

namespace platform {

namespace {
// 0x80..0x9F of Windows-1252; the rest of the page equals Latin-1.
constexpr char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QChar Windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (char c : bytes)
        *to++ = Windows1252ToUnicode(static_cast<unsigned char>(c));
    return out;
}

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}

QString DecodeUtf8OrWindows1252(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? DecodeWindows1252(bytes) : text;
}

QString EscapeControls(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph) {
            out += c;
            continue;
        }
        const bool small = c.unicode() < 0x100;
        out += small ? QStringLiteral("\\x") : QStringLiteral("\\u");
        out += QString::number(c.unicode(), 16).toUpper().rightJustified(small ? 2 : 4, QLatin1Char('0'));
    }
    return out;
}

QStringView TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace platform
