// Start-up in order: the windows, the login window's creation, the skip, and the settings window's
// first showing with the settings, the audio and the window places.
#include "StationFixture.h"

#include "WavWriter.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "platform/Clock.h"
#include "playout/AudioLayer.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "shell/Main.h"
#include "shell/Splash.h"
#include "shell/StationHooks.h"
#include "shell/Trace.h"
#include "shell/UserPassword.h"
#include "shell/WindowsBar.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>

namespace {

// Where a window is placed as the settings file sees it: the frame's corner, the client's size.
QRect Place(const QWidget* window)
{
    return window->isVisible() ? QRect(window->frameGeometry().topLeft(), window->size()) : QRect();
}

// Where a layout puts a window: its outer rectangle, whichever frame it wears.
QRect Outer(const QWidget* window)
{
    return window->isVisible() ? window->frameGeometry() : QRect();
}

// The markers of the list, in the order they were traced, without any other marker in between.
QStringList Only(const QStringList& trace, const QStringList& wanted)
{
    QStringList kept;
    for (const QString& marker : trace)
        if (wanted.contains(marker))
            kept.append(marker);
    return kept;
}

QStringList Prefixed(const QStringList& names, const QString& prefix)
{
    QStringList markers;
    for (const QString& name : names)
        markers.append(prefix + name);
    return markers;
}

const QStringList CreationOrder{"FUserPassword", "FMain",
                                "FChannel1",     "FCombinations",
                                "FSearchFiles",  "FFontsColorsChoose",
                                "FWindowsBar",   "FSelectDevice",
                                "FCUEPlayer",    "FDeviceInformation",
                                "FMixer",        "FFX",
                                "FLineInEvent",  "FFolders",
                                "FAbout",        "FLogo",
                                "FClock",        "FThemeInfo",
                                "FProgress",     "FMessage",
                                "FMyAbout"};

class StartupTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
    }
};

TEST_F(StartupTest, NoLoginMarkerRunsTheWholeStartUpInOrder)
{
    bool splashShownAtFirstWindow = false;
    bool mainShownWithoutInput = false;
    qint64 logSizeBeforeSettings = -1;
    int logLevelAtLogin = -1;
    int runModeAtFolders = -1;
    const int exitCode = RunStation({
        {"create:FUserPassword", [&] { splashShownAtFirstWindow = FSplash && FSplash->isVisible(); }},
        {"create:FFolders", [&] { runModeAtFolders = FCombinations->RunMode(); }},
        {"E4", [&] { logLevelAtLogin = Log.Level; }},
        {"S1", [&] { logSizeBeforeSettings = QFileInfo(Log.FileName).size(); }},
        AtFirstShowEnd([&] { mainShownWithoutInput = FMain->isVisible() && !FUserPassword->isVisible(); }),
    });
    EXPECT_EQ(exitCode, 0);
    const QStringList trace = TraceMarkers();

    EXPECT_EQ(Only(trace, {"E1", "E2", "E3", "create:FUserPassword"}),
              QStringList({"E1", "E2", "E3", "create:FUserPassword"}));
    EXPECT_TRUE(splashShownAtFirstWindow);
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Sonvela Zodu");
    EXPECT_EQ(Only(trace, Prefixed(CreationOrder, "create:")), Prefixed(CreationOrder, "create:"));
    EXPECT_EQ(Only(trace, {"create:FLineInEvent", "SetRunMode(0)", "create:FFolders"}),
              QStringList({"create:FLineInEvent", "SetRunMode(0)", "create:FFolders"}));
    EXPECT_EQ(runModeAtFolders, 0);
    const QStringList loginCreation{
        "create:FUserPassword", "L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9", "L10", "create:FMain"};
    EXPECT_EQ(Only(trace, loginCreation), loginCreation);
    const QStringList firstShow{"E4", "E5", "S1", "S2", "S3",  "S4", "S5",
                                "S6", "S7", "S8", "S9", "S10", "S11"};
    EXPECT_EQ(Only(trace, firstShow), firstShow);
    EXPECT_TRUE(mainShownWithoutInput);

    EXPECT_EQ(logLevelAtLogin, 0);
    EXPECT_EQ(logSizeBeforeSettings, 0);
    EXPECT_EQ(Log.FileName, folder.Path() + "logs/" + platform::Now().toString("ddMMyy") + ".log");
    EXPECT_TRUE(QFileInfo::exists(Log.FileName));
    EXPECT_EQ(AppDir, folder.Path());
    EXPECT_EQ(SettingsPath, folder.File("Sonvelazodu.ini"));
    EXPECT_EQ(UsersPath, folder.File("users.dat"));
    EXPECT_EQ(CombinationsPath, folder.File("combinations.dat"));
    EXPECT_EQ(MainTitle, "Sonvela Zodu");
    EXPECT_EQ(FSplash, nullptr);
    EXPECT_EQ(freeMediaCalls, 1);
}

