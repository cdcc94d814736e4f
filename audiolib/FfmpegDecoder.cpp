#include "audiolib/FfmpegDecoder.h"

#include "audiolib/Errors.h"
#include "audiolib/FfmpegFormat.h"
#include "audiolib/FfmpegInput.h"
#include "audiolib/Mp3FrameHeader.h"

#include <algorithm>
#include <cstring>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/intreadwrite.h>
#include <libswresample/swresample.h>
}

namespace audiolib {

namespace {

constexpr int64_t kNoIndex = INT64_MIN;
// MP3 decoding depends on earlier frames (bit reservoir, overlap): this many frames before a seek
// target make the output equal to decoding from the start.
constexpr int64_t kMpegPrerollFrames = 20;
// A slice of measuring: this many MPEG packets walked, or frames decoded (well under a millisecond).
constexpr int kWalkPacketsPerSlice = 256;
constexpr int kDecodedFramesPerSlice = 8;

void SilenceFfmpegLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

bool IsMpegAudio(AVCodecID id)
{
    return id == AV_CODEC_ID_MP3 || id == AV_CODEC_ID_MP2 || id == AV_CODEC_ID_MP1;
}

bool IsPcm(AVCodecID id)
{
    return id >= AV_CODEC_ID_FIRST_AUDIO && id < AV_CODEC_ID_ADPCM_IMA_QT;
}

int64_t PacketTimestamp(const AVPacket* packet)
{
    return packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
}

} // namespace

FfmpegDecoder::FfmpegDecoder(std::unique_ptr<FfmpegInput> input)
    : input_(std::move(input)), firstPacketTs_(AV_NOPTS_VALUE)
{
}

FfmpegDecoder::~FfmpegDecoder()
{
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    swr_free(&converter_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
}

std::unique_ptr<Decoder> FfmpegDecoder::Open(std::unique_ptr<FfmpegInput> input, int& error)
{
    SilenceFfmpegLog();
    std::unique_ptr<FfmpegDecoder> decoder(new FfmpegDecoder(std::move(input)));
    error = decoder->Init();
    if (error != ErrorOk)
        return nullptr;
    return decoder;
}

int FfmpegDecoder::Init()
{
    container_ = ProbeAcceptedFormat(*input_);
    if (!container_)
        return ErrorFileForm;
    chained_ = IsChainedOgg(container_, *input_);
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (!packet_ || !frame_)
        return ErrorMem;
    if (const int error = OpenStream(); error != ErrorOk)
        return error;
    StateLength();

    // Decode the first frame now: a file that yields nothing is refused at creation, not at play.
    anchored_ = true;
    nextIndex_ = 0;
    if (!NextFrame())
        return ErrorDecode;
    if (exactClock_ && frame_->pts != AV_NOPTS_VALUE) {
        firstSample_ =
            av_rescale(frame_->pts, int64_t{stream_->time_base.num} * sampleRate_, stream_->time_base.den);
        seekable_ = true;
    }
    return ConvertFrame() ? ErrorOk : ErrorDecode;
}

int FfmpegDecoder::OpenStream()
{
    AVIOContext* io = input_->Context();
    if (avio_seek(io, 0, SEEK_SET) < 0)
        return ErrorFileForm;
    format_ = avformat_alloc_context();
    if (!format_)
        return ErrorMem;
    format_->pb = io;
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    format_->interrupt_callback = {&FfmpegDecoder::Interrupted, this};
    if (avformat_open_input(&format_, "", container_, nullptr) < 0)
        return ErrorFileForm; // it frees the context on failure
    dataOffset_ = avio_tell(io);
    if (avformat_find_stream_info(format_, nullptr) < 0)
        return ErrorFileForm;
    const int index = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0)
        return ErrorFileForm;
    stream_ = format_->streams[index];
    for (unsigned i = 0; i < format_->nb_streams; ++i)
        if (static_cast<int>(i) != index)
            format_->streams[i]->discard = AVDISCARD_ALL;
    if (!IsAcceptedCodec(container_, stream_->codecpar->codec_id))
        return ErrorFileForm;
    return OpenCodec();
}

int FfmpegDecoder::Reopen()
{
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    stream_ = nullptr;
    if (const int error = OpenStream(); error != ErrorOk)
        return error;
    ResetDecoding();
    anchored_ = true;
    nextIndex_ = 0;
    return ErrorOk;
}

int FfmpegDecoder::Interrupted(void* self)
{
    return static_cast<FfmpegDecoder*>(self)->Stopped() ? 1 : 0;
}

int FfmpegDecoder::OpenCodec()
{
    const AVCodecParameters* parameters = stream_->codecpar;
    sampleRate_ = parameters->sample_rate;
    channels_ = parameters->ch_layout.nb_channels;
    if (sampleRate_ <= 0 || channels_ <= 0)
        return ErrorFileForm;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec)
        return ErrorFileForm;
    codec_ = avcodec_alloc_context3(codec);
    if (!codec_)
        return ErrorMem;
    if (avcodec_parameters_to_context(codec_, parameters) < 0)
        return ErrorMem;
    codec_->pkt_timebase = stream_->time_base; // lets gapless trimming keep the frame times right
    codec_->thread_count = 1;                  // one thread per stream already; output stays deterministic
    if (avcodec_open2(codec_, codec, nullptr) < 0)
        return ErrorDecode;

