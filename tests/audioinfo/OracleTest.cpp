// Checks against ffprobe where the readers' own rules and real-world parsing agree: the duration
// of a Xing VBR file, sample rates, the CBR bit rate and the titles of tags that ffmpeg writes.
#include "audioinfo/MPEGaudio.h"

#include "Ffmpeg.h"
#include "TempFolder.h"

#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
QByteArray Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput().trimmed();
}

// ffprobe's flat output as key/value pairs, such as "format.duration".
QMap<QString, QString> Probe(const QString& path)
{
    const QByteArray output =
        Run("ffprobe", {"-v", "quiet", "-show_entries", "format=duration:stream=sample_rate,bit_rate", "-of",
                        "flat=s=.", path});
    QMap<QString, QString> values;
    for (const QByteArray& line : output.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            values[QString::fromUtf8(line.left(equals))] =
                QString::fromUtf8(line.mid(equals + 1)).remove('"');
    }
    return values;
}
} // namespace

TEST(MPEGaudioOracle, AgreesWithFfprobeOnExactValues)
{
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty() ||
        QStandardPaths::findExecutable("ffprobe").isEmpty())
        GTEST_SKIP() << "ffmpeg or ffprobe is not installed";
    const QString title = QString::fromUtf8("Ünïcode ÿ 丿");
    struct Case {
        const char* name;
        QStringList options;
        bool vbr;
    };
    // ffmpeg writes version 2.4 tags in UTF-8 by default; version 2.3 in UTF-16.
    const Case cases[] = {
        {"VBR, v2.4 tag", {"-q:a", "5"}, true},
        {"CBR, v2.3 tag", {"-b:a", "128k", "-id3v2_version", "3"}, false},
        {"MPEG 2 VBR", {"-ar", "22050", "-ac", "1", "-q:a", "7"}, true},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const QString path = folder.File("oracle.mp3");
        QStringList arguments = {"-f",        "lavfi",          "-i",   "sine=duration=1",
                                 "-metadata", "title=" + title, "-c:a", "libmp3lame"};
        arguments << c.options << path;
        QString failure;
        ASSERT_TRUE(testing_support::RunFfmpeg(arguments, &failure)) << failure.toStdString();

        TMPEGaudio audio;
        ASSERT_TRUE(audio.ReadFromFile(path)) << c.name;
        ASSERT_TRUE(audio.GetValid()) << c.name;
        EXPECT_EQ(audio.ID3v2.Title, title) << c.name;
        const QMap<QString, QString> probe = Probe(path);
        EXPECT_EQ(QString::number(audio.GetSampleRate()), probe["streams.stream.0.sample_rate"]) << c.name;
        if (c.vbr) {
            ASSERT_TRUE(audio.VBR.Found) << c.name;
            EXPECT_NEAR(audio.GetDuration(), probe["format.duration"].toDouble(), 1e-6) << c.name;
        } else {
            EXPECT_EQ(audio.GetBitRate(), probe["streams.stream.0.bit_rate"].toInt() / 1000) << c.name;
        }
    }
}
