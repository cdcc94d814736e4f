#include "playout/ChannelQueue.h"

#include "audioinfo/ItemDuration.h"
#include "audioinfo/OFileData.h"
#include "foundation/Durations.h"
#include "foundation/Files.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/QueueEntryText.h"
#include "foundation/Shuffle.h"
#include "playout/AudioLayer.h"
#include "playout/QueueMimeTypes.h"

#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

constexpr int ModuleChannel = 10;
constexpr int ModuleQueue = 200;
constexpr int EventStopping = 113;
constexpr int EventAlreadyStopped = 102;
constexpr int EventItem = 100;

TTemaData FileEntry(const TOFileData& file, uint8_t keep)
{
    return {file.Name, file.FileName, file.Duration, file.Bitrate, keep, ItemKindFile};
}

TTemaData LineInEntry(const QString& text, uint8_t keep)
{
    return {text, QString(), GetItemDuration(text), 0, keep, ItemKindLineIn};
}

TTemaData LabelEntry(const QString& text, uint8_t keep)
{
    return {text, QString(), 0, 0, keep, ItemKindLabel};
}

} // namespace

TChannelQueue::TChannelQueue(int channelNo, QObject* parent)
    : QAbstractListModel(parent), channelNo_(channelNo), selection_(this)
{
}

TChannelQueue::~TChannelQueue() = default;

int TChannelQueue::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count();
}

QVariant TChannelQueue::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Count())
        return {};
    const TTemaData& entry = Entry(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return entry.Title;
    case DurationRole:
        return QVariant::fromValue<qint64>(entry.Duration);
    case PlayingRole:
        return index.row() == ItemIndex();
    default:
        return {};
    }
}

Qt::ItemFlags TChannelQueue::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

Qt::DropActions TChannelQueue::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions TChannelQueue::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

QStringList TChannelQueue::mimeTypes() const
{
    return {QLatin1String(ChannelItemsMimeType)};
}

QMimeData* TChannelQueue::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto* mime = new QMimeData;
    EncodeChannelItems(*mime, channelNo_);
    return mime;
}

QList<TTemaData> TChannelQueue::Entries() const
{
    QList<TTemaData> entries;
    entries.reserve(Count());
    for (const auto& entry : entries_)
        entries.append(*entry);
    return entries;
}

int TChannelQueue::ItemIndex() const
{
    return Channels[channelNo_].ItemIndex();
}

void TChannelQueue::SetItemIndex(int index)
{
    Channels[channelNo_].SetItemIndex(index);
    // The playing highlight is read from the index on every paint.
    if (Count() > 0)
        emit dataChanged(this->index(0), this->index(Count() - 1), {PlayingRole});
    emit ItemIndexChanged(index);
}

QList<int> TChannelQueue::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selection_.selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TChannelQueue::SelectAll()
{
    if (Count() == 0)
        return;
    selection_.select(QItemSelection(index(0), index(Count() - 1)), QItemSelectionModel::Select);
}

int TChannelQueue::AddItem(const QString& text, uint8_t keep)
{
    switch (GetItemKind(text)) {
    case ItemKindFile:
        return AddFileItem(text, keep);
    case ItemKindLineIn:
        return AddLineInItem(text, keep);
    case ItemKindLabel:
        return AddLabelItem(text, keep);
    default:
        return -1; // an empty text: a refused append must not look like an index
    }
}

int TChannelQueue::AddFileItem(const QString& path, uint8_t keep)
{
    const auto file = TOFileData::Create(path, true);
    if (!Readable(*file))
        return -1;
    const int row = Append(FileEntry(*file, keep));
    UpdateTimes(TimeAdd, file->Duration);
    return row;
}

int TChannelQueue::AddLineInItem(const QString& text, uint8_t keep)
{
    return Append(LineInEntry(text, keep));
}

int TChannelQueue::AddLabelItem(const QString& text, uint8_t keep)
{
    return Append(LabelEntry(text, keep));
}

void TChannelQueue::InsertItem(int index, const QString& text, uint8_t keep)
{
    index = std::clamp(index, 0, Count());
    switch (GetItemKind(text)) {
    case ItemKindFile: {
        const auto file = TOFileData::Create(text, true);
        if (!Readable(*file))
            return;
        Insert(index, FileEntry(*file, keep));
        UpdateTimes(TimeInsert, file->Duration);
        break;
    }
    case ItemKindLineIn:
        Insert(index, LineInEntry(text, keep));
        break;
    case ItemKindLabel:
        Insert(index, LabelEntry(text, keep));
        break;
    default:
        break;
    }
}

void TChannelQueue::DeleteSelected()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty())
        return;
    bool stopped = false;
    const int current = ItemIndex();
    for (const int row : rows) {
        const TTemaData& entry = Entry(row);
        // By row: another copy of the file on air (a jingle queued many times) is not the entry on air.
        if (row == current) {
            StopPlayback();
            emit CountdownShown(FormatDuration(0));
            stopped = true;
        }
        UpdateTimes(TimeDelete, entry.Duration);
    }
    DeleteRows(rows, stopped);
}

