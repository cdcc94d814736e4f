#include "audioinfo/ID3v2.h"

#include "Fixtures.h"
#include "TempFolder.h"
#include "platform/BinaryReader.h"

#include <gtest/gtest.h>

using fixtures::Frame;
using fixtures::Tag;
using fixtures::Text;

namespace {
// Reads a tag held in memory, followed by some audio-like bytes.
TID3v2 Read(const QByteArray& tag)
{
    platform::BinaryReader in(tag + QByteArray(64, '\x11'));
    TID3v2 reader;
    EXPECT_TRUE(reader.ReadFrom(in));
    return reader;
}

QByteArray Latin(const char* id, const QByteArray& text, int version = 3)
{
    return Frame(version, id, '\0' + text);
}

// The writer's side of unsynchronisation: a zero after every 0xFF.
QByteArray Unsynchronise(const QByteArray& bytes)
{
    QByteArray out;
    for (char c : bytes) {
        out += c;
        if (uint8_t(c) == 0xFF)
            out += '\0';
    }
    return out;
}

const QString kWide =
    QString::fromUtf8("Caf\u00e9 \u00ff\u30ff \U0001F600"); // low bytes 0xFF, a surrogate pair
} // namespace

TEST(ID3v2, Version3LatinFields)
{
    const QByteArray frames = Latin("TIT2", "First") + Latin("TPE1", "Artist") +
                              Latin("TALB", QByteArray(600, 'A')) + Latin("TRCK", "5/12") +
                              Latin("TYER", "1999") + Latin("TCON", "(17)Rock") +
                              Latin("COMM", QByteArray("eng"
                                                       "desc\0"
                                                       "Nice comment",
                                                       20)) +
                              Latin("TCOM", "Composer") + Latin("TENC", "Encoder") +
                              Latin("TCOP", "Copyright") + Latin("TLAN", "eng") +
                              Latin("WXXX", QByteArray("site\0"
                                                       "http://example.com",
                                                       23)) +
                              Latin("TIT2", "  Second  ") + Frame(3, "TPE1", Text(0, "Compressed"), 0x80) +
                              Frame(3, "TCOM", QByteArray("\x04Unknown encoding"));
    const TID3v2 tag = Read(Tag(3, frames, 0, 100));

    EXPECT_TRUE(tag.Exists);
    EXPECT_EQ(tag.VersionID, 3);
    EXPECT_EQ(tag.Size, 10 + frames.size() + 100);
    const std::pair<QString, QString> fields[] = {
        {tag.Title, "Second"}, // the last duplicate wins
        {tag.Artist, "Artist"},
        {tag.Album, QString(499, 'A')}, // a frame keeps its first 500 bytes
        {tag.TrackString, "5/12"},
        {tag.Year, "1999"},
        {tag.Genre, "Rock"},
        {tag.Comment, "Nice comment"},
        {tag.Composer, "Composer"},
        {tag.Encoder, "Encoder"},
        {tag.Copyright, "Copyright"},
        {tag.Language, "eng"},
        {tag.Link, "http://example.com"},
    };
    for (const auto& [actual, expected] : fields)
        EXPECT_EQ(actual, expected);
    EXPECT_EQ(tag.Track, 5);
}

