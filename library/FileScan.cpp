#include "library/FileScan.h"

#include <QFile>
#include <QMetaObject>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <mutex>
#include <set>
#include <strings.h>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Hits gathered while the GUI has not taken the previous batch; beyond this the worker waits.
constexpr qsizetype MaxBatch = 4096;

std::atomic<int> runningWorkers{0};

struct Entry {
    QByteArray name;
    unsigned char type;
};

} // namespace

// One search. Its identity is the search's generation: the GUI side drops batches of any worker that
// is no longer the component's current one, so a stopped search never adds to a newer search's list.
struct TSearchThread {
    std::mutex lock;
    std::condition_variable taken;
    bool stop = false;   // set by the GUI thread; after it the worker never posts again
    bool posted = false; // a request to take the pending hits is on its way to the GUI
    bool done = false;   // the walk has ended
    TmFileScan* owner;   // read only under lock while !stop: the owner's destructor sets stop first

    std::vector<QByteArray> paths;
    std::vector<QByteArray> filters;
    bool subDirs;
    std::function<void()> entryHook;

    std::set<std::pair<dev_t, ino_t>> walked;
    QStringList all;     // under lock
    QStringList pending; // under lock

    bool Stopped()
    {
        if (entryHook)
            entryHook();
        std::lock_guard guard(lock);
        return stop;
    }

    // Adds a hit (or the end) to what the GUI takes next, and posts one request to take it unless one
    // is already on its way. Waits for the GUI only when the pending list is full. False once stopped.
    bool Offer(const std::shared_ptr<TSearchThread>& self, const QString* hit)
    {
        std::unique_lock guard(lock);
        if (hit && pending.size() >= MaxBatch)
            taken.wait(guard, [this] { return pending.size() < MaxBatch || stop; });
        if (stop)
            return false;
        if (hit) {
            all.append(*hit);
            pending.append(*hit);
        } else {
            done = true;
        }
        if (!posted) {
            posted = true;
            TmFileScan* target = owner;
            QMetaObject::invokeMethod(
                target, [target, self] { target->TakeBatch(self); }, Qt::QueuedConnection);
        }
        return true;
    }

    bool Hit(const std::shared_ptr<TSearchThread>& self, const QByteArray& path)
    {
        const QString hit = QFile::decodeName(path);
        return Offer(self, &hit);
    }

    static bool IsFolder(const QByteArray& path, const Entry& entry)
    {
        if (entry.type == DT_DIR)
            return true;
        if (entry.type != DT_LNK && entry.type != DT_UNKNOWN)
            return false;
        struct stat info;
        return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    // Folder ends in "/". False once stopped.
    bool Walk(const std::shared_ptr<TSearchThread>& self, const QByteArray& folder, const QByteArray& mask)
    {
        struct stat info;
        if (::stat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            return true;
        // A folder reached twice (a link loop, or two links to one folder) is walked once.
        if (!walked.insert({info.st_dev, info.st_ino}).second)
            return true;
        std::vector<Entry> entries;
        if (DIR* dir = ::opendir(folder.constData())) {
            while (const dirent* item = ::readdir(dir)) {
                if (std::strcmp(item->d_name, ".") != 0 && std::strcmp(item->d_name, "..") != 0)
                    entries.push_back({QByteArray(item->d_name), item->d_type});
            }
            ::closedir(dir);
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            const int order = ::strcasecmp(a.name.constData(), b.name.constData());
            return order != 0 ? order < 0 : a.name < b.name;
        });
        for (const Entry& entry : entries) {
            if (Stopped())
                return false;
            if (::fnmatch(mask.constData(), entry.name.constData(), FNM_CASEFOLD) == 0 &&
                !Hit(self, folder + entry.name))
                return false;
        }
        if (!subDirs)
            return true;
        for (const Entry& entry : entries) {
            if (Stopped())
                return false;
            const QByteArray path = folder + entry.name;
            if (IsFolder(path, entry) && !Walk(self, path + '/', mask))
                return false;
        }
        return true;
    }

    static void Run(std::shared_ptr<TSearchThread> self)
    {
        for (const QByteArray& start : self->paths) {
            for (const QByteArray& mask : self->filters) {
                if (self->Stopped())
                    break;
                self->walked.clear();
                if (!self->Walk(self, start.endsWith('/') ? start : start + '/', mask))
                    break;
            }
        }
        self->Offer(self, nullptr);
        --runningWorkers;
    }
};

TmFileScan::TmFileScan(QObject* owner) : QObject(owner) {}

TmFileScan::~TmFileScan()
{
    Stop();
}

int TmFileScan::RunningWorkers()
{
    return runningWorkers.load();
}

void TmFileScan::Start()
{
    if (active_)
        return;
    auto worker = std::make_shared<TSearchThread>();
    worker->owner = this;
    for (const QString& path : Paths)
        worker->paths.push_back(QFile::encodeName(path));
    for (const QString& filter : Filters) // a Windows "*.*" also matches names without a dot
        worker->filters.push_back(
            QFile::encodeName(filter == QLatin1String("*.*") ? QStringLiteral("*") : filter));
    worker->subDirs = SubDirs;
    worker->entryHook = entryHook_;
    worker_ = worker;
    active_ = true;
    ++runningWorkers;
    std::thread(&TSearchThread::Run, std::move(worker)).detach();
}

void TmFileScan::Stop()
{
    active_ = false;
    if (!worker_)
        return;
    {
        std::lock_guard guard(worker_->lock);
        worker_->stop = true;
    }
    worker_->taken.notify_all();
    worker_.reset();
}

void TmFileScan::TakeBatch(const std::shared_ptr<TSearchThread>& worker)
{
    QStringList hits;
    QStringList all;
    bool done;
    {
        std::lock_guard guard(worker->lock);
        worker->posted = false;
        hits = std::exchange(worker->pending, {});
        done = worker->done;
        if (done)
            all = std::exchange(worker->all, {});
    }
    worker->taken.notify_all();
    for (const QString& hit : hits) {
        if (worker != worker_) // stopped, or a handler stopped it
            return;
        if (OnFileFound)
            OnFileFound(this, hit);
    }
    if (!done || worker != worker_)
        return;
    active_ = false;
    worker_.reset();
    if (OnReady)
        OnReady(this, all);
}
