#include "library/Folders.h"

#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation/SettingsWriter.h"
#include "foundation_gui/DisplayRoles.h"
#include "foundation_gui/ListRowPainter.h"
#include "library/Message.h"
#include "library/TabFolder.h"
#include "menus/PMItems.h"
#include "platform/Messages.h"
#include "platform/Random.h"
#include "platform_gui/KeyboardHook.h"
#include "platform_gui/KeyboardHookLibrary.h"
#include "platform_gui/PageControl.h"
#include "platform_gui/WindowMenu.h"

#include <QApplication>
#include <QVBoxLayout>

namespace {

QString FolderSection(int index)
{
    return QStringLiteral("Folder") + QString::number(index);
}

QString FolderDirsSection(int index)
{
    return QStringLiteral("FolderDirs") + QString::number(index);
}

// A folder kept without a leading "/" (or old drive) lies in the program folder.
QString Resolved(const QString& folder)
{
    return platform::IsAbsolutePath(folder) ? folder : JoinPath(AppDir, folder);
}

} // namespace

TFFolders::TFFolders() : PC(new platform::TPageControl(this))
{
    setObjectName(QStringLiteral("FFolders"));
    platform::RegisterWindow(this, QStringLiteral("TFFolders"));
    PC->setObjectName(QStringLiteral("PC"));
    PC->SetTabHeight(20);
    PC->SetMultiLine(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PC);
    resize(600, 400);
    CreateMenu();
    InstallKeyboardHook();
    qApp->installEventFilter(this);

    loader_.OnProcessing = [this](const QString& name) { ShowProgress(processingText_ + ' ' + name); };
    loader_.OnAdding = [this](const QString& folder) { ShowProgress(addingText_ + ' ' + folder); };
    loader_.OnFiles = [this](uint64_t token, FolderFileList&& files) {
        if (TTabFolder* page = PageOf(token))
            page->AddFiles(std::move(files));
    };
    loader_.OnFinished = [this] { LoadEnded(); };
}

TFFolders::~TFFolders()
{
    RemoveKeyboardHook();
    loader_.Cancel();
}

void TFFolders::DoFirstShow()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    LangFolders.LanguageFile = AppDir + StationOptions.Language + QStringLiteral(".lng");
    LangFolders.Translate();
    setWindowTitle(MainTitle + " - " + LangFolders.GetText(QStringLiteral("Folders")));
    // Only one playout channel exists.
    for (TPMItem* other : {PMFilesEmitChannel2, PMFilesEmitChannel3, PMDirEmitChannel2, PMDirEmitChannel3})
        other->SetVisible(false);
    PMFoldersSetMainWindow->SetCaption(LangFolders.GetText(QStringLiteral("set as main window")));
    platform::AddWindowMenuItem(this, platform::SC_SETMAINWINDOW, PMFoldersSetMainWindow->Caption(), [this] {
        if (SetAsMainWindow)
            SetAsMainWindow();
    });
    PC->SetTabHeight(20);
    if (StationOptions.PlayAtStartup)
        connect(
            this, &TFFolders::FoldersLoaded, this, [this] { PlayStartupFolder(Channel); },
            Qt::SingleShotConnection);
    LoadFolders();
    for (int i = 0; i < PageCount(); ++i)
        Page(i)->SetColumns(StationOptions.FolderColumns);
    PC->SetActivePageIndex(0);
    ApplyFonts();
}

void TFFolders::showEvent(QShowEvent* event)
{
    DoFirstShow();
    QWidget::showEvent(event);
}

bool TFFolders::WaitTurn(std::function<void()> request)
{
    if (!loader_.Running())
        return false;
    waiting_.push_back(std::move(request));
    return true;
}

void TFFolders::LoadFolders()
{
    if (WaitTurn([this] { LoadFolders(); }))
        return;
    ShowProgress({});
    QList<TFolderJob> jobs;
    if (SettingsIni) {
        const platform::IniReadPass pass(*SettingsIni);
        for (int n = 0;; ++n) {
            const QString name = SettingsIni->ReadString(FolderSection(n), QStringLiteral("name"), {});
            if (name.isEmpty())
                break;
            auto* page = new TTabFolder(n, PC, name);
            for (const QString& folder : SettingsIni->ReadSection(FolderDirsSection(n)))
                page->AddFolder(Resolved(folder));
            jobs.append({page->Token(), name, page->Folders()});
        }
    }
    pagesLoaded_ = true;
    Start(jobs, true);
}

void TFFolders::ReloadFolder(int pageIndex)
{
    TTabFolder* page = Page(pageIndex);
    if (!page)
        return;
    const uint64_t token = page->Token();
    if (WaitTurn([this, token] {
            if (TTabFolder* waiting = PageOf(token))
                ReloadFolder(PC->IndexOf(waiting));
        }))
        return;
    ShowProgress({});
    page->ClearItems();
    QStringList folders;
    for (const QString& folder : page->Folders())
        folders.append(Resolved(folder));
    Start({{token, {}, folders}}, false);
}