TEST(ID3v2, FallbackSlotsAndVersion2Identifiers)
{
    struct Case {
        int version;
        QByteArray frames;
        const char* title;
        const char* artist;
        const char* album;
        const char* year;
    };
    const Case cases[] = {
        {2,
         Latin("TT1", "Group", 2) + Latin("TOA", "Original artist", 2) + Latin("TOT", "Original album", 2) +
             Latin("TOR", "1987-01-02", 2),
         "Group", "Original artist", "Original album", "1987"},
        {2,
         Latin("TT2", "Title", 2) + Latin("TP1", "Artist", 2) + Latin("TAL", "Album", 2) +
             Latin("TYE", "2001", 2),
         "Title", "Artist", "Album", "2001"},
        {3, Latin("TIT1", "Group") + Latin("TIT2", "Title") + Latin("TDRC", "2004-05-06"), "Title", "", "",
         "2004"},
        {4, Frame(4, "TDRC", Text(3, "2010")) + Frame(4, "TOPE", Text(3, "Original")), "", "Original", "",
         "2010"},
    };
    for (const Case& c : cases) {
        const TID3v2 tag = Read(Tag(c.version, c.frames));
        EXPECT_EQ(tag.Title, c.title) << c.version;
        EXPECT_EQ(tag.Artist, c.artist) << c.version;
        EXPECT_EQ(tag.Album, c.album) << c.version;
        EXPECT_EQ(tag.Year, c.year) << c.version;
    }
}

TEST(ID3v2, EveryTextEncoding)
{
    QByteArray le, be;
    for (QChar c : kWide) {
        le += char(c.unicode() & 0xFF), le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8), be += char(c.unicode() & 0xFF);
    }
    struct Case {
        const char* name;
        QByteArray data;
        QString title;
    };
    const Case cases[] = {
        {"Windows-1252", QByteArray("\0Caf\xE9 \x80\xFF", 8), QString::fromUtf8("Café €ÿ")},
        {"UTF-16 little-endian mark", "\x01\xFF\xFE" + le, kWide},
        {"UTF-16 big-endian mark", "\x01\xFE\xFF" + be, kWide},
        {"UTF-16 without mark", "\x01" + le, kWide},
        {"UTF-16BE", "\x02" + be, kWide},
        {"UTF-16BE with mark", "\x02\xFE\xFF" + be, kWide},
        {"UTF-8", "\x03" + kWide.toUtf8(), kWide},
        {"UTF-8 list ends at its first terminator", QByteArray("\x03One\0Two", 8), "One"},
        {"UTF-16 ends at a zero unit", "\x01\xFF\xFE" + le + QByteArray(2, '\0') + le, kWide},
        {"unknown encoding", "\x04Text", ""},
    };
    for (int version : {3, 4})
        for (const Case& c : cases)
            EXPECT_EQ(Read(Tag(version, Frame(version, "TIT2", c.data))).Title, c.title)
                << c.name << " v2." << version;
}

TEST(ID3v2, TextCutByTheFrameLimitDropsThePartialCharacter)
{
    // 499 text bytes fit: 249 two-byte characters and the first byte of the 250th.
    const QString text(300, QChar(0x00E9));
    EXPECT_EQ(Read(Tag(4, Frame(4, "TIT2", Text(3, text)))).Title, QString(249, QChar(0x00E9)));
    const QString pairs = QString::fromUtf8("\U0001F600").repeated(200);
    EXPECT_EQ(Read(Tag(3, Frame(3, "TIT2", Text(1, pairs)))).Title, pairs.left(248));
}

TEST(ID3v2, CommentAndLinkDescriptions)
{
    struct Case {
        const char* name;
        QByteArray comment;
        QByteArray link;
        QString expectedComment;
        QString expectedLink;
    };
    // UTF-16 "A" is 41 00: with its terminator that makes 41 00 00 00, where an unaligned search
    // would find the terminator one byte early.
    const Case cases[] = {
        {"UTF-16",
         "\x01"
         "eng" +
             Text(1, "A").mid(1) + QByteArray(2, '\0') + Text(1, "Comment \u00ff").mid(1),
         "\x01" + Text(1, "A").mid(1) + QByteArray(2, '\0') + "http://x.org/\xFF",
         QString::fromUtf8("Comment ÿ"), QString::fromUtf8("http://x.org/ÿ")},
        {"UTF-16BE",
         "\x02"
         "eng" +
             Text(2, "A").mid(1) + QByteArray(2, '\0') + Text(2, "Note").mid(1),
         "\x02" + Text(2, "A").mid(1) + QByteArray(2, '\0') + "http://x.org", "Note", "http://x.org"},
        {"UTF-8, empty description",
         QByteArray("\x03"
                    "eng\0"
                    "Caf\xC3\xA9",
                    10),
         QByteArray("\x03\0http://y", 10), QString::fromUtf8("Café"), "http://y"},
        {"no terminator", QByteArray("\0eng", 4) + QByteArray(600, 'd'),
         QByteArray(1, '\0') + QByteArray(600, 'd'), "", ""},
    };
    for (const Case& c : cases) {
        const TID3v2 tag = Read(Tag(3, Frame(3, "COMM", c.comment) + Frame(3, "WXXX", c.link)));
        EXPECT_EQ(tag.Comment, c.expectedComment) << c.name;
        EXPECT_EQ(tag.Link, c.expectedLink) << c.name;
    }
}

