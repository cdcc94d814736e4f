#include "audioinfo/MPEGaudio.h"

#include "Fixtures.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using fixtures::MpegFrame;
using fixtures::MpegStream;

namespace {
// MPEG 1 Layer III, 128 kbit/s, 44100 Hz, stereo: 417-byte frames.
constexpr uint8_t kH1 = 0xFB, kH2 = 0x90, kH3 = 0x00;
constexpr int kLength = 417;

class MPEGaudioTest : public ::testing::Test {
protected:
    // Writes the bytes as a file and reads it; the result of ReadFromFile goes to `readResult`.
    TMPEGaudio Read(const QByteArray& bytes)
    {
        const QString path = folder_.File("audio.mp3");
        EXPECT_TRUE(WriteBytes(path, bytes));
        TMPEGaudio audio;
        readResult = audio.ReadFromFile(path);
        return audio;
    }

    // A first frame carrying a VBR header at `offset`, followed by plain frames.
    static QByteArray VbrStream(uint8_t h1, uint8_t h2, uint8_t h3, int length, int offset,
                                const QByteArray& vbr)
    {
        QByteArray first = MpegFrame(h1, h2, h3, length);
        first.replace(offset, vbr.size(), vbr);
        return first + MpegStream(h1, h2, h3, length, 20);
    }

    static QByteArray Xing(uint32_t frames, uint32_t bytes, const QByteArray& vendor)
    {
        QByteArray xing = "Xing" + fixtures::BigEndian(15, 4) + fixtures::BigEndian(frames, 4) +
                          fixtures::BigEndian(bytes, 4) + QByteArray(103, '\0') + char(57);
        return xing + vendor.leftJustified(8, '\0', true);
    }

    static QByteArray Vbri(uint32_t frames, uint32_t bytes)
    {
        return "VBRI" + fixtures::BigEndian(1, 2) + fixtures::BigEndian(1500, 2) +
               fixtures::BigEndian(75, 2) + fixtures::BigEndian(bytes, 4) + fixtures::BigEndian(frames, 4);
    }

    TempFolder folder_;
    bool readResult = false;
};
} // namespace

TEST_F(MPEGaudioTest, ConstantBitRateStreams)
{
    struct Case {
        const char* name;
        uint8_t h1, h2, h3;
        int length;
        const char *version, *layer, *mode, *emphasis;
        int bitRate, sampleRate;
    };
    const Case cases[] = {
        {"MPEG 1 Layer III", kH1, kH2, kH3, 417, "MPEG 1", "Layer III", "Stereo", "None", 128, 44100},
        {"padded, joint stereo", kH1, 0x92, 0x41, 418, "MPEG 1", "Layer III", "Joint Stereo", "50/15 ms", 128,
         44100},
        {"MPEG 1 Layer II", 0xFD, 0x84, 0x83, 384, "MPEG 1", "Layer II", "Dual Channel", "CCIT J.17", 128,
         48000},
        {"MPEG 2 Layer III mono", 0xF3, 0x80, 0xC0, 208, "MPEG 2", "Layer III", "Mono", "None", 64, 22050},
        {"MPEG 2.5 Layer III", 0xE3, 0x44, 0x00, 192, "MPEG 2.5", "Layer III", "Stereo", "None", 32, 12000},
        // Layer I counts 4-byte slots: 4 * trunc(12 * 32000 / 44100) = 32, not trunc(48 * 32000 / 44100)
        // = 34.
        {"MPEG 1 Layer I", 0xFF, 0x10, 0x00, 32, "MPEG 1", "Layer I", "Stereo", "None", 32, 44100},
        {"MPEG 1 Layer I padded", 0xFF, 0x12, 0x00, 36, "MPEG 1", "Layer I", "Stereo", "None", 32, 44100},
        // 384 samples per frame in every version: 4 * trunc(12 * 32000 / 22050) = 68.
        {"MPEG 2 Layer I", 0xF7, 0x10, 0x00, 68, "MPEG 2", "Layer I", "Stereo", "None", 32, 22050},
    };
    for (const Case& c : cases) {
        const int count = 8000 / c.length + 10;
        const QByteArray stream = MpegStream(c.h1, c.h2, c.h3, c.length, count);
        const TMPEGaudio audio = Read(stream);
        EXPECT_TRUE(readResult) << c.name;
        ASSERT_TRUE(audio.Frame.Found) << c.name;
        EXPECT_EQ(audio.Frame.Size, c.length) << c.name;
        EXPECT_EQ(audio.GetVersion(), c.version) << c.name;
        EXPECT_EQ(audio.GetLayer(), c.layer) << c.name;
        EXPECT_EQ(audio.GetChannelMode(), c.mode) << c.name;
        EXPECT_EQ(audio.GetEmphasis(), c.emphasis) << c.name;
        EXPECT_EQ(audio.GetBitRate(), c.bitRate) << c.name;
        EXPECT_EQ(audio.GetSampleRate(), c.sampleRate) << c.name;
        EXPECT_EQ(audio.GetFrames(), count) << c.name;
        EXPECT_DOUBLE_EQ(audio.GetDuration(), double(stream.size()) * 8 / (c.bitRate * 1000)) << c.name;
        EXPECT_TRUE(audio.GetValid()) << c.name;
    }
}

