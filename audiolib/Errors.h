#pragma once
// Error codes of the audio library. The numbers are the ones the station's "Media Error" box names.
namespace audiolib {

enum ErrorCode : int {
    ErrorOk = 0,
    ErrorMem = 1,
    ErrorFileOpen = 2,
    ErrorDriver = 3,
    ErrorHandle = 5,
    ErrorPosition = 7,
    ErrorInit = 8,
    ErrorStart = 9,
    ErrorAlready = 14,
    ErrorIllType = 19,
    ErrorIllParam = 20,
    ErrorDevice = 23,
    ErrorNoPlay = 24,
    ErrorNotAvail = 37,
    ErrorDecode = 38,
    ErrorFileForm = 41,
    ErrorUnknown = -1,
};

} // namespace audiolib
