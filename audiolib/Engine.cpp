#include "audiolib/Engine.h"

#include "audiolib/DeviceList.h"
#include "audiolib/InsideMix.h"
#include "audiolib/LastError.h"
#include "audiolib/Mixer.h"

#include <algorithm>

namespace audiolib {

namespace {
// This thread's open batches, one per device at most.
struct OpenBatch {
    int device = -1;
    std::vector<std::pair<Handle, StreamChange>> changes;
};
thread_local std::vector<OpenBatch> openBatches;

OpenBatch* FindBatch(int device)
{
    const auto it = std::find_if(openBatches.begin(), openBatches.end(),
                                 [device](const OpenBatch& batch) { return batch.device == device; });
    return it == openBatches.end() ? nullptr : &*it;
}
} // namespace

Engine& Engine::Instance()
{
    static Engine engine;
    return engine;
}

thread_local int Engine::current_ = -1;

Engine::Engine()
{
    MutexLock table(tableMutex_);
    devices_.resize(static_cast<size_t>(OutputDeviceCount()));
}

Engine::~Engine()
{
    for (int index = 0; index < OutputDeviceCount(); ++index) {
        std::vector<std::unique_ptr<Stream>> streams;
        std::shared_ptr<Device> device;
        {
            MutexLock table(tableMutex_);
            device = DetachDevice(index, streams);
        }
        if (device)
            device->Shutdown();
    }
}

int Engine::Init(int index, int freq)
{
    if (index < 0 || index >= OutputDeviceCount())
        return ErrorDevice;
    if (FindDevice(index) != nullptr)
        return ErrorAlready;
    if (freq <= 0)
        return ErrorIllParam;
    const Config config = CurrentConfig();
    auto device = std::make_shared<Device>(index, freq, config, CreateOutputBackend(index, config));
    MutexLock table(tableMutex_);
    std::shared_ptr<Device>& slot = devices_[static_cast<size_t>(index)];
    if (slot != nullptr)
        return ErrorAlready; // another thread was quicker
    slot = std::move(device);
    current_ = index;
    return ErrorOk;
}

int Engine::Select(int index)
{
    if (index < 0 || index >= OutputDeviceCount())
        return ErrorDevice;
    MutexLock table(tableMutex_);
    if (devices_[static_cast<size_t>(index)] == nullptr)
        return ErrorInit;
    current_ = index;
    return ErrorOk;
}

int Engine::CurrentIndex()
{
    MutexLock table(tableMutex_);
    return current_ >= 0 && devices_[static_cast<size_t>(current_)] != nullptr ? current_ : -1;
}

std::shared_ptr<Device> Engine::FindDevice(int index)
{
    MutexLock table(tableMutex_);
    if (index < 0 || index >= static_cast<int>(devices_.size()))
        return nullptr;
    return devices_[static_cast<size_t>(index)];
}

int Engine::MissingDeviceError(int index)
{
    return index < 0 || index >= OutputDeviceCount() ? ErrorDevice : ErrorInit;
}

std::shared_ptr<Device> Engine::CurrentDevice()
{
    MutexLock table(tableMutex_);
    return current_ >= 0 ? devices_[static_cast<size_t>(current_)] : nullptr;
}

int Engine::PauseCurrent()
{
    MutexLock table(tableMutex_);
    if (current_ < 0 || devices_[static_cast<size_t>(current_)] == nullptr)
        return ErrorInit;
    Device& device = *devices_[static_cast<size_t>(current_)];
    MixLock mix(device);
    for (Stream* stream : device.streams) {
        if (stream->state == StreamState::Playing)
            stream->state = StreamState::Paused;
    }
    return ErrorOk;
}

int Engine::FreeCurrent()
{
    std::vector<std::unique_ptr<Stream>> streams;
    std::shared_ptr<Device> device;
    {
        MutexLock table(tableMutex_);
        if (current_ < 0 || devices_[static_cast<size_t>(current_)] == nullptr)
            return ErrorInit;
        {
            // From inside one of its own sync procedures the device cannot wait for that procedure.
            Device& current = *devices_[static_cast<size_t>(current_)];
            MixLock mix(current);
            if (current.runningStream != 0 && current.runningThread == std::this_thread::get_id())
                return ErrorUnknown;
        }
        device = DetachDevice(current_, streams);
    }
    device->Shutdown();
    return ErrorOk;
}

std::shared_ptr<Device> Engine::DetachDevice(int index, std::vector<std::unique_ptr<Stream>>& streams)
{
    std::shared_ptr<Device> device = std::move(devices_[static_cast<size_t>(index)]);
    if (device == nullptr)
        return nullptr;
    MixLock mix(*device);
    for (Stream* stream : device->streams) {
        const auto it = streams_.find(stream->handle);
        streams.push_back(std::move(it->second));
        streams_.erase(it);
    }
    device->streams.clear();
    device->closing = true;
    device->procedureDone.NotifyAll();
    return device;
}

bool Engine::OpenOutput(Device& device)
{
    if (device.Opened())
        return true;
    return device.Open([this, &device](float* out, int64_t frames) { Render(device, out, frames); },
                       [this, &device](const SyncEvent& event) { Deliver(device, event); });
}

Handle Engine::AddStream(const std::shared_ptr<Device>& device, std::unique_ptr<Stream> stream)
{
    const Handle handle = stream->handle;
    {
        MutexLock table(tableMutex_);
        if (devices_[static_cast<size_t>(device->index)] == device) {
            MixLock mix(*device);
            device->streams.push_back(stream.get());
            streams_.emplace(handle, std::move(stream));
            SetLastError(ErrorOk);
            return handle;
        }
    }
    SetLastError(ErrorInit);
    return 0; // the stream is destroyed here, with no lock held
}

template <typename Keep> std::unique_ptr<Stream> Engine::Unlist(Handle handle, Keep&& keep)
{
    std::unique_ptr<Stream> stream;
    std::shared_ptr<Device> device;
    {
        MutexLock table(tableMutex_);
        const auto it = streams_.find(handle);
        if (it == streams_.end())
            return nullptr;
        device = devices_[static_cast<size_t>(it->second->device)];
        MixLock mix(*device);
        if (keep(*it->second))
            return nullptr;
        stream = std::move(it->second);
        streams_.erase(it);
        std::erase(device->streams, stream.get());
    }
    // Unlisted, the stream starts no more procedures; one may still be running.
    MixLock mix(*device);
    WaitForProcedures(*device, mix, handle);
    return stream;
}

int Engine::FreeStream(Handle handle)
{
    if (Unlist(handle, [](const Stream&) { return false; }) == nullptr)
        return ErrorHandle;
    return ErrorOk;
}

int Engine::StreamCount()
{
    MutexLock table(tableMutex_);
    return static_cast<int>(streams_.size());
}

int Engine::BeginBatch(int index)
{
    if (FindDevice(index) == nullptr)
        return MissingDeviceError(index);
    if (FindBatch(index) != nullptr)
        return ErrorAlready;
    openBatches.push_back({index, {}});
    return ErrorOk;
}

int Engine::EndBatch(int index)
{
    OpenBatch* open = FindBatch(index);
    if (open == nullptr)
        return ErrorNotAvail;
    OpenBatch batch = std::move(*open);
    std::erase_if(openBatches, [index](const OpenBatch& other) { return other.device == index; });
    MutexLock table(tableMutex_);
    const std::shared_ptr<Device>& device = devices_[static_cast<size_t>(index)];
    if (device == nullptr)
        return ErrorInit;
    // Between two of the mixer's periods: the changes are heard together.
    MixLock mix(*device);
    for (const auto& [handle, change] : batch.changes) {
        if (Stream* stream = device->FindStream(handle))
            ApplyChange(*stream, change, device->rate);
    }
    return ErrorOk;
}

bool Engine::Batched(int device, Handle stream, const StreamChange& change)
{
    OpenBatch* batch = FindBatch(device);
    if (batch == nullptr)
        return false;
    batch->changes.emplace_back(stream, change);
    return true;
}

void Engine::Render(Device& device, float* out, int64_t frames)
{
    std::fill(out, out + frames * 2, 0.0f);
    MixLock mix(device);
    int64_t done = 0;
    while (done < frames && !device.closing) {
        const MixContext context{device.framesMixed.load(), device.maxVol, device.manual, device.rate,
                                 device.periodFrames};
        device.events.clear();
        int64_t rendered = 0;
        {
            const MixingScope mixing;
            rendered = MixSegment(device.streams, context, out + done * 2, frames - done, device.events);
        }
        device.framesMixed += rendered;
        done += rendered;
        if (device.events.empty())
            continue;
        if (!device.manual) {
            device.Dispatch(device.events);
            continue;
        }
        // Manual clock: deliver here, so a procedure's changes apply from the next frame.
        device.delivered.swap(device.events);
        for (size_t i = 0; i < device.delivered.size(); ++i) {
            const SyncEvent event = device.delivered[i];
            mix.Unlock();
            Deliver(device, event);
            mix.Lock();
        }
        device.delivered.clear();
    }
    mix.Unlock();
    ClipBlock(out, frames);
}

void Engine::Deliver(Device& device, const SyncEvent& event)
{
    MixLock mix(device);
    Stream* stream = device.FindStream(event.stream);
    if (stream == nullptr || stream->stops != event.stops)
        return;
    if (event.sync == 0) {
        mix.Unlock();
        // Auto-free, unless the stream was repositioned or replayed since it ended.
        Unlist(event.stream, [&event](const Stream& ended) REQUIRES(mixLocks) {
            return ended.stops != event.stops || ended.generation != event.generation || !ended.atEnd ||
                   ended.state != StreamState::Stopped;
        });
        return;
    }
    const auto it = std::find_if(stream->syncs.begin(), stream->syncs.end(),
                                 [&](const SyncPoint& sync) { return sync.handle == event.sync; });
    if (it == stream->syncs.end())
        return;
    const SyncProc proc = it->proc;
    void* const user = it->user;
    if (it->oneTime)
        stream->syncs.erase(it);
    const Handle previousStream = device.runningStream;
    const std::thread::id previousThread = device.runningThread;
    device.runningStream = event.stream;
    device.runningThread = std::this_thread::get_id();
    mix.Unlock();
    proc(event.sync, event.stream, event.data, user);
    mix.Lock();
    device.runningStream = previousStream;
    device.runningThread = previousThread;
    device.procedureDone.NotifyAll();
}

void WaitForProcedures(Device& device, MixLock& lock, Handle handle)
{
    while (!device.closing && device.runningStream == handle &&
           device.runningThread != std::this_thread::get_id())
        lock.Wait(device.procedureDone);
}

} // namespace audiolib
