#include "audiolib/MemorySound.h"

#include "audiolib/AudioLib.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace audiolib {

namespace {

// The player's state. The mutex is never held while calling the library: a sync procedure takes
// it, and freeing a stream waits for that stream's running procedure.
struct Player {
    std::mutex calls; // one Play or Stop at a time; never taken by a sync procedure
    std::mutex mutex;
    std::condition_variable ended;
    int device = 1;
    Handle stream = 0;
    Handle endedStream = 0; // the last stream whose end was reached
    std::shared_ptr<const void> owner;
};

Player& ThePlayer()
{
    static Player player;
    return player;
}

// Looping sounds start again from their start; others tell a waiting caller.
void EndProc(Handle, Handle stream, uint32_t, void* loop)
{
    if (loop) {
        ChannelPlay(stream, true);
        return;
    }
    Player& player = ThePlayer();
    std::lock_guard lock(player.mutex);
    player.endedStream = stream;
    player.ended.notify_all();
}

// The stream on the device, created while the device is selected; the caller's selection is put
// back afterwards, since the current device is shared by the whole process.
Handle CreateOnDevice(int device, const void* data, int64_t size, uint32_t flags)
{
    const int previous = GetDevice();
    if (!Init(device, 44100, 0) && ErrorGetCode() != ErrorAlready)
        return 0;
    Handle stream = SetDevice(device) ? StreamCreateFile(true, data, 0, size, flags) : 0;
    if (previous >= 0 && previous != device)
        SetDevice(previous);
    return stream;
}

// Until the stream's end was reached, it was stopped or replaced, or it no longer plays (its device
// was freed, say): a caller is never left waiting on a sound that cannot end.
void WaitForEnd(Handle stream)
{
    Player& player = ThePlayer();
    std::unique_lock lock(player.mutex);
    while (player.endedStream != stream && player.stream == stream) {
        player.ended.wait_for(lock, std::chrono::milliseconds(50));
        lock.unlock();
        const bool active = ChannelIsActive(stream) == ActivePlaying;
        lock.lock();
        if (!active)
            break;
    }
}

void StopCurrent(Player& player)
{
    Handle stream;
    std::shared_ptr<const void> owner;
    {
        std::lock_guard lock(player.mutex);
        stream = player.stream;
        player.stream = 0;
        owner = std::move(player.owner);
        player.ended.notify_all();
    }
    // A sound that ended by itself has freed its stream already; the handle is then simply unknown.
    if (stream != 0)
        StreamFree(stream);
    // The bytes go only now that no stream reads them.
    owner.reset();
}

// Starts the sound; 0 when it cannot play.
Handle Start(Player& player, std::shared_ptr<const void> owner, const void* data, int64_t size, bool loop)
{
    std::lock_guard calls(player.calls);
    StopCurrent(player);
    int device;
    {
        std::lock_guard lock(player.mutex);
        device = player.device;
    }
    if (!data || size <= 0 || !GetDeviceDescription(device))
        return 0;
    const Handle stream = CreateOnDevice(device, data, size, loop ? 0 : StreamAutoFree);
    if (stream == 0)
        return 0;
    if (!ChannelSetSync(stream, SyncEnd, 0, EndProc, loop ? &player : nullptr)) {
        StreamFree(stream);
        return 0;
    }
    {
        std::lock_guard lock(player.mutex);
        player.stream = stream;
        player.owner = std::move(owner);
    }
    if (!ChannelPlay(stream, true)) {
        StopCurrent(player);
        return 0;
    }
    return stream;
}

} // namespace

bool MemorySoundPlay(std::shared_ptr<const void> owner, const void* data, int64_t size, MemorySoundMode mode)
{
    Player& player = ThePlayer();
    const Handle stream = Start(player, std::move(owner), data, size, mode == MemorySoundMode::Loop);
    if (stream != 0 && mode == MemorySoundMode::Sync)
        WaitForEnd(stream);
    return stream != 0;
}

void MemorySoundStop()
{
    Player& player = ThePlayer();
    std::lock_guard calls(player.calls);
    StopCurrent(player);
}

void MemorySoundSetDevice(int device)
{
    Player& player = ThePlayer();
    std::lock_guard lock(player.mutex);
    player.device = device;
}

int MemorySoundDevice()
{
    Player& player = ThePlayer();
    std::lock_guard lock(player.mutex);
    return player.device;
}

uint32_t MemorySoundStream()
{
    Player& player = ThePlayer();
    std::lock_guard lock(player.mutex);
    return player.stream;
}

} // namespace audiolib
