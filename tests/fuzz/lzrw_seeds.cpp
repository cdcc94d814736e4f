// Writes the seed containers of lzrw_fuzz with our own compressor: text, long runs, random bytes,
// nothing, and several blocks. Usage: lzrw_seeds OUT
#include "controls/LZRW.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace {

bool WriteSeed(const QString& path, const QByteArray& data)
{
    QBuffer source;
    source.setData(data);
    source.open(QIODevice::ReadOnly);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    CompressStream(source, file, data.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QRandomGenerator random(17);
    QByteArray noise(3000, '\0');
    for (char& b : noise)
        b = static_cast<char>(random.bounded(256));
    QByteArray text;
    while (text.size() < 5000)
        text += "Station playlist, jingle, news at the hour.\r\n";
    QByteArray several; // three blocks that stay small once compressed
    while (several.size() < 70000)
        several += text;
    const bool ok = WriteSeed(out + "/text", text) && WriteSeed(out + "/runs", QByteArray(40000, 'a')) &&
                    WriteSeed(out + "/random", noise) && WriteSeed(out + "/empty", QByteArray()) &&
                    WriteSeed(out + "/several", several) && WriteSeed(out + "/short", "abcabcabc");
    return ok ? 0 : 1;
}
