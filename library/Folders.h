#pragma once
// The folders window: the station's folder pages in a page control, kept in the settings file's
// sections "Folder" + N (the page's name) and "FolderDirs" + N (its folders, one key each). Pages are
// made at once; their files are read on a worker and arrive while the station goes on.
#include "foundation_gui/Language.h"
#include "library/FolderLoader.h"

#include <QWidget>

#include <deque>
#include <functional>

namespace platform {
class TPageControl;
}
class SettingsWriter;
class TOFileData;
class TTabFolder;

// The playout channel as the folders window uses it: append a file (its new index, or -1 when refused)
// and start an entry at once.
struct TChannelCalls {
    std::function<int(const QString& path, uint8_t keep)> AddItem;
    std::function<void(int index)> PlayItemAt;
};

class TFFolders : public QWidget {
    Q_OBJECT
public:
    TFFolders();
    ~TFFolders() override;

    platform::TPageControl* PC;
    TLanguage LangFolders;
    // Channel 1, set by whoever creates the window.
    TChannelCalls Channel;

    // The set-up of the first showing, run once: at start-up whether or not the window is shown, or
    // when it first shows. With PlayAtStartup on, the "STARTUP" page plays once the pages are loaded.
    void DoFirstShow();

    // Creates a page for every "Folder" + N from 0 up to the first one without a name and reads the
    // pages' files in the background; FoldersLoaded follows when all are in. A load asked for while
    // one runs waits its turn.
    void LoadFolders();
    // Empties the page and reads its folders again (waiting its turn like a load).
    void ReloadFolder(int pageIndex);
    void ReloadActiveFolder();
    // Writes every page into the writer's batch and erases the sections of pages that are gone;
    // nothing before LoadFolders has made the pages (or after ClearFolders).
    void SaveFolders(SettingsWriter& writer);
    void SaveFolders();
    void EraseFolderSections(int pageIndex);
    // Stops the running load, forgets the waiting ones and frees every page, last first.
    void ClearFolders();
    // The folders roles' font and colour on every list, and the item height they need.
    void ApplyFonts();

    // A station identification from the first page: Index steps backwards through its files (or its
    // selected ones), wrapping from the first to the last; a random pick draws instead. Null, Index
    // untouched, when there is nothing to pick. The page owns the record.
    TOFileData* GetIndicativo(int& index, bool randomPick, bool selectedOnly) const;

    // Appends every file of the first page named exactly "STARTUP" with its Keep, then starts the
    // channel at its first entry; nothing is started when no append was taken.
    void PlayStartupFolder(const TChannelCalls& channel);

    int PageCount() const;
    TTabFolder* Page(int index) const;
    bool Loading() const { return loader_.Running(); }

    // Tests only: the loader, to slow its reading.
    TFolderLoader& LoaderForTest() { return loader_; }

signals:
    void FoldersLoaded();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool WaitTurn(std::function<void()> request);
    void Start(QList<TFolderJob> jobs, bool allPages);
    void LoadEnded();
    TTabFolder* PageOf(uint64_t token) const;
    void ShowProgress(const QString& text);
    void CloseProgress();

    TFolderLoader loader_;
    std::deque<std::function<void()>> waiting_;
    bool firstShow_ = true;
    bool pagesLoaded_ = false;
    bool loadingAll_ = false;
    QString processingText_;
    QString addingText_;
};

inline TFFolders* FFolders = nullptr;