TEST_F(StartupTest, WrongAudioLibraryEndsTheProgramWithoutTouchingTheSettings)
{
    const QByteArray settings = "[main]\r\nfirstinstall=0\r\nlanguage=english\r\n";
    WriteProgramFile("Sonvelazodu.ini", settings);
    Hooks().CheckMediaLibrary = [] { return false; };
    dialogs.ExpectButton(QMessageBox::Ok);

    const int exitCode = RunStation({});

    EXPECT_NE(exitCode, 0);
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Media Error");
    EXPECT_TRUE(dialogs.Shown()[0].text.startsWith("Right media DLLs was not loaded"));
    EXPECT_FALSE(TraceMarkers().contains("S2"));
    EXPECT_FALSE(TraceMarkers().contains("X3 save"));
    EXPECT_EQ(freeMediaCalls, 0);
    EXPECT_EQ(ReadProgramFile("Sonvelazodu.ini"), settings);
}

TEST_F(StartupTest, FadeLengthsAreClampedToTheSettingsWindowRanges)
{
    WriteProgramFile("Sonvelazodu.ini",
                     "[channel1]\r\nfadeinterval=0\r\ncrossfadeinterval=50\r\ncrossfademin=5\r\n");
    TOptions atFirstShowEnd;
    RunStation({AtFirstShowEnd([&] { atFirstShowEnd = StationOptions; })});
    EXPECT_EQ(atFirstShowEnd.FadeInterval[1], 1);
    EXPECT_EQ(atFirstShowEnd.CrossfadeInterval[1], 10);
    EXPECT_EQ(atFirstShowEnd.CrossfadeMin[1], 10);
    EXPECT_EQ(SettingsValue("channel1", "fadeinterval"), "1");
    EXPECT_EQ(SettingsValue("channel1", "crossfadeinterval"), "10");
    EXPECT_EQ(SettingsValue("channel1", "crossfademin"), "10");
}

