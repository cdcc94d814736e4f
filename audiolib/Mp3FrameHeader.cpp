#include "audiolib/Mp3FrameHeader.h"

namespace audiolib {

int Mp3FrameSamples(const uint8_t* header)
{
    if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (header[1] >> 3) & 3;   // 0: MPEG 2.5, 1: reserved, 2: MPEG 2, 3: MPEG 1
    const int layerBits = (header[1] >> 1) & 3; // 3: layer I, 2: layer II, 1: layer III
    const int bitRateIndex = header[2] >> 4;
    const int rateIndex = (header[2] >> 2) & 3;
    if (version == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3)
        return 0;
    if (layerBits == 3)
        return 384;
    return layerBits == 2 || version == 3 ? 1152 : 576;
}

} // namespace audiolib
