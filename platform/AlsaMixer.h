#pragma once
// The mixer back-end over ALSA's simple mixer: one mixer device per playback device that has a card's
// control behind it, laid out as AlsaMixerLayout.h says. Changes reach the listener through the
// mixer's poll descriptors on the thread that opened the device, which needs an event loop.
#include "platform/Mixer.h"

#include <QString>

#include <string>
#include <vector>

namespace platform {

// A playback device as the mixer offers it: its stored name and the ALSA control device of its
// card ("hw:CARD=<id>", "default"); empty when it has none.
struct MixerCard {
    QString name;
    std::string control;
};

class AlsaMixerBackend : public MixerBackend {
public:
    explicit AlsaMixerBackend(std::vector<MixerCard> cards);

    // Lists the cards whose control opens; Open numbers the devices of the last listing.
    int DeviceCount() override;
    std::unique_ptr<MixerDevice> Open(int device, MixerListener* listener) override;

private:
    std::vector<MixerCard> cards_;
    std::vector<MixerCard> usable_;
    bool listed_ = false;
};

} // namespace platform