TEST_F(MPEGaudioTest, VbrHeaders)
{
    struct Case {
        const char* name;
        uint8_t h1, h2, h3;
        int length, offset;
        QByteArray header;
        double duration;
        int bitRate;
        const char* encoder;
    };
    const Case cases[] = {
        // 400 bytes a frame at 44100 Hz: 122.5 kbit/s, rounded half to even.
        {"Xing, LAME", kH1, kH2, kH3, kLength, 36, Xing(1000, 400000, "LAME3.90"), 1152.0 * 1000 / 44100, 122,
         "LAME 3.90"},
        {"Xing, LAME 3.100", kH1, kH2, kH3, kLength, 36, Xing(1000, 400000, "LAME3.100"),
         1152.0 * 1000 / 44100, 122, "LAME 3.10"},
        {"Xing, GOGO", kH1, kH2, kH3, kLength, 36, Xing(1000, 400000, "GOGO"), 1152.0 * 1000 / 44100, 122,
         "GoGo"},
        {"Xing, other vendor", kH1, kH2, kH3, kLength, 36, Xing(1000, 400000, "Lavc59.37"),
         1152.0 * 1000 / 44100, 122, "Xing"},
        // The padding byte of the first frame is taken off every frame: 401 - 1 bytes.
        {"Xing, padded first frame", kH1, 0x92, kH3, kLength + 1, 36, Xing(1000, 401000, ""),
         1152.0 * 1000 / 44100, 122, "Xing"},
        {"Xing, mono", kH1, kH2, 0xC0, kLength, 21, Xing(100, 40000, "LAME3.98"), 1152.0 * 100 / 44100, 122,
         "LAME 3.98"},
        {"VBRI", kH1, kH2, kH3, kLength, 36, Vbri(2000, 640000), 1152.0 * 2000 / 44100, 98, "FhG"},
        {"MPEG 2 mono Xing", 0xF3, 0x80, 0xC0, 208, 13, Xing(500, 104000, ""), 576.0 * 500 / 22050, 64,
         "Xing"},
        {"MPEG 2 stereo VBRI", 0xF3, 0x80, 0x00, 208, 21, Vbri(500, 104000), 576.0 * 500 / 22050, 64, "FhG"},
    };
    for (const Case& c : cases) {
        const TMPEGaudio audio = Read(VbrStream(c.h1, c.h2, c.h3, c.length, c.offset, c.header));
        ASSERT_TRUE(audio.VBR.Found) << c.name;
        EXPECT_DOUBLE_EQ(audio.GetDuration(), c.duration) << c.name;
        EXPECT_EQ(audio.GetBitRate(), c.bitRate) << c.name;
        EXPECT_EQ(audio.GetEncoder(), c.encoder) << c.name;
        EXPECT_EQ(audio.GetFrames(), audio.VBR.Frames) << c.name;
        EXPECT_TRUE(audio.GetValid()) << c.name;
    }
}

