#include "PlaybackFixture.h"

#include "WavWriter.h"
#include "audiolib/AudioLib.h"
#include "platform/Messages.h"
#include "playout/AudioLayer.h"
#include "playout/QueueMimeTypes.h"

#include <QFileInfo>
#include <QMimeData>

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

double Interpolate(const std::vector<std::pair<int64_t, double>>& points, int64_t frame)
{
    const auto after =
        std::find_if(points.begin(), points.end(), [&](const auto& p) { return p.first > frame; });
    if (after == points.begin())
        return after->second;
    const auto& [from, value] = *std::prev(after);
    if (after == points.end())
        return value;
    return value + (after->second - value) * static_cast<double>(frame - from) /
                       static_cast<double>(after->first - from);
}

double Gain(const THeard& entry, int64_t frame)
{
    constexpr double Volume = 0.8;
    constexpr double FadeIn = 2 * 44100.0;
    const auto fadeOut = static_cast<double>(entry.fadeOutFrames);
    const auto paused = [&](int64_t n) {
        return entry.pauseAt >= 0 && n >= entry.pauseAt ? std::min(n - entry.pauseAt, entry.pauseFrames) : 0;
    };
    if (frame < entry.start || frame >= entry.end)
        return 0.0;
    if (!entry.volumes.empty())
        return Interpolate(entry.volumes, frame);
    if (entry.pauseAt >= 0 && frame >= entry.pauseAt && frame < entry.pauseAt + entry.pauseFrames)
        return 0.0;
    const auto rising = [&](int64_t n) {
        const auto played = static_cast<double>(n - entry.start - paused(n));
        return entry.fadeIn ? Volume * std::min(played, FadeIn) / FadeIn : Volume;
    };
    if (entry.fadeOutAt < 0 || frame < entry.fadeOutAt)
        return rising(frame);
    return rising(entry.fadeOutAt) *
           (1.0 - std::min(static_cast<double>(frame - entry.fadeOutAt), fadeOut) / fadeOut);
}

} // namespace

MessageCounter::MessageCounter(int& count, QObject* watched, unsigned msg)
    : QObject(watched), count_(count), msg_(msg)
{
    watched->installEventFilter(this);
}

bool MessageCounter::eventFilter(QObject*, QEvent* event)
{
    if (const auto* message = platform::AsMessage(event); message && (msg_ == 0 || message->Msg() == msg_))
        ++count_;
    return false;
}

PlaybackFixture::PlaybackFixture()
    : clock(QDateTime(QDate(2024, 3, 1), QTime(10, 0), Qt::UTC)), savedPlayCounter_(PlayCounter)
{
    StationOptions.CrossfadeEnabled[1] = true;
    StationOptions.CrossfadeInterval[1] = 2;
    StationOptions.CrossfadeMin[1] = 3;
    StationOptions.FadeInterval[1] = 1;
    PlayCounter = 0;
    playback.SetVolume(80);
    new MessageCounter(messagesDelivered, &playback);
    QObject::connect(&queue, &TChannelQueue::ItemIndexChanged, [this](int index) { indexes.append(index); });
    QObject::connect(&playback, &TChannelPlayback::PlayButtonRaised, [this] { ++playButtonRaised; });
}

void PlaybackFixture::TearDown()
{
    ReleaseOpens();
    // Whatever was opened ahead goes before the leak check.
    playback.NextEntry().Drop();
    playback.NextEntry().WaitIdle();
    QueueFixture::TearDown();
}

PlaybackFixture::~PlaybackFixture()
{
    PlayCounter = savedPlayCounter_;
}

QString PlaybackFixture::ConstantWav(const QString& name, int seconds, int side, double level)
{
    const QString path = folder.File(name);
    EXPECT_TRUE(testing_support::WriteWav(path, {44100, 2, 16}, seconds * Second, [=](int64_t, int channel) {
        return channel == side ? level : 0.0;
    }));
    return path;
}

void PlaybackFixture::QueueFiveEntries(uint8_t keepA)
{
    EXPECT_EQ(queue.AddItem(ConstantWav("a.wav", 6, 0, 0.25), keepA), 0);
    EXPECT_EQ(queue.AddItem(ConstantWav("b.wav", 6, 1, 0.25), 1), 1);
    EXPECT_EQ(queue.AddItem(ConstantWav("c.wav", 3, 0, 0.5), 1), 2);
    EXPECT_EQ(queue.AddItem("[LABEL x ]", 1), 3);
    EXPECT_EQ(queue.AddItem(ConstantWav("d.wav", 6, 1, 0.5), 1), 4);
}

