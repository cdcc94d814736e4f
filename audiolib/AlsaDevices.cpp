#include "audiolib/AlsaDevices.h"

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <memory>

namespace audiolib {

namespace {
std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

AlsaPcm OverridePcm(const std::string& pcm)
{
    return {pcm, pcm, pcm.substr(0, MaxDeviceNameLength), ControlOfPcm(pcm)};
}

struct CtlCloser {
    void operator()(snd_ctl_t* ctl) const { snd_ctl_close(ctl); }
};

// The PCM devices of one card that can play (or record), by device number.
void AddCardPcms(int card, snd_pcm_stream_t stream, std::vector<AlsaPcm>& pcms)
{
    snd_ctl_t* raw = nullptr;
    if (snd_ctl_open(&raw, ("hw:" + std::to_string(card)).c_str(), 0) < 0)
        return;
    const std::unique_ptr<snd_ctl_t, CtlCloser> ctl(raw);
    snd_ctl_card_info_t* cardInfo = nullptr;
    snd_ctl_card_info_alloca(&cardInfo);
    if (snd_ctl_card_info(ctl.get(), cardInfo) < 0)
        return;
    const std::string id = snd_ctl_card_info_get_id(cardInfo);
    const std::string cardName = snd_ctl_card_info_get_name(cardInfo);
    snd_pcm_info_t* pcmInfo = nullptr;
    snd_pcm_info_alloca(&pcmInfo);
    int device = -1;
    while (snd_ctl_pcm_next_device(ctl.get(), &device) == 0 && device >= 0) {
        snd_pcm_info_set_device(pcmInfo, static_cast<unsigned>(device));
        snd_pcm_info_set_subdevice(pcmInfo, 0);
        snd_pcm_info_set_stream(pcmInfo, stream);
        if (snd_ctl_pcm_info(ctl.get(), pcmInfo) < 0)
            continue; // the device has no PCM in this direction
        const std::string pcmName = snd_pcm_info_get_name(pcmInfo);
        pcms.push_back({"plughw:CARD=" + id + ",DEV=" + std::to_string(device), cardName + ", " + pcmName,
                        CardPcmName(id, device, pcmName), "hw:CARD=" + id});
    }
}
} // namespace

std::vector<std::string> ParsePcmList(const std::string& value)
{
    std::vector<std::string> pcms;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(';', start);
        if (end == std::string::npos)
            end = value.size();
        const std::string item = Trimmed(value.substr(start, end - start));
        if (!item.empty())
            pcms.push_back(item);
        start = end + 1;
    }
    return pcms;
}

std::string CardPcmName(const std::string& cardId, int device, const std::string& pcmName)
{
    return (cardId + "," + std::to_string(device) + ": " + pcmName).substr(0, MaxDeviceNameLength);
}

std::string ControlOfPcm(const std::string& pcm)
{
    if (pcm == "default")
        return pcm;
    const size_t card = pcm.find("CARD=");
    if (card == std::string::npos)
        return {};
    const size_t start = card + 5;
    return "hw:CARD=" + pcm.substr(start, pcm.find_first_of(",: ", start) - start);
}

std::vector<AlsaPcm> ListAlsaPcms(AlsaDirection direction)
{
    std::vector<AlsaPcm> pcms;
    if (const char* override = std::getenv(AlsaPcmsVariable)) {
        for (const std::string& pcm : ParsePcmList(override))
            pcms.push_back(OverridePcm(pcm));
        return pcms;
    }
    // The desktop's choice (its sound server) comes first, so it is device 1 when listed for output.
    pcms.push_back({"default", "Default", "Default", "default"});
    const snd_pcm_stream_t stream =
        direction == AlsaDirection::Playback ? SND_PCM_STREAM_PLAYBACK : SND_PCM_STREAM_CAPTURE;
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0)
        AddCardPcms(card, stream, pcms);
    return pcms;
}

} // namespace audiolib