    const AVRational base = stream_->time_base;
    // Each stream of a chain starts its time stamps over, so they tell no place in the whole file.
    exactClock_ = !chained_ && base.num > 0 && base.den % (int64_t{base.num} * sampleRate_) == 0;
    const AVCodecID id = parameters->codec_id;
    preroll_ = IsPcm(id) ? 0 : IsMpegAudio(id) ? kMpegPrerollFrames * 1152 : sampleRate_;
    return ErrorOk;
}

void FfmpegDecoder::StateLength()
{
    const AVRational base = stream_->time_base;
    if (stream_->duration != AV_NOPTS_VALUE && stream_->duration > 0)
        length_ = av_rescale(stream_->duration, int64_t{base.num} * sampleRate_, base.den);
    else if (format_->duration != AV_NOPTS_VALUE && format_->duration > 0) // an MP3's from its bit rate
        length_ = av_rescale(format_->duration, sampleRate_, AV_TIME_BASE);
    // PCM and a single Vorbis stream state theirs exactly: the data size, the last page's granule.
    const AVCodecID id = stream_->codecpar->codec_id;
    lengthExact_ = length_ > 0 && exactClock_ && (IsPcm(id) || id == AV_CODEC_ID_VORBIS);
    const int blockAlign = stream_->codecpar->block_align;
    if (lengthExact_ && IsPcm(id) && blockAlign > 0) // a cut-off file holds fewer frames than its header says
        length_ = std::min(length_, (input_->Size() - dataOffset_) / blockAlign);
}

bool FfmpegDecoder::RefineLength()
{
    if (!lengthExact_ && !measure_ && !StartMeasuring())
        return true; // no second reader: the end of decoding will tell
    if (lengthExact_ || Stopped()) {
        measure_.reset();
        return true;
    }
    if (!measure_->MeasureSome(IsMpegAudio(stream_->codecpar->codec_id) ? kWalkPacketsPerSlice
                                                                        : kDecodedFramesPerSlice))
        return false;
    if (!Stopped()) {
        length_ = measure_->length_;
        lengthExact_ = true;
        if (LearnsTimeMarks()) {
            marks_ = std::move(measure_->marks_);
            KeepTimeMarks();
        }
    }
    measure_.reset();
    return true;
}

bool FfmpegDecoder::StartMeasuring()
{
    std::unique_ptr<FfmpegInput> input = input_->Share();
    if (!input)
        return false;
    measure_.reset(new FfmpegDecoder(std::move(input)));
    measure_->stop_ = &interrupted_;
    measure_->container_ = container_;
    measure_->chained_ = chained_;
    measure_->packet_ = av_packet_alloc();
    measure_->frame_ = av_frame_alloc();
    if (!measure_->packet_ || !measure_->frame_ || measure_->OpenStream() != ErrorOk) {
        measure_.reset();
        return false;
    }
    measure_->anchored_ = true;
    measure_->nextIndex_ = 0;
    return true;
}