TEST_F(StartupTest, FirstRunTilesAroundTheFoldersWindowAndTheSecondRestoresThePlaces)
{
    // First run: no settings file at all.
    int mainWindow = -1;
    QRect folders, combinations, settings, channel;
    int channelMinimumWidth = 0;
    RunStation({AtFirstShowEnd([&] {
        mainWindow = StationOptions.MainWindow;
        // The outer width channel 1 cannot go below.
        channelMinimumWidth =
            FChannel1->minimumWidth() + FChannel1->frameGeometry().width() - FChannel1->width();
        folders = Outer(FFolders);
        combinations = Outer(FCombinations);
        settings = Outer(FMain);
        channel = Outer(FChannel1);
    })});
    EXPECT_EQ(mainWindow, 1);
    // The bar (28 high) docks at the top; the folders window is the main window.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const int w = screen.width();
    const int h = screen.height() - 28;
    EXPECT_EQ(folders, QRect(1, 28, w / 2, 3 * (h / 4)));
    EXPECT_EQ(combinations, QRect(1, 3 * (h / 4) + 28, w / 4, h / 4));
    EXPECT_EQ(settings, QRect(1 + w / 4, 3 * (h / 4) + 28, w / 4, h / 4));
    // Channel 1 keeps its own minimum width on a small screen.
    EXPECT_EQ(channel.topLeft(), QPoint(w / 2, 28));
    EXPECT_EQ(channel.height(), h);
    EXPECT_EQ(channel.width(), std::max(w / 2, channelMinimumWidth));
    EXPECT_EQ(SettingsValue("main", "firstinstall"), "0");
    EXPECT_EQ(SettingsValue("main", "mainwindow"), "1");

    // Second run: the folders window moved, channel 1 hidden.
    {
        platform::IniFile ini(folder.File("Sonvelazodu.ini"));
        ini.WriteInteger("folders", "left", 100);
        ini.WriteInteger("folders", "top", 120);
        ini.WriteInteger("folders", "width", 300);
        ini.WriteInteger("folders", "height", 200);
        ini.WriteBool("channel1", "visible", false);
    }
    const QString song = folder.File("song.wav");
    ASSERT_TRUE(testing_support::WriteWav(song, {}, 44100, testing_support::Sine(440, 0.5, 44100)));
    StationOptions = TOptions{};
    bool channelVisible = true;
    int channelItemIndex = 0;
    int arrangement = -1;
    int queuedAfterShowing = -1;
    RunStation({AtFirstShowEnd([&] {
        folders = Place(FFolders);
        channelVisible = FChannel1->isVisible();
        channelItemIndex = Channels[1].ItemIndex();
        arrangement = FWindowsBar->Arrangement();
        // Showing the channel later must not clear what start-up queued on it.
        FChannel1->AddItem(song, 1);
        FChannel1->show();
        queuedAfterShowing = FChannel1->Queue().Count();
    })});
    EXPECT_EQ(folders, QRect(100, 120, 300, 200));
    EXPECT_FALSE(channelVisible);
    // The hidden channel's own set-up ran anyway: the slot has no current entry.
    EXPECT_EQ(channelItemIndex, -1);
    EXPECT_EQ(arrangement, 2);
    EXPECT_EQ(queuedAfterShowing, 1);
}

TEST_F(StartupTest, SetAsMainWindowIsTranslatedAndTilesAroundTheSettingsWindow)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nlanguage=test\r\n");
    WriteProgramFile("test.lng", "[Messages]\r\nset as main window=Main window here\r\n");
    QString text;
    int mainWindow = -1;
    QPoint settingsCorner;
    RunStation({AtFirstShowEnd([&] {
        ASSERT_NE(FMain->MSetMainWindow, nullptr);
        text = FMain->MSetMainWindow->text();
        FMain->MSetMainWindow->trigger();
        mainWindow = StationOptions.MainWindow;
        settingsCorner = FMain->frameGeometry().topLeft();
    })});
    EXPECT_EQ(text, "Main window here");
    EXPECT_EQ(mainWindow, 0);
    EXPECT_EQ(settingsCorner, QPoint(1, 28));
}

TEST_F(StartupTest, ThePreListenSetUpRunsHiddenAndTheExitSavesItsVolume)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nfirstinstall=0\r\n[cue]\r\nvolume=35\r\n");
    bool visible = true;
    int volume = -1;
    int savedVolume = -1;
    RunStation({AtFirstShowEnd([&] {
        visible = FCUEPlayer->isVisible();
        volume = FCUEPlayer->VolumeCtrl->value();
        savedVolume = FCUEPlayer->Playback().SavedVolume();
    })});
    EXPECT_FALSE(visible);
    EXPECT_EQ(volume, 35);
    EXPECT_EQ(savedVolume, 35);
    // Read from the volume bar at exit: the loaded value, not the bar's design place.
    EXPECT_EQ(SettingsValue("cue", "volume"), "35");
}

} // namespace
