#pragma once
// The pre-listen player on slot 4, its own output device: one file at a time, with stop, restart,
// volume and mute, a position in percent that the user can move to seek, and a stop of its own at
// the file's end. Non-visual: the CUE window mirrors the state kept here (its status text, the
// position bar and the volume bar).
//
// The file's one-time end sync only posts WM_CUEEND to this object with its stream as wParam; an end
// of a stream that is not the slot's current one any more (the next file started meanwhile) is a late
// one and is ignored.
#include "audiolib/AudioLib.h"

#include <QObject>
#include <QString>

namespace platform {
class MessageEvent;
}

class TCUEPlayback : public QObject {
    Q_OBJECT
public:
    static constexpr int PositionMin = 1; // the position bar's range, in percent
    static constexpr int PositionMax = 100;
    static constexpr int DesignVolume = 50; // the volume bar's place before the set-up

    explicit TCUEPlayback(QObject* parent = nullptr);

    // Control state the window mirrors.
    const QString& StatusText() const { return statusText_; }
    int Position() const { return position_; }
    int Volume() const { return volume_; }
    int SavedVolume() const { return savedVolume_; }
    const QString& LastFile() const { return lastFile_; }
    int LengthSec() const { return lengthSec_; }

    // The set-up of the window's first showing: the saved cue volume, then the output device.
    void SetUp();

    // Stops what plays; a missing file ends there, silently. Otherwise the status shows the file's
    // name, the window is asked to show, and the file plays.
    void PlayFile(const QString& path);
    // Opens and plays path on the slot; a file the library cannot open shows the "BAD theme?" box.
    void OpenAndPlay(const QString& path);
    void StopPlayer();
    // The last file again from its start; nothing before any file.
    void Restart() { PlayFile(lastFile_); }

    // The volume bar moved (0..100): the stream takes it at once.
    void SetVolume(int volume);
    // On: the volume is kept to restore and goes to 0. Off: the kept volume returns and 0 is kept.
    void SetMuted(bool on);
    // Initialises the slot's output device (the set-up, and the device window's Apply).
    bool InitOutputDevice();

    // The position timer's tick: the bar follows the stream while the slot plays.
    void PositionTick();
    // The user moved the bar: the stream seeks there while the slot plays.
    void Seek(int position);

    // WM_CUEEND, from this object's event() or forwarded by the window; false for any other message.
    bool HandleMessage(const platform::MessageEvent& message);

signals:
    void StatusShown(const QString& text);
    // The bar is moved by the player (the tick, a stop), never by the user: it must not seek.
    void PositionShown(int position);
    void VolumeShown(int volume);
    // PlayFile wants the window on screen and on top.
    void ShowRequested();

protected:
    bool event(QEvent* event) override;

private:
    QString statusText_;
    int position_ = PositionMin;
    int volume_ = DesignVolume;
    int savedVolume_ = 0;
    QString lastFile_;
    int lengthSec_ = 0;

    void ShowStatus(const QString& text);
    void ShowPosition(int position);
};