void TChannelQueue::MoveSelected(int target)
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty())
        return;
    target = std::clamp(target, 0, Count());
    QList<int> unselected;
    for (int row = 0; row < Count(); ++row)
        if (!selected.contains(row))
            unselected.append(row);
    // The block goes before the first unselected entry at or after the target.
    const auto before =
        std::count_if(unselected.begin(), unselected.end(), [target](int r) { return r < target; });
    QList<int> order = unselected.mid(0, before);
    order.append(selected);
    order.append(unselected.mid(before));
    Reorder(order);
}

void TChannelQueue::ShuffleItems(bool all)
{
    const QList<int> taking = [&] {
        if (!all)
            return SelectedRows();
        QList<int> rows;
        for (int row = 0; row < Count(); ++row)
            rows.append(row);
        return rows;
    }();
    if (taking.isEmpty())
        return;
    WriteLog(1, 0, ModuleQueue, channelNo_, -1, QStringLiteral("Randomizing themes"));
    const QList<int> shuffled = ShuffleStrings(taking);
    QList<int> order;
    for (int row = 0; row < Count(); ++row)
        order.append(row);
    // The k-th place taking part receives the k-th shuffled entry.
    for (int k = 0; k < taking.size(); ++k)
        order[taking[k]] = shuffled[k];
    Reorder(order);
}

void TChannelQueue::RecomputeTotal()
{
    QList<int> dropped;
    totalMs_ = 0;
    for (int row = 0; row < Count(); ++row) {
        if (Entry(row).Keep == 0)
            dropped.append(row);
        else
            totalMs_ += Entry(row).Duration * 1000;
    }
    DeleteRows(dropped, false);
}

bool TChannelQueue::CanDrop(const QMimeData& mime) const
{
    if (mime.hasFormat(QLatin1String(ChannelItemsMimeType)))
        return DecodeChannelItems(mime) == channelNo_;
    return mime.hasFormat(QLatin1String(SearchFilesMimeType)) ||
           mime.hasFormat(QLatin1String(FolderFilesMimeType)) ||
           mime.hasFormat(QLatin1String(CombinationNodesMimeType)) || mime.hasUrls();
}

void TChannelQueue::Drop(const QMimeData& mime, int target)
{
    if (!CanDrop(mime))
        return;
    if (mime.hasFormat(QLatin1String(ChannelItemsMimeType))) {
        MoveSelected(target);
    } else if (mime.hasFormat(QLatin1String(SearchFilesMimeType))) {
        // The search found these files readable; a file that went bad fails when it is started. A path
        // that names no file at all is no entry.
        for (const QString& path : DecodeSearchFiles(mime)) {
            if (path.isEmpty())
                continue;
            const auto file = TOFileData::Create(path, true);
            Append(FileEntry(*file, file->Keep));
            UpdateTimes(TimeDropSearch, file->Duration);
        }
    } else if (mime.hasFormat(QLatin1String(FolderFilesMimeType))) {
        for (TTemaData entry : DecodeFolderFiles(mime)) {
            entry.Kind = ItemKindFile;
            const int64_t duration = entry.Duration;
            Append(std::move(entry));
            UpdateTimes(TimeDropFolder, duration);
        }
    } else if (mime.hasFormat(QLatin1String(CombinationNodesMimeType))) {
        for (const TDraggedNode& node : DecodeCombinationNodes(mime)) {
            if (node.Kind == NodeKindFile) {
                AddItem(node.Name, 1);
                continue;
            }
            for (const TDraggedNode& child : node.Children)
                if (child.Kind == NodeKindFile)
                    AddItem(child.Name, 1);
        }
    } else {
        DropFiles(mime.urls());
    }
}

void TChannelQueue::DropFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && IsAudioFile(path))
            AddItem(path, 1);
    }
}

bool TChannelQueue::CrossfadeApplies(int64_t seconds) const
{
    return StationOptions.CrossfadeEnabled[channelNo_] && seconds > StationOptions.CrossfadeMin[channelNo_] &&
           Count() > 1;
}

