#pragma once
// Opening a file to read it only when it is a regular file, and never waiting on it: a plain open of a
// FIFO waits for a writer that may never come, and a device, socket or folder named like an audio file
// is no audio file. Whatever is refused comes back with the reason, for the log. Without Qt and
// defined here, so the audio library (which links nothing of ours) reads through it as well.
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform {

struct RegularFile {
    int fd = -1;         // open for reading with ordinary (blocking) reads; -1 when refused
    int64_t size = 0;    // bytes when opened
    std::string failure; // why it was refused: "a FIFO, not a regular file", "No such file or directory"
};

// Why a file that is not a regular one is refused, as the log says it.
inline std::string NotRegularReason(mode_t mode)
{
    const char* kind = S_ISFIFO(mode)   ? "a FIFO"
                       : S_ISSOCK(mode) ? "a socket"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISDIR(mode)  ? "a folder"
                                        : "a special file";
    return std::string(kind) + ", not a regular file";
}

// Whether the name is a regular file now, looked at without opening it: stat never waits the way an
// open of a FIFO or a device does.
inline bool IsRegularFile(const char* path)
{
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

inline RegularFile OpenRegularFile(const char* path)
{
    RegularFile file;
    const auto refuse = [&file](const std::string& why) {
        file.failure = why;
        return file;
    };
    const auto systemError = [] { return std::generic_category().message(errno); };
    // Looked at before it is opened: opening a device can have effects of its own (a tape rewinds).
    struct stat info {};
    if (::stat(path, &info) != 0)
        return refuse(systemError());
    if (!S_ISREG(info.st_mode))
        return refuse(NotRegularReason(info.st_mode));
    // Non-blocking, in case the name was given to a FIFO meanwhile; checked again on what was opened.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return refuse(systemError());
    const auto closeAndRefuse = [&](const std::string& why) {
        ::close(fd);
        return refuse(why);
    };
    if (::fstat(fd, &info) != 0)
        return closeAndRefuse(systemError());
    if (!S_ISREG(info.st_mode))
        return closeAndRefuse(NotRegularReason(info.st_mode));
    // A regular file's reads never wait for another process: they go on as ordinary reads.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return closeAndRefuse(systemError());
    file.fd = fd;
    file.size = info.st_size;
    return file;
}

} // namespace platform
