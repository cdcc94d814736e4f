#include "playout/NextEntryOpener.h"

#include "platform/Messages.h"
#include "playout/AudioLayer.h"

#include <utility>

TNextEntryOpener::TNextEntryOpener(QObject* ready)
    : readyTarget_(ready), open_([](int device, const QString& path) {
          QString errorText; // the channel logs the file when it fails to start it
          return OpenFileStream(device, path, errorText);
      }),
      worker_([this] { Run(); })
{
}

TNextEntryOpener::~TNextEntryOpener()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
    audiolib::StreamFree(ready_);
}

audiolib::Handle TNextEntryOpener::Unwanted()
{
    if (ready_ == 0 || done_ == wanted_)
        return 0;
    const audiolib::Handle stream = ready_;
    ready_ = 0;
    done_ = Job();
    return stream;
}

void TNextEntryOpener::Want(int device, const QString& path)
{
    audiolib::Handle unwanted = 0;
    {
        const std::lock_guard lock(mutex_);
        if (wanted_ == Job{device, path})
            return;
        wanted_ = Job{device, path};
        unwanted = Unwanted();
    }
    changed_.notify_all();
    audiolib::StreamFree(unwanted);
}

audiolib::Handle TNextEntryOpener::Take(int device, const QString& path, bool& opening)
{
    const Job job{device, path};
    std::unique_lock lock(mutex_);
    opening = false;
    if (wanted_ != job) {
        wanted_ = Job();
        const audiolib::Handle unwanted = Unwanted();
        lock.unlock();
        audiolib::StreamFree(unwanted);
        return 0;
    }
    // A finished open is taken even while the worker still winds up after it: by then it has looked
    // for a waiting channel, so waiting for its word would wait for ever.
    if (done_ == job) {
        wanted_ = Job();
        const audiolib::Handle stream = ready_;
        ready_ = 0;
        done_ = Job();
        return stream;
    }
    // Opening it a second time here could hang the GUI thread on what holds the worker.
    if (opening_ == job) {
        opening = true;
        awaited_ = true;
        return 0;
    }
    wanted_ = Job();
    return 0;
}

void TNextEntryOpener::WaitIdle()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return opening_.Empty() && (wanted_.Empty() || wanted_ == done_); });
}

void TNextEntryOpener::SetOpenFunction(OpenFunction open)
{
    const std::lock_guard lock(mutex_);
    open_ = std::move(open);
}

void TNextEntryOpener::Run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] { return stopping_ || (!wanted_.Empty() && wanted_ != done_); });
        if (stopping_)
            return;
        const Job job = wanted_;
        const OpenFunction open = open_;
        opening_ = job;
        lock.unlock();
        audiolib::Handle stream = open(job.device, job.path);
        lock.lock();
        audiolib::Handle unwanted = stream;
        if (wanted_ == job) {
            unwanted = ready_;
            done_ = job;
            ready_ = stream;
        }
        const bool awaited = std::exchange(awaited_, false);
        lock.unlock();
        // Freed, and the waiting channel told, before the worker shows itself idle: an idle opener
        // holds nothing but `ready_` and has nothing left to say.
        audiolib::StreamFree(unwanted);
        if (awaited)
            platform::PostMessage(readyTarget_, platform::WM_ENTRYOPENED);
        lock.lock();
        opening_ = Job();
        changed_.notify_all();
    }
}
