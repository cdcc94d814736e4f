#include "foundation/Log.h"

#include "foundation/Files.h"
#include "foundation/General.h"
#include "platform/Clock.h"

#include <QFileInfo>

#include <stdexcept>

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
    if (Closed || !Keeps(Level, level))
        return;
    // The page gets the line first; when showing it fails, the file line is skipped too.
    try {
        if (Memo)
            Memo(line);
        F.write((line + QStringLiteral("\r\n")).toUtf8());
        if (FlushEach)
            F.flush();
    } catch (...) {
    }
}

QString TLog::DailyLogFileName() const
{
    return LogDir + platform::Now().toString(QStringLiteral("ddMMyy")) + QStringLiteral(".log");
}

void TLog::OpenLogFile()
{
    // A missing "logs" folder would otherwise keep the log dead for the whole run.
    ForceFolder(QFileInfo(FileName).absolutePath());
    CreateFileIfMissing(FileName);
    F.close();
    F.setFileName(FileName);
    if (!F.open(QIODevice::WriteOnly | QIODevice::Append))
        throw std::runtime_error(("Cannot open " + FileName + ": " + F.errorString()).toStdString());
    Closed = false;
}

void TLog::CloseLogFile()
{
    if (FlushEach)
        Flush();
    F.close();
    Closed = true;
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
    // Failing to reopen leaves nothing to write to until the next day's file.
    if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Closed = true;
}

void WriteLog(int level, int status, int module, int event, int channel, const QString& text)
{
    Log.Write(level, status, module, event, channel, text);
}
