// libFuzzer target: the block codec and the stream routines over arbitrary bytes. Each call either
// succeeds or raises the stream read error; compressing the input and decompressing it gives it back.
#include "Sink.h"
#include "controls/LXErrors.h"
#include "controls/LXStreams.h"
#include "controls/LZRW.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdlib>
#include <functional>

namespace {

QBuffer* Reader(QBuffer& buffer, const QByteArray& bytes)
{
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return &buffer;
}

void ReadErrorOnly(const std::function<void()>& read)
{
    try {
        read();
    } catch (const EReadError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ReadErrorOnly([&] {
        QBuffer source;
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        DecompressStream(*Reader(source, bytes), target);
        fuzz::Keep(target.data().size());
    });
    ReadErrorOnly([&] {
        QByteArray out;
        DecodeLZRWBlock(bytes.constData(), static_cast<int>(std::min<qsizetype>(bytes.size(), LZRWMaxBlock)),
                        out);
        fuzz::Keep(out.size());
    });
    for (bool compressed : {false, true}) {
        ReadErrorOnly([&] {
            QBuffer source;
            QStringList lines;
            ReadStrings(*Reader(source, bytes), lines, compressed);
            fuzz::Keep(lines.size());
        });
    }
    ReadErrorOnly([&] {
        QBuffer source;
        fuzz::Keep(ReadShortString(*Reader(source, bytes)));
    });

    // The compressor's own output must come back as the input.
    QBuffer plain;
    QBuffer container;
    container.open(QIODevice::ReadWrite);
    CompressStream(*Reader(plain, bytes), container, bytes.size());
    container.seek(0);
    QBuffer back;
    back.open(QIODevice::WriteOnly);
    DecompressStream(container, back);
    if (back.data() != bytes)
        std::abort();
    return 0;
}
