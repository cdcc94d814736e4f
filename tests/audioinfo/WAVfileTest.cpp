#include "audioinfo/WAVfile.h"

#include "Fixtures.h"
#include "TempFolder.h"
#include "platform/BinaryReader.h"

#include <QFile>
#include <gtest/gtest.h>

using fixtures::LittleEndian;
using fixtures::Riff;
using fixtures::RiffChunk;
using fixtures::WavExtensible;
using fixtures::WavFormat;

namespace {
// 16-bit stereo at 44100 Hz: 176400 bytes a second.
const QByteArray kPcm = WavFormat(1, 2, 44100, 16);
constexpr uint32_t kTenSeconds = 1764000;

// The data chunk's header only; the RIFF size states what the whole file would hold.
QByteArray DataHeader(uint32_t size)
{
    return "data" + LittleEndian(size, 4);
}

QByteArray Fact(uint32_t samples)
{
    return RiffChunk("fact", LittleEndian(samples, 4));
}

// An RF64 file: its 32-bit sizes say "see ds64", whose data size is `dataSize`.
QByteArray Rf64(uint64_t dataSize, const QByteArray& chunks)
{
    const QByteArray ds64 =
        RiffChunk("ds64", LittleEndian(36 + 28 + chunks.size(), 8) + LittleEndian(dataSize, 8) +
                              LittleEndian(0, 8) + LittleEndian(0, 4));
    return "RF64" + LittleEndian(0xFFFFFFFF, 4) + "WAVE" + ds64 + chunks;
}
} // namespace

