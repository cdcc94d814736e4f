#include "foundation/LastLines.h"

#include <QFile>

#include <algorithm>

QStringList LastLines(const QString& path, int count)
{
    QFile file(path);
    if (count <= 0 || !file.open(QIODevice::ReadOnly))
        return {};
    constexpr qint64 Chunk = qint64(1) << 16;
    QByteArray tail;
    qint64 start = file.size();
    // Back from the end until the tail holds a line end before the lines wanted, or the whole file.
    while (start > 0 && tail.count('\n') <= count) {
        const qint64 from = std::max<qint64>(0, start - Chunk);
        if (!file.seek(from))
            return {};
        tail.prepend(file.read(start - from));
        start = from;
    }
    QList<QByteArray> lines = tail.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // the last line's end
    if (start > 0)
        lines.removeFirst(); // the rest of a line that begins before the part read
    QStringList texts;
    for (qsizetype i = std::max<qsizetype>(0, lines.size() - count); i < lines.size(); ++i) {
        QByteArray& line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        texts.append(QString::fromUtf8(line));
    }
    return texts;
}
