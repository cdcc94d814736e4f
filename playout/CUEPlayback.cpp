#include "playout/CUEPlayback.h"

#include "foundation/Options.h"
#include "foundation/Strings.h"
#include "platform/Messages.h"
#include "platform_gui/Dialogs.h"
#include "playout/AudioLayer.h"
#include "playout/SlotDevice.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// The one-time end sync runs on the audio library's thread: it only posts, naming its stream.
void PostCueEndProc(audiolib::Handle, audiolib::Handle stream, uint32_t, void* user)
{
    platform::PostMessage(static_cast<QObject*>(user), platform::WM_CUEEND, stream);
}

} // namespace

TCUEPlayback::TCUEPlayback(QObject* parent) : QObject(parent)
{
    platform::RegisterWindow(this, QStringLiteral("TCUEPlayback"));
}

void TCUEPlayback::SetUp()
{
    SetVolume(StationOptions.ChannelVolume[CueSlot]);
    savedVolume_ = volume_;
    InitOutputDevice();
}

void TCUEPlayback::PlayFile(const QString& path)
{
    StopPlayer();
    if (!QFileInfo(path).isFile())
        return;
    ShowStatus(QFileInfo(path).fileName());
    emit ShowRequested();
    OpenAndPlay(path);
}

void TCUEPlayback::OpenAndPlay(const QString& path)
{
    if (path.isEmpty())
        return;
    lastFile_ = path;
    ChannelStop(CueSlot);
    QString errorText;
    bool played = ChannelOpenFile(CueSlot, lastFile_, lengthSec_, errorText);
    if (played) {
        // The end sync is in place before the stream starts, so a very short file cannot end unseen,
        // and so is the volume: a muted player must not sound for a moment at full volume.
        ChannelSetSync(CueSlot, SyncEndOfStream | SyncOnce, 0, PostCueEndProc, static_cast<QObject*>(this));
        ChannelSetVolume(CueSlot, volume_);
        played = ChannelStartFile(CueSlot, errorText);
    }
    // A failed start leaves no stream in the slot.
    if (!played)
        platform::ShowMessage(QStringLiteral("Error opening theme. BAD theme? ") + Quoted(lastFile_));
}

void TCUEPlayback::StopPlayer()
{
    if (ChannelIsActive(CueSlot))
        ChannelStop(CueSlot);
    ShowStatus(QString());
    ShowPosition(PositionMin);
}

void TCUEPlayback::SetVolume(int volume)
{
    volume_ = volume;
    ChannelSetVolume(CueSlot, volume);
    emit VolumeShown(volume);
}

void TCUEPlayback::SetMuted(bool on)
{
    if (on) {
        savedVolume_ = volume_;
        SetVolume(0);
    } else {
        SetVolume(savedVolume_);
        savedVolume_ = 0;
    }
}

bool TCUEPlayback::InitOutputDevice()
{
    return InitSlotOutputDevice(CueSlot);
}

void TCUEPlayback::PositionTick()
{
    // A file under a second has no whole second to divide by: the bar stays where it is.
    if (!ChannelIsActive(CueSlot))
        return;
    // The length stated when the file opened may since have become the exact one.
    lengthSec_ = ChannelLengthSeconds(CueSlot);
    if (lengthSec_ <= 0)
        return;
    ShowPosition(
        static_cast<int>(int64_t{ChannelPositionSeconds(CueSlot)} * 1000 / (int64_t{lengthSec_} * 10)));
}

void TCUEPlayback::Seek(int position)
{
    position_ = std::clamp(position, PositionMin, PositionMax);
    if (ChannelIsActive(CueSlot))
        ChannelSetPositionFraction(CueSlot, position_ / 100.0);
}

bool TCUEPlayback::event(QEvent* event)
{
    if (const auto* message = platform::AsMessage(event); message != nullptr && HandleMessage(*message))
        return true;
    return QObject::event(event);
}

bool TCUEPlayback::HandleMessage(const platform::MessageEvent& message)
{
    if (message.Msg() != platform::WM_CUEEND)
        return false;
    const auto stream = static_cast<audiolib::Handle>(message.WParamValue());
    if (stream != 0 && stream == ChannelStream(CueSlot))
        StopPlayer();
    return true;
}

void TCUEPlayback::ShowStatus(const QString& text)
{
    statusText_ = text;
    emit StatusShown(text);
}

void TCUEPlayback::ShowPosition(int position)
{
    position_ = std::clamp(position, PositionMin, PositionMax);
    emit PositionShown(position_);
}