bool FfmpegDecoder::MeasureSome(int budget)
{
    if (IsMpegAudio(stream_->codecpar->codec_id)) {
        // MPEG audio: count the frames without decoding them.
        for (; budget > 0; --budget) {
            if (Stopped() || av_read_frame(format_, packet_) < 0) {
                length_ = walked_;
                return true;
            }
            if (packet_->stream_index == stream_->index)
                CountMpegPacket();
            av_packet_unref(packet_);
        }
        return false;
    }
    for (; budget > 0; --budget) {
        if (!NextFrame()) {
            length_ = nextIndex_;
            return true;
        }
        if (LearnsTimeMarks() && frame_->pts != AV_NOPTS_VALUE)
            marks_.push_back({frame_->pts, stagingStart_, frame_->nb_samples});
    }
    return false;
}

void FfmpegDecoder::CountMpegPacket()
{
    // Counts what decoding yields: every packet that starts with a frame header (a cut-off last frame
    // decodes too), less the start and end samples the demuxer marks for discarding (encoder delay and
    // padding from a LAME header).
    int64_t samples = packet_->size >= 4 ? Mp3FrameSamples(packet_->data) : 0;
    if (samples <= 0)
        return;
    int64_t discard = 0;
    size_t sideSize = 0;
    if (const uint8_t* side = av_packet_get_side_data(packet_, AV_PKT_DATA_SKIP_SAMPLES, &sideSize);
        side && sideSize >= 10) {
        walkSkip_ = std::max<int64_t>(0, AV_RL32(side));
        discard = AV_RL32(side + 4);
    }
    const int64_t skipped = std::min(walkSkip_, samples);
    walkSkip_ -= skipped;
    samples -= skipped;
    if (samples > 0 && discard > 0 && discard <= samples)
        samples -= discard;
    walked_ += samples;
}

void FfmpegDecoder::KeepTimeMarks()
{
    // A time stamp that does not grow cannot tell frames apart: drop every mark that shares one.
    std::vector<TimeMark> kept;
    for (size_t i = 0; i < marks_.size(); ++i) {
        const bool clashesBefore = i > 0 && marks_[i - 1].pts >= marks_[i].pts;
        const bool clashesAfter = i + 1 < marks_.size() && marks_[i + 1].pts <= marks_[i].pts;
        if (!clashesBefore && !clashesAfter)
            kept.push_back(marks_[i]);
    }
    marks_ = std::move(kept);
    seekable_ = !marks_.empty();
}

bool FfmpegDecoder::SendNextPacket()
{
    // Interrupted, the input looks ended: every decoding loop above drains and stops.
    while (!Stopped() && av_read_frame(format_, packet_) >= 0) {
        if (packet_->stream_index != stream_->index) {
            av_packet_unref(packet_);
            continue;
        }
        if (firstPacketTs_ == AV_NOPTS_VALUE)
            firstPacketTs_ = PacketTimestamp(packet_);
        // A packet the decoder refuses is lost like a corrupt frame; decoding goes on with the next.
        avcodec_send_packet(codec_, packet_);
        av_packet_unref(packet_);
        return true;
    }
    return false;
}

bool FfmpegDecoder::DecodeFrame()
{
    for (;;) {
        const int result = avcodec_receive_frame(codec_, frame_);
        if (result == 0)
            return true;
        if (result == AVERROR_EOF)
            return false;
        if (result != AVERROR(EAGAIN))
            continue; // a corrupt packet: its samples are lost, the next packet decodes
        if (inputEnded_)
            return false;
        if (!SendNextPacket()) {
            avcodec_send_packet(codec_, nullptr); // drain what the decoder still holds
            inputEnded_ = true;
        }
    }
}

