#include "shell/Users.h"

#include "platform/IniFile.h"

#include <QFile>

namespace {

// The longest file name the file systems of Linux hold, in bytes.
constexpr qsizetype MaxFileNameBytes = 255;

} // namespace

bool IsValidUserName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    // Half a surrogate pair cannot be written to the users file, and would come back as another name.
    if (!name.isValidUtf16() || QFile::encodeName(name).size() > MaxFileNameBytes)
        return false;
    if (name.front().isSpace() || name.back().isSpace())
        return false;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == u'/' || c == u'\\' || c == u'[' || c == u']' ||
            c == u'=' || c == u';' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

QString StoredUserName(const platform::IniFile& users, const QString& name)
{
    for (const QString& section : users.ReadSections())
        if (section.compare(name, Qt::CaseInsensitive) == 0)
            return section;
    return QString();
}
