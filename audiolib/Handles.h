#pragma once
// Handles carry their kind in the top four bits and a per-kind counter below, so a freed handle is
// never handed out again during the process (268 million handles of each kind).
#include "audiolib/AudioLib.h"

namespace audiolib {

enum class HandleKind : uint32_t { Stream = 1, Sync = 2, Plugin = 3, Dsp = 4, Fx = 5 };

Handle NewHandle(HandleKind kind);

} // namespace audiolib
