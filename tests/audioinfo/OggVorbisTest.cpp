#include "audioinfo/OggVorbis.h"

#include "Fixtures.h"
#include "platform/BinaryReader.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using fixtures::LittleEndian;
using fixtures::OggPage;
using fixtures::OggVorbisFile;
using fixtures::VorbisComments;
using fixtures::VorbisIdentification;

namespace {
TOggVorbis Read(const QByteArray& bytes)
{
    platform::BinaryReader in(bytes);
    TOggVorbis ogg;
    EXPECT_TRUE(ogg.ReadFrom(in));
    return ogg;
}

// A whole file of exactly `total` bytes, so its bit rate is a round number.
QByteArray FileOfSize(int total, uint8_t channels, uint32_t rate, int32_t nominal, uint64_t granule)
{
    const int overhead = int(OggVorbisFile(channels, rate, nominal, {}, granule, 0).size());
    return OggVorbisFile(channels, rate, nominal, {}, granule, total - overhead);
}

// The file cut before its third page: no page near the end carries a sample count.
QByteArray WithoutAudioPages(const QByteArray& file)
{
    const qsizetype second = file.indexOf("OggS", 4);
    return file.left(file.indexOf("OggS", second + 4));
}

const fixtures::FfmpegFiles& Encoded()
{
    static const fixtures::FfmpegFiles files(
        "sine=duration=2.5",
        {{"tags.ogg",
          {"-c:a", "libvorbis", "-metadata", QString::fromUtf8("title=Caf\u00e9 \u4e3f \U0001F600"),
           "-metadata", "PERFORMER=Performer", "-metadata", "comment=Described", "-metadata", "album=Album",
           "-metadata", "genre=Rock"}},
         {"hires.ogg", {"-ar", "96000", "-c:a", "libvorbis"}},
         {"six.ogg", {"-ac", "6", "-c:a", "libvorbis"}}});
    return files;
}
} // namespace

