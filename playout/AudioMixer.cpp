#include "playout/AudioMixer.h"

#include "audiolib/AudioLib.h"
#include "platform/AlsaMixer.h"

#include <QMetaObject>

using platform::MixerControl;

namespace {

// The playback devices from 1 on, each with its card's control: the sound cards' mixers, named as
// the devices are stored.
std::vector<platform::MixerCard> PlaybackDeviceCards()
{
    std::vector<platform::MixerCard> cards;
    for (int device = 1; audiolib::GetDeviceName(device) != nullptr; ++device)
        cards.push_back(
            {QString::fromUtf8(audiolib::GetDeviceName(device)), audiolib::GetDeviceControl(device)});
    return cards;
}

platform::MixerBackend& BackendInUse()
{
    if (platform::MixerBackend* installed = platform::InstalledMixerBackend())
        return *installed;
    static platform::AlsaMixerBackend soundCards(PlaybackDeviceCards());
    return soundCards;
}

bool IsMultiple(const MixerControl& control)
{
    return (control.flags & platform::MixerControlMultiple) != 0;
}

bool IsDisabled(const MixerControl& control)
{
    return (control.flags & platform::MixerControlDisabled) != 0;
}

const MixerControl* FirstOfType(const TMixerControls& controls, uint32_t type)
{
    for (const MixerControl& control : controls.All()) {
        if (control.type == type)
            return &control;
    }
    return nullptr;
}

// The item of a multiple-item control that stands for the line; -1 when none does.
int ItemOfLine(const std::vector<platform::MixerItem>& items, uint32_t lineId)
{
    for (size_t item = 0; item < items.size(); ++item) {
        if (items[item].lineId == lineId)
            return static_cast<int>(item);
    }
    return -1;
}

// Sets the item on every channel of a multiple-item control's values.
void SetItem(const MixerControl& control, std::vector<int32_t>& values, int item, int32_t value)
{
    for (uint32_t channel = 0; channel < control.channels; ++channel)
        values[channel * control.items + static_cast<uint32_t>(item)] = value;
}

} // namespace

// Hands the device's changes, from whatever thread they come, to the mixer's own thread.
class TAudioMixer::Relay : public platform::MixerListener {
public:
    Relay(TAudioMixer* mixer, quintptr opening) : mixer_(mixer), opening_(opening) {}
    quintptr Opening() const { return opening_; }
    void LineChanged(uint32_t lineId) override { Post(true, lineId); }
    void ControlChanged(uint32_t controlId) override { Post(false, controlId); }

private:
    void Post(bool line, quint32 id)
    {
        QMetaObject::invokeMethod(
            mixer_, [mixer = mixer_, opening = opening_, line, id] { mixer->Deliver(opening, line, id); },
            Qt::QueuedConnection);
    }

    TAudioMixer* mixer_;
    quintptr opening_;
};

void TMixerControls::Read(platform::MixerDevice& device, uint32_t lineId)
{
    if (!device.GetLineControls(lineId, controls_))
        controls_.clear();
}

TAudioMixer::TAudioMixer(QObject* owner) : QObject(owner), backend_(BackendInUse())
{
    mixerCount_ = backend_.DeviceCount();
    if (mixerCount_ > 0)
        SetMixerId(0);
}

TAudioMixer::~TAudioMixer()
{
    Close();
}

void TAudioMixer::SetMixerId(int id)
{
    if (id < 0 || id >= mixerCount_)
        return;
    Close();
    static quintptr openings = 0;
    relay_ = std::make_unique<Relay>(this, ++openings);
    for (int attempt = 0; attempt < 2 && device_ == nullptr; ++attempt)
        device_ = backend_.Open(id, relay_.get());
    if (device_ == nullptr)
        device_ = backend_.Open(id, nullptr);
    if (device_ == nullptr)
        return;
    mixerId_ = id;
    if (!device_->GetCaps(caps_))
        caps_ = {};
    Build();
}

QString TAudioMixer::Manufacturer() const
{
    return QString::number(caps_.manufacturerId) + QStringLiteral(" = Unknown");
}

void TAudioMixer::Close()
{
    device_.reset();
    mixerId_ = -1;
    caps_ = {};
    destinations_.Clear();
}

void TAudioMixer::Build()
{
    for (uint32_t d = 0; d < caps_.destinations; ++d) {
        auto destination = std::make_unique<TMixerDestination>();
        if (!device_->GetLineByDestination(d, destination->Data))
            continue;
        for (uint32_t s = 0; s < destination->Data.connections; ++s) {
            auto connection = std::make_unique<TMixerConnection>();
            if (!device_->GetLineBySource(d, s, connection->Data))
                continue;
            connection->Controls.Read(*device_, connection->Data.lineId);
            destination->Connections.Add(std::move(connection));
        }
        destination->Controls.Read(*device_, destination->Data.lineId);
        destinations_.Add(std::move(destination));
    }
}

void TAudioMixer::Deliver(quintptr opening, bool line, quint32 id)
{
    // A change of a device closed since is nobody's business.
    if (device_ == nullptr || relay_ == nullptr || opening != relay_->Opening())
        return;
    if (line)
        emit OnLineChange(this, opening, id);
    else
        emit OnControlChange(this, opening, id);
}

bool TAudioMixer::FindLine(int destination, int connection, const TMixerDestination*& owner,
                           const TMixerConnection*& source) const
{
    if (device_ == nullptr)
        return false;
    owner = destinations_.Item(destination);
    source = connection == -1 ? nullptr : (owner != nullptr ? owner->Connections.Item(connection) : nullptr);
    return owner != nullptr && (connection == -1 || source != nullptr);
}

