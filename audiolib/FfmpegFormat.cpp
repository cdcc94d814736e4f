#include "audiolib/FfmpegFormat.h"

#include "audiolib/FfmpegInput.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

namespace audiolib {

namespace {

constexpr int kFirstProbeBytes = 2048;
constexpr int kLastProbeBytes = 1 << 20;
// An Ogg page holds at most 27 + 255 + 255 * 255 bytes: the last one starts within this many bytes.
constexpr int64_t kOggSearchBytes = 65536;
constexpr int64_t kOggSerialOffset = 14;

bool IsFormat(const AVInputFormat* format, std::string_view name)
{
    return format && name == format->name;
}

// The serial number of the first page (search forward) or the last page (search backward) that
// starts in the bytes at `offset`; false when none does.
bool OggSerial(FfmpegInput& input, int64_t offset, bool last, uint32_t& serial)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(kOggSearchBytes));
    const int64_t got = input.ReadAt(offset, bytes.data(), kOggSearchBytes);
    for (int64_t i = 0; i + kOggSerialOffset + 4 <= got; ++i) {
        const int64_t at = last ? got - kOggSerialOffset - 4 - i : i;
        const uint8_t* page = bytes.data() + at;
        if (std::memcmp(page, "OggS", 4) == 0 && page[4] == 0) {
            std::memcpy(&serial, page + kOggSerialOffset, 4); // little-endian, as the host
            return true;
        }
    }
    return false;
}

} // namespace

const AVInputFormat* ProbeAcceptedFormat(FfmpegInput& input)
{
    std::vector<uint8_t> buffer;
    const AVInputFormat* best = nullptr;
    int score = 0;
    for (int wanted = kFirstProbeBytes; wanted <= kLastProbeBytes; wanted *= 2) {
        buffer.assign(static_cast<size_t>(wanted) + AVPROBE_PADDING_SIZE, 0);
        const int64_t got = input.ReadAt(0, buffer.data(), wanted);
        AVProbeData probe{};
        probe.filename = ""; // no name: the content alone decides
        probe.buf = buffer.data();
        probe.buf_size = static_cast<int>(got);
        best = av_probe_input_format3(&probe, 1, &score);
        if ((best && score > AVPROBE_SCORE_RETRY) || got < wanted)
            break;
    }
    if (!best)
        return nullptr;
    for (const char* name : {"mp3", "wav", "ogg", "asf"})
        if (IsFormat(best, name))
            return best;
    return nullptr;
}

bool IsAcceptedCodec(const AVInputFormat* format, AVCodecID codec)
{
    auto oneOf = [codec](std::initializer_list<AVCodecID> list) {
        return std::find(list.begin(), list.end(), codec) != list.end();
    };
    if (IsFormat(format, "mp3"))
        return oneOf({AV_CODEC_ID_MP3, AV_CODEC_ID_MP2, AV_CODEC_ID_MP1});
    if (IsFormat(format, "wav"))
        return oneOf({AV_CODEC_ID_PCM_U8, AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_PCM_S24LE, AV_CODEC_ID_PCM_S32LE,
                      AV_CODEC_ID_PCM_F32LE, AV_CODEC_ID_PCM_F64LE});
    if (IsFormat(format, "ogg"))
        return codec == AV_CODEC_ID_VORBIS;
    if (IsFormat(format, "asf"))
        return oneOf({AV_CODEC_ID_WMAV1, AV_CODEC_ID_WMAV2, AV_CODEC_ID_WMAPRO});
    return false;
}

bool IsChainedOgg(const AVInputFormat* format, FfmpegInput& input)
{
    uint32_t first = 0;
    uint32_t last = 0;
    return IsFormat(format, "ogg") && OggSerial(input, 0, false, first) &&
           OggSerial(input, std::max<int64_t>(0, input.Size() - kOggSearchBytes), true, last) &&
           first != last;
}

} // namespace audiolib