TEST(ID3v2, TrackAndGenreTexts)
{
    const std::pair<const char*, int> tracks[] = {{"5/12", 5}, {"7", 7},     {"A5", 0}, {"", 0},
                                                  {"/3", 0},   {"70000", 0}, {"-2", 0}};
    for (const auto& [text, number] : tracks)
        EXPECT_EQ(Read(Tag(3, Latin("TRCK", text))).Track, number) << text;

    const std::pair<const char*, const char*> genres[] = {
        {"(17)Rock", "Rock"},           {"(17)", ""},     {"(17)(18)Pop", "Pop"},
        {"Rock (live)", "Rock (live)"}, {"Jazz", "Jazz"}, {"(17", "(17"}};
    for (const auto& [text, genre] : genres)
        EXPECT_EQ(Read(Tag(3, Latin("TCON", text))).Genre, genre) << text;
}

TEST(ID3v2, Version4SizesAreSynchSafe)
{
    const QByteArray title = Frame(4, "TIT2", Text(3, "After"));
    const QByteArray big = Text(3, QString(199, 'x')); // 200 bytes: 00 00 01 48 synch-safe, 00 00 00 C8 plain
    struct Case {
        const char* name;
        QByteArray frames;
    };
    const Case cases[] = {
        {"synch-safe", Frame(4, "TXXX", big) + title},
        {"plain size from a faulty writer", Frame(4, "TXXX", big, 0, true) + title},
        {"plain size that looks synch-safe", Frame(4, "TXXX", Text(3, QString(255, 'y')), 0, true) + title},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(Tag(4, c.frames, 0, 50)).Title, "After") << c.name;
}

TEST(ID3v2, UnsynchronisationAndExtendedHeaders)
{
    const QByteArray title = Text(1, kWide); // its mark FF FE needs unsynchronising
    const QByteArray v3Frames = Frame(3, "TIT2", title) + Frame(3, "TPE1", Text(0, "Artist"));
    const QByteArray v4Data = fixtures::SynchSafe(uint32_t(title.size())) + Unsynchronise(title);
    struct Case {
        const char* name;
        QByteArray tag;
    };
    const Case cases[] = {
        {"v2.3 whole tag", Tag(3, Unsynchronise(v3Frames), 0x80)},
        {"v2.4 frame with data length",
         Tag(4, Frame(4, "TIT2", v4Data, 0x03) + Frame(4, "TPE1", Text(0, "Artist")))},
        {"v2.3 extended header", Tag(3, fixtures::BigEndian(6, 4) + QByteArray(6, '\0') + v3Frames, 0x40)},
        {"v2.4 extended header", Tag(4,
                                     fixtures::SynchSafe(6) + QByteArray("\x01\x00", 2) +
                                         Frame(4, "TIT2", title) + Frame(4, "TPE1", Text(0, "Artist")),
                                     0x40)},
        {"v2.3 grouped frame",
         Tag(3, Frame(3, "TIT2", "\x07" + title, 0x20) + Frame(3, "TPE1", Text(0, "Artist")))},
    };
    for (const Case& c : cases) {
        const TID3v2 tag = Read(c.tag);
        EXPECT_EQ(tag.Title, kWide) << c.name;
        EXPECT_EQ(tag.Artist, "Artist") << c.name;
    }
    // Compressed or encrypted frames cannot be read as text.
    for (uint8_t flags : {0x08, 0x04})
        EXPECT_EQ(Read(Tag(4, Frame(4, "TIT2", Text(0, "Hidden"), flags))).Title, "") << int(flags);
}

