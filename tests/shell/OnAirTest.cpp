// The whole station on air: start-up, a queue put in channel 1, both entries played through to the end
// of the queue and logged, and the confirmed exit.
#include "StationFixture.h"
#include "WavWriter.h"

#include "audiolib/AudioLib.h"
#include "foundation/Log.h"
#include "playout/AudioLayer.h"
#include "playout/Channel1.h"

#include <QFile>
#include <QTimer>

namespace {

class OnAirTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
    }
};

TEST_F(OnAirTest, AQueuePutInChannelOnePlaysToItsEndAndTheStationExits)
{
    const QString one = folder.File("one.wav");
    const QString two = folder.File("two.wav");
    for (const QString& path : {one, two})
        ASSERT_TRUE(testing_support::WriteWav(path, {}, 22050, testing_support::Sine(440, 0.5, 44100)));
    dialogs.ExpectButton(QMessageBox::Yes);
    const int64_t countBefore = PlayCounter;
    bool queueEmptied = false;
    QString logText;
    QTimer clock;
    RunStation({{"S11", [&] {
                     ASSERT_EQ(FChannel1->AddItem(one, 1), 0);
                     ASSERT_EQ(FChannel1->AddItem(two, 1), 1);
                     FChannel1->PlayItemAt(0);
                     // Device 0 runs on the manual clock: a tenth of a second of audio per tick.
                     QObject::connect(&clock, &QTimer::timeout, [&] {
                         audiolib::NullAdvance(4410);
                         if (PlayCounter - countBefore < 2 || FChannel1->Queue().Count() != 0)
                             return;
                         clock.stop();
                         queueEmptied = true;
                         QFile file(Log.FileName);
                         if (file.open(QIODevice::ReadOnly))
                             logText = QString::fromUtf8(file.readAll());
                         CloseSettingsWindow();
                     });
                     clock.start(1);
                 }}});
    EXPECT_TRUE(queueEmptied);
    EXPECT_EQ(PlayCounter - countBefore, 2);
    EXPECT_TRUE(logText.contains(one + " (" + QString::number(countBefore + 1) + ")"))
        << logText.toStdString();
    EXPECT_TRUE(logText.contains(two + " (" + QString::number(countBefore + 2) + ")"))
        << logText.toStdString();
    EXPECT_EQ(freeMediaCalls, 1);
}

} // namespace
