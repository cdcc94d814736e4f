#pragma once
// Watching how often a program looks at a file: the opens the kernel reports, and a file made old
// enough that its times alone tell whether it changed.
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

// Last changed long ago, so the file's times alone tell whether it changed since.
inline void MakeOld(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(12, 0), QTimeZone::utc()),
                                 QFileDevice::FileModificationTime));
}

// The opens of one file of a folder, as the kernel reports them. Closes are watched too: the kernel
// merges an event into the one before it when both are the same.
class OpenCounter {
public:
    OpenCounter(const QString& folder, QString name)
        : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(std::move(name))
    {
        EXPECT_GE(inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN | IN_CLOSE), 0);
    }
    ~OpenCounter() { ::close(fd_); }
    OpenCounter(const OpenCounter&) = delete;
    OpenCounter& operator=(const OpenCounter&) = delete;

    // Since the last call.
    int Opens()
    {
        int opens = 0;
        alignas(inotify_event) char buffer[8192];
        for (ssize_t size; (size = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if ((event->mask & IN_OPEN) && event->len > 0 && name_ == QFile::decodeName(event->name))
                    ++opens;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return opens;
    }

private:
    int fd_;
    QString name_;
};
