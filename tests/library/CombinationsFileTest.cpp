#include "library/CombinationsFile.h"

#include "FileBytes.h"
#include "Fixtures.h"
#include "TempFolder.h"
#include "library/CombinationsNodes.h"
#include "platform/Clock.h"
#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace library {
namespace {

using testing::FourNodes;
using testing::Hex;
using testing::Node;
using testing::RootAlone;

QStringList FilesIn(const TempFolder& temp)
{
    return QDir(temp.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

class CombinationsFileTest : public ::testing::Test {
protected:
    QString Path() const { return temp.File("combinations.dat"); }

    TempFolder temp;
    QTreeWidget tree;
};

TEST_F(CombinationsFileTest, ALoadReplacesTheTreeOnlyWhenTheWholeFileWasRead)
{
    ASSERT_TRUE(WriteBytes(Path(), FourNodes));
    ASSERT_EQ(LoadTreeFromFile(&tree, Path()).status, LoadStatus::Loaded);
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(root->child(0)->child(1)->text(0), u"/srv/ñ.mp3"_qs);
    EXPECT_EQ(CombiItem(root->child(0)->child(0))->Data.Duration, 200);
    const QByteArray shown = EncodeTree(*tree.invisibleRootItem());
    EXPECT_EQ(shown, FourNodes);

    const QByteArray cut = FourNodes.left(100);
    const struct {
        QByteArray bytes;
        QString error;
    } damaged[] = {
        {Hex("00"), "no list-begin tag at byte 0"},
        {cut, "the file ends before the end of the list at byte 100"},
        {FourNodes.left(FourNodes.size() - 1), "the file ends before the end of the list at byte 144"},
        {Hex("01 02 00 0C FF FF FF FF"), "a text length beyond the end of the file at byte 3"},
    };
    for (const auto& c : damaged) {
        ASSERT_TRUE(WriteBytes(Path(), c.bytes));
        const LoadResult result = LoadTreeFromFile(&tree, Path());
        EXPECT_EQ(result.status, LoadStatus::Damaged);
        EXPECT_EQ(result.error, "Combinations file damaged: " + Path() + ": " + c.error);
        EXPECT_EQ(EncodeTree(*tree.invisibleRootItem()), shown);
        EXPECT_EQ(ReadBytes(Path()), c.bytes);
    }

    const LoadResult folder = LoadTreeFromFile(&tree, temp.Path());
    EXPECT_EQ(folder.status, LoadStatus::Unreadable);
    EXPECT_EQ(folder.error, "Cannot read " + temp.Path() + ": Is a directory");
    EXPECT_EQ(LoadTreeFromFile(&tree, temp.File("none.dat")).status, LoadStatus::Missing);
    EXPECT_EQ(EncodeTree(*tree.invisibleRootItem()), shown);
}

TEST_F(CombinationsFileTest, ASaveLeavesTheNewFileOrAnErrorWithTheOldOneIntact)
{
    tree.addTopLevelItem(Node("COMBINACIONES", 0));
    ASSERT_TRUE(WriteBytes(Path(), FourNodes));
    ASSERT_TRUE(SaveTreeToFile(&tree, Path()).ok);
    EXPECT_EQ(ReadBytes(Path()), RootAlone);

    ASSERT_TRUE(WriteBytes(temp.File("plain"), "x"));
    const SaveResult underFile = SaveTreeToFile(&tree, temp.File("plain/combinations.dat"));
    EXPECT_FALSE(underFile.ok);
    EXPECT_EQ(underFile.error, "Cannot write " + temp.File("plain/combinations.dat") + ": Not a directory");

    ASSERT_TRUE(WriteBytes(temp.File("locked.dat"), FourNodes));
    ASSERT_TRUE(QFile::setPermissions(temp.File("locked.dat"), QFileDevice::ReadOwner));
    const SaveResult locked = SaveTreeToFile(&tree, temp.File("locked.dat"));
    EXPECT_EQ(locked.error, "Cannot write " + temp.File("locked.dat") + ": the file is read-only");
    EXPECT_EQ(ReadBytes(temp.File("locked.dat")), FourNodes);

    // A full disk: the file-size limit stops the write part-way.
    ASSERT_TRUE(WriteBytes(Path(), FourNodes));
    for (int i = 0; i < 200; ++i)
        tree.topLevelItem(0)->addChild(Node(QStringLiteral("Combination %1").arg(i), 1));
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult full = SaveTreeToFile(&tree, Path());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(full.ok);
    EXPECT_TRUE(full.error.startsWith("Cannot write " + Path() + ": File too large"))
        << full.error.toStdString();
    EXPECT_EQ(ReadBytes(Path()), FourNodes);
    EXPECT_EQ(FilesIn(temp), QStringList({"combinations.dat", "locked.dat", "plain"}));
}

TEST_F(CombinationsFileTest, AKilledSaveLeavesOneOfTheTwoTrees)
{
    QTreeWidgetItem small, large;
    small.addChild(Node("COMBINACIONES", 0));
    large.addChild(Node("COMBINACIONES", 0));
    for (int i = 0; i < 2000; ++i)
        large.child(0)->addChild(Node(QStringLiteral("/srv/theme-%1.mp3").arg(i), 2, i));
    const QByteArray versions[] = {EncodeTree(small), EncodeTree(large)};
    ASSERT_TRUE(WriteBytes(Path(), versions[0]));
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            QString error;
            for (int i = 0;; ++i)
                platform::ReplaceFile(Path(), versions[i % 2], error);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray left = ReadBytes(Path());
        EXPECT_TRUE(left == versions[0] || left == versions[1]) << "round " << round << ": " << left.size();
        platform::RemoveReplaceLeftovers(Path());
    }
}

TEST_F(CombinationsFileTest, AVersionThisProgramDidNotReadIsKeptBeforeASave)
{
    // The clock stands still, so both saves below fall in one second whatever the machine's load.
    platform::ManualClock clock{QDateTime(QDate(2026, 3, 1), QTime(9, 30, 5)), 1000};
    tree.addTopLevelItem(Node("COMBINACIONES", 0));
    TCombinationsFile file(Path());
    EXPECT_EQ(file.Load(&tree).status, LoadStatus::Missing);
    SaveResult saved = file.Save(&tree);
    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(saved.backup.isEmpty());
    EXPECT_FALSE(file.ChangedOnDisk());

    // Unchanged since our save: no backup.
    saved = file.Save(&tree);
    EXPECT_TRUE(saved.ok && saved.backup.isEmpty());

    // Another program's version is kept, then ours replaces it; twice in one second gives "-2".
    for (const QString& suffix : {QString(), QStringLiteral("-2")}) {
        ASSERT_TRUE(WriteBytes(Path() + ".other", FourNodes));
        ASSERT_EQ(::rename(QFile::encodeName(Path() + ".other"), QFile::encodeName(Path())), 0);
        EXPECT_TRUE(file.ChangedOnDisk());
        saved = file.Save(&tree);
        ASSERT_TRUE(saved.ok) << saved.error.toStdString();
        EXPECT_TRUE(saved.backup.endsWith(".20260301-093005" + suffix + ".bak"))
            << saved.backup.toStdString();
        EXPECT_EQ(ReadBytes(saved.backup), FourNodes);
        EXPECT_EQ(ReadBytes(Path()), RootAlone);
    }

    // A damaged file is never loaded as known, so the save keeps it first.
    ASSERT_TRUE(WriteBytes(Path(), FourNodes.left(50)));
    EXPECT_EQ(file.Load(&tree).status, LoadStatus::Damaged);
    saved = file.Save(&tree);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(ReadBytes(saved.backup), FourNodes.left(50));
    EXPECT_EQ(ReadBytes(Path()), RootAlone);
}

TEST_F(CombinationsFileTest, OnlyTheNewestTenBackupsStay)
{
    struct Case {
        const char* what;
        int stepMs;             // between two saves
        const char* oldestKept; // the name's time and number
    };
    const Case cases[] = {
        {"a second apart", 1000, ".20260301-093007.bak"},
        {"within one second", 0, ".20260301-093005-3.bak"},
    };
    for (const Case& c : cases) {
        for (const QString& name : QDir(temp.Path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(temp.File(name));
        ASSERT_TRUE(WriteBytes(Path() + ".mine.bak", "an operator's own copy"));
        platform::ManualClock clock{QDateTime(QDate(2026, 3, 1), QTime(9, 30, 5)), 1000};
        tree.clear();
        tree.addTopLevelItem(Node("COMBINACIONES", 0));
        TCombinationsFile file(Path());
        for (int save = 0; save < 12; ++save) {
            ASSERT_TRUE(WriteBytes(Path() + ".other", FourNodes));
            ASSERT_EQ(::rename(QFile::encodeName(Path() + ".other"), QFile::encodeName(Path())), 0);
            ASSERT_TRUE(file.Save(&tree).ok) << c.what;
            clock.Advance(c.stepMs);
        }
        const QStringList kept = QDir(temp.Path()).entryList({"combinations.dat.2*.bak"}, QDir::Files);
        EXPECT_EQ(kept.size(), 10) << c.what;
        EXPECT_TRUE(QFileInfo::exists(Path() + c.oldestKept)) << c.what;
        EXPECT_TRUE(QFileInfo::exists(Path() + ".mine.bak")) << c.what << ": not one of ours";
    }
}

} // namespace
} // namespace library
