#include "CUEFixture.h"

#include "WavWriter.h"
#include "audiolib/AudioLib.h"
#include "playout/CUEPlayback.h"

#include <QCoreApplication>

#include <algorithm>

CUEFixture::CUEFixture()
{
    StationOptions.ChannelVolume[CueSlot] = 100;
}

void CUEFixture::SetUp()
{
    PlaybackFixture::SetUp();
    Channels[CueSlot].SetItemIndex(0);
}

QString CUEFixture::FramesWav(const QString& name, int64_t frames, int side, double level)
{
    const QString path = File(name);
    EXPECT_TRUE(testing_support::WriteWav(
        path, {44100, 2, 16}, frames, [=](int64_t, int channel) { return channel == side ? level : 0.0; }));
    return path;
}

void CUEFixture::Advance(TCUEPlayback& cue, int64_t frames)
{
    while (frames > 0) {
        const int64_t step = std::min(frames, Block);
        ASSERT_TRUE(audiolib::NullAdvance(step));
        const std::vector<float> block = audiolib::NullCapture();
        output.insert(output.end(), block.begin(), block.end());
        frames -= step;
        Deliver();
        QCoreApplication::sendPostedEvents(&cue, 0);
    }
}

float CUEFixture::LastLevel(int side) const
{
    return output.empty() ? 0.0f : output[output.size() - 2 + static_cast<size_t>(side)];
}

double CUEFixture::CuePosition()
{
    const audiolib::Handle stream = ChannelStream(CueSlot);
    return audiolib::ChannelBytes2Seconds(stream, audiolib::ChannelGetPosition(stream));
}
