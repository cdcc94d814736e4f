#include "playout/ChannelPlayback.h"

#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/QueueEntryText.h"
#include "foundation/Strings.h"
#include "platform/Messages.h"
#include "playout/AudioLayer.h"
#include "playout/ChannelQueue.h"
#include "playout/SlotBatch.h"
#include "playout/SlotDevice.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

constexpr int ModuleChannel = 10;
constexpr int ModuleQueue = 200;
constexpr int EventItem = 100;
constexpr int EventResuming = 101;
constexpr int EventPausing = 103;

// The sync procedures run on the audio library's thread: they only post, naming their stream.
void PostPlayNextProc(audiolib::Handle, audiolib::Handle stream, uint32_t, void* user)
{
    platform::PostMessage(static_cast<QObject*>(user), platform::WM_PLAYNEXT, stream);
}

void PostCrossfadePointProc(audiolib::Handle, audiolib::Handle stream, uint32_t, void* user)
{
    platform::PostMessage(static_cast<QObject*>(user), platform::WM_CROSSFADEPOINT, stream);
}

} // namespace

TChannelPlayback::TChannelPlayback(TChannelQueue& queue, QObject* parent)
    : QObject(parent), queue_(queue), channelNo_(queue.ChannelNo())
{
    platform::RegisterWindow(this, QStringLiteral("TChannelPlayback"));
    // Any change of the queue may change what follows the entry on air; queued, so the current
    // index has been brought in line with the change by then.
    for (const auto signal : {&TChannelQueue::rowsInserted, &TChannelQueue::rowsRemoved})
        connect(&queue_, signal, this, &TChannelPlayback::OpenNextAhead, Qt::QueuedConnection);
    connect(&queue_, &TChannelQueue::layoutChanged, this, &TChannelPlayback::OpenNextAhead,
            Qt::QueuedConnection);
    connect(&queue_, &TChannelQueue::modelReset, this, &TChannelPlayback::OpenNextAhead,
            Qt::QueuedConnection);
}

TChannelPlayback::~TChannelPlayback() = default;

void TChannelPlayback::SetVolume(int volume)
{
    volume_ = volume;
    // A fade-out runs to its end and its advance: the knob is for what starts next.
    const audiolib::Handle onAir = ChannelStream(channelNo_);
    if (onAir == 0 || onAir != fadingOut_)
        ChannelSetVolume(channelNo_, volume);
}

bool TChannelPlayback::event(QEvent* event)
{
    if (const auto* message = platform::AsMessage(event); message != nullptr && HandleMessage(*message))
        return true;
    return QObject::event(event);
}

bool TChannelPlayback::HandleMessage(const platform::MessageEvent& message)
{
    const auto stream = static_cast<audiolib::Handle>(message.WParamValue());
    switch (message.Msg()) {
    case platform::WM_PLAYNEXT:
        PlayNext(stream, message.LParamValue());
        return true;
    case platform::WM_CROSSFADEPOINT:
        CrossfadePoint(stream);
        return true;
    case platform::WM_ENTRYOPENED:
        EntryOpened();
        return true;
    default:
        return false;
    }
}

void TChannelPlayback::PlayNext(audiolib::Handle stream, platform::LParam token)
{
    if (stream != 0 && stream != ChannelStream(channelNo_))
        return;
    if (token != 0 && token != advanceToken_)
        return;
    emit LeavingEntry();
    // The channel moving on by itself while the operator paused: the next entry waits, paused.
    const bool stayPaused = queue_.Paused && (stream != 0 || token != 0);
    const int count = queue_.Count();
    if (count == 0)
        return;
    const int current = queue_.ItemIndex();
    if (current > 0)
        emit ScrollLineDown();
    int next = current + 1;
    if (next >= count) {
        if (!Repeat) {
            // The entry that moved the channel here has ended or faded out: its stop is not news.
            if (stream != 0)
                ChannelStop(channelNo_);
            StopAndEmpty();
            return;
        }
        if (idleSteps_ >= count) {
            WriteLog(1, 1, ModuleChannel, EventItem, channelNo_,
                     QStringLiteral("Repeating themes stopped: no theme could be played."));
            StopAndEmpty();
            return;
        }
        WriteLog(1, 0, ModuleQueue, channelNo_, -1, QStringLiteral("Repeating themes"));
        queue_.RecomputeTotal();
        // Taken after the drop, so the dropped entries do not count as still to play.
        queue_.SetRemainingMs(queue_.TotalMs());
        if (queue_.Count() == 0) {
            StopAndEmpty();
            return;
        }
        next = 0;
    }
    // The shuffle keeps the current index on its entry, so the start is set after it.
    if (next == 0 && Random)
        queue_.ShuffleItems(true);
    // The entry on air hands over: it ends or fades out on its own beside the next one.
    Channels[channelNo_].ReleaseAir();
    queue_.SetItemIndex(next);
    queue_.Paused = stayPaused;
    queue_.SetOnAir(false);
    PlayItem(next);
}

