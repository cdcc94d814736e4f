#include "audiolib/InsideMix.h"

#include "audiolib/Errors.h"
#include "audiolib/LastError.h"

#include <cassert>

namespace audiolib {

namespace {
thread_local bool mixing = false;
}

MixingScope::MixingScope()
{
    mixing = true;
}

MixingScope::~MixingScope()
{
    mixing = false;
}

bool RefusedInsideMix()
{
    if (!mixing)
        return false;
    assert(!"a DSP procedure called the audio library");
    SetLastError(ErrorUnknown);
    return true;
}

} // namespace audiolib
