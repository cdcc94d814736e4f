// The clock window on its own: set-up, hour signals on a manual clock, the fold and the time setting
// against a time server on loopback, with a clock setter that only records.
#include "DialogAnswerer.h"
#include "FakeTimeServer.h"
#include "TempFolder.h"
#include "WavWriter.h"

#include "audiolib/AudioLib.h"
#include "audiolib/MemorySound.h"
#include "controls/LXButton.h"
#include "controls/LXLEDLabel.h"
#include "controls/LXWave.h"
#include "controls/LbButton.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "platform/Clock.h"
#include "platform/SntpClient.h"
#include "playout/ThreadedTimer.h"
#include "shell/Clock.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int64_t Second = 1'000'000'000;
const QDateTime Pinned(QDate(2030, 1, 1), QTime(10, 59, 50));

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = StationOptions;
        StationOptions.BeepFile = folder.File("beeps6.wav");
        StationOptions.BeepMinutes = 60;
        StationOptions.BeepNumber = 5;
        StationOptions.BeepActive = true;
        StationOptions.SntpServer = "127.0.0.1";
        StationOptions.SntpPort = 123;
        StationOptions.SntpTimeout = 2000;
        StationOptions.SetPCDatetimeAtStartup = false;
        savedLogDir = LogDir;
        LogDir = folder.File("logs/");
        Log.Level = 1;
        Log.FileName = Log.DailyLogFileName();
        Log.OpenLogFile();
        Log.Memo = [this](const QString& line) { logLines.append(line); };
        ASSERT_TRUE(audiolib::SetConfig(audiolib::ConfigNullManual, 1));
        ASSERT_TRUE(audiolib::Init(0, 44100, 0));
        audiolib::MemorySoundSetDevice(0);
    }
    void TearDown() override
    {
        window.reset();
        TLXWave::Stop();
        audiolib::Free();
        audiolib::SetConfig(audiolib::ConfigNullManual, 0);
        audiolib::MemorySoundSetDevice(1);
        Log.Memo = nullptr;
        Log.CloseLogFile();
        Log.Closed = true;
        LogDir = savedLogDir;
        StationOptions = saved;
    }

    TFClock& Window()
    {
        if (!window) {
            window = std::make_unique<TFClock>();
            window->TimerDate->SetEnabled(false); // the test ticks by hand
        }
        return *window;
    }
    void Tick() { Window().TimerDate->OnTimer(Window().TimerDate); }
    void WriteSignal() const
    {
        ASSERT_TRUE(testing_support::WriteWav(StationOptions.BeepFile, {}, 4410,
                                              testing_support::Sine(880, 0.5, 44100)));
    }
    // Lines that end with text (status module event channel text).
    int LoggedEndingWith(const QString& text) const
    {
        return static_cast<int>(std::count_if(logLines.begin(), logLines.end(),
                                              [&text](const QString& line) { return line.endsWith(text); }));
    }

    TOptions saved;
    QString savedLogDir;
    TempFolder folder;
    ScriptedDialogAnswerer dialogs;
    platform::ManualClock clock{Pinned};
    FakeSystemClock setter;
    QStringList logLines;
    std::unique_ptr<TFClock> window;
};

TEST_F(ClockTest, PlaysTheHourSignalOnceWhenActiveAndLoaded)
{
    struct Case {
        const char* name;
        bool active;
        bool file;
        int plays;
    };
    const Case cases[] = {
        {"active and loaded", true, true, 1},
        {"inactive", false, true, 0},
        {"no signal file", true, false, 0},
    };
    for (const Case& c : cases) {
        window.reset();
        QFile::remove(StationOptions.BeepFile);
        if (c.file)
            WriteSignal();
        StationOptions.BeepActive = c.active;
        clock.SetNow(Pinned.addSecs(4)); // 10:59:54
        Window().DoFirstShow();
        EXPECT_EQ(Window().BeepLoaded(), c.file) << c.name;
        int plays = 0;
        uint32_t stream = audiolib::MemorySoundStream();
        for (int tick = 0; tick < 5; ++tick) { // :54.5 to :58.5
            clock.Advance(tick == 0 ? 500 : 1000);
            Tick();
            const uint32_t now = audiolib::MemorySoundStream();
            plays += now != 0 && now != stream;
            stream = now;
        }
        EXPECT_EQ(plays, c.plays) << c.name;
        EXPECT_EQ(Window().LEDClock->Caption(), "10:59:58 01-Jan-2030") << c.name;
    }
}