TEST(OggVorbis, Comments)
{
    struct Case {
        const char* name;
        QList<QByteArray> comments;
        QStringList texts; // title, artist, album, genre, comment
    };
    const QByteArray cut(244, 'x');
    const QString wide = QString::fromUtf8("Caf\u00e9 \u4e3f \U0001F600");
    const Case cases[] = {
        {"names in lower case",
         {"title=T", "artist=A", "album=Al", "genre=G", "comment=C"},
         {"T", "A", "Al", "G", "C"}},
        {"a blank before = keeps the name apart; values are trimmed",
         {"ARTIST =x", "TITLE=  spaced  "},
         {"spaced", "", "", "", ""}},
        {"PERFORMER and DESCRIPTION stand in", {"PERFORMER=P", "DESCRIPTION=D"}, {"", "P", "", "", "D"}},
        {"ARTIST and COMMENT come first",
         {"ARTIST=A", "PERFORMER=P", "DESCRIPTION=D", "COMMENT=C"},
         {"", "A", "", "", "C"}},
        {"the later comment wins", {"TITLE=one", "TITLE=two"}, {"two", "", "", "", ""}},
        {"cut to 250 bytes, the next one still found",
         {"TITLE=" + cut + QByteArray(50, 'y'), "ALBUM=next"},
         {QString::fromLatin1(cut), "", "next", "", ""}},
        {"2-, 3- and 4-byte UTF-8", {"TITLE=" + wide.toUtf8()}, {wide, "", "", "", ""}},
        {"a character cut at 250 bytes is dropped",
         {"TITLE=" + QByteArray(243, 'z') + "\xF0\x9F\x98\x80"},
         {QString(243, 'z'), "", "", "", ""}},
        {"decoding stops at a malformed byte, an overlong form, a surrogate or a cut sequence",
         {"TITLE=ab\xFF"
          "cd",
          "ALBUM=ab\xC0\xAF", "GENRE=ab\xED\xA0\x80", "COMMENT=ab\xE4\xB8"},
         {"ab", "", "ab", "ab", "ab"}},
        {"no = sets nothing", {"TITLE", "=TITLE"}, {"", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TOggVorbis ogg = Read(OggVorbisFile(2, 44100, 128000, c.comments, 44100));
        EXPECT_EQ(QStringList({ogg.Title, ogg.Artist, ogg.Album, ogg.Genre, ogg.Comment}), c.texts);
    }
}

// An embedded picture first makes the comment packet run over several pages.
TEST(OggVorbis, CommentPacketOverSeveralPages)
{
    for (const int picture : {65025 - 100, 270000, 2 * 65025 - 47}) {
        SCOPED_TRACE(picture);
        const TOggVorbis ogg = Read(OggVorbisFile(2, 44100, 128000,
                                                  {"METADATA_BLOCK_PICTURE=" + QByteArray(picture, 'p'),
                                                   "TITLE=After the picture", "ARTIST=Artist"},
                                                  88200));
        EXPECT_EQ(ogg.Title, "After the picture");
        EXPECT_EQ(ogg.Artist, "Artist");
        EXPECT_DOUBLE_EQ(ogg.GetDuration(), 2.0);
    }
}

TEST(OggVorbis, DurationBitRateAndValidity)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        double duration;
        int bitRate;
        bool valid;
    };
    const QByteArray tagged = fixtures::Tag(3, {}, 0, 1014) + FileOfSize(25000, 2, 44100, 128000, 88200);
    const Case cases[] = {
        {"granule / rate", FileOfSize(25000, 2, 44100, 128000, 88200), 2.0, 100, true},
        {"ID3v2 tag in front, left out of the bit rate", tagged, 2.0, 100, true},
        {"48000 Hz, whatever the nominal rate", FileOfSize(1250000, 1, 48000, 1000, 100 * 48000), 100.0, 100,
         true},
        {"96000 Hz needs 32 bits", FileOfSize(50000, 2, 96000, 128000, 4 * 96000), 4.0, 100, true},
        {"88200 Hz", FileOfSize(50000, 2, 88200, 128000, 2 * 88200), 2.0, 200, true},
        // No sample count: size / nominal kbit/s / channels / 125 * 2 = 25000 / 50 / 2 / 125 * 2.
        {"nominal bit rate stands in",
         WithoutAudioPages(FileOfSize(25000, 2, 44100, 50000, 88200)).leftJustified(25000, 'u'), 4.0, 50,
         true},
        {"0.08 s is too short", FileOfSize(25000, 2, 44100, 128000, 3528), 0.08, 2500, false},
        {"6 channels", FileOfSize(25000, 6, 44100, 128000, 88200), 2.0, 100, false},
        {"rate 0", FileOfSize(25000, 2, 0, 128000, 88200), 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TOggVorbis ogg = Read(c.bytes);
        EXPECT_DOUBLE_EQ(ogg.GetDuration(), c.duration);
        EXPECT_EQ(ogg.GetBitRate(), c.bitRate);
        EXPECT_EQ(ogg.GetValid(), c.valid);
    }
    EXPECT_EQ(Read(tagged).ID3v2Size, 1024);

    // A last page of 19,000 bytes: its sample count, not the earlier page's or the bit-rate estimate.
    const TOggVorbis longLastPage =
        Read(FileOfSize(25000, 2, 44100, 128000, 44100) + OggPage(5 * 44100, QByteArray(19000, 'a')));
    EXPECT_DOUBLE_EQ(longLastPage.GetDuration(), 5.0);
}

TEST(OggVorbis, DamagedHeadersAreNotVorbis)
{
    const QByteArray good = OggVorbisFile(2, 44100, 128000, {}, 88200);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"no Ogg page", "OggX" + good.mid(4)},
        {"not a Vorbis identification", good.left(28) + '\x02' + good.mid(29)},
        {"cut inside the identification", good.left(32)},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::BinaryReader in(c.bytes);
        TOggVorbis ogg;
        EXPECT_FALSE(ogg.ReadFrom(in));
        EXPECT_FALSE(ogg.GetValid());
    }
    platform::BinaryReader closed;
    TOggVorbis ogg;
    EXPECT_FALSE(ogg.ReadFrom(closed));
}

TEST(OggVorbis, DamagedCommentCountEndsWithTheFile)
{
    const QByteArray comments = VorbisComments({"TITLE=Kept"}, 0xFFFFFFFF);
    const QByteArray file =
        OggPage(0, VorbisIdentification(2, 44100, 128000)) + OggPage(0, comments) + QByteArray(1 << 20, '\0');
    QElapsedTimer timer;
    timer.start();
    const TOggVorbis ogg = Read(file);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(ogg.Title, "Kept");
}

