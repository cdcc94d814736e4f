// The fonts-and-colours dialog: previews loaded from the roles at each showing, font and colour
// dialogs answered by script, Apply and Ok copying the previews back to every role but the two
// programation ones.
#include "shell/FontsColorsChoose.h"

#include "DialogAnswerer.h"
#include "TempFolder.h"
#include "controls/LXButton.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "library/Combinations.h"
#include "library/CombinationsTree.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// The roles and the program folder are the station's globals: each test starts from known roles in a
// folder of its own and leaves them as it found them.
class FontsColorsChooseTest : public ::testing::Test {
protected:
    FontsColorsChooseTest() : savedFonts(RoleFonts), savedColors(RoleColors), savedAppDir(AppDir)
    {
        AppDir = folder.Path();
        StationOptions.Language = "english";
        MainTitle = "Sonvela Zodu";
        CreateFonts();
        RoleColors.fill(DefaultRoleColor);
        RoleFonts[RoleChannels].CharSet = 238;
    }
    ~FontsColorsChooseTest() override
    {
        RoleFonts = savedFonts;
        RoleColors = savedColors;
        AppDir = savedAppDir;
    }

    static QFont Chosen()
    {
        QFont font("DejaVu Serif");
        font.setPointSize(14);
        font.setBold(true);
        font.setStrikeOut(true);
        return font;
    }

    // The role as the font dialog's Chosen() with this colour leaves it.
    static TRoleFont ChosenRole(int charSet, TColor color)
    {
        return {"DejaVu Serif", charSet, color, 14, StyleBold | StyleStrikeOut};
    }

    TempFolder folder;
    ScriptedDialogAnswerer dialogs;
    std::array<TRoleFont, DisplayRoleCount> savedFonts;
    std::array<TColor, DisplayRoleCount> savedColors;
    QString savedAppDir;
    TFFontsColorsChoose dialog;
};

} // namespace

