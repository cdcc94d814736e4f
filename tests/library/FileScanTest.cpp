#include "library/FileScan.h"

#include "TempFolder.h"
#include "foundation/Strings.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// Runs the event loop until the condition holds; false when it did not within a generous bound.
template <typename Condition> bool WaitFor(Condition condition)
{
    QDeadlineTimer deadline(20000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return condition();
}

struct Recorder {
    QStringList found;
    QStringList result;
    int readyCalls = 0;
    bool activeAtReady = true;

    void Attach(TmFileScan& scan)
    {
        scan.OnFileFound = [this](TmFileScan*, const QString& name) { found.append(name); };
        scan.OnReady = [this, &scan](TmFileScan*, const QStringList& all) {
            ++readyCalls;
            result = all;
            activeAtReady = scan.Active();
        };
    }
};

// Releases the worker one check at a time (one before the filter, then one per entry): the test decides
// how far a search gets. Shared with the worker's hook, and opened when the test lets go of it, so a
// failing test never leaves a worker blocked on a freed gate.
struct EntryGate {
    std::mutex lock;
    std::condition_variable changed;
    int allowed = 0;
    int waiting = 0;
    bool open = false;

    void Pass()
    {
        std::unique_lock guard(lock);
        ++waiting;
        changed.notify_all();
        changed.wait(guard, [this] { return open || allowed > 0; });
        --waiting;
        if (!open)
            --allowed;
    }
    void Allow(int entries)
    {
        std::lock_guard guard(lock);
        allowed += entries;
        changed.notify_all();
    }
    void Open()
    {
        std::lock_guard guard(lock);
        open = true;
        changed.notify_all();
    }
    // The worker used up what it was allowed and waits for more.
    bool WorkerWaiting()
    {
        std::lock_guard guard(lock);
        return allowed == 0 && waiting > 0;
    }
    // The same, blocking without running the event loop.
    void WaitForWorker()
    {
        std::unique_lock guard(lock);
        changed.wait(guard, [this] { return allowed == 0 && waiting > 0; });
    }
};

struct GateHandle {
    std::shared_ptr<EntryGate> gate = std::make_shared<EntryGate>();
    ~GateHandle() { gate->Open(); }
    EntryGate* operator->() { return gate.get(); }
    void Install(TmFileScan& scan)
    {
        scan.SetEntryHookForTest([gate = gate] { gate->Pass(); });
    }
};

class FileScanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.IsValid());
        for (const char* name : {"a.mp3", "b.wav", "SONG.MP3", ".hidden.mp3", "notes.txt", "sub/c.mp3",
                                 "sub/d.wav", "sub/deeper/e.mp3", "x.mp3/inside.txt"})
            Touch(tree.File(name));
    }

    QStringList Search(const QString& start, const QString& maskText, bool subDirs)
    {
        TmFileScan scan;
        Recorder record;
        record.Attach(scan);
        scan.Paths = {start};
        SplitString(maskText, ';', scan.Filters);
        scan.SubDirs = subDirs;
        scan.Start();
        EXPECT_TRUE(scan.Active());
        EXPECT_TRUE(WaitFor([&] { return record.readyCalls == 1; }));
        EXPECT_FALSE(record.activeAtReady);
        EXPECT_EQ(record.result, record.found);
        return record.found;
    }

    TempFolder tree;
};

