// sonvela-open: the desktop's client of the station. The desktop entry runs it with the chosen files; it
// hands them to the station program beside it as one DDE execute of Open macros, starting the station
// first when no one serves. Exit codes: 0 queued, 2 no file it can send, 3 too much text for one
// request, 4 refused by the station (the reason on stderr), 5 no station answered in time.
#include "platform/Dde.h"
#include "platform/Process.h"
#include "shell/ShellNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QThread>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int RetryMs = 200;
constexpr int DefaultWaitMs = 60 * 1000;
constexpr int ReplyTimeoutMs = 60 * 1000;
// Tests shorten the wait for a station that never answers.
constexpr char WaitVariable[] = "SONVELA_OPEN_WAIT_MS";

void Say(const QString& text)
{
    std::fprintf(stderr, "sonvela-open: %s\n", qPrintable(text));
}

// The file's absolute path, or nothing (after saying why) when a macro cannot carry its name.
std::optional<QString> CarriedPath(const QByteArray& argument)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = decoder.decode(argument);
    if (decoder.hasError()) {
        Say(QStringLiteral("not queued, the name is not UTF-8: %1").arg(QString::fromLocal8Bit(argument)));
        return std::nullopt;
    }
    for (const QChar c : name) {
        if (c == QLatin1Char('"') || c.unicode() < 0x20 || c.unicode() == 0x7F) {
            Say(QStringLiteral("not queued, the name holds a double quote or a control character: %1")
                    .arg(name));
            return std::nullopt;
        }
    }
    return name.startsWith(QLatin1Char('/')) ? name : QDir::currentPath() + QLatin1Char('/') + name;
}

int WaitMs()
{
    bool ok = false;
    const int wait = qEnvironmentVariableIntValue(WaitVariable, &ok);
    return ok && wait >= 0 ? wait : DefaultWaitMs;
}

// Held while this client starts the station, so two clients never start two copies.
class StartLock {
public:
    explicit StartLock(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX);
    }
    ~StartLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    StartLock(const StartLock&) = delete;
    StartLock& operator=(const StartLock&) = delete;

private:
    int fd_;
};

int Finish(const platform::DdeReply& reply)
{
    switch (reply.result) {
    case platform::DdeResult::Ack:
        return 0;
    case platform::DdeResult::Nack:
        Say(QStringLiteral("the station refused: ") + reply.reason);
        return 4;
    case platform::DdeResult::Unsafe:
        Say(QStringLiteral("not sent: ") + reply.reason);
        return 5;
    case platform::DdeResult::NoServer:
        break;
    }
    Say(QStringLiteral("the station did not answer in time"));
    return 5;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString text;
    for (int i = 1; i < argc; ++i)
        if (const auto path = CarriedPath(QByteArray(argv[i])))
            text += OpenMacro(*path);
    if (text.isEmpty()) {
        Say(QStringLiteral("no file to queue"));
        return 2;
    }
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > platform::DdeMaxExecuteBytes) {
        Say(QStringLiteral("%1 bytes of file names, more than the station takes at once (%2); nothing sent")
                .arg(bytes.size())
                .arg(platform::DdeMaxExecuteBytes));
        return 3;
    }

    const QString program = QCoreApplication::applicationDirPath() + QLatin1Char('/') + StationProgramName;
    const QString service = platform::DdeServiceName(program);
    const QString topic = QLatin1String(MacrosTopic);
    platform::DdeReply reply = platform::DdeExecute(service, topic, bytes, ReplyTimeoutMs);
    if (reply.result != platform::DdeResult::NoServer)
        return Finish(reply);

    const StartLock lock(platform::DdeSocketFolder() + QStringLiteral("/start.lock"));
    reply = platform::DdeExecute(service, topic, bytes, ReplyTimeoutMs);
    if (reply.result != platform::DdeResult::NoServer)
        return Finish(reply);
    // A copy still starting serves soon: it is waited for, not doubled.
    if (platform::CountRunningInstances(program) == 0 &&
        !QProcess::startDetached(program, {}, QCoreApplication::applicationDirPath())) {
        Say(QStringLiteral("cannot start ") + program);
        return 5;
    }
    QElapsedTimer waited;
    waited.start();
    const int waitMs = WaitMs();
    while (reply.result == platform::DdeResult::NoServer && waited.elapsed() < waitMs) {
        QThread::msleep(RetryMs);
        reply = platform::DdeExecute(service, topic, bytes, ReplyTimeoutMs);
    }
    return Finish(reply);
}
