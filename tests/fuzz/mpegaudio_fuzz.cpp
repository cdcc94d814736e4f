// libFuzzer target: the MPEG audio reader (both tags, frame search, VBR headers, encoder guess).
#include "Sink.h"
#include "audioinfo/MPEGaudio.h"
#include "platform/BinaryReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::BinaryReader in(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TMPEGaudio mpeg;
    fuzz::Keep(mpeg.ReadFrom(in));
    fuzz::KeepAll(mpeg.GetVersion(), mpeg.GetLayer(), mpeg.GetChannelMode(), mpeg.GetEmphasis(),
                  mpeg.GetBitRate(), mpeg.GetSampleRate(), mpeg.GetFrames(), mpeg.GetDuration(),
                  mpeg.GetEncoderID(), mpeg.GetEncoder(), mpeg.GetValid());
    fuzz::KeepAll(mpeg.FileLength, mpeg.VendorID, mpeg.VBR.ID, mpeg.VBR.Frames, mpeg.VBR.Bytes,
                  mpeg.VBR.Scale, mpeg.VBR.VendorID, mpeg.Frame.Position, mpeg.Frame.Size, mpeg.ID3v1.Title,
                  mpeg.ID3v2.Title);
    return 0;
}
