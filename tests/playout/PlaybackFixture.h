#pragma once
// Channel 1 playing on device 0's manual clock: crossfade on (2 s, minimum 3 s), fade-out 1 s, knob
// at 80, a fixed clock for the log. A run renders 441-frame blocks and, after each, delivers the
// messages the syncs posted, keeping the output, the sequence of current entries, and the handle
// each file entry started on.
#include "QueueFixture.h"
#include "platform/Clock.h"
#include "playout/ChannelPlayback.h"

#include <QList>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

// Counts the messages that reach a player (only those numbered `msg`, unless it is 0), so a test
// knows when none is left and which arrived.
class MessageCounter : public QObject {
public:
    MessageCounter(int& count, QObject* watched, unsigned msg = 0);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int& count_;
    unsigned msg_;
};

// One entry as it should be heard, in output frames.
struct THeard {
    int side;      // 0 left, 1 right: the only side its file is not silent on
    double level;  // the file's constant value on that side
    int64_t start; // its first frame
    int64_t end;   // the frame after its last
    bool fadeIn = false;
    int64_t fadeOutAt = -1; // where its slide to silence begins
    int64_t pauseAt = -1;   // where it is paused for pauseFrames
    int64_t pauseFrames = 0;
    int64_t fadeOutFrames = 44100; // the length of its slide to silence
    // When given, its volume instead of the above: the frames where it reaches each value, linear
    // between them and held before the first and after the last.
    std::vector<std::pair<int64_t, double>> volumes = {};
};

// Public, so the steps of a table of runs can reach it.
class PlaybackFixture : public QueueFixture {
public:
    static constexpr int64_t Block = 441;
    static constexpr int64_t Second = 44100;

    PlaybackFixture();
    ~PlaybackFixture() override;
    void TearDown() override;

    platform::ManualClock clock;
    TChannelQueue queue{1};
    TChannelPlayback playback{queue};

    std::vector<float> output; // stereo frames rendered so far
    QList<int> indexes;        // every index the playback moved to
    std::map<int, bool> onB;   // for each entry started: whether it played on StreamB
    int playButtonRaised = 0;  // ends of the queue that raised the Play button
    int messagesDelivered = 0; // WM_PLAYNEXT and WM_CROSSFADEPOINT reaching the playback

    // A 44.1 kHz stereo 16-bit WAV whose side `side` holds `level` and the other side 0.
    QString ConstantWav(const QString& name, int seconds, int side, double level);
    // The queue of the acceptance run: a.wav, b.wav, c.wav, a label, d.wav.
    void QueueFiveEntries(uint8_t keepA = 1);
    // Appends an entry the way a folder page's drop does: the file is not read.
    void DropEntry(const QString& path, int64_t seconds);
    void SelectRows(const QList<int>& rows) { Select(queue, rows); }
    QString File(const QString& name) const { return folder.File(name); }

    // Delivers the posted messages until none is left; fails (and stops) after far too many. The
    // worker opening the next entry is let finish first, as it does well within a block of audio,
    // unless opens are held back.
    void Deliver();
    // Holds the worker's opens back, as a slow disk or a hung mount would, until ReleaseOpens (or
    // five seconds, for a channel that wrongly waits for the worker: OpensTimedOut then says so).
    void HoldOpens();
    void ReleaseOpens();
    // Waits until the worker is held in an open; false when none began within five seconds.
    bool OpenHeld();
    bool OpensTimedOut();
    // Renders up to `frames`, running each action at the start of its block.
    void RunUntil(int64_t frames, const std::map<int64_t, std::function<void()>>& actions = {});
    // After each block is rendered, before the messages are delivered: the time a test keeps beside
    // the audio moves on here.
    virtual void BlockRendered() {}
    // The output so far, from frame `from` on, against what the entries should sound like: to
    // 1e-5, and exactly 0 wherever none of them sounds. Reports the first frame that differs.
    void ExpectHeard(const std::vector<THeard>& heard, int64_t from = 0) const;
    // The log lines whose text (after date, time and codes) ends with `text`.
    int LogCount(const QString& text) const;

private:
    int64_t savedPlayCounter_;
    std::mutex opensMutex_;
    std::condition_variable opensReleased_;
    bool opensHeld_ = false;
    bool opensTimedOut_ = false;
    int opensEntered_ = 0;
    void WaitForOpens();
    void RecordStart();
};
