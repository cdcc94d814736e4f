#include "library/TabFolder.h"

#include "foundation/Durations.h"
#include "foundation/Options.h"
#include "foundation_gui/ListRowPainter.h"
#include "platform_gui/Font.h"
#include "platform_gui/PageControl.h"
#include "playout/QueueMimeTypes.h"

#include <QAbstractListModel>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

std::atomic<uint64_t> lastToken{0};

// Items are painted by the page they belong to.
class TFolderItemDelegate : public QStyledItemDelegate {
public:
    TFolderItemDelegate(TTabFolder* page, TFolderListView* list)
        : QStyledItemDelegate(list), page_(page), list_(list)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        page_->DrawItem(*painter, index.row(), option.rect, option.state.testFlag(QStyle::State_Selected));
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return list_->gridSize().isValid() ? list_->gridSize() : QSize(1, list_->ItemHeight());
    }

private:
    TTabFolder* page_;
    TFolderListView* list_;
};

} // namespace

// The page's records, one row each; a drag carries their values, never the records themselves.
class TFolderFilesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    std::vector<std::unique_ptr<TOFileData>> Files;

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(Files.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= Files.size())
            return {};
        return Files[size_t(index.row())]->Name;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
                               : Qt::NoItemFlags;
    }
    QStringList mimeTypes() const override { return {QLatin1String(FolderFilesMimeType)}; }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    QMimeData* mimeData(const QModelIndexList& indexes) const override
    {
        std::vector<int> rows;
        for (const QModelIndex& index : indexes)
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        QList<TTemaData> items;
        for (const int row : rows) {
            const TOFileData& file = *Files[size_t(row)];
            items.append({FileDisplayName(file, StationOptions.ShowTags, StationOptions.ShowExtension),
                          file.FileName, file.Duration, file.Bitrate, file.Keep, 0});
        }
        auto* mime = new QMimeData;
        EncodeFolderFiles(*mime, items);
        return mime;
    }

    void Append(std::vector<std::unique_ptr<TOFileData>>&& files)
    {
        if (files.empty())
            return;
        const int first = int(Files.size());
        beginInsertRows({}, first, first + int(files.size()) - 1);
        for (auto& file : files)
            Files.push_back(std::move(file));
        endInsertRows();
    }
    void Clear()
    {
        beginResetModel();
        Files.clear();
        endResetModel();
    }
};

TFolderListView::TFolderListView(QWidget* parent) : QListView(parent)
{
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSpacing(0);
}

void TFolderListView::SetColumns(int columns)
{
    columns_ = std::max(columns, 1);
    UpdateGrid();
}

void TFolderListView::SetItemHeight(int height)
{
    itemHeight_ = std::max(height, 1);
    UpdateGrid();
}

void TFolderListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    UpdateGrid();
}

void TFolderListView::UpdateGrid()
{
    const QSize grid(std::max(viewport()->width() / columns_, 1), itemHeight_);
    if (grid != gridSize())
        setGridSize(grid);
}

TTabFolder::TTabFolder(int imageIndex, platform::TPageControl* pageControl, const QString& caption)
    : token_(++lastToken), imageIndex_(imageIndex), model_(new TFolderFilesModel(this)),
      list_(new TFolderListView(this))
{
    list_->setModel(model_);
    list_->setItemDelegate(new TFolderItemDelegate(this, list_));
    list_->setFont(platform::MakeQFont(QStringLiteral("Courier New"), -11, 0));
    QPalette colours = list_->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, QColor(0, 255, 0));
    list_->setPalette(colours);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    pageControl->AddPage(this, caption);
}

TTabFolder::~TTabFolder() = default;

bool TTabFolder::Rename(const QString& name)
{
    if (name.isEmpty())
        return false;
    setWindowTitle(name);
    return true;
}

void TTabFolder::SetColumns(int columns)
{
    list_->SetColumns(columns);
}

int TTabFolder::Columns() const
{
    return list_->Columns();
}

void TTabFolder::SetItemHeight(int height)
{
    list_->SetItemHeight(height);
}

void TTabFolder::AddFileData(std::unique_ptr<TOFileData> data)
{
    std::vector<std::unique_ptr<TOFileData>> one;
    one.push_back(std::move(data));
    model_->Append(std::move(one));
}

void TTabFolder::AddFiles(FolderFileList&& files)
{
    std::vector<std::unique_ptr<TOFileData>> records;
    records.reserve(files.size());
    for (FolderFile& file : files)
        records.push_back(std::move(file.Data));
    model_->Append(std::move(records));
}

void TTabFolder::ClearItems()
{
    model_->Clear();
}

int TTabFolder::ItemCount() const
{
    return int(model_->Files.size());
}

int TTabFolder::SelCount() const
{
    return int(list_->selectionModel()->selectedRows().size());
}

int TTabFolder::ItemIndex() const
{
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

TOFileData* TTabFolder::GetFileData(int index) const
{
    return index >= 0 && index < ItemCount() ? model_->Files[size_t(index)].get() : nullptr;
}

void TTabFolder::GetSelected(QStringList& list) const
{
    list.clear();
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    for (const int row : rows)
        list.append(QString::number(row));
}

void TTabFolder::SelectAll()
{
    list_->selectAll();
}

void TTabFolder::Refresh()
{
    list_->viewport()->update();
}

void TTabFolder::AddFolder(const QString& path)
{
    if (!folderKeys_.contains(path.toCaseFolded())) {
        folderKeys_.insert(path.toCaseFolded());
        folders_.append(path);
    }
}

bool TTabFolder::RemoveFolder(const QString& path)
{
    folders_.removeIf([&](const QString& folder) { return folder.compare(path, Qt::CaseInsensitive) == 0; });
    folderKeys_.remove(path.toCaseFolded());
    return true;
}

void TTabFolder::SetFolder(int index, const QString& path)
{
    if (index < 0 || index >= folders_.size())
        return;
    folders_[index] = path;
    // Two entries may differ only in case once one is set: the set holds what the list holds.
    folderKeys_.clear();
    for (const QString& folder : std::as_const(folders_))
        folderKeys_.insert(folder.toCaseFolded());
}

void TTabFolder::DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const
{
    const TOFileData* file = GetFileData(index);
    if (!file)
        return;
    TListRowLook look{selected ? RoleFoldersSelected : RoleFolders, RoleFoldersInfo, RoleFolders};
    look.InfoAlign = Qt::AlignRight;
    PaintListRow(painter, rect, index, look,
                 FileDisplayName(*file, StationOptions.ShowTags, StationOptions.ShowExtension),
                 FormatDuration(file->Duration * 1000));
}
