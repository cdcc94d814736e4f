// The FFmpeg decoder: exact lengths per format, sample values, mono duplication, error codes, memory
// input and sample-exact seeking, on fixtures the tests make themselves.
#include "audiolib/Decoder.h"
#include "AudioFixtures.h"
#include "FileBytes.h"
#include "TempFolder.h"
#include "WavWriter.h"
#include "audiolib/Errors.h"

#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <random>

namespace {

using audiolib::Decoder;
using testing_support::AudioFixture;

constexpr int64_t kFrames = 57330; // 1.3 s at 44.1 kHz
constexpr double kSeconds = 1.3;

TempFolder& FixtureFolder()
{
    static TempFolder folder;
    return folder;
}

// Fixtures of one folder per test process, each made once, those a test needs with one run of ffmpeg.
QStringList Fixtures(const QList<AudioFixture>& kinds, int channels = 2, int sampleRate = 44100)
{
    static std::map<std::tuple<AudioFixture, int, int>, QString> made;
    QList<AudioFixture> missing;
    for (const AudioFixture kind : kinds)
        if (!made.contains({kind, channels, sampleRate}))
            missing << kind;
    QString failure;
    const QStringList paths = testing_support::MakeFixtures(FixtureFolder().Path(), missing, kSeconds,
                                                            channels, &failure, sampleRate);
    EXPECT_EQ(paths.size(), missing.size()) << failure.toStdString();
    for (int i = 0; i < paths.size(); ++i)
        made[{missing[i], channels, sampleRate}] = paths[i];
    QStringList result;
    for (const AudioFixture kind : kinds)
        result << made[{kind, channels, sampleRate}];
    return result;
}

QString Fixture(AudioFixture kind, int channels = 2, int sampleRate = 44100)
{
    return Fixtures({kind}, channels, sampleRate).front();
}

std::unique_ptr<Decoder> Open(const QString& path)
{
    int error = -99;
    std::unique_ptr<Decoder> decoder = audiolib::OpenFileDecoder(path.toStdString(), error);
    EXPECT_TRUE(decoder) << path.toStdString() << ": error " << error;
    return decoder;
}

int OpenError(const QString& path)
{
    int error = audiolib::ErrorOk;
    EXPECT_FALSE(audiolib::OpenFileDecoder(path.toStdString(), error));
    return error;
}

// Refines the length to the end; its slices are short, so there are many for a longer file.
void Refine(Decoder& decoder)
{
    for (int slice = 0; slice < 100000 && !decoder.RefineLength(); ++slice) {
    }
    EXPECT_TRUE(decoder.LengthExact());
}

std::vector<float> ReadAll(Decoder& decoder, int64_t chunk = 4096)
{
    std::vector<float> all;
    std::vector<float> buffer(static_cast<size_t>(chunk) * 2);
    while (const int64_t got = decoder.Read(buffer.data(), chunk))
        all.insert(all.end(), buffer.begin(), buffer.begin() + 2 * got);
    return all;
}

// What the ffmpeg program decodes from each file, as interleaved float (one run for all files).
std::vector<std::vector<float>> DecodeWithFfmpeg(const QStringList& paths)
{
    QStringList arguments;
    for (const QString& path : paths)
        arguments << "-i" << path;
    for (int i = 0; i < paths.size(); ++i)
        arguments += QStringList{"-map",
                                 QString("%1:a").arg(i),
                                 "-f",
                                 "f32le",
                                 "-c:a",
                                 "pcm_f32le",
                                 FixtureFolder().File(QString("decoded%1.raw").arg(i))};
    QString failure;
    EXPECT_TRUE(testing_support::RunFfmpeg(arguments, &failure)) << failure.toStdString();
    std::vector<std::vector<float>> decoded;
    for (int i = 0; i < paths.size(); ++i) {
        const QByteArray bytes = ReadBytes(FixtureFolder().File(QString("decoded%1.raw").arg(i)));
        std::vector<float>& samples = decoded.emplace_back(static_cast<size_t>(bytes.size()) / sizeof(float));
        std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    }
    return decoded;
}

// Frames [first, first + count) of interleaved stereo samples.
std::vector<float> Slice(const std::vector<float>& samples, int64_t first, int64_t count)
{
    return {samples.begin() + 2 * first, samples.begin() + 2 * (first + count)};
}

TEST(DecoderTest, EachFormatDeliversExactlyItsLength)
{
    struct Case {
        AudioFixture kind;
        const char* name;
        bool lengthIsTheSource; // the header (or the gapless trimming) gives the source's exact length
        bool exactWhenOpened;   // the container states the length exactly
        int64_t statedWithin;   // frames between the stated and the exact length
    };
    const Case cases[] = {
        {AudioFixture::Wav16, "WAV", true, true, 0},
        {AudioFixture::Mp3Cbr, "MP3 CBR with Xing/LAME header", true, false, 2 * 1152},
        {AudioFixture::Mp3Vbr, "MP3 VBR with Xing/LAME header", true, false, 2 * 1152},
        {AudioFixture::Mp3CbrNoHeader, "MP3 CBR without header", false, false, 4 * 1152},
        {AudioFixture::Mp3VbrNoHeader, "MP3 VBR without header", false, false, kFrames / 2},
        {AudioFixture::OggVorbis, "Ogg Vorbis", true, true, 0},
        {AudioFixture::Wma, "WMA", false, false, 2 * 2048},
    };
    QList<AudioFixture> kinds;
    for (const Case& c : cases)
        kinds << c.kind;
    const QStringList paths = Fixtures(kinds);
    ASSERT_EQ(paths.size(), kinds.size());
    const std::vector<std::vector<float>> decodedByFfmpeg = DecodeWithFfmpeg(paths);
    ASSERT_EQ(decodedByFfmpeg.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const QString& path = paths[static_cast<int>(i)];
        const std::unique_ptr<Decoder> decoder = Open(path);
        ASSERT_TRUE(decoder);
        EXPECT_EQ(decoder->SampleRate(), 44100);
        EXPECT_EQ(decoder->SourceChannels(), 2);
        // Opening states the container's length; where that is not exact, refining makes it so.
        const int64_t stated = decoder->LengthFrames();
        EXPECT_EQ(decoder->LengthExact(), c.exactWhenOpened);
        Refine(*decoder);
        const int64_t length = decoder->LengthFrames();
        EXPECT_NEAR(stated, length, c.statedWithin);
        if (c.lengthIsTheSource) {
            EXPECT_EQ(length, kFrames);
        }
        if (c.kind == AudioFixture::Mp3CbrNoHeader || c.kind == AudioFixture::Mp3VbrNoHeader) {
            EXPECT_EQ(length % 1152, 0); // whole frames: no trimming without the header
            EXPECT_GT(length, kFrames);
        }

        // An odd chunk size crosses the decoder's frames at every offset.
        const std::vector<float> samples = ReadAll(*decoder, 777);
        EXPECT_EQ(static_cast<int64_t>(samples.size() / 2), length);
        float out[2];
        EXPECT_EQ(decoder->Read(out, 1), 0);

        // Decoding really yields the length (nothing padded, nothing cut), sample for sample.
        const std::vector<float>& reference = decodedByFfmpeg[i];
        EXPECT_EQ(static_cast<int64_t>(reference.size() / 2), length);
        EXPECT_TRUE(samples == reference);

        // Unrefined, the same samples come, and the end of decoding makes the length exact.
        const std::unique_ptr<Decoder> unrefined = Open(path);
        ASSERT_TRUE(unrefined);
        EXPECT_TRUE(ReadAll(*unrefined, 777) == reference);
        EXPECT_TRUE(unrefined->LengthExact());
        EXPECT_EQ(unrefined->LengthFrames(), length);
    }
}

// Files whose length only decoding tells: a chain of Ogg streams (its header speaks of the last one
// only) plays through every stream, and low-rate mono WMA, measured by decoding it, then plays the
// samples a fresh decoder gives.
TEST(DecoderTest, FilesMeasuredByDecodingPlayLikeAFreshDecode)
{
    TempFolder folder;
    QString failure;
    ASSERT_TRUE(testing_support::RunFfmpeg({"-f",
                                            "lavfi",
                                            "-i",
                                            "sine=duration=4",
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "sine=duration=3:frequency=660",
                                            "-map",
                                            "0",
                                            "-c:a",
                                            "libvorbis",
                                            folder.File("first.ogg"),
                                            "-map",
                                            "1",
                                            "-c:a",
                                            "libvorbis",
                                            folder.File("second.ogg"),
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
                                            folder.File("mono.wma")},
                                           &failure))
        << failure.toStdString();
    ASSERT_TRUE(WriteBytes(folder.File("chain.ogg"),
                           ReadBytes(folder.File("first.ogg")) + ReadBytes(folder.File("second.ogg"))));
    const QStringList paths = {folder.File("chain.ogg"), folder.File("mono.wma")};
    const std::vector<std::vector<float>> decodedByFfmpeg = DecodeWithFfmpeg(paths);
    ASSERT_EQ(decodedByFfmpeg.size(), 2u);
    for (int i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i].toStdString());
        const std::unique_ptr<Decoder> decoder = Open(paths[i]);
        ASSERT_TRUE(decoder);
        ASSERT_EQ(decoder->SourceChannels(), 1);
        Refine(*decoder);
        std::vector<float> expected; // the mono samples on both sides
        for (const float sample : decodedByFfmpeg[i])
            expected.insert(expected.end(), {sample, sample});
        EXPECT_EQ(decoder->LengthFrames(), static_cast<int64_t>(decodedByFfmpeg[i].size()));
        EXPECT_TRUE(ReadAll(*decoder) == expected);
    }
    const std::unique_ptr<Decoder> chain = Open(paths[0]);
    ASSERT_TRUE(chain);
    Refine(*chain);
    EXPECT_NEAR(chain->LengthFrames(), 7 * 44100, 441);
    // Seeking into the second stream gives what reading from the start gives.
    const std::vector<float> reference = ReadAll(*chain);
    ASSERT_TRUE(chain->Seek(5 * 44100 + 17));
    std::vector<float> block(2000);
    ASSERT_EQ(chain->Read(block.data(), 1000), 1000);
    EXPECT_TRUE(block == Slice(reference, 5 * 44100 + 17, 1000));
}

