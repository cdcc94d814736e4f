// Streams of real files and memory images through the decoder, on the manual clock.
#include "EngineFixture.h"
#include "NonRegularFiles.h"
#include "TempFolder.h"
#include "WavWriter.h"

#include <QFile>

namespace engine_test {
namespace {

using namespace audiolib;

using FileStreamTest = ManualClockTest;

constexpr int64_t Frames = 3000;

double Level(int64_t frame, int channel)
{
    return (channel == 0 ? 0.5 : -0.25) * static_cast<double>(frame % 100) / 100.0;
}

// Plays a stream to its end and checks its length and every output sample.
void ExpectPlaysTheWav(Handle stream, const std::function<std::vector<float>(int64_t)>& render)
{
    ASSERT_NE(stream, 0u) << "error " << ErrorGetCode();
    EXPECT_EQ(ChannelGetLength(stream), Frames * 4);
    ChannelPlay(stream, false);
    const std::vector<float> out = render(Frames + 100);
    for (int64_t f = 0; f < Frames; ++f) {
        ASSERT_NEAR(out[2 * f], Level(f, 0), 1.0 / 16384) << f;
        ASSERT_NEAR(out[2 * f + 1], Level(f, 1), 1.0 / 16384) << f;
    }
    EXPECT_EQ(out[2 * Frames], 0.0f);
}

TEST_F(FileStreamTest, WavFromFileAndFromMemoryPlaysItsSamples)
{
    TempFolder folder;
    const QString path = folder.File("tone.wav");
    ASSERT_TRUE(testing_support::WriteWav(path, {}, Frames, Level));
    const auto render = [this](int64_t frames) { return Render(frames); };

    const QByteArray name = QFile::encodeName(path);
    ExpectPlaysTheWav(StreamCreateFile(false, name.constData(), 0, 0, StreamAutoFree), render);
    EXPECT_EQ(LiveStreamCount(), 0); // auto-freed at its end

    const QByteArray image = testing_support::MakeWav({}, Frames, Level);
    ExpectPlaysTheWav(StreamCreateFile(true, image.constData(), 0, image.size(), 0), render);
}

TEST_F(FileStreamTest, UnreadableFilesReportTheDecoderError)
{
    TempFolder folder;
    const QString garbage = folder.File("garbage.mp3");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    struct Case {
        QString path;
        int error;
    };
    std::vector<Case> cases = {{garbage, ErrorFileForm}, {folder.File("missing.wav"), ErrorFileOpen}};
    // A FIFO, socket, device or folder named like an audio file cannot be opened, and is not waited on.
    const std::vector<NonRegularFile> special = MakeNonRegularFiles(folder.Path(), ".mp3");
    ASSERT_EQ(special.size(), 4u);
    for (const NonRegularFile& file : special)
        cases.push_back({file.path, ErrorFileOpen});
    for (const Case& c : cases) {
        const QByteArray name = QFile::encodeName(c.path);
        FifoWatch watch(special);
        EXPECT_EQ(StreamCreateFile(false, name.constData(), 0, 0, 0), 0u);
        EXPECT_EQ(ErrorGetCode(), c.error) << name.constData();
        EXPECT_FALSE(watch.Released()) << name.constData();
    }
}

} // namespace
} // namespace engine_test
