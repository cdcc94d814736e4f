#pragma once
// Opens the channel's next file entry ahead of time on a worker thread, so that starting it on the
// GUI thread costs only the start. The worker touches the library and its own state only. A stream
// opened for an entry that is not wanted any more is freed, never handed out. The GUI thread never
// waits for the worker: an entry still being opened when its turn comes is reported as such, and the
// worker says so with WM_ENTRYOPENED once it is done (a slow disk or a hung network mount holds the
// worker, never the station's windows).
#include "audiolib/AudioLib.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TNextEntryOpener {
public:
    // What opens a file as a stopped stream of an output device (0 when it cannot); the audio
    // layer's by default. Runs on the worker.
    using OpenFunction = std::function<audiolib::Handle(int device, const QString& path)>;

    // `ready` gets WM_ENTRYOPENED when an open that Take found in progress has finished.
    explicit TNextEntryOpener(QObject* ready = nullptr);
    // Waits for an open in progress, then frees whatever was opened and not taken.
    ~TNextEntryOpener();
    TNextEntryOpener(const TNextEntryOpener&) = delete;
    TNextEntryOpener& operator=(const TNextEntryOpener&) = delete;

    // The next entry is the file at `path`, to play on output device `device`: it is opened ahead
    // unless it already is. A stream opened for anything else is freed.
    void Want(int device, const QString& path);
    // Nothing is wanted any more (the channel stopped, or no file entry comes next).
    void Drop() { Want(-1, QString()); }
    // The stream opened ahead for `path` on `device`, stopped, now the caller's. Never waits: 0 with
    // `opening` set while the worker still opens it (WM_ENTRYOPENED follows); 0 without when it was
    // not wanted or could not be opened, and the caller opens it itself.
    audiolib::Handle Take(int device, const QString& path, bool& opening);
    // Waits until the worker has nothing left to open (tests and measurements).
    void WaitIdle();
    void SetOpenFunction(OpenFunction open);

private:
    struct Job {
        int device = -1;
        QString path;
        bool operator==(const Job&) const = default;
        bool Empty() const { return path.isEmpty(); }
    };

    QObject* const readyTarget_; // posted to through the window registry, which knows when it is gone
    std::mutex mutex_;
    std::condition_variable changed_;
    OpenFunction open_;
    Job wanted_;
    Job opening_;                // what the worker opens right now, empty when idle
    Job done_;                   // the last job finished, `ready_` its stream (0: it failed)
    audiolib::Handle ready_ = 0; // opened and not taken yet
    bool awaited_ = false;       // Take found the current open in progress: say when it is done
    bool stopping_ = false;
    std::thread worker_;

    void Run();
    // The stream opened for a job no longer wanted; the caller frees it with no lock held.
    audiolib::Handle Unwanted();
};
