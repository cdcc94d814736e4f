#include "platform/AlsaMixer.h"

#include "platform/AlsaMixerLayout.h"

#include <QSocketNotifier>
#include <alsa/asoundlib.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

// The loaded simple mixer of a control device; null when it does not open.
MixerHandle OpenSimpleMixer(const std::string& control)
{
    if (control.empty())
        return nullptr;
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0)
        return nullptr;
    MixerHandle mixer(raw);
    if (snd_mixer_attach(raw, control.c_str()) < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0 ||
        snd_mixer_load(raw) < 0)
        return nullptr;
    return mixer;
}

AlsaElement Describe(snd_mixer_elem_t* element)
{
    AlsaElement described;
    described.name = snd_mixer_selem_get_name(element);
    described.index = snd_mixer_selem_get_index(element);
    described.active = snd_mixer_selem_is_active(element) != 0;
    described.playbackVolume = snd_mixer_selem_has_playback_volume(element) != 0;
    described.playbackSwitch = snd_mixer_selem_has_playback_switch(element) != 0;
    described.playbackMono = snd_mixer_selem_is_playback_mono(element) != 0;
    described.captureVolume = snd_mixer_selem_has_capture_volume(element) != 0;
    described.captureSwitch = snd_mixer_selem_has_capture_switch(element) != 0;
    described.captureMono = snd_mixer_selem_is_capture_mono(element) != 0;
    if (snd_mixer_selem_is_enumerated(element) != 0 && IsCaptureSourceName(described.name)) {
        described.captureSource = true;
        const int count = snd_mixer_selem_get_enum_items(element);
        for (int item = 0; item < count; ++item) {
            char name[128] = {};
            if (snd_mixer_selem_get_enum_item_name(element, static_cast<unsigned>(item), sizeof name, name) <
                0)
                name[0] = '\0';
            described.items.emplace_back(name);
        }
    }
    return described;
}

int VolumeRange(snd_mixer_elem_t* element, bool playback, long& minimum, long& maximum)
{
    return playback ? snd_mixer_selem_get_playback_volume_range(element, &minimum, &maximum)
                    : snd_mixer_selem_get_capture_volume_range(element, &minimum, &maximum);
}

snd_mixer_selem_channel_id_t Channel(size_t channel)
{
    return channel == 0 ? SND_MIXER_SCHN_FRONT_LEFT : SND_MIXER_SCHN_FRONT_RIGHT;
}

class AlsaMixerDevice : public MixerDevice {
public:
    AlsaMixerDevice(MixerHandle mixer, const QString& name) : mixer_(std::move(mixer))
    {
        std::vector<AlsaElement> described;
        for (snd_mixer_elem_t* element = snd_mixer_first_elem(mixer_.get()); element != nullptr;
             element = snd_mixer_elem_next(element)) {
            elements_.push_back(element);
            described.push_back(Describe(element));
        }
        layout_ = BuildAlsaMixerLayout(described, name);
        caps_.productName = name;
        caps_.destinations = layout_.DestinationCount();
        // Removals are followed even when nobody listens: a removed element is freed by ALSA.
        snd_mixer_set_callback_private(mixer_.get(), this);
        snd_mixer_set_callback(mixer_.get(), &AlsaMixerDevice::OnMixerEvent);
        for (snd_mixer_elem_t* element : elements_) {
            snd_mixer_elem_set_callback_private(element, this);
            snd_mixer_elem_set_callback(element, &AlsaMixerDevice::OnElementEvent);
        }
    }

    ~AlsaMixerDevice() override
    {
        // Closing removes every element, which would call back into this half-destroyed device.
        snd_mixer_set_callback(mixer_.get(), nullptr);
        for (snd_mixer_elem_t* element : elements_) {
            if (element != nullptr)
                snd_mixer_elem_set_callback(element, nullptr);
        }
    }

