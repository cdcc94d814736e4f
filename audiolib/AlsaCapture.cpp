// Recording devices: the capture PCMs, listed like the outputs, and their inputs.
#include "audiolib/AlsaCapture.h"

#include "audiolib/AlsaDevices.h"
#include "audiolib/AudioLib.h"
#include "audiolib/LastError.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <mutex>

namespace audiolib {

AlsaCapture::AlsaCapture(const std::string& control)
{
    if (control.empty() || snd_mixer_open(&mixer_, 0) < 0)
        return;
    if (snd_mixer_attach(mixer_, control.c_str()) < 0 ||
        snd_mixer_selem_register(mixer_, nullptr, nullptr) < 0 || snd_mixer_load(mixer_) < 0) {
        snd_mixer_close(mixer_);
        mixer_ = nullptr;
        return;
    }
    for (snd_mixer_elem_t* element = snd_mixer_first_elem(mixer_); element != nullptr;
         element = snd_mixer_elem_next(element)) {
        if (!snd_mixer_selem_has_capture_volume(element) && !snd_mixer_selem_has_capture_switch(element))
            continue;
        std::string name = snd_mixer_selem_get_name(element);
        if (const unsigned index = snd_mixer_selem_get_index(element); index > 0)
            name += " " + std::to_string(index);
        inputs_.push_back({name, element});
    }
}

AlsaCapture::~AlsaCapture()
{
    if (mixer_ != nullptr)
        snd_mixer_close(mixer_);
}

int32_t AlsaCapture::InputValue(int input)
{
    snd_mixer_handle_events(mixer_);
    const Input& in = inputs_[static_cast<size_t>(input)];
    int32_t value = 100;
    long low = 0;
    long high = 0;
    long volume = 0;
    if (snd_mixer_selem_has_capture_volume(in.element) &&
        snd_mixer_selem_get_capture_volume_range(in.element, &low, &high) == 0 && high > low &&
        snd_mixer_selem_get_capture_volume(in.element, SND_MIXER_SCHN_FRONT_LEFT, &volume) == 0)
        value = static_cast<int32_t>(std::lround(100.0 * static_cast<double>(volume - low) / (high - low)));
    int on = 1;
    if (snd_mixer_selem_has_capture_switch(in.element) &&
        snd_mixer_selem_get_capture_switch(in.element, SND_MIXER_SCHN_FRONT_LEFT, &on) == 0 && on == 0)
        value |= InputOff;
    return value | InputType(in.name);
}

int32_t AlsaCapture::InputType(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    const auto has = [&](const char* word) { return lower.find(word) != std::string::npos; };
    if (has("mic"))
        return InputTypeMic;
    if (has("line"))
        return InputTypeLine;
    if (has("cd"))
        return InputTypeCd;
    if (has("aux"))
        return InputTypeAux;
    if (has("iec958") || has("digital") || has("spdif") || has("s/pdif"))
        return InputTypeDigital;
    return InputTypeUndef;
}

namespace {
// The recording devices, enumerated once for the process, and those initialised.
struct Recorders {
    std::mutex mutex;
    const std::vector<AlsaPcm> pcms = ListAlsaPcms(AlsaDirection::Capture);
    std::vector<std::unique_ptr<AlsaCapture>> open = std::vector<std::unique_ptr<AlsaCapture>>(pcms.size());
    int current = -1;

    bool Valid(int device) const { return device >= 0 && device < static_cast<int>(pcms.size()); }
    AlsaCapture* Current() { return Valid(current) ? open[static_cast<size_t>(current)].get() : nullptr; }
};

Recorders& GetRecorders()
{
    static Recorders recorders;
    return recorders;
}

// Null with code 23 past the last device.
const char* PcmText(int device, std::string AlsaPcm::*text)
{
    Recorders& recorders = GetRecorders();
    if (!recorders.Valid(device)) {
        SetLastError(ErrorDevice);
        return nullptr;
    }
    SetLastError(ErrorOk);
    return (recorders.pcms[static_cast<size_t>(device)].*text).c_str();
}

// The current recording device with the input, or null with the code set.
AlsaCapture* InputOwner(Recorders& recorders, int input)
{
    AlsaCapture* capture = recorders.Current();
    if (capture == nullptr) {
        SetLastError(ErrorInit);
        return nullptr;
    }
    if (input < 0 || input >= capture->InputCount()) {
        SetLastError(ErrorIllParam);
        return nullptr;
    }
    SetLastError(ErrorOk);
    return capture;
}
} // namespace

const char* RecordGetDeviceDescription(int device)
{
    return PcmText(device, &AlsaPcm::description);
}

const char* RecordGetDeviceName(int device)
{
    return PcmText(device, &AlsaPcm::name);
}

bool RecordInit(int device)
{
    Recorders& recorders = GetRecorders();
    std::lock_guard lock(recorders.mutex);
    if (!recorders.Valid(device))
        return Fail(ErrorDevice);
    std::unique_ptr<AlsaCapture>& slot = recorders.open[static_cast<size_t>(device)];
    if (slot != nullptr)
        return Fail(ErrorAlready);
    slot = std::make_unique<AlsaCapture>(recorders.pcms[static_cast<size_t>(device)].control);
    recorders.current = device;
    return Succeed();
}

bool RecordSetDevice(int device)
{
    Recorders& recorders = GetRecorders();
    std::lock_guard lock(recorders.mutex);
    if (!recorders.Valid(device))
        return Fail(ErrorDevice);
    if (recorders.open[static_cast<size_t>(device)] == nullptr)
        return Fail(ErrorInit);
    recorders.current = device;
    return Succeed();
}

bool RecordFree()
{
    Recorders& recorders = GetRecorders();
    std::lock_guard lock(recorders.mutex);
    if (recorders.Current() == nullptr)
        return Fail(ErrorInit);
    recorders.open[static_cast<size_t>(recorders.current)].reset();
    return Succeed();
}

const char* RecordGetInputName(int input)
{
    Recorders& recorders = GetRecorders();
    std::lock_guard lock(recorders.mutex);
    AlsaCapture* capture = InputOwner(recorders, input);
    return capture != nullptr ? capture->InputName(input) : nullptr;
}

int32_t RecordGetInput(int input)
{
    Recorders& recorders = GetRecorders();
    std::lock_guard lock(recorders.mutex);
    AlsaCapture* capture = InputOwner(recorders, input);
    return capture != nullptr ? capture->InputValue(input) : -1;
}

} // namespace audiolib
