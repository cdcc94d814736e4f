#include "FileBytes.h"
#include "TempFolder.h"

#include "foundation/LastLines.h"

#include <gtest/gtest.h>

namespace {

QByteArray Numbered(int from, int to, const char* end)
{
    QByteArray text;
    for (int i = from; i <= to; ++i)
        text += "line " + QByteArray::number(i) + end;
    return text;
}

QStringList NumberedTexts(int from, int to)
{
    QStringList texts;
    for (int i = from; i <= to; ++i)
        texts << QStringLiteral("line %1").arg(i);
    return texts;
}

} // namespace

TEST(LastLines, TheFilesEndOldestFirst)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        int count;
        QStringList expected;
    };
    // Past the 64 KB read at once: the line cut by the first read is whole in the next one.
    const QByteArray manyLines = Numbered(1, 20000, "\r\n");
    const Case cases[] = {
        {"empty file", "", 5, {}},
        {"fewer lines than wanted", Numbered(1, 3, "\r\n"), 5, NumberedTexts(1, 3)},
        {"more lines than wanted", Numbered(1, 9, "\r\n"), 4, NumberedTexts(6, 9)},
        {"LF ends, no end on the last line", "a\nb\nc", 2, {"b", "c"}},
        {"empty lines count", "a\r\n\r\nb\r\n", 3, {"a", "", "b"}},
        {"UTF-8 text", "caf\xc3\xa9\r\n", 1, {QString::fromUtf8("caf\xc3\xa9")}},
        {"beyond one read", manyLines, 10000, NumberedTexts(10001, 20000)},
        {"the whole of a long file", manyLines, 30000, NumberedTexts(1, 20000)},
        {"none wanted", Numbered(1, 3, "\r\n"), 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ASSERT_TRUE(WriteBytes(folder.File("day.log"), c.bytes));
        EXPECT_EQ(LastLines(folder.File("day.log"), c.count), c.expected);
    }
    TempFolder folder;
    EXPECT_TRUE(LastLines(folder.File("missing.log"), 5).isEmpty());
}
