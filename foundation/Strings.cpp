#include "foundation/Strings.h"

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

} // namespace

QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

int SplitString(const QString& text, QChar separator, QStringList& list)
{
    list.clear();
    for (const QString& piece : text.split(separator)) {
        const QString trimmed = TrimBlanks(piece);
        if (!trimmed.isEmpty())
            list.append(trimmed);
    }
    return static_cast<int>(list.size());
}

QString FastReplace(const QString& source, const QString& oldText, const QString& newText, bool caseSensitive)
{
    // Qt would insert newText between every character for an empty oldText.
    if (oldText.isEmpty())
        return source;
    QString result = source;
    return result.replace(oldText, newText, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}
