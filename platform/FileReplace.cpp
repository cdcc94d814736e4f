#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// "Sonvelazodu.ini" is replaced through "Sonvelazodu.ini.part-" and six letters or digits.
const QString PartMarker = QStringLiteral(".part-");
constexpr int PartLetters = 6;

QString RandomLetters()
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString text;
    for (int i = 0; i < PartLetters; ++i)
        text += QLatin1Char(Letters[QRandomGenerator::system()->bounded(int(sizeof(Letters) - 1))]);
    return text;
}

QString ErrnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The file a replace writes: a link's target, so the link stays a link.
QString ReplacedFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
}

} // namespace

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString& error)
{
    const QString target = ReplacedFile(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // A rename would replace a read-only file too, even for a user without rights to it.
    if (exists && ((existing.st_mode & S_IWUSR) == 0 || ::access(targetName.constData(), W_OK) != 0)) {
        error = QStringLiteral("the file is read-only");
        return false;
    }
    QByteArray partName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        partName = QFile::encodeName(target + PartMarker + RandomLetters());
        fd = ::open(partName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        error = ErrnoText();
        return false;
    }
    QString reason;
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        reason = ErrnoText();
    else if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        reason = ErrnoText();
    if (::close(fd) != 0 && reason.isEmpty())
        reason = ErrnoText();
    if (reason.isEmpty() && ::rename(partName.constData(), targetName.constData()) != 0)
        reason = ErrnoText();
    if (reason.isEmpty())
        return true;
    ::unlink(partName.constData());
    error = reason;
    return false;
}

void RemoveReplaceLeftovers(const QString& path)
{
    const QFileInfo info(ReplacedFile(path));
    const QRegularExpression leftover(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(info.fileName() + PartMarker) +
                                            QStringLiteral("[A-Za-z0-9]{%1}").arg(PartLetters)));
    const QDir folder = info.dir();
    for (const QString& name :
         folder.entryList({info.fileName() + PartMarker + u'*'},
                          QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::System)) {
        if (leftover.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
    }
}

} // namespace platform
