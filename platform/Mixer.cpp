#include "platform/Mixer.h"

namespace platform {

namespace {
MixerBackend* installedBackend = nullptr;
}

MixerBackend* InstallMixerBackend(MixerBackend* backend)
{
    MixerBackend* previous = installedBackend;
    installedBackend = backend;
    return previous;
}

MixerBackend* InstalledMixerBackend()
{
    return installedBackend;
}

} // namespace platform