void TChannelPlayback::CrossfadePoint(audiolib::Handle stream)
{
    if (stream == 0 || stream != ChannelStream(channelNo_) || !StationOptions.CrossfadeEnabled[channelNo_])
        return;
    fadingOut_ = stream;
    ChannelSlide(channelNo_, KeepFrequency, 0, KeepPan,
                 uint32_t(StationOptions.FadeInterval[channelNo_]) * 1000);
    // Named by the stream, so a stop or a jump before it arrives makes it a late one. A start-over
    // crossfades like any next entry.
    if (queue_.ItemIndex() < queue_.Count() - 1 || Repeat)
        platform::PostMessage(this, platform::WM_PLAYNEXT, stream);
    else // nothing starts now: the channel moves on when the fade ends, not seconds later at the end
        ChannelSetSync(channelNo_, SyncOnce | SyncSlideEnd, 0, PostPlayNextProc, static_cast<QObject*>(this));
}

void TChannelPlayback::EntryOpened()
{
    const Awaited awaited = std::exchange(awaited_, Awaited());
    // Started only when nothing has moved the channel on meanwhile.
    const int index = queue_.ItemIndex();
    if (awaited.index < 0 || awaited.index != index || awaited.token != advanceToken_ ||
        index >= queue_.Count() || queue_.Entry(index).FileName != awaited.path)
        return;
    PlayItem(index);
}

bool TChannelPlayback::Idle() const
{
    return !queue_.OnAir() && !queue_.Paused;
}

void TChannelPlayback::PlayItemAt(int index)
{
    emit LeavingEntry();
    // What is on air stops, whichever handle it plays on and whether or not the next entry starts.
    ChannelStop(channelNo_);
    queue_.SetItemIndex(index - 1);
    queue_.Selection().setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    idleSteps_ = 0;
    CancelQueuedAdvances();
    PostPlayNext();
}

void TChannelPlayback::PlayItem(int index)
{
    if (index < 0 || index >= queue_.Count())
        return;
    const TTemaData entry = queue_.Entry(index);
    switch (entry.Kind) {
    case ItemKindFile:
        PlayFileItem(entry);
        break;
    case ItemKindLineIn:
        if (PlayLineInItem) {
            idleSteps_ = 0;
            PlayLineInItem(entry);
        }
        break;
    default: // a label is passed over, and so is an entry of no kind the channel plays
        SkipEntry();
        break;
    }
}

