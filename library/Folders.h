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

class TFFolders : public QWidget {
    Q_OBJECT
public:
    TFFolders();
    ~TFFolders() override;

    platform::TPageControl* PC;
    TLanguage LangFolders;

    // The set-up of the first showing, run once: at start-up whether or not the window is shown, or
    // when it first shows.
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
