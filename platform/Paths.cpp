#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString JoinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool IsAbsolutePath(const QString& path)
{
    if (path.startsWith(QLatin1Char('/')))
        return true;
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter();
}

QString ExpandFileName(const QString& name)
{
    if (name.isEmpty() || IsAbsolutePath(name))
        return name;
    const QString expanded = QDir::cleanPath(JoinPath(QDir::currentPath(), name));
    return name.endsWith(QLatin1Char('/')) ? WithTrailingSeparator(expanded) : expanded;
}

QString ToNativeSeparators(const QString& path)
{
    QString out = path;
    out.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return out;
}

QString WithTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString FileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FolderPart(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FileExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > path.lastIndexOf(QLatin1Char('/')) ? path.mid(dot) : QString();
}

QString ProgramFolder(bool elevated)
{
    // An elevated program takes no folder from its user's environment: it would run with that user's files.
    const QString overridden = elevated ? QString() : qEnvironmentVariable(AppDirVariable);
    const QString folder =
        overridden.isEmpty() ? QCoreApplication::applicationDirPath() : QDir(overridden).absolutePath();
    return WithTrailingSeparator(folder);
}

} // namespace platform
