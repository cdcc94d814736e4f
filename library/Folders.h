#pragma once
// The folders window: the station's folder pages in a page control, kept in the settings file's
// sections "Folder" + N (the page's name) and "FolderDirs" + N (its folders, one key each). Pages are
// made at once; their files are read on a worker and arrive while the station goes on.
#include "foundation_gui/Language.h"
#include "library/FolderLoader.h"

#include <QWidget>

#include <deque>
#include <functional>
#include <memory>

namespace platform {
class KeyboardHook;
class KeyboardHookLibrary;
class TPageControl;
} // namespace platform
class SettingsWriter;
class TOFileData;
class TTabFolder;
class TPMCustomItem;
class TPMEditItem;
class TPMItem;
class TPMMRUList;
class TPMMRUListItem;
class TPMPopupMenu;
class TPMSubmenuItem;

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
    // Makes this the station's main window; handed over by whoever creates the windows.
    std::function<void()> SetAsMainWindow;

    TPMPopupMenu* PMFolders;
    TPMItem* PMFoldersThemeCUE;
    TPMSubmenuItem* PMFolder;
    TPMEditItem* PMFolderNew;
    TPMItem* PMFolderDelete;
    TPMEditItem* PMFolderRename;
    TPMItem* PMFolderSelectAll;
    TPMItem* PMFolderInsertDirectory;
    TPMSubmenuItem* PMFolderDeleteDirectory;
    TPMMRUListItem* PMCarpetasListaDirs;
    TPMMRUList* MRUListDirs;
    TPMSubmenuItem* PMFoldersLook;
    TPMSubmenuItem* PMFoldersLookTabs;
    TPMItem* PMFoldersLookTabsMultiline;
    TPMSubmenuItem* PMFoldersLookColumns;
    TPMItem* PMFoldersLookDisplayThemeTags;
    TPMItem* PMFoldersLookDisplayFileExtensions;
    TPMSubmenuItem* PMFoldersTheme;
    TPMItem* PMFoldersThemeInformation;
    TPMItem* PMFoldersThemeSearch;
    TPMSubmenuItem* PMFilesEmit;
    TPMItem* PMFilesEmitChannel1;
    TPMItem* PMFilesEmitChannel2;
    TPMItem* PMFilesEmitChannel3;
    TPMSubmenuItem* PMFoldersDir;
    TPMSubmenuItem* PMDirEmit;
    TPMItem* PMDirEmitChannel1;
    TPMItem* PMDirEmitChannel2;
    TPMItem* PMDirEmitChannel3;
    TPMItem* PMFoldersSetMainWindow;

    // The emergency key: libTastrel.so of the program folder and its procedure, installed from the
    // window's creation to its destruction. Null when it could not be loaded (the log says why).
    std::unique_ptr<platform::KeyboardHookLibrary> KeyboardHookLibrary;
    std::unique_ptr<platform::KeyboardHook> KeyboardHookHandle;

    // The menu's states as it opens on the active page.
    void PMFoldersPopup();
    void PMFoldersThemeCUEClick();
    void PMFolderNewAcceptText(QString& text, bool& accept);
    void PMFolderRenameAcceptText(QString& text, bool& accept);
    void PMFolderDeleteClick();
    void PMFolderSelectAllClick();
    void PMFolderInsertDirectoryClick();
    void MRUListDirsClick(const QString& folder);
    // 1 to 4: tabs up, down, left, right; 5: multi-line tabs on or off.
    void PMCarpetasAparienciaPestanyasClick(int tag);
    void PMCarpetasAparienciaColumnasClick(int columns);
    void PMFoldersLookDisplayThemeTagsClick();
    void PMFoldersLookDisplayFileExtensionsClick();
    void PMFoldersThemeInformationClick();
    void PMFoldersThemeSearchClick();
    // The active page's selected files, first to last, until an append is refused.
    void EmitSelectedFiles(const TChannelCalls& channel);
    // A chosen folder's audio files in list order, until an append is refused; the page is unchanged.
    void EmitDirectory(const TChannelCalls& channel);
    // The emergency item: the first page's first file appended with Keep 0 and started at once.
    void PlaySOS(const TChannelCalls& channel);

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
    // The application's message filter: the emergency key's message, to any receiver, in any loop.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void InstallKeyboardHook();
    void RemoveKeyboardHook();
    TTabFolder* ActivePage() const;
    // The folder dialog of "Insert Directory" and of a directory's emit; empty when cancelled.
    QString BrowseFolder() const;
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
