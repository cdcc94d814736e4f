#include "Fixtures.h"

#include "Ffmpeg.h"

#include <QFile>
#include <QStandardPaths>
#include <QUuid>
#include <cmath>

namespace fixtures {

namespace {
bool HaveFfmpeg()
{
    static const bool found = !QStandardPaths::findExecutable("ffmpeg").isEmpty();
    return found;
}
} // namespace

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

QByteArray LittleEndian(uint64_t value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i) & 0xFF));
    return out;
}

QByteArray Utf16(const QString& text, bool terminate)
{
    QByteArray out;
    for (QChar c : text)
        out += LittleEndian(c.unicode(), 2);
    return terminate ? out + QByteArray(2, '\0') : out;
}

QByteArray RiffChunk(const char* id, const QByteArray& body)
{
    QByteArray chunk = QByteArray(id, 4) + LittleEndian(uint32_t(body.size()), 4) + body;
    return body.size() % 2 ? chunk + '\0' : chunk;
}

QByteArray WavFormat(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const QByteArray& extra)
{
    const uint16_t align = uint16_t(channels * bits / 8);
    return RiffChunk("fmt ", LittleEndian(tag, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
                                 LittleEndian(rate * align, 4) + LittleEndian(align, 2) +
                                 LittleEndian(bits, 2) + extra);
}

QByteArray WavExtensible(uint16_t subFormat, uint16_t validBits)
{
    return LittleEndian(22, 2) + LittleEndian(validBits, 2) + LittleEndian(3, 4) +
           LittleEndian(subFormat, 2) + QByteArray::fromHex("000000001000800000AA00389B71");
}

QByteArray Riff(const QByteArray& chunks, int64_t riffSize)
{
    const uint32_t size = riffSize < 0 ? uint32_t(4 + chunks.size()) : uint32_t(riffSize);
    return "RIFF" + LittleEndian(size, 4) + "WAVE" + chunks;
}

bool WriteSilentWav(const QString& path, double seconds)
{
    const uint32_t bytes = uint32_t(std::llround(seconds * 44100)) * 4;
    const QByteArray header =
        Riff(WavFormat(1, 2, 44100, 16) + "data" + LittleEndian(bytes, 4), 36 + int64_t(bytes));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header) == header.size() &&
           file.resize(header.size() + bytes);
}

namespace {
QByteArray OggPageOf(uint8_t flags, uint64_t granule, const QByteArray& lacing, const QByteArray& body)
{
    return "OggS" + QByteArray(1, '\0') + char(flags) + LittleEndian(granule, 8) + LittleEndian(0x5A5A, 4) +
           QByteArray(8, '\0') + char(lacing.size()) + lacing + body;
}
} // namespace

QByteArray OggPage(uint64_t granule, const QByteArray& body)
{
    QByteArray lacing;
    qsizetype left = body.size();
    for (; left >= 255; left -= 255)
        lacing += char(255);
    lacing += char(left);
    return OggPageOf(0, granule, lacing, body);
}

QByteArray OggPages(uint64_t granule, const QByteArray& packet)
{
    constexpr qsizetype kFullPage = 255 * 255;
    QByteArray pages;
    for (qsizetype at = 0;; at += kFullPage) {
        const QByteArray body = packet.mid(at, kFullPage);
        QByteArray lacing(body.size() / 255, char(255));
        const bool last = body.size() < kFullPage;
        if (last)
            lacing += char(body.size() % 255);
        pages += OggPageOf(at > 0 ? 1 : 0, granule, lacing, body);
        if (last)
            return pages;
    }
}

QByteArray VorbisIdentification(uint8_t channels, uint32_t rate, int32_t nominal)
{
    return "\x01vorbis" + LittleEndian(0, 4) + char(channels) + LittleEndian(rate, 4) + LittleEndian(0, 4) +
           LittleEndian(uint32_t(nominal), 4) + LittleEndian(0, 4) + "\xB8\x01";
}

QByteArray VorbisComments(const QList<QByteArray>& comments, int64_t count)
{
    const QByteArray vendor = "Fixture vendor";
    QByteArray packet = "\x03vorbis" + LittleEndian(uint32_t(vendor.size()), 4) + vendor +
                        LittleEndian(uint32_t(count < 0 ? comments.size() : count), 4);
    for (const QByteArray& comment : comments)
        packet += LittleEndian(uint32_t(comment.size()), 4) + comment;
    return packet + '\x01';
}

