#pragma once
// The queue of a playout channel, without its window: the entries, the operations that add,
// insert, delete, move and shuffle them, the drops into the queue, and the bookkeeping of the
// queue's total and remaining air time. The window shows it through a list view and mirrors the
// state kept here (the selection, the displayed times, the on-air flag).
//
// The current entry is the slot's ItemIndex (Channels[ChannelNo]). Whatever reorders the queue keeps
// that index on the same entry; the slot keeps the entry's stream on air.
//
// Starting and advancing entries (WM_PLAYNEXT, the crossfade point, the transport) is
// TChannelPlayback's; the state it shares with the queue (LastFile, LengthSec, Paused, OnAir, the
// time bookkeeping) is kept here.
#include "foundation_gui/Language.h"
#include "playout/TemaData.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QList>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <memory>
#include <vector>

class QMimeData;
class TOFileData;

// The events of UpdateTimes; values are seconds, except the tick's position in milliseconds.
enum TimeEvent : int {
    TimeReset = 0,      // the channel is reset
    TimeStop = 1,       // Stop: the rest of the playing entry leaves the queue time
    TimeAdd = 2,        // a file entry appended
    TimeInsert = 3,     // a file entry inserted
    TimeDelete = 4,     // an entry deleted
    TimeDropSearch = 5, // a file dropped from the search results
    TimeDropFolder = 6, // a file dropped from a folder page
    TimeTick = 7,       // the position timer, every 500 ms
    TimeFadeOut = 8,    // fade-out: the entry ends after the fade
};

class TChannelQueue : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role : int {
        DurationRole = Qt::UserRole + 1, // the entry's Duration in seconds
        PlayingRole,                     // true for the slot's current entry
    };

    explicit TChannelQueue(int channelNo, QObject* parent = nullptr);
    ~TChannelQueue() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    // A drag of this queue's rows: the rows moved are the selected ones, wherever the drag began.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    int ChannelNo() const { return channelNo_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const TTemaData& Entry(int index) const { return *entries_.at(static_cast<size_t>(index)); }
    // Every entry in queue order, each with the text the list shows (its Title).
    QList<TTemaData> Entries() const;
    // The slot's current entry, -1 when none.
    int ItemIndex() const;
    // The playback moves to another entry; the list shows the new playing row.
    void SetItemIndex(int index);

    // The list's selection and focus item; the view shows this selection model.
    QItemSelectionModel& Selection() { return selection_; }
    // The selected rows in list order.
    QList<int> SelectedRows() const;
    void SelectAll();

    // Appends by the kind of text: a file path, a line-in or a label entry. The new index, or -1
    // when nothing was added (an empty text, or a file whose information cannot be read).
    int AddItem(const QString& text, uint8_t keep);
    // Reads the file's information; a file that cannot be read is logged and not added (-1).
    int AddFileItem(const QString& path, uint8_t keep);
    int AddLineInItem(const QString& text, uint8_t keep);
    int AddLabelItem(const QString& text, uint8_t keep);
    // As AddItem, but before entry index (Count() appends); a file that cannot be read is logged
    // and not inserted.
    void InsertItem(int index, const QString& text, uint8_t keep);

    // Deletes the selected entries; deleting the current entry stops playback.
    void DeleteSelected();
    // The selected entries, in order, as one block before entry target (Count(): at the end).
    void MoveSelected(int target);
    // The whole queue, or the selected entries among their own places.
    void ShuffleItems(bool all);
    // Drops the entries whose Keep is 0 and recomputes the total time; the remaining time stays.
    void RecomputeTotal();

    // Whether a drag may drop here: this channel's own rows, the search results, a folder page,
    // the combinations tree, or files from the desktop.
    bool CanDrop(const QMimeData& mime) const;
    // Own rows move before entry target; everything else is appended at the end.
    void Drop(const QMimeData& mime, int target);
    // Files from the desktop, in its order: each audio file is appended; other files are ignored.
    void DropFiles(const QList<QUrl>& urls);

    void UpdateTimes(int event, int64_t value);
    int64_t TotalMs() const { return totalMs_; }
    int64_t RemainingMs() const { return remainingMs_; }
    // Sets the remaining time (never below 0) and shows the times.
    void SetRemainingMs(int64_t ms);
    // The countdown of the current entry shows ms as "nn:ss".
    void ShowCountdown(int64_t ms);

    // Stops the stream on air and takes the channel off the air; nothing is on air after it.
    void StopPlayback();
    // An empty queue with no current entry, times 0, off the air.
    void ResetChannel();
    bool OnAir() const { return onAir_; }
    void SetOnAir(bool on);

    QString LastFile;  // path of the last file entry started
    int LengthSec = 0; // length of the stream started last
    bool Paused = false;
    // Messages and log texts looked up by key; its file is set at the window's first showing.
    TLanguage LangChannel;

signals:
    // The remaining and total queue time, "hh:nn:ss"; not emitted while paused.
    void TimesShown(const QString& remaining, const QString& total);
    // The countdown of the current entry, "nn:ss".
    void CountdownShown(const QString& countdown);
    void OnAirChanged(bool on);
    // The playback moved to entry index (-1: none).
    void ItemIndexChanged(int index);
    // Playback was stopped: the window clears its displays of the entry's sound and position.
    void PlaybackStopped();
    // The channel was reset: the window empties its title and bitrate displays.
    void ChannelReset();

private:
    int channelNo_;
    std::vector<std::unique_ptr<TTemaData>> entries_;
    QItemSelectionModel selection_;
    int64_t totalMs_ = 0;
    int64_t remainingMs_ = 0;
    bool onAir_ = false;

    bool CrossfadeApplies(int64_t seconds) const;
    void ShowTimes();

    // False, with the record's error text in the log, for a file whose information cannot be read.
    bool Readable(const TOFileData& file) const;
    int Append(TTemaData entry);
    void Insert(int index, TTemaData entry);
    // Removes the rows (ascending) and keeps the current index on its entry. When the current
    // entry goes, the index names the entry that took its place if its deletion stopped playback,
    // else the one before that place, so the channel goes on with the entry that followed.
    void DeleteRows(const QList<int>& rows, bool stopped);
    // order[newRow] = oldRow; selection and current entry move with their entries.
    void Reorder(const QList<int>& order);
    // Makes newIndex the current index; the entry's stream stays on air.
    void MoveCurrentTo(int newIndex);
};
