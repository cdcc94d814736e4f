// The windows bar in a running station: its first showing, the arrangement its menu and buttons
// apply, the windows it shows, hides and minimises, and the buttons that act on other windows.
#include "StationFixture.h"

#include "WavWriter.h"
#include "controls/LXLabel.h"
#include "foundation/Base64.h"
#include "foundation/Options.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "library/SearchFiles.h"
#include "library/TabFolder.h"
#include "platform/IniFile.h"
#include "playout/Channel1.h"
#include "shell/Clock.h"
#include "shell/Logo.h"
#include "shell/Main.h"
#include "shell/UserPassword.h"
#include "shell/WindowsBar.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace {

QSize ScreenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

// Where a window is: its outer rectangle, whichever frame it wears.
QRect Place(const QWidget* window)
{
    return window->frameGeometry();
}

QAction* EdgeItem(const char* name)
{
    return FWindowsBar->PM->findChild<QAction*>(name);
}

// The main, the two other large windows and channel 1 as the layouts place them (main window 0).
void ExpectPlaced(const WindowRects& expected)
{
    EXPECT_EQ(Place(FMain), expected.Main);
    EXPECT_EQ(Place(FCombinations), expected.A);
    EXPECT_EQ(Place(FFolders), expected.B);
    EXPECT_EQ(Place(FChannel1), expected.Channel1);
}

class WindowsBarStationTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
    }

    // Runs the look at the end of the first showing, then leaves through the exit road.
    void RunLooking(std::function<void()> look)
    {
        dialogs.ExpectButton(QMessageBox::Yes);
        RunStation({{"S11", [look] {
                         look();
                         CloseSettingsWindow();
                     }}});
    }
};

TEST_F(WindowsBarStationTest, FirstShowingHidesTheUnusedButtonsShowsNoUserAndTranslates)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nlanguage=test\r\n");
    WriteProgramFile("test.lng", "[translations]\r\nFWindowsBar.BSave.Hint=Keep everything\r\n"
                                 "FWindowsBar.PMLeft.Caption=West\r\n");
    RunLooking([] {
        EXPECT_TRUE(FWindowsBar->isVisible());
        EXPECT_FALSE(FWindowsBar->BChannel2->isVisible());
        EXPECT_FALSE(FWindowsBar->BChannel3->isVisible());
        EXPECT_FALSE(FWindowsBar->BProgramation->isVisible());
        EXPECT_TRUE(FWindowsBar->BChannel1->isVisible());
        EXPECT_EQ(FWindowsBar->LXLUser->Caption(), "  ");
        EXPECT_EQ(FWindowsBar->BSave->toolTip(), "Keep everything");
        EXPECT_EQ(EdgeItem("PMLeft")->text(), "West");
        EXPECT_EQ(FWindowsBar->BClose->toolTip(), "Close program");
    });
}

TEST_F(WindowsBarStationTest, TheUserLabelShowsTheLoggedInUser)
{
    QFile::remove(ProgramFile("nologin.txt"));
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nfirstinstall=0\r\n"); // copied for the user
    platform::IniFile(ProgramFile("users.dat"))
        .WriteString("bob", "password", ScramblePassword("pw", PasswordKey));
    QString caption;
    dialogs.ExpectButton(QMessageBox::Yes);
    RunStation({{"E4",
                 [] {
                     FUserPassword->CBUser->setEditText("bob");
                     FUserPassword->EPassword->setText("pw");
                     FUserPassword->Enter();
                 }},
                {"S11", [&] {
                     caption = FWindowsBar->LXLUser->Caption();
                     CloseSettingsWindow();
                 }}});
    EXPECT_EQ(caption, " bob ");
}