bool FfmpegDecoder::NextFrame()
{
    while (DecodeFrame()) {
        if (frame_->nb_samples <= 0)
            continue;
        if (!anchored_) {
            // Right after a seek the first frame may lack the data earlier packets carried; the
            // millisecond clock of ASF can only be trusted from the second frame on.
            if (!exactClock_ && framesSinceSeek_++ == 0)
                continue;
            const int64_t index = FrameIndex();
            if (index == kNoIndex)
                continue;
            nextIndex_ = index;
            anchored_ = true;
        }
        stagingStart_ = nextIndex_;
        stagingFrames_ = frame_->nb_samples;
        stagingOffset_ = 0;
        nextIndex_ += frame_->nb_samples;
        return true;
    }
    stagingFrames_ = stagingOffset_ = 0;
    ended_ = true;
    return false;
}

int64_t FfmpegDecoder::FrameIndex() const
{
    if (frame_->pts == AV_NOPTS_VALUE)
        return kNoIndex;
    if (exactClock_)
        return av_rescale(frame_->pts, int64_t{stream_->time_base.num} * sampleRate_,
                          stream_->time_base.den) -
               firstSample_;
    const auto mark = std::lower_bound(marks_.begin(), marks_.end(), frame_->pts,
                                       [](const TimeMark& m, int64_t pts) { return m.pts < pts; });
    if (mark == marks_.end() || mark->pts != frame_->pts || mark->samples != frame_->nb_samples)
        return kNoIndex;
    return mark->index;
}

int64_t FfmpegDecoder::TimestampOf(int64_t index) const
{
    if (exactClock_)
        return av_rescale(index + firstSample_, stream_->time_base.den,
                          int64_t{stream_->time_base.num} * sampleRate_);
    auto mark = std::upper_bound(marks_.begin(), marks_.end(), index,
                                 [](int64_t i, const TimeMark& m) { return i < m.index; });
    return mark == marks_.begin() ? marks_.front().pts : std::prev(mark)->pts;
}

bool FfmpegDecoder::ConfigureConverter()
{
    AVChannelLayout input{};
    if (frame_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&input, frame_->ch_layout.nb_channels);
    else if (av_channel_layout_copy(&input, &frame_->ch_layout) < 0)
        return false;
    AVChannelLayout stereo{};
    av_channel_layout_default(&stereo, 2);
    swr_free(&converter_);
    int result = swr_alloc_set_opts2(&converter_, &stereo, AV_SAMPLE_FMT_FLT, sampleRate_, &input,
                                     static_cast<AVSampleFormat>(frame_->format), sampleRate_, 0, nullptr);
    converterFormat_ = frame_->format;
    converterChannels_ = input.nb_channels;
    converterMask_ = input.order == AV_CHANNEL_ORDER_NATIVE ? input.u.mask : 0;
    av_channel_layout_uninit(&input);
    if (result < 0)
        return false;
    if (converterChannels_ == 1) {
        // The default mix lowers a centre channel by 3 dB on each side; mono is duplicated as it is.
        const double both[2] = {1.0, 1.0};
        result = swr_set_matrix(converter_, both, 1);
    }
    return result >= 0 && swr_init(converter_) >= 0;
}

bool FfmpegDecoder::ConvertFrame()
{
    const uint64_t mask = frame_->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? frame_->ch_layout.u.mask : 0;
    if (!converter_ || frame_->format != converterFormat_ ||
        frame_->ch_layout.nb_channels != converterChannels_ || (mask != 0 && mask != converterMask_)) {
        if (!ConfigureConverter()) {
            swr_free(&converter_);
            return false;
        }
    }
    const size_t needed = static_cast<size_t>(frame_->nb_samples) * 2;
    if (staging_.size() < needed)
        staging_.resize(needed);
    auto* out = reinterpret_cast<uint8_t*>(staging_.data());
    const int converted = swr_convert(converter_, &out, frame_->nb_samples,
                                      const_cast<const uint8_t**>(frame_->extended_data), frame_->nb_samples);
    if (converted < 0)
        return false;
    // Same rate in and out: nothing is held back, but keep the count honest if the converter disagrees.
    stagingFrames_ = converted;
    return true;
}