QByteArray OggVorbisFile(uint8_t channels, uint32_t rate, int32_t nominal, const QList<QByteArray>& comments,
                         uint64_t granule, int audio)
{
    return OggPage(0, VorbisIdentification(channels, rate, nominal)) + OggPages(0, VorbisComments(comments)) +
           QByteArray(audio, '\x55') + OggPage(granule, QByteArray(100, '\x55'));
}

QByteArray AsfGuid(const char* text)
{
    const QUuid id(QString::fromLatin1(text));
    QByteArray out = LittleEndian(id.data1, 4) + LittleEndian(id.data2, 2) + LittleEndian(id.data3, 2);
    for (uint8_t b : id.data4)
        out += char(b);
    return out;
}

QByteArray AsfObject(const char* guid, const QByteArray& body)
{
    return AsfGuid(guid) + LittleEndian(uint64_t(24 + body.size()), 8) + body;
}

QByteArray AsfHeader(const QList<QByteArray>& objects, int64_t count)
{
    const QByteArray body =
        LittleEndian(uint32_t(count < 0 ? objects.size() : count), 4) + "\x01\x02" + objects.join();
    return AsfObject("75B22630-668E-11CF-A6D9-00AA0062CE6C", body);
}

QByteArray AsfFileProperties(uint32_t maxBitRate, uint64_t playDuration, uint64_t preroll)
{
    // File id, file size, creation date, packet count; play and send durations, preroll, flags,
    // minimum and maximum packet sizes; the maximum bit rate ends the object at offset 104.
    QByteArray body = QByteArray(40, '\0') + LittleEndian(playDuration, 8) + LittleEndian(playDuration, 8) +
                      LittleEndian(preroll, 8) + LittleEndian(2, 4) + LittleEndian(3200, 4) +
                      LittleEndian(3200, 4) + LittleEndian(maxBitRate, 4);
    return AsfObject("8CABDCA1-A947-11CF-8EE4-00C00C205365", body);
}

QByteArray AsfStreamProperties(uint16_t channels, uint32_t rate, uint32_t byteRate)
{
    // Stream type and error correction identifiers, time offset, data lengths, flags and reserved
    // bytes; then the audio format from offset 78: tag, channels, rate, byte rate, align, bits.
    const QByteArray format = LittleEndian(0x161, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
                              LittleEndian(byteRate, 4) + LittleEndian(2973, 2) + LittleEndian(16, 2) +
                              LittleEndian(0, 2);
    const QByteArray body = AsfGuid("F8699E40-5B4D-11CF-A8FD-00805F5C442B") +
                            AsfGuid("20FB5700-5B55-11CF-A8FD-00805F5C442B") + LittleEndian(0, 8) +
                            LittleEndian(uint32_t(format.size()), 4) + LittleEndian(0, 4) +
                            LittleEndian(1, 2) + LittleEndian(0, 4) + format;
    return AsfObject("B7DC0791-A9B7-11CF-8EE6-00C00C205365", body);
}

QByteArray AsfContentDescription(const QString& title, const QString& author, const QString& copyright,
                                 const QString& description, const QString& rating)
{
    QByteArray lengths;
    QByteArray texts;
    for (const QString* text : {&title, &author, &copyright, &description, &rating}) {
        const QByteArray bytes = text->isEmpty() ? QByteArray() : Utf16(*text);
        lengths += LittleEndian(uint16_t(bytes.size()), 2);
        texts += bytes;
    }
    return AsfObject("75B22633-668E-11CF-A6D9-00AA0062CE6C", lengths + texts);
}

QByteArray AsfExtendedContent(const QList<AsfValue>& values)
{
    QByteArray body = LittleEndian(uint16_t(values.size()), 2);
    for (const AsfValue& v : values) {
        const QByteArray name = Utf16(v.name);
        body += LittleEndian(uint16_t(name.size()), 2) + name + LittleEndian(v.type, 2) +
                LittleEndian(uint16_t(v.value.size()), 2) + v.value;
    }
    return AsfObject("D2D0A440-E307-11D2-97F0-00A0C95EA850", body);
}

FfmpegFiles::FfmpegFiles(const QString& source, const QList<Output>& outputs)
{
    if (!HaveFfmpeg() || !folder_.IsValid())
        return;
    QStringList arguments = {"-f", "lavfi", "-i", source};
    for (const Output& output : outputs)
        arguments << output.options << folder_.File(output.name);
    QString failure;
    made_ = testing_support::RunFfmpeg(arguments, &failure);
}

} // namespace fixtures
