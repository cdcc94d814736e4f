#include "foundation/Strings.h"

#include <gtest/gtest.h>

TEST(Strings, FastReplace)
{
    struct Case {
        const char* source;
        const char* oldText;
        const char* newText;
        bool caseSensitive;
        const char* result;
    };
    const Case cases[] = {
        {"Hit.mp3.MP3", ".mp3", "", false, "Hit"},
        {"Hit.mp3.MP3", ".mp3", "", true, "Hit.MP3"},
        {"abc", "", "x", true, "abc"},
        {"abc", "", "x", false, "abc"},
        {"", "a", "b", false, ""},
        {"a-b-c", "-", "<=>", true, "a<=>b<=>c"}, // grows past the source's length
        {"aaaaa", "aa", "b", true, "bba"},        // left to right, no overlaps
        {"xAbxaB", "ab", "Q", false, "xQxQ"},
        {"ÉTÉ été", "été", "x", false, "x x"},
        {"short", "longer text", "x", false, "short"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FastReplace(QString::fromUtf8(c.source), QString::fromUtf8(c.oldText), c.newText,
                              c.caseSensitive),
                  QString::fromUtf8(c.result))
            << c.source << " / " << c.oldText;
}

TEST(Strings, SplitStringTrimsAndDropsEmptyPieces)
{
    struct Case {
        const char* text;
        char separator;
        QStringList pieces;
    };
    const Case cases[] = {
        {" a ; ;b", ';', {"a", "b"}},           {"", ';', {}}, {";;  ;", ';', {}}, {"one", ';', {"one"}},
        {"\t x\x01 ,y z ,", ',', {"x", "y z"}}, // controls count as blanks
    };
    for (const Case& c : cases) {
        QStringList list{"left over"};
        EXPECT_EQ(SplitString(c.text, QLatin1Char(c.separator), list), c.pieces.size()) << c.text;
        EXPECT_EQ(list, c.pieces) << c.text;
    }
}

TEST(Strings, TrimBlanksKeepsOtherWhiteSpace)
{
    EXPECT_EQ(TrimBlanks(QString::fromUtf8("\r\n \x1f\ta b\t ")), "a b");
    EXPECT_EQ(TrimBlanks(QString::fromUtf8("\u00a0a\u00a0")), QString::fromUtf8("\u00a0a\u00a0"));
    EXPECT_EQ(TrimBlanks(" \t "), "");
}