TEST_F(FileScanTest, WalksEachPathThenEachFilterDepthFirst)
{
    const QString top = tree.Path();
    const QString noSlash = top.chopped(1);
    struct Case {
        const char* what;
        QString start;
        QString mask;
        bool subDirs;
        QStringList expected;
    };
    const QStringList all = {top + ".hidden.mp3", top + "a.mp3",     top + "SONG.MP3",
                             top + "x.mp3",       top + "sub/c.mp3", top + "sub/deeper/e.mp3",
                             top + "b.wav",       top + "sub/d.wav"};
    const Case cases[] = {
        {"two filters, blanks dropped", top, "*.mp3; ;*.wav", true, all},
        {"no trailing slash", noSlash, "*.mp3; ;*.wav", true, all},
        {"top folder only",
         top,
         "*.mp3",
         false,
         {top + ".hidden.mp3", top + "a.mp3", top + "SONG.MP3", top + "x.mp3"}},
        {"star dot star matches names without a dot", top + "x.mp3", "*.*", true, {top + "x.mp3/inside.txt"}},
        {"missing start path", top + "missing", "*.mp3", true, {}},
        {"start path is a file", top + "a.mp3", "*", true, {}},
        {"empty mask text", top, " ; ", true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Search(c.start, c.mask, c.subDirs), c.expected) << c.what;
}

TEST_F(FileScanTest, FollowsFolderLinksButWalksEachFolderOnce)
{
    ASSERT_TRUE(QFile::link(tree.Path(), tree.File("sub/loop")));
    ASSERT_TRUE(QFile::link(tree.File("sub/deeper"), tree.File("again")));
    const QString top = tree.Path();
    // "again" is reached first (case-insensitive order puts it before "sub"), so the deeper folder's
    // files are listed under it and not a second time under sub/deeper.
    EXPECT_EQ(Search(top, "*.mp3", true),
              (QStringList{top + ".hidden.mp3", top + "a.mp3", top + "SONG.MP3", top + "x.mp3",
                           top + "again/e.mp3", top + "sub/c.mp3"}));
}

TEST_F(FileScanTest, FolderThatCannotBeListedIsSkipped)
{
    // A link to itself: opening it fails for every user, root included. It sorts before "sub", so a walk
    // that gave up at it would miss the files there.
    ASSERT_TRUE(QFile::link("loop", tree.File("loop")));
    const QString top = tree.Path();
    EXPECT_EQ(Search(top, "*.mp3", true),
              (QStringList{top + ".hidden.mp3", top + "a.mp3", top + "SONG.MP3", top + "x.mp3",
                           top + "sub/c.mp3", top + "sub/deeper/e.mp3"}));
}

TEST_F(FileScanTest, StopEndsTheSearchAndANewStartListsOnlyItsOwnHits)
{
    TmFileScan scan;
    Recorder record;
    record.Attach(scan);
    GateHandle gate;
    gate.Install(scan);
    scan.Paths = {tree.Path()};
    scan.Filters = {"*.mp3"};
    scan.Start();
    gate->Allow(3); // the filter, ".hidden.mp3" and "a.mp3"
    ASSERT_TRUE(WaitFor([&] { return record.found.size() == 2 && gate->WorkerWaiting(); }));
    scan.Stop();
    EXPECT_FALSE(scan.Active());
    gate->Open();

    // The new search runs to its end; nothing of the stopped one arrives in the meantime.
    scan.Filters = {"*.wav"};
    record.found.clear();
    scan.Start();
    ASSERT_TRUE(WaitFor([&] { return record.readyCalls == 1; }));
    EXPECT_EQ(record.found, (QStringList{tree.File("b.wav"), tree.File("sub/d.wav")}));
    EXPECT_EQ(record.result, record.found);
    ASSERT_TRUE(WaitFor([] { return TmFileScan::RunningWorkers() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(record.readyCalls, 1);
}

TEST_F(FileScanTest, StartWhileActiveDoesNothing)
{
    TmFileScan scan;
    Recorder record;
    record.Attach(scan);
    scan.Paths = {tree.Path()};
    scan.Filters = {"*.wav"};
    scan.Start();
    scan.Filters = {"*.mp3"};
    scan.Start();
    ASSERT_TRUE(WaitFor([&] { return record.readyCalls == 1; }));
    EXPECT_EQ(record.found, (QStringList{tree.File("b.wav"), tree.File("sub/d.wav")}));
    ASSERT_TRUE(WaitFor([] { return TmFileScan::RunningWorkers() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(record.readyCalls, 1);
}

TEST_F(FileScanTest, DestroyedDuringASearchNeitherHangsNorCalls)
{
    GateHandle gate;
    Recorder record;
    {
        TmFileScan scan;
        record.Attach(scan);
        gate.Install(scan);
        scan.Paths = {tree.Path()};
        scan.Filters = {"*.mp3"};
        scan.Start();
        gate->Allow(3);
        ASSERT_TRUE(WaitFor([&] { return gate->WorkerWaiting() && record.found.size() == 2; }));
        gate->Allow(
            3); // "b.wav", "notes.txt", then "SONG.MP3" is posted but not taken when the component goes
        gate->WaitForWorker();
    }
    gate->Open();
    ASSERT_TRUE(WaitFor([] { return TmFileScan::RunningWorkers() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(record.found.size(), 2);
    EXPECT_EQ(record.readyCalls, 0);
}

TEST_F(FileScanTest, GuiRunsWhileTheWalkGoesOn)
{
    TmFileScan scan;
    Recorder record;
    record.Attach(scan);
    GateHandle gate;
    gate.Install(scan);
    scan.Paths = {tree.Path()};
    scan.Filters = {"*"};
    bool posted = false;
    bool postedBeforeReady = false;
    scan.Start();
    QTimer::singleShot(0, [&] {
        posted = true;
        postedBeforeReady = record.readyCalls == 0;
        gate->Open();
    });
    ASSERT_TRUE(WaitFor([&] { return record.readyCalls == 1; }));
    EXPECT_TRUE(posted);
    EXPECT_TRUE(postedBeforeReady);
}

} // namespace