TEST(DecoderTest, WavSampleValuesRoundTripWithinOneStep)
{
    TempFolder folder;
    const auto signal = [](int64_t frame, int channel) {
        const double phase = 2.0 * std::numbers::pi * 441.0 * static_cast<double>(frame) / 44100.0;
        return channel == 0 ? 0.9 * std::sin(phase) : -0.4 * std::cos(phase);
    };
    for (const int bits : {8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        const QString path = folder.File(QString("depth%1.wav").arg(bits));
        ASSERT_TRUE(testing_support::WriteWav(path, {44100, 2, bits}, 3000, signal));
        const std::unique_ptr<Decoder> decoder = Open(path);
        ASSERT_TRUE(decoder);
        ASSERT_EQ(decoder->LengthFrames(), 3000);
        const std::vector<float> samples = ReadAll(*decoder);
        ASSERT_EQ(samples.size(), 6000u);
        // The stored integer scaled by 2^-(bits-1): exact up to float precision, so within one step of the
        // written value.
        const double full = std::ldexp(1.0, bits - 1);
        double worst = 0;
        for (int64_t f = 0; f < 3000; ++f)
            for (int c = 0; c < 2; ++c)
                worst = std::max(
                    worst, std::abs(samples[2 * f + c] - std::lround(signal(f, c) * (full - 1)) / full));
        EXPECT_LE(worst, 1e-7);
    }
}

TEST(DecoderTest, FloatAndExtensibleWavDecodeLikeTheirSource)
{
    TempFolder folder;
    const QString source = Fixture(AudioFixture::Wav16);
    ASSERT_FALSE(source.isEmpty());
    const std::unique_ptr<Decoder> sourceDecoder = Open(source);
    ASSERT_TRUE(sourceDecoder);
    const std::vector<float> expected = ReadAll(*sourceDecoder);
    QString failure;
    ASSERT_TRUE(testing_support::RunFfmpeg({"-i", source, "-c:a", "pcm_f32le", folder.File("pcm_f32le.wav"),
                                            "-c:a", "pcm_s24le", folder.File("pcm_s24le.wav")},
                                           &failure))
        << failure.toStdString();
    for (const char* codec : {"pcm_f32le", "pcm_s24le"}) {
        SCOPED_TRACE(codec);
        const QString path = folder.File(QString(codec) + ".wav");
        if (QString(codec) == "pcm_s24le") { // ffmpeg writes 24-bit PCM as WAVE_FORMAT_EXTENSIBLE
            ASSERT_EQ(ReadBytes(path).mid(20, 2), QByteArray("\xFE\xFF", 2));
        }
        const std::unique_ptr<Decoder> decoder = Open(path);
        ASSERT_TRUE(decoder);
        EXPECT_EQ(decoder->LengthFrames(), kFrames);
        EXPECT_TRUE(ReadAll(*decoder) == expected);
    }
}

TEST(DecoderTest, MonoIsDuplicatedOnBothSides)
{
    Fixtures({AudioFixture::Wav16, AudioFixture::Mp3Cbr, AudioFixture::OggVorbis}, 1);
    for (const AudioFixture kind : {AudioFixture::Wav16, AudioFixture::Mp3Cbr, AudioFixture::OggVorbis}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const QString path = Fixture(kind, 1);
        ASSERT_FALSE(path.isEmpty());
        const std::unique_ptr<Decoder> decoder = Open(path);
        ASSERT_TRUE(decoder);
        EXPECT_EQ(decoder->SourceChannels(), 1);
        Refine(*decoder);
        EXPECT_EQ(decoder->LengthFrames(), kFrames);
        const std::vector<float> samples = ReadAll(*decoder);
        ASSERT_EQ(static_cast<int64_t>(samples.size()), 2 * kFrames);
        float peak = 0;
        for (size_t i = 0; i < samples.size(); i += 2) {
            ASSERT_EQ(samples[i], samples[i + 1]) << "frame " << i / 2;
            peak = std::max(peak, std::abs(samples[i]));
        }
        if (kind == AudioFixture::Wav16) { // full level on each side, not lowered by a downmix law
            EXPECT_NEAR(peak, 0.5, 1e-4);
        }
    }
}

TEST(DecoderTest, MoreThanTwoChannelsAreMixedDownToTheirSides)
{
    // 5.1 with sound on the front left only: it stays on the left, the right stays silent.
    TempFolder folder;
    const QString path = folder.File("surround.wav");
    const auto sine = testing_support::Sine(440.0, 0.5, 44100);
    ASSERT_TRUE(testing_support::WriteWav(path, {44100, 6, 16}, 4410, [&](int64_t frame, int channel) {
        return channel == 0 ? sine(frame, 0) : 0.0;
    }));
    const std::unique_ptr<Decoder> decoder = Open(path);
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->SourceChannels(), 6);
    const std::vector<float> samples = ReadAll(*decoder);
    ASSERT_EQ(samples.size(), 2u * 4410);
    float left = 0;
    float right = 0;
    for (size_t i = 0; i < samples.size(); i += 2) {
        left = std::max(left, std::abs(samples[i]));
        right = std::max(right, std::abs(samples[i + 1]));
    }
    EXPECT_GT(left, 0.1f);
    EXPECT_LE(left, 0.5f);
    EXPECT_EQ(right, 0.0f);
}

