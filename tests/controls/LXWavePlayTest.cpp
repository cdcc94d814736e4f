#include "TempFolder.h"
#include "WavWriter.h"
#include "audiolib/AudioLib.h"
#include "audiolib/MemorySound.h"
#include "controls/LXWave.h"
#include "controls/LXWaveComp.h"

#include <QFile>

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int64_t Length = 4410; // 100 ms at 44.1 kHz

// Positive in its first half, negative in its second, so each start of the sound shows in the output.
QByteArray HalfAndHalf(int64_t frames = Length)
{
    return testing_support::MakeWav(
        {44100, 2, 16}, frames, [frames](int64_t frame, int) { return frame < frames / 2 ? 0.25 : -0.25; });
}

// Frames of the output (left channel) where the level turns positive from anything else.
int Starts(const std::vector<float>& stereo)
{
    int starts = 0;
    bool positive = false;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        const bool now = stereo[i] > 0.2f;
        starts += now && !positive;
        positive = now;
    }
    return starts;
}

int Heard(const std::vector<float>& stereo)
{
    int frames = 0;
    for (size_t i = 0; i < stereo.size(); i += 2)
        frames += std::abs(stereo[i]) > 0.2f;
    return frames;
}

// Device 0 on the manual clock, with the memory sounds sent there.
class WavePlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(audiolib::SetConfig(audiolib::ConfigNullManual, 1));
        ASSERT_TRUE(audiolib::Init(0, 44100, 0));
        audiolib::MemorySoundSetDevice(0);
    }
    void TearDown() override
    {
        TLXWave::Stop();
        EXPECT_TRUE(audiolib::Free());
        EXPECT_EQ(audiolib::LiveStreamCount(), 0);
        audiolib::SetConfig(audiolib::ConfigNullManual, 0);
        audiolib::MemorySoundSetDevice(1);
    }
};

TEST_F(WavePlay, AsyncPlaysTheSamplesOnceAndFreesItsStream)
{
    TLXWave wave;
    wave.SetData(HalfAndHalf());
    ASSERT_TRUE(wave.Play(1));
    EXPECT_EQ(audiolib::LiveStreamCount(), 1);
    ASSERT_TRUE(audiolib::NullAdvance(2 * Length));
    const std::vector<float> out = audiolib::NullCapture();
    EXPECT_EQ(Heard(out), Length);
    EXPECT_EQ(Starts(out), 1);
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
}

TEST_F(WavePlay, LoopStartsAgainAtEachEnd)
{
    TLXWave wave;
    wave.SetData(HalfAndHalf());
    ASSERT_TRUE(wave.Play(2));
    ASSERT_TRUE(audiolib::NullAdvance(Length * 5 / 2));
    const std::vector<float> out = audiolib::NullCapture();
    EXPECT_EQ(Starts(out), 3);
    EXPECT_EQ(audiolib::ChannelIsActive(audiolib::MemorySoundStream()), audiolib::ActivePlaying);
}

TEST_F(WavePlay, OneSoundAtATime)
{
    TLXWave first, second;
    first.SetData(HalfAndHalf());
    second.SetData(HalfAndHalf(Length / 2));

    // A new sound ends the previous one.
    ASSERT_TRUE(first.Play(2));
    const audiolib::Handle looping = audiolib::MemorySoundStream();
    ASSERT_TRUE(second.Play(1));
    EXPECT_NE(audiolib::ChannelIsActive(looping), audiolib::ActivePlaying);
    EXPECT_EQ(audiolib::LiveStreamCount(), 1);

    // Stop ends it.
    TLXWave::Stop();
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);

    // New data for a wave, and destroying one, stop the sound first.
    ASSERT_TRUE(first.Play(2));
    first.SetData(HalfAndHalf(Length / 2));
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    {
        TLXWave doomed;
        doomed.SetData(HalfAndHalf());
        ASSERT_TRUE(doomed.Play(2));
    }
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    ASSERT_TRUE(audiolib::NullAdvance(Length));
    EXPECT_EQ(Heard(audiolib::NullCapture()), 0);

    // Another wave replaced or freed leaves the playing sound alone.
    ASSERT_TRUE(second.Play(2));
    first.SetData(HalfAndHalf());
    {
        TLXWave copy(second);
    }
    {
        TLXWave held;
        held.SetData(HalfAndHalf());
    }
    EXPECT_EQ(audiolib::LiveStreamCount(), 1);
}

TEST_F(WavePlay, NothingPlaysWithoutSoundOrDevice)
{
    TLXWave empty;
    EXPECT_FALSE(empty.Play(1));

    TLXWave wave;
    wave.SetData(HalfAndHalf());
    audiolib::MemorySoundSetDevice(99);
    EXPECT_FALSE(wave.Play(1));
    audiolib::MemorySoundSetDevice(0);

    // A header the check accepts over bytes no decoder reads.
    QByteArray unplayable = HalfAndHalf();
    unplayable[20] = '\x34';
    unplayable[21] = '\x12';
    TLXWave odd;
    odd.SetData(unplayable);
    EXPECT_FALSE(odd.Play(1));
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
}

TEST_F(WavePlay, ComponentPlaysTheLastFileLoaded)
{
    TLXWaveComp clock;
    EXPECT_FALSE(clock.Play(1)) << "never loaded";
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);

    TempFolder folder;
    auto write = [&folder](const QString& name, const QByteArray& bytes) {
        QFile file(folder.File(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return folder.File(name);
    };
    const QString first = write("a.wav", HalfAndHalf());
    // The second sound is all negative: no start of the first shows.
    const QString second =
        write("b.wav", testing_support::MakeWav({44100, 2, 16}, Length, [](int64_t, int) { return -0.25; }));
    const QString notWave = write("beeps6.wav", QByteArray("not a wave at all, just text", 28));
    clock.LoadFromFile(first);
    clock.LoadFromFile(second);
    ASSERT_TRUE(clock.Play(1));
    ASSERT_TRUE(audiolib::NullAdvance(2 * Length));
    const std::vector<float> out = audiolib::NullCapture();
    EXPECT_EQ(Heard(out), Length);
    EXPECT_EQ(Starts(out), 0);

    const QByteArray held = clock.Wave().Data();
    try {
        clock.LoadFromFile(notWave);
        ADD_FAILURE() << "a text file loaded as a wave";
    } catch (const EInvalidWave& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(notWave)) << error.what();
    }
    EXPECT_EQ(clock.Wave().Data(), held) << "a refused file keeps the wave";
}

TEST(WavePlayRealTime, SyncReturnsOnceTheSoundWasRendered)
{
    ASSERT_TRUE(audiolib::SetConfig(audiolib::ConfigNullManual, 0));
    ASSERT_TRUE(audiolib::Init(0, 44100, 0));
    audiolib::MemorySoundSetDevice(0);
    TLXWave wave;
    wave.SetData(HalfAndHalf(2205)); // 50 ms
    const int64_t before = audiolib::NullFramesRendered();
    ASSERT_TRUE(wave.Play(0));
    EXPECT_GE(audiolib::NullFramesRendered() - before, 2205);
    for (int i = 0; i < 200 && audiolib::LiveStreamCount() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    TLXWave::Stop();
    EXPECT_TRUE(audiolib::Free());
    audiolib::MemorySoundSetDevice(1);
}

} // namespace
