// The skin description's INI reader: line ends, comments, first-wins lookups and the integer rule.
#include "skin/core/QuickIni.h"

#include <gtest/gtest.h>

namespace {

TQuickIni Loaded(const QByteArray& text)
{
    TQuickIni ini;
    ini.LoadFromStream(text);
    return ini;
}

struct StringCase {
    const char* name;
    QByteArray text;
    const char* section;
    const char* key;
    const char* expected; // with the default "dflt"
};

class QuickIniString : public testing::TestWithParam<StringCase> {};

TEST_P(QuickIniString, ReadsAsTheSkinFormatSays)
{
    const StringCase& c = GetParam();
    EXPECT_EQ(Loaded(c.text).ReadString(c.section, c.key, "dflt"), QString(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuickIniString,
    testing::Values(
        StringCase{"CrLf", "[A]\r\nkey=one\r\nother=two\r\n", "A", "other", "two"},
        StringCase{"LfOnly", "[A]\nkey=one\nother=two\n", "A", "other", "two"},
        StringCase{"CrOnly", "[A]\rkey=one\rother=two\r", "A", "other", "two"},
        StringCase{"NulEndsTheText", QByteArray("[A]\r\nkey=one\0other=two\r\n", 25), "A", "other", "dflt"},
        StringCase{"NulEndsTheValue", QByteArray("[A]\r\nkey=one\0two", 16), "A", "key", "one"},
        StringCase{"CommentLineDropped", "[A]\r\n;key=one\r\nkey=two\r\n", "A", "key", "two"},
        StringCase{"SemicolonInValueKept", "[A]\r\nkey=one ; two\r\n", "A", "key", "one ; two"},
        StringCase{"EmptyValueGivesDefaultAndStops", "[A]\r\nkey=\r\nkey=two\r\n", "A", "key", "dflt"},
        StringCase{"FirstOfEqualKeysWins", "[A]\r\nkey=one\r\nKEY=two\r\n", "A", "key", "one"},
        StringCase{"SectionAndKeyIgnoreCase", "[Buttons]\r\nLeftWidth=4\r\n", "BUTTONS", "leftwidth", "4"},
        StringCase{"FirstOfEqualSectionsWins", "[A]\r\nx=1\r\n[a]\r\nkey=two\r\n", "A", "key", "dflt"},
        StringCase{"ValueWithEquals", "[A]\r\nkey = a=b \r\n", "A", "key", "a=b"},
        StringCase{"TrimmedLinesAndKeys", "  [A]  \r\n\t key \t= value\t\r\n", "A", "key", "value"},
        StringCase{"StopsAtNextSection", "[A]\r\n[B]\r\nkey=two\r\n", "A", "key", "dflt"},
        StringCase{"LineWithoutEqualsNeverMatches", "[A]\r\nkey\r\nkey=two\r\n", "A", "key", "two"},
        StringCase{"BeforeFirstSectionNeverFound", "key=one\r\n[A]\r\n", "A", "key", "dflt"},
        StringCase{"MissingSection", "[A]\r\nkey=one\r\n", "B", "key", "dflt"},
        StringCase{"EmptyText", "", "A", "key", "dflt"}),
    [](const testing::TestParamInfo<StringCase>& info) { return info.param.name; });

TEST(QuickIni, ListsSectionsWithoutBracketsInTextOrder)
{
    QStringList sections{"stale"};
    Loaded("[Personality]\r\nTop=top.bmp\r\n[ Button.Close ]\r\n; [Comment]\r\n[Colours]\r\n")
        .ReadSections(sections);
    EXPECT_EQ(sections, QStringList({"Personality", "Button.Close", "Colours"}));
}

TEST(QuickIni, LoadingAgainForgetsTheOldText)
{
    TQuickIni ini;
    ini.LoadFromStream("[A]\r\nkey=one\r\n");
    ini.LoadFromStream("[B]\r\nkey=two\r\n");
    EXPECT_EQ(ini.ReadString("A", "key", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("B", "key", "dflt"), "two");
}

struct IntegerCase {
    const char* value;
    int expected; // with the default 7
};

class QuickIniInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(QuickIniInteger, ConvertsOrGivesTheDefault)
{
    const QByteArray text = QByteArray("[A]\r\nkey=") + GetParam().value + "\r\n";
    EXPECT_EQ(Loaded(text).ReadInteger("A", "key", 7), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Cases, QuickIniInteger,
                         testing::Values(IntegerCase{"0x1F", 31}, IntegerCase{"0X1f", 31},
                                         IntegerCase{"$1F", 31}, IntegerCase{"-5", -5},
                                         IntegerCase{"+12", 12}, IntegerCase{"0x", 7},
                                         IntegerCase{"12abc", 7}, IntegerCase{"", 7}, IntegerCase{"$", 7},
                                         IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"4294967296", 7}));

} // namespace
