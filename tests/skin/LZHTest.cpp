// The package decoder: answers derived by hand from the initial tree, round trips through the
// test encoder (overlapping and far matches, the tree's rebuild), and short or lying input.
#include "skin/core/LZH.h"
#include "RandomBytes.h"
#include "skinbuilder/LzhEncoder.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using skinbuilder::Matching;

namespace {

QByteArray Decoded(const QByteArray& coded, size_t length, bool* shortInput = nullptr)
{
    TLZH decoder;
    const std::vector<uint8_t> out =
        decoder.Decode({reinterpret_cast<const uint8_t*>(coded.constData()), size_t(coded.size())}, length);
    if (shortInput)
        *shortInput = decoder.ShortInput();
    return QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(out.size()));
}

TEST(LZH, DecodesTheHandDerivedStreams)
{
    struct Case {
        QByteArray coded;
        size_t length;
        QByteArray expected;
    };
    const Case cases[] = {
        {QByteArray(), 0, QByteArray()},
        {QByteArray("\x00", 1), 1, "t"},     // eight 0-bits reach leaf 116
        {QByteArray("\xFF\x80", 2), 1, "s"}, // nine 1-bits reach leaf 115
        {QByteArray("\x8C\x00\x00", 3), 3,
         "   "}, // length 3 (symbol 256, 10001100), position 0: the blank ring
    };
    for (const Case& c : cases) {
        bool shortInput = true;
        EXPECT_EQ(Decoded(c.coded, c.length, &shortInput), c.expected) << c.coded.toHex().constData();
        EXPECT_FALSE(shortInput) << c.coded.toHex().constData();
    }
}

// The encoder's tree is its own code: pin it to the same hand-derived streams.
TEST(LZH, TestEncoderWritesTheHandDerivedStreams)
{
    EXPECT_EQ(skinbuilder::LzhEncode("t", Matching::LiteralsOnly), QByteArray("\x00", 1));
    EXPECT_EQ(skinbuilder::LzhEncode("s", Matching::LiteralsOnly), QByteArray("\xFF\x80", 2));
    EXPECT_EQ(skinbuilder::LzhEncode("   ", Matching::Greedy), QByteArray("\x8C\x00\x00", 3));
}

QByteArray SeededText(int size, quint32 seed)
{
    static const char* const words[] = {"skin ", "border ", "caption ", "button ", "\r\n", "frame=3 "};
    QRandomGenerator random(seed);
    QByteArray text;
    while (text.size() < size)
        text += words[random.bounded(6)];
    text.resize(size);
    return text;
}

// A ten-byte marker again exactly 4095 bytes after its first start, noise between.
QByteArray FarRepeat()
{
    const QByteArray marker = "#marker42#";
    return marker + RandomBytes(4095 - marker.size(), 3) + marker + "tail";
}

TEST(LZH, RoundTripsThroughTheTestEncoder)
{
    struct Case {
        const char* name;
        QByteArray data;
    };
    const Case cases[] = {
        {"one byte", "x"},
        {"distance 1, length 60 overlapping", QByteArray(1000, 'a')},
        {"distance 3 overlapping", QByteArray("abc").repeated(400)},
        {"blanks from the start", QByteArray(200, ' ') + "end"},
        {"distance 4095", FarRepeat()},
        {"every byte value", RandomBytes(5000, 1)},
        {"past the tree's rebuild", SeededText(40000, 9)}, // as literals: over 32,454 symbols
        {"random past the rebuild", RandomBytes(40000, 5)},
    };
    for (const Case& c : cases) {
        for (Matching matching : {Matching::LiteralsOnly, Matching::Greedy}) {
            const QByteArray coded = skinbuilder::LzhEncode(c.data, matching);
            bool shortInput = true;
            const QByteArray back = Decoded(coded, size_t(c.data.size()), &shortInput);
            EXPECT_EQ(back, c.data) << c.name << (matching == Matching::Greedy ? " greedy" : " literals");
            EXPECT_FALSE(shortInput) << c.name;
        }
    }
}

TEST(LZH, ShortInputStillGivesTheDeclaredLength)
{
    const QByteArray data = SeededText(6000, 2);
    const QByteArray coded = skinbuilder::LzhEncode(data);
    bool shortInput = false;
    const QByteArray back = Decoded(coded.left(coded.size() / 2), size_t(data.size()), &shortInput);
    EXPECT_EQ(back.size(), data.size());
    EXPECT_TRUE(shortInput);
    EXPECT_EQ(back.left(100), data.left(100));

    EXPECT_EQ(Decoded(QByteArray(), 500, &shortInput).size(), 500);
    EXPECT_TRUE(shortInput);
}

TEST(LZH, StopsAtTheDeclaredLengthInsideAMatch)
{
    const QByteArray coded = skinbuilder::LzhEncode(QByteArray(61, 'a')); // "a", then a 60-byte match
    EXPECT_EQ(Decoded(coded, 10), QByteArray(10, 'a'));
}

TEST(LZH, BoundsTheLengthAnHonestStreamCanDeclare)
{
    const QByteArray blanks(100000, ' ');
    const QByteArray coded = skinbuilder::LzhEncode(blanks);
    EXPECT_LE(size_t(blanks.size()), TLZH::MaxDecodedLength(size_t(coded.size())));
}

} // namespace
