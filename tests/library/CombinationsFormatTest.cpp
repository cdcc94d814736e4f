#include "library/CombinationsNodes.h"

#include "Fixtures.h"

#include <gtest/gtest.h>

namespace library {
namespace {

using testing::FourNodes;
using testing::Hex;
using testing::Node;
using testing::RootAlone;

// A record for a single top-level node with the given name and duration: its encoding, less the
// list tags and the fields before the name, shows how values are written.
QByteArray EncodedNode(const CombiRecord& record)
{
    return EncodeRecords({record});
}

TEST(CombinationsFormatTest, TreesEncodeToTheOriginalsBytesAndReadBack)
{
    QTreeWidgetItem holder;
    TCombiItem* root = Node("COMBINACIONES", 0);
    holder.addChild(root);
    EXPECT_EQ(EncodeTree(holder), RootAlone);

    std::vector<CombiRecord> records;
    DecodeError error;
    ASSERT_TRUE(DecodeCombinations(FourNodes, records, error)) << error.reason.toStdString();
    const std::vector<CombiRecord> expected{
        {0, "COMBINACIONES", 0, true, {"COMBINACIONES", 0, 0, 0}, -1},
        {1, "Rock", 1, false, {"Rock", 1, 1, 0}, 0},
        {2, "/srv/a.mp3", 2, false, {"/srv/a.mp3", 2, 2, 200}, 1},
        {2, u"/srv/ñ.mp3"_qs, 2, false, {u"/srv/ñ.mp3"_qs, 2, 2, 100}, 1},
    };
    EXPECT_EQ(records, expected);
    EXPECT_EQ(EncodeRecords(records), FourNodes);

    // Built into items and encoded from them, the same bytes (expansion aside: detached items are
    // never expanded, so the root's flag is written false).
    QTreeWidgetItem built;
    for (TCombiItem* node : BuildNodes(records)) {
        if (!node->parent())
            built.addChild(node);
    }
    QByteArray collapsed = FourNodes;
    collapsed[20] = char(0x08);
    EXPECT_EQ(EncodeTree(built), collapsed);
    EXPECT_EQ(built.child(0)->child(0)->child(1)->text(0), u"/srv/ñ.mp3"_qs);
}

TEST(CombinationsFormatTest, IntegersUseTheSmallestTagAndAnyTagReads)
{
    const struct {
        int64_t duration;
        const char* bytes;
    } cases[] = {
        {-129, "03 7F FF"},
        {-128, "02 80"},
        {127, "02 7F"},
        {128, "03 80 00"},
        {-32768, "03 00 80"},
        {32767, "03 FF 7F"},
        {32768, "04 00 80 00 00"},
        {-32769, "04 FF 7F FF FF"},
        {3'000'000'000, "04 00 5E D0 B2"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = EncodedNode({0, "", 0, false, {"", 0, 0, c.duration}, -1});
        const QByteArray expected = Hex(c.bytes);
        // The duration is the record's last value, just before the list-end tag.
        EXPECT_EQ(bytes.mid(bytes.size() - 1 - expected.size(), expected.size()), expected) << c.duration;
        std::vector<CombiRecord> records;
        DecodeError error;
        ASSERT_TRUE(DecodeCombinations(bytes, records, error));
        EXPECT_EQ(records[0].data.Duration, int64_t(int32_t(uint32_t(c.duration)))) << c.duration;
    }
    // A small value under the 32-bit tag reads the same.
    std::vector<CombiRecord> records;
    DecodeError error;
    ASSERT_TRUE(DecodeCombinations(Hex("01 04 00000000 06 00 02 00 08 06 00 02 00 02 00 04 05000000 00"),
                                   records, error));
    EXPECT_EQ(records[0].data.Duration, 5);
}

TEST(CombinationsFormatTest, TextTagsBothWays)
{
    const QString ascii255(255, u'a');
    const QString ascii256(256, u'a');
    const QString path300 = "/" + QString(299, u'p');
    const struct {
        QString text;
        QByteArray bytes;
    } written[] = {
        {"", Hex("06 00")},
        {ascii255, Hex("06 FF") + ascii255.toLatin1()},
        {ascii256, Hex("0C 00 01 00 00") + ascii256.toLatin1()},
        {path300, Hex("0C 2C 01 00 00") + path300.toLatin1()},
        {u"/m/ñ.mp3"_qs, Hex("14 09 00 00 00") + "/m/\xC3\xB1.mp3"},
    };
    for (const auto& c : written) {
        // The text is the node's first text value, right after its level "02 00".
        const QByteArray bytes = EncodedNode({0, c.text, 0, false, {}, -1});
        EXPECT_EQ(bytes.mid(3, c.bytes.size()), c.bytes) << c.text.left(10).toStdString();
        std::vector<CombiRecord> records;
        DecodeError error;
        ASSERT_TRUE(DecodeCombinations(bytes, records, error));
        EXPECT_EQ(records[0].text, c.text);
    }

    const struct {
        const char* bytes;
        QString text;
    } read[] = {
        {"12 02 00 00 00 41 00 62 00", "Ab"},
        {"12 03 00 00 00 3D D8 3C DF 3D D8", u"\U0001F73C\uFFFD"_qs}, // a pair kept, a lone half replaced
        {"0C 02 00 00 00 41 62", "Ab"},
        {"14 02 00 00 00 41 62", "Ab"},
        {"06 03 E9 80 9F", u"é€Ÿ"_qs}, // 8-bit text of old files is Windows-1252
    };
    for (const auto& c : read) {
        const QByteArray bytes = Hex("01 02 00") + Hex(c.bytes) + Hex("02 00 08 06 00 02 00 02 00 02 00 00");
        std::vector<CombiRecord> records;
        DecodeError error;
        ASSERT_TRUE(DecodeCombinations(bytes, records, error))
            << c.bytes << " " << error.reason.toStdString();
        EXPECT_EQ(records[0].text, c.text) << c.bytes;
    }
}

// A file of nodes with the given levels and no other content.
QByteArray Levels(std::initializer_list<int> levels)
{
    QByteArray bytes = Hex("01");
    for (int level : levels)
        bytes += Hex("02") + char(level) + Hex("06 00 02 00 08 06 00 02 00 02 00 02 00");
    return bytes + Hex("00");
}

TEST(CombinationsFormatTest, LevelsPlaceNodesByTheOriginalsRules)
{
    const struct {
        std::initializer_list<int> levels;
        std::vector<int> parents;
    } cases[] = {
        {{0, 1, 2, 2, 1, 2, 2}, {-1, 0, 1, 1, 0, 4, 4}},
        {{0, 2, 1}, {-1, 0, 0}},
        {{0, 1, 0}, {-1, 0, -1}},
        {{1}, {-1}},
        {{0, 1, 2, 5, 3, 1, -4}, {-1, 0, 1, 2, 2, 0, -1}},
    };
    for (const auto& c : cases) {
        std::vector<CombiRecord> records;
        DecodeError error;
        ASSERT_TRUE(DecodeCombinations(Levels(c.levels), records, error));
        std::vector<int> parents;
        for (const CombiRecord& record : records)
            parents.push_back(record.parent);
        EXPECT_EQ(parents, c.parents) << ::testing::PrintToString(std::vector<int>(c.levels));
    }
}

TEST(CombinationsFormatTest, DamagedBytesAreRefusedWithTheirOffset)
{
    const QByteArray node = Hex("02 00 06 01 41 02 00 08 06 00 02 00 02 00 02 00"); // 16 bytes
    QByteArray deep = Hex("01");
    for (int level = 0; level <= MaxDepth; ++level)
        deep += Hex("02") + char(level) + Hex("06 00 02 00 08 06 00 02 00 02 00 02 00");
    deep += Hex("00");
    const struct {
        QByteArray bytes;
        const char* reason;
        int64_t offset;
    } cases[] = {
        {{}, "no list-begin tag", 0},
        {Hex("02") + node + Hex("00"), "no list-begin tag", 0},
        {Hex("01") + node.left(9), "the file ends before the end of the list", 10},
        {Hex("01") + node, "the file ends before the end of the list", 17},
        {Hex("01 02 00 06 01 41 02 00 02 00 06 00 02 00 02 00 02 00 00"), "text expected", 9},
        {Hex("01 06 00"), "integer expected", 1},
        {Hex("01 02 00 0C FF FF FF FF 41"), "a text length beyond the end of the file", 3},
        {Hex("01 02 00 12 02 00 00 00 41 00 62"), "a text length beyond the end of the file", 3},
        {Hex("01 02 00 04 00 00 00 00"), "text expected", 3},
        {deep, "nodes nested deeper than 64 levels", 1 + 15 * MaxDepth},
    };
    for (const auto& c : cases) {
        std::vector<CombiRecord> records;
        DecodeError error;
        EXPECT_FALSE(DecodeCombinations(c.bytes, records, error)) << c.reason;
        EXPECT_EQ(error.reason, c.reason);
        EXPECT_EQ(error.offset, c.offset) << c.reason;
    }
    // Bytes after the end tag are never read.
    std::vector<CombiRecord> records;
    DecodeError error;
    EXPECT_TRUE(DecodeCombinations(RootAlone + "\x01garbage", records, error));
    EXPECT_EQ(records.size(), 1u);
}

} // namespace
} // namespace library
