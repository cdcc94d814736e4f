#include "AudioFixtures.h"

#include "WavWriter.h"

namespace testing_support {

namespace {

struct Encoding {
    const char* extension;
    QStringList arguments;
};

Encoding EncodingOf(AudioFixture kind)
{
    switch (kind) {
    case AudioFixture::Wav16:
        return {"wav", {}};
    case AudioFixture::Mp3Cbr:
        return {"mp3", {"-c:a", "libmp3lame", "-b:a", "128k"}};
    case AudioFixture::Mp3CbrNoHeader:
        return {"mp3", {"-c:a", "libmp3lame", "-b:a", "128k", "-write_xing", "0"}};
    case AudioFixture::Mp3Vbr:
        return {"mp3", {"-c:a", "libmp3lame", "-q:a", "4"}};
    case AudioFixture::Mp3VbrNoHeader:
        return {"mp3", {"-c:a", "libmp3lame", "-q:a", "4", "-write_xing", "0"}};
    case AudioFixture::OggVorbis:
        return {"ogg", {"-c:a", "libvorbis"}};
    case AudioFixture::Wma:
        return {"wma", {"-c:a", "wmav2"}};
    case AudioFixture::Flac:
        return {"flac", {"-c:a", "flac"}};
    case AudioFixture::AdpcmWav:
        return {"wav", {"-c:a", "adpcm_ms"}};
    }
    return {"", {}};
}

} // namespace

QStringList MakeFixtures(const QString& folder, const QList<AudioFixture>& kinds, double seconds,
                         int channels, QString* failure, int sampleRate)
{
    QStringList paths;
    QStringList outputs;
    for (const AudioFixture kind : kinds) {
        const Encoding encoding = EncodingOf(kind);
        const QString path = QString("%1fixture-%2-%3ch-%4hz-%5ms.%6")
                                 .arg(folder)
                                 .arg(static_cast<int>(kind))
                                 .arg(channels)
                                 .arg(sampleRate)
                                 .arg(qRound(seconds * 1000))
                                 .arg(encoding.extension);
        paths << path;
        if (kind != AudioFixture::Wav16) {
            outputs << QStringList{"-ac", QString::number(channels)} << encoding.arguments << path;
            continue;
        }
        const WavFormat format{sampleRate, channels, 16};
        if (!WriteWav(path, format, qRound64(seconds * sampleRate), Sine(440.0, 0.5, sampleRate))) {
            *failure = "cannot write " + path;
            return {};
        }
    }
    if (outputs.isEmpty())
        return paths;
    const QString source =
        QString("sine=frequency=440:sample_rate=%1:duration=%2").arg(sampleRate).arg(seconds);
    return RunFfmpeg(QStringList{"-f", "lavfi", "-i", source} + outputs, failure) ? paths : QStringList();
}

QString MakeFixture(const QString& folder, AudioFixture kind, double seconds, int channels, QString* failure,
                    int sampleRate)
{
    const QStringList paths = MakeFixtures(folder, {kind}, seconds, channels, failure, sampleRate);
    return paths.isEmpty() ? QString() : paths.front();
}

} // namespace testing_support
