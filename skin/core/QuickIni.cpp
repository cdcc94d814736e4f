#include "skin/core/QuickIni.h"

#include "platform/IniFile.h"
#include "platform/Text.h"

namespace {

bool IsSectionLine(QStringView line)
{
    return line.startsWith(u'[') && line.endsWith(u']');
}

} // namespace

void TQuickIni::LoadFromStream(const QByteArray& stream)
{
    lines_.clear();
    sections_.clear();
    const QString text = QString::fromLatin1(stream);
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = at;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n' && text[end] != QChar(0))
            ++end;
        const QStringView line = platform::TrimBlanks(QStringView(text).mid(at, end - at));
        if (!line.isEmpty() && !line.startsWith(u';')) {
            if (IsSectionLine(line))
                sections_.append({line.toString(), lines_.size()});
            lines_.append(line.toString());
        }
        if (end < text.size() && text[end] == QChar(0))
            break;
        at = end;
        if (at < text.size() && text[at] == u'\r')
            ++at;
        if (at < text.size() && text[at] == u'\n')
            ++at;
    }
}

void TQuickIni::ReadSections(QStringList& list) const
{
    list.clear();
    for (const Section& section : sections_)
        list.append(
            platform::TrimBlanks(QStringView(section.line).mid(1, section.line.size() - 2)).toString());
}

QString TQuickIni::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QString header = u'[' + section + u']';
    const QString wanted = key.toLower();
    for (const Section& candidate : sections_) {
        if (candidate.line.compare(header, Qt::CaseInsensitive) != 0)
            continue;
        for (qsizetype i = candidate.index + 1; i < lines_.size() && !IsSectionLine(lines_[i]); ++i) {
            const QString& line = lines_[i];
            const qsizetype equals = line.indexOf(u'=');
            if (equals < 0 ||
                platform::TrimBlanks(QStringView(line).left(equals)).toString().toLower() != wanted)
                continue;
            const QStringView value = platform::TrimBlanks(QStringView(line).mid(equals + 1));
            return value.isEmpty() ? defaultValue : value.toString();
        }
        break; // the first of equal sections decides
    }
    return defaultValue;
}

int TQuickIni::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    return platform::ParseProfileInteger(ReadString(section, key, QString())).value_or(defaultValue);
}
