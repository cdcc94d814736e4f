#include "foundation/Log.h"

#include "foundation/Files.h"
#include "foundation/General.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <QFileInfo>

#include <cstdio>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

TLog Log;

namespace {

bool Keeps(int filter, int level)
{
    switch (filter) {
    case -1:
        return true;
    case 1:
        return level == 1;
    case 2:
        return level == 1 || level == 2;
    default:
        return false;
    }
}

} // namespace

void TLog::Write(int level, int status, int module, int event, int channel, const QString& text)
{
    QString oneLine = text;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    const QDateTime now = platform::Now();
    const QString line = now.toString(DateFormat) + u' ' + now.toString(TimeFormat) + u' ' +
                         QString::number(status) + u' ' + QString::number(module) + u' ' +
                         QString::number(event) + u' ' + QString::number(channel) + u' ' + oneLine;
    LogMessage(level, line);
}

void TLog::LogMessage(int level, const QString& line)
{
    CheckLogDate();
    if ((Closed && !broken_) || !Keeps(Level, level))
        return;
    // The page gets the line first; when showing it fails, the file line is skipped too.
    try {
        if (Memo)
            Memo(line);
        WriteLine((line + QStringLiteral("\r\n")).toUtf8());
    } catch (...) {
    }
}

void TLog::WriteLine(const QByteArray& bytes)
{
    // A file removed or replaced under us (the folder deleted, a day's file moved away) would swallow
    // every line: the file of that name is opened again, its folder made again.
    if (!broken_ && !platform::IsSameFile(F, FileName))
        broken_ = true;
    if (broken_) {
        try {
            OpenLogFile();
        } catch (const std::exception& error) {
            Complain(QString::fromLocal8Bit(error.what()));
            return;
        }
    }
    struct stat status {};
    const off_t before = ::fstat(F.handle(), &status) == 0 ? status.st_size : -1;
    if (F.write(bytes) == bytes.size()) {
        complained_ = false;
        return;
    }
    // A full disk: the part that went is taken back, so the file never holds half a line.
    const QString reason = F.errorString();
    if (before >= 0 && S_ISREG(status.st_mode)) {
        [[maybe_unused]] const int cut = ::ftruncate(F.handle(), before);
    }
    F.close();
    broken_ = true;
    Complain(FileName + QStringLiteral(": ") + reason);
}

void TLog::Complain(const QString& reason)
{
    if (std::exchange(complained_, true))
        return;
    std::fprintf(stderr, "Log lines are not written (tried again at every line): %s\n", qPrintable(reason));
}

QString TLog::DailyLogFileName() const
{
    return LogDir + platform::Now().toString(QStringLiteral("ddMMyy")) + QStringLiteral(".log");
}

void TLog::OpenLogFile()
{
    // A missing "logs" folder would otherwise keep the log dead for the whole run.
    ForceFolder(QFileInfo(FileName).absolutePath());
    F.close();
    broken_ = true; // until it is open
    CreateFileIfMissing(FileName);
    F.setFileName(FileName);
    // Unbuffered: each line is one write that succeeds or fails as a whole, at once.
    if (!F.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw std::runtime_error(("Cannot open " + FileName + ": " + F.errorString()).toStdString());
    Closed = false;
    broken_ = false;
}

void TLog::CloseLogFile()
{
    if (FlushEach)
        Flush();
    F.close();
    Closed = true;
    broken_ = false;
}

void TLog::CheckLogDate()
{
    if (LogDir.isEmpty()) // before start-up has placed the log there is no file to move to
        return;
    const QString name = DailyLogFileName();
    if (name == FileName)
        return;
    try {
        CloseLogFile();
        FileName = name;
        OpenLogFile();
    } catch (...) {
    }
}

void TLog::Flush()
{
    if (F.isOpen())
        F.flush();
}

void TLog::ClearLogFile()
{
    F.close();
    F.setFileName(FileName);
    // Failing to reopen leaves the file to be opened again at the next line.
    if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        broken_ = true;
}

void WriteLog(int level, int status, int module, int event, int channel, const QString& text)
{
    Log.Write(level, status, module, event, channel, text);
}
