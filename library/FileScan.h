#pragma once
// The file search component: walks folders for masks on a worker thread and hands the hits to the
// GUI thread in walk order.
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

struct TSearchThread;

class TmFileScan : public QObject {
    Q_OBJECT
public:
    explicit TmFileScan(QObject* owner = nullptr);
    // A running worker is asked to stop and left to wind down on its own; nothing reaches this object
    // after it is gone.
    ~TmFileScan() override;

    QStringList Paths;
    QStringList Filters;
    bool SubDirs = true;
    // Both run on the GUI thread: one call per hit in walk order, then one at the end with all hits
    // (the active flag is already clear then).
    std::function<void(TmFileScan* sender, const QString& fileName)> OnFileFound;
    std::function<void(TmFileScan* sender, const QStringList& searchResult)> OnReady;

    // Starts a worker unless a search is active.
    void Start();
    // Inactive at once; the worker ends at its next entry check and nothing more of it arrives.
    void Stop();
    bool Active() const { return active_; }

    // Tests only: runs on the worker before each entry it checks.
    void SetEntryHookForTest(std::function<void()> hook) { entryHook_ = std::move(hook); }

    // Workers not yet ended, stopped ones included.
    static int RunningWorkers();

private:
    friend struct TSearchThread;
    void TakeBatch(const std::shared_ptr<TSearchThread>& worker);

    bool active_ = false;
    std::shared_ptr<TSearchThread> worker_;
    std::function<void()> entryHook_;
};
