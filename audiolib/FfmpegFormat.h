#pragma once
// Which files the decoder accepts: a fixed list of containers found by their content (never by the
// file name), each with its own codecs, so behaviour does not depend on how FFmpeg was built.
#include <cstdint> // FFmpeg's headers need the integer constant macros first

extern "C" {
#include <libavcodec/codec_id.h>
}

struct AVInputFormat;

namespace audiolib {

class FfmpegInput;

// The container of `input` when it is MP3, WAV, Ogg or ASF; null for anything else.
const AVInputFormat* ProbeAcceptedFormat(FfmpegInput& input);

// Whether `codec` is one we play inside `format` (MPEG audio in MP3, PCM in WAV, Vorbis in Ogg, WMA in ASF).
bool IsAcceptedCodec(const AVInputFormat* format, AVCodecID codec);

// Whether `input` is an Ogg file holding a chain of streams, one after another, each starting its time
// stamps over: its last page belongs to another stream than its first. The length a chain's header
// gives is its last stream's only.
bool IsChainedOgg(const AVInputFormat* format, FfmpegInput& input);

} // namespace audiolib
