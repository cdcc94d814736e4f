#include "foundation/Log.h"

#include "TempFolder.h"
#include "foundation/General.h"
#include "platform/Clock.h"

#include <QDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <stdexcept>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The program folder is a temporary folder, the clock stands at 9 March 2026 14:05:00, and the log is
// opened the way start-up opens it.
class LogTest : public ::testing::Test {
protected:
    TempFolder folder;
    platform::ManualClock clock{QDateTime(QDate(2026, 3, 9), QTime(14, 5, 0))};
    QString savedLogDir = LogDir;
    TLog log;
    QStringList memo;

    void SetUp() override
    {
        LogDir = folder.Path() + "logs/";
        log.Closed = true;
        log.FlushEach = true;
        log.Level = -1;
        log.Memo = [this](const QString& line) { memo.append(line); };
    }
    void TearDown() override { LogDir = savedLogDir; }

    void Open()
    {
        log.FileName = log.DailyLogFileName();
        log.OpenLogFile();
    }
    QString Day(const char* name) const { return folder.Path() + "logs/" + name; }
    void At(int year, int month, int day, int hour, int minute, int second)
    {
        clock.SetNow(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
    }
};

} // namespace

TEST_F(LogTest, LineFormatFileNameAndFlushPerLine)
{
    Open(); // the "logs" folder does not exist yet: opening creates it
    EXPECT_FALSE(log.Closed);
    EXPECT_EQ(log.FileName, Day("090326.log"));

    log.Write(1, 0, 10, 101, 1, "text");
    EXPECT_EQ(ReadAll(Day("090326.log")), "09/03/2026 14:05:00 0 10 101 1 text\r\n"); // read while open
    log.Write(1, 1, -1, -1, -1, "a\r\nb\nc");
    EXPECT_EQ(ReadAll(Day("090326.log")), "09/03/2026 14:05:00 0 10 101 1 text\r\n"
                                          "09/03/2026 14:05:00 1 -1 -1 -1 a  b c\r\n");
    EXPECT_EQ(memo,
              (QStringList{"09/03/2026 14:05:00 0 10 101 1 text", "09/03/2026 14:05:00 1 -1 -1 -1 a  b c"}));

    log.DateFormat = "yyyy-MM-dd";
    log.TimeFormat = "HH.mm";
    log.Write(1, 0, 11, 104, -1, QString::fromUtf8("hora ñ"));
    EXPECT_TRUE(ReadAll(Day("090326.log"))
                    .endsWith(QString::fromUtf8("2026-03-09 14.05 0 11 104 -1 hora ñ\r\n").toUtf8()));
}

TEST_F(LogTest, LevelFilter)
{
    struct Case {
        int filter;
        int level;
        bool kept;
    };
    const Case cases[] = {
        {-1, 1, true}, {-1, 2, true}, {-1, 3, true}, {0, 1, false}, {0, 2, false}, {0, 3, false},
        {1, 1, true},  {1, 2, false}, {1, 3, false}, {2, 1, true},  {2, 2, true},  {2, 3, false},
        {5, 1, false}, {5, 2, false}, {5, 3, false}, {2, 0, false}, {-1, 0, true},
    };
    Open();
    QByteArray expected;
    for (const Case& c : cases) {
        const QString text = QStringLiteral("filter %1 entry %2").arg(c.filter).arg(c.level);
        log.Level = c.filter;
        memo.clear();
        log.Write(c.level, 0, -1, -1, -1, text);
        const QString line = "09/03/2026 14:05:00 0 -1 -1 -1 " + text;
        if (c.kept)
            expected += (line + "\r\n").toUtf8();
        EXPECT_EQ(memo, c.kept ? QStringList{line} : QStringList{}) << text.toStdString();
    }
    EXPECT_EQ(ReadAll(Day("090326.log")), expected);
}

TEST_F(LogTest, MidnightOpensTheNextDaysFileEvenForAFilteredEntry)
{
    At(2026, 3, 9, 23, 59, 58);
    Open();
    log.Level = 1;
    log.Write(1, 0, 10, 100, 1, "late");
    At(2026, 3, 10, 0, 0, 5);
    log.Write(2, 0, 10, 100, 1, "filtered");
    EXPECT_EQ(log.FileName, Day("100326.log"));
    EXPECT_EQ(ReadAll(Day("100326.log")), "");
    log.Write(1, 0, 10, 100, 1, "early");
    EXPECT_EQ(ReadAll(Day("090326.log")), "09/03/2026 23:59:58 0 10 100 1 late\r\n");
    EXPECT_EQ(ReadAll(Day("100326.log")), "10/03/2026 00:00:05 0 10 100 1 early\r\n");
}

