#include "playout/NextEntryOpener.h"

#include "playout/AudioLayer.h"

TNextEntryOpener::TNextEntryOpener() : worker_([this] { Run(); }) {}

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

audiolib::Handle TNextEntryOpener::Take(int device, const QString& path)
{
    const Job job{device, path};
    std::unique_lock lock(mutex_);
    if (wanted_ != job) {
        wanted_ = Job();
        const audiolib::Handle unwanted = Unwanted();
        lock.unlock();
        audiolib::StreamFree(unwanted);
        return 0;
    }
    // Opening it twice at once would only make both wait on the disk.
    changed_.wait(lock, [&] { return opening_ != job; });
    wanted_ = Job();
    if (done_ != job)
        return 0;
    const audiolib::Handle stream = ready_;
    ready_ = 0;
    done_ = Job();
    return stream;
}

void TNextEntryOpener::WaitIdle()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return opening_.Empty() && (wanted_.Empty() || wanted_ == done_); });
}

void TNextEntryOpener::Run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] { return stopping_ || (!wanted_.Empty() && wanted_ != done_); });
        if (stopping_)
            return;
        const Job job = wanted_;
        opening_ = job;
        lock.unlock();
        QString errorText; // the channel logs the file when it fails to start it
        audiolib::Handle stream = OpenFileStream(job.device, job.path, errorText);
        lock.lock();
        audiolib::Handle unwanted = stream;
        if (wanted_ == job) {
            unwanted = ready_;
            done_ = job;
            ready_ = stream;
        }
        lock.unlock();
        // Freed before the worker shows itself idle, so an idle opener holds nothing but `ready_`.
        audiolib::StreamFree(unwanted);
        lock.lock();
        opening_ = Job();
        changed_.notify_all();
    }
}