TEST(WAVfile, HeadersByteByByte)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool read;
        bool valid;
        double duration;
    };
    const QByteArray list = RiffChunk("LIST", "INFOISFT" + LittleEndian(14, 4) + "Lavf59.27.100");
    const QByteArray tenth(17640, '\0'); // 0.1 s of kPcm
    const Case cases[] = {
        {"plain PCM with its samples", Riff(kPcm + RiffChunk("data", tenth)), true, true, 0.1},
        // ffmpeg's default output: the LIST chunk's "INFO" must not be read as a sample count.
        {"LIST before data", Riff(kPcm + list + RiffChunk("data", tenth)), true, true, 0.1},
        {"JUNK and bext before the format",
         Riff(RiffChunk("JUNK", QByteArray(28, '\0')) + RiffChunk("bext", QByteArray(603, 'b')) + kPcm +
              RiffChunk("data", tenth)),
         true, true, 0.1},
        {"PCM with an 18-byte format chunk",
         Riff(WavFormat(1, 2, 44100, 16, LittleEndian(0, 2)) + RiffChunk("data", QByteArray(17640, '\x7F'))),
         true, true, 0.1},
        {"8-bit PCM", Riff(WavFormat(1, 1, 8000, 8) + RiffChunk("data", QByteArray(4000, '\x80'))), true,
         true, 0.5},
        {"32-bit PCM", Riff(WavFormat(1, 1, 8000, 32) + RiffChunk("data", QByteArray(16000, '\0'))), true,
         true, 0.5},
        {"extensible 24-bit PCM",
         Riff(WavFormat(0xFFFE, 2, 48000, 24, WavExtensible(1, 24)) +
              RiffChunk("data", QByteArray(2 * 288000, '\0'))),
         true, true, 2.0},
        {"extensible float",
         Riff(WavFormat(0xFFFE, 2, 48000, 32, WavExtensible(3, 32)) + Fact(24000) +
              RiffChunk("data", QByteArray(192000, '\0'))),
         true, true, 0.5},
        {"float", Riff(WavFormat(3, 1, 8000, 32) + Fact(4000) + RiffChunk("data", QByteArray(16000, '\0'))),
         true, true, 0.5},
        {"64-bit float", Riff(WavFormat(3, 1, 8000, 64) + RiffChunk("data", QByteArray(32000, '\0'))), true,
         true, 0.5},
        // The length the sample data give; a fact chunk that says otherwise is not what plays.
        {"fact that lies", Riff(kPcm + Fact(441000) + RiffChunk("data", tenth)), true, true, 0.1},
        // Sizes that lie: only the bytes the file holds after the data chunk's start are sound.
        {"data size beyond the file", Riff(kPcm + DataHeader(kTenSeconds) + tenth, 36 + kTenSeconds), true,
         true, 0.1},
        {"written to a pipe", Riff(kPcm + list + DataHeader(0xFFFFFFFF) + tenth, 0xFFFFFFFF), true, true,
         0.1},
        {"never finalised", Riff(kPcm + DataHeader(0) + tenth, 0), true, true, 0.1},
        {"large chunk after data",
         Riff(kPcm + RiffChunk("data", tenth) + RiffChunk("LIST", QByteArray(90000, 'x'))), true, true, 0.1},
        {"half a frame at the end", Riff(kPcm + RiffChunk("data", tenth + "\1\2")), true, true, 0.1},
        {"RF64", Rf64(17640, kPcm + DataHeader(0xFFFFFFFF) + tenth), true, true, 0.1},
        {"RF64 whose ds64 states more than the file holds",
         Rf64(uint64_t(kTenSeconds) << 12, kPcm + DataHeader(0xFFFFFFFF) + tenth), true, true, 0.1},
        {"RF64 with a 32-bit data size", Rf64(0, kPcm + RiffChunk("data", tenth)), true, true, 0.1},
        // Formats the station cannot play, and files without a frame of sound.
        {"ADPCM", Riff(WavFormat(2, 1, 22050, 4, LittleEndian(0, 2)) + Fact(55125) + DataHeader(0) + tenth),
         true, false, 0},
        {"12-bit PCM", Riff(WavFormat(1, 1, 8000, 12) + RiffChunk("data", tenth)), true, false, 0},
        {"16-bit float", Riff(WavFormat(3, 1, 8000, 16) + RiffChunk("data", tenth)), true, false, 0},
        {"block align of another layout",
         Riff(WavFormat(1, 2, 44100, 16).replace(20, 2, LittleEndian(2, 2)) + RiffChunk("data", tenth)), true,
         false, 0},
        {"no channels", Riff(WavFormat(1, 0, 44100, 16) + RiffChunk("data", tenth)), true, false, 0},
        {"empty data chunk", Riff(kPcm + RiffChunk("data", {})), true, false, 0},
        {"less than a frame", Riff(kPcm + RiffChunk("data", "\1\2\3")), true, false, 0},
        {"header only", Riff(kPcm + DataHeader(kTenSeconds), 36 + kTenSeconds), true, false, 0},
        {"extensible MP3",
         Riff(WavFormat(0xFFFE, 2, 44100, 16, WavExtensible(85, 16)) + RiffChunk("data", tenth)), true, false,
         0},
        {"extensible without its GUID",
         Riff(WavFormat(0xFFFE, 2, 44100, 16, LittleEndian(0, 2)) + RiffChunk("data", tenth)), true, false,
         0},
        {"MP3 tag", Riff(WavFormat(85, 2, 44100, 16) + RiffChunk("data", tenth)), true, false, 0},
        {"no data chunk", Riff(kPcm + list), true, false, 0},
        {"RIFX", "RIFX" + Riff(kPcm + RiffChunk("data", tenth)).mid(4), true, false, 0},
        {"garbage", QByteArray(200, '\xA7'), true, false, 0},
        {"text", QByteArray("RIFF is what this text talks about, at some length."), true, false, 0},
        {"39 bytes", Riff(kPcm + DataHeader(kTenSeconds)).left(39), false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::BinaryReader in(c.bytes);
        TWAVfile wav;
        EXPECT_EQ(wav.ReadFrom(in), c.read);
        EXPECT_EQ(wav.Valid, c.valid);
        EXPECT_NEAR(wav.GetDuration(), c.duration, 1e-9);
    }
}

