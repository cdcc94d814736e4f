#include "library/Combinations.h"

#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation_gui/DisplayRoles.h"
#include "library/CombinationsTree.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMPopupMenu.h"
#include "platform/Messages.h"
#include "platform_gui/Dialogs.h"
#include "platform_gui/WindowMenu.h"
#include "playout/TemaData.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

using namespace library;

TFCombinations::TFCombinations()
    : QMainWindow(nullptr, Qt::Window), TVCombinaciones(new TCombinationsTree(this)),
      PMCombinaciones(new TPMPopupMenu(this)), watcher_(new QFileSystemWatcher(this))
{
    setObjectName(QStringLiteral("FCombinations"));
    platform::RegisterWindow(this, QStringLiteral("TFCombinations"));
    setCentralWidget(TVCombinaciones);
    resize(420, 520);
    TVCombinaciones->Held = &Clipboard;
    TVCombinaciones->CanDrop = [this](const QMimeData& data, bool fromTree, QTreeWidgetItem* target) {
        return CanDrop(data, fromTree, target);
    };
    TVCombinaciones->Drop = [this](const QMimeData& data, bool fromTree, QTreeWidgetItem* target) {
        DropOn(data, fromTree, target);
    };
    TVCombinaciones->OnEdited = [this](TCombiItem* node, const QString& text) { NodeEdited(node, text); };
    TVCombinaciones->OnDeleteKey = [this] { DeleteSelected(); };
    TVCombinaciones->OnBusyEnded = [this] { BusyEnded(); };
    connect(TVCombinaciones, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowPopup(TVCombinaciones->viewport()->mapToGlobal(at)); });
    // Every node added, moved or deleted is an edit, unless a load or the root's creation made it.
    QAbstractItemModel* model = TVCombinaciones->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { Changed(); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { Changed(); });
    CreateMenu();

    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(SaveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, [this] { SaveToFile(); });
    TimerReloadFile.setInterval(ReloadIntervalMs);
    connect(&TimerReloadFile, &QTimer::timeout, this, [this] { ReloadFileTimer(); });
    TimerReloadFile.start();
    // A replace swaps the file the watch was on: the path is watched again after every notice.
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        WatchFile();
        ReloadFileTimer();
    });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        WatchFile();
        ReloadFileTimer();
    });
}

TFCombinations::~TFCombinations()
{
    SaveIfModified();
}