TEST(DecoderTest, UnplayableFilesReportTheirErrorCode)
{
    TempFolder folder;
    QByteArray garbage(20000, '\0');
    std::mt19937 random(7);
    for (char& byte : garbage)
        byte = static_cast<char>(random());
    ASSERT_TRUE(WriteBytes(folder.File("garbage.mp3"), garbage));
    ASSERT_TRUE(WriteBytes(folder.File("notes.mp3"),
                           QByteArray("Play list for Monday\nthe first song\n").repeated(50)));
    ASSERT_TRUE(WriteBytes(folder.File("empty.wav"), {}));
    ASSERT_TRUE(testing_support::WriteWav(folder.File("no frames.wav"), {}, 0,
                                          testing_support::Sine(440, 0.5, 44100)));
    ASSERT_TRUE(folder.IsValid() && QDir(folder.Path()).mkdir("folder.mp3"));
    const QStringList others = Fixtures({AudioFixture::Flac, AudioFixture::AdpcmWav});
    ASSERT_EQ(others.size(), 2);

    const struct {
        QString path;
        int error;
    } cases[] = {
        {folder.File("garbage.mp3"), audiolib::ErrorFileForm},
        {folder.File("notes.mp3"), audiolib::ErrorFileForm},
        {folder.File("empty.wav"), audiolib::ErrorFileForm},
        {folder.File("no frames.wav"), audiolib::ErrorDecode},
        {others[0], audiolib::ErrorFileForm},
        {others[1], audiolib::ErrorFileForm},
        {folder.File("missing.mp3"), audiolib::ErrorFileOpen},
        {folder.File("folder.mp3"), audiolib::ErrorFileOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(OpenError(c.path), c.error);
    }
    int error = audiolib::ErrorOk;
    EXPECT_FALSE(audiolib::OpenMemoryDecoder(garbage.constData(), garbage.size(), error));
    EXPECT_EQ(error, audiolib::ErrorFileForm);
}

TEST(DecoderTest, FormatComesFromTheContentAndAnyNameOpens)
{
    TempFolder folder;
    Fixtures({AudioFixture::Mp3Cbr, AudioFixture::Wav16, AudioFixture::OggVorbis});
    const struct {
        AudioFixture kind;
        QString name;
    } cases[] = {
        {AudioFixture::Mp3Cbr, "really an mp3.wav"},
        {AudioFixture::Wav16, "really a wav.mp3"},
        {AudioFixture::OggVorbis, "no extension"},
        {AudioFixture::Wav16, "Déjà vu — Ünïcode ☃ 'quoted' concat:a|b.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = folder.File(c.name);
        ASSERT_TRUE(QFile::copy(Fixture(c.kind), path));
        const std::unique_ptr<Decoder> decoder = Open(path);
        ASSERT_TRUE(decoder);
        Refine(*decoder);
        EXPECT_EQ(decoder->LengthFrames(), kFrames);
    }

    // An ID3v2 tag larger than any probe buffer (cover art) in front of the MP3 frames.
    const int tagSize = 1500000;
    QByteArray tagged("ID3\x03\x00\x00", 6);
    for (const int shift : {21, 14, 7, 0})
        tagged.append(static_cast<char>((tagSize >> shift) & 0x7F));
    tagged.append(QByteArray(tagSize, '\0'));
    tagged.append(ReadBytes(Fixture(AudioFixture::Mp3Cbr)));
    ASSERT_TRUE(WriteBytes(folder.File("cover art.mp3"), tagged));
    const std::unique_ptr<Decoder> decoder = Open(folder.File("cover art.mp3"));
    ASSERT_TRUE(decoder);
    Refine(*decoder);
    EXPECT_EQ(decoder->LengthFrames(), kFrames);
}

TEST(DecoderTest, CutOffFilesAreAsLongAsWhatTheyHold)
{
    TempFolder folder;
    const QStringList paths = Fixtures({AudioFixture::Wav16, AudioFixture::Mp3Cbr});
    ASSERT_EQ(paths.size(), 2);

    // The WAV header promises more frames than the file holds; the last one is incomplete.
    const QByteArray wav = ReadBytes(paths[0]);
    ASSERT_EQ(wav.size(), 44 + 4 * kFrames);
    const QString cutWav = folder.File("cut.wav");
    ASSERT_TRUE(WriteBytes(cutWav, wav.left(wav.size() - 4001)));
    const std::unique_ptr<Decoder> wavDecoder = Open(cutWav);
    ASSERT_TRUE(wavDecoder);
    const int64_t held = kFrames - 1001;
    EXPECT_EQ(wavDecoder->LengthFrames(), held);
    const std::unique_ptr<Decoder> full = Open(paths[0]);
    ASSERT_TRUE(full);
    EXPECT_TRUE(ReadAll(*wavDecoder) == Slice(ReadAll(*full), 0, held));

    // The Xing header counts frames the file no longer has, and the last frame is cut in its middle.
    const QByteArray mp3 = ReadBytes(paths[1]);
    const QString cutMp3 = folder.File("cut.mp3");
    ASSERT_TRUE(WriteBytes(cutMp3, mp3.left(mp3.size() - 5000)));
    const std::unique_ptr<Decoder> mp3Decoder = Open(cutMp3);
    ASSERT_TRUE(mp3Decoder);
    Refine(*mp3Decoder);
    EXPECT_LT(mp3Decoder->LengthFrames(), kFrames);
    EXPECT_TRUE(ReadAll(*mp3Decoder) == DecodeWithFfmpeg({cutMp3}).front());
}

// An Ogg file with noise over some of its middle pages ends where decoding ends: the length its last
// granule states is not padded with silence.
TEST(DecoderTest, ADamagedOggEndsWhereDecodingEnds)
{
    TempFolder folder;
    QString failure;
    ASSERT_TRUE(testing_support::RunFfmpeg(
        {"-f", "lavfi", "-i", "sine=duration=8", "-c:a", "libvorbis", folder.File("whole.ogg")}, &failure))
        << failure.toStdString();
    QByteArray bytes = ReadBytes(folder.File("whole.ogg"));
    std::mt19937 noise(7);
    for (qsizetype i = bytes.size() / 2; i < bytes.size() / 2 + 4096; ++i)
        bytes[i] = static_cast<char>(noise());
    ASSERT_TRUE(WriteBytes(folder.File("damaged.ogg"), bytes));

    const std::unique_ptr<Decoder> decoder = Open(folder.File("damaged.ogg"));
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->LengthFrames(), 8 * 44100); // what the last granule states
    const std::vector<float> samples = ReadAll(*decoder);
    const auto delivered = static_cast<int64_t>(samples.size() / 2);
    EXPECT_LT(delivered, 8 * 44100 - 4410);
    EXPECT_TRUE(decoder->LengthExact());
    EXPECT_EQ(decoder->LengthFrames(), delivered);
    // The tone goes on to the last frame delivered.
    ASSERT_GT(delivered, 441);
    const std::vector<float> tail = Slice(samples, delivered - 441, 441);
    EXPECT_FALSE(std::all_of(tail.begin(), tail.end(), [](float sample) { return sample == 0.0f; }));
}

TEST(DecoderTest, MemoryInputDecodesLikeTheFile)
{
    const QList<AudioFixture> kinds{AudioFixture::Wav16, AudioFixture::Mp3Cbr, AudioFixture::OggVorbis,
                                    AudioFixture::Wma};
    Fixtures(kinds);
    for (const AudioFixture kind : kinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const QString path = Fixture(kind);
        const QByteArray bytes = ReadBytes(path);
        ASSERT_FALSE(bytes.isEmpty());
        int error = -99;
        const std::unique_ptr<Decoder> memory =
            audiolib::OpenMemoryDecoder(bytes.constData(), bytes.size(), error);
        ASSERT_TRUE(memory) << "error " << error;
        const std::unique_ptr<Decoder> file = Open(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(memory->LengthFrames(), file->LengthFrames());
        const std::vector<float> fromFile = ReadAll(*file);
        EXPECT_TRUE(ReadAll(*memory) == fromFile);
        ASSERT_TRUE(memory->Seek(20000));
        std::vector<float> block(2000);
        ASSERT_EQ(memory->Read(block.data(), 1000), 1000);
        EXPECT_TRUE(block == Slice(fromFile, 20000, 1000));
    }
}

TEST(DecoderTest, SeekGivesTheSamplesReadingFromTheStartGives)
{
    Fixtures({AudioFixture::Wav16, AudioFixture::Mp3Cbr, AudioFixture::Mp3CbrNoHeader, AudioFixture::Mp3Vbr,
              AudioFixture::OggVorbis, AudioFixture::Wma});
    const struct {
        AudioFixture kind;
        int sampleRate;
    } cases[] = {
        {AudioFixture::Wav16, 44100},
        {AudioFixture::Mp3Cbr, 44100},
        {AudioFixture::Mp3CbrNoHeader, 44100},
        {AudioFixture::Mp3Vbr, 44100},
        {AudioFixture::OggVorbis, 44100},
        {AudioFixture::Wma, 44100},
        // MPEG 2: the gapless start (1105 samples) lies beyond the first frame (576 samples)
        {AudioFixture::Mp3Cbr, 22050},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            QString("fixture %1 at %2 Hz").arg(static_cast<int>(c.kind)).arg(c.sampleRate).toStdString());
        const QString path = Fixture(c.kind, 2, c.sampleRate);
        const std::unique_ptr<Decoder> reader = Open(path);
        ASSERT_TRUE(reader);
        const std::vector<float> reference = ReadAll(*reader);
        const int64_t length = reader->LengthFrames();

        const std::unique_ptr<Decoder> decoder = Open(path);
        ASSERT_TRUE(decoder);
        Refine(*decoder);
        std::vector<float> block;
        // Forward and backward, on and off frame boundaries, the start and the last frame.
        for (const int64_t target : {length / 2 + 7, int64_t{1}, int64_t{11525}, int64_t{0}, length * 3 / 4,
                                     length - 1, int64_t{2304}, length - 700}) {
            SCOPED_TRACE(target);
            ASSERT_TRUE(decoder->Seek(target));
            const int64_t count = std::min<int64_t>(3000, length - target);
            block.assign(static_cast<size_t>(2 * count), -9.0f);
            ASSERT_EQ(decoder->Read(block.data(), count), count);
            EXPECT_TRUE(block == Slice(reference, target, count));
        }
        EXPECT_FALSE(decoder->Seek(length));
        EXPECT_FALSE(decoder->Seek(-1));
    }
}

TEST(DecoderTest, AnInterruptedDecoderReadsNoMoreOfItsFile)
{
    for (const QString& path : Fixtures({AudioFixture::Mp3Cbr, AudioFixture::OggVorbis, AudioFixture::Wma})) {
        SCOPED_TRACE(path.toStdString());
        const std::unique_ptr<Decoder> decoder = Open(path);
        ASSERT_TRUE(decoder);
        decoder->Interrupt();
        // The seek gives up at once and nothing of the file follows, nor does refining go on.
        decoder->Seek(decoder->LengthFrames() / 2);
        std::vector<float> block(2 * 3000, -9.0f);
        EXPECT_EQ(decoder->Read(block.data(), 3000), 0);
        EXPECT_TRUE(decoder->RefineLength());
    }
}

} // namespace
