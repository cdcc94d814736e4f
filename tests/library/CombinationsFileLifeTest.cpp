// The combinations file's life under the window: loads, reloads when another program wrote it, its
// own writes, the exit's write and damaged files.
#include "CombinationsFixture.h"
#include "FileBytes.h"
#include "foundation/General.h"
#include "library/CombinationsTree.h"
#include "platform/FileStamp.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <functional>

#include <gtest/gtest.h>

namespace {

class CombinationsFileLifeTest : public CombinationsFixture {
protected:
    static QByteArray FileBytes() { return ReadBytes(CombinationsPath); }
    QStringList Backups() const
    {
        return QDir(station.Path()).entryList({"combinations.dat.*.bak"}, QDir::Files);
    }
    // Runs the event loop until `done` holds or the time is up.
    template <typename Done> bool WaitFor(Done done, int ms)
    {
        const QDeadlineTimer deadline(ms);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        return done();
    }
};

TEST_F(CombinationsFileLifeTest, AnotherWritersFileIsReloadedAtTheNextTick)
{
    WriteTree(CombinationsPath, "A: /a.mp3; B:");
    Show();
    EXPECT_EQ(Layout(), "A: /a.mp3; B:");
    EXPECT_EQ(window->windowTitle(), "Sonvela Zodu - combinations");
    EXPECT_TRUE(Find("COMBINACIONES")->isExpanded());
    WriteTree(CombinationsPath, "B: /b.mp3");
    window->ReloadFileTimer();
    EXPECT_EQ(Layout(), "B: /b.mp3");
    EXPECT_EQ(window->windowTitle(), "Sonvela Zodu - combinations - RECARGADO!");
    EXPECT_FALSE(window->Modified());
    EXPECT_TRUE(ErrorLines().isEmpty());
}

TEST_F(CombinationsFileLifeTest, AWatcherNoticeReloadsWithoutTheTimer)
{
    WriteTree(CombinationsPath, "A:");
    Show();
    WriteTree(CombinationsPath, "A:; B:");
    EXPECT_TRUE(WaitFor([&] { return Layout() == "A:; B:"; }, 20000)) << Layout().toStdString();
    // The replace swapped the watched file; the next one is noticed too.
    WriteTree(CombinationsPath, "C:");
    EXPECT_TRUE(WaitFor([&] { return Layout() == "C:"; }, 20000)) << Layout().toStdString();
}

TEST_F(CombinationsFileLifeTest, UnwrittenEditsAreNotReloadedOverAndTheirSaveKeepsTheOtherVersion)
{
    WriteTree(CombinationsPath, "A:");
    Show();
    ASSERT_TRUE(window->NewCombination("Mine"));
    WriteTree(CombinationsPath, "Theirs:");
    const QByteArray theirs = FileBytes();
    window->ReloadFileTimer();
    EXPECT_EQ(Layout(), "A:; Mine:");
    EXPECT_TRUE(window->Modified());
    ASSERT_TRUE(window->SaveToFile());
    const QStringList backups = Backups();
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(ReadBytes(station.File(backups.first())), theirs);
    window.reset();
    window = std::make_unique<TFCombinations>();
    Show();
    EXPECT_EQ(Layout(), "A:; Mine:");
}

TEST_F(CombinationsFileLifeTest, AnEditReachesTheFileWithinASecondAndIsNotReloaded)
{
    WriteTree(CombinationsPath, "A: /a.mp3");
    Show();
    Find("A")->setExpanded(true);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(window->NewCombination("B"));
    ASSERT_TRUE(window->Modified());
    ASSERT_TRUE(WaitFor([&] { return !window->Modified(); }, 5000));
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_GE(clock.elapsed(), TFCombinations::SaveDelayMs - 50);
    EXPECT_TRUE(Backups().isEmpty());
    window->ReloadFileTimer();
    // Its own save is not a change: no reload, so the expansion stays.
    EXPECT_EQ(window->windowTitle(), "Sonvela Zodu - combinations");
    EXPECT_TRUE(Find("A")->isExpanded());
    auto other = std::make_unique<TFCombinations>();
    other->TimerReloadFile.stop();
    other->DoFirstShow();
    EXPECT_EQ(other->TVCombinaciones->topLevelItem(0)->childCount(), 2);
}

TEST_F(CombinationsFileLifeTest, TheExitWritesOnlyUnwrittenEdits)
{
    // No file and nothing edited: no file appears.
    Show();
    window.reset();
    EXPECT_FALSE(QFile::exists(CombinationsPath));

    // An unchanged tree is not written over a newer file from the other program.
    WriteTree(CombinationsPath, "A:");
    window = std::make_unique<TFCombinations>();
    Show();
    WriteTree(CombinationsPath, "Newer:");
    const platform::FileStamp newer = platform::StampOf(CombinationsPath);
    window.reset();
    EXPECT_EQ(platform::StampOf(CombinationsPath), newer);

    // Edits that were never written are written at the exit.
    window = std::make_unique<TFCombinations>();
    Show();
    ASSERT_TRUE(window->NewCombination("Late"));
    window->SaveIfModified();
    EXPECT_FALSE(window->Modified());
    window.reset();
    window = std::make_unique<TFCombinations>();
    Show();
    EXPECT_EQ(Layout(), "Newer:; Late:");
}

TEST_F(CombinationsFileLifeTest, AHiddenWindowLoadsThroughTheCheck)
{
    WriteTree(CombinationsPath, "A: /a.mp3");
    window->ReloadFileTimer();
    EXPECT_EQ(Layout(), "A: /a.mp3");
    EXPECT_TRUE(window->CombinationExists("a"));
}

TEST_F(CombinationsFileLifeTest, ADamagedFileKeepsTheTreeIsLoggedOnceAndIsNotOverwritten)
{
    WriteTree(CombinationsPath, "A: /a.mp3");
    Show();
    ASSERT_TRUE(WriteBytes(CombinationsPath, QByteArray::fromHex("0102000604434f4d42")));
    const QByteArray damaged = FileBytes();
    window->ReloadFileTimer();
    EXPECT_EQ(Layout(), "A: /a.mp3");
    ASSERT_EQ(ErrorLines().size(), 1);
    EXPECT_TRUE(ErrorLines().first().contains("damaged")) << ErrorLines().first().toStdString();
    window->ReloadFileTimer();
    window->ReloadFileTimer();
    EXPECT_EQ(ErrorLines().size(), 1);
    window.reset();
    EXPECT_EQ(FileBytes(), damaged);

    // Damaged from the start: the root alone, and the user asking for it sees the error too.
    window = std::make_unique<TFCombinations>();
    window->TimerReloadFile.stop();
    Show();
    EXPECT_EQ(window->TVCombinaciones->topLevelItemCount(), 1);
    EXPECT_EQ(Layout(), "");
    dialogs.ExpectButton(QMessageBox::Ok);
    window->ReloadFromDisk();
    EXPECT_TRUE(dialogs.Shown().last().text.contains("damaged"));
    // Once it changes it is read again.
    WriteTree(CombinationsPath, "Fixed:");
    window->ReloadFileTimer();
    EXPECT_EQ(Layout(), "Fixed:");
}

TEST_F(CombinationsFileLifeTest, AFailedWriteIsLoggedOnceAndTheEditsStayUnwritten)
{
    // The file's folder is a plain file: every write fails.
    ASSERT_TRUE(WriteBytes(station.File("blocked"), {}));
    CombinationsPath = station.File("blocked/combinations.dat");
    Show();
    const qsizetype before = ErrorLines().size();
    ASSERT_TRUE(window->NewCombination("A"));
    EXPECT_FALSE(window->SaveToFile());
    ASSERT_TRUE(window->NewCombination("B"));
    EXPECT_FALSE(window->SaveToFile());
    window->ReloadFileTimer();
    EXPECT_EQ(ErrorLines().size(), before + 1);
    EXPECT_TRUE(window->Modified());
    dialogs.ExpectButton(QMessageBox::Ok);
    window->SaveToDisk();
    EXPECT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(Layout(), "A:; B:");
}

TEST_F(CombinationsFileLifeTest, TheCheckWaitsForAnOpenBoxAndRunsWhenItCloses)
{
    WriteTree(CombinationsPath, "A:; B:");
    Show();
    Select({"A"});
    // While the delete question is open the other program writes; no reload under the question.
    bool reloadedDuringQuestion = true;
    dialogs.ExpectButton(QMessageBox::No);
    struct Writer : platform::DialogAnswerer {
        std::function<void()> meanwhile;
        platform::DialogAnswerer* next = nullptr;
        platform::DialogAnswer Answer(const platform::DialogRequest& request) override
        {
            meanwhile();
            return next->Answer(request);
        }
    } writer;
    writer.meanwhile = [&] {
        WriteTree(CombinationsPath, "C:");
        window->ReloadFileTimer();
        reloadedDuringQuestion = Layout() != "A:; B:";
    };
    writer.next = &dialogs;
    platform::InstallDialogAnswerer(&writer);
    window->DeleteSelected();
    platform::InstallDialogAnswerer(&dialogs);
    EXPECT_FALSE(reloadedDuringQuestion);
    EXPECT_TRUE(WaitFor([&] { return Layout() == "C:"; }, 5000)) << Layout().toStdString();
}

} // namespace
