#include "audioinfo/WMAfile.h"

#include "Fixtures.h"
#include "platform/BinaryReader.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using fixtures::AsfContentDescription;
using fixtures::AsfExtendedContent;
using fixtures::AsfFileProperties;
using fixtures::AsfHeader;
using fixtures::AsfStreamProperties;
using fixtures::LittleEndian;
using fixtures::Utf16;

namespace {
const QByteArray kFile = AsfFileProperties(128000);
const QByteArray kStream = AsfStreamProperties(2, 44100, 16000);

TWMAfile Read(const QByteArray& bytes)
{
    platform::BinaryReader in(bytes);
    TWMAfile wma;
    EXPECT_TRUE(wma.ReadFrom(in));
    return wma;
}

// The bytes with `mask` flipped in the byte at `offset`.
QByteArray Flipped(QByteArray bytes, int offset, uint8_t mask)
{
    bytes[offset] = char(uint8_t(bytes[offset]) ^ mask);
    return bytes;
}

// The header, then data bytes up to `size`.
QByteArray Sized(const QByteArray& header, int size)
{
    return header + QByteArray(size - header.size(), '\x5A');
}

const fixtures::FfmpegFiles& Encoded()
{
    static const fixtures::FfmpegFiles files(
        "sine=duration=2.5",
        {{"tags.wma",
          {"-c:a", "wmav2", "-metadata", QString::fromUtf8("title=Caf\u00e9 \u4e3f \U0001F600"), "-metadata",
           "artist=Artist", "-metadata", "album=Album", "-metadata", "genre=Rock", "-metadata",
           "WM/Year=1999", "-metadata", "WM/Description=Described", "-metadata", "WM/Track=7"}}});
    return files;
}
} // namespace

