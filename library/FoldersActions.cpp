// What the folders window's popup menu does on the active page.
#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/WindowHelpers.h"
#include "library/Folders.h"
#include "library/SearchFiles.h"
#include "library/TabFolder.h"
#include "library/ThemeInfo.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMMRUList.h"
#include "platform_gui/Dialogs.h"
#include "platform_gui/PageControl.h"
#include "playout/CUEPlayer.h"

#include <QGuiApplication>

namespace {

// A folder is stored as a settings key: a key with "=", a leading ";" or "[", or blanks at either end
// would read back as another key, a comment or a section.
bool StorableAsKey(const QString& folder)
{
    return !folder.contains(u'=') && !folder.startsWith(u';') && !folder.startsWith(u'[') &&
           folder.trimmed() == folder;
}

bool Confirmed(const QString& text)
{
    return platform::AskYesNo(QGuiApplication::applicationDisplayName(), text);
}

} // namespace

TTabFolder* TFFolders::ActivePage() const
{
    return qobject_cast<TTabFolder*>(PC->ActivePage());
}

void TFFolders::PMFoldersPopup()
{
    TTabFolder* page = ActivePage();
    PMFolderRename->SetVisible(page != nullptr && PC->ActivePageIndex() != 0);
    if (page)
        PMFolderRename->SetText(page->Caption());
    MRUListDirs->Items().Clear();
    PMFolderDeleteDirectory->SetVisible(page != nullptr && page->FolderCount() > 0);
    if (page)
        for (const QString& folder : page->Folders())
            MRUListDirs->Add(folder);
    // The check marks show what is in effect: the settings set the flags after the menu was made.
    PMFoldersLookTabsMultiline->SetChecked(PC->MultiLine());
    PMFoldersLookDisplayThemeTags->SetChecked(StationOptions.ShowTags);
    PMFoldersLookDisplayFileExtensions->SetChecked(StationOptions.ShowExtension);
}

void TFFolders::PMFoldersThemeCUEClick()
{
    const TTabFolder* page = ActivePage();
    if (!page || page->SelCount() != 1 || !FCUEPlayer)
        return;
    if (const TOFileData* file = page->GetFileData(page->ItemIndex()))
        FCUEPlayer->PlayFile(file->FileName);
}

void TFFolders::PMFolderNewAcceptText(QString& text, bool& accept)
{
    accept = !text.isEmpty();
    if (!accept)
        return;
    auto* page = new TTabFolder(1, PC, text);
    // A new page looks like the loaded ones at once.
    page->SetColumns(StationOptions.FolderColumns);
    ApplyFonts();
    PC->SetActivePageIndex(PC->IndexOf(page));
}

void TFFolders::PMFolderRenameAcceptText(QString& text, bool& accept)
{
    TTabFolder* page = ActivePage();
    accept = page != nullptr && page->Rename(text);
}

void TFFolders::PMFolderDeleteClick()
{
    TTabFolder* page = ActivePage();
    if (!page)
        return;
    const QString jingles = QStringLiteral("JINGLES");
    if (page->Caption() == jingles) {
        platform::ShowMessage(LangFolders.GetText(QStringLiteral("no_delete_folder")) + ' ' + jingles);
        return;
    }
    if (!Confirmed(LangFolders.GetText(QStringLiteral("ok_to_delete_folder")) + QStringLiteral(" \r\n") +
                   page->Caption()))
        return;
    delete page;
    // The sections are numbered by position: after a deletion only a full save names them rightly.
    SaveFolders();
}

void TFFolders::PMFolderSelectAllClick()
{
    if (TTabFolder* page = ActivePage())
        page->SelectAll();
}

QString TFFolders::BrowseFolder() const
{
    return BrowseForFolder(LangFolders.GetText(QStringLiteral("choose one directory")), AppDir);
}

void TFFolders::PMFolderInsertDirectoryClick()
{
    TTabFolder* page = ActivePage();
    if (!page)
        return;
    const QString folder = BrowseFolder();
    if (folder.isEmpty())
        return;
    if (!StorableAsKey(folder)) {
        platform::ShowMessage(LangFolders.GetText(QStringLiteral("folder_not_storable")) + ' ' + folder);
        return;
    }
    if (page->Folders().contains(folder, Qt::CaseInsensitive))
        return;
    FolderFileList files;
    LoadFolderFiles(folder, files);
    page->AddFiles(std::move(files));
    page->AddFolder(folder);
}

void TFFolders::MRUListDirsClick(const QString& folder)
{
    TTabFolder* page = ActivePage();
    if (!page || !Confirmed(LangFolders.GetText(QStringLiteral("ok_to_delete_folder")) +
                            QStringLiteral(" \r\n") + folder))
        return;
    page->RemoveFolder(folder);
    ReloadFolder(PC->IndexOf(page));
}

void TFFolders::PMCarpetasAparienciaPestanyasClick(int tag)
{
    using platform::TTabPosition;
    static constexpr TTabPosition sides[] = {TTabPosition::tpTop, TTabPosition::tpBottom,
                                             TTabPosition::tpLeft, TTabPosition::tpRight};
    if (tag >= 1 && tag <= 4) {
        PC->SetTabPosition(sides[tag - 1]);
    } else if (tag == 5) {
        PC->SetMultiLine(!PC->MultiLine());
        PMFoldersLookTabsMultiline->SetChecked(PC->MultiLine());
    }
}

void TFFolders::PMCarpetasAparienciaColumnasClick(int columns)
{
    StationOptions.FolderColumns = columns;
    for (int i = 0; i < PageCount(); ++i)
        Page(i)->SetColumns(columns);
}

void TFFolders::PMFoldersLookDisplayThemeTagsClick()
{
    StationOptions.ShowTags = !StationOptions.ShowTags;
    PMFoldersLookDisplayThemeTags->SetChecked(StationOptions.ShowTags);
    for (int i = 0; i < PageCount(); ++i)
        Page(i)->Refresh();
}

void TFFolders::PMFoldersLookDisplayFileExtensionsClick()
{
    StationOptions.ShowExtension = !StationOptions.ShowExtension;
    PMFoldersLookDisplayFileExtensions->SetChecked(StationOptions.ShowExtension);
    for (int i = 0; i < PageCount(); ++i)
        Page(i)->Refresh();
}

void TFFolders::PMFoldersThemeInformationClick()
{
    const TTabFolder* page = ActivePage();
    if (!page || page->SelCount() != 1 || !FThemeInfo)
        return;
    if (const TOFileData* file = page->GetFileData(page->ItemIndex())) {
        FThemeInfo->ShowFileData(*file);
        FThemeInfo->ShowModal();
    }
}

void TFFolders::PMFoldersThemeSearchClick()
{
    if (FSearchFiles)
        FSearchFiles->show();
}

void TFFolders::EmitSelectedFiles(const TChannelCalls& channel)
{
    const TTabFolder* page = ActivePage();
    if (!page)
        return;
    QStringList selected;
    page->GetSelected(selected);
    for (const QString& index : selected) {
        const TOFileData* file = page->GetFileData(index.toInt());
        if (channel.AddItem(file->FileName, file->Keep) < 0)
            return;
    }
}

void TFFolders::EmitDirectory(const TChannelCalls& channel)
{
    const QString folder = BrowseFolder();
    if (folder.isEmpty())
        return;
    FolderFileList files;
    LoadFolderFiles(folder, files);
    for (const FolderFile& file : files)
        if (channel.AddItem(file.Data->FileName, file.Data->Keep) < 0)
            return;
}
