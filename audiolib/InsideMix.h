#pragma once
// The thread-local "inside the mix" mark. DSP procedures run while the mixer holds its device's lock,
// so a library call made from one would wait for that lock for ever: it fails at once instead.

namespace audiolib {

// Marks the calling thread as mixing while it lives.
class MixingScope {
public:
    MixingScope();
    ~MixingScope();
    MixingScope(const MixingScope&) = delete;
    MixingScope& operator=(const MixingScope&) = delete;
};

// True, with the error code set (ErrorUnknown), when the calling thread is mixing; a Debug build
// stops there, since such a call is a fault of the procedure.
bool RefusedInsideMix();

} // namespace audiolib
