#include "audiolib/FfmpegFormat.h"

#include "audiolib/FfmpegInput.h"

#include <algorithm>
#include <string_view>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

namespace audiolib {

namespace {

constexpr int kFirstProbeBytes = 2048;
constexpr int kLastProbeBytes = 1 << 20;

bool IsFormat(const AVInputFormat* format, std::string_view name)
{
    return format && name == format->name;
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

} // namespace audiolib
