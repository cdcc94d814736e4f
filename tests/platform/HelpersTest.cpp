#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

TEST(Paths, JoinPathPutsExactlyOneSeparator)
{
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"/music/", "a.mp3", "/music/a.mp3"},
        {"/music", "a.mp3", "/music/a.mp3"},
        {"/música/ñ", "a.mp3", "/música/ñ/a.mp3"},
        {"/", "a.mp3", "/a.mp3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::JoinPath(QString::fromUtf8(c.folder), c.name), QString::fromUtf8(c.joined))
            << c.folder;
}

TEST(Paths, AbsoluteMeansLeadingSlashOrDriveText)
{
    EXPECT_TRUE(platform::IsAbsolutePath("/music"));
    EXPECT_TRUE(platform::IsAbsolutePath("C:\\Music"));
    EXPECT_FALSE(platform::IsAbsolutePath("music/a.mp3"));
    EXPECT_FALSE(platform::IsAbsolutePath(""));
    EXPECT_EQ(platform::ToNativeSeparators("C:\\Music\\a.mp3"), "C:/Music/a.mp3");
}

TEST(Paths, NameFolderAndExtensionParts)
{
    EXPECT_EQ(platform::FileNamePart("/music/a.mp3"), "a.mp3");
    EXPECT_EQ(platform::FolderPart("/music/a.mp3"), "/music/");
    EXPECT_EQ(platform::FileExtension("/music/a.b.MP3"), ".MP3");
    EXPECT_EQ(platform::FileExtension("/music.old/readme"), ""); // a dot in the folder is no extension
    EXPECT_EQ(platform::FileNamePart("a.mp3"), "a.mp3");
    EXPECT_EQ(platform::FolderPart("a.mp3"), "");
}

TEST(Numbers, RoundHalfEvenAndMulDiv)
{
    EXPECT_EQ(platform::RoundHalfEven(2.5), 2);
    EXPECT_EQ(platform::RoundHalfEven(3.5), 4);
    EXPECT_EQ(platform::RoundHalfEven(-2.5), -2);
    EXPECT_EQ(platform::RoundHalfEven(2.4999), 2);
    EXPECT_EQ(platform::RoundHalfEven(1e300), INT64_MAX); // saturates instead of an undefined cast
    EXPECT_EQ(platform::RoundHalfEven(-1e300), INT64_MIN);
    EXPECT_EQ(platform::MulDiv(5, 1, 2), 3); // halves away from zero
    EXPECT_EQ(platform::MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(platform::MulDiv(7, 3, 4), 5);             // 5.25
    EXPECT_EQ(platform::MulDiv(1 << 30, 4, 8), 1 << 29); // no 32-bit overflow
    EXPECT_EQ(platform::MulDiv(1, 1, 0), -1);
}

TEST(Numbers, DivRoundUpRoundsAwayFromZero)
{
    struct Case {
        int32_t a, b, expected;
    };
    for (const Case& c : {Case{26, 3, 9}, Case{27, 3, 9}, Case{28, 3, 10}, Case{-26, 3, -9}, Case{26, -3, -9},
                          Case{-27, 3, -9}, Case{-26, -3, 9}, Case{0, 5, 0}, Case{26, 1, 26}})
        EXPECT_EQ(platform::DivRoundUp(c.a, c.b), c.expected) << c.a << " / " << c.b;
}

TEST(Text, Windows1252AndUtf8Fallback)
{
    EXPECT_EQ(platform::DecodeWindows1252("\x80\x93x\x94\xE9"), QString::fromUtf8("€“x”é"));
    EXPECT_EQ(platform::DecodeUtf8OrWindows1252("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(platform::DecodeUtf8OrWindows1252("caf\xE9"), QString::fromUtf8("café"));
}

TEST(Text, ControlCharactersAreEscapedOnce)
{
    struct Case {
        QString text;
        QString escaped;
    };
    const Case cases[] = {
        {"/music/a b.mp3", "/music/a b.mp3"},
        {"a\tb\r\nc", "a\\x09b\\x0D\\x0Ac"},
        {QString("\x1b[2Jx") + QChar(0x7F), "\\x1B[2Jx\\x7F"},
        {QString("caf") + QChar(0xE9) + QChar(0x85) + QChar(0x2028),
         QString("caf") + QChar(0xE9) + "\\x85\\u2028"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::EscapeControls(c.text), c.escaped) << qPrintable(c.escaped);
        EXPECT_EQ(platform::EscapeControls(c.escaped), c.escaped) << "twice: " << qPrintable(c.escaped);
    }
}
