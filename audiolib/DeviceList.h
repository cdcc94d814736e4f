#pragma once
// The output devices, enumerated once for the process: 0 is the built-in "No sound" device; the
// ALSA outputs follow it (AlsaDevices.h).
#include "audiolib/Config.h"
#include "audiolib/OutputBackend.h"

#include <memory>

namespace audiolib {

int OutputDeviceCount();
const char* OutputDeviceDescription(int index); // null out of range
const char* OutputDeviceName(int index);        // stable across boots; null out of range
std::unique_ptr<OutputBackend> CreateOutputBackend(int index, const Config& config);

} // namespace audiolib
