#pragma once
// The station's daily log: one file a day, LogDir + "ddMMyy.log", a line per entry ended by CR LF,
// flushed line by line, mirrored to the settings window's log page. Every subsystem writes through
// WriteLog. GUI thread only.
//
// Line: date time status module event channel text. Codes in use:
//   status   0 information, 1 error
//   module   10 playout channel, 11 clock, 12 folders window, 15 settings window, -1 none
//   event    100 item started (or cannot be), 101 resuming, 102 already stopped, 103 pausing,
//            104 PC clock set (or failed), 105 emergency key, 111 skin loaded, 113 stopping, -1 none
//   channel  the playout channel's number, or -1
#include <QFile>
#include <QString>

#include <functional>

class TLog {
public:
    bool Closed = false;    // nothing is written while true
    bool FlushEach = false; // flush after every line
    QString FileName;       // the current day's file
    // 0 none, 1 entries of level 1, 2 entries of levels 1 and 2, -1 every entry; any other value none.
    int Level = 0;
    // Receives every kept line before the file does (the settings window's log page). Its owner must
    // clear it before going away.
    std::function<void(const QString& line)> Memo;
    // QDateTime formats of the line's date and time.
    QString DateFormat = QStringLiteral("dd/MM/yyyy");
    QString TimeFormat = QStringLiteral("HH:mm:ss");

    // Builds the line from the clock and the values and hands it to LogMessage. Line breaks inside the
    // text become blanks, so one entry stays one line.
    void Write(int level, int status, int module, int event, int channel, const QString& text);
    // Moves to the day's file when the date has changed (for every entry, kept or not), then keeps or
    // drops the line by Level. Never raises.
    void LogMessage(int level, const QString& line);

    // LogDir + today as "ddMMyy" + ".log".
    QString DailyLogFileName() const;
    // Creates the log folder and the file when missing and opens FileName for appending. Raises
    // std::exception with the reason when it cannot; Closed then stays as it was, and the next kept
    // line tries again.
    void OpenLogFile();
    void CloseLogFile();
    // Closes the old day's file and opens the new one when the date has changed. Never raises: a day
    // whose file cannot be opened stays closed, and the next day tries again.
    void CheckLogDate();
    // Puts the lines written so far on the disk (nothing when no file is open).
    void Flush();
    // Empties the file; later lines start it again.
    void ClearLogFile();

private:
    QFile F;
    bool broken_ = false;     // the file should be open but is not writable: reopened at the next line
    bool complained_ = false; // a lost line was reported on stderr since the last written line

    // Writes one line to the file, reopening it first when it is gone or broken.
    void WriteLine(const QByteArray& bytes);
    // Says on stderr, once until a line is written again, that lines are being lost.
    void Complain(const QString& reason);
};

// The process's log (opened by the login window at start-up, closed when the message loop ends).
extern TLog Log;

// The one writer every subsystem calls: Log.Write.
void WriteLog(int level, int status, int module, int event, int channel, const QString& text);
