#pragma once
// Creates a stream on the current device from a decoder already opened: the common end of every
// stream creation, and the way tests play a decoder of their own.
#include "audiolib/AudioLib.h"
#include "audiolib/Decoder.h"

#include <memory>

namespace audiolib {

// `endless`: a user stream with no length that never ends.
Handle StreamCreateFromDecoder(std::unique_ptr<Decoder> decoder, uint32_t flags, bool endless = false);

} // namespace audiolib