void TChannelPlayback::PlayFileItem(const TTemaData& entry)
{
    const int slot = channelNo_;
    emit TitleShown(entry.Title);
    queue_.ShowCountdown(0);
    // An empty path is a missing file: left alone, it would hold the channel silent with entries left.
    const QString& path = entry.FileName;
    queue_.SetOnAir(!queue_.Paused);
    const bool crossfadeEnabled = StationOptions.CrossfadeEnabled[slot];
    if (!crossfadeEnabled)
        ChannelStopBoth(slot);
    if (!QFileInfo::exists(path)) {
        WriteLog(1, 1, ModuleChannel, EventItem, slot,
                 QStringLiteral("Opening theme. No such file ") + Quoted(path) +
                     QStringLiteral(". Go to next theme."));
        queue_.SetRemainingMs(queue_.RemainingMs() - entry.Duration * 1000);
        SkipEntry();
        return;
    }
    queue_.LastFile = path;
    emit BitrateShown(QStringLiteral("Bitrate: ") + QString::number(entry.Bitrate) +
                      QStringLiteral(" kbit/s"));
    queue_.ShowCountdown(entry.Duration * 1000);

    const bool crossfaded = crossfadeEnabled && entry.Duration > StationOptions.CrossfadeMin[slot];
    QString errorText; // the log line names the file; the reason is not kept
    // Opened ahead on the worker as a rule; else opened here, before the batch, so the entry fading
    // out goes on sounding meanwhile.
    bool opening = false;
    const audiolib::Handle ready = nextEntry_.Take(SlotDeviceIndex(slot), path, opening);
    if (opening) {
        // Its turn came while the worker still opens it (a slow disk, or an early advance): it starts
        // as soon as the worker is done; the GUI thread does not wait for it.
        awaited_ = {queue_.ItemIndex(), advanceToken_, path};
        return;
    }
    awaited_ = Awaited();
    bool started = true;
    if (ready != 0)
        ChannelPutOnAir(slot, ready, queue_.LengthSec);
    else
        started = ChannelOpenFile(slot, path, queue_.LengthSec, errorText);
    if (started) {
        // While the operator paused, the entry starts silent and is paused at once; its volume,
        // fade and syncs wait with it for Play.
        const bool startPaused = queue_.Paused;
        if (startPaused) {
            ChannelSetVolume(slot, 0);
            started = ChannelStartFile(slot, errorText) && ChannelPause(slot);
        }
        // Heard as one: a fading-in entry never sounds at full volume before its fade begins.
        const TSlotBatch batch(slot);
        if (started && !startPaused)
            started = ChannelStartFile(slot, errorText);
        if (started) {
            void* const target = static_cast<QObject*>(this);
            fadingIn_ = crossfaded ? ChannelStream(slot) : 0;
            if (crossfaded) {
                const int crossfadeSeconds = StationOptions.CrossfadeInterval[slot];
                ChannelSetVolume(slot, 0);
                ChannelSlide(slot, KeepFrequency, AirVolume(), KeepPan, uint32_t(crossfadeSeconds) * 1000);
                // Counted back from the end: the length stated when a file opens may still change to
                // what really decodes, and the point moves with it.
                ChannelSetSync(slot, SyncOnce | SyncPosition | SyncBeforeEnd,
                               ChannelSecondsToBytes(slot, crossfadeSeconds), PostCrossfadePointProc, target);
            } else {
                ChannelSetVolume(slot, AirVolume());
            }
            // Every entry ends into the next while it is still the active one, so an entry whose
            // point never comes (a seek past it, a shorter real length, no next entry then) does
            // not leave the channel silent.
            ChannelSetSync(slot, SyncOnce | SyncEndOfStream, 0, PostPlayNextProc, target);
        }
    }
    if (!started) {
        WriteLog(1, 1, ModuleChannel, EventItem, slot,
                 QStringLiteral("Opening theme. BAD theme? ") + Quoted(path));
        SkipEntry();
        return;
    }
    OpenNextAhead();
    emit FileEntryStarted();
    emit ApplyFX();
    ++PlayCounter;
    idleSteps_ = 0;
    WriteLog(1, 0, ModuleChannel, EventItem, slot,
             path + QStringLiteral(" (") + QString::number(PlayCounter) + u')');
}

void TChannelPlayback::SkipEntry()
{
    ++idleSteps_;
    platform::PostMessage(this, platform::WM_PLAYNEXT, 0, advanceToken_);
}

void TChannelPlayback::PostPlayNext()
{
    platform::PostMessage(this, platform::WM_PLAYNEXT);
}

void TChannelPlayback::OpenNextAhead()
{
    const QString path = NextFile();
    if (path.isEmpty())
        nextEntry_.Drop();
    else
        nextEntry_.Want(SlotDeviceIndex(channelNo_), path);
}

QString TChannelPlayback::NextFile() const
{
    if (ChannelStream(channelNo_) == 0)
        return {};
    int next = queue_.ItemIndex() + 1;
    if (next >= queue_.Count()) {
        if (!Repeat || Random)
            return {};
        // The start-over drops the entries not kept first.
        next = 0;
        while (next < queue_.Count() && queue_.Entry(next).Keep == 0)
            ++next;
        if (next >= queue_.Count())
            return {};
    }
    const TTemaData& entry = queue_.Entry(next);
    return entry.Kind == ItemKindFile ? entry.FileName : QString();
}

void TChannelPlayback::PausePlayback()
{
    ChannelPause(channelNo_);
    WriteLog(2, 0, ModuleChannel, EventPausing, channelNo_,
             queue_.LangChannel.GetText(QStringLiteral("pausing")));
}

