#include "audioinfo/ID3v1.h"

#include "Fixtures.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(ID3v1, VersionTrackAndTexts)
{
    struct Case {
        const char* name;
        QByteArray comment; // bytes 97 to 126
        uint8_t version;
        uint8_t track;
        QString expectedComment;
    };
    const Case cases[] = {
        {"zero then track", QByteArray("Nice").leftJustified(28, '\0') + '\0' + '\x07', 2, 7, "Nice"},
        {"space then track", QByteArray("Nice").leftJustified(28, ' ') + ' ' + '\x03', 2, 3, "Nice"},
        {"v1.0 full comment", QByteArray("A comment of thirty bytes, ok!"), 1, 0,
         "A comment of thirty bytes, ok!"},
        {"v1.0 zero-padded", QByteArray("Short"), 1, 0, "Short"},
        {"inner zero kept", QByteArray("ab\0cd", 5), 1, 0, QString::fromLatin1("ab\0cd", 5)},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const QString path = folder.File("v1.mp3");
        ASSERT_TRUE(
            WriteBytes(path, QByteArray(300, '\x55') + fixtures::ID3v1Tag("T\xEDtulo \x80", c.comment, 17)));
        TID3v1 tag;
        ASSERT_TRUE(tag.ReadFromFile(path)) << c.name;
        EXPECT_TRUE(tag.Exists) << c.name;
        EXPECT_EQ(tag.VersionID, c.version) << c.name;
        EXPECT_EQ(tag.Track, c.track) << c.name;
        EXPECT_EQ(tag.Comment, c.expectedComment) << c.name;
        // 8-bit text is Windows-1252, and trailing accented letters survive the trim.
        EXPECT_EQ(tag.Title, QString::fromUtf8("Título €")) << c.name;
        EXPECT_EQ(tag.Artist, "Artist");
        EXPECT_EQ(tag.Album, "Album");
        EXPECT_EQ(tag.Year, "1999");
        EXPECT_EQ(tag.GenreID, 17);
    }
}

TEST(ID3v1, NoTagShortFileAndMissingFile)
{
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File("plain.mp3"), QByteArray(128, 'x')));
    ASSERT_TRUE(WriteBytes(folder.File("short.mp3"), fixtures::ID3v1Tag("T", "", 1).right(100)));

    TID3v1 tag;
    EXPECT_TRUE(tag.ReadFromFile(folder.File("plain.mp3")));
    EXPECT_FALSE(tag.Exists);
    EXPECT_EQ(tag.GenreID, 255);
    EXPECT_EQ(tag.VersionID, 1);

    for (const char* name : {"short.mp3", "missing.mp3"}) {
        EXPECT_FALSE(tag.ReadFromFile(folder.File(name))) << name;
        EXPECT_FALSE(tag.Exists) << name;
    }
}
