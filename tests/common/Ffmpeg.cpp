#include "Ffmpeg.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testing_support {

namespace {

// The whole of what the child writes to the pipe, until it closes it.
QByteArray ReadAll(int fd)
{
    QByteArray all;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0)
            all.append(buffer, got);
        else if (got == 0 || errno != EINTR)
            return all;
    }
}

} // namespace

// posix_spawn rather than QProcess: QProcess's own thread and signal handling hide the real ordering
// of the process from ThreadSanitizer, which then reports races that are not there.
bool RunFfmpeg(const QStringList& arguments, QString* failure)
{
    std::vector<std::string> words{"ffmpeg", "-v", "error", "-nostdin", "-y"};
    for (const QString& argument : arguments)
        words.push_back(QFile::encodeName(argument).toStdString());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int errors[2];
    if (::pipe2(errors, O_CLOEXEC) != 0) {
        *failure = "no pipe for ffmpeg's messages";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(errors[1]);
    if (spawned != 0) {
        ::close(errors[0]);
        *failure = "the ffmpeg program is missing (scripts/setup installs it)";
        return false;
    }
    const QByteArray messages = ReadAll(errors[0]);
    ::close(errors[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *failure = "ffmpeg " + arguments.join(' ') + " failed: " + QString::fromUtf8(messages);
        return false;
    }
    return true;
}

} // namespace testing_support