void TChannelPlayback::ResumePlayback()
{
    ChannelPlay(channelNo_);
    WriteLog(2, 0, ModuleChannel, EventResuming, channelNo_,
             queue_.LangChannel.GetText(QStringLiteral("resuming")));
}

void TChannelPlayback::PlayPauseClick(bool down)
{
    if (queue_.Count() == 0) {
        StopAndEmpty();
        return;
    }
    // Only what really is paused resumes: a paused stream, or a line-in entry holding the air, whose
    // countdown runs on. Anything else starts the entry as from idle.
    if (down && queue_.Paused && (StreamPaused() || LineInEntryOnAir())) {
        queue_.Paused = false;
        queue_.SetOnAir(true);
        ResumePlayback();
        return;
    }
    if (down && queue_.OnAir()) {
        queue_.Paused = true;
        queue_.SetOnAir(false);
        PausePlayback();
        return;
    }
    // Idle: the current entry starts as it is, with no advance and no shuffle; an index the
    // queue no longer reaches starts the first entry.
    queue_.Paused = false;
    queue_.SetOnAir(true);
    int index = queue_.ItemIndex();
    if (index < 0 || index >= queue_.Count())
        index = 0;
    queue_.SetItemIndex(index);
    idleSteps_ = 0;
    PlayItem(index);
}

bool TChannelPlayback::StreamPaused() const
{
    return ChannelIsActive(channelNo_) && !ChannelIsPlaying(channelNo_);
}

bool TChannelPlayback::LineInEntryOnAir() const
{
    const int index = queue_.ItemIndex();
    return index >= 0 && index < queue_.Count() && queue_.Entry(index).Kind == ItemKindLineIn;
}

void TChannelPlayback::StopClick()
{
    if (queue_.Count() == 0) {
        StopAndEmpty();
        return;
    }
    emit LeavingEntry();
    queue_.Paused = false;
    queue_.SetOnAir(false);
    queue_.UpdateTimes(TimeStop, 0);
    queue_.StopPlayback();
    CancelQueuedAdvances();
    PostPlayNext();
}

void TChannelPlayback::StopAll()
{
    emit LeavingEntry();
    queue_.Paused = false;
    queue_.SetOnAir(false);
    queue_.StopPlayback();
    queue_.SetItemIndex(-1);
    CancelQueuedAdvances();
    nextEntry_.Drop();
}

void TChannelPlayback::FadeOut()
{
    const int slot = channelNo_;
    const audiolib::Handle stream = ChannelStream(slot);
    // Pressed again, it would slide from near silence over a whole new fade: the one running goes on.
    if (stream != 0 && stream == fadingOut_)
        return;
    auto fadeMs = uint32_t(StationOptions.FadeInterval[slot]) * 1000;
    if (stream != 0 && stream == fadingIn_) {
        // Still rising from silence: fade out over the time it has risen, or not at all when it is
        // still below -40 dB, rather than hold near-silence for a whole fade.
        const double risen = audiolib::ChannelBytes2Seconds(stream, audiolib::ChannelGetPosition(stream));
        if (risen >= 0 && risen < StationOptions.CrossfadeInterval[slot]) {
            float volume = 0;
            audiolib::ChannelGetAttributes(stream, nullptr, &volume, nullptr);
            if (volume < 1.0f) {
                queue_.UpdateTimes(TimeStop, 0);
                ChannelStop(slot);
                platform::PostMessage(this, platform::WM_PLAYNEXT, 0, advanceToken_);
                return;
            }
            fadeMs = std::min(fadeMs, std::max<uint32_t>(uint32_t(risen * 1000), 1));
        }
    }
    fadingOut_ = stream;
    ChannelSlide(slot, KeepFrequency, 0, KeepPan, fadeMs);
    ChannelSetSync(slot, SyncSlideEnd, 0, PostPlayNextProc, static_cast<QObject*>(this));
    queue_.UpdateTimes(TimeFadeOut, 0);
}

bool TChannelPlayback::InitOutputDevice()
{
    if (!InitSlotOutputDevice(channelNo_))
        return false;
    // At start-up the queue has just been emptied: a message posted then would only advance the
    // entry that the start-up page starts next.
    if (queue_.Count() > 0)
        PostPlayNext();
    return true;
}

void TChannelPlayback::StopAndEmpty()
{
    nextEntry_.Drop();
    queue_.StopPlayback();
    queue_.ResetChannel();
    idleSteps_ = 0;
    emit PlayButtonRaised();
}
