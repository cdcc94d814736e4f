#pragma once
// The calling thread's last error, set by every public call.
namespace audiolib {

void SetLastError(int code);

// Sets `code` and returns false, for the many calls that fail with a plain bool.
inline bool Fail(int code)
{
    SetLastError(code);
    return false;
}

// Sets success and returns true.
inline bool Succeed()
{
    SetLastError(0);
    return true;
}

// Sets `code`, and returns true when it is success.
inline bool Report(int code)
{
    SetLastError(code);
    return code == 0;
}

} // namespace audiolib