int64_t FfmpegDecoder::Read(float* out, int64_t frames)
{
    const int64_t limit = lengthExact_ ? length_ : INT64_MAX;
    const int64_t wanted = std::max<int64_t>(0, std::min(frames, limit - position_));
    int64_t done = 0;
    while (done < wanted) {
        if (stagingOffset_ < stagingFrames_) {
            const int64_t count = std::min(wanted - done, stagingFrames_ - stagingOffset_);
            std::memcpy(out + 2 * done, staging_.data() + 2 * stagingOffset_,
                        static_cast<size_t>(count) * 2 * sizeof(float));
            stagingOffset_ += count;
            done += count;
        } else if (ended_ || !NextFrame() || !ConvertFrame()) {
            ended_ = true;
            stagingFrames_ = stagingOffset_ = 0;
            break;
        }
    }
    position_ += done;
    // Decoding ended: the file ends here, whatever its header said (a damaged file ends early).
    if (done < wanted && !Stopped()) {
        length_ = position_;
        lengthExact_ = true;
    }
    return done;
}

void FfmpegDecoder::ResetDecoding()
{
    avcodec_flush_buffers(codec_);
    inputEnded_ = false;
    ended_ = false;
    framesSinceSeek_ = 0;
    stagingFrames_ = stagingOffset_ = 0;
}

bool FfmpegDecoder::Rewind()
{
    if (chained_) // the demuxer holds the headers of the stream it read last
        return Reopen() == ErrorOk;
    const bool moved = firstPacketTs_ != AV_NOPTS_VALUE
                           ? av_seek_frame(format_, stream_->index, firstPacketTs_, AVSEEK_FLAG_BACKWARD) >= 0
                           : av_seek_frame(format_, stream_->index, dataOffset_, AVSEEK_FLAG_BYTE) >= 0;
    if (!moved)
        return false;
    ResetDecoding();
    anchored_ = true;
    nextIndex_ = 0;
    return true;
}

bool FfmpegDecoder::SeekNear(int64_t target)
{
    // Near the start, decoding from the start is as cheap, and the only way to meet gapless trimming the
    // same way: the start lies inside the first packets, not at one.
    if (!seekable_ || target < preroll_)
        return false;
    const int64_t timestamp = TimestampOf(target - preroll_);
    if (av_seek_frame(format_, stream_->index, timestamp, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    ResetDecoding();
    anchored_ = false;
    while (NextFrame()) {
        if (stagingStart_ > target)
            return false; // landed after the target
        if (stagingStart_ + stagingFrames_ > target)
            return true;
    }
    return anchored_; // the target lies after the decoded end
}

bool FfmpegDecoder::Seek(int64_t frame)
{
    if (frame < 0 || frame >= length_)
        return false;
    position_ = frame;
    if (!SeekNear(frame)) {
        if (!Rewind())
            return Fail();
        while (NextFrame() && stagingStart_ + stagingFrames_ <= frame) {
        }
    }
    if (!ended_) {
        if (!ConvertFrame())
            return Fail();
        stagingOffset_ = frame - stagingStart_;
    }
    return true;
}

bool FfmpegDecoder::Fail()
{
    // Whatever the decoder holds now has no known place: end there rather than play wrong audio.
    ended_ = true;
    stagingFrames_ = stagingOffset_ = 0;
    return false;
}

std::unique_ptr<Decoder> OpenFileDecoder(const std::string& path, int& error)
{
    std::unique_ptr<FfmpegInput> input = FfmpegInput::OpenFile(path, error);
    return input ? FfmpegDecoder::Open(std::move(input), error) : nullptr;
}

std::unique_ptr<Decoder> OpenMemoryDecoder(const void* data, size_t size, int& error)
{
    std::unique_ptr<FfmpegInput> input = FfmpegInput::OpenMemory(data, size, error);
    return input ? FfmpegDecoder::Open(std::move(input), error) : nullptr;
}

} // namespace audiolib
