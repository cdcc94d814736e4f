// Checks against ffprobe where the readers' own rules and real-world parsing agree: the duration
// of a file whose Xing or Info header counts its frames, sample rates, the CBR bit rate and the
// titles of tags that ffmpeg writes.
#include "audioinfo/MPEGaudio.h"
#include "audioinfo/OggVorbis.h"

#include "Ffmpeg.h"
#include "TempFolder.h"

#include <QFile>
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
        Run("ffprobe", {"-v", "quiet", "-show_entries",
                        "format=duration:stream=sample_rate,bit_rate,start_time", "-of", "flat=s=.", path});
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
        int seconds = 1;
    };
    // ffmpeg writes version 2.4 tags in UTF-8 by default; version 2.3 in UTF-16.
    const Case cases[] = {
        {"VBR, v2.4 tag", {"-q:a", "5"}, true},
        {"CBR, v2.3 tag", {"-b:a", "128k", "-id3v2_version", "3"}, false},
        {"MPEG 2 VBR", {"-ar", "22050", "-ac", "1", "-q:a", "7"}, true},
        // Its Info frame is written at 56 kbit/s, the stream's own frames being too small for it.
        {"MPEG 2 CBR at 32 kbit/s", {"-ar", "22050", "-ac", "1", "-b:a", "32k"}, false, 150},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const QString path = folder.File("oracle.mp3");
        QStringList arguments = {
            "-f",        "lavfi",          "-i",   QString("sine=duration=%1").arg(c.seconds),
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
        EXPECT_EQ(audio.VBR.Found, c.vbr) << c.name;
        EXPECT_NEAR(audio.GetDuration(), probe["format.duration"].toDouble(), 1e-6) << c.name;
        if (!c.vbr) {
            EXPECT_EQ(audio.GetBitRate(), probe["streams.stream.0.bit_rate"].toInt() / 1000) << c.name;
        }
    }
}

// A stream cut from a longer one keeps its granule positions, which then start far from 0; a chain
// is one stream after another, each starting over (ffprobe reports only the last link's length).
TEST(OggVorbisOracle, CutAndChainedStreams)
{
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty() ||
        QStandardPaths::findExecutable("ffprobe").isEmpty())
        GTEST_SKIP() << "ffmpeg or ffprobe is not installed";
    TempFolder folder;
    QString failure;
    ASSERT_TRUE(testing_support::RunFfmpeg({"-f", "lavfi", "-i", "sine=duration=10", "-c:a", "libvorbis",
                                            folder.File("ten.ogg"), "-f", "lavfi", "-i",
                                            "sine=duration=3:frequency=660", "-map", "1", "-ac", "2", "-c:a",
                                            "libvorbis", folder.File("three.ogg")},
                                           &failure))
        << failure.toStdString();
    ASSERT_TRUE(testing_support::RunFfmpeg(
        {"-ss", "4", "-i", folder.File("ten.ogg"), "-c", "copy", "-copyts", folder.File("cut.ogg")},
        &failure))
        << failure.toStdString();
    TOggVorbis ogg;
    ASSERT_TRUE(ogg.ReadFromFile(folder.File("cut.ogg")));
    const QMap<QString, QString> cut = Probe(folder.File("cut.ogg"));
    ASSERT_GT(cut["streams.stream.0.start_time"].toDouble(), 2.0);
    // Within one Vorbis packet of what ffprobe counts from its start time.
    EXPECT_NEAR(ogg.GetDuration(), cut["format.duration"].toDouble(), 0.03);

    QFile chain(folder.File("chain.ogg"));
    ASSERT_TRUE(chain.open(QIODevice::WriteOnly));
    for (const char* link : {"ten.ogg", "three.ogg", "cut.ogg"}) {
        QFile part(folder.File(link));
        ASSERT_TRUE(part.open(QIODevice::ReadOnly));
        chain.write(part.readAll());
    }
    chain.close();
    ASSERT_TRUE(ogg.ReadFromFile(chain.fileName()));
    const double duration = 10 + 3 + cut["format.duration"].toDouble();
    EXPECT_NEAR(ogg.GetDuration(), duration, 0.03);
    EXPECT_TRUE(ogg.GetValid());
    // The bit rate is the whole file's, not its last link's.
    EXPECT_NEAR(ogg.GetBitRate(), chain.size() / duration / 125, 1.0);
}