TEST(ID3v2, HeaderEdges)
{
    const QByteArray frames = Frame(4, "TIT2", Text(0, "Title"));
    // Footer flag: ten more bytes belong to the tag.
    QByteArray withFooter =
        Tag(4, frames, 0x10) + "3DI\x04\x00\x10" + fixtures::SynchSafe(uint32_t(frames.size()));
    TID3v2 tag = Read(withFooter);
    EXPECT_EQ(tag.Size, 10 + frames.size() + 10);
    EXPECT_EQ(tag.Title, "Title");

    // A size larger than the file counts as no size; the tag exists but nothing is read.
    QByteArray oversized = Tag(3, Latin("TIT2", "Title"));
    oversized.replace(6, 4, fixtures::SynchSafe(100000));
    tag = Read(oversized);
    EXPECT_TRUE(tag.Exists);
    EXPECT_EQ(tag.VersionID, 3);
    EXPECT_EQ(tag.Size, 0);
    EXPECT_EQ(tag.Title, "");

    // The size bytes are taken whole, without masking their top bits.
    EXPECT_EQ(TID3v2::TagSize(reinterpret_cast<const uint8_t*>("ID3\x03\x00\x00\x00\x00\x01\x80"), 1000),
              10 + 256);

    // Versions other than 2 to 4 are noted but not read.
    tag = Read(Tag(5, Frame(4, "TIT2", Text(0, "Title"))));
    EXPECT_TRUE(tag.Exists);
    EXPECT_EQ(tag.VersionID, 5);
    EXPECT_EQ(tag.Title, "");

    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File("nine.mp3"), Tag(3, "").left(9)));
    ASSERT_TRUE(WriteBytes(folder.File("plain.mp3"), QByteArray(10, 'x')));
    EXPECT_FALSE(tag.ReadFromFile(folder.File("nine.mp3")));
    EXPECT_FALSE(tag.ReadFromFile(folder.File("missing.mp3")));
    EXPECT_TRUE(tag.ReadFromFile(folder.File("plain.mp3")));
    EXPECT_FALSE(tag.Exists);
    EXPECT_EQ(tag.Size, 0);
}

TEST(ID3v2, DamagedTagsEndTheFrameLoop)
{
    // Every cut of a full tag reads without harm, keeping the frames that are whole.
    const QByteArray full = Tag(4,
                                Frame(4, "TIT2", Text(1, kWide)) + Frame(4, "TPE1", Text(3, "Artist")) +
                                    Frame(4, "COMM",
                                          QByteArray("\x01"
                                                     "eng\xFF\xFE\0\0\xFF\xFEx\0",
                                                     12)),
                                0x10);
    for (qsizetype length = 0; length <= full.size(); ++length) {
        platform::BinaryReader in(full.left(length));
        TID3v2 tag;
        EXPECT_EQ(tag.ReadFrom(in), length >= 10) << length;
    }
    // A frame size near 4 GiB moves past the tag's end instead of looping or allocating.
    const QByteArray huge = QByteArray("TIT2\xFF\xFF\xFF\xF0\0\0", 10) + Text(0, "Huge");
    EXPECT_EQ(Read(Tag(3, huge + Latin("TPE1", "Artist"))).Artist, "");
    EXPECT_EQ(Read(Tag(3, huge)).Title, "Huge");
}
