#include "XvfbServer.h"

#include <QByteArray>
#include <QDeadlineTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace {

// The first line the descriptor gives within the time; what came when it gave none.
QByteArray ReadLine(int fd, int ms)
{
    QByteArray line;
    const QDeadlineTimer deadline(ms);
    while (!line.contains('\n') && !deadline.hasExpired()) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, int(deadline.remainingTime())) <= 0)
            continue;
        char buffer[256];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR))
            break;
        if (got > 0)
            line.append(buffer, got);
    }
    return line;
}

// The child's end, after the time; false when it is still running.
bool Reaped(pid_t pid, int ms)
{
    const QDeadlineTimer deadline(ms);
    do {
        if (::waitpid(pid, nullptr, WNOHANG) != 0)
            return true;
        ::usleep(10000);
    } while (!deadline.hasExpired());
    return false;
}

} // namespace

// posix_spawn rather than QProcess: QProcess starts programs with a clone() that the race detector
// cannot follow.
XvfbServer::XvfbServer(int width, int height)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error_ = QStringLiteral("no pipe for Xvfb's display number");
        return;
    }
    const std::string screen = std::to_string(width) + 'x' + std::to_string(height) + "x24";
    const char* argv[] = {"Xvfb", "-displayfd",   "1",    "-nolisten", "tcp", "-screen",
                          "0",    screen.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    displayPipe_ = pipeEnds[0];
    if (spawned != 0) {
        pid_ = 0;
        error_ = QStringLiteral("Xvfb did not start: %1").arg(QString::fromLocal8Bit(std::strerror(spawned)));
        return;
    }
    // The server writes the display number it chose to descriptor 1 once it accepts clients.
    const QByteArray output = ReadLine(displayPipe_, 20000);
    bool ok = false;
    const int number = output.trimmed().toInt(&ok);
    if (!ok) {
        error_ = QStringLiteral("Xvfb gave no display: \"%1\"").arg(QString::fromLocal8Bit(output));
        return;
    }
    display_ = QStringLiteral(":%1").arg(number);
}

XvfbServer::~XvfbServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        if (!Reaped(pid_, 5000)) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    if (displayPipe_ >= 0)
        ::close(displayPipe_);
}

} // namespace testing_support
