#include "controls/LXWave.h"
#include "NonRegularFiles.h"
#include "TempFolder.h"
#include "WavWriter.h"
#include "controls/LXStreams.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Wav(int channels, int rate = 8000)
{
    return testing_support::MakeWav({rate, channels, 16}, 8, [](int64_t, int) { return 0.25; });
}

// The same file with a LIST chunk of odd size (padded) before its format chunk.
QByteArray WithListFirst(const QByteArray& wav)
{
    QByteArray list("LIST");
    list += QByteArray("\x03\x00\x00\x00", 4) + QByteArray("abc") + QByteArray(1, '\0');
    QByteArray result = wav.left(12) + list + wav.mid(12);
    qToLittleEndian<uint32_t>(static_cast<uint32_t>(result.size() - 8), result.data() + 4);
    return result;
}

TEST(LXWave, HeaderCheck)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool valid;
        bool mono, stereo;
    };
    QByteArray rifx = Wav(1);
    rifx.replace(0, 4, "RIFX");
    QByteArray noWave = Wav(1);
    noWave.replace(8, 4, "AVI ");
    const Case cases[] = {
        {"mono", Wav(1), true, true, false},
        {"stereo", Wav(2), true, false, true},
        {"three channels", Wav(3), true, false, false},
        {"LIST first", WithListFirst(Wav(2)), true, false, true},
        {"RIFX", rifx, false, false, false},
        {"not WAVE", noWave, false, false, false},
        {"short", Wav(1).left(30), false, false, false},
        {"bare RIFF", QByteArray("RIFF\x04\x00\x00\x00WAVE", 12), false, false, false},
        {"chunk size past the end", Wav(1).left(12) + QByteArray("JUNK\xff\xff\xff\x7f", 8), false, false,
         false},
    };
    for (const Case& c : cases) {
        const auto info = GetWaveData(c.bytes);
        ASSERT_EQ(info.has_value(), c.valid) << c.name;
        if (!info)
            continue;
        EXPECT_EQ(info->Mono, c.mono) << c.name;
        EXPECT_EQ(info->Stereo, c.stereo) << c.name;
        EXPECT_TRUE(info->Pcm) << c.name;
        EXPECT_EQ(info->SampleRate, 8000u) << c.name;
        EXPECT_EQ(info->RiffSize, static_cast<uint32_t>(c.bytes.size() - 8)) << c.name;
    }
}

TEST(LXWave, BadDataKeepTheOldWave)
{
    TLXWave wave;
    const QByteArray good = Wav(1);
    wave.SetData(good);
    QByteArray rifx = good;
    rifx.replace(0, 4, "RIFX");
    for (const QByteArray& bad : {rifx, good.left(20)}) {
        QBuffer buffer;
        buffer.setData(bad);
        buffer.open(QIODevice::ReadOnly);
        try {
            wave.LoadData(bad.size(), buffer);
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidWave& e) {
            EXPECT_STREQ(e.what(), "TLXWave: Cannot open file");
        }
        EXPECT_EQ(wave.Data(), good);
    }

    // A count past the stream's end reads nothing beyond it.
    QBuffer buffer;
    buffer.setData(good.left(10));
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(wave.LoadData(good.size(), buffer), EReadError);
    EXPECT_EQ(wave.Data(), good);
}

TEST(LXWave, CountedFormRoundTrip)
{
    TLXWave wave;
    int notes = 0;
    wave.OnChange = [&](TLXObject*) { ++notes; };
    wave.SetData(Wav(2));
    EXPECT_EQ(notes, 1);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    wave.WriteData(buffer);
    TLXWave empty;
    empty.WriteData(buffer);
    EXPECT_EQ(buffer.size(), 4 + Wav(2).size() + 4);

    buffer.seek(0);
    TLXWave copy;
    copy.ReadData(buffer);
    EXPECT_EQ(copy.Data(), wave.Data());
    copy.ReadData(buffer); // count 0: empty
    EXPECT_TRUE(copy.Empty());

    // Compressed: the same bytes back; a damaged container raises and keeps the wave.
    QBuffer packed;
    packed.open(QIODevice::ReadWrite);
    wave.WriteCompressed(packed);
    packed.seek(0);
    TLXWave unpacked;
    unpacked.ReadCompressed(packed);
    EXPECT_EQ(unpacked.Data(), wave.Data());
    QBuffer damaged;
    damaged.setData(packed.data().left(packed.size() / 2));
    damaged.open(QIODevice::ReadOnly);
    EXPECT_THROW(unpacked.ReadCompressed(damaged), EReadError);
    EXPECT_EQ(unpacked.Data(), wave.Data());

    TLXWave assigned;
    assigned.Assign(wave);
    EXPECT_EQ(assigned.Data(), wave.Data());

    // The stream routines take either form.
    for (bool compressed : {false, true}) {
        QBuffer stream;
        stream.open(QIODevice::ReadWrite);
        WriteWave(stream, wave, compressed);
        EXPECT_EQ(stream.data(), compressed ? packed.data() : buffer.data().left(4 + Wav(2).size()));
        stream.seek(0);
        TLXWave read;
        ReadWave(stream, read, compressed);
        EXPECT_EQ(read.Data(), wave.Data()) << compressed;
    }
}

TEST(LXWave, Files)
{
    TempFolder folder;
    const QString path = folder.File("beeps6.wav");
    TLXWave wave;
    wave.SaveToFile(path);
    EXPECT_EQ(QFileInfo(path).size(), 0);

    wave.SetData(WithListFirst(Wav(1)));
    wave.SaveToFile(path);
    TLXWave loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Data(), wave.Data());

    const QString junk = folder.File("junk.wav");
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a wave file at all, long enough to hold a header");
    file.close();
    try {
        loaded.LoadFromFile(junk);
        ADD_FAILURE() << "accepted";
    } catch (const EInvalidWave& e) {
        EXPECT_EQ(QString::fromStdString(e.what()), "TLXWave: Cannot open file " + junk);
    }
    EXPECT_EQ(loaded.Data(), wave.Data());
    EXPECT_THROW(loaded.LoadFromFile(folder.File("missing.wav")), EReadError);
}

// A FIFO, socket, device or folder given a wave's name (the hour signal's, say) is refused at once
// with the reason, never waited on, and the loaded wave stays.
TEST(LXWave, FilesThatAreNoRegularFilesAreRefusedAtOnce)
{
    TempFolder folder;
    const std::vector<NonRegularFile> files = MakeNonRegularFiles(folder.Path(), ".wav");
    TLXWave wave;
    wave.SetData(WithListFirst(Wav(1)));
    const QByteArray kept = wave.Data();
    for (const NonRegularFile& file : files) {
        SCOPED_TRACE(file.kind);
        FifoWatch watch(files);
        try {
            wave.LoadFromFile(file.path);
            ADD_FAILURE() << "accepted";
        } catch (const EReadError& e) {
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(file.kind)) << e.what();
        }
        EXPECT_FALSE(watch.Released());
        EXPECT_EQ(wave.Data(), kept);
    }
}

} // namespace
