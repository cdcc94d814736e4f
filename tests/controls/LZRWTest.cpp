// The block codec and its container: exact bytes, round trips, and malformed input refused whole.
#include "controls/LZRW.h"
#include "RandomBytes.h"
#include "controls/LXErrors.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Compress(const QByteArray& data)
{
    QBuffer source;
    source.setData(data);
    source.open(QIODevice::ReadOnly);
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    CompressStream(source, target, data.size());
    EXPECT_TRUE(source.atEnd());
    return target.data();
}

QByteArray Decompress(const QByteArray& container, const QByteArray& before = QByteArray())
{
    QBuffer source;
    source.setData(container);
    source.open(QIODevice::ReadOnly);
    QBuffer target;
    target.setData(before);
    target.open(QIODevice::WriteOnly | QIODevice::Append);
    DecompressStream(source, target);
    EXPECT_TRUE(source.atEnd());
    return target.data();
}

// Text-like with runs and repeats, so every item kind appears.
QByteArray MixedBytes(int count)
{
    QByteArray bytes;
    QRandomGenerator random(7);
    const char* words[] = {"station ", "playlist ", "jingle ", "news ", "\r\n"};
    while (bytes.size() < count) {
        const quint32 pick = random.bounded(8);
        if (pick < 5)
            bytes += words[pick];
        else if (pick == 5)
            bytes += QByteArray(static_cast<int>(random.bounded(10, 200)), 'x');
        else
            bytes += RandomBytes(static_cast<int>(random.bounded(1, 40)), random.generate());
    }
    bytes.truncate(count);
    return bytes;
}

} // namespace

TEST(LZRW, KnownVectors)
{
    EXPECT_EQ(Compress("abcabcabc").toHex(' '), "0c 00 00 00 08 00 00 00 40 10 00 61 62 63 00 33");

    const QByteArray runs = Compress(QByteArray(LZRWChunkSize, 'a'));
    EXPECT_EQ(runs.size(), 8 + 39);
    EXPECT_EQ(runs.mid(4, 4).toHex(), "27000000");
    EXPECT_EQ(runs.mid(8, 7).toHex(' '), "40 ff 80 00 0f ef 61");
    EXPECT_EQ(runs.right(4).toHex(' '), "00 00 05 61"); // 8 runs of 4095 and one of 21

    const QByteArray random = RandomBytes(1000, 1);
    const QByteArray stored = Compress(random);
    EXPECT_EQ(stored.mid(4, 4).toHex(), "e9030000"); // 1001
    EXPECT_EQ(static_cast<uint8_t>(stored[8]), 0x80);
    EXPECT_EQ(stored.mid(9), random);

    EXPECT_EQ(Compress(QByteArray()).toHex(), "00000000");
}

TEST(LZRW, RoundTripsAcrossChunkBoundaries)
{
    for (int size : {0, 1, 2, 3, 32780, 32781, 32782, 100000}) {
        const QByteArray data = MixedBytes(size);
        const QByteArray container = Compress(data);
        EXPECT_EQ(Decompress(container, "kept"), "kept" + data) << size; // appended to the target
    }
    const QByteArray random = RandomBytes(70000, 3);
    EXPECT_EQ(Decompress(Compress(random)), random);
}

TEST(LZRW, BlocksThroughStreams)
{
    QBuffer source;
    source.setData("abcabcabc");
    source.open(QIODevice::ReadOnly);
    QBuffer block;
    block.open(QIODevice::ReadWrite);
    EXPECT_EQ(CompressBlock(source, block, 9), 8);
    block.seek(0);
    QBuffer data;
    data.open(QIODevice::WriteOnly);
    EXPECT_EQ(DecompressBlock(block, data, 8), 9);
    EXPECT_EQ(data.data(), "abcabcabc");
}

TEST(LZRW, MalformedContainersRaiseAndLeaveTheTargetAlone)
{
    const auto block = [](const QByteArray& bytes) {
        QByteArray container;
        const auto put = [&](int32_t v) {
            char b[4];
            qToLittleEndian(v, b);
            container.append(b, 4);
        };
        put(static_cast<int32_t>(4 + bytes.size()));
        put(static_cast<int32_t>(bytes.size()));
        return container + bytes;
    };
    const QByteArray good = Compress("abcabcabc");
    QByteArray longer = good;
    longer[0] = 0x40; // total beyond the data
    QByteArray shorter = good;
    shorter[0] = 0x0B; // total smaller than the block it names
    QByteArray huge = good;
    huge[4] = 0x01;
    huge[6] = 0x01; // a block length beyond 65535
    struct Case {
        const char* name;
        QByteArray container;
    };
    const Case cases[] = {
        {"empty stream", QByteArray()},
        {"total cut short", good.left(3)},
        {"total larger than the data", longer},
        {"total not matching the blocks", shorter},
        {"block longer than allowed", huge},
        {"truncated block", good.left(good.size() - 1)},
        {"negative total", QByteArray::fromHex("ffffffff")},
        {"unknown flag", block(QByteArray::fromHex("20616263"))},
        {"empty block", block(QByteArray())},
        {"distance beyond the output", block(QByteArray::fromHex("40 4000 61 0053"))},
        {"copy item cut short", block(QByteArray::fromHex("40 4000 61 00"))},
        {"run item cut short", block(QByteArray::fromHex("40 8000 0000 05"))},
        {"control word cut short", block(QByteArray::fromHex("40 00"))},
        {"run expanding past a chunk",
         block(QByteArray::fromHex("40 FF80 000FFF61 000FFF61 000FFF61 000FFF61"
                                   "000FFF61 000FFF61 000FFF61 000FFF61 000FFF61"))},
        {"stored block larger than a chunk", block("\x80" + QByteArray(LZRWChunkSize + 1, 'a'))},
    };
    for (const Case& c : cases) {
        QBuffer source;
        source.setData(c.container);
        source.open(QIODevice::ReadOnly);
        QBuffer target;
        target.setData("before");
        target.open(QIODevice::WriteOnly | QIODevice::Append);
        EXPECT_THROW(DecompressStream(source, target), EReadError) << c.name;
        EXPECT_EQ(target.data(), "before") << c.name;
    }
    // A copy of distance 1 to 15 also starts with a 0 byte and is no run.
    EXPECT_EQ(Decompress(block(QByteArray::fromHex("40 4000 61 0010"))), "aaaa");
    // Padding bits of the last control word are not items.
    EXPECT_EQ(Decompress(block(QByteArray::fromHex("40 0000 61 62"))), "ab");
}

TEST(LZRW, CompressingMoreThanTheSourceHoldsRaises)
{
    QBuffer source;
    source.setData("abc");
    source.open(QIODevice::ReadOnly);
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    EXPECT_THROW(CompressStream(source, target, 4), EReadError);
    EXPECT_TRUE(target.data().isEmpty());
}
