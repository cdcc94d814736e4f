#include "NonRegularFiles.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool MakeSocket(const QByteArray& path)
{
    sockaddr_un address{};
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // The name stays in the folder after the socket is closed: nobody answers, as with a dead server.
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

} // namespace

std::vector<NonRegularFile> MakeNonRegularFiles(const QString& folder, const QString& suffix)
{
    std::vector<NonRegularFile> files;
    const auto path = [&](const char* name) { return folder + name + suffix; };
    if (::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600) == 0)
        files.push_back({"a FIFO", path("fifo")});
    if (MakeSocket(QFile::encodeName(path("socket"))))
        files.push_back({"a socket", path("socket")});
    // No test may create a device node; a link to one is opened as the device itself.
    if (QFile::link(QStringLiteral("/dev/null"), path("device")))
        files.push_back({"a character device", path("device")});
    if (QDir().mkdir(path("folder")))
        files.push_back({"a folder", path("folder")});
    return files;
}

FifoWatch::FifoWatch(const std::vector<NonRegularFile>& files, std::chrono::milliseconds limit)
{
    for (const NonRegularFile& file : files)
        fifos_.push_back(file.path);
    thread_ = std::thread([this, limit] { Watch(limit); });
}

FifoWatch::~FifoWatch()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_all();
    thread_.join();
}

bool FifoWatch::Released()
{
    const std::lock_guard lock(mutex_);
    return released_;
}

void FifoWatch::Watch(std::chrono::milliseconds limit)
{
    std::unique_lock lock(mutex_);
    if (stop_.wait_for(lock, limit, [this] { return stopping_; }))
        return;
    do {
        for (const QString& path : fifos_) {
            // Succeeds only while a reader waits on the FIFO; closing it at once gives that reader its end.
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                ::close(fd);
                released_ = true;
            }
        }
    } while (!stop_.wait_for(lock, std::chrono::milliseconds(50), [this] { return stopping_; }));
}