TEST_F(LogTest, AFolderThatCannotBeMadeIsTriedAgainAtTheNextLine)
{
    QFile blocker(folder.File("logs")); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(Open(), std::exception);
    EXPECT_TRUE(log.Closed);
    log.Write(1, 0, 10, 100, 1, "shown, not written");
    EXPECT_EQ(memo.size(), 1);

    ASSERT_TRUE(QFile::remove(folder.File("logs")));
    log.Write(1, 0, 10, 100, 1, "kept");
    EXPECT_FALSE(log.Closed);
    EXPECT_EQ(ReadAll(Day("090326.log")), "09/03/2026 14:05:00 0 10 100 1 kept\r\n");
}

// What the process writes to its standard error while it lives.
class StderrCapture {
public:
    explicit StderrCapture(const QString& path)
        : path_(path), saved_(::dup(STDERR_FILENO)),
          file_(::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600))
    {
        ::dup2(file_, STDERR_FILENO);
    }
    ~StderrCapture()
    {
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        ::close(file_);
    }
    QByteArray Text() const { return ReadAll(path_); }

private:
    QString path_;
    int saved_;
    int file_;
};

TEST_F(LogTest, AFileGoneOrADiskFullLosesOnlyTheLinesWrittenMeanwhile)
{
    const QString day = Day("090326.log");
    const auto removeFolder = [this] { ASSERT_TRUE(QDir(folder.File("logs")).removeRecursively()); };
    const auto removeFile = [day] { ASSERT_TRUE(QFile::remove(day)); };
    // /dev/full takes nothing: every write fails with "no space left", as on a full disk.
    const auto fillDisk = [day] {
        ASSERT_TRUE(QFile::remove(day));
        ASSERT_TRUE(QFile::link("/dev/full", day));
    };
    const auto freeDisk = [day] { ASSERT_TRUE(QFile::remove(day)); };
    const auto nothing = [] {};
    struct Case {
        const char* what;
        std::function<void()> breakIt;
        std::function<void()> mendIt;
        QByteArray kept; // the day's file at the end
        int complaints;  // lines on stderr
    };
    const QByteArray during = "09/03/2026 14:05:00 0 10 100 1 during\r\n";
    const QByteArray after = "09/03/2026 14:05:00 0 10 100 1 after\r\n";
    const Case cases[] = {
        {"the logs folder removed", removeFolder, nothing, during + during + after, 0},
        {"the day's file removed", removeFile, nothing, during + during + after, 0},
        {"the disk full", fillDisk, freeDisk, after, 1},
    };
    for (const Case& c : cases) {
        Open();
        log.Write(1, 0, 10, 100, 1, "before");
        c.breakIt();
        const StderrCapture errors(folder.File("stderr.txt"));
        log.Write(1, 0, 10, 100, 1, "during");
        log.Write(1, 0, 10, 100, 1, "during");
        c.mendIt();
        log.Write(1, 0, 10, 100, 1, "after");
        EXPECT_EQ(ReadAll(day), c.kept) << c.what;
        // Ours only: Qt says on its own that /dev/full cannot seek.
        EXPECT_EQ(errors.Text().count("Log lines are not written"), c.complaints)
            << c.what << ": " << errors.Text().toStdString();
        log.CloseLogFile();
        QDir(folder.File("logs")).removeRecursively();
    }
}

TEST_F(LogTest, ClearEmptiesTheFileAndTheNextEntryIsItsFirstLine)
{
    Open();
    log.Write(1, 0, 10, 100, 1, "one");
    log.Write(1, 0, 10, 100, 1, "two");
    log.ClearLogFile();
    EXPECT_EQ(ReadAll(Day("090326.log")), "");
    log.Write(1, 0, 10, 100, 1, "three");
    EXPECT_EQ(ReadAll(Day("090326.log")), "09/03/2026 14:05:00 0 10 100 1 three\r\n");
}

TEST_F(LogTest, AFailingMemoSkipsTheFileLine)
{
    Open();
    log.Memo = [](const QString&) { throw std::runtime_error("page gone"); };
    log.Write(1, 0, 10, 100, 1, "lost");
    log.Memo = nullptr; // no page: the file still gets its lines
    log.Write(1, 0, 10, 100, 1, "kept");
    EXPECT_EQ(ReadAll(Day("090326.log")), "09/03/2026 14:05:00 0 10 100 1 kept\r\n");
}

TEST_F(LogTest, WriteLogGoesToTheProcessLogAndNothingBeforeItsFolderIsSet)
{
    LogDir.clear();
    WriteLog(1, 0, 10, 100, 1, "too early");
    EXPECT_TRUE(Log.FileName.isEmpty());
    EXPECT_TRUE(QDir(folder.Path()).isEmpty());

    LogDir = folder.Path() + "logs/";
    Log.Closed = true;
    Log.FlushEach = true;
    Log.Level = 1;
    Log.FileName = Log.DailyLogFileName();
    Log.OpenLogFile();
    WriteLog(1, 0, 15, 111, -1, "skin");
    Log.CloseLogFile();
    EXPECT_TRUE(Log.Closed);
    EXPECT_EQ(ReadAll(Day("090326.log")), "09/03/2026 14:05:00 0 15 111 -1 skin\r\n");
}
