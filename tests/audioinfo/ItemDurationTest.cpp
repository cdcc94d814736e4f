#include "audioinfo/ItemDuration.h"

#include "Fixtures.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(ItemDuration, EachKindOfEntry)
{
    TempFolder folder;
    const QString wav = folder.File("ten.wav");
    ASSERT_TRUE(fixtures::WriteSilentWav(wav, 10));
    struct Case {
        QString text;
        int64_t seconds;
    };
    const Case cases[] = {
        {"", 0},   {"[LINEIN 30 Radio Uno ]", 30},  {"[LINEIN abc Radio ]", 0}, {"[LABEL Morning show ]", 0},
        {wav, 10}, {folder.File("missing.wav"), 0}, {"[linein 30 Radio ]", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(GetItemDuration(c.text), c.seconds);
    }
}
