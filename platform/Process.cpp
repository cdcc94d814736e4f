#include "platform/Process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Blanks separate the words; "..." and '...' keep blanks inside one word. A backslash is an ordinary
// character, so paths written with "\" survive.
QStringList SplitCommandLine(const QString& commandLine)
{
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (const QChar c : commandLine) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

QString ReadLink(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    char target[4096];
    const ssize_t length = ::readlink(name.constData(), target, sizeof target);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof target))
        return QString();
    return QFile::decodeName(QByteArray(target, static_cast<qsizetype>(length)));
}

QString FindOnPath(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

} // namespace

int RunProgram(const QString& commandLine, int /*showState*/, bool wait)
{
    const QStringList words = SplitCommandLine(commandLine);
    if (words.isEmpty())
        return 0;
    if (!wait)
        return QProcess::startDetached(words.first(), words.mid(1)) ? STILL_ACTIVE : 0;

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(words.first(), words.mid(1));
    if (!process.waitForStarted(-1))
        return 0;
    process.waitForFinished(-1);
    return process.exitCode();
}

QString CommandLineWord(const QString& path)
{
    const bool plain = !path.isEmpty() && std::none_of(path.begin(), path.end(), [](QChar c) {
        return c.isSpace() || c == QLatin1Char('"') || c == QLatin1Char('\'');
    });
    if (plain)
        return path;
    // Within "..." everything but " is literal; a " itself goes in as '"', which joins the same word.
    QString word = QStringLiteral("\"");
    for (const QChar c : path)
        word += c == QLatin1Char('"') ? QStringLiteral("\"'\"'\"") : QString(c);
    return word + QLatin1Char('"');
}

QString ProcessImageName(const QString& exeLink)
{
    static const QString deleted = QStringLiteral(" (deleted)");
    return exeLink.endsWith(deleted) ? exeLink.chopped(deleted.size()) : exeLink;
}

bool IsInstanceOf(const RunningProcess& process, const QString& executablePath, uint user)
{
    return process.owner == user && !process.image.isEmpty() && process.image == executablePath;
}

int CountRunningInstances(const QString& executablePath)
{
    const uint user = ::geteuid();
    int count = 0;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : entries) {
        bool isPid = false;
        pid.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QString folder = QStringLiteral("/proc/") + pid;
        struct stat info {};
        if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
            continue; // ended meanwhile
        const RunningProcess process{info.st_uid,
                                     ProcessImageName(ReadLink(folder + QStringLiteral("/exe")))};
        if (IsInstanceOf(process, executablePath, user))
            ++count;
    }
    return count;
}

QStringList SystemMixerCommand(const QString& parameters, const ProgramFinder& findProgram)
{
    const QStringList extra = SplitCommandLine(parameters);
    const QString pavucontrol = findProgram(QStringLiteral("pavucontrol"));
    if (!pavucontrol.isEmpty())
        return QStringList{pavucontrol} + extra;
    const QString terminal = findProgram(QStringLiteral("x-terminal-emulator"));
    const QString alsamixer = findProgram(QStringLiteral("alsamixer"));
    if (!terminal.isEmpty() && !alsamixer.isEmpty())
        return QStringList{terminal, QStringLiteral("-e"), alsamixer} + extra;
    return {};
}

bool OpenSystemMixer(const QString& parameters)
{
    const QStringList command = SystemMixerCommand(parameters, FindOnPath);
    return !command.isEmpty() && QProcess::startDetached(command.first(), command.mid(1));
}

} // namespace platform
