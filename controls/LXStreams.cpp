#include "controls/LXStreams.h"

#include "controls/LXErrors.h"
#include "controls/LZRW.h"

#include <QBuffer>
#include <QtEndian>

namespace {

constexpr int MaxShortString = 255;

} // namespace

void WriteRecord(QIODevice& stream, const QByteArray& bytes, bool compressed)
{
    if (!compressed) {
        WriteInteger(stream, static_cast<int32_t>(bytes.size()));
        WriteExactly(stream, bytes);
        return;
    }
    QBuffer source;
    source.setData(bytes);
    source.open(QIODevice::ReadOnly);
    CompressStream(source, stream, bytes.size());
}

QByteArray ReadRecord(QIODevice& stream, bool compressed)
{
    if (!compressed) {
        const int32_t size = ReadInteger(stream);
        if (size < 0)
            throw EReadError();
        return ReadExactly(stream, size);
    }
    QBuffer data;
    data.open(QIODevice::WriteOnly);
    DecompressStream(stream, data);
    return data.data();
}

QByteArray ReadExactly(QIODevice& stream, qint64 count)
{
    if (count < 0 || count > stream.bytesAvailable())
        throw EReadError();
    QByteArray bytes = stream.read(count);
    if (bytes.size() != count)
        throw EReadError();
    return bytes;
}

void WriteExactly(QIODevice& stream, const QByteArray& bytes)
{
    if (stream.write(bytes) != bytes.size())
        throw EWriteError();
}

void WriteInteger(QIODevice& stream, int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    WriteExactly(stream, QByteArray(bytes, 4));
}

int32_t ReadInteger(QIODevice& stream)
{
    return qFromLittleEndian<int32_t>(ReadExactly(stream, 4).constData());
}

void WriteByteValue(QIODevice& stream, uint8_t value)
{
    WriteExactly(stream, QByteArray(1, static_cast<char>(value)));
}

uint8_t ReadByteValue(QIODevice& stream)
{
    return static_cast<uint8_t>(ReadExactly(stream, 1)[0]);
}

void WriteShortString(QIODevice& stream, const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > MaxShortString) {
        // Cut before a continuation byte would split a character.
        qsizetype cut = MaxShortString;
        while (cut > 0 && (static_cast<uint8_t>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.truncate(cut);
    }
    WriteByteValue(stream, static_cast<uint8_t>(bytes.size()));
    WriteExactly(stream, bytes);
}

QString ReadShortString(QIODevice& stream)
{
    const int length = ReadByteValue(stream);
    return QString::fromUtf8(ReadExactly(stream, length));
}

void WriteStrings(QIODevice& stream, const QStringList& lines, bool compressed)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    WriteRecord(stream, text.toUtf8(), compressed);
}

void ReadStrings(QIODevice& stream, QStringList& lines, bool compressed)
{
    const QString text = QString::fromUtf8(ReadRecord(stream, compressed));
    QStringList result;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        result << text.mid(start, end - start);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    lines = result;
}