void TFFolders::ReloadActiveFolder()
{
    ReloadFolder(PC->ActivePageIndex());
}

void TFFolders::Start(QList<TFolderJob> jobs, bool allPages)
{
    // The texts are read once a load: the language file is opened at every look-up.
    processingText_ = LangFolders.GetText(QStringLiteral("processing"));
    addingText_ = LangFolders.GetText(QStringLiteral("adding"));
    loadingAll_ = allPages;
    loader_.Start(std::move(jobs));
}

void TFFolders::LoadEnded()
{
    const bool allPages = std::exchange(loadingAll_, false);
    if (allPages)
        emit FoldersLoaded();
    if (waiting_.empty()) {
        CloseProgress();
        return;
    }
    const std::function<void()> next = std::move(waiting_.front());
    waiting_.pop_front();
    next();
}

void TFFolders::SaveFolders(SettingsWriter& writer)
{
    if (!pagesLoaded_)
        return;
    const int count = PageCount();
    for (int i = 0; i < count; ++i) {
        const TTabFolder* page = Page(i);
        writer.WriteString(FolderSection(i), QStringLiteral("name"), page->Caption());
        writer.EraseSection(FolderDirsSection(i));
        for (const QString& folder : page->Folders())
            writer.WriteString(FolderDirsSection(i), folder, {});
    }
    if (!SettingsIni)
        return;
    for (int n = count; !SettingsIni->ReadString(FolderSection(n), QStringLiteral("name"), {}).isEmpty();
         ++n) {
        writer.EraseSection(FolderSection(n));
        writer.EraseSection(FolderDirsSection(n));
    }
}

void TFFolders::SaveFolders()
{
    SettingsWriter writer(SettingsIni.get());
    SaveFolders(writer);
    writer.Commit();
    writer.LogFailures();
}

void TFFolders::EraseFolderSections(int pageIndex)
{
    SettingsWriter writer(SettingsIni.get());
    writer.EraseSection(FolderSection(pageIndex));
    writer.EraseSection(FolderDirsSection(pageIndex));
    writer.Commit();
    writer.LogFailures();
}

void TFFolders::ClearFolders()
{
    loader_.Cancel();
    waiting_.clear();
    loadingAll_ = false;
    for (int i = PageCount() - 1; i >= 0; --i)
        delete PC->Page(i);
    // Until the pages are loaded again there is nothing to save in their place.
    pagesLoaded_ = false;
    CloseProgress();
}

void TFFolders::ApplyFonts()
{
    const int height = ListItemHeight(
        {RoleFolders, RoleFoldersCopied, RoleFoldersCut, RoleFoldersSelected, RoleFoldersInfo});
    for (int i = 0; i < PageCount(); ++i) {
        TFolderListView* list = Page(i)->List();
        list->setFont(ToQFont(RoleFonts[RoleFolders]));
        QPalette colours = list->palette();
        colours.setColor(QPalette::Base, platform::ToQColor(RoleColors[RoleFolders]));
        list->setPalette(colours);
        list->SetItemHeight(height);
    }
    PC->update();
}

TOFileData* TFFolders::GetIndicativo(int& index, bool randomPick, bool selectedOnly) const
{
    const TTabFolder* page = Page(0);
    if (!page)
        return nullptr;
    QStringList selected;
    if (selectedOnly)
        page->GetSelected(selected);
    const int count = selectedOnly ? int(selected.size()) : page->ItemCount();
    if (count == 0)
        return nullptr;
    if (index > count - 1)
        index = count - 1;
    if (--index < 0)
        index = count - 1;
    const int pick = randomPick ? platform::Random(count) : index;
    return page->GetFileData(selectedOnly ? selected[pick].toInt() : pick);
}

void TFFolders::PlayStartupFolder(const TChannelCalls& channel)
{
    for (int i = 0; i < PageCount(); ++i) {
        const TTabFolder* page = Page(i);
        if (page->Caption() != QLatin1String("STARTUP"))
            continue;
        bool taken = false;
        for (int item = 0; item < page->ItemCount(); ++item) {
            const TOFileData* file = page->GetFileData(item);
            taken = channel.AddItem(file->FileName, file->Keep) >= 0 || taken;
        }
        if (taken)
            channel.PlayItemAt(0);
        return;
    }
}

int TFFolders::PageCount() const
{
    return PC->PageCount();
}

TTabFolder* TFFolders::Page(int index) const
{
    return qobject_cast<TTabFolder*>(PC->Page(index));
}

TTabFolder* TFFolders::PageOf(uint64_t token) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (TTabFolder* page = Page(i); page && page->Token() == token)
            return page;
    return nullptr;
}

void TFFolders::ShowProgress(const QString& text)
{
    if (!FMessage)
        return;
    FMessage->SetText(text);
    FMessage->show();
}

void TFFolders::CloseProgress()
{
    if (FMessage)
        FMessage->hide();
}
