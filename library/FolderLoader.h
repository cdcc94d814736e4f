#pragma once
// Reads the files of folder pages on a worker thread and hands them to the GUI thread in batches, in
// page and folder order, so the station keeps playing and every window answers while thousands of
// files are read. Pages are named by their token: the receiver decides whether the page still exists.
#include "audioinfo/FolderListing.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

// One page's share of a load.
struct TFolderJob {
    uint64_t Page = 0;
    QString Name;        // reported before the page's folders; empty: not reported
    QStringList Folders; // absolute paths, read in this order
};

struct TFolderLoad;

class TFolderLoader : public QObject {
    Q_OBJECT
public:
    explicit TFolderLoader(QObject* parent = nullptr);
    // Cancels a running load and waits for its worker.
    ~TFolderLoader() override;

    // Every callback runs on the GUI thread, in the order the worker met its cause, and none after
    // Cancel.
    std::function<void(const QString& name)> OnProcessing;
    std::function<void(const QString& folder)> OnAdding;
    std::function<void(uint64_t page, FolderFileList&& files)> OnFiles;
    std::function<void()> OnFinished;

    // Starts reading the jobs; refused (false) while a load runs.
    bool Start(QList<TFolderJob> jobs);
    // Stops the running load at its next file and waits for the worker; nothing more of it arrives.
    void Cancel();
    bool Running() const { return current_ != nullptr; }

    // Tests only: runs on the worker before each file is handed over.
    void SetFileHookForTest(std::function<void()> hook) { fileHook_ = std::move(hook); }

private:
    friend struct TFolderLoad;
    void Take(const std::shared_ptr<TFolderLoad>& load);
    void Finish();

    std::shared_ptr<TFolderLoad> current_;
    std::function<void()> fileHook_;
};