void PlaybackFixture::DropEntry(const QString& path, int64_t seconds)
{
    QMimeData mime;
    EncodeFolderFiles(mime, {TTemaData{QFileInfo(path).fileName(), path, seconds, 128, 1, 0}});
    queue.Drop(mime, 0);
}

void PlaybackFixture::Deliver()
{
    for (int round = 0; round < 1000; ++round) {
        const int before = messagesDelivered;
        WaitForOpens();
        QCoreApplication::sendPostedEvents(&playback, 0);
        WaitForOpens();
        RecordStart();
        if (messagesDelivered == before)
            return;
    }
    ADD_FAILURE() << "the channel keeps posting messages to itself";
}

void PlaybackFixture::WaitForOpens()
{
    bool held = false;
    {
        const std::lock_guard lock(opensMutex_);
        held = opensHeld_;
    }
    if (!held)
        playback.NextEntry().WaitIdle();
}

void PlaybackFixture::HoldOpens()
{
    {
        const std::lock_guard lock(opensMutex_);
        opensHeld_ = true;
    }
    playback.NextEntry().SetOpenFunction([this](int device, const QString& path) {
        {
            std::unique_lock lock(opensMutex_);
            ++opensEntered_;
            opensReleased_.notify_all();
            if (!opensReleased_.wait_for(lock, std::chrono::seconds(5), [this] { return !opensHeld_; }))
                opensTimedOut_ = true;
        }
        QString errorText;
        return OpenFileStream(device, path, errorText);
    });
}

void PlaybackFixture::ReleaseOpens()
{
    {
        const std::lock_guard lock(opensMutex_);
        opensHeld_ = false;
    }
    opensReleased_.notify_all();
}

bool PlaybackFixture::OpenHeld()
{
    std::unique_lock lock(opensMutex_);
    return opensReleased_.wait_for(lock, std::chrono::seconds(5), [this] { return opensEntered_ > 0; });
}

bool PlaybackFixture::OpensTimedOut()
{
    const std::lock_guard lock(opensMutex_);
    return opensTimedOut_;
}

void PlaybackFixture::RecordStart()
{
    const audiolib::Handle onAir = ChannelStream(1);
    if (onAir != 0 && !onB.contains(queue.ItemIndex()))
        onB[queue.ItemIndex()] = onAir == Channels[1].StreamB();
}

void PlaybackFixture::RunUntil(int64_t frames, const std::map<int64_t, std::function<void()>>& actions)
{
    for (int64_t frame = static_cast<int64_t>(output.size() / 2); frame < frames; frame += Block) {
        if (const auto action = actions.find(frame); action != actions.end()) {
            action->second();
            Deliver();
        }
        ASSERT_TRUE(audiolib::NullAdvance(Block));
        const std::vector<float> block = audiolib::NullCapture();
        output.insert(output.end(), block.begin(), block.end());
        BlockRendered();
        Deliver();
    }
}

void PlaybackFixture::ExpectHeard(const std::vector<THeard>& heard, int64_t from) const
{
    const auto frames = static_cast<int64_t>(output.size() / 2);
    for (int64_t frame = from; frame < frames; ++frame) {
        for (int side = 0; side < 2; ++side) {
            double expected = 0.0;
            for (const THeard& entry : heard)
                if (entry.side == side)
                    expected += entry.level * Gain(entry, frame);
            const float actual = output[static_cast<size_t>(2 * frame + side)];
            const bool same = expected == 0.0 ? actual == 0.0f : std::abs(actual - expected) <= 1e-5;
            if (!same) {
                ADD_FAILURE() << "frame " << frame << (side == 0 ? " left " : " right ") << actual
                              << ", expected " << expected;
                return;
            }
        }
    }
}

int PlaybackFixture::LogCount(const QString& text) const
{
    return static_cast<int>(std::count_if(logLines.begin(), logLines.end(),
                                          [&](const QString& line) { return line.endsWith(text); }));
}
