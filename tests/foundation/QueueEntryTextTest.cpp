#include "foundation/QueueEntryText.h"

#include <gtest/gtest.h>

TEST(QueueEntryText, KindAndLineInSeconds)
{
    struct Case {
        QString text;
        uint8_t kind;
        int seconds;
    };
    const Case cases[] = {
        {"[LINEIN 30 Radio Uno ]", ItemKindLineIn, 30},
        {"[LINEIN 30  ]", ItemKindLineIn, 0}, // empty name: no match
        {"[LINEIN abc Radio ]", ItemKindLineIn, 0},
        {"[LINEIN 2147483647 X ]", ItemKindLineIn, 2147483647},
        {"[LINEIN 2147483648 X ]", ItemKindLineIn, 0},   // ten digits already overflow
        {"[LINEIN 00000000045 X ]", ItemKindLineIn, 45}, // eleven digits that still fit
        {"[LINEIN 99999999999 X ]", ItemKindLineIn, 0},
        {"[LINEIN 45 Radio ] ]", ItemKindLineIn, 45},
        {"[LINEIN 45 Radio ]x", ItemKindLineIn, 0},
        {"[LINEIN ", ItemKindLineIn, 0},
        {"[LABEL Morning show ]", ItemKindLabel, 0},
        {"[LABEL", ItemKindFile, 0}, // the prefix includes its blank
        {"[linein 30 Radio ]", ItemKindFile, 0},
        {" [LINEIN 30 X ]", ItemKindFile, 0},
        {"/music/[LINEIN 30 X ].mp3", ItemKindFile, 0},
        {"/music/song.mp3", ItemKindFile, 0},
        {"", ItemKindEmpty, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(GetItemKind(c.text), c.kind);
        EXPECT_EQ(GetLineInSeconds(c.text), c.seconds);
    }
}

TEST(QueueEntryText, MadeTextsReadBack)
{
    EXPECT_EQ(MakeLineInItem("News from the capital", 120), "[LINEIN 120 News from the capital ]");
    EXPECT_EQ(MakeLabelItem("Morning show"), "[LABEL Morning show ]");
    EXPECT_EQ(MakeLabelItem(""), "[LABEL  ]");

    const QString lineIn = MakeLineInItem("Radio ] Uno", 75);
    EXPECT_EQ(GetItemKind(lineIn), ItemKindLineIn);
    EXPECT_EQ(GetLineInSeconds(lineIn), 75);
    EXPECT_EQ(GetItemKind(MakeLabelItem("x")), ItemKindLabel);
}
