#pragma once
// How a card's ALSA simple elements appear as mixer lines and controls: destination 0 "Playback" with
// the "Master" element's volume and mute and the other playback elements as its connections;
// destination 1 "Capture" with a MUX built from the capture-source choice and the capture elements
// as its connections. Apart from ALSA itself, so the mapping is checked without a sound card.
#include "platform/Mixer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// What the back-end reads of one simple element.
struct AlsaElement {
    std::string name;
    unsigned index = 0;
    bool active = true;
    bool playbackVolume = false;
    bool playbackSwitch = false;
    bool playbackMono = false;
    bool captureVolume = false;
    bool captureSwitch = false;
    bool captureMono = false;
    bool captureSource = false;     // the enumerated choice of what is recorded
    std::vector<std::string> items; // its item names
};

// Which side of an element a control reads and writes.
enum class AlsaBinding { PlaybackVolume, PlaybackMute, CaptureVolume, CaptureMute, CaptureSource };

struct AlsaControl {
    MixerControl control;
    uint32_t lineId = 0;
    size_t element = 0; // index into the elements the layout was built from
    AlsaBinding binding = AlsaBinding::PlaybackVolume;
    std::vector<MixerItem> items; // CaptureSource: one per element item
};

struct AlsaMixerLayout {
    std::vector<MixerLine> lines; // the destinations, then their sources
    std::vector<AlsaControl> controls;

    uint32_t DestinationCount() const;
    const MixerLine* Destination(uint32_t destination) const;
    const MixerLine* Source(uint32_t destination, uint32_t source) const;
    const MixerLine* Line(uint32_t lineId) const;
    const AlsaControl* Control(uint32_t controlId) const;
    std::vector<const AlsaControl*> ControlsOf(uint32_t lineId) const;
};

// The enumerated elements that choose the recorded input.
bool IsCaptureSourceName(const std::string& name);
// A source line's component type from its element's name.
uint32_t ComponentTypeOfElement(const std::string& name);

// deviceName becomes the destinations' target name.
AlsaMixerLayout BuildAlsaMixerLayout(const std::vector<AlsaElement>& elements, const QString& deviceName);

// An element's volume in its own range, as 0..65535, and back (both clamped, rounded to nearest).
int32_t ToMixerVolume(long raw, long minimum, long maximum);
long FromMixerVolume(int32_t value, long minimum, long maximum);

} // namespace platform
