// Streams of audio files, on disk or held in memory.
#include "audiolib/AudioLib.h"
#include "audiolib/Decoder.h"
#include "audiolib/Engine.h"
#include "audiolib/InsideMix.h"
#include "audiolib/LastError.h"
#include "audiolib/StreamFactory.h"

namespace audiolib {

Handle StreamCreateFile(bool mem, const void* file, int64_t offset, int64_t length, uint32_t flags)
{
    if (RefusedInsideMix())
        return 0;
    if (Engine::Instance().CurrentDevice() == nullptr) {
        SetLastError(ErrorInit);
        return 0;
    }
    if (file == nullptr || offset < 0 || length < 0 || (mem && length == 0)) {
        SetLastError(ErrorIllParam);
        return 0;
    }
    // A file is always played whole; only memory images take a window.
    if (!mem && (offset != 0 || length != 0)) {
        SetLastError(ErrorNotAvail);
        return 0;
    }
    int error = ErrorOk;
    std::unique_ptr<Decoder> decoder =
        mem ? OpenMemoryDecoder(static_cast<const char*>(file) + offset, static_cast<size_t>(length), error)
            : OpenFileDecoder(static_cast<const char*>(file), error);
    if (decoder == nullptr) {
        SetLastError(error != ErrorOk ? error : ErrorUnknown);
        return 0;
    }
    return StreamCreateFromDecoder(std::move(decoder), flags);
}

} // namespace audiolib
