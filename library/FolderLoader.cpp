#include "library/FolderLoader.h"

#include "platform/QueuedCall.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Files read while the GUI has not taken the previous batch; beyond this the worker waits.
constexpr size_t MaxPendingFiles = 2048;

enum class Step { Processing, Adding, Files, End };

struct Event {
    explicit Event(Step step, QString text = {}, uint64_t page = 0, FolderFileList files = {})
        : step(step), text(std::move(text)), page(page), files(std::move(files))
    {
    }
    Step step;
    QString text;
    uint64_t page;
    FolderFileList files;
};

} // namespace

// One load. The GUI side takes its events only while it is the loader's current load, so a cancelled
// load never reaches a later one's pages.
struct TFolderLoad {
    std::mutex lock;
    std::condition_variable taken;
    bool stop = false;   // set by the GUI thread; after it the worker posts nothing more
    bool posted = false; // a request to take the pending events is on its way to the GUI
    size_t pendingFiles = 0;
    std::vector<Event> pending; // under lock
    TFolderLoader* owner;
    std::function<void()> fileHook;
    std::thread worker;

    // Queues the event and posts one take request unless one is on its way. False once stopped.
    bool Offer(const std::shared_ptr<TFolderLoad>& self, Event&& event)
    {
        std::unique_lock guard(lock);
        if (event.step == Step::Files)
            taken.wait(guard, [this] { return pendingFiles < MaxPendingFiles || stop; });
        if (stop)
            return false;
        // Files of one page in a row make one batch.
        if (event.step == Step::Files && !pending.empty() && pending.back().step == Step::Files &&
            pending.back().page == event.page) {
            for (FolderFile& file : event.files)
                pending.back().files.push_back(std::move(file));
        } else {
            pending.push_back(std::move(event));
        }
        if (pending.back().step == Step::Files)
            ++pendingFiles;
        if (!posted) {
            posted = true;
            TFolderLoader* target = owner;
            platform::QueueCall(target, [target, self] { target->Take(self); });
        }
        return true;
    }

    static void Run(std::shared_ptr<TFolderLoad> self, QList<TFolderJob> jobs)
    {
        for (TFolderJob& job : jobs) {
            if (!job.Name.isEmpty() && !self->Offer(self, Event(Step::Processing, job.Name)))
                return;
            for (const QString& folder : std::as_const(job.Folders)) {
                if (!self->Offer(self, Event(Step::Adding, folder)))
                    return;
                bool going = true;
                EachFolderFile(folder, [&](FolderFile&& file) {
                    if (self->fileHook)
                        self->fileHook();
                    FolderFileList one;
                    one.push_back(std::move(file));
                    going = self->Offer(self, Event(Step::Files, {}, job.Page, std::move(one)));
                    return going;
                });
                if (!going)
                    return;
            }
        }
        self->Offer(self, Event(Step::End));
    }
};

TFolderLoader::TFolderLoader(QObject* parent) : QObject(parent) {}

TFolderLoader::~TFolderLoader()
{
    Cancel();
}

bool TFolderLoader::Start(QList<TFolderJob> jobs)
{
    if (current_)
        return false;
    auto load = std::make_shared<TFolderLoad>();
    load->owner = this;
    load->fileHook = fileHook_;
    current_ = load;
    load->worker = std::thread(&TFolderLoad::Run, load, std::move(jobs));
    return true;
}

void TFolderLoader::Cancel()
{
    const std::shared_ptr<TFolderLoad> load = std::exchange(current_, nullptr);
    if (!load)
        return;
    {
        std::lock_guard guard(load->lock);
        load->stop = true;
    }
    load->taken.notify_all();
    if (load->worker.joinable())
        load->worker.join();
}

void TFolderLoader::Take(const std::shared_ptr<TFolderLoad>& load)
{
    std::vector<Event> events;
    {
        std::lock_guard guard(load->lock);
        if (load->stop || load != current_)
            return;
        events.swap(load->pending);
        load->pendingFiles = 0;
        load->posted = false;
    }
    load->taken.notify_all();
    // A callback may cancel this load (or start another): nothing of it is delivered after that.
    for (Event& event : events) {
        if (current_ != load)
            return;
        switch (event.step) {
        case Step::Processing:
            if (OnProcessing)
                OnProcessing(event.text);
            break;
        case Step::Adding:
            if (OnAdding)
                OnAdding(event.text);
            break;
        case Step::Files:
            if (OnFiles)
                OnFiles(event.page, std::move(event.files));
            break;
        case Step::End:
            Finish();
            break;
        }
    }
}

void TFolderLoader::Finish()
{
    const std::shared_ptr<TFolderLoad> load = std::exchange(current_, nullptr);
    // The worker posted its end as its last act.
    load->worker.join();
    if (OnFinished)
        OnFinished();
}
