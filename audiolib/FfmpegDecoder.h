#pragma once
// The decoder over FFmpeg: demuxes and decodes one file and hands out interleaved stereo float frames at
// the file's own rate. Opening reads only the headers and the first frame: the length is the one the
// container states (WAV data size, the Ogg last granule, the ASF play duration, the MP3 Xing/Info/VBRI
// frame or else its bit rate); where that is not exact, RefineLength walks the MPEG frames or decodes
// the file on a second reader, in slices, until it is.
#include "audiolib/Decoder.h"

#include <atomic>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVInputFormat;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwrContext;

namespace audiolib {

class FfmpegInput;

class FfmpegDecoder final : public Decoder {
public:
    // Null with `error` set (ErrorFileForm, ErrorDecode or ErrorMem) when `input` is not playable.
    static std::unique_ptr<Decoder> Open(std::unique_ptr<FfmpegInput> input, int& error);
    ~FfmpegDecoder() override;

    int SampleRate() const override { return sampleRate_; }
    int SourceChannels() const override { return channels_; }
    int64_t LengthFrames() const override { return length_; }
    bool LengthExact() const override { return lengthExact_; }
    bool RefineLength() override;
    int64_t Read(float* out, int64_t frames) override;
    bool Seek(int64_t frame) override;
    void Interrupt() override { interrupted_ = true; }

private:
    // Where a packet time stamp lies in frames, for containers whose clock is not sample-exact (ASF counts
    // milliseconds): learned while measuring the length.
    struct TimeMark {
        int64_t pts;
        int64_t index;
        int samples;
    };

    explicit FfmpegDecoder(std::unique_ptr<FfmpegInput> input);
    static int Interrupted(void* self);
    int Init();
    int OpenStream();
    int OpenCodec();
    int Reopen();
    void StateLength();
    bool StartMeasuring();
    // One slice of measuring on this second decoder: true at the end, with length_ then exact.
    bool MeasureSome(int budget);
    void CountMpegPacket();
    void KeepTimeMarks();
    bool Stopped() const { return stop_->load(); }
    // Frame time stamps are learned while measuring where the clock is not sample-exact.
    bool LearnsTimeMarks() const { return !exactClock_ && !chained_; }

    bool SendNextPacket();
    bool DecodeFrame();
    bool NextFrame();
    bool ConvertFrame();
    bool ConfigureConverter();
    void ResetDecoding();
    bool Rewind();
    bool SeekNear(int64_t target);
    bool Fail();
    int64_t FrameIndex() const;
    int64_t TimestampOf(int64_t index) const;

    std::unique_ptr<FfmpegInput> input_;
    const AVInputFormat* container_ = nullptr;
    std::atomic<bool> interrupted_{false};
    const std::atomic<bool>* stop_ = &interrupted_; // a measuring decoder stops with its owner
    AVFormatContext* format_ = nullptr;
    AVStream* stream_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* converter_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;

    int sampleRate_ = 0;
    int channels_ = 0;
    int64_t length_ = 0;
    bool lengthExact_ = false;
    std::unique_ptr<FfmpegDecoder> measure_; // the second decoder that measures the length
    int64_t walked_ = 0;                     // measuring MPEG audio: frames counted so far
    int64_t walkSkip_ = 0;                   // and start samples still to discard
    int64_t preroll_ = 0;     // frames decoded and dropped before a seek target, to settle the decoder
    int64_t dataOffset_ = 0;  // byte offset of the first packet, for rewinding
    int64_t firstPacketTs_;   // time stamp of the first packet
    bool exactClock_ = false; // packet time stamps count whole samples
    int64_t firstSample_ = 0; // time stamp of the first decoded frame, in samples
    bool seekable_ = false;   // false: every seek decodes from the start
    bool chained_ = false;    // an Ogg chain: its header's length and time stamps are its last stream's
    std::vector<TimeMark> marks_;

    // Converter input as configured, to notice a change of format in mid-stream.
    int converterFormat_ = -1;
    int converterChannels_ = 0;
    uint64_t converterMask_ = 0;

    bool inputEnded_ = false; // the demuxer has no more packets; the decoder is draining
    bool ended_ = false;      // no more decoded frames
    bool anchored_ = false;   // nextIndex_ is known
    int framesSinceSeek_ = 0;
    int64_t nextIndex_ = 0; // frame index of the next decoded frame's first sample
    int64_t position_ = 0;  // frame index of the next frame Read delivers

    std::vector<float> staging_; // the current decoded frame as stereo float
    int64_t stagingStart_ = 0;
    int64_t stagingFrames_ = 0;
    int64_t stagingOffset_ = 0;
};

} // namespace audiolib
