#include "Fixtures.h"

#include <QFile>

namespace fixtures {

QByteArray BigEndian(uint32_t value, int bytes)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (8 * i) & 0xFF));
    return out;
}

QByteArray SynchSafe(uint32_t value)
{
    return BigEndian((value & 0x7F) | (value >> 7 & 0x7F) << 8 | (value >> 14 & 0x7F) << 16 |
                         (value >> 21 & 0x7F) << 24,
                     4);
}

QByteArray Text(uint8_t encoding, const QString& text)
{
    QByteArray out(1, char(encoding));
    switch (encoding) {
    case 0:
        out += text.toLatin1();
        break;
    case 1:
        out += "\xFF\xFE";
        for (QChar c : text)
            out += char(c.unicode() & 0xFF), out += char(c.unicode() >> 8);
        break;
    case 2:
        for (QChar c : text)
            out += char(c.unicode() >> 8), out += char(c.unicode() & 0xFF);
        break;
    default:
        out += text.toUtf8();
    }
    return out;
}

QByteArray Frame(int version, const char* id, const QByteArray& data, uint8_t flags, bool plainSize)
{
    if (version == 2)
        return QByteArray(id, 3) + BigEndian(uint32_t(data.size()), 3) + data;
    const QByteArray size =
        version == 4 && !plainSize ? SynchSafe(uint32_t(data.size())) : BigEndian(uint32_t(data.size()), 4);
    return QByteArray(id, 4) + size + char(0) + char(flags) + data;
}

QByteArray Tag(int version, const QByteArray& frames, uint8_t flags, int padding)
{
    const QByteArray body = frames + QByteArray(padding, '\0');
    return QByteArray("ID3") + char(version) + char(0) + char(flags) + SynchSafe(uint32_t(body.size())) +
           body;
}

QByteArray ID3v1Tag(const QByteArray& title, const QByteArray& comment, uint8_t genre)
{
    QByteArray tag("TAG");
    tag += title.leftJustified(30, '\0', true);
    tag += QByteArray("Artist").leftJustified(30, '\0');
    tag += QByteArray("Album").leftJustified(30, '\0');
    tag += "1999";
    tag += comment.leftJustified(30, '\0', true);
    tag += char(genre);
    return tag;
}

QByteArray MpegFrame(uint8_t h1, uint8_t h2, uint8_t h3, int length)
{
    QByteArray frame(length, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(h1);
    frame[2] = char(h2);
    frame[3] = char(h3);
    return frame;
}

QByteArray MpegStream(uint8_t h1, uint8_t h2, uint8_t h3, int length, int count)
{
    return MpegFrame(h1, h2, h3, length).repeated(count);
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace fixtures
