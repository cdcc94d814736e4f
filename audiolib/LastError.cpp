#include "audiolib/LastError.h"

#include "audiolib/AudioLib.h"

namespace audiolib {

namespace {
thread_local int lastError = ErrorOk;
} // namespace

void SetLastError(int code)
{
    lastError = code;
}

int ErrorGetCode()
{
    return lastError;
}

} // namespace audiolib
