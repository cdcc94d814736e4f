#include "shell/Users.h"

#include "platform/IniFile.h"

bool IsValidUserName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
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
