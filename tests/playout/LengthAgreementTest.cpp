// The file record and the engine on the same files: the length the queue shows is the length that
// plays, and a file the queue lists is one the engine plays. Files as outside tools write them: a
// low-rate MP3 whose header frame has a higher rate, WAVs whose sizes lie or that need RF64, an Ogg
// cut from a longer stream, a chain of Ogg streams, low-rate WMA, and formats the station does not play.
#include "AudioLayerFixture.h"
#include "Ffmpeg.h"
#include "FileBytes.h"
#include "TempFolder.h"

#include "audioinfo/OFileData.h"
#include "audiolib/AudioLib.h"
#include "playout/AudioLayer.h"

#include <cmath>

namespace {

constexpr int Slot = 1;
// The record rounds to whole seconds; a reader counts whole MPEG frames where the engine trims the
// encoder's delay and padding, a tenth of a second at most.
constexpr double kRounding = 0.5 + 0.1;

QByteArray LittleEndian32(uint32_t value)
{
    return QByteArray(1, char(value)) + char(value >> 8) + char(value >> 16) + char(value >> 24);
}

// The WAV with its RIFF and data sizes set to `size`, as a pipe (0xFFFFFFFF) or a recording never
// finalised (0) leaves them.
QByteArray WithSizes(QByteArray wav, uint32_t size)
{
    return wav.replace(4, 4, LittleEndian32(size)).replace(wav.indexOf("data") + 4, 4, LittleEndian32(size));
}

using LengthAgreementTest = AudioLayerFixture;

TEST_F(LengthAgreementTest, RecordAndEngineAgreeOnWhatPlaysAndForHowLong)
{
    TempFolder folder;
    const auto file = [&folder](const char* name) { return folder.File(name); };
    QString failure;
    ASSERT_TRUE(testing_support::RunFfmpeg({"-f",
                                            "lavfi",
                                            "-i",
                                            "sine=duration=150:sample_rate=22050",
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "sine=duration=6.3",
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "sine=duration=10:frequency=660",
                                            "-map",
                                            "0",
                                            "-ac",
                                            "1",
                                            "-c:a",
                                            "libmp3lame",
                                            "-b:a",
                                            "32k",
                                            file("low rate.mp3"),
                                            "-map",
                                            "1",
                                            "-c:a",
                                            "pcm_s16le",
                                            file("plain.wav"),
                                            "-map",
                                            "1",
                                            "-c:a",
                                            "pcm_s16le",
                                            "-rf64",
                                            "always",
                                            file("rf64.wav"),
                                            "-map",
                                            "1",
                                            "-c:a",
                                            "adpcm_ms",
                                            file("adpcm.wav"),
                                            "-map",
                                            "1",
                                            "-ac",
                                            "1",
                                            "-ar",
                                            "22050",
                                            "-c:a",
                                            "wmav2",
                                            "-b:a",
                                            "24k",
                                            file("low rate.wma"),
                                            "-map",
                                            "1",
                                            "-c:a",
                                            "libvorbis",
                                            file("six.ogg"),
                                            "-map",
                                            "2",
                                            "-c:a",
                                            "libvorbis",
                                            file("ten.ogg")},
                                           &failure))
        << failure.toStdString();
    ASSERT_TRUE(testing_support::RunFfmpeg(
        {"-ss", "4", "-i", file("ten.ogg"), "-c", "copy", "-copyts", file("cut.ogg")}, &failure))
        << failure.toStdString();
    const QByteArray wav = ReadBytes(file("plain.wav"));
    ASSERT_FALSE(wav.isEmpty());
    ASSERT_TRUE(WriteBytes(file("pipe.wav"), WithSizes(wav, 0xFFFFFFFF)));
    ASSERT_TRUE(WriteBytes(file("unfinished.wav"), WithSizes(wav, 0)));
    ASSERT_TRUE(WriteBytes(file("chunk after data.wav"),
                           wav + "LIST" + LittleEndian32(500000) + QByteArray(500000, 'x')));
    ASSERT_TRUE(WriteBytes(file("no frames.wav"), wav.left(wav.indexOf("data") + 4) + LittleEndian32(0)));
    ASSERT_TRUE(WriteBytes(file("chain.ogg"), ReadBytes(file("six.ogg")) + ReadBytes(file("ten.ogg"))));

    struct Case {
        const char* name;
        bool plays;
    };
    const Case cases[] = {
        {"low rate.mp3", true}, {"plain.wav", true},      {"rf64.wav", true},
        {"pipe.wav", true},     {"unfinished.wav", true}, {"chunk after data.wav", true},
        {"low rate.wma", true}, {"cut.ogg", true},        {"chain.ogg", true},
        {"adpcm.wav", false},   {"no frames.wav", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = file(c.name);
        const auto record = TOFileData::Create(path, true);
        int lengthSeconds = -1;
        QString error;
        const bool plays = ChannelPlayFile(Slot, path, lengthSeconds, error);
        EXPECT_EQ(plays, c.plays) << error.toStdString();
        EXPECT_EQ(record->Status, c.plays ? FileStatusOk : FileStatusFormatError);
        if (!plays || record->Status != FileStatusOk)
            continue;
        // Opening states the container's length; what plays is known once the engine has made it
        // exact (on its decoder thread at once; here with the first block).
        const audiolib::Handle stream = ChannelStream(Slot);
        EXPECT_EQ(lengthSeconds,
                  int(audiolib::ChannelBytes2Seconds(stream, audiolib::ChannelGetLength(stream))));
        ASSERT_TRUE(audiolib::NullAdvance(441));
        const double seconds = audiolib::ChannelBytes2Seconds(stream, audiolib::ChannelGetLength(stream));
        EXPECT_EQ(ChannelLengthSeconds(Slot), int(seconds));
        EXPECT_NEAR(double(record->Duration), seconds, kRounding);
    }
}

} // namespace
