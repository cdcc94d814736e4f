#pragma once
// A channel-1 queue in a temporary program folder: crossfade on with crossfademin 60, crossfade and
// fade-out 5 s, slot 1 with no current entry, the daily log's lines captured, and device 0 on the
// manual clock for the tests that play.
#include "AudioLayerFixture.h"
#include "TempFolder.h"
#include "foundation/Options.h"
#include "playout/AudioLayer.h"
#include "playout/ChannelQueue.h"

#include <QStringList>

class QueueFixture : public AudioLayerFixture {
protected:
    QueueFixture();
    ~QueueFixture() override;

    TempFolder folder;
    QStringList logLines;

    // A silent WAV file of whole seconds in the temporary folder.
    QString Wav(const QString& name, int seconds);
    // Appends a file entry the way a folder page's drop does: no file is read.
    static void AppendEntry(TChannelQueue& queue, const QString& title, int64_t seconds, uint8_t keep = 1);
    static QStringList Titles(const TChannelQueue& queue);
    static void Select(TChannelQueue& queue, const QList<int>& rows);
    // Slot 1 at `index` with `playing` on air and `previous` on the other handle, as after an advance.
    static void PlaceStreams(audiolib::Handle playing, audiolib::Handle previous, int index);

private:
    TOptions savedOptions_ = StationOptions;
    QString savedLogDir_;
};