    // Reports changes to the listener from now on; false when the device cannot.
    bool Listen(MixerListener* listener)
    {
        const int count = snd_mixer_poll_descriptors_count(mixer_.get());
        if (count <= 0)
            return false;
        std::vector<pollfd> descriptors(static_cast<size_t>(count));
        if (snd_mixer_poll_descriptors(mixer_.get(), descriptors.data(), static_cast<unsigned>(count)) < 0)
            return false;
        listener_ = listener;
        for (const pollfd& descriptor : descriptors) {
            const auto type =
                (descriptor.events & POLLOUT) != 0 ? QSocketNotifier::Write : QSocketNotifier::Read;
            auto notifier = std::make_unique<QSocketNotifier>(descriptor.fd, type);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                             [this] { Refresh(); });
            notifiers_.push_back(std::move(notifier));
        }
        return true;
    }

    bool GetCaps(MixerCaps& caps) override
    {
        if (lost_)
            return false;
        caps = caps_;
        return true;
    }

    bool GetLineByDestination(uint32_t destination, MixerLine& line) override
    {
        return CopyLine(layout_.Destination(destination), line);
    }

    bool GetLineBySource(uint32_t destination, uint32_t source, MixerLine& line) override
    {
        return CopyLine(layout_.Source(destination, source), line);
    }

    bool GetLineControls(uint32_t lineId, std::vector<MixerControl>& controls) override
    {
        if (lost_ || layout_.Line(lineId) == nullptr)
            return false;
        controls.clear();
        for (const AlsaControl* control : layout_.ControlsOf(lineId))
            controls.push_back(control->control);
        return true;
    }

    bool GetLineControlByType(uint32_t lineId, uint32_t type, MixerControl& control) override
    {
        if (lost_)
            return false;
        for (const AlsaControl* candidate : layout_.ControlsOf(lineId)) {
            if (candidate->control.type == type) {
                control = candidate->control;
                return true;
            }
        }
        return false;
    }

    bool GetItems(uint32_t controlId, std::vector<MixerItem>& items) override
    {
        const AlsaControl* control = layout_.Control(controlId);
        if (lost_ || control == nullptr || control->binding != AlsaBinding::CaptureSource)
            return false;
        items = control->items;
        return true;
    }

    bool GetValues(uint32_t controlId, std::vector<int32_t>& values) override
    {
        const AlsaControl* control = nullptr;
        snd_mixer_elem_t* element = LiveElement(controlId, control);
        if (element == nullptr)
            return false;
        std::vector<int32_t> read(ValueCount(control->control), 0);
        int result = 0;
        switch (control->binding) {
        case AlsaBinding::PlaybackVolume:
        case AlsaBinding::CaptureVolume: {
            const bool playback = control->binding == AlsaBinding::PlaybackVolume;
            long minimum = 0;
            long maximum = 0;
            result = VolumeRange(element, playback, minimum, maximum);
            for (size_t channel = 0; channel < read.size() && result >= 0; ++channel) {
                long raw = 0;
                result = playback ? snd_mixer_selem_get_playback_volume(element, Channel(channel), &raw)
                                  : snd_mixer_selem_get_capture_volume(element, Channel(channel), &raw);
                read[channel] = ToMixerVolume(raw, minimum, maximum);
            }
            break;
        }
        case AlsaBinding::PlaybackMute:
        case AlsaBinding::CaptureMute: {
            int on = 0;
            result = control->binding == AlsaBinding::PlaybackMute
                         ? snd_mixer_selem_get_playback_switch(element, SND_MIXER_SCHN_FRONT_LEFT, &on)
                         : snd_mixer_selem_get_capture_switch(element, SND_MIXER_SCHN_FRONT_LEFT, &on);
            read[0] = on != 0 ? 0 : 1;
            break;
        }
        case AlsaBinding::CaptureSource: {
            unsigned item = 0;
            result = snd_mixer_selem_get_enum_item(element, SND_MIXER_SCHN_MONO, &item);
            if (item < read.size())
                read[item] = 1;
            break;
        }
        }
        if (!Succeeded(result))
            return false;
        values = std::move(read);
        return true;
    }

    bool SetValues(uint32_t controlId, const std::vector<int32_t>& values) override
    {
        const AlsaControl* control = nullptr;
        snd_mixer_elem_t* element = LiveElement(controlId, control);
        if (element == nullptr || values.size() != ValueCount(control->control))
            return false;
        int result = 0;
        switch (control->binding) {
        case AlsaBinding::PlaybackVolume:
        case AlsaBinding::CaptureVolume: {
            long minimum = 0;
            long maximum = 0;
            result = VolumeRange(element, control->binding == AlsaBinding::PlaybackVolume, minimum, maximum);
            const bool playback = control->binding == AlsaBinding::PlaybackVolume;
            for (size_t channel = 0; channel < values.size() && result >= 0; ++channel) {
                const long raw = FromMixerVolume(values[channel], minimum, maximum);
                result = playback ? snd_mixer_selem_set_playback_volume(element, Channel(channel), raw)
                                  : snd_mixer_selem_set_capture_volume(element, Channel(channel), raw);
            }
            break;
        }
        case AlsaBinding::PlaybackMute:
            result = snd_mixer_selem_set_playback_switch_all(element, values[0] != 0 ? 0 : 1);
            break;
        case AlsaBinding::CaptureMute:
            result = snd_mixer_selem_set_capture_switch_all(element, values[0] != 0 ? 0 : 1);
            break;
        case AlsaBinding::CaptureSource: {
            // An enumerated element always records exactly one input: "none" cannot be written.
            const auto selected = std::find(values.begin(), values.end(), 1);
            if (selected == values.end())
                return false;
            result = snd_mixer_selem_set_enum_item(element, SND_MIXER_SCHN_MONO,
                                                   static_cast<unsigned>(selected - values.begin()));
            break;
        }
        }
        return Succeeded(result);
    }