bool TAudioMixer::GetVolume(int destination, int connection, TMixerVolume& volume) const
{
    volume = {};
    const TMixerDestination* owner = nullptr;
    const TMixerConnection* source = nullptr;
    if (!FindLine(destination, connection, owner, source))
        return false;
    TMixerVolume read;
    std::vector<int32_t> values;
    // A connection chosen through its destination's MUX: the choice is its mute state.
    if (source != nullptr) {
        if (const MixerControl* mux = FirstOfType(owner->Controls, platform::MixerControlMux)) {
            std::vector<platform::MixerItem> items;
            if (!device_->GetItems(mux->controlId, items) || !device_->GetValues(mux->controlId, values))
                return false;
            const int item = ItemOfLine(items, source->Data.lineId);
            if (item >= 0 && static_cast<size_t>(item) < values.size()) {
                read.Mute = values[static_cast<size_t>(item)];
                read.MuteDisabled = IsDisabled(*mux);
                read.IsSelect = true;
            }
        }
    }
    const TMixerControls& own = source != nullptr ? source->Controls : owner->Controls;
    bool volumeRead = false;
    bool muteRead = false;
    for (const MixerControl& control : own.All()) {
        if (IsMultiple(control))
            continue;
        if (control.type == platform::MixerControlVolume && !volumeRead) {
            volumeRead = true;
            if (!device_->GetValues(control.controlId, values) || values.empty())
                return false;
            read.VolumeDisabled = IsDisabled(control);
            read.Left = values[0];
            read.Stereo = control.channels >= 2 && values.size() >= 2;
            read.Right = read.Stereo ? values[1] : values[0];
        } else if (control.type == platform::MixerControlMute && !muteRead) {
            muteRead = true;
            if (read.Mute != -1)
                continue;
            if (!device_->GetValues(control.controlId, values) || values.empty())
                return false;
            read.MuteDisabled = IsDisabled(control);
            read.Mute = values[0] != 0 ? 1 : 0;
        }
    }
    volume = read;
    return true;
}

bool TAudioMixer::SetVolume(int destination, int connection, int mute, int right, int left)
{
    const TMixerDestination* owner = nullptr;
    const TMixerConnection* source = nullptr;
    if (!FindLine(destination, connection, owner, source))
        return false;
    bool written = true;
    bool muteWritten = false;
    std::vector<int32_t> values;
    if (source != nullptr && mute != -1) {
        if (const MixerControl* mux = FirstOfType(owner->Controls, platform::MixerControlMux)) {
            std::vector<platform::MixerItem> items;
            const int item =
                device_->GetItems(mux->controlId, items) ? ItemOfLine(items, source->Data.lineId) : -1;
            // Only a connection the MUX offers is chosen through it; clearing the choice for another
            // line would silence what the card records.
            if (item >= 0 && static_cast<uint32_t>(item) < mux->items) {
                values.assign(platform::ValueCount(*mux), 0);
                SetItem(*mux, values, item, mute);
                written = device_->SetValues(mux->controlId, values) && written;
                muteWritten = true;
            }
        }
    }
    const TMixerControls& own = source != nullptr ? source->Controls : owner->Controls;
    bool volumeWritten = false;
    for (const MixerControl& control : own.All()) {
        if (IsMultiple(control))
            continue;
        if (control.type == platform::MixerControlVolume && !volumeWritten && left != -1) {
            volumeWritten = true;
            values.assign(platform::ValueCount(control), left);
            if (values.size() >= 2)
                values[1] = right == -1 ? left : right;
            written = device_->SetValues(control.controlId, values) && written;
        } else if (control.type == platform::MixerControlMute && !muteWritten && mute != -1) {
            muteWritten = true;
            values.assign(platform::ValueCount(control), mute);
            written = device_->SetValues(control.controlId, values) && written;
        }
    }
    return written;
}

bool TAudioMixer::SetMute(int destination, int connection, bool mute)
{
    const TMixerDestination* owner = nullptr;
    const TMixerConnection* source = nullptr;
    if (!FindLine(destination, connection, owner, source))
        return false;
    const platform::MixerLine& line = source != nullptr ? source->Data : owner->Data;
    MixerControl control;
    if (device_->GetLineControlByType(line.lineId, platform::MixerControlMute, control))
        return device_->SetValues(control.controlId,
                                  std::vector<int32_t>(platform::ValueCount(control), mute ? 1 : 0));
    if (source == nullptr)
        return false;
    // No mute of its own: the connection is chosen, or not, in its destination's MIXER or MUX.
    for (const MixerControl& choice : owner->Controls.All()) {
        if (choice.type != platform::MixerControlMixer && choice.type != platform::MixerControlMux)
            continue;
        std::vector<int32_t> values;
        std::vector<platform::MixerItem> items;
        if (!device_->GetValues(choice.controlId, values) || !device_->GetItems(choice.controlId, items) ||
            values.size() != platform::ValueCount(choice))
            continue;
        if (choice.type == platform::MixerControlMux)
            std::fill(values.begin(), values.end(), 0);
        const int item = ItemOfLine(items, source->Data.lineId);
        if (mute && item >= 0 && static_cast<uint32_t>(item) < choice.items)
            SetItem(choice, values, item, 1);
        return device_->SetValues(choice.controlId, values);
    }
    return false;
}