TEST_F(ClockTest, TheDateAndTheEnglishCaptionsFitTheWindow)
{
    const QString savedAppDir = AppDir;
    AppDir = folder.Path();
    StationOptions.Language = "english";
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(SZ_SOURCE_DIR "/resources/english.lng"), folder.File("english.lng")));
    Window().show();
    Window().Unfold();
    Tick();
    const QString shown = Window().LEDClock->Caption();
    EXPECT_EQ(shown, "10:59:50 01-Jan-2030");
    EXPECT_LE(Window().LEDClock->LED().TextExtent(shown, 0).cx, Window().LEDClock->width());
    EXPECT_LE(Window().LEDClock->geometry().right(), Window().BClockOptions->geometry().left());
    const struct {
        QWidget* control;
        QString caption;
    } captions[] = {{Window().LMinutesSH, "Minutes between hour signals:"},
                    {Window().CBSHActivadas, "Hour signals on"}};
    for (const auto& c : captions) {
        SCOPED_TRACE(c.caption.toStdString());
        EXPECT_EQ(c.control->property("text").toString(), c.caption);
        EXPECT_LE(c.control->minimumSizeHint().width(), c.control->width());
        EXPECT_LE(c.control->heightForWidth(c.control->width()), c.control->height());
        EXPECT_LE(c.control->geometry().right(), Window().width());
    }
    Window().hide();
    AppDir = savedAppDir;
}

