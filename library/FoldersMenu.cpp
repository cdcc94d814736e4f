// The folders window's popup menu: its entries in their order, their names and captions, and what
// each runs.
#include "library/Folders.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMMRUList.h"
#include "menus/PMPopupMenu.h"
#include "platform_gui/PageControl.h"

namespace {

template <typename Item>
Item* MenuEntry(QObject* owner, TPMCustomItem* parent, const char* name, const QString& caption,
                QStringList& properties)
{
    auto* item = new Item(owner);
    item->setObjectName(QLatin1String(name));
    item->SetCaption(caption);
    parent->AppendItem(item);
    properties.append(QStringLiteral("FFolders.") + QLatin1String(name) + QStringLiteral(".Caption"));
    return item;
}

void Separator(QObject* owner, TPMCustomItem* parent)
{
    parent->AppendItem(new TPMSeparatorItem(owner));
}

void OnClick(TPMCustomItem* item, std::function<void()> action)
{
    item->OnClick = [action = std::move(action)](TPMCustomItem*) { action(); };
}

} // namespace

void TFFolders::CreateMenu()
{
    QStringList& names = LangFolders.Properties;
    PMFolders = new TPMPopupMenu(this);
    PMFolders->setObjectName(QStringLiteral("PMFolders"));
    TPMCustomItem* root = PMFolders->Items();
    const auto item = [&](TPMCustomItem* parent, const char* name, const QString& caption) {
        return MenuEntry<TPMItem>(this, parent, name, caption, names);
    };
    const auto submenu = [&](TPMCustomItem* parent, const char* name, const QString& caption) {
        return MenuEntry<TPMSubmenuItem>(this, parent, name, caption, names);
    };
    const auto edit = [&](TPMCustomItem* parent, const char* name, const QString& caption) {
        TPMEditItem* entry = MenuEntry<TPMEditItem>(this, parent, name, caption, names);
        entry->SetEditCaption(caption);
        names.append(QStringLiteral("FFolders.") + QLatin1String(name) + QStringLiteral(".EditCaption"));
        return entry;
    };

    PMFoldersThemeCUE = item(root, "PMFoldersThemeCUE", QStringLiteral("CUE"));
    PMFolder = submenu(root, "PMFolder", QStringLiteral("Folder"));
    PMFolderNew = edit(PMFolder, "PMFolderNew", QStringLiteral("New:"));
    PMFolderDelete = item(PMFolder, "PMFolderDelete", QStringLiteral("Delete"));
    PMFolderRename = edit(PMFolder, "PMFolderRename", QStringLiteral("Rename:"));
    Separator(this, PMFolder);
    PMFolderSelectAll = item(PMFolder, "PMFolderSelectAll", QStringLiteral("Select all"));
    Separator(this, PMFolder);
    PMFolderInsertDirectory = item(PMFolder, "PMFolderInsertDirectory", QStringLiteral("Insert Directory"));
    PMFolderDeleteDirectory =
        submenu(PMFolder, "PMFolderDeleteDirectory", QStringLiteral("Delete Directory"));
    MRUListDirs = new TPMMRUList(this);
    MRUListDirs->setObjectName(QStringLiteral("MRUListDirs"));
    MRUListDirs->OnClick = [this](TPMMRUList*, const QString& folder) { MRUListDirsClick(folder); };
    PMCarpetasListaDirs = new TPMMRUListItem(this);
    PMCarpetasListaDirs->setObjectName(QStringLiteral("PMCarpetasListaDirs"));
    PMCarpetasListaDirs->SetMRUList(MRUListDirs);
    PMFolderDeleteDirectory->AppendItem(PMCarpetasListaDirs);

    Separator(this, root);
    PMFoldersLook = submenu(root, "PMFoldersLook", QStringLiteral("Look"));
    PMFoldersLookTabs = submenu(PMFoldersLook, "PMFoldersLookTabs", QStringLiteral("Tabs"));
    const char* const sides[] = {"PMFoldersLookTabsUp", "PMFoldersLookTabsDown", "PMFoldersLookTabsLeft",
                                 "PMFoldersLookTabsRight"};
    const QString sideCaptions[] = {QStringLiteral("Up"), QStringLiteral("Down"), QStringLiteral("Left"),
                                    QStringLiteral("Right")};
    for (int tag = 1; tag <= 4; ++tag)
        OnClick(item(PMFoldersLookTabs, sides[tag - 1], sideCaptions[tag - 1]),
                [this, tag] { PMCarpetasAparienciaPestanyasClick(tag); });
    Separator(this, PMFoldersLookTabs);
    PMFoldersLookTabsMultiline =
        item(PMFoldersLookTabs, "PMFoldersLookTabsMultiline", QStringLiteral("Multiline"));
    PMFoldersLookTabsMultiline->SetChecked(true);
    OnClick(PMFoldersLookTabsMultiline, [this] { PMCarpetasAparienciaPestanyasClick(5); });
    PMFoldersLookColumns = submenu(PMFoldersLook, "PMFoldersLookColumns", QStringLiteral("Columns"));
    for (int columns = 1; columns <= 10; ++columns) {
        auto* entry = new TPMItem(this);
        entry->SetCaption(QString::number(columns));
        PMFoldersLookColumns->AppendItem(entry);
        OnClick(entry, [this, columns] { PMCarpetasAparienciaColumnasClick(columns); });
    }
    Separator(this, PMFoldersLook);
    PMFoldersLookDisplayThemeTags =
        item(PMFoldersLook, "PMFoldersLookDisplayThemeTags", QStringLiteral("Use theme tags"));
    PMFoldersLookDisplayFileExtensions =
        item(PMFoldersLook, "PMFoldersLookDisplayFileExtensions", QStringLiteral("Display file extensions"));

    Separator(this, root);
    PMFoldersTheme = submenu(root, "PMFoldersTheme", QStringLiteral("Theme"));
    PMFoldersThemeInformation =
        item(PMFoldersTheme, "PMFoldersThemeInformation", QStringLiteral("Information"));
    PMFoldersThemeSearch = item(PMFoldersTheme, "PMFoldersThemeSearch", QStringLiteral("Search"));
    PMFilesEmit = submenu(PMFoldersTheme, "PMFilesEmit", QStringLiteral("Emit"));
    PMFilesEmitChannel1 = item(PMFilesEmit, "PMFilesEmitChannel1", QStringLiteral("To channel 1"));
    PMFilesEmitChannel2 = item(PMFilesEmit, "PMFilesEmitChannel2", QStringLiteral("To channel 2"));
    PMFilesEmitChannel3 = item(PMFilesEmit, "PMFilesEmitChannel3", QStringLiteral("To channel 3"));
    PMFoldersDir = submenu(root, "PMFoldersDir", QStringLiteral("Directory"));
    PMDirEmit = submenu(PMFoldersDir, "PMDirEmit", QStringLiteral("Emit"));
    PMDirEmitChannel1 = item(PMDirEmit, "PMDirEmitChannel1", QStringLiteral("To channel 1"));
    PMDirEmitChannel2 = item(PMDirEmit, "PMDirEmitChannel2", QStringLiteral("To channel 2"));
    PMDirEmitChannel3 = item(PMDirEmit, "PMDirEmitChannel3", QStringLiteral("To channel 3"));
    // The window system offers no system menu here: the command is the menu's last entry.
    Separator(this, root);
    PMFoldersSetMainWindow = item(root, "PMFoldersSetMainWindow", QStringLiteral("set as main window"));

    PMFolders->OnPopup = [this](QObject* sender) {
        if (sender == PMFolders)
            PMFoldersPopup();
    };
    PMFolderNew->OnAcceptText = [this](TPMItemViewer*, QString& text, bool& accept) {
        PMFolderNewAcceptText(text, accept);
    };
    PMFolderRename->OnAcceptText = [this](TPMItemViewer*, QString& text, bool& accept) {
        PMFolderRenameAcceptText(text, accept);
    };
    OnClick(PMFoldersThemeCUE, [this] { PMFoldersThemeCUEClick(); });
    OnClick(PMFolderDelete, [this] { PMFolderDeleteClick(); });
    OnClick(PMFolderSelectAll, [this] { PMFolderSelectAllClick(); });
    OnClick(PMFolderInsertDirectory, [this] { PMFolderInsertDirectoryClick(); });
    OnClick(PMFoldersLookDisplayThemeTags, [this] { PMFoldersLookDisplayThemeTagsClick(); });
    OnClick(PMFoldersLookDisplayFileExtensions, [this] { PMFoldersLookDisplayFileExtensionsClick(); });
    OnClick(PMFoldersThemeInformation, [this] { PMFoldersThemeInformationClick(); });
    OnClick(PMFoldersThemeSearch, [this] { PMFoldersThemeSearchClick(); });
    OnClick(PMFilesEmitChannel1, [this] { EmitSelectedFiles(Channel); });
    OnClick(PMDirEmitChannel1, [this] { EmitDirectory(Channel); });
    OnClick(PMFoldersSetMainWindow, [this] {
        if (SetAsMainWindow)
            SetAsMainWindow();
    });
    PMFolders->AttachTo(PC);
}
