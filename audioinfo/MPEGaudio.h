#pragma once
// Whether an MP3 file holds usable MPEG audio, and its stream details: found by searching a block of
// the file for a frame header confirmed by the next one, without decoding any audio.
#include "audioinfo/ID3v1.h"
#include "audioinfo/ID3v2.h"
#include "audioinfo/MPEGFrame.h"

#include <QString>
#include <cstdint>

namespace platform {
class BinaryReader;
}

// The variable-bit-rate header that the first frame may carry.
struct VBRData {
    bool Found = false;
    QString ID; // "Xing" or "VBRI"
    int32_t Frames = 0;
    int32_t Bytes = 0;
    uint8_t Scale = 0;
    QString VendorID; // 8 characters from a Xing header
};

class TMPEGaudio {
public:
    TMPEGaudio() { ResetData(); }

    // True when the tags and the blocks could be read; whether the audio is usable is GetValid.
    bool ReadFromFile(const QString& path);
    bool ReadFrom(platform::BinaryReader& in);

    QString GetVersion() const;
    QString GetLayer() const;
    QString GetChannelMode() const;
    QString GetEmphasis() const;
    uint16_t GetBitRate() const;
    uint16_t GetSampleRate() const;
    int32_t GetFrames() const;
    double GetDuration() const;
    uint8_t GetEncoderID() const;
    QString GetEncoder() const;
    bool GetValid() const;

    int64_t FileLength;
    QString VendorID; // "LAME" and 4 more characters, or "GOGO", found near the end of the file
    VBRData VBR;
    // The frame count of a constant-bit-rate "Info" header (the CBR twin of "Xing"); 0 without one.
    int32_t InfoFrames;
    FrameData Frame;
    TID3v1 ID3v1;
    TID3v2 ID3v2;

private:
    void ResetData();
    void SearchFrame(const uint8_t* block);
    bool HasVbrFrames() const { return VBR.Found && VBR.Frames > 0; }
    // Frames counted by a Xing, VBRI or Info header; 0 when none counts them.
    int32_t CountedFrames() const;
    int64_t AudioSize() const;

    // The first frame that carries audio, whose rate and length the stream has: encoders write a
    // frame holding a Xing, VBRI or Info header at a higher rate when the stream's own is too small.
    FrameData audioFrame_;
};
