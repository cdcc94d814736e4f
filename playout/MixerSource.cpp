#include "playout/MixerSource.h"

#include "playout/AudioMixer.h"

bool EnableMixerSource(TAudioMixer& mixer, MixerSourceKind kind, const QString& deviceName, bool enable)
{
    mixer.SetMixerId(0);
    for (int i = 0; i < mixer.MixerCount() && mixer.ProductName() != deviceName;) {
        if (++i < mixer.MixerCount())
            mixer.SetMixerId(i);
    }
    const TMixerDestination* destination = mixer.Destinations().Item(0);
    if (destination == nullptr)
        return false;
    const uint32_t type =
        kind == MixerSourceKind::Microphone ? platform::MixerSourceMicrophone : platform::MixerSourceLine;
    for (int c = 0; c < destination->Connections.Count(); ++c) {
        if (destination->Connections.Item(c)->Data.componentType == type)
            return mixer.SetMute(0, c, !enable);
    }
    return false;
}