TEST(WAVfile, FieldsOfAValidHeaderAndResetOfAnInvalidOne)
{
    TWAVfile wav;
    platform::BinaryReader valid(Riff(kPcm + RiffChunk("data", QByteArray(40, '\0'))));
    ASSERT_TRUE(wav.ReadFrom(valid));
    EXPECT_EQ(wav.FormatTag, 1);
    EXPECT_EQ(wav.Channels, 2);
    EXPECT_EQ(wav.BitsPerSample, 16);
    EXPECT_EQ(wav.SampleRate, 44100u);
    EXPECT_EQ(wav.BytesPerSecond, 176400u);
    EXPECT_EQ(wav.BlockAlign, 4);
    EXPECT_EQ(wav.HeaderSize, 44);
    EXPECT_EQ(wav.DataSize, 40);
    EXPECT_EQ(wav.FileSize, 84);

    platform::BinaryReader invalid(
        Riff(WavFormat(85, 2, 44100, 16) + RiffChunk("data", QByteArray(40, '\0'))));
    ASSERT_TRUE(wav.ReadFrom(invalid));
    EXPECT_FALSE(wav.Valid);
    EXPECT_EQ(wav.SampleRate, 0u);
    EXPECT_EQ(wav.HeaderSize, 0);
}

TEST(WAVfile, MissingFileDoesNotRead)
{
    TempFolder folder;
    TWAVfile wav;
    EXPECT_FALSE(wav.ReadFromFile(folder.File("missing.wav")));
    EXPECT_FALSE(wav.Valid);
}

// What ffmpeg writes: LIST chunks, extensible headers for 24-bit and multichannel sound, float,
// RF64; and its files with the sizes of a pipe or of a recording never finalised.
TEST(WAVfile, FfmpegFilesLastWhatWasMade)
{
    static const fixtures::FfmpegFiles files("sine=duration=2.5",
                                             {{"s16.wav", {"-c:a", "pcm_s16le"}},
                                              {"s24.wav", {"-c:a", "pcm_s24le"}},
                                              {"f32.wav", {"-c:a", "pcm_f32le"}},
                                              {"f64.wav", {"-c:a", "pcm_f64le"}},
                                              {"six.wav", {"-ac", "6", "-c:a", "pcm_s16le"}},
                                              {"u8.wav", {"-ar", "8000", "-c:a", "pcm_u8"}},
                                              {"rf64.wav", {"-c:a", "pcm_s16le", "-rf64", "always"}},
                                              {"adpcm.wav", {"-c:a", "adpcm_ms"}}});
    if (!files.Made())
        GTEST_SKIP() << "ffmpeg is not installed";
    const QByteArray s16 = ReadBytes(files.File("s16.wav"));
    const qsizetype dataSize = s16.indexOf("data") + 4;
    for (const uint32_t size : {0u, 0xFFFFFFFFu}) {
        QByteArray patched = s16;
        patched.replace(4, 4, LittleEndian(size, 4)).replace(dataSize, 4, LittleEndian(size, 4));
        ASSERT_TRUE(WriteBytes(files.File(QString("sizes%1.wav").arg(size)), patched));
    }
    for (const char* name : {"s16.wav", "s24.wav", "f32.wav", "f64.wav", "six.wav", "u8.wav", "rf64.wav",
                             "sizes0.wav", "sizes4294967295.wav"}) {
        SCOPED_TRACE(name);
        const QString path = files.File(name);
        TWAVfile wav;
        ASSERT_TRUE(wav.ReadFromFile(path));
        ASSERT_TRUE(wav.Valid);
        EXPECT_DOUBLE_EQ(wav.GetDuration(), 2.5);
        EXPECT_EQ(wav.HeaderSize + 2.5 * wav.BytesPerSecond, QFile(path).size());
    }
    TWAVfile adpcm;
    ASSERT_TRUE(adpcm.ReadFromFile(files.File("adpcm.wav")));
    EXPECT_FALSE(adpcm.Valid);
}