TEST_F(ClockTest, ASignalFileThatIsNoWaveIsLoggedNotShown)
{
    QFile file(StationOptions.BeepFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a wave at all");
    file.close();
    Window().DoFirstShow();
    EXPECT_FALSE(Window().BeepLoaded());
    ASSERT_EQ(logLines.size(), 1);
    EXPECT_TRUE(logLines[0].contains(StationOptions.BeepFile)) << logLines[0].toStdString();
    EXPECT_TRUE(logLines[0].contains(" 1 11 ")) << logLines[0].toStdString();
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(ClockTest, TheStoredPeriodIsClampedValidatedAndWrittenBack)
{
    struct Case {
        int stored;
        int shown;
        bool box;
    };
    const Case cases[] = {{20, 60, true}, {0, 15, false}, {70, 60, false}, {45, 45, false}};
    for (const Case& c : cases) {
        window.reset();
        StationOptions.BeepMinutes = c.stored;
        if (c.box)
            dialogs.ExpectButton(QMessageBox::Ok);
        const qsizetype boxesBefore = dialogs.Shown().size();
        Window().DoFirstShow();
        EXPECT_EQ(Window().SESHMinutos->value(), c.shown) << c.stored;
        EXPECT_EQ(StationOptions.BeepMinutes, c.shown) << c.stored;
        ASSERT_EQ(dialogs.Shown().size() - boxesBefore, c.box ? 1 : 0) << c.stored;
        if (c.box) {
            EXPECT_EQ(dialogs.Shown().last().text, "valores validos");
        }
    }
}

TEST_F(ClockTest, FoldsToItsTopPanelAndMutesThroughItsBox)
{
    TFClock& clockWindow = Window();
    clockWindow.show(); // the first showing does the set-up
    EXPECT_TRUE(clockWindow.Folded());
    EXPECT_EQ(clockWindow.height(), 30);
    clockWindow.BClockOptions->Click();
    EXPECT_EQ(clockWindow.height(), 30 + 124);
    clockWindow.BClockOptions->Click();
    EXPECT_EQ(clockWindow.height(), 30);

    clockWindow.SetHourSignalsMuted(true);
    EXPECT_FALSE(StationOptions.BeepActive);
    clockWindow.SetHourSignalsMuted(false);
    EXPECT_TRUE(StationOptions.BeepActive);
}

TEST_F(ClockTest, LogsWhetherThePCClockWasSet)
{
    const int64_t ahead = Pinned.toMSecsSinceEpoch() * 1'000'000 + 3600 * Second;
    bool refuse = false;
    FakeTimeServer server([&refuse, ahead](const QByteArray& request) {
        QByteArray reply = ServerReply(request, ahead, ahead);
        if (refuse)
            reply.replace(1, 1, QByteArray(1, '\0')).replace(12, 4, "RATE");
        return reply;
    });
    StationOptions.SntpPort = server.Port();
    TFClock& clockWindow = Window();
    clockWindow.DoFirstShow();
    const auto run = [&clockWindow, this](auto sync) {
        const qsizetype before = logLines.size();
        (clockWindow.*sync)();
        EXPECT_FALSE(clockWindow.LXBGetSNTPTime->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return clockWindow.LXBGetSNTPTime->isEnabled(); }, 5000));
        return logLines.mid(before);
    };

    // The step is on record with its size and the times on both sides of it.
    QStringList lines = run(&TFClock::SyncTimeAndLog);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(" 0 11 104 -1 ok: pc datetime changed")) << lines[0].toStdString();
    ASSERT_EQ(setter.Offsets().size(), 1u);
    EXPECT_NEAR(setter.Offsets()[0], 3600 * Second, 50'000'000);
    const int64_t offset = setter.Offsets()[0];
    EXPECT_TRUE(lines[1].endsWith(
        QString(" 0 11 104 -1 PC clock stepped by +%1 s, from 2030-01-01 10:59:50.000 to %2")
            .arg(QString::number(double(offset) / 1e9, 'f', 3),
                 Pinned.addMSecs(offset / 1'000'000).toString("yyyy-MM-dd HH:mm:ss.zzz"))))
        << lines[1].toStdString();

    refuse = true;
    lines = run(&TFClock::SyncTimeAndLog);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(" 1 11 104 -1 error: setting pc datetime")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(" 1 11 104 -1 ") && lines[1].contains("RATE")) << lines[1].toStdString();
    EXPECT_EQ(setter.Offsets().size(), 1u);

    // The box says the same, the reason on its second line.
    dialogs.ExpectButton(QMessageBox::Ok);
    lines = run(&TFClock::SyncTimeAndShow);
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_FALSE(dialogs.Shown().isEmpty());
    EXPECT_TRUE(dialogs.Shown().last().text.startsWith("error: setting pc datetime\n"));
    EXPECT_TRUE(dialogs.Shown().last().text.contains("RATE"));

    // A clock the program may not set is a failure like any other: the machine's own time service,
    // whose bus the tests' main leaves out of reach.
    refuse = false;
    platform::SystemClock* fake = platform::InstallSystemClock(nullptr);
    lines = run(&TFClock::SyncTimeAndLog);
    platform::InstallSystemClock(fake);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(" 1 11 104 -1 error: setting pc datetime")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(" 1 11 104 -1 the system bus cannot be reached")) << lines[1].toStdString();
}

TEST_F(ClockTest, AFailingTimeServerLeavesTheHourSignalsSetUp)
{
    WriteSignal();
    StationOptions.SetPCDatetimeAtStartup = true;
    StationOptions.BeepMinutes = 30;
    TFClock& clockWindow = Window();
    clockWindow.SNTPClient1->SetResolver(
        [](const QString&, int, QString&) -> std::optional<platform::ResolvedAddress> {
            throw std::runtime_error("resolver broke");
        });
    clockWindow.DoFirstShow();
    EXPECT_TRUE(clockWindow.BeepLoaded());
    EXPECT_TRUE(clockWindow.Folded());
    EXPECT_EQ(StationOptions.BeepMinutes, 30);
    EXPECT_TRUE(clockWindow.CBSHActivadas->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([this] { return LoggedEndingWith("resolver broke") == 1; }, 5000));
    EXPECT_EQ(LoggedEndingWith("1 11 104 -1 error: setting pc datetime"), 1);
    EXPECT_TRUE(setter.Offsets().empty());
}

} // namespace
