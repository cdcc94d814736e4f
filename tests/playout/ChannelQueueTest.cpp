#include "NonRegularFiles.h"
#include "QueueFixture.h"
#include "platform/Random.h"
#include "playout/QueueMimeTypes.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include <functional>

namespace {

using ChannelQueueTest = QueueFixture;

struct Shown {
    QString remaining;
    QString total;
};

// The last remaining and total times the queue showed, or empty texts when it showed none.
Shown LastShown(const QSignalSpy& spy)
{
    if (spy.isEmpty())
        return {};
    return {spy.last().at(0).toString(), spy.last().at(1).toString()};
}

} // namespace

TEST_F(ChannelQueueTest, TimeBookkeeping)
{
    const QString wav200 = Wav("song200.wav", 200);
    struct Case {
        const char* name;
        std::function<void(TChannelQueue&)> steps;
        int64_t total;
        int64_t remaining;
        Shown shown; // what the two displays show last
    };
    const auto remove = [](TChannelQueue& queue, const QList<int>& rows) {
        Select(queue, rows);
        queue.DeleteSelected();
    };
    const QList<Case> cases = {
        {"appending 200 s to a non-empty list takes the crossfade off the remaining time",
         [&](TChannelQueue& q) {
             AppendEntry(q, "short", 30);
             q.AddItem(wav200, 1);
         },
         230000,
         225000,
         {"00:03:45", "00:03:50"}},
        {"appending 200 s to an empty list adds it whole",
         [&](TChannelQueue& q) { q.AddItem(wav200, 1); },
         200000,
         200000,
         {"00:03:20", "00:03:20"}},
        {"deleting a crossfaded entry gives its crossfade back",
         [&](TChannelQueue& q) {
             AppendEntry(q, "a", 200);
             AppendEntry(q, "b", 100);
             remove(q, {0});
         },
         100000,
         100000,
         {"00:01:40", "00:01:40"}},
        {"a delete longer than the remaining time stops at 0",
         [&](TChannelQueue& q) {
             AppendEntry(q, "a", 30);
             q.UpdateTimes(TimeTick, 0);
             q.UpdateTimes(TimeTick, 0);
             remove(q, {0});
         },
         0,
         0,
         {"00:00:00", "00:00:00"}},
        {"ticks never take the remaining time below 0",
         [&](TChannelQueue& q) {
             q.UpdateTimes(TimeTick, 0);
             q.UpdateTimes(TimeTick, 0);
         },
         0,
         0,
         {"00:00:00", "00:00:00"}},
        {"while paused the values change but the displays keep their texts",
         [&](TChannelQueue& q) {
             AppendEntry(q, "a", 30);
             q.Paused = true;
             AppendEntry(q, "b", 100);
         },
         130000,
         125000,
         {"00:00:30", "00:00:30"}},
        {"a queue of 25 hours shows its 25 hours",
         [&](TChannelQueue& q) { AppendEntry(q, "day", 25 * 3600); },
         90000000,
         90000000,
         {"25:00:00", "25:00:00"}},
        {"reset empties both",
         [&](TChannelQueue& q) {
             AppendEntry(q, "a", 30);
             q.UpdateTimes(TimeReset, 0);
         },
         0,
         0,
         {"00:00:00", "00:00:00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChannelQueue queue(1);
        QSignalSpy shown(&queue, &TChannelQueue::TimesShown);
        c.steps(queue);
        EXPECT_EQ(queue.TotalMs(), c.total);
        EXPECT_EQ(queue.RemainingMs(), c.remaining);
        EXPECT_EQ(LastShown(shown).remaining, c.shown.remaining);
        EXPECT_EQ(LastShown(shown).total, c.shown.total);
    }
}

TEST_F(ChannelQueueTest, TickCountsDownTheEntry)
{
    TChannelQueue queue(1);
    AppendEntry(queue, "a", 300);
    queue.LengthSec = 300;
    QSignalSpy countdown(&queue, &TChannelQueue::CountdownShown);
    queue.UpdateTimes(TimeTick, 40000);
    EXPECT_EQ(queue.RemainingMs(), 299500);
    ASSERT_EQ(countdown.size(), 1);
    EXPECT_EQ(countdown.first().at(0).toString(), "04:20");
    // A 75-minute show counts down with its hour.
    queue.LengthSec = 75 * 60;
    queue.UpdateTimes(TimeTick, 0);
    EXPECT_EQ(countdown.last().at(0).toString(), "1:15:00");
}

// A 70 s entry (crossfaded, another entry follows) has played 2 s when it is stopped or faded out.
TEST_F(ChannelQueueTest, StopAndFadeOutTakeTheRestOfThePlayingEntry)
{
    const QString song = Wav("song.wav", 70);
    struct Case {
        int event;
        int64_t total;
        int64_t remaining;
    };
    // Before: total 100,000, remaining 95,000. Stop gives the crossfade back; a fade-out plays on
    // for its own length.
    for (const Case& c : {Case{TimeStop, 32000, 32000}, Case{TimeFadeOut, 100000, 32000}}) {
        SCOPED_TRACE(c.event);
        TChannelQueue queue(1);
        AppendEntry(queue, "before", 30);
        queue.AddItem(song, 1);
        Channels[1].SetItemIndex(1);
        QString error;
        ASSERT_TRUE(ChannelPlayFile(1, song, queue.LengthSec, error)) << error.toStdString();
        ASSERT_EQ(queue.LengthSec, 70);
        audiolib::NullAdvance(44100 * 2 + 22050);
        ASSERT_EQ(ChannelPositionSeconds(1), 2);
        queue.UpdateTimes(c.event, 0);
        EXPECT_EQ(queue.TotalMs(), c.total);
        EXPECT_EQ(queue.RemainingMs(), c.remaining);
        ChannelStop(1);
    }
}

TEST_F(ChannelQueueTest, AddItemByKind)
{
    const QString wav = Wav("song.wav", 3);
    const std::vector<NonRegularFile> special = MakeNonRegularFiles(folder.Path(), ".mp3");
    ASSERT_EQ(special.front().kind, std::string("a FIFO"));
    struct Case {
        QString text;
        int index;        // what AddItem returns
        int32_t kind;     // of the entry added
        int64_t duration; // of the entry added
        int64_t totalMs;
        QString logTail; // the one log line's end, or empty for none
    };
    const QList<Case> cases = {
        {"[LABEL x ]", 0, 2, 0, 0, {}},
        {"[LINEIN abc x ]", 0, 1, 0, 0, {}},
        {"[LINEIN 30 News ]", 0, 1, 30, 0, {}},
        {wav, 0, 0, 3, 3000, {}},
        // A refused file is logged as the channel's entries that cannot play, with its name and why.
        {folder.File("missing.mp3"), -1, 0, 0, 0,
         " 1 10 100 1 Cannot read \"" + folder.File("missing.mp3") + "\": No such file or directory"},
        {special.front().path, -1, 0, 0, 0,
         " 1 10 100 1 Cannot read \"" + special.front().path + "\": a FIFO, not a regular file"},
        {"", -1, 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        logLines.clear();
        TChannelQueue queue(1);
        FifoWatch watch(special);
        EXPECT_EQ(queue.AddItem(c.text, 1), c.index);
        EXPECT_FALSE(watch.Released());
        EXPECT_EQ(queue.Count(), c.index + 1);
        EXPECT_EQ(queue.TotalMs(), c.totalMs);
        EXPECT_EQ(queue.RemainingMs(), c.totalMs);
        if (c.logTail.isEmpty()) {
            EXPECT_TRUE(logLines.isEmpty()) << logLines.join('\n').toStdString();
        } else {
            ASSERT_EQ(logLines.size(), 1);
            EXPECT_TRUE(logLines.first().endsWith(c.logTail)) << logLines.first().toStdString();
        }
        if (c.index < 0)
            continue;
        const TTemaData& entry = queue.Entry(c.index);
        EXPECT_EQ(entry.Kind, c.kind);
        EXPECT_EQ(entry.Duration, c.duration);
        EXPECT_EQ(entry.Keep, 1);
        EXPECT_EQ(entry.Title, c.kind == 0 ? "song.wav" : c.text);
        EXPECT_EQ(entry.FileName, c.kind == 0 ? c.text : QString());
    }
}

TEST_F(ChannelQueueTest, DropsAppendWhateverThePoint)
{
    const QString a = Wav("a.wav", 2);
    const QString b = Wav("b.wav", 3);
    const QString c = Wav("c.wav", 4);
    TChannelQueue queue(1);
    AppendEntry(queue, "first", 10);
    AppendEntry(queue, "second", 10);

    // A combination node gives its direct file children; the root only holds combinations.
    QMimeData nodes;
    const int32_t Root = NodeKindRoot, Combination = NodeKindCombination, File = NodeKindFile;
    EncodeCombinationNodes(
        nodes, {{Root, "root", {{Combination, "Morning", {}}}},
                {Combination, "Morning", {{File, a, {}}, {Combination, "Inner", {}}, {File, b, {}}}},
                {File, c, {}}});
    queue.Drop(nodes, 0);
    EXPECT_EQ(Titles(queue), QStringList({"first", "second", "a.wav", "b.wav", "c.wav"}));

    // Search results are queued even when a file cannot be read; it fails when it is started.
    QMimeData search;
    EncodeSearchFiles(search, {b, folder.File("gone.mp3")});
    queue.Drop(search, 0);
    ASSERT_EQ(queue.Count(), 7);
    EXPECT_EQ(queue.Entry(5).FileName, b);
    EXPECT_EQ(queue.Entry(5).Duration, 3);
    EXPECT_EQ(queue.Entry(6).Title, "gone.mp3");
    EXPECT_EQ(queue.Entry(6).Duration, 0);

    QMimeData page;
    EncodeFolderFiles(page, {TTemaData{"jingle", "/j.mp3", 7, 96, 1, 2}});
    queue.Drop(page, 1);
    ASSERT_EQ(queue.Count(), 8);
    EXPECT_EQ(queue.Entry(7).Title, "jingle");
    EXPECT_EQ(queue.Entry(7).Kind, 0);
    EXPECT_EQ(queue.TotalMs(), (10 + 10 + 2 + 3 + 4 + 3 + 0 + 7) * 1000);

    // Desktop files: audio files in order, everything else ignored.
    QMimeData shell;
    shell.setUrls(
        {QUrl::fromLocalFile(c), QUrl::fromLocalFile(folder.File("notes.txt")), QUrl::fromLocalFile(a)});
    queue.Drop(shell, 0);
    EXPECT_EQ(Titles(queue).mid(8), QStringList({"c.wav", "a.wav"}));

    // Rows dragged from another channel's list are refused.
    QMimeData otherChannel;
    EncodeChannelItems(otherChannel, 2);
    Select(queue, {0});
    EXPECT_FALSE(queue.CanDrop(otherChannel));
    queue.Drop(otherChannel, 5);
    EXPECT_EQ(queue.Entry(0).Title, "first");
}

// Drag payloads come from other windows, and a broken or hostile one must cost nothing and queue
// nothing the channel cannot play.
TEST_F(ChannelQueueTest, DropPayloadsAreReadWithCare)
{
    const QString b = Wav("b.wav", 3);
    struct Case {
        const char* name;
        std::function<void(QMimeData&)> encode;
        QStringList titles;
        QList<int64_t> durations;
    };
    const Case cases[] = {
        {"a 4-byte search payload claiming four billion paths",
         [](QMimeData& mime) { mime.setData(SearchFilesMimeType, QByteArray("\xFF\xFF\xFF\xFD", 4)); },
         {},
         {}},
        {"a search payload shorter than its count",
         [&](QMimeData& mime) {
             EncodeSearchFiles(mime, {b, b});
             mime.setData(SearchFilesMimeType, mime.data(SearchFilesMimeType).chopped(8));
         },
         {},
         {}},
        {"an empty search path",
         [&](QMimeData& mime) {
             EncodeSearchFiles(mime, {"", b});
         },
         {"b.wav"},
         {3}},
        {"folder page durations beyond a week or below zero",
         [](QMimeData& mime) {
             EncodeFolderFiles(mime, {TTemaData{"huge", "/h.mp3", INT64_MAX - 5, 96, 1, 0},
                                      TTemaData{"negative", "/n.mp3", -40, 96, 1, 0},
                                      TTemaData{"week", "/w.mp3", 7 * 24 * 3600, 96, 1, 0}});
         },
         {"huge", "negative", "week"},
         {7 * 24 * 3600, 0, 7 * 24 * 3600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChannelQueue queue(1);
        QMimeData mime;
        c.encode(mime);
        queue.Drop(mime, 0);
        EXPECT_EQ(Titles(queue), c.titles);
        QList<int64_t> durations;
        int64_t totalMs = 0;
        for (int row = 0; row < queue.Count(); ++row) {
            durations.append(queue.Entry(row).Duration);
            totalMs += queue.Entry(row).Duration * 1000;
        }
        EXPECT_EQ(durations, c.durations);
        EXPECT_EQ(queue.TotalMs(), totalMs);
    }
}

TEST_F(ChannelQueueTest, SelectedRowsMoveAsOneBlockBeforeTheTarget)
{
    struct Case {
        QList<int> selected;
        int target;
        QString order;
    };
    const QList<Case> cases = {
        {{0, 1}, 5, "23401567"}, {{1, 4, 6}, 3, "02146357"},
        {{5, 6}, 8, "01234756"}, {{2, 3}, 3, "01234567"}, // dropped on the block itself: nothing moves
        {{6}, 0, "60123457"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order.toStdString());
        TChannelQueue queue(1);
        for (int i = 0; i < 8; ++i)
            AppendEntry(queue, QString::number(i), 10);
        Select(queue, c.selected);
        QMimeData own;
        EncodeChannelItems(own, 1);
        queue.Drop(own, c.target);
        EXPECT_EQ(Titles(queue).join(QString()), c.order);
        // The moved entries stay selected.
        QStringList selected;
        for (const int row : queue.SelectedRows())
            selected.append(queue.Entry(row).Title);
        QStringList expected;
        for (const int row : c.selected)
            expected.append(QString::number(row));
        EXPECT_EQ(selected, expected);
    }
}

// The playing entry is "3" at index 3 (odd: StreamA is current) on handle 11; the other handle,
// 22, may still be fading out the entry before.
TEST_F(ChannelQueueTest, CurrentEntryStaysCurrent)
{
    constexpr audiolib::Handle Playing = 11;
    constexpr audiolib::Handle Previous = 22;
    struct Case {
        const char* name;
        std::function<void(TChannelQueue&)> change;
        int itemIndex;
        QString current; // the entry at ItemIndex afterwards
    };
    const auto remove = [](TChannelQueue& q, const QList<int>& rows) {
        Select(q, rows);
        q.DeleteSelected();
    };
    const QList<Case> cases = {
        {"an identification inserted above", [](TChannelQueue& q) { q.InsertItem(1, "[LABEL id ]", 1); }, 4,
         "3"},
        {"an entry inserted just before it", [](TChannelQueue& q) { q.InsertItem(3, "[LABEL id ]", 1); }, 4,
         "3"},
        {"an entry inserted after it", [](TChannelQueue& q) { q.InsertItem(4, "[LABEL id ]", 1); }, 3, "3"},
        {"one entry deleted above", [&](TChannelQueue& q) { remove(q, {0}); }, 2, "3"},
        {"two entries deleted above and one below",
         [&](TChannelQueue& q) {
             remove(q, {0, 2, 5});
         },
         1, "3"},
        {"a block moved from above to below",
         [](TChannelQueue& q) {
             Select(q, {0});
             q.MoveSelected(6);
         },
         2, "3"},
        {"the whole queue shuffled",
         [](TChannelQueue& q) {
             platform::SeedRandom(7);
             q.ShuffleItems(true);
         },
         -2, "3"}, // wherever the shuffle put it
        // Another copy of the file on air (a jingle queued twice) goes; the entry on air plays on.
        {"another copy of the file on air deleted",
         [&](TChannelQueue& q) {
             q.LastFile = "/music/3";
             AppendEntry(q, "3", 10);
             remove(q, {1, 7});
         },
         2, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChannelQueue queue(1);
        for (int i = 0; i < 7; ++i)
            AppendEntry(queue, QString::number(i), 10);
        PlaceStreams(Playing, Previous, 3);
        c.change(queue);
        const int index = queue.ItemIndex();
        if (c.itemIndex != -2) {
            EXPECT_EQ(index, c.itemIndex);
        }
        ASSERT_GE(index, 0);
        EXPECT_EQ(queue.Entry(index).Title, c.current);
        // The parity rule still selects the stream of the entry that was playing.
        EXPECT_EQ(ChannelStream(1), Playing);
        const bool onB = index % 2 == 0;
        EXPECT_EQ(onB ? Channels[1].StreamB() : Channels[1].StreamA(), Playing);
        EXPECT_EQ(onB ? Channels[1].StreamA() : Channels[1].StreamB(), Previous);
    }
}

TEST_F(ChannelQueueTest, DeletingTheCurrentEntryStopsAndPlaysWhatFollowsNext)
{
    TChannelQueue queue(1);
    for (int i = 0; i < 5; ++i)
        AppendEntry(queue, QString::number(i), 10);
    PlaceStreams(11, 22, 3);
    queue.LastFile = "/music/3";
    queue.SetOnAir(true);
    QSignalSpy stopped(&queue, &TChannelQueue::PlaybackStopped);
    Select(queue, {0, 3});
    queue.DeleteSelected();
    EXPECT_EQ(stopped.size(), 1);
    EXPECT_FALSE(queue.OnAir());
    // Play starts the entry at the current index without advancing: the one that followed.
    EXPECT_EQ(queue.ItemIndex(), 2);
    EXPECT_EQ(queue.Entry(2).Title, "4");
    EXPECT_EQ(ChannelStream(1), 0u) << "nothing is on air after the stop";
}

TEST_F(ChannelQueueTest, ShufflingASelectionKeepsTheOtherPlaces)
{
    TChannelQueue queue(1);
    const QStringList before = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (const QString& title : before)
        AppendEntry(queue, title, 10);
    const QList<int> selected = {1, 3, 4, 8};
    Select(queue, selected);
    platform::SeedRandom(3);
    logLines.clear();
    queue.ShuffleItems(false);

    const QStringList after = Titles(queue);
    QStringList taken;
    for (int row = 0; row < after.size(); ++row) {
        if (selected.contains(row))
            taken.append(after[row]);
        else
            EXPECT_EQ(after[row], before[row]) << "row " << row;
    }
    EXPECT_NE(taken, QStringList({"1", "3", "4", "8"})) << "seed 3 gives a real reordering";
    taken.sort();
    EXPECT_EQ(taken, QStringList({"1", "3", "4", "8"}));
    ASSERT_EQ(logLines.size(), 1);
    EXPECT_TRUE(logLines.first().endsWith(" 0 200 1 -1 Randomizing themes"))
        << logLines.first().toStdString();

    // Nothing selected: nothing shuffled, nothing logged.
    queue.Selection().clearSelection();
    queue.ShuffleItems(false);
    EXPECT_EQ(Titles(queue), after);
    EXPECT_EQ(logLines.size(), 1);
}

TEST_F(ChannelQueueTest, RecomputeTotalDropsTheEntriesNotKept)
{
    TChannelQueue queue(1);
    AppendEntry(queue, "kept", 10);
    AppendEntry(queue, "emergency", 20, 0);
    AppendEntry(queue, "also kept", 30);
    queue.UpdateTimes(TimeTick, 0);
    const int64_t remaining = queue.RemainingMs();
    queue.RecomputeTotal();
    EXPECT_EQ(Titles(queue), QStringList({"kept", "also kept"}));
    EXPECT_EQ(queue.TotalMs(), 40000);
    EXPECT_EQ(queue.RemainingMs(), remaining);
}
