#pragma once
// One MPEG audio frame header: its test, its fields and the numbers derived from them.
#include <cstdint>

// The first confirmed frame header of a file.
struct FrameData {
    bool Found;
    int64_t Position; // offset of the header inside the block that was searched
    uint16_t Size;    // frame length in bytes
    bool Xing;        // the six bytes after the header are zero
    uint8_t Data[4];
    uint8_t VersionID;
    uint8_t LayerID;
    uint8_t ProtectionBit; // 1 when a CRC follows the header
    uint16_t BitRateID;
    uint8_t SampleRateID;
    uint8_t PaddingBit;
    uint8_t PrivateBit;
    uint8_t ModeID;
    uint8_t ModeExtensionID;
    uint8_t CopyrightBit;
    uint8_t OriginalBit;
    uint8_t EmphasisID;
};

namespace mpeg {

constexpr uint8_t kVersion25 = 0;
constexpr uint8_t kVersion2 = 2;
constexpr uint8_t kVersion1 = 3;
constexpr uint8_t kLayer3 = 1;
constexpr uint8_t kLayer2 = 2;
constexpr uint8_t kLayer1 = 3;
constexpr uint8_t kModeMono = 3;

// The frame record as it reads before anything was found ("MPEG ?", "Layer ?", "Unknown", "Unknown").
FrameData ResetFrame();

bool IsFrameHeader(const uint8_t* header);
// The header's fields; the rest of the record is left cleared.
FrameData DecodeHeader(const uint8_t* header);

// kbit/s and Hz from the tables; 0 where the tables have no value.
int BitRate(const FrameData& frame);
int SampleRate(const FrameData& frame);
// Bytes per frame for each 8 samples: samples per frame / 8.
int Coefficient(const FrameData& frame);
// Bytes the padding bit adds: 4 in Layer I, 1 otherwise.
int Padding(const FrameData& frame);
// Frame length in bytes, 0 when the rates are unknown.
int FrameLength(const FrameData& frame);
// Offset of a Xing or VBRI header from the start of the frame.
int VbrHeaderOffset(const FrameData& frame);

} // namespace mpeg