void TFCombinations::SetRunMode(int mode)
{
    runMode_ = mode;
    if (mode == 0)
        return;
    MainTitle = QStringLiteral("Varnello");
    setWindowTitle(MainTitle + " - " + LangCombinations.GetText(QStringLiteral("combinations")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void TFCombinations::showEvent(QShowEvent* event)
{
    DoFirstShow();
    QMainWindow::showEvent(event);
}

void TFCombinations::DoFirstShow()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    LangCombinations.LanguageFile = AppDir + StationOptions.Language + QStringLiteral(".lng");
    LangCombinations.Translate();
    setWindowTitle(MainTitle + " - " + LangCombinations.GetText(QStringLiteral("combinations")));
    if (runMode_ == 0) {
        TVCombinaciones->setFont(ToQFont(RoleFonts[RoleCombinations]));
        LoadFromFile(CombinationsPath);
        // X11 has no system menu to extend: the command ends the window's own menu.
        PMCombinaciones->Items()->AppendItem(new TPMSeparatorItem(this));
        PMSetMainWindow = AddItem(PMCombinaciones->Items(), "PMSetMainWindow",
                                  LangCombinations.GetText(QStringLiteral("set as main window")), [this] {
                                      if (SetMainWindow)
                                          SetMainWindow(2);
                                  });
        platform::AddWindowMenuItem(this, platform::SC_SETMAINWINDOW, PMSetMainWindow->Caption(), [this] {
            if (SetMainWindow)
                SetMainWindow(2);
        });
    } else {
        InitStandalone();
    }
    EnsureRootNode();
    ApplyColors();
    emit FirstShown();
}

TCombiItem* TFCombinations::Root() const
{
    return CombiItem(TVCombinaciones->topLevelItem(0));
}

TCombiItem* TFCombinations::FocusedNode() const
{
    return CombiItem(TVCombinaciones->currentItem());
}

void TFCombinations::EnsureRootNode()
{
    if (TVCombinaciones->topLevelItemCount() > 0)
        return;
    ++quiet_;
    TCombiItem* root = NewCombiNode(QStringLiteral("COMBINACIONES"), 0);
    TVCombinaciones->addTopLevelItem(root);
    TVCombinaciones->setCurrentItem(root);
    --quiet_;
    modified_ = false;
}

void TFCombinations::CollapseCombinations()
{
    TCombiItem* root = Root();
    if (!root)
        return;
    TVCombinaciones->setUpdatesEnabled(false);
    root->setExpanded(true);
    for (int i = 0; i < root->childCount(); ++i)
        TVCombinaciones->collapseItem(root->child(i));
    TVCombinaciones->setUpdatesEnabled(true);
}

void TFCombinations::ApplyColors()
{
    TVCombinaciones->setFont(ToQFont(RoleFonts[RoleCombinations]));
    QPalette colours = TVCombinaciones->palette();
    colours.setColor(QPalette::Base, platform::ToQColor(RoleColors[RoleCombinations]));
    TVCombinaciones->setPalette(colours);
    TVCombinaciones->ApplyRowHeight();
    TVCombinaciones->viewport()->update();
}

void TFCombinations::Changed()
{
    if (quiet_ > 0)
        return;
    modified_ = true;
    TVCombinaciones->viewport()->update();
    // The station has no save question and runs for days: its edits go to disk by themselves.
    if (runMode_ == 0 && !CombinationsPath.isEmpty())
        saveTimer_.start();
}

bool TFCombinations::LoadFromFile(const QString& path, bool userAsked)
{
    if (path.isEmpty())
        return false;
    if (file_.Path() != path) {
        file_ = TCombinationsFile(path);
        refused_ = {};
    }
    const platform::FileStamp before = platform::StampOf(path);
    ++quiet_;
    const LoadResult result = file_.Load(TVCombinaciones);
    const bool loaded = result.status == LoadStatus::Loaded;
    if (loaded) {
        modified_ = false;
        saveFailed_ = false;
        saveTimer_.stop();
        refused_ = {};
        CollapseCombinations();
        toldChanged_ = false;
        emit TreeLoaded();
    } else if (result.status != LoadStatus::Missing) {
        // Kept as it is until it changes: a damaged file is not read again every two seconds.
        refused_ = before;
        WriteLog(1, 1, -1, -1, -1, result.error);
        // The editor keeps no log: its user always sees the box.
        if (userAsked || runMode_ != 0)
            ShowError(result.error);
    }
    --quiet_;
    EnsureRootNode();
    WatchFile();
    return loaded;
}

bool TFCombinations::SaveToFile(bool userAsked)
{
    saveTimer_.stop();
    if (CombinationsPath.isEmpty())
        return false;
    if (file_.Path() != CombinationsPath) {
        file_ = TCombinationsFile(CombinationsPath);
        refused_ = {};
    }
    const SaveResult result = file_.Save(TVCombinaciones);
    if (!result.ok) {
        // One line per failure, not per retry: the next change, tick and the exit try again.
        if (!saveFailed_)
            WriteLog(1, 1, -1, -1, -1, result.error);
        saveFailed_ = true;
        if (userAsked)
            ShowError(result.error);
        return false;
    }
    saveFailed_ = false;
    modified_ = false;
    refused_ = {};
    toldChanged_ = false;
    if (!result.backup.isEmpty()) {
        const QString kept = "The combinations file written by another program is kept as " + result.backup;
        WriteLog(1, 0, -1, -1, -1, kept);
        if (runMode_ != 0 && userAsked)
            ShowError(kept);
    }
    WatchFile();
    return true;
}

void TFCombinations::SaveIfModified()
{
    if (modified_ && !CombinationsPath.isEmpty())
        SaveToFile();
}

bool TFCombinations::Busy() const
{
    return modal_ > 0 || TVCombinaciones->Dragging() || TVCombinaciones->Editing() ||
           PMCombinaciones->IsOpen();
}

void TFCombinations::BusyEnded()
{
    // After the handler that ended it has returned: a reload frees the nodes it may still hold.
    if (checkWaiting_ && !Busy())
        QTimer::singleShot(0, this, [this] { ReloadFileTimer(); });
}

void TFCombinations::ReloadFileTimer()
{
    if (CombinationsPath.isEmpty())
        return;
    if (Busy()) {
        checkWaiting_ = true;
        return;
    }
    checkWaiting_ = false;
    if (modified_) {
        if (saveFailed_ && runMode_ == 0)
            SaveToFile();
        // Unwritten edits are never reloaded over; their save keeps the other version as a backup.
        if (runMode_ != 0 && !toldChanged_ && platform::StampOf(CombinationsPath) != file_.Known()) {
            toldChanged_ = true;
            ShowError(QStringLiteral("The combinations file was changed by another program. Your changes are "
                                     "kept; when you save them, the other version is kept as a backup."));
        }
        return;
    }
    const platform::FileStamp now = platform::StampOf(CombinationsPath);
    const bool known = file_.Path() == CombinationsPath;
    if (known && (now == file_.Known() || (refused_.exists && now == refused_)))
        return;
    if (LoadFromFile(CombinationsPath))
        SetLoadedCaption(true);
}

void TFCombinations::SetLoadedCaption(bool reloaded)
{
    setWindowTitle(MainTitle + " - " + LangCombinations.GetText(QStringLiteral("combinations")) +
                   (reloaded ? QStringLiteral(" - RECARGADO!") : QString()));
}

void TFCombinations::WatchFile()
{
    if (const QStringList watched = watcher_->files() + watcher_->directories(); !watched.isEmpty())
        watcher_->removePaths(watched);
    if (CombinationsPath.isEmpty())
        return;
    const QFileInfo file(CombinationsPath);
    if (file.absoluteDir().exists())
        watcher_->addPath(file.absolutePath());
    if (file.exists())
        watcher_->addPath(file.absoluteFilePath());
}

void TFCombinations::ShowError(const QString& text)
{
    Modal([&] { platform::ShowMessage(text); });
}

bool TFCombinations::CombinationExists(const QString& name) const
{
    const TCombiItem* root = Root();
    if (!root)
        return false;
    for (int i = 0; i < root->childCount(); ++i)
        if (const TCombiItem* node = CombiItem(root->child(i));
            node && node->Data.Name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TFCombinations::AddCombinationFromList(const QString& name, const QList<TTemaData>& list)
{
    EnsureRootNode();
    TCombiItem* combination = AddCombination(name);
    if (!combination)
        return false;
    // Line-in and label entries name no file: only file entries become themes.
    for (const TTemaData& entry : list)
        if (entry.Kind == 0 && !entry.FileName.isEmpty())
            AddTheme(combination, entry.FileName, entry.Duration, false);
    return true;
}
