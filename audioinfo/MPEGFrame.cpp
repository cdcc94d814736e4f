#include "audioinfo/MPEGFrame.h"

#include <cstring>

namespace mpeg {

namespace {
// kbit/s by bit-rate index: MPEG 1 layers I, II, III, then MPEG 2 and 2.5 layer I, layers II and III.
constexpr int kBitRates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};
// Hz by VersionID and SampleRateID.
constexpr int kSampleRates[4][4] = {
    {11025, 12000, 8000, 0}, {0, 0, 0, 0}, {22050, 24000, 16000, 0}, {44100, 48000, 32000, 0}};
} // namespace

FrameData ResetFrame()
{
    FrameData frame{};
    frame.VersionID = 1;
    frame.SampleRateID = 3;
    frame.ModeID = 4;
    frame.ModeExtensionID = 4;
    frame.EmphasisID = 2;
    return frame;
}

bool IsFrameHeader(const uint8_t* h)
{
    return h[0] == 0xFF && h[1] >= 0xE0 && (h[1] >> 3 & 3) != 1 && (h[1] >> 1 & 3) != 0 && h[2] < 0xF0 &&
           h[2] > 0x0F && (h[2] >> 2 & 3) != 3 && (h[3] & 3) != 2;
}

FrameData DecodeHeader(const uint8_t* h)
{
    FrameData frame{};
    std::memcpy(frame.Data, h, 4);
    frame.VersionID = h[1] >> 3 & 3;
    frame.LayerID = h[1] >> 1 & 3;
    frame.ProtectionBit = (h[1] & 1) == 0 ? 1 : 0;
    frame.BitRateID = h[2] >> 4;
    frame.SampleRateID = h[2] >> 2 & 3;
    frame.PaddingBit = h[2] >> 1 & 1;
    frame.PrivateBit = h[2] & 1;
    frame.ModeID = h[3] >> 6;
    frame.ModeExtensionID = h[3] >> 4 & 3;
    frame.CopyrightBit = h[3] >> 3 & 1;
    frame.OriginalBit = h[3] >> 2 & 1;
    frame.EmphasisID = h[3] & 3;
    return frame;
}

int BitRate(const FrameData& frame)
{
    if (frame.VersionID > 3 || frame.VersionID == 1 || frame.LayerID == 0 || frame.LayerID > 3 ||
        frame.BitRateID > 15)
        return 0;
    const int layerIndex = 3 - frame.LayerID; // 0 for layer I
    const int table = frame.VersionID == kVersion1 ? layerIndex : (frame.LayerID == kLayer1 ? 3 : 4);
    return kBitRates[table][frame.BitRateID];
}

int SampleRate(const FrameData& frame)
{
    if (frame.VersionID > 3 || frame.SampleRateID > 3)
        return 0;
    return kSampleRates[frame.VersionID][frame.SampleRateID];
}

int Coefficient(const FrameData& frame)
{
    if (frame.LayerID == kLayer1)
        return 48; // 384 samples in every version
    if (frame.LayerID == kLayer2 || frame.VersionID == kVersion1)
        return 144;
    return 72;
}

int Padding(const FrameData& frame)
{
    if (!frame.PaddingBit)
        return 0;
    return frame.LayerID == kLayer1 ? 4 : 1;
}

int FrameLength(const FrameData& frame)
{
    const int64_t rate = SampleRate(frame);
    if (rate == 0)
        return 0;
    const int64_t bitsPerSecond = int64_t(BitRate(frame)) * 1000;
    // Layer I counts in 4-byte slots, so its length is truncated before it is multiplied.
    if (frame.LayerID == kLayer1)
        return int(12 * bitsPerSecond / rate * 4 + Padding(frame));
    return int(Coefficient(frame) * bitsPerSecond / rate + Padding(frame));
}

int VbrHeaderOffset(const FrameData& frame)
{
    const bool mono = frame.ModeID == kModeMono;
    if (frame.VersionID == kVersion1)
        return mono ? 21 : 36;
    return mono ? 13 : 21;
}

} // namespace mpeg
