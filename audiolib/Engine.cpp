#include "audiolib/Engine.h"

#include "audiolib/DeviceList.h"
#include "audiolib/Mixer.h"

#include <algorithm>

namespace audiolib {

Engine& Engine::Instance()
{
    static Engine engine;
    return engine;
}

Engine::Engine() : devices(static_cast<size_t>(OutputDeviceCount())) {}

Engine::~Engine()
{
    for (size_t i = 0; i < devices.size(); ++i) {
        std::vector<std::unique_ptr<Stream>> streams;
        std::unique_lock lock(mutex);
        std::unique_ptr<Device> device = DetachDevice(static_cast<int>(i), streams);
        lock.unlock();
        if (device)
            device->Shutdown();
    }
}

Device* Engine::FindDevice(int index)
{
    if (index < 0 || index >= static_cast<int>(devices.size()))
        return nullptr;
    return devices[static_cast<size_t>(index)].get();
}

Stream* Engine::FindStream(Handle handle)
{
    const auto it = streams_.find(handle);
    return it == streams_.end() ? nullptr : it->second.get();
}

Handle Engine::AddStream(std::unique_ptr<Stream> stream)
{
    const Handle handle = stream->handle;
    FindDevice(stream->device)->streams.push_back(stream.get());
    streams_.emplace(handle, std::move(stream));
    return handle;
}

std::unique_ptr<Stream> Engine::DetachStream(std::unique_lock<std::mutex>& lock, Handle handle)
{
    const auto it = streams_.find(handle);
    std::unique_ptr<Stream> stream = std::move(it->second);
    streams_.erase(it);
    const int index = stream->device;
    if (Device* device = FindDevice(index))
        std::erase(device->streams, stream.get());
    WaitForProcedures(lock, index, handle);
    return stream;
}

void Engine::WaitForProcedures(std::unique_lock<std::mutex>& lock, int index, Handle handle)
{
    // A procedure of this stream may run on the sync thread; one running on this thread (a stream
    // stopping or freeing itself from its own sync) is left to finish on its own.
    callbackDone_.wait(lock, [&] {
        const Device* device = FindDevice(index);
        return device == nullptr || device->runningStream != handle ||
               device->runningThread == std::this_thread::get_id();
    });
}

std::unique_ptr<Device> Engine::DetachDevice(int index, std::vector<std::unique_ptr<Stream>>& streams)
{
    Device* device = FindDevice(index);
    if (device == nullptr)
        return nullptr;
    for (Stream* stream : device->streams) {
        const auto it = streams_.find(stream->handle);
        streams.push_back(std::move(it->second));
        streams_.erase(it);
    }
    device->streams.clear();
    device->closing = true;
    mixResume_.notify_all();
    return std::move(devices[static_cast<size_t>(index)]);
}

bool Engine::OpenOutput(Device& device)
{
    if (device.opened)
        return true;
    const OutputFormat format{device.rate, device.periodFrames};
    if (!device.backend->Open(format,
                              [this, &device](float* out, int64_t frames) { Render(device, out, frames); }))
        return false;
    if (!device.manual) {
        device.dispatcher = std::make_unique<SyncDispatcher>(
            [this, &device](const SyncEvent& event) { Deliver(device, event); },
            [&device] { return device.HeardFrames(); });
    }
    device.opened = true;
    return true;
}

void Engine::Render(Device& device, float* out, int64_t frames)
{
    std::fill(out, out + frames * 2, 0.0f);
    std::unique_lock lock(mutex);
    int64_t done = 0;
    while (done < frames) {
        // The manual clock runs on the caller's thread, which may hold the lock itself.
        if (!device.manual)
            mixResume_.wait(lock, [&] { return !device.suspended || device.closing; });
        if (device.closing)
            break;
        const MixContext context{device.framesMixed.load(), device.maxVol, device.manual, device.rate,
                                 device.periodFrames};
        device.events.clear();
        const int64_t rendered =
            MixSegment(device.streams, context, out + done * 2, frames - done, device.events);
        device.framesMixed += rendered;
        done += rendered;
        if (device.events.empty())
            continue;
        if (!device.manual) {
            device.dispatcher->Push(device.events);
            continue;
        }
        // Manual clock: deliver here, so a procedure's changes apply from the next frame.
        std::vector<SyncEvent> due;
        due.swap(device.events);
        lock.unlock();
        for (const SyncEvent& event : due)
            Deliver(device, event);
        lock.lock();
        due.clear();
        device.events.swap(due);
    }
    lock.unlock();
    ClipBlock(out, frames);
}

void Engine::Deliver(Device& device, const SyncEvent& event)
{
    std::unique_lock lock(mutex);
    Stream* stream = FindStream(event.stream);
    if (stream == nullptr || stream->stops != event.stops)
        return;
    if (event.sync == 0) {
        // Auto-free, unless the stream was repositioned or replayed since it ended.
        if (stream->generation == event.generation && stream->atEnd && stream->state == StreamState::Stopped)
            FreeStream(lock, event.stream);
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
    lock.unlock();
    proc(event.sync, event.stream, event.data, user);
    lock.lock();
    device.runningStream = previousStream;
    device.runningThread = previousThread;
    callbackDone_.notify_all();
}

void FreeStream(std::unique_lock<std::mutex>& lock, Handle handle)
{
    std::unique_ptr<Stream> stream = Engine::Instance().DetachStream(lock, handle);
    lock.unlock();
}

} // namespace audiolib
