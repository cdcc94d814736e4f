#include "foundation_gui/Settings.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/SettingsWriter.h"
#include "foundation_gui/DisplayRoles.h"

#include "DialogAnswerer.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

// A station folder of its own, its settings file not yet written, and the log's lines caught.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.IsValid());
        AppDir = folder.Path();
        SettingsPath = folder.File("Sonvelazodu.ini");
        LogDir = folder.Path() + "logs/";
        LogoFile.clear();
        StationOptions = TOptions{};
        Log.Level = 0;
        Log.FlushEach = true;
        Log.FileName = Log.DailyLogFileName();
        Log.OpenLogFile();
        Log.Memo = [this](const QString& line) { logLines.append(line); };
    }
    void TearDown() override
    {
        Log.Memo = nullptr;
        Log.CloseLogFile();
        Log.Closed = savedLog.Closed;
        Log.FlushEach = savedLog.FlushEach;
        Log.FileName = savedLog.FileName;
        Log.Level = savedLog.Level;
        SettingsIni.reset();
        std::tie(AppDir, SettingsPath, LogDir, LogoFile, CombinationsPath, SkinsDir) = savedPaths;
    }

    void WriteFile(const QByteArray& text)
    {
        QFile file(SettingsPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString ReadFile() const
    {
        QFile file(SettingsPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // What an empty settings file gives.
    TOptions Defaults() const
    {
        TOptions o;
        o.FirstInstall = true;
        o.ListLineBelow = o.ListLineRight = o.ShowExtension = true;
        o.Language = "english";
        o.BeepFile = AppDir + "beeps6.wav";
        o.SntpServer = "pool.ntp.org";
        o.Volume = 10;
        o.BeepNumber = 5;
        o.FolderColumns = 3;
        o.SntpPort = 123;
        o.SntpTimeout = 2000;
        for (int slot = 1; slot <= CueSlot; ++slot)
            o.ChannelVolume[slot] = 100;
        for (int channel = 1; channel <= PlayoutChannelCount; ++channel) {
            o.FadeInterval[channel] = 5;
            o.CrossfadeInterval[channel] = 5;
            o.CrossfadeMin[channel] = 60;
            o.MicFadeInterval[channel] = 1;
            o.MicFadeVolMinPercent[channel] = 10;
        }
        o.WindowsBarPosition = 1;
        return o;
    }

    const std::tuple<QString, QString, QString, QString, QString, QString> savedPaths{
        AppDir, SettingsPath, LogDir, LogoFile, CombinationsPath, SkinsDir};
    struct {
        bool Closed = Log.Closed;
        bool FlushEach = Log.FlushEach;
        QString FileName = Log.FileName;
        int Level = Log.Level;
    } savedLog;
    TempFolder folder;
    ScriptedDialogAnswerer dialogs; // fails the test on any box not expected
    QStringList logLines;
};

TEST_F(SettingsTest, MissingAndEmptyFileGiveTheDefaultsWithoutABox)
{
    for (const bool exists : {false, true}) {
        if (exists)
            WriteFile("");
        StationOptions = TOptions{};
        LoadSettings();
        EXPECT_TRUE(StationOptions == Defaults()) << "file exists: " << exists;
        EXPECT_EQ(Log.Level, 1);
        EXPECT_EQ(CombinationsPath, AppDir + "combinations.dat");
        EXPECT_EQ(SkinsDir, AppDir + "skins/");
        EXPECT_EQ(RoleColors[RoleFoldersInfo], DefaultRoleColor);
    }
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(SettingsTest, ValuesThatAreNoNumbersKeepTheirDefaults)
{
    struct Case {
        const char* key;
        const char* text;
        std::function<int(const TOptions&)> field;
        int expected;
    };
    const Case cases[] = {
        {"Volume", "abc", [](const TOptions& o) { return o.Volume; }, 10},
        {"Volume", "", [](const TOptions& o) { return o.Volume; }, 10},
        {"Volume", " 7 ", [](const TOptions& o) { return o.Volume; }, 7},
        {"beepactive", "2", [](const TOptions& o) { return int(o.BeepActive); }, 1},
        {"beepactive", "true", [](const TOptions& o) { return int(o.BeepActive); }, 0},
        {"firstinstall", "no", [](const TOptions& o) { return int(o.FirstInstall); }, 1},
    };
    for (const Case& c : cases) {
        WriteFile(QByteArray("[main]\n") + c.key + "=" + c.text + "\n");
        LoadSettings();
        EXPECT_EQ(c.field(StationOptions), c.expected) << c.key << "=" << c.text;
    }
}

// The windows clamp fade lengths and hour-signal minutes to their spin edits' ranges; Qt stays silent
// when the clamped value is the one shown, so the write-back must not depend on a signal.
TEST_F(SettingsTest, ClampedValuesAreWrittenBack)
{
    WriteFile("[channel1]\ncrossfademin=5\nfadeinterval=50\ncrossfadeinterval=0\n"
              "[channel2]\ncrossfademin=301\nfadeinterval=7\n");
    LoadSettings();
    EXPECT_EQ(StationOptions.CrossfadeMin[1], 5); // loading itself keeps the file's values
    ClampFadeOptions(StationOptions);
    struct Case {
        int actual;
        int expected;
    };
    const Case cases[] = {
        {StationOptions.CrossfadeMin[1], 10},     {StationOptions.FadeInterval[1], 10},
        {StationOptions.CrossfadeInterval[1], 1}, {StationOptions.CrossfadeMin[2], 300},
        {StationOptions.FadeInterval[2], 7},      {StationOptions.CrossfadeMin[3], 60},
        {BeepMinutesRange.Clamp(70), 60},         {BeepMinutesRange.Clamp(0), 15},
        {BeepMinutesRange.Clamp(45), 45},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;

    SaveSettings({});
    EXPECT_TRUE(ReadFile().contains("crossfademin=10"));
}

TEST_F(SettingsTest, EverySavedValueComesBack)
{
    LoadSettings();
    TOptions& o = StationOptions;
    o.Language = "espanol";
    o.LastSearchDir = "/music/new/";
    o.Skin = "blue.skn";
    o.MainWindow = 2;
    o.BeepMinutes = 30;
    o.BeepNumber = 3;
    o.BeepActive = true;
    o.Volume = 73;
    o.Balance = -40;
    o.PlayAtStartup = true;
    o.FolderColumns = 5;
    o.SetPCDatetimeAtStartup = true;
    o.FadeInterval[1] = 8;
    o.CrossfadeEnabled[1] = true;
    o.CrossfadeInterval[1] = 4;
    o.CrossfadeMin[1] = 120;
    o.ChannelVolume[1] = 90;
    o.ChannelVolume[CueSlot] = 35;
    o.DeviceOut[1] = "hw:CARD=One";
    o.DeviceOut[CueSlot] = "default";
    o.WindowsBarPosition = 3;
    o.ShowTags = true; // never saved: back to false at the next load
    Log.Level = 2;
    LogoFile = AppDir + "station.png";
    for (int role = 0; role < DisplayRoleCount; ++role) {
        RoleFonts[size_t(role)] = {QString("Face %1").arg(role), 204, 0x10 + role, 9 + role, role % 16};
        RoleColors[size_t(role)] = role % 2 ? platform::SystemColor(role) : 0x000100 * role;
    }
    const auto savedFonts = RoleFonts;
    const auto savedColors = RoleColors;
    TOptions expected = o;
    expected.FirstInstall = false;
    expected.ShowTags = false;

    SaveSettings({});
    EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
    StationOptions = TOptions{};
    Log.Level = 0;
    LoadSettings();

    EXPECT_TRUE(StationOptions == expected);
    EXPECT_EQ(Log.Level, 2);
    EXPECT_EQ(SettingsIni->ReadString("logo", "file", ""), LogoFile);
    for (int role = 0; role < SavedRoleCount; ++role) {
        const TRoleFont& font = RoleFonts[size_t(role)];
        const TRoleFont& saved = savedFonts[size_t(role)];
        EXPECT_EQ(std::tie(font.Name, font.CharSet, font.Color, font.Size, font.Style),
                  std::tie(saved.Name, saved.CharSet, saved.Color, saved.Size, saved.Style))
            << role;
        EXPECT_EQ(RoleColors[size_t(role)], savedColors[size_t(role)]) << role;
    }
    EXPECT_EQ(RoleFonts[RoleProgramation].Name, DefaultRoleFont().Name); // never written
}

TEST_F(SettingsTest, SavingKeepsWhatWasWrittenByHand)
{
    const QByteArray original = "; station settings, edited by hand\n"
                                "[main]\n"
                                "language=catala\n"
                                "; keep this comment\n"
                                "custom=hand written\n"
                                "Volume=55\n"
                                "\n"
                                "[channel2]\n"
                                "volume=70\n"
                                "fadeinterval=3\n"
                                "\n"
                                "[channel3]\n"
                                "crossfademin=120\n"
                                "\n"
                                "[CUE]\n"
                                "volume=80\n"
                                "\n"
                                "[sntp]\n"
                                "server=time.example.org\n"
                                "port=1123\n"
                                "timeout=500\n";
    WriteFile(original);
    LoadSettings();
    EXPECT_EQ(StationOptions.ChannelVolume[CueSlot], 80);
    StationOptions.Volume = 60;
    StationOptions.ChannelVolume[2] = 10; // channel 2 is never saved
    SaveSettings({});

    const QString saved = ReadFile();
    const QStringList unchanged = {"; station settings, edited by hand",
                                   "[main]",
                                   "language=catala",
                                   "; keep this comment",
                                   "custom=hand written",
                                   "Volume=60",
                                   "[channel2]",
                                   "volume=70",
                                   "fadeinterval=3",
                                   "[channel3]",
                                   "crossfademin=120",
                                   "[CUE]",
                                   "volume=80",
                                   "[sntp]",
                                   "server=time.example.org",
                                   "port=1123",
                                   "timeout=500"};
    qsizetype at = 0;
    for (const QString& line : unchanged) {
        const qsizetype found = saved.indexOf(QRegularExpression("^" + QRegularExpression::escape(line) + "$",
                                                                 QRegularExpression::MultilineOption),
                                              at);
        ASSERT_GE(found, 0) << "missing or out of order: " << line.toStdString();
        at = found + line.size();
    }
    EXPECT_EQ(saved.count(QRegularExpression("^\\[cue\\]$", QRegularExpression::MultilineOption |
                                                                QRegularExpression::CaseInsensitiveOption)),
              1);
    EXPECT_TRUE(saved.contains(QRegularExpression("^firstinstall=0$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(StationOptions.FirstInstall); // the whole first run keeps its first-install layout
}

// The settings path is a folder: it exists but cannot be read (chmod would not stop root).
TEST_F(SettingsTest, UnreadableFileShowsTheBoxThenRunsOnDefaults)
{
    ASSERT_TRUE(QDir().mkdir(SettingsPath));
    dialogs.ExpectButton(QMessageBox::Ok);
    LoadSettings();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, "Error opening " + SettingsPath);
    EXPECT_TRUE(StationOptions == Defaults());

    QWidget clock;
    SaveSettings({.Clock = &clock});
    ASSERT_EQ(logLines.size(), 1);
    // Every write was tried: the first and the last keys are both named.
    EXPECT_TRUE(logLines[0].contains("Error saving settings")) << logLines[0].toStdString();
    EXPECT_TRUE(logLines[0].contains("fonts/combinations_name"));
    EXPECT_TRUE(logLines[0].contains("cue/device_out"));
    EXPECT_TRUE(logLines[0].contains("Clock/visible"));
    EXPECT_TRUE(QFileInfo(SettingsPath).isDir());
}

TEST_F(SettingsTest, WindowsComeBackInTheirSavedPlaces)
{
    LoadSettings();
    QWidget main, clock;
    main.setGeometry(40, 50, 320, 240);
    main.show();
    clock.setGeometry(600, 10, 150, 60);
    SaveSettings({.Main = &main, .Clock = &clock});

    QWidget main2, clock2;
    main2.setGeometry(0, 0, 10, 10);
    clock2.setGeometry(0, 0, 99, 33);
    clock2.show();
    RestoreWindows({.Main = &main2, .Clock = &clock2});
    EXPECT_EQ(main2.pos(), main.pos());
    EXPECT_EQ(main2.size(), QSize(320, 240));
    EXPECT_TRUE(main2.isVisible());
    EXPECT_EQ(clock2.pos(), clock.pos());
    EXPECT_EQ(clock2.size(), QSize(99, 33)); // the clock is only moved
    EXPECT_FALSE(clock2.isVisible());
}

} // namespace

TEST(SettingsWriterTest, ASaveThatCannotReachTheDiskCountsEveryKeyAsNotSaved)
{
    TempFolder folder;
    platform::IniFile ini(folder.File("gone/Sonvelazodu.ini"));
    SettingsWriter writer(&ini);
    writer.WriteInteger("main", "Volume", 40);
    writer.WriteString("cue", "device_out", "null");
    EXPECT_TRUE(writer.Failures().isEmpty()); // nothing has gone to the disk yet
    writer.Commit();
    EXPECT_EQ(writer.Failures(), QStringList({"main/Volume", "cue/device_out"}));
}
