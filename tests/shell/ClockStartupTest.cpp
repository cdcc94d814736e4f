// The clock's set-up at start-up with its window saved hidden: the hour signals are armed and the time
// setting runs against a time server on loopback, whatever the server does.
#include "FakeTimeServer.h"
#include "StationFixture.h"
#include "WavWriter.h"

#include "audiolib/MemorySound.h"
#include "foundation/Log.h"
#include "platform/Clock.h"
#include "playout/ThreadedTimer.h"
#include "shell/Clock.h"

#include <QFile>
#include <QTest>

namespace {

const QDateTime Pinned(QDate(2030, 1, 1), QTime(10, 59, 50));

class ClockStartupTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
        ASSERT_TRUE(testing_support::WriteWav(folder.File("beeps6.wav"), {}, 4410,
                                              testing_support::Sine(880, 0.5, 44100)));
    }
    void TearDown() override
    {
        audiolib::MemorySoundSetDevice(1);
        StationFixture::TearDown();
    }
};

TEST_F(ClockStartupTest, AHiddenClockArmsTheHourSignalsAndSetsTheTime)
{
    const int64_t ahead = Pinned.toMSecsSinceEpoch() * 1'000'000 + int64_t{3600} * 1'000'000'000;
    FakeTimeServer server([ahead](const QByteArray& request) { return ServerReply(request, ahead, ahead); });
    struct Case {
        const char* name;
        int port;
        const char* logged;
    };
    const Case cases[] = {
        {"a server that answers", server.Port(), " 0 11 104 -1 ok: pc datetime changed"},
        {"a port no server can have", 0, " 1 11 104 -1 error: setting pc datetime"},
    };
    for (const Case& c : cases) {
        platform::ManualClock clock(Pinned);
        FakeSystemClock setter;
        WriteProgramFile("Sonvelazodu.ini",
                         QStringLiteral("[main]\r\nfirstinstall=0\r\nbeepminutes=60\r\n"
                                        "beepnumber=5\r\nbeepactive=1\r\n[Clock]\r\nvisible=0\r\n"
                                        "[sntp]\r\nSetPCDatetimeAtStartup=1\r\nserver=127.0.0.1\r\n"
                                        "port=%1\r\n")
                             .arg(c.port)
                             .toUtf8());
        bool hidden = false;
        bool armed = false;
        bool logged = false;
        bool played = false;
        dialogs.ExpectButton(QMessageBox::Yes);
        RunStation({{"S11", [&] {
                         hidden = !FClock->isVisible();
                         armed = FClock->BeepLoaded() && FClock->Folded();
                         logged = QTest::qWaitFor(
                             [&] {
                                 QFile file(Log.FileName);
                                 return file.open(QIODevice::ReadOnly) && file.readAll().contains(c.logged);
                             },
                             5000);
                         audiolib::MemorySoundSetDevice(0);
                         const uint32_t before = audiolib::MemorySoundStream();
                         clock.SetNow(Pinned.addMSecs(6300)); // 10:59:56.3
                         FClock->TimerDate->OnTimer(FClock->TimerDate);
                         played =
                             audiolib::MemorySoundStream() != before && audiolib::MemorySoundStream() != 0;
                         CloseSettingsWindow();
                     }}});
        EXPECT_TRUE(hidden) << c.name;
        EXPECT_TRUE(armed) << c.name;
        EXPECT_TRUE(logged) << c.name;
        EXPECT_TRUE(played) << c.name;
        EXPECT_EQ(setter.Offsets().size(), c.port != 0 ? 1u : 0u) << c.name;
    }
}

} // namespace
