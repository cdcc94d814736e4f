#pragma once
// The combinations window: the station's combinations as a tree kept in the combinations file. It
// follows the file when the other program writes it and writes the user's edits back (in the station
// about a second after the last one), never over a version it has not read without keeping that first.
// Run mode 0 inside the station (channel 1 and the pre-listen player), 1 as the editor's main window.
#include "foundation_gui/Language.h"
#include "library/CombiItem.h"
#include "library/CombiPopupRules.h"
#include "library/CombinationsFile.h"

#include <QList>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QFileSystemWatcher;
class QMimeData;
class TCombinationsTree;
class TPMCustomItem;
class TPMEditItem;
class TPMItem;
class TPMPopupMenu;
class TPMSubmenuItem;
struct TTemaData;

class TFCombinations : public QMainWindow {
    Q_OBJECT
public:
    // A save this long after the last edit: a burst of edits is written once.
    static constexpr int SaveDelayMs = 700;
    static constexpr int ReloadIntervalMs = 2000;

    TFCombinations();
    ~TFCombinations() override;

    // 0: inside the station program; 1 (or 2): the combinations editor on its own.
    void SetRunMode(int mode);
    int RunMode() const { return runMode_; }
    // The set-up of the first showing, run once: the station runs it at start-up also for a hidden
    // window, so the tree is loaded and answers the channel from the start.
    void DoFirstShow();

    // The file's life. A load replaces the tree only when the whole file was read; a missing file
    // keeps the tree silently; a damaged or unreadable one keeps it, is logged (and shown in a box when
    // the user asked) and is not tried again until it changes. True when the tree was replaced.
    bool LoadFromFile(const QString& path, bool userAsked = false);
    // Writes the tree to CombinationsPath; a failure is logged once (and shown when the user asked)
    // and the edits stay unwritten. True when written.
    bool SaveToFile(bool userAsked = false);
    // The exit's write: only unwritten edits, and only with a path.
    void SaveIfModified();
    // The check of the 2-second timer and the file watcher: reloads a file changed on disk when the
    // tree holds no unwritten edits; waits while a drag, a rename, the menu or a box is open.
    void ReloadFileTimer();
    bool Modified() const { return modified_; }
    // The version of the file this window last read or wrote.
    const platform::FileStamp& LoadedAge() const { return file_.Known(); }

    void EnsureRootNode();
    // The root open, every combination closed.
    void CollapseCombinations();
    void ApplyColors();

    // For channel 1: a combination named so exists (letter case aside); the queue's file entries as a
    // new combination.
    bool CombinationExists(const QString& name) const;
    bool AddCombinationFromList(const QString& name, const QList<TTemaData>& list);

    // The menu's commands.
    bool NewCombination(const QString& name);
    void AddThemes();
    void AddDirectory();
    void DeleteSelected();
    void EmitSelected();
    void RandomSelected();
    void CUESelected();
    void InformationSelected();
    void CopySelected(int operation); // 0 copy, 1 cut
    void PMPasteClick();
    void UnselectClick();
    void ReloadFromDisk();
    void SaveToDisk();
    // Shows and hides the entries for the focused node, as the menu opens.
    void PMCombinacionesPopup();

    // Drops of the file search, a folder page or the tree itself on node `target`.
    bool CanDrop(const QMimeData& data, bool fromTree, QTreeWidgetItem* target) const;
    void DropOn(const QMimeData& data, bool fromTree, QTreeWidgetItem* target);
    // A rename the user accepted.
    void NodeEdited(library::TCombiItem* node, const QString& text);

    // Run mode 1: the editor's set-up from the station folder (the settings only read, the language, the
    // main menu) and the load of its "combinations.dat".
    void InitStandalone();
    // The editor's main menu. Open and Close first offer to save unsaved edits; each is true when done.
    bool OpenClick();
    bool SaveClick();
    bool SaveAsClick();
    bool CloseClick();
    void ExitClick();
    // Logout, shutdown or Ctrl+C: unsaved edits go to the open file, or to fallbackPath when none is open
    // or it cannot be written. No box is shown.
    void WriteUnsavedEdits(const QString& fallbackPath);

    // The settings window's choice of main window; set by whoever creates the windows.
    std::function<void(int choice)> SetMainWindow;

    TCombinationsTree* TVCombinaciones;
    TPMPopupMenu* PMCombinaciones;
    TPMSubmenuItem* PMCombinations;
    TPMEditItem* PMCombinationsNew;
    TPMItem* PMCombinationsDelete;
    TPMSubmenuItem* PMCombinationsEmit;
    TPMItem* PMCombinationsRandom;
    TPMSubmenuItem* PMThemes;
    TPMItem* PMThemesCUE;
    TPMItem* PMThemesAdd;
    TPMItem* PMThemesAddDirectory;
    TPMItem* PMThemesDelete;
    TPMItem* PMThemesSearch;
    TPMSubmenuItem* PMThemesEmit;
    TPMItem* PMThemesInformation;
    TPMItem* PMCut;
    TPMItem* PMPaste;
    TPMItem* PMCopy;
    TPMItem* PMUnselect;
    TPMItem* PMShowCombinationsOnly;
    TPMItem* PMExpandAll;
    TPMItem* PMCollapseAll;
    TPMItem* PMReloadAll;
    TPMItem* PMSaveToDisk;
    TPMItem* PMSetMainWindow = nullptr; // run mode 0
    QTimer TimerReloadFile;
    TLanguage LangCombinations;
    library::TXClipboard Clipboard;

signals:
    // The first showing's set-up is done (the editor frees its splash then).
    void FirstShown();
    // The main menu's About (the editor shows its about window).
    void AboutRequested();
    // The tree was replaced by a file's contents.
    void TreeLoaded();
    // The window closed (the editor's loop ends then).
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void CreateMainMenu();
    // Unsaved edits saved or dropped, as the user answers; false when a save was cancelled or failed.
    bool KeepOrSaveEdits();
    TPMItem* AddItem(TPMCustomItem* parent, const char* name, const QString& caption,
                     std::function<void()> click);
    void AddEmitItems(TPMSubmenuItem* submenu);
    void ShowPopup(const QPoint& at);
    void Changed();
    void SetLoadedCaption(bool reloaded);
    void WatchFile();
    bool Busy() const;
    void BusyEnded();
    library::TCombiItem* Root() const;
    library::TCombiItem* FocusedNode() const;
    library::TCombiItem* AddTheme(QTreeWidgetItem* parent, const QString& path, int64_t duration, bool first);
    library::TCombiItem* AddCombination(const QString& name);
    void ShowError(const QString& text);
    // Runs a box or dialog of this window; the file check waits until it is closed.
    template <typename Show> auto Modal(Show&& show)
    {
        ++modal_;
        struct End {
            TFCombinations* window;
            ~End()
            {
                --window->modal_;
                window->BusyEnded();
            }
        } end{this};
        return show();
    }

    int runMode_ = 0;
    bool firstShow_ = true;
    bool modified_ = false;
    int quiet_ = 0;               // loads and the root's creation are no edits
    int modal_ = 0;               // boxes and dialogs of this window on screen
    bool checkWaiting_ = false;   // a check came while busy
    bool saveFailed_ = false;     // the last write failed and was logged
    bool toldChanged_ = false;    // run mode 1: the user was told another program changed the file
    platform::FileStamp refused_; // a damaged or unreadable version, not tried again
    library::TCombinationsFile file_{QString()};
    QTimer saveTimer_;
    QFileSystemWatcher* watcher_;
    library::TCombiPopupItems popupItems_;
};

inline TFCombinations* FCombinations = nullptr;