TEST_F(WindowsBarStationTest, EdgesReapplyTheArrangement)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nfirstinstall=0\r\nmainwindow=0\r\n");
    RunLooking([] {
        const QSize screen = ScreenSize();
        const QSize across(screen.width(), 28);
        const QSize down(28, screen.height());

        // Tile, then the menu's "Left": tiled again around the bar on the left.
        FWindowsBar->BWindowsOrganizationTile->click();
        EXPECT_EQ(FWindowsBar->Arrangement(), 0);
        ExpectPlaced(TileLayout(screen, 1, across));
        EdgeItem("PMLeft")->trigger();
        EXPECT_EQ(FWindowsBar->geometry(), QRect(QPoint(1, 1), down));
        ExpectPlaced(TileLayout(screen, 3, down));

        // Cascade, then another edge: still cascaded.
        FWindowsBar->BWindowsOrganizationCascade->click();
        EXPECT_EQ(FWindowsBar->Arrangement(), 1);
        EdgeItem("PMBottom")->trigger();
        EXPECT_EQ(FWindowsBar->geometry(), QRect(QPoint(1, screen.height() - 28), across));
        ExpectPlaced(CascadeLayout(screen, across));

        // Arrangement 2: the bar moves, the windows stay.
        FWindowsBar->SetArrangement(2);
        FMain->move(200, 150);
        EdgeItem("PMRight")->trigger();
        EXPECT_EQ(FWindowsBar->geometry(), QRect(QPoint(screen.width() - 28, 1), down));
        EXPECT_EQ(FMain->frameGeometry().topLeft(), QPoint(200, 150));
        EXPECT_EQ(FWindowsBar->Position(), 4);
    });
    EXPECT_EQ(SettingsValue("WindowsBar", "position"), "4");
}

TEST_F(WindowsBarStationTest, EveryTiledWindowFitsItsShareOfTheStationsScreens)
{
    RunLooking([] {
        for (const QSize screen : {QSize(1280, 1024), QSize(1024, 768)}) {
            for (int edge = 1; edge <= 4; ++edge) {
                const QSize bar = edge <= 2 ? QSize(screen.width(), 28) : QSize(28, screen.height());
                const WindowRects places = TileLayout(screen, edge, bar);
                const std::pair<QWidget*, QRect> windows[] = {{FMain, places.Main},
                                                              {FCombinations, places.A},
                                                              {FFolders, places.B},
                                                              {FChannel1, places.Channel1}};
                for (const auto& [window, place] : windows) {
                    SCOPED_TRACE(QStringLiteral("%1 on %2x%3, edge %4")
                                     .arg(window->objectName())
                                     .arg(screen.width())
                                     .arg(screen.height())
                                     .arg(edge)
                                     .toStdString());
                    // Beside a bar on the left or right the layout starts at y 1 at full height.
                    if (edge <= 2) {
                        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(place));
                    }
                    const QSize least = window->minimumSize().expandedTo(window->minimumSizeHint());
                    EXPECT_LE(least.width(), place.width());
                    EXPECT_LE(least.height(), place.height());
                }
            }
        }
    });
}

TEST_F(WindowsBarStationTest, WindowButtonsShowAndHideTheirWindows)
{
    RunLooking([] {
        const std::pair<QToolButton*, QWidget*> toggles[] = {
            {FWindowsBar->BFolders, FFolders},    {FWindowsBar->BCombinations, FCombinations},
            {FWindowsBar->BChannel1, FChannel1},  {FWindowsBar->BClock, FClock},
            {FWindowsBar->BLogo, FLogo},          {FWindowsBar->BMain, FMain},
            {FWindowsBar->BSearch, FSearchFiles},
        };
        for (const auto& [button, window] : toggles) {
            SCOPED_TRACE(button->objectName().toStdString());
            const bool shown = window->isVisible();
            button->click();
            EXPECT_EQ(window->isVisible(), !shown);
            button->click();
            EXPECT_EQ(window->isVisible(), shown);
        }

        // A minimised window's button brings it back shown and restored.
        FFolders->showMinimized();
        FWindowsBar->BFolders->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(FFolders->isVisible());
        EXPECT_FALSE(FFolders->isMinimized());
    });
}

TEST_F(WindowsBarStationTest, MinimizeTakesTheStationDownAndOneRestoreBringsItAllBack)
{
    RunLooking([] {
        const QList<QWidget*> shown{FWindowsBar, FMain, FChannel1, FFolders, FCombinations};
        FClock->hide();
        for (QWidget* window : shown)
            ASSERT_TRUE(window->isVisible()) << window->objectName().toStdString();
        FMain->showMaximized();

        FWindowsBar->BMinimize->click();
        for (QWidget* window : shown)
            EXPECT_TRUE(window->isMinimized()) << window->objectName().toStdString();
        EXPECT_FALSE(FClock->isVisible());
        // The bar keeps a taskbar entry to come back from.
        EXPECT_FALSE(FWindowsBar->windowFlags().testFlag(Qt::Tool));

        FChannel1->showNormal();
        for (QWidget* window : shown)
            EXPECT_FALSE(window->isMinimized()) << window->objectName().toStdString();
        EXPECT_TRUE(FMain->isMaximized());
        EXPECT_FALSE(FClock->isVisible());
    });
}