private:
    static int OnMixerEvent(snd_mixer_t* mixer, unsigned mask, snd_mixer_elem_t*)
    {
        auto* self = static_cast<AlsaMixerDevice*>(snd_mixer_get_callback_private(mixer));
        if ((mask & SND_CTL_EVENT_MASK_ADD) != 0 && self->listener_ != nullptr)
            self->listener_->LineChanged(self->layout_.lines.front().lineId);
        return 0;
    }

    static int OnElementEvent(snd_mixer_elem_t* element, unsigned mask)
    {
        auto* self = static_cast<AlsaMixerDevice*>(snd_mixer_elem_get_callback_private(element));
        self->ElementChanged(element, mask);
        return 0;
    }

    void ElementChanged(snd_mixer_elem_t* element, unsigned mask)
    {
        const auto found = std::find(elements_.begin(), elements_.end(), element);
        if (found == elements_.end())
            return;
        const size_t index = static_cast<size_t>(found - elements_.begin());
        if (mask == SND_CTL_EVENT_MASK_REMOVE)
            elements_[index] = nullptr; // ALSA frees it when this call returns
        if (listener_ == nullptr)
            return;
        if (mask == SND_CTL_EVENT_MASK_REMOVE) {
            RaiseLineChanges(index);
            return;
        }
        if ((mask & SND_CTL_EVENT_MASK_INFO) != 0)
            RaiseLineChanges(index);
        if ((mask & SND_CTL_EVENT_MASK_VALUE) != 0) {
            for (const AlsaControl& control : layout_.controls) {
                if (control.element == index)
                    listener_->ControlChanged(control.control.controlId);
            }
        }
    }

    // Every line with a control on the element; the first destination when none has.
    void RaiseLineChanges(size_t element)
    {
        std::vector<uint32_t> lines;
        for (const AlsaControl& control : layout_.controls) {
            if (control.element == element &&
                std::find(lines.begin(), lines.end(), control.lineId) == lines.end())
                lines.push_back(control.lineId);
        }
        if (lines.empty())
            lines.push_back(layout_.lines.front().lineId);
        for (uint32_t lineId : lines)
            listener_->LineChanged(lineId);
    }

    // The element behind a control, with ALSA's news taken in; null when either has gone.
    snd_mixer_elem_t* LiveElement(uint32_t controlId, const AlsaControl*& control)
    {
        control = layout_.Control(controlId);
        if (control == nullptr || !Refresh())
            return nullptr;
        return elements_[control->element];
    }

    bool CopyLine(const MixerLine* found, MixerLine& line) const
    {
        if (lost_ || found == nullptr)
            return false;
        line = *found;
        return true;
    }

    // Takes in the changes ALSA holds for the device; false once the card has gone.
    bool Refresh()
    {
        if (lost_)
            return false;
        const int count = snd_mixer_poll_descriptors_count(mixer_.get());
        if (count <= 0)
            return true;
        std::vector<pollfd> descriptors(static_cast<size_t>(count));
        const auto size = static_cast<unsigned>(count);
        unsigned short events = 0;
        if (snd_mixer_poll_descriptors(mixer_.get(), descriptors.data(), size) < 0 ||
            poll(descriptors.data(), size, 0) < 0 ||
            snd_mixer_poll_descriptors_revents(mixer_.get(), descriptors.data(), size, &events) < 0 ||
            (events & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return Lose();
        if ((events & (POLLIN | POLLOUT)) != 0 && snd_mixer_handle_events(mixer_.get()) < 0)
            return Lose();
        return true;
    }

    bool Succeeded(int result)
    {
        if (result == -ENODEV)
            return Lose();
        return result >= 0;
    }

    // The card has gone: nothing is listened to any more (a dead descriptor would wake the loop
    // without end), and every later call fails.
    bool Lose()
    {
        lost_ = true;
        for (const auto& notifier : notifiers_)
            notifier->setEnabled(false);
        return false;
    }

    MixerHandle mixer_;
    std::vector<snd_mixer_elem_t*> elements_; // null once removed
    AlsaMixerLayout layout_;
    MixerCaps caps_;
    MixerListener* listener_ = nullptr;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
    bool lost_ = false;
};

} // namespace

AlsaMixerBackend::AlsaMixerBackend(std::vector<MixerCard> cards) : cards_(std::move(cards)) {}

int AlsaMixerBackend::DeviceCount()
{
    usable_.clear();
    for (const MixerCard& card : cards_) {
        if (OpenSimpleMixer(card.control) != nullptr)
            usable_.push_back(card);
    }
    listed_ = true;
    return static_cast<int>(usable_.size());
}

std::unique_ptr<MixerDevice> AlsaMixerBackend::Open(int device, MixerListener* listener)
{
    if (!listed_)
        DeviceCount();
    if (device < 0 || device >= static_cast<int>(usable_.size()))
        return nullptr;
    const MixerCard& card = usable_[static_cast<size_t>(device)];
    MixerHandle mixer = OpenSimpleMixer(card.control);
    if (mixer == nullptr)
        return nullptr;
    auto opened = std::make_unique<AlsaMixerDevice>(std::move(mixer), card.name);
    if (listener != nullptr && !opened->Listen(listener))
        return nullptr;
    return opened;
}

} // namespace platform
