#include "library/FileScan.h"

#include "library/FileMask.h"
#include "platform/QueuedCall.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Hits gathered while the GUI has not taken the previous batch; beyond this the worker waits.
constexpr qsizetype MaxBatch = 4096;

std::atomic<int> runningWorkers{0};

// One folder's entries: their names one after another in one buffer, so listing a folder costs no
// allocation per entry.
struct Listing {
    struct Entry {
        size_t at;
        size_t length;
        unsigned char type;
    };
    std::string names;
    std::vector<Entry> entries;

    const char* Name(const Entry& entry) const { return names.data() + entry.at; }

    // False when the folder cannot be opened or is not a folder. Sorted without case, as the
    // listings of the station's other windows are; names equal but for case in byte order.
    bool Read(const QByteArray& folder, struct stat& info)
    {
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        DIR* dir = ::fstat(fd, &info) == 0 ? ::fdopendir(fd) : nullptr;
        if (dir == nullptr) {
            ::close(fd);
            return false;
        }
        while (const dirent* item = ::readdir(dir)) {
            const char* name = item->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            const size_t length = std::strlen(name);
            entries.push_back({names.size(), length, item->d_type});
            names.append(name, length + 1);
        }
        ::closedir(dir);
        std::sort(entries.begin(), entries.end(), [this](const Entry& a, const Entry& b) {
            const int order = ::strcasecmp(Name(a), Name(b));
            return order != 0 ? order < 0 : std::strcmp(Name(a), Name(b)) < 0;
        });
        return true;
    }
};

} // namespace

// One search. Its identity is the search's generation: the GUI side drops batches of any worker that
// is no longer the component's current one, so a stopped search never adds to a newer search's list.
struct TSearchThread {
    std::mutex lock;
    std::condition_variable taken;
    std::atomic<bool> stop = false; // set by the GUI thread under lock; after it the worker never posts
    bool posted = false;            // a request to take the pending hits is on its way to the GUI
    bool done = false;              // the walk has ended
    TmFileScan* owner; // read only under lock while !stop: the owner's destructor sets stop first

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
        return stop.load(std::memory_order_relaxed);
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
            platform::QueueCall(target, [target, self] { target->TakeBatch(self); });
        }
        return true;
    }

    // Folder ends in "/". False once stopped.
    bool Walk(const std::shared_ptr<TSearchThread>& self, const QByteArray& folder, const FileMask& mask)
    {
        Listing listing;
        struct stat info;
        if (!listing.Read(folder, info))
            return true;
        // A folder reached twice (a link loop, or two links to one folder) is walked once.
        if (!walked.insert({info.st_dev, info.st_ino}).second)
            return true;
        for (const Listing::Entry& entry : listing.entries) {
            if (Stopped())
                return false;
            if (mask.Matches(listing.Name(entry), entry.length)) {
                QByteArray path = folder;
                const QString hit = QFile::decodeName(path.append(listing.Name(entry), entry.length));
                if (!Offer(self, &hit))
                    return false;
            }
        }
        if (!subDirs)
            return true;
        for (const Listing::Entry& entry : listing.entries) {
            if (Stopped())
                return false;
            // Only what may be a folder is opened; a link or an unknown kind is a folder if it opens as one.
            if (entry.type != DT_DIR && entry.type != DT_LNK && entry.type != DT_UNKNOWN)
                continue;
            QByteArray path = folder;
            path.append(listing.Name(entry), entry.length).append('/');
            if (!Walk(self, path, mask))
                return false;
        }
        return true;
    }

    static void Run(std::shared_ptr<TSearchThread> self)
    {
        for (const QByteArray& start : self->paths) {
            for (const QByteArray& filter : self->filters) {
                if (self->Stopped())
                    break;
                self->walked.clear();
                if (!self->Walk(self, start.endsWith('/') ? start : start + '/', FileMask(filter)))
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