TEST_F(WindowsBarStationTest, SaveWritesTheSettingsAndCloseAsksToExit)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nfirstinstall=0\r\n");
    dialogs.ExpectButton(QMessageBox::No);
    dialogs.ExpectButton(QMessageBox::Yes);
    QString savedPosition;
    bool stillUpAfterNo = false;
    RunStation({{"S11",
                 [&] {
                     FWindowsBar->SetPosition(2);
                     FWindowsBar->BSave->click();
                     savedPosition = platform::IniFile(ProgramFile("Sonvelazodu.ini"))
                                         .ReadString("WindowsBar", "position", "<missing>");
                     FWindowsBar->BClose->click();
                 }},
                {"X2", [&] {
                     if (dialogs.Shown().size() != 1)
                         return;
                     stillUpAfterNo = FMain->isVisible() && FWindowsBar->isVisible();
                     CloseSettingsWindow();
                 }}});
    EXPECT_EQ(savedPosition, "2");
    ASSERT_EQ(dialogs.Shown().size(), 2);
    EXPECT_EQ(dialogs.Shown()[0].text, "Ok to exit?");
    EXPECT_TRUE(stillUpAfterNo);
}

TEST_F(WindowsBarStationTest, ReloadsReadThePagesFromTheSettingsAndTheActivePageFromDisk)
{
    ASSERT_TRUE(QDir(folder.Path()).mkpath("jingles"));
    const auto wav = [this](const QString& name) {
        return testing_support::WriteWav(ProgramFile("jingles/" + name), {}, 44100,
                                         testing_support::Sine(440, 0.2, 44100));
    };
    ASSERT_TRUE(wav("one.wav"));
    WriteProgramFile(
        "Sonvelazodu.ini",
        "[main]\r\nfirstinstall=0\r\n[Folder0]\r\nname=JINGLES\r\n[FolderDirs0]\r\njingles=\r\n");
    RunLooking([&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return !FFolders->Loading(); }));
        ASSERT_EQ(FFolders->PageCount(), 1);
        EXPECT_EQ(FFolders->Page(0)->ItemCount(), 1);

        // The active page reads its folders again.
        ASSERT_TRUE(wav("two.wav"));
        FWindowsBar->BReloadFilesInOneFolder->click();
        ASSERT_TRUE(QTest::qWaitFor([] { return !FFolders->Loading(); }));
        EXPECT_EQ(FFolders->Page(0)->ItemCount(), 2);

        // All pages again from the settings file, as it is now.
        platform::IniFile(ProgramFile("Sonvelazodu.ini")).WriteString("Folder1", "name", "NEWS");
        FWindowsBar->BReloadFilesInFolders->click();
        ASSERT_TRUE(QTest::qWaitFor([] { return !FFolders->Loading(); }));
        ASSERT_EQ(FFolders->PageCount(), 2);
        EXPECT_EQ(FFolders->Page(0)->ItemCount(), 2);
        EXPECT_EQ(FFolders->Page(1)->Caption(), "NEWS");
        EXPECT_EQ(FFolders->Page(1)->Columns(), FFolders->Page(0)->Columns());
    });
}

TEST_F(WindowsBarStationTest, ASavedEdgeOutsideTheFourDocksAtTheTop)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nfirstinstall=0\r\n[WindowsBar]\r\nposition=7\r\n");
    RunLooking([] {
        const QRect top(1, 1, ScreenSize().width(), 28);
        EXPECT_EQ(FWindowsBar->Position(), 1);
        EXPECT_EQ(FWindowsBar->geometry(), top);
        FWindowsBar->SetPosition(3);
        FMain->SetMainWindow(0);
        EXPECT_EQ(FWindowsBar->Position(), 1);
        EXPECT_EQ(FWindowsBar->geometry(), top);
        EXPECT_EQ(FMain->frameGeometry().topLeft(), QPoint(1, 28));
    });
}

} // namespace