TEST(WMAfile, DurationAndBitRate)
{
    struct Case {
        const char* name;
        QByteArray header;
        double duration;
    };
    const Case cases[] = {
        // 5,000,000 bytes at most 128000 bit/s.
        {"estimate from the size", AsfHeader({kFile, kStream}), 312.5},
        {"play duration minus preroll", AsfHeader({AsfFileProperties(128000, 131300000, 3100), kStream}),
         10.03},
        {"preroll beyond the play duration", AsfHeader({AsfFileProperties(128000, 10000000, 3100), kStream}),
         312.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TWMAfile wma = Read(Sized(c.header, 5000000));
        EXPECT_TRUE(wma.Valid);
        EXPECT_DOUBLE_EQ(wma.Duration, c.duration);
        EXPECT_EQ(wma.BitRate, 128u);
        EXPECT_EQ(wma.Channels, 2);
        EXPECT_EQ(wma.SampleRate, 44100u);
        EXPECT_EQ(wma.FileSize, 5000000);
    }
}

TEST(WMAfile, Texts)
{
    struct Case {
        const char* name;
        QList<QByteArray> objects;
        QStringList texts; // title, artist, album, year, genre, comment
        uint32_t track;
    };
    const QByteArray description =
        AsfContentDescription(" Title ", "Author", "Copyright", "Description", "Rating");
    // Lengths of 5 and 4 bytes: the odd byte of the first text must not shift the second.
    const QByteArray oddLength =
        fixtures::AsfObject("75B22633-668E-11CF-A6D9-00AA0062CE6C",
                            LittleEndian(5, 2) + LittleEndian(4, 2) + QByteArray(6, '\0') +
                                QByteArray("T\0i\0x", 5) + QByteArray("A\0\0\0", 4));
    const Case cases[] = {
        {"content description", {description}, {"Title", "Author", "", "", "", "Description"}, 0},
        {"a lower-case name replaces the title",
         {description, AsfExtendedContent({{"wm/title", 0, Utf16("Replaced")}})},
         {"Replaced", "Author", "", "", "", "Description"},
         0},
        {"a track stored as a number is skipped",
         {AsfExtendedContent({{"WM/Track", 3, LittleEndian(5, 4)}, {"WM/Year", 0, Utf16("1999")}})},
         {"", "", "", "1999", "", ""},
         0},
        {"extended values",
         {AsfExtendedContent({{"WM/AlbumTitle", 0, Utf16("Album")},
                              {" WM/Genre ", 0, Utf16("Rock")},
                              {"WM/TRACK", 0, Utf16(" 7 ")},
                              {"WM/Description", 0, Utf16("Comment")},
                              {"WM/Author", 0, Utf16("Artist")}})},
         {"", "Artist", "Album", "", "Rock", "Comment"},
         7},
        {"a track that is no number",
         {AsfExtendedContent({{"WM/Track", 0, Utf16("seven")}})},
         {"", "", "", "", "", ""},
         0},
        {"250 characters kept, the rest skipped",
         {AsfExtendedContent({{"WM/Title", 0, Utf16(QString(300, 'x'))}, {"WM/Year", 0, Utf16("2001")}})},
         {QString(250, 'x'), "", "", "2001", "", ""},
         0},
        {"odd text length", {oddLength}, {"Ti", "A", "", "", "", ""}, 0},
        // A damaged length cannot take a text past its zero character or out of its object.
        {"a title length beyond the object",
         {Flipped(description, 24 + 1, 0x01)},
         {"Title", "", "", "", "", ""},
         0},
        {"a value length beyond the object",
         {Flipped(AsfExtendedContent({{"WM/Year", 0, Utf16("1999")}, {"WM/Genre", 0, Utf16("Rock")}}),
                  24 + 2 + 2 + 16 + 2 + 1, 0x40)},
         {"", "", "", "1999", "", ""},
         0},
        {"a text ends at its first zero character",
         {AsfExtendedContent({{"WM/Title", 0, Utf16(QString("Title") + QChar(0) + "rest")}})},
         {"Title", "", "", "", "", ""},
         0},
        {"no content description", {}, {"", "", "", "", "", ""}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TWMAfile wma = Read(Sized(AsfHeader(QList<QByteArray>{kFile, kStream} + c.objects), 100000));
        EXPECT_TRUE(wma.Valid);
        EXPECT_EQ(QStringList({wma.Title, wma.Artist, wma.Album, wma.Year, wma.Genre, wma.Comment}), c.texts);
        EXPECT_EQ(wma.Track, c.track);
    }
}

TEST(WMAfile, ValidityRanges)
{
    struct Case {
        const char* name;
        uint32_t maxBitRate;
        uint16_t channels;
        uint32_t rate, byteRate;
        bool valid;
    };
    const Case cases[] = {
        {"lowest values", 1, 1, 8000, 1, true},
        {"highest values", 319999, 2, 96000, 39999, true},
        {"rate 7999", 128000, 2, 7999, 16000, false},
        {"rate 96001", 128000, 2, 96001, 16000, false},
        {"3 channels", 128000, 3, 44100, 16000, false},
        {"byte rate 40000", 128000, 2, 44100, 40000, false},
        {"byte rate 0", 128000, 2, 44100, 0, false},
        {"max bit rate 320000", 320000, 2, 44100, 16000, false},
        {"max bit rate 0", 0, 2, 44100, 16000, false},
    };
    const QByteArray texts = AsfContentDescription("Title", "Author", "", "", "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TWMAfile wma =
            Read(Sized(AsfHeader({AsfFileProperties(c.maxBitRate),
                                  AsfStreamProperties(c.channels, c.rate, c.byteRate), texts}),
                       10000));
        EXPECT_EQ(wma.Valid, c.valid);
        EXPECT_EQ(wma.Title, c.valid ? "Title" : "");
        EXPECT_EQ(wma.FileSize, c.valid ? 10000 : 0);
        EXPECT_EQ(wma.SampleRate, c.valid ? c.rate : 0);
        EXPECT_EQ(wma.Duration > 0, c.valid);
    }
}

TEST(WMAfile, DamagedHeadersEndPromptly)
{
    const QByteArray zeroSize =
        fixtures::AsfGuid("75B22633-668E-11CF-A6D9-00AA0062CE6C") + LittleEndian(0, 8);
    const QByteArray huge =
        fixtures::AsfGuid("75B22633-668E-11CF-A6D9-00AA0062CE6C") + LittleEndian(~0ull, 8);
    struct Case {
        const char* name;
        QByteArray bytes;
        bool valid;
    };
    const Case cases[] = {
        {"an object of size 0, count 2^32 - 1", AsfHeader({kFile, kStream, zeroSize}, 0xFFFFFFFF), true},
        {"an object larger than the file", AsfHeader({kFile, kStream, huge, kStream}, 0xFFFFFFFF), true},
        {"count 2^32 - 1, then zeros", AsfHeader({kFile, kStream}, 0xFFFFFFFF) + QByteArray(1 << 20, '\0'),
         true},
        {"no header object", QByteArray(64, '\0') + kFile + kStream, false},
        {"cut inside the stream properties", AsfHeader({kFile, kStream}).left(150), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(Read(c.bytes).Valid, c.valid);
        EXPECT_LT(timer.elapsed(), 2000);
    }
    platform::BinaryReader closed;
    TWMAfile wma;
    EXPECT_FALSE(wma.ReadFrom(closed));
}

TEST(WMAfile, FileMadeByTheEncoder)
{
    const fixtures::FfmpegFiles& files = Encoded();
    if (!files.Made())
        GTEST_SKIP() << "ffmpeg is not installed";
    TWMAfile wma;
    ASSERT_TRUE(wma.ReadFromFile(files.File("tags.wma")));
    ASSERT_TRUE(wma.Valid);
    // The size-based estimate would say 2.8 s.
    EXPECT_NEAR(wma.Duration, 2.5, 0.01);
    EXPECT_EQ(wma.BitRate, 128u);
    EXPECT_EQ(wma.Title, QString::fromUtf8("Caf\u00e9 \u4e3f \U0001F600"));
    EXPECT_EQ(wma.Artist, "Artist");
    EXPECT_EQ(wma.Album, "Album");
    EXPECT_EQ(wma.Year, "1999");
    EXPECT_EQ(wma.Genre, "Rock");
    EXPECT_EQ(wma.Comment, "Described");
    EXPECT_EQ(wma.Track, 7u);

    // One flipped bit in the title's length: the title stays itself, without a tail of zeros.
    QByteArray damaged = ReadBytes(files.File("tags.wma"));
    const qsizetype description = damaged.indexOf(fixtures::AsfGuid("75B22633-668E-11CF-A6D9-00AA0062CE6C"));
    ASSERT_GT(description, 0);
    const TWMAfile flipped = Read(Flipped(damaged, int(description) + 24 + 1, 0x01));
    ASSERT_TRUE(flipped.Valid);
    EXPECT_EQ(flipped.Title, QString::fromUtf8("Caf\u00e9 \u4e3f \U0001F600"));
}
