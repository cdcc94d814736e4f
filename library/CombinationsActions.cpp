// The combinations window's popup menu and what its commands, the drops and the renames do to the tree.
#include "audioinfo/FolderListing.h"
#include "audioinfo/OFileData.h"
#include "foundation/General.h"
#include "foundation_gui/WindowHelpers.h"
#include "library/CombiDragRules.h"
#include "library/Combinations.h"
#include "library/CombinationsTree.h"
#include "library/SearchFiles.h"
#include "library/ThemeInfo.h"
#include "library/TreeRoutines.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMPopupMenu.h"
#include "platform/Random.h"
#include "platform_gui/Dialogs.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/QueueMimeTypes.h"

#include <QApplication>
#include <QFileInfo>
#include <QMimeData>

using namespace library;

namespace {

const QString MediaFilter = QStringLiteral(
    "All media files (*.mp3,*.wav,*.ogg,*.wma)|*.mp3;*.wav;*.ogg;*.wma|MP3 files (*.mp3)|*.mp3|WAV files "
    "(*.wav)|*.wav|OGG files (*.ogg)|*.ogg|WMA files (*.wma)|*.wma|All files (*.*)|*.*");

void ExpandSubtree(QTreeWidgetItem* top)
{
    for (QTreeWidgetItemIterator it(top); *it && IsAncestorNode(top, *it); ++it)
        (*it)->setExpanded(true);
}

// Takes the node out of its place, keeping its subtree; it goes back in with insertChild.
QTreeWidgetItem* Detach(QTreeWidgetItem* node)
{
    QTreeWidgetItem* parent = node->parent();
    return parent ? parent->takeChild(parent->indexOfChild(node)) : nullptr;
}

// The busy cursor while a folder of thousands of files is read.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

TPMItem* TFCombinations::AddItem(TPMCustomItem* parent, const char* name, const QString& caption,
                                 std::function<void()> click)
{
    auto* item = new TPMItem(this);
    item->setObjectName(QLatin1String(name));
    item->SetCaption(caption);
    item->OnClick = [click = std::move(click)](TPMCustomItem*) { click(); };
    parent->AppendItem(item);
    return item;
}

void TFCombinations::AddEmitItems(TPMSubmenuItem* submenu)
{
    // One playout channel exists: channels 2 and 3 stay hidden.
    for (int channel = 1; channel <= 3; ++channel) {
        TPMItem* item =
            AddItem(submenu, "", QStringLiteral("To channel %1").arg(channel), [this] { EmitSelected(); });
        item->setObjectName(submenu->objectName() + QString::number(channel));
        item->SetVisible(channel == 1);
    }
}

void TFCombinations::CreateMenu()
{
    TPMRootItem* root = PMCombinaciones->Items();
    auto submenu = [this](TPMCustomItem* parent, const char* name, const QString& caption) {
        auto* item = new TPMSubmenuItem(this);
        item->setObjectName(QLatin1String(name));
        item->SetCaption(caption);
        parent->AppendItem(item);
        return item;
    };
    auto separator = [this](TPMCustomItem* parent) { parent->AppendItem(new TPMSeparatorItem(this)); };

    PMCombinations = submenu(root, "PMCombinations", QStringLiteral("Combinations"));
    PMCombinationsNew = new TPMEditItem(this);
    PMCombinationsNew->setObjectName(QStringLiteral("PMCombinationsNew"));
    PMCombinationsNew->SetCaption(QStringLiteral("New"));
    PMCombinationsNew->SetEditCaption(QStringLiteral("New"));
    PMCombinationsNew->SetEditWidth(120);
    PMCombinationsNew->OnAcceptText = [this](TPMItemViewer*, QString& text, bool& accept) {
        accept = NewCombination(text);
    };
    PMCombinations->AppendItem(PMCombinationsNew);
    PMCombinationsDelete =
        AddItem(PMCombinations, "PMCombinationsDelete", "Delete", [this] { DeleteSelected(); });
    PMCombinationsEmit = submenu(PMCombinations, "PMCombinationsEmit", QStringLiteral("Emit"));
    AddEmitItems(PMCombinationsEmit);
    PMCombinationsRandom =
        AddItem(PMCombinations, "PMCombinationsRandom", "Random", [this] { RandomSelected(); });

    PMThemes = submenu(root, "PMThemes", QStringLiteral("Themes"));
    PMThemesCUE = AddItem(PMThemes, "PMThemesCUE", "CUE", [this] { CUESelected(); });
    PMThemesAdd = AddItem(PMThemes, "PMThemesAdd", "Add theme", [this] { AddThemes(); });
    PMThemesAddDirectory =
        AddItem(PMThemes, "PMThemesAddDirectory", "Add directory", [this] { AddDirectory(); });
    PMThemesDelete = AddItem(PMThemes, "PMThemesDelete", "Delete", [this] { DeleteSelected(); });
    PMThemesSearch = AddItem(PMThemes, "PMThemesSearch", "Search", [] {
        if (FSearchFiles)
            FSearchFiles->show();
    });
    PMThemesEmit = submenu(PMThemes, "PMThemesEmit", QStringLiteral("Emit"));
    AddEmitItems(PMThemesEmit);
    separator(PMThemes);
    PMThemesInformation =
        AddItem(PMThemes, "PMThemesInformation", "Information", [this] { InformationSelected(); });
    separator(root);
    PMCut = AddItem(root, "PMCut", "Cut", [this] { CopySelected(1); });
    PMPaste = AddItem(root, "PMPaste", "Paste", [this] { PMPasteClick(); });
    PMCopy = AddItem(root, "PMCopy", "Copy", [this] { CopySelected(0); });
    PMUnselect = AddItem(root, "PMUnselect", "Unselect", [this] { UnselectClick(); });
    for (TPMItem* held : {PMCut, PMPaste, PMCopy, PMUnselect})
        held->SetVisible(false);
    separator(root);
    PMShowCombinationsOnly =
        AddItem(root, "PMShowCombinationsOnly", "Show combinations only", [this] { CollapseCombinations(); });
    PMExpandAll = AddItem(root, "PMExpandAll", "Expand all", [this] { TVCombinaciones->expandAll(); });
    PMCollapseAll =
        AddItem(root, "PMCollapseAll", "Collapse all", [this] { TVCombinaciones->collapseAll(); });
    separator(root);
    PMReloadAll = AddItem(root, "PMReloadAll", "Reload from disk", [this] { ReloadFromDisk(); });
    PMSaveToDisk = AddItem(root, "PMSaveToDisk", "Save to disk", [this] { SaveToDisk(); });
    PMCombinaciones->OnPopup = [this](QObject* sender) {
        if (sender == PMCombinaciones)
            PMCombinacionesPopup();
    };
    // Every entry's caption comes from the language file, the edit label of "New" too.
    for (const TPMCustomItem* entry : findChildren<TPMCustomItem*>()) {
        if (entry->objectName().isEmpty())
            continue;
        const QString path = objectName() + u'.' + entry->objectName();
        LangCombinations.Properties.append(path + QStringLiteral(".Caption"));
        if (qobject_cast<const TPMEditItem*>(entry) != nullptr)
            LangCombinations.Properties.append(path + QStringLiteral(".EditCaption"));
    }
}

void TFCombinations::ShowPopup(const QPoint& at)
{
    PMCombinaciones->Popup(at.x(), at.y());
    BusyEnded();
}

void TFCombinations::PMCombinacionesPopup()
{
    PMCombinationsNew->SetText({});
    const TCombiItem* focused = FocusedNode();
    popupItems_ = PopupItems(popupItems_, {focused ? focused->Data.Kind : -1, runMode_,
                                           Clipboard.IsEmpty() ? -1 : Clipboard.Kind(),
                                           int(TVCombinaciones->Selections().size())});
    const TCombiPopupItems& show = popupItems_;
    PMCombinations->SetVisible(show.Combinations);
    PMCombinationsNew->SetVisible(show.New);
    PMCombinationsDelete->SetVisible(show.CombinationsDelete);
    PMCombinationsEmit->SetVisible(show.CombinationsEmit);
    PMCombinationsRandom->SetVisible(show.Random);
    PMThemes->SetVisible(show.Themes);
    PMThemesCUE->SetVisible(show.CUE);
    PMThemesAdd->SetVisible(show.AddTheme);
    PMThemesAddDirectory->SetVisible(show.AddDirectory);
    PMThemesDelete->SetVisible(show.ThemesDelete);
    PMThemesEmit->SetVisible(show.ThemesEmit);
    PMThemesInformation->SetVisible(show.Information);
    PMCut->SetVisible(show.Cut);
    PMPaste->SetVisible(show.Paste);
    PMCopy->SetVisible(show.Copy);
    PMUnselect->SetVisible(show.Unselect);
}

TCombiItem* TFCombinations::AddCombination(const QString& name)
{
    if (name.trimmed().isEmpty())
        return nullptr;
    EnsureRootNode();
    TCombiItem* root = Root();
    TCombiItem* node = NewCombiNode(name, 1);
    root->addChild(node);
    node->setExpanded(true);
    TVCombinaciones->clearSelection();
    TVCombinaciones->setCurrentItem(node);
    return node;
}

bool TFCombinations::NewCombination(const QString& name)
{
    return AddCombination(name) != nullptr;
}

TCombiItem* TFCombinations::AddTheme(QTreeWidgetItem* parent, const QString& path, int64_t duration,
                                     bool first)
{
    TCombiItem* node = NewCombiNode(path, 2, duration);
    if (first)
        parent->insertChild(0, node);
    else
        parent->addChild(node);
    return node;
}

void TFCombinations::AddThemes()
{
    TCombiItem* target = FocusedNode();
    if (!target)
        return;
    platform::FileDialogOptions options;
    options.start = AppDir;
    options.filter = MediaFilter;
    options.multiSelect = true;
    const QStringList paths = Modal([&] { return platform::OpenFiles(options); });
    // The last chosen comes first: each is added as the last child, from the last to the first.
    for (auto path = paths.crbegin(); path != paths.crend(); ++path)
        AddTheme(target, *path, TOFileData::Create(*path, true)->Duration, false);
    ExpandSubtree(target);
}

void TFCombinations::AddDirectory()
{
    TCombiItem* target = FocusedNode();
    if (!target)
        return;
    const QString folder =
        Modal([&] { return BrowseForFolder(QStringLiteral("Selecciona un Directorio"), AppDir); });
    if (folder.isEmpty())
        return;
    FolderFileList files;
    {
        const BusyCursor busy;
        LoadFolderFiles(folder, files);
    }
    QList<QTreeWidgetItem*> themes;
    for (const FolderFile& file : files)
        themes.append(NewCombiNode(file.Data->FileName, 2, file.Data->Duration));
    // One insertion, one relayout, however many files the folder holds.
    target->addChildren(themes);
    ExpandSubtree(target);
}

void TFCombinations::DeleteSelected()
{
    const std::vector<TCombiItem*> nodes = TVCombinaciones->SelectedNodes();
    if (nodes.empty())
        return;
    QString names;
    bool root = false;
    for (auto node = nodes.crbegin(); node != nodes.crend(); ++node) {
        names += '"' + (*node)->Data.Name + "\"\n";
        root = root || (*node)->parent() == nullptr;
    }
    if (root) {
        const QString text =
            LangCombinations.GetText(QStringLiteral("you can not delete combinations root node"));
        Modal([&] { platform::ShowMessage(text); });
        return;
    }
    const QString question = "Vas a eliminar \n" + names + "\n ¿Estás seguro?";
    if (!Modal([&] { return platform::AskYesNo(QGuiApplication::applicationDisplayName(), question); }))
        return;
    // The question was modal: a node may have gone meanwhile, so the ids are looked up again.
    const std::vector<TCombiItem*> still = TVCombinaciones->SelectedNodes();
    for (auto node = still.crbegin(); node != still.crend(); ++node)
        delete *node;
}

void TFCombinations::EmitSelected()
{
    if (!FChannel1)
        return;
    const std::vector<TCombiItem*> nodes = TVCombinaciones->SelectedNodes();
    for (auto node = nodes.crbegin(); node != nodes.crend(); ++node) {
        if ((*node)->Data.Kind == 2) {
            FChannel1->AddItem((*node)->Data.Name, 1);
            continue;
        }
        if ((*node)->Data.Kind != 1)
            continue;
        for (int i = 0; i < (*node)->childCount(); ++i)
            if (const TCombiItem* theme = CombiItem((*node)->child(i)); theme && theme->Data.Kind == 2)
                FChannel1->AddItem(theme->Data.Name, 1);
    }
}

void TFCombinations::RandomSelected()
{
    TVCombinaciones->setUpdatesEnabled(false);
    for (TCombiItem* node : TVCombinaciones->SelectedNodes()) {
        // Position 0 holds the last child; the array keeps its nodes while they move in the tree.
        TMatTreeNodes children;
        for (int i = node->childCount() - 1; i >= 0; --i)
            children.push_back(node->child(i));
        const int count = int(children.size());
        for (int p = 0; p < count; ++p)
            SwapTreeNodes(TVCombinaciones, children[size_t(p)], children[size_t(platform::Random(count))]);
    }
    TVCombinaciones->setUpdatesEnabled(true);
}

void TFCombinations::CUESelected()
{
    const std::vector<TCombiItem*> nodes = TVCombinaciones->SelectedNodes();
    // The player stops what it plays and plays nothing for a name that is no file.
    if (nodes.empty() || !FCUEPlayer)
        return;
    FCUEPlayer->PlayFile(nodes.front()->Data.Name);
}

void TFCombinations::InformationSelected()
{
    const std::vector<TCombiItem*> nodes = TVCombinaciones->SelectedNodes();
    if (nodes.empty())
        return;
    const std::unique_ptr<TOFileData> data = TOFileData::Create(nodes.front()->Data.Name, true);
    QString status;
    if (data->GetStatus(status) != FileStatusOk) {
        ShowError(status);
        return;
    }
    if (!FThemeInfo)
        return;
    FThemeInfo->ShowFileData(*data);
    Modal([] { FThemeInfo->ShowModal(); });
}

void TFCombinations::CopySelected(int operation)
{
    const TCombiItem* focused = FocusedNode();
    if (!focused)
        return;
    const std::vector<uint64_t> ids = TVCombinaciones->Selections();
    Clipboard.SetContent(focused->Data.Kind, operation, int(ids.size()));
    std::copy(ids.begin(), ids.end(), Clipboard.Items.begin());
    TVCombinaciones->viewport()->update();
}

void TFCombinations::PMPasteClick()
{
    TCombiItem* target = FocusedNode();
    if (!target)
        return;
    const int32_t kind = target->Data.Kind;
    for (const uint64_t id : TMatHTreeItems(Clipboard.Items)) {
        TCombiItem* held = FindNodeById(TVCombinaciones, id);
        if (!held)
            continue; // deleted or reloaded since it was cut or copied
        const int32_t heldKind = held->Data.Kind;
        if (heldKind == 2 && kind == 2)
            return;
        if (heldKind == 2 && kind == 1) {
            if (Clipboard.Operation() == 1)
                target->insertChild(0, Detach(held));
            else
                CopyTreeNode(TVCombinaciones, held, target, CopyMode::Plain);
            ExpandSubtree(held);
        } else if (heldKind == 1 && kind == 0) {
            QTreeWidgetItem* copy = CopyTreeNode(TVCombinaciones, held, target, CopyMode::Combination);
            if (!copy)
                continue;
            TVCombinaciones->clearSelection();
            TVCombinaciones->setCurrentItem(copy);
            ExpandSubtree(copy);
        }
    }
    Clipboard.Clear();
    TVCombinaciones->viewport()->update();
}

void TFCombinations::UnselectClick()
{
    Clipboard.Clear();
    TVCombinaciones->viewport()->update();
}

void TFCombinations::ReloadFromDisk()
{
    LoadFromFile(CombinationsPath, true);
}

void TFCombinations::SaveToDisk()
{
    SaveToFile(true);
}

bool TFCombinations::CanDrop(const QMimeData& data, bool fromTree, QTreeWidgetItem* target) const
{
    TDragSource source = TDragSource::Other;
    if (fromTree && data.hasFormat(QLatin1String(CombinationNodesMimeType)))
        source = TDragSource::Tree;
    else if (data.hasFormat(QLatin1String(SearchFilesMimeType)))
        source = TDragSource::SearchList;
    else if (data.hasFormat(QLatin1String(FolderFilesMimeType)))
        source = TDragSource::FolderPage;
    return DragAccepts(DragCaseOf(source, TVCombinaciones->currentItem(), target));
}

void TFCombinations::DropOn(const QMimeData& data, bool fromTree, QTreeWidgetItem* target)
{
    if (!CanDrop(data, fromTree, target))
        return;
    if (fromTree) {
        const TCombiItem* focused = FocusedNode();
        const TDropMove move = DropMoveFor(focused->Data.Kind, CombiItem(target)->Data.Kind);
        if (move == TDropMove::None)
            return;
        for (TCombiItem* node : TVCombinaciones->SelectedNodes()) {
            // A node is never placed before itself, nor inside its own subtree.
            if (node->Data.Kind != focused->Data.Kind || IsAncestorNode(node, target))
                continue;
            Detach(node);
            if (move == TDropMove::FirstChild) {
                target->insertChild(0, node);
                node->setExpanded(true);
            } else {
                target->parent()->insertChild(target->parent()->indexOfChild(target), node);
                (node->Data.Kind == 1 ? node : target)->setExpanded(true);
            }
        }
        return;
    }
    // Each as the first child, from the last to the first: the dropped files keep their order at the top.
    if (data.hasFormat(QLatin1String(SearchFilesMimeType))) {
        const QStringList paths = DecodeSearchFiles(data);
        for (auto path = paths.crbegin(); path != paths.crend(); ++path)
            if (!path->isEmpty())
                AddTheme(target, *path, TOFileData::Create(*path, true)->Duration, true);
    } else {
        const QList<TTemaData> items = DecodeFolderFiles(data);
        for (auto item = items.crbegin(); item != items.crend(); ++item)
            AddTheme(target, item->FileName, item->Duration, true);
    }
    target->setExpanded(true);
}

void TFCombinations::NodeEdited(TCombiItem* node, const QString& text)
{
    if (!node || text == node->text(0))
        return;
    const int32_t kind = node->Data.Kind;
    if (kind == 1 && text.trimmed().isEmpty())
        return; // as New refuses it
    if (kind == 2 && !QFileInfo(text).isFile()) {
        const uint64_t id = node->Id();
        const bool restore = Modal([] {
            return platform::AskYesNo(QGuiApplication::applicationDisplayName(),
                                      "El fichero renombrado no existe. ¿Deseas dejarlo como estaba?");
        });
        node = FindNodeById(TVCombinaciones, id);
        if (restore || !node)
            return;
    }
    if (kind != 1 && kind != 2)
        return;
    node->setText(0, text);
    node->Data.Name = text;
    if (kind == 2)
        node->Data.Duration = GetFileDuration(text);
    Changed();
}
