#include "foundation_gui/DisplayRoles.h"
#include "foundation/General.h"
#include "foundation/SettingsWriter.h"
#include "foundation_gui/ColorNames.h"

#include "TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class DisplayRolesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.IsValid());
        SettingsIni = std::make_unique<platform::IniFile>(folder.File("Sonvelazodu.ini"));
        CreateFonts();
    }
    void TearDown() override { SettingsIni.reset(); }

    TempFolder folder;
};

TEST(ColorNames, WrittenAndReadBack)
{
    struct Case {
        uint32_t value;
        const char* text;
    };
    const Case cases[] = {
        {0x000000, "clBlack"},     {0x0000FF, "clRed"},          {0xFFFFFF, "clWhite"},
        {0x8000000F, "clBtnFace"}, {0x80000008, "clWindowText"}, {0x1FFFFFFF, "clNone"},
        {0x00123456, "$00123456"}, {0xFFFF8800, "$FFFF8800"},    {0xC0DCC0, "$00C0DCC0"},
        {0x8000001A, "$8000001A"},
    };
    for (const Case& c : cases) {
        const auto value = static_cast<platform::TColor>(c.value);
        EXPECT_EQ(ColorToString(value), c.text);
        EXPECT_EQ(StringToColor(c.text), value) << c.text;
    }
}

TEST(ColorNames, ReadsNumbersAndAnyCaseAndRefusesTheRest)
{
    struct Case {
        const char* text;
        std::optional<uint32_t> value;
    };
    const Case cases[] = {
        {"255", 0xFF},
        {"-2147483640", 0x80000008},
        {"$ff", 0xFF},
        {"clwhite", 0xFFFFFF},
        {"CLBTNFACE", 0x8000000F},
        {"clMoneyGreen", 0xC0DCC0},
        {"clMenuBar", 0x8000001E},
        {"garbage", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"12x", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto expected = c.value ? std::optional(static_cast<platform::TColor>(*c.value)) : std::nullopt;
        EXPECT_EQ(StringToColor(c.text), expected) << c.text;
    }
}

TEST(ColorNames, SystemColoursPaintFromTheClassicTable)
{
    EXPECT_EQ(platform::ToQColor(static_cast<platform::TColor>(0xFFFF8800)), QColor(212, 208, 200));
    EXPECT_EQ(platform::ToQColor(platform::SystemColor(5)), QColor(255, 255, 255));
    EXPECT_EQ(platform::ToQColor(platform::SystemColor(0x40)), QColor(0, 0, 0));
}

TEST_F(DisplayRolesTest, NewFileGivesTheDefaultFontAndShowsSelectedAndPlayingRowsApart)
{
    LoadFonts();
    LoadColors();
    const TRoleFont expected = DefaultRoleFont();
    const auto plain = static_cast<platform::TColor>(0xFFFF8800);
    for (int role = 0; role < DisplayRoleCount; ++role) {
        const TRoleFont& font = RoleFonts[static_cast<size_t>(role)];
        EXPECT_EQ(font.Name, expected.Name) << role;
        EXPECT_EQ(font.Size, expected.Size) << role;
        EXPECT_EQ(font.Style, expected.Style) << role;
        const bool selected = role == RoleCombinationsSelected || role == RoleChannelsSelected ||
                              role == RoleFoldersSelected || role == RoleProgramationSelected;
        const bool playing = role == RoleChannelsPlaying;
        EXPECT_EQ(RoleColors[static_cast<size_t>(role)], selected  ? platform::clHighlight
                                                         : playing ? platform::TColor(0x0000FF)
                                                                   : plain)
            << role;
        const platform::TColor text = selected  ? platform::SystemColor(platform::SysHighlightText)
                                      : playing ? platform::clWhite
                                                : platform::SystemColor(platform::SysWindowText);
        EXPECT_EQ(font.Color, text) << role;
    }
    EXPECT_FALSE(QFile::exists(SettingsIni->FileName()));

    // Colours a file holds win over those defaults, even when they hide the selection.
    SettingsIni->WriteString("colors", "Folders_selected", "$FFFF8800");
    LoadColors();
    EXPECT_EQ(RoleColors[RoleFoldersSelected], plain);
}

TEST_F(DisplayRolesTest, FontKeysAreReadInTheirOwnTerms)
{
    SettingsIni->WriteString("fonts", "channels_name", "DejaVu Sans");
    SettingsIni->WriteString("fonts", "channels_charSet", "460"); // low 8 bits: 204
    SettingsIni->WriteString("fonts", "channels_color", "255");
    SettingsIni->WriteString("fonts", "channels_size", "12");
    SettingsIni->WriteString("fonts", "channels_style", "259"); // low 8 bits: bold, italic
    SettingsIni->WriteString("fonts", "folders_size", "big");
    LoadFonts();
    const TRoleFont& font = RoleFonts[RoleChannels];
    EXPECT_EQ(font.Name, "DejaVu Sans");
    EXPECT_EQ(font.CharSet, 204);
    EXPECT_EQ(font.Color, 0xFF);
    EXPECT_EQ(font.Size, 12);
    EXPECT_EQ(font.Style, StyleBold | StyleItalic);
    EXPECT_EQ(RoleFonts[RoleFolders].Size, DefaultRoleFont().Size);

    const QFont qfont = ToQFont(font);
    EXPECT_EQ(qfont.pixelSize(), 16);
    EXPECT_TRUE(qfont.bold());
    EXPECT_TRUE(qfont.italic());
    EXPECT_FALSE(qfont.underline());
}

TEST_F(DisplayRolesTest, MalformedColourKeepsItsDefaultAndTheOthersLoad)
{
    SettingsIni->WriteString("colors", "combinations", "garbage");
    SettingsIni->WriteString("colors", "channels", "clRed");
    SettingsIni->WriteString("colors", "folders_copied", "clwhite"); // written by hand, lower case
    LoadColors();
    EXPECT_EQ(RoleColors[RoleCombinations], DefaultRoleColor);
    EXPECT_EQ(RoleColors[RoleChannels], 0x0000FF);
    EXPECT_EQ(RoleColors[RoleFoldersCopied], 0xFFFFFF);
}

TEST_F(DisplayRolesTest, SavingWritesTheFourteenRolesOnly)
{
    for (int role = 0; role < DisplayRoleCount; ++role)
        RoleColors[static_cast<size_t>(role)] = 0x000080;
    SettingsWriter writer(SettingsIni.get());
    SaveFonts(writer);
    SaveColors(writer);
    EXPECT_TRUE(writer.Failures().isEmpty());

    EXPECT_EQ(SettingsIni->ReadSection("fonts").size(), 14 * 5);
    const QStringList colorKeys = SettingsIni->ReadSection("colors");
    EXPECT_EQ(colorKeys.size(), 14);
    EXPECT_TRUE(colorKeys.contains("Folders_cut")); // the spelling stations' files have always had
    EXPECT_FALSE(colorKeys.contains("programation", Qt::CaseInsensitive));
    EXPECT_EQ(SettingsIni->ReadString("colors", "channels", ""), "clMaroon");
    EXPECT_EQ(SettingsIni->ReadString("fonts", "channels_color", ""), "-2147483640");
    EXPECT_FALSE(SettingsIni->ValueExists("fonts", "programation_name"));
}

} // namespace
