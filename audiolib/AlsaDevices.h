#pragma once
// The ALSA PCMs the library offers as devices, for playback or capture: the `default` PCM first, then
// one per card and PCM device in card order. SONVELA_ALSA_PCMS, a list of PCM names separated by ";"
// (PCM names hold commas), replaces that list, so a machine can be restricted to chosen PCMs (the
// tests use `null`); set but empty, it lists none.
#include <string>
#include <vector>

namespace audiolib {

constexpr const char* AlsaPcmsVariable = "SONVELA_ALSA_PCMS";
// Settings keep device names in fields of this size.
constexpr size_t MaxDeviceNameLength = 32;

struct AlsaPcm {
    std::string pcm;         // what snd_pcm_open takes
    std::string description; // the card's and the PCM device's names
    std::string name;        // stable across boots and USB re-plugging: built from the card id
    std::string control;     // the card's control device ("hw:CARD=<id>"), empty when there is none
};

enum class AlsaDirection { Playback, Capture };

// Enumerates the PCMs; opens no PCM (only the cards' control devices, to read their names).
std::vector<AlsaPcm> ListAlsaPcms(AlsaDirection direction);

// The entries of a SONVELA_ALSA_PCMS value: split at ";", trimmed, empty items skipped.
std::vector<std::string> ParsePcmList(const std::string& value);
// The stable name of a card's PCM device: "<card id>,<device>: <PCM name>", cut to MaxDeviceNameLength.
std::string CardPcmName(const std::string& cardId, int device, const std::string& pcmName);
// The control device of a PCM name that names its card ("...CARD=<id>..."), or "default".
std::string ControlOfPcm(const std::string& pcm);

} // namespace audiolib