// Encoders write the frame holding a Xing or "Info" header at a higher rate than a low-rate stream
// whose own frames are too small for it: here 56 kbit/s (182 bytes) before 32 kbit/s frames (104
// bytes), MPEG 2 mono at 22050 Hz.
TEST_F(MPEGaudioTest, HeaderFrameAtAHigherRateThanTheStream)
{
    constexpr int kFrames = 300;
    const QByteArray info =
        "Info" + fixtures::BigEndian(15, 4) + fixtures::BigEndian(kFrames, 4) + fixtures::BigEndian(31382, 4);
    struct Case {
        const char* name;
        QByteArray header;
        double duration;
        int32_t frames;
        bool vbr;
        const char* encoder;
    };
    const QByteArray audio = MpegStream(0xF3, 0x40, 0xC0, 104, kFrames);
    const int32_t size = int32_t(182 + audio.size());
    const double bySize = double(size) * 8 / 32000;
    const Case cases[] = {
        // Counted like a Xing header, but the stream stays what it is: constant, with its own encoder.
        {"Info", info, 576.0 * kFrames / 22050, kFrames, false, "FhG"},
        {"Info without a frame count", info.left(8) + QByteArray(8, '\0'), bySize, size / 104, false, "FhG"},
        {"Xing without a frame count", "Xing" + QByteArray(12, '\0'), bySize, 0, true, "Xing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray first = MpegFrame(0xF3, 0x70, 0xC0, 182);
        first.replace(13, c.header.size(), c.header);
        const TMPEGaudio mpeg = Read(first + audio);
        ASSERT_TRUE(mpeg.GetValid());
        EXPECT_EQ(mpeg.VBR.Found, c.vbr);
        EXPECT_DOUBLE_EQ(mpeg.GetDuration(), c.duration);
        EXPECT_EQ(mpeg.GetBitRate(), 32);
        EXPECT_EQ(mpeg.GetFrames(), c.frames);
        EXPECT_EQ(mpeg.GetEncoder(), c.encoder);
    }
}

TEST_F(MPEGaudioTest, EncoderFromHeaderTraits)
{
    struct Case {
        const char* name;
        uint8_t h1, h2, h3;
        int length;
        int encoderId;
    };
    const Case cases[] = {
        {"stereo up to 160 kbit/s", kH1, kH2, 0x00, kLength, 4},
        {"joint stereo", kH1, kH2, 0x40, kLength, 2},
        {"CRC and original", 0xFA, kH2, 0x44, kLength, 3},
        {"copyright and original", kH1, kH2, 0x4C, kLength, 1},
        {"dual channel with CRC", 0xFA, kH2, 0x80, kLength, 6},
        {"Layer II", 0xFD, 0x80, 0x40, kLength, 7},
    };
    for (const Case& c : cases) {
        QByteArray stream = MpegStream(c.h1, c.h2, c.h3, c.length, 30);
        stream[9] = 1; // not the six zero bytes of a Xing-made first frame
        EXPECT_EQ(Read(stream).GetEncoderID(), c.encoderId) << c.name;
    }
    // Six zero bytes after the header, with the original bit set, name Xing.
    EXPECT_EQ(Read(MpegStream(kH1, kH2, 0x44, kLength, 30)).GetEncoderID(), 1);
}

TEST_F(MPEGaudioTest, VendorTextNearTheEnd)
{
    // The search covers 5 frame lengths back from offset 3450 of the last 3458 bytes before the
    // ID3v1 tag: 8 to 2093 bytes before the end of the audio.
    struct Case {
        bool id3v1;
        int distance; // bytes from the end of the audio to the vendor text
        const char* vendor;
        const char* encoder;
    };
    const Case cases[] = {
        {false, 8, "LAME3.90", "LAME 3.90"},   {false, 2093, "LAME3.90", "LAME 3.90"},
        {false, 2094, "LAME3.90", "Blade"},    {true, 8, "LAME3.90", "LAME 3.90"},
        {true, 2093, "LAME3.90", "LAME 3.90"}, {false, 500, "GOGO", "GoGo"},
        {false, 500, "LAMEx.yz", "LAME"},
    };
    for (const Case& c : cases) {
        QByteArray audio = MpegStream(kH1, kH2, kH3, kLength, 100);
        audio.replace(audio.size() - c.distance, 8, QByteArray(c.vendor));
        const QByteArray file = audio + (c.id3v1 ? fixtures::ID3v1Tag("T", "", 0) : QByteArray());
        const TMPEGaudio mpeg = Read(file);
        EXPECT_EQ(mpeg.ID3v1.Exists, c.id3v1);
        EXPECT_EQ(mpeg.GetEncoder(), c.encoder) << c.id3v1 << " " << c.distance;
        EXPECT_DOUBLE_EQ(mpeg.GetDuration(), double(audio.size()) * 8 / 128000);
    }
}

TEST_F(MPEGaudioTest, WhereTheSearchLooks)
{
    const QByteArray stream = MpegStream(kH1, kH2, kH3, kLength, 40);

    // Junk before the first frame: positions up to 1729 are tried in the first block.
    TMPEGaudio audio = Read(QByteArray(1729, '\0') + stream);
    ASSERT_TRUE(audio.Frame.Found);
    EXPECT_EQ(audio.Frame.Position, 1729);
    EXPECT_DOUBLE_EQ(audio.GetDuration(), double(stream.size()) * 8 / 128000);

    // From 1730 on only the second block, at half the file, finds it; Position counts from that block.
    const QByteArray file = QByteArray(1730, '\0') + stream;
    audio = Read(file);
    ASSERT_TRUE(audio.Frame.Found);
    const int64_t second = file.size() / 2;
    const int64_t firstAfter = 1730 + (second - 1730 + kLength - 1) / kLength * kLength;
    EXPECT_EQ(audio.Frame.Position, firstAfter - second);
    EXPECT_DOUBLE_EQ(audio.GetDuration(), double(file.size() - audio.Frame.Position) * 8 / 128000);

    // A short first block is not followed by a second one.
    EXPECT_FALSE(Read(QByteArray(1750, '\0') + MpegStream(kH1, kH2, kH3, kLength, 4)).Frame.Found);

    // The search starts right after an ID3v2 tag, and the tag is left out of the audio size.
    const QByteArray tag = fixtures::Tag(3, fixtures::Frame(3, "TIT2", fixtures::Text(0, "Title")), 0, 5000);
    audio = Read(tag + stream);
    EXPECT_EQ(audio.ID3v2.Size, tag.size());
    EXPECT_EQ(audio.ID3v2.Title, "Title");
    EXPECT_EQ(audio.Frame.Position, 0);
    EXPECT_DOUBLE_EQ(audio.GetDuration(), double(stream.size()) * 8 / 128000);

    // A tag size beyond the file counts as no tag: the search starts at 0.
    QByteArray oversized = tag.left(10) + stream;
    oversized.replace(6, 4, fixtures::SynchSafe(10000000));
    audio = Read(oversized);
    EXPECT_EQ(audio.ID3v2.Size, 0);
    EXPECT_EQ(audio.Frame.Position, 10);
}

TEST_F(MPEGaudioTest, InvalidStreams)
{
    const QByteArray title = fixtures::Tag(3, fixtures::Frame(3, "TIT2", fixtures::Text(0, "Title")));
    struct Case {
        const char* name;
        QByteArray bytes;
        bool found;
    };
    const Case cases[] = {
        {"free format", MpegStream(kH1, 0x00, kH3, kLength, 30), false},
        {"no second header", title + MpegFrame(kH1, kH2, kH3, kLength) + QByteArray(3000, '\0'), false},
        {"0.05 seconds", MpegStream(kH1, kH2, kH3, kLength, 2).left(800), true},
        {"under 128 bytes", MpegStream(kH1, 0x10, kH3, 104, 2).left(120), false},
    };
    for (const Case& c : cases) {
        const TMPEGaudio audio = Read(c.bytes);
        EXPECT_EQ(audio.Frame.Found, c.found) << c.name;
        EXPECT_FALSE(audio.GetValid()) << c.name;
        if (!c.found) {
            // Nothing found: everything reads as reset, the tags too.
            EXPECT_EQ(audio.GetVersion(), "MPEG ?") << c.name;
            EXPECT_EQ(audio.GetLayer(), "Layer ?") << c.name;
            EXPECT_EQ(audio.GetChannelMode(), "Unknown") << c.name;
            EXPECT_EQ(audio.GetEmphasis(), "Unknown") << c.name;
            EXPECT_EQ(audio.GetEncoder(), "Unknown") << c.name;
            EXPECT_FALSE(audio.ID3v2.Exists) << c.name;
            EXPECT_EQ(audio.GetDuration(), 0) << c.name;
        }
    }
    Read(MpegStream(kH1, 0x10, kH3, 104, 2).left(120));
    EXPECT_FALSE(readResult); // the ID3v1 read cannot go 128 bytes back

    // 0.1 seconds is the shortest valid stream; a truncated last frame still counts its bytes.
    EXPECT_TRUE(Read(MpegStream(kH1, kH2, kH3, kLength, 4).left(1600)).GetValid());
    const TMPEGaudio cut = Read(MpegStream(kH1, kH2, kH3, kLength, 10).left(4000));
    EXPECT_EQ(cut.GetFrames(), 4000 / kLength);
    EXPECT_DOUBLE_EQ(cut.GetDuration(), 4000.0 * 8 / 128000);
}
