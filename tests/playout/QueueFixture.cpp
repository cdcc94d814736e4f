#include "QueueFixture.h"

#include "WavWriter.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "playout/QueueMimeTypes.h"

#include <QMimeData>

QueueFixture::QueueFixture() : savedLogDir_(LogDir)
{
    StationOptions.CrossfadeEnabled[1] = true;
    StationOptions.CrossfadeMin[1] = 60;
    StationOptions.CrossfadeInterval[1] = 5;
    StationOptions.FadeInterval[1] = 5;
    Channels[1] = TChannel{};

    LogDir = folder.Path() + "logs/";
    Log.Level = -1;
    Log.FileName = Log.DailyLogFileName();
    Log.OpenLogFile();
    Log.Memo = [this](const QString& line) { logLines.append(line); };
}

QueueFixture::~QueueFixture()
{
    Log.Memo = nullptr;
    Log.CloseLogFile();
    Log.Closed = true;
    LogDir = savedLogDir_;
    Channels[1] = TChannel{};
    StationOptions = savedOptions_;
}

QString QueueFixture::Wav(const QString& name, int seconds)
{
    // 8 kHz mono 8-bit keeps a 200 s fixture at 1.6 MB.
    const testing_support::WavFormat format{8000, 1, 8};
    const QString path = folder.File(name);
    EXPECT_TRUE(testing_support::WriteWav(path, format, int64_t(seconds) * format.sampleRate,
                                          [](int64_t, int) { return 0.0; }));
    return path;
}

void QueueFixture::AppendEntry(TChannelQueue& queue, const QString& title, int64_t seconds, uint8_t keep)
{
    QMimeData mime;
    EncodeFolderFiles(mime, {TTemaData{title, "/music/" + title, seconds, 128, keep, 0}});
    queue.Drop(mime, 0);
}

QStringList QueueFixture::Titles(const TChannelQueue& queue)
{
    QStringList titles;
    for (int row = 0; row < queue.Count(); ++row)
        titles.append(queue.Entry(row).Title);
    return titles;
}

void QueueFixture::PlaceStreams(audiolib::Handle playing, audiolib::Handle previous, int index)
{
    TChannel& slot = Channels[1];
    slot = TChannel{};
    slot.SetItemIndex(index - 1);
    slot.PutOnAir(previous);
    slot.ReleaseAir();
    slot.SetItemIndex(index);
    slot.PutOnAir(playing);
}

void QueueFixture::Select(TChannelQueue& queue, const QList<int>& rows)
{
    queue.Selection().clearSelection();
    for (const int row : rows)
        queue.Selection().select(queue.index(row), QItemSelectionModel::Select);
}
