#pragma once
// A playout channel on air: WM_PLAYNEXT moves it to the entry after the current one, file entries
// start with their volume, fade-in and syncs, the crossfade point fades the entry out while the next
// one fades in, the end of the queue stops or starts over, and the transport (Play/Pause, Stop,
// Stop all, jumps, fade-out, volume) acts on the slot. Non-visual: the channel window mirrors the
// state kept here and in the queue.
//
// The audio library's sync procedures only post WM_PLAYNEXT or WM_CROSSFADEPOINT to this object,
// with the stream that fired as wParam; a posted message with wParam 0 comes from the channel itself
// or from outside and always acts. A message of a stream that is not on air in the slot any more (it
// was faded, stopped or jumped away from) is a late one and is ignored.
#include "audiolib/AudioLib.h"
#include "platform/Messages.h"
#include "playout/NextEntryOpener.h"
#include "playout/TemaData.h"

#include <QObject>
#include <QString>

#include <functional>

class TChannelQueue;

namespace platform {
class MessageEvent;
}

class TChannelPlayback : public QObject {
    Q_OBJECT
public:
    explicit TChannelPlayback(TChannelQueue& queue, QObject* parent = nullptr);
    ~TChannelPlayback() override;

    // Control state the window mirrors: BRepeat down, BRnd down, the VolumeCtrl position (0..100).
    bool Repeat = false;
    bool Random = false;
    int Volume() const { return volume_; }
    // The knob moved: the current stream takes the new volume at once.
    void SetVolume(int volume);

    // WM_PLAYNEXT, WM_CROSSFADEPOINT and WM_ENTRYOPENED, from this object's event() or forwarded by
    // the window; false for any other message.
    bool HandleMessage(const platform::MessageEvent& message);

    // Nothing plays or waits paused: the queue is empty or ended, or the channel was stopped. Only
    // then does a WM_PLAYNEXT from outside start it without cutting an entry.
    bool Idle() const;

    // Makes entry index the next to start, stopping what the channel plays, and posts WM_PLAYNEXT.
    void PlayItemAt(int index);
    // Starts the entry by its kind: a file, a line-in entry, or a label, which is passed over.
    void PlayItem(int index);
    void PausePlayback();
    void ResumePlayback();

    // The transport; `down` is the Play button's state after the click.
    void PlayPauseClick(bool down);
    void StopClick();
    void StopAll();
    // Slides the current stream to silence over the fade-out length; the next entry starts then. While
    // the current stream already fades out, nothing changes.
    void FadeOut();

    // Initialises the slot's output device and posts WM_PLAYNEXT; on failure the "Media Error" box.
    // False when the device could not be initialised.
    bool InitOutputDevice();

    // Starts a line-in entry; set by the line-in feature. Without it a line-in entry holds the
    // channel where it is.
    std::function<void(const TTemaData& entry)> PlayLineInItem;
    // What the channel's own advances carry; Stop, Stop all and jumps change it.
    platform::LParam AdvanceToken() const { return advanceToken_; }
    // While set (0..100), entries start at this volume instead of the knob's: the microphone ducks
    // the channel. -1: the knob's.
    void SetDuck(int volume) { duck_ = volume; }

    // The next file entry, opened ahead while the current one plays.
    TNextEntryOpener& NextEntry() { return nextEntry_; }

signals:
    void TitleShown(const QString& title);
    void BitrateShown(const QString& text);
    // The end of the queue without repeat: the Play button goes up.
    void PlayButtonRaised();
    // The list scrolls one line down as the channel moves on.
    void ScrollLineDown();
    // A file entry started on the slot's current stream, at its own rate.
    void FileEntryStarted();
    // A file entry started on the slot's current stream: the effects window adds its effects now.
    void ApplyFX();
    // The channel leaves its current entry: it moves on, stops or jumps.
    void LeavingEntry();

protected:
    bool event(QEvent* event) override;

private:
    TChannelQueue& queue_;
    int channelNo_;
    int volume_ = 0;
    int duck_ = -1;
    int AirVolume() const { return duck_ >= 0 ? duck_ : volume_; }
    // Entries passed since an entry last started; a repeating queue in which every entry fails
    // stops instead of starting over for ever.
    int idleSteps_ = 0;
    // The channel's own advances past an entry it did not start carry this as lParam; Stop, Stop all
    // and a jump change it, so an advance still queued from before them does nothing.
    platform::LParam advanceToken_ = 1;
    // The stream that started rising from silence last, and the one a fade-out or a crossfade point
    // last slid down.
    audiolib::Handle fadingIn_ = 0;
    audiolib::Handle fadingOut_ = 0;
    TNextEntryOpener nextEntry_{this};
    // The file entry whose turn came while the worker still opened it: it starts once the worker is
    // done, unless the channel has moved on by then (index -1: none waits).
    struct Awaited {
        int index = -1;
        platform::LParam token = 0;
        QString path;
    };
    Awaited awaited_;

    void PlayNext(audiolib::Handle stream, platform::LParam token);
    void EntryOpened();
    void CrossfadePoint(audiolib::Handle stream);
    // The end of the queue, or a transport command on an empty one: stopped, emptied, Play up.
    void StopAndEmpty();
    void PlayFileItem(const TTemaData& entry);
    // Not started (missing, unreadable or passed over): the channel goes on to the next entry.
    void SkipEntry();
    void PostPlayNext();
    // Has the file entry that follows the one on air opened ahead; with nothing on air, or no file
    // entry next, nothing is kept open.
    void OpenNextAhead();
    // The path of the file entry that starts after the current one on its own; empty when none does
    // or it cannot be known yet (a shuffled start-over).
    QString NextFile() const;
    void CancelQueuedAdvances() { ++advanceToken_; }
    // The slot's current stream is paused.
    bool StreamPaused() const;
    // The current entry is a line-in entry: while the channel is paused, the line input has the air.
    bool LineInEntryOnAir() const;
};
