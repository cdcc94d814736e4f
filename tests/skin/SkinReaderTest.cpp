// The package container: members by name and by part of a name, the old-version refusal and its
// message, and damaged packages refused whole, leaving what the reader held.
#include "skin/core/SkinReader.h"
#include "RandomBytes.h"
#include "skinbuilder/SkinPayload.h"

#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using skinbuilder::Member;

namespace {

QByteArray Word(uint32_t value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A payload written field by field, for packages the builder would never make.
QByteArray RawPayload(const QByteArray& names, const QList<int32_t>& sizes, const QByteArray& data,
                      uint32_t listLength)
{
    QByteArray payload = Word(20000) + Word(listLength) + Word(0) + Word(0) + names;
    for (int32_t size : sizes)
        payload += Word(uint32_t(size));
    return payload + data;
}

QByteArray RawPayload(const QByteArray& names, const QList<int32_t>& sizes, const QByteArray& data)
{
    return RawPayload(names, sizes, data, uint32_t(names.size()));
}

QByteArray Package(const QByteArray& payload)
{
    return skinbuilder::LzhPackage(payload);
}

TEST(SkinReader, FindsMembersByNameInAnyCase)
{
    const QByteArray title = RandomBytes(300, 1);
    TSkinReader reader;
    ASSERT_TRUE(reader.Open(skinbuilder::SkinPackage({{"Skin.ini", "[A]\r\n"}, {"Title.BMP", title}})));
    EXPECT_EQ(reader.Names(), QStringList({"skin.ini", "title.bmp"}));
    EXPECT_EQ(reader.ExtractByName("title.bmp"), title);
    EXPECT_EQ(reader.ExtractByName("TITLE.BMP"), title);
    EXPECT_TRUE(reader.ExtractByName("missing.bmp").isEmpty());
}

TEST(SkinReader, ExtractsTheFirstMemberContainingTheTextAsGiven)
{
    TSkinReader reader;
    ASSERT_TRUE(reader.Open(
        skinbuilder::SkinPackage({{"a.bmp", "bitmap"}, {"skin.ini.bak", "old"}, {"skin.ini", "new"}})));
    QString name = "unchanged";
    EXPECT_EQ(reader.ExtractByPart(".ini", name), "old");
    EXPECT_EQ(name, "skin.ini.bak");
    name = "unchanged";
    EXPECT_TRUE(reader.ExtractByPart(".INI", name).isEmpty()); // the text is not lower-cased
    EXPECT_EQ(name, "unchanged");
}

TEST(SkinReader, CutsMembersAtTheSumsOfTheSizesBeforeThem)
{
    const QList<Member> members{{"one", RandomBytes(5000, 2)},
                                {"empty", {}},
                                {"two", RandomBytes(777, 3)},
                                {"three", RandomBytes(64, 4)}};
    TSkinReader reader;
    ASSERT_TRUE(reader.Open(skinbuilder::SkinPackage(members)));
    for (const Member& member : members)
        EXPECT_EQ(reader.ExtractByName(member.name), member.bytes) << member.name.toStdString();
}

TEST(SkinReader, SplitsTheNameListAtAnyLineBreak)
{
    struct Case {
        QByteArray names;
        QStringList expected;
    };
    const Case cases[] = {
        {"A.ini\r\nB.bmp\r\n", {"a.ini", "b.bmp"}},
        {"a.ini\nb.bmp\n", {"a.ini", "b.bmp"}},
        {"a.ini\rb.bmp\r", {"a.ini", "b.bmp"}},
        {"a.ini\r\n\r\nb.bmp\n", {"a.ini", "", "b.bmp"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const QList<int32_t> sizes(c.expected.size(), 1);
        TSkinReader reader;
        ASSERT_TRUE(reader.Open(Package(RawPayload(c.names, sizes, QByteArray(sizes.size(), 'x')))))
            << c.names.toStdString();
        EXPECT_EQ(reader.Names(), c.expected) << c.names.toStdString();
    }
}

TEST(SkinReader, RefusesAnotherVersionWithTheOldSkinMessage)
{
    TSkinReader reader;
    const SkinPackageResult result = reader.Open(skinbuilder::SkinPackage({{"skin.ini", "x"}}, 19999));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.status, SkinPackageStatus::OldVersion);
    EXPECT_EQ(result.message, QString("This is Older Skin File\rPlease update to new version !"));
}

TEST(SkinReader, RefusesDamagedPackagesAndKeepsWhatItHeld)
{
    const QByteArray good = skinbuilder::SkinPackage({{"skin.ini", "kept"}});
    const QByteArray payload = skinbuilder::SkinPayload({{"skin.ini", RandomBytes(3000, 5)}});
    struct Case {
        const char* name;
        QByteArray package;
    };
    const Case cases[] = {
        {"empty file", QByteArray()},
        {"shorter than the length word", "\x10\x00\x00"},
        {"declares 4 GB in 10 bytes", Word(0xFFFFFFFF) + QByteArray(6, '\0')},
        {"declares more than 64 MiB", Word(64 * 1024 * 1024 + 1) + QByteArray(1100000, '\0')},
        {"coded data cut short", good.left(good.size() - 3)},
        {"payload cut short", Package(payload.left(payload.size() - 1))},
        {"no room for the header", Package(Word(20000) + Word(0))},
        {"name list past the end", Package(RawPayload("a\r\n", {1}, "x", 100))},
        {"name list without its line break", Package(RawPayload("a\r\nb", {1, 1}, "xy"))},
        {"sizes past the end", Package(RawPayload("a\r\nb\r\n", {1}, QByteArray()))},
        {"negative size", Package(RawPayload("a\r\nb\r\n", {-1, 1}, "xy"))},
        {"sizes adding up to more than the data", Package(RawPayload("a\r\nb\r\n", {1, 2}, "xy"))},
        {"random bytes", RandomBytes(5000, 6)},
    };
    for (const Case& c : cases) {
        TSkinReader reader;
        ASSERT_TRUE(reader.Open(good));
        const SkinPackageResult result = reader.Open(c.package);
        EXPECT_EQ(result.status, SkinPackageStatus::Damaged) << c.name;
        EXPECT_TRUE(result.message.startsWith("Damaged skin package: ")) << c.name;
        EXPECT_EQ(reader.ExtractByName("skin.ini"), "kept") << c.name;
    }
}

} // namespace