TEST_F(FontsColorsChooseTest, ApplyCopiesEveryPageButTheProgramationOne)
{
    dialog.show();
    const std::array<TRoleFont, DisplayRoleCount> before = RoleFonts;
    // One role on each page: a font with its colour, and a background colour.
    for (DisplayRole role : {RoleCombinationsCut, RoleChannels, RoleFoldersInfo, RoleProgramationSelected}) {
        dialogs.ExpectFont(Chosen(), 0x0000FF);
        dialog.FontButtons[role]->click();
        dialogs.ExpectColor(0x00FF00);
        dialog.ColorButtons[role]->click();
    }
    EXPECT_EQ(RoleFonts, before); // nothing reaches the roles before Apply
    EXPECT_EQ(dialog.Previews[RoleChannels]->font().family(), "DejaVu Serif");
    EXPECT_EQ(dialog.Previews[RoleChannels]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(dialog.Previews[RoleChannels]->palette().color(QPalette::Window), QColor(0, 255, 0));

    dialog.BApply->Click();
    for (DisplayRole role : {RoleCombinationsCut, RoleChannels, RoleFoldersInfo}) {
        SCOPED_TRACE(RoleName(role).toStdString());
        EXPECT_EQ(RoleFonts[role], ChosenRole(before[role].CharSet, 0x0000FF));
        EXPECT_EQ(RoleColors[role], 0x00FF00);
    }
    EXPECT_EQ(RoleFonts[RoleChannels].CharSet, 238); // the character set kept for the file
    for (int role = 0; role < SavedRoleCount; ++role)
        if (role != RoleCombinationsCut && role != RoleChannels && role != RoleFoldersInfo) {
            EXPECT_EQ(RoleFonts[role], before[role]) << role;
            EXPECT_EQ(RoleColors[role], DefaultRoleColor) << role;
        }
    EXPECT_EQ(RoleFonts[RoleProgramationSelected], before[RoleProgramationSelected]);
    EXPECT_EQ(RoleColors[RoleProgramationSelected], DefaultRoleColor);
    EXPECT_TRUE(dialog.isVisible());

    dialogs.ExpectColor(0x123456);
    dialog.ColorButtons[RoleFolders]->click();
    dialog.BOk->Click();
    EXPECT_EQ(RoleColors[RoleFolders], 0x123456);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(FontsColorsChooseTest, ChangesNotAppliedAreGoneAtTheNextShowing)
{
    dialog.show();
    dialogs.ExpectFont(Chosen(), clBlack);
    dialog.FontButtons[RoleFolders]->click();
    dialogs.ExpectColor(clRed);
    dialog.ColorButtons[RoleProgramation]->click();
    dialog.close();
    RoleColors[RoleChannelsInfo] = clYellow; // changed while the dialog was closed
    dialog.show();
    EXPECT_EQ(dialog.PreviewFont(RoleFolders), RoleFonts[RoleFolders]);
    EXPECT_EQ(dialog.PreviewColor(RoleProgramation), DefaultRoleColor);
    EXPECT_EQ(dialog.Previews[RoleChannelsInfo]->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(dialog.Previews[RoleFolders]->font().family(), ToQFont(RoleFonts[RoleFolders]).family());
}

TEST_F(FontsColorsChooseTest, ApplyReachesTheCombinationsTree)
{
    TFCombinations combinations;
    FCombinations = &combinations;
    dialog.show();
    dialogs.ExpectFont(Chosen(), 0x0000FF);
    dialog.FontButtons[RoleCombinations]->click();
    dialogs.ExpectColor(0x00FF00);
    dialog.ColorButtons[RoleCombinations]->click();
    dialog.BApply->Click();
    FCombinations = nullptr;
    EXPECT_EQ(combinations.TVCombinaciones->font().family(), "DejaVu Serif");
    EXPECT_EQ(combinations.TVCombinaciones->palette().color(QPalette::Base), QColor(0, 255, 0));
}

TEST_F(FontsColorsChooseTest, ACancelledDialogLeavesThePreview)
{
    dialog.show();
    const TRoleFont font = dialog.PreviewFont(RoleCombinationsInfo);
    dialogs.ExpectCancel();
    dialog.FontButtons[RoleCombinationsInfo]->click();
    dialogs.ExpectCancel();
    dialog.ColorButtons[RoleCombinationsInfo]->click();
    EXPECT_EQ(dialog.PreviewFont(RoleCombinationsInfo), font);
    EXPECT_EQ(dialog.PreviewColor(RoleCombinationsInfo), DefaultRoleColor);
    ASSERT_EQ(dialogs.Shown().size(), 2);
    // Each dialog starts from what the preview shows.
    EXPECT_EQ(dialogs.Shown()[0].font.family(), font.Name);
    EXPECT_EQ(dialogs.Shown()[0].font.pointSize(), font.Size);
    EXPECT_EQ(dialogs.Shown()[0].color, font.Color);
    EXPECT_EQ(dialogs.Shown()[1].color, DefaultRoleColor);
}

// A system colour picked (a theme's "button face") is kept as the plain colour it shows; a face that
// is not installed keeps its name while the preview shows fontconfig's stand-in.
TEST_F(FontsColorsChooseTest, PickedColoursArePlainAndMissingFacesKeepTheirNames)
{
    dialog.show();
    dialogs.ExpectColor(clBtnFace);
    dialog.ColorButtons[RoleChannelsSelected]->click();
    EXPECT_EQ(dialog.PreviewColor(RoleChannelsSelected), ColorToRGB(clBtnFace));
    EXPECT_FALSE(IsSystemColor(dialog.PreviewColor(RoleChannelsSelected)));

    dialogs.ExpectFont(QFont("No Such Face Anywhere"), SystemColor(SysWindowText));
    dialog.FontButtons[RoleChannelsSelected]->click();
    EXPECT_EQ(dialog.PreviewFont(RoleChannelsSelected).Name, "No Such Face Anywhere");
    EXPECT_FALSE(IsSystemColor(dialog.PreviewFont(RoleChannelsSelected).Color));
    dialog.BApply->Click();
    EXPECT_EQ(RoleFonts[RoleChannelsSelected].Name, "No Such Face Anywhere");
}

TEST_F(FontsColorsChooseTest, TheFirstShowingTranslatesSelectsTheFirstPageAndSetsTheCaption)
{
    QFile language(folder.File("english.lng"));
    ASSERT_TRUE(language.open(QIODevice::WriteOnly));
    language.write("[translations]\nFFontsColorsChoose.BApply.Caption=Appliquer\n"
                   "FFontsColorsChoose.TSFolders.Caption=Dossiers\n"
                   "FFontsColorsChoose.LChannels.Caption=Exemple\n[Messages]\nfonts=Polices\n");
    language.close();
    dialog.PC->setCurrentIndex(2);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Sonvela Zodu - Polices");
    EXPECT_EQ(dialog.PC->currentIndex(), 0);
    EXPECT_EQ(dialog.BApply->Caption(), "Appliquer");
    EXPECT_EQ(dialog.PC->tabText(dialog.PC->indexOf(dialog.TSFolders)), "Dossiers");
    EXPECT_EQ(dialog.Previews[RoleChannels]->text(), "Exemple");
    EXPECT_EQ(dialog.Previews[RoleChannelsPlaying]->text(), "Example of font");
    EXPECT_EQ(dialog.FontButtons[RoleChannelsPlaying]->objectName(), "BFontChannelsPlaying");
    EXPECT_EQ(dialog.FontButtons[RoleChannelsPlaying]->text(), "Playing");
    EXPECT_EQ(dialog.ColorButtons[RoleCombinationsCopied]->objectName(), "BColorCombinationsCopied");

    dialog.PC->setCurrentIndex(3);
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.PC->currentIndex(), 3);
}
