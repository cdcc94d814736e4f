#pragma once
// Opens the channel's next file entry ahead of time on a worker thread, so that starting it on the
// GUI thread costs only the start: opening a long file measures its exact length and can take
// seconds. The worker touches the library and its own state only. A stream opened for an entry
// that is not wanted any more is freed, never handed out.
#include "audiolib/AudioLib.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

class TNextEntryOpener {
public:
    TNextEntryOpener();
    // Waits for an open in progress, then frees whatever was opened and not taken.
    ~TNextEntryOpener();
    TNextEntryOpener(const TNextEntryOpener&) = delete;
    TNextEntryOpener& operator=(const TNextEntryOpener&) = delete;

    // The next entry is the file at `path`, to play on output device `device`: it is opened ahead
    // unless it already is. A stream opened for anything else is freed.
    void Want(int device, const QString& path);
    // Nothing is wanted any more (the channel stopped, or no file entry comes next).
    void Drop() { Want(-1, QString()); }
    // The stream opened ahead for `path` on `device`, stopped, now the caller's; an open of it in
    // progress is waited for. 0 when it was not wanted or could not be opened: the caller opens it.
    audiolib::Handle Take(int device, const QString& path);
    // Waits until the worker has nothing left to open.
    void WaitIdle();

private:
    struct Job {
        int device = -1;
        QString path;
        bool operator==(const Job&) const = default;
        bool Empty() const { return path.isEmpty(); }
    };

    std::mutex mutex_;
    std::condition_variable changed_;
    Job wanted_;
    Job opening_;                // what the worker opens right now, empty when idle
    Job done_;                   // the last job finished, `ready_` its stream (0: it failed)
    audiolib::Handle ready_ = 0; // opened and not taken yet
    bool stopping_ = false;
    std::thread worker_;

    void Run();
    // The stream opened for a job no longer wanted; the caller frees it with no lock held.
    audiolib::Handle Unwanted();
};