TEST(OggVorbis, ManyDamagedLinksKeepTheSampleCountInRange)
{
    // A chain whose links all claim huge granule positions: their sum must not overflow.
    static const unsigned char bytes[] = {
        0x4f, 0x67, 0x67, 0x53, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0xd6, 0x00, 0x78, 0x78, 0xef, 0x27, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x69, 0xf0, 0x41, 0xa5, 0x01, 0x1e, 0x01, 0x76, 0x6f, 0x72, 0x62, 0x69,
        0x73, 0x00, 0x00, 0x01, 0x00, 0x01, 0x40, 0x1f, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xb0, 0x36, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x99, 0x01, 0x4f, 0x67, 0x67, 0x53, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0xa6, 0x45, 0x78, 0x27, 0x78, 0xef, 0x00, 0x00, 0x00, 0x00, 0x69, 0xf0, 0x41, 0xa5, 0x01,
        0x1e, 0x01, 0x76, 0x6f, 0x72, 0x62, 0x69, 0x73, 0x00, 0x00, 0x00, 0x00, 0x01, 0x40, 0x1f, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0xb0, 0x37, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x99, 0x01, 0x4f, 0x67, 0x67,
        0x53, 0x00, 0x4a, 0x29, 0x64, 0x65, 0x64, 0x00, 0x00, 0x00, 0x78, 0xef, 0x27, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x69, 0xf0, 0x41, 0xa5, 0x01, 0x1e, 0x01, 0x76, 0x6f, 0x72, 0x62, 0x69, 0x73, 0x00, 0x00,
        0x01, 0x00, 0x01, 0x40, 0x1f, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xb0, 0x36, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x99, 0x01, 0x4f, 0x67, 0x67, 0x53, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xa6,
        0x45, 0x78, 0x27, 0x78, 0xef, 0x00, 0x00, 0x00, 0x00, 0x69, 0xf0, 0x41, 0xa5, 0x01, 0x1e, 0x01, 0x76,
        0x6f, 0x72, 0x62, 0x69, 0x73, 0x00, 0x00, 0x00, 0x00, 0x01, 0x40, 0x1f, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0xb0, 0x37, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x99, 0x01, 0x4f, 0x67, 0x67, 0x53, 0x00, 0x4a,
        0x29, 0x64, 0x65, 0x64, 0x00, 0x00, 0x00, 0x61, 0x6c, 0x62, 0x65, 0x6d, 0x53, 0x65, 0x3d, 0x75, 0x64,
        0xe4, 0x9e, 0x93, 0x9d, 0x8a, 0x92, 0xf1, 0xff, 0x00, 0x00, 0x67, 0x00, 0x14, 0x45, 0x71, 0x14, 0xc7,
        0x71, 0x1c, 0x47, 0x92, 0x44, 0x24, 0xcb, 0x02, 0x61, 0x6c, 0x62, 0x65, 0x6d, 0x53, 0x65, 0x3d, 0x75,
        0x64, 0xe4, 0x9e, 0x93, 0x9d, 0x8a, 0x92, 0xf1, 0xff, 0x00, 0x00, 0x67, 0x00, 0x14, 0x45, 0x71, 0x14,
        0xc7, 0x71, 0x1c, 0x47, 0x92, 0x44, 0x24, 0xcb, 0x02};
    platform::BinaryReader in(QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes));
    TOggVorbis ogg;
    ogg.ReadFrom(in);
    EXPECT_GE(ogg.Samples, 0);
    EXPECT_LE(ogg.Samples, INT64_MAX / 4);
}

TEST(OggVorbis, FilesMadeByTheEncoder)
{
    const fixtures::FfmpegFiles& files = Encoded();
    if (!files.Made())
        GTEST_SKIP() << "ffmpeg is not installed";
    TOggVorbis ogg;
    ASSERT_TRUE(ogg.ReadFromFile(files.File("tags.ogg")));
    EXPECT_TRUE(ogg.GetValid());
    EXPECT_DOUBLE_EQ(ogg.GetDuration(), 2.5);
    EXPECT_EQ(ogg.Title, QString::fromUtf8("Caf\u00e9 \u4e3f \U0001F600"));
    EXPECT_EQ(ogg.Artist, "Performer");
    EXPECT_EQ(ogg.Comment, "Described");
    EXPECT_EQ(ogg.Album, "Album");
    EXPECT_EQ(ogg.Genre, "Rock");

    ASSERT_TRUE(ogg.ReadFromFile(files.File("hires.ogg")));
    EXPECT_EQ(ogg.SampleRate, 96000u);
    EXPECT_DOUBLE_EQ(ogg.GetDuration(), 2.5);
    EXPECT_TRUE(ogg.GetValid());

    ASSERT_TRUE(ogg.ReadFromFile(files.File("six.ogg")));
    EXPECT_FALSE(ogg.GetValid());
}

TEST(OggVorbis, DamagedCopiesOfAnEncodedFile)
{
    const fixtures::FfmpegFiles& files = Encoded();
    if (!files.Made())
        GTEST_SKIP() << "ffmpeg is not installed";
    const QByteArray original = ReadBytes(files.File("tags.ogg"));
    const TOggVorbis reference = Read(original);

    // A comment count of 2^32 - 1 runs into the setup header and the audio, then ends with the file.
    QByteArray badCount = original;
    const qsizetype vendor = original.indexOf("\x03vorbis") + 7;
    const uint32_t vendorLength = uint8_t(original[vendor]) | uint8_t(original[vendor + 1]) << 8;
    badCount.replace(vendor + 4 + vendorLength, 4, LittleEndian(0xFFFFFFFF, 4));
    const TOggVorbis counted = Read(badCount);
    EXPECT_EQ(counted.Title, reference.Title);
    EXPECT_DOUBLE_EQ(counted.GetDuration(), 2.5);

    // Without its audio pages the file falls back on the nominal bit rate.
    const QByteArray headers = WithoutAudioPages(original);
    const TOggVorbis cut = Read(headers);
    EXPECT_EQ(cut.Samples, 0);
    ASSERT_GT(cut.BitRateNominal, 0);
    EXPECT_DOUBLE_EQ(cut.GetDuration(), double(headers.size()) / cut.BitRateNominal / cut.Channels / 125 * 2);
}