void TChannelQueue::UpdateTimes(int event, int64_t value)
{
    const int64_t crossfadeMs = int64_t(StationOptions.CrossfadeInterval[channelNo_]) * 1000;
    const auto leftOfEntry = [&] {
        return int64_t(LengthSec) * 1000 - int64_t(ChannelPositionSeconds(channelNo_)) * 1000;
    };
    switch (event) {
    case TimeReset:
        totalMs_ = 0;
        remainingMs_ = 0;
        emit CountdownShown(FormatDuration(0));
        break;
    case TimeStop: {
        const int64_t left = leftOfEntry();
        remainingMs_ -= left;
        if (CrossfadeApplies(LengthSec))
            remainingMs_ += crossfadeMs;
        totalMs_ -= left;
        break;
    }
    case TimeAdd:
    case TimeInsert:
    case TimeDropSearch:
    case TimeDropFolder:
        remainingMs_ += value * 1000;
        totalMs_ += value * 1000;
        if (CrossfadeApplies(value))
            remainingMs_ -= crossfadeMs;
        break;
    case TimeDelete:
        remainingMs_ = std::max<int64_t>(remainingMs_ - value * 1000, 0);
        totalMs_ = std::max<int64_t>(totalMs_ - value * 1000, 0);
        if (CrossfadeApplies(value))
            remainingMs_ += crossfadeMs;
        break;
    case TimeTick:
        remainingMs_ -= 500;
        emit CountdownShown(FormatDuration(int64_t(LengthSec) * 1000 - value));
        break;
    case TimeFadeOut:
        remainingMs_ -= leftOfEntry();
        remainingMs_ += int64_t(StationOptions.FadeInterval[channelNo_]) * 1000;
        break;
    default:
        return;
    }
    totalMs_ = std::max<int64_t>(totalMs_, 0);
    remainingMs_ = std::max<int64_t>(remainingMs_, 0);
    if (!Paused)
        ShowTimes();
}

void TChannelQueue::SetRemainingMs(int64_t ms)
{
    remainingMs_ = std::max<int64_t>(ms, 0);
    if (!Paused)
        ShowTimes();
}

void TChannelQueue::ShowCountdown(int64_t ms)
{
    emit CountdownShown(FormatDuration(ms));
}

void TChannelQueue::ShowTimes()
{
    emit TimesShown(FormatDuration(remainingMs_, DurationForm::HoursMinutesSeconds),
                    FormatDuration(totalMs_, DurationForm::HoursMinutesSeconds));
}

void TChannelQueue::StopPlayback()
{
    if (ChannelIsActive(channelNo_)) {
        WriteLog(2, 0, ModuleChannel, EventStopping, channelNo_,
                 LangChannel.GetText(QStringLiteral("stopping")));
        ChannelStop(channelNo_);
    } else {
        WriteLog(2, 0, ModuleChannel, EventAlreadyStopped, channelNo_,
                 LangChannel.GetText(QStringLiteral("already stopped")));
    }
    Channels[channelNo_].ReleaseAir();
    // A stopped channel is not paused: Play starts the entry instead of resuming nothing.
    Paused = false;
    SetOnAir(false);
    emit PlaybackStopped();
}

void TChannelQueue::ResetChannel()
{
    emit ChannelReset();
    UpdateTimes(TimeReset, 0);
    SetOnAir(false);
    SetItemIndex(-1);
    Paused = false;
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void TChannelQueue::SetOnAir(bool on)
{
    onAir_ = on;
    emit OnAirChanged(on);
}

bool TChannelQueue::Readable(const TOFileData& file) const
{
    QString errorText;
    if (file.GetStatus(errorText) <= 0)
        return true;
    // Logged as the channel's other entries that cannot be played; the text names the file and why.
    WriteLog(1, 1, ModuleChannel, EventItem, channelNo_, errorText);
    return false;
}

int TChannelQueue::Append(TTemaData entry)
{
    const int row = Count();
    Insert(row, std::move(entry));
    return row;
}

void TChannelQueue::Insert(int index, TTemaData entry)
{
    beginInsertRows(QModelIndex(), index, index);
    entries_.insert(entries_.begin() + index, std::make_unique<TTemaData>(std::move(entry)));
    endInsertRows();
    const int current = ItemIndex();
    if (current >= 0 && index <= current)
        MoveCurrentTo(current + 1);
}

void TChannelQueue::DeleteRows(const QList<int>& rows, bool stopped)
{
    if (rows.isEmpty())
        return;
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        beginRemoveRows(QModelIndex(), *row, *row);
        entries_.erase(entries_.begin() + *row);
        endRemoveRows();
    }
    const int current = ItemIndex();
    if (current < 0)
        return;
    const int above = int(std::count_if(rows.begin(), rows.end(), [current](int r) { return r < current; }));
    // A removed current entry leaves the entry after it in its place. A stopped channel plays that
    // place with Play; a running one advances from the entry before it.
    const bool currentGone = rows.contains(current) && !stopped;
    MoveCurrentTo(current - above - (currentGone ? 1 : 0));
}

void TChannelQueue::Reorder(const QList<int>& order)
{
    if (std::is_sorted(order.begin(), order.end()))
        return;
    const int count = Count();
    QList<int> newRowOf(count);
    for (int row = 0; row < count; ++row)
        newRowOf[order[row]] = row;

    emit layoutAboutToBeChanged();
    std::vector<std::unique_ptr<TTemaData>> old = std::move(entries_);
    entries_.resize(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        entries_[static_cast<size_t>(row)] = std::move(old[static_cast<size_t>(order[row])]);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from)
        to.append(this->index(newRowOf[index.row()]));
    changePersistentIndexList(from, to);
    emit layoutChanged();

    const int current = ItemIndex();
    if (current >= 0 && current < count)
        MoveCurrentTo(newRowOf[current]);
}

void TChannelQueue::MoveCurrentTo(int newIndex)
{
    Channels[channelNo_].SetItemIndex(newIndex);
}
