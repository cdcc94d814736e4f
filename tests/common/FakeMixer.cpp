#include "FakeMixer.h"

#include "platform/AlsaMixerLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using platform::MixerControl;
using platform::MixerItem;
using platform::MixerLine;

class FakeMixer::Handle : public platform::MixerDevice {
public:
    Handle(FakeMixer& owner, int device, platform::MixerListener* listener)
        : owner_(owner), device_(device), listener_(listener)
    {
    }

    ~Handle() override
    {
        const std::lock_guard guard(owner_.lock_);
        std::erase(owner_.handles_, this);
    }

    int DeviceIndex() const { return device_; }
    platform::MixerListener* Listener() const { return listener_; }

    bool GetCaps(platform::MixerCaps& caps) override
    {
        const std::lock_guard guard(owner_.lock_);
        if (Unplugged())
            return false;
        caps = Data().caps;
        return true;
    }

    bool GetLineByDestination(uint32_t destination, MixerLine& line) override
    {
        return FindLine(
            [&](const MixerLine& candidate) {
                return candidate.componentType < platform::MixerSourceUndefined &&
                       candidate.destination == destination;
            },
            line);
    }

    bool GetLineBySource(uint32_t destination, uint32_t source, MixerLine& line) override
    {
        return FindLine(
            [&](const MixerLine& candidate) {
                return candidate.componentType >= platform::MixerSourceUndefined &&
                       candidate.destination == destination && candidate.source == source;
            },
            line);
    }

    bool GetLineControls(uint32_t lineId, std::vector<MixerControl>& controls) override
    {
        const std::lock_guard guard(owner_.lock_);
        if (Unplugged())
            return false;
        controls.clear();
        for (const Control& control : Data().controls) {
            if (control.lineId == lineId)
                controls.push_back(control.control);
        }
        return true;
    }

    bool GetLineControlByType(uint32_t lineId, uint32_t type, MixerControl& found) override
    {
        const std::lock_guard guard(owner_.lock_);
        if (Unplugged())
            return false;
        for (const Control& control : Data().controls) {
            if (control.lineId == lineId && control.control.type == type) {
                found = control.control;
                return true;
            }
        }
        return false;
    }

    bool GetValues(uint32_t controlId, std::vector<int32_t>& values) override
    {
        const std::lock_guard guard(owner_.lock_);
        const Control* control = owner_.FindControl(device_, controlId);
        if (Unplugged() || control == nullptr)
            return false;
        values = control->values;
        return true;
    }

    bool SetValues(uint32_t controlId, const std::vector<int32_t>& values) override
    {
        const std::lock_guard guard(owner_.lock_);
        Control* control = owner_.FindControl(device_, controlId);
        if (Unplugged() || control == nullptr || values.size() != platform::ValueCount(control->control))
            return false;
        control->values = values;
        if (control->nativeMaximum > control->nativeMinimum)
            for (int32_t& value : control->values)
                value = platform::ToMixerVolume(
                    platform::FromMixerVolume(value, control->nativeMinimum, control->nativeMaximum),
                    control->nativeMinimum, control->nativeMaximum);
        owner_.writes_.push_back({device_, controlId, values});
        if (owner_.OnWrite)
            owner_.OnWrite(owner_.writes_.back());
        return true;
    }

    bool GetItems(uint32_t controlId, std::vector<MixerItem>& items) override
    {
        const std::lock_guard guard(owner_.lock_);
        const Control* control = owner_.FindControl(device_, controlId);
        if (Unplugged() || control == nullptr || control->items.empty())
            return false;
        items = control->items;
        return true;
    }

private:
    const Device& Data() const { return owner_.devices_[static_cast<size_t>(device_)]; }
    bool Unplugged() const { return Data().unplugged; }

    template <typename Match> bool FindLine(Match match, MixerLine& line)
    {
        const std::lock_guard guard(owner_.lock_);
        if (Unplugged())
            return false;
        const auto& lines = Data().lines;
        const auto found = std::find_if(lines.begin(), lines.end(), match);
        if (found == lines.end())
            return false;
        line = *found;
        return true;
    }

    FakeMixer& owner_;
    const int device_;
    platform::MixerListener* const listener_;
};

FakeMixer::FakeMixer() : previous_(platform::InstallMixerBackend(this)) {}

FakeMixer::~FakeMixer()
{
    platform::InstallMixerBackend(previous_);
    if (!handles_.empty())
        ADD_FAILURE() << handles_.size() << " fake mixer device(s) still open";
}

int FakeMixer::AddDevice(const QString& productName)
{
    const std::lock_guard guard(lock_);
    Device device;
    device.caps.productName = productName;
    devices_.push_back(device);
    return static_cast<int>(devices_.size()) - 1;
}

uint32_t FakeMixer::AddDestination(int device, const QString& name, uint32_t componentType, uint32_t channels)
{
    const std::lock_guard guard(lock_);
    MixerLine line;
    line.destination = devices_[static_cast<size_t>(device)].caps.destinations++;
    line.componentType = componentType;
    line.channels = channels;
    line.shortName = name;
    line.name = name;
    return AddLine(device, line);
}

uint32_t FakeMixer::AddSource(int device, uint32_t destinationId, const QString& name, uint32_t componentType,
                              uint32_t channels)
{
    const std::lock_guard guard(lock_);
    MixerLine& destination = LineOf(devices_[static_cast<size_t>(device)], destinationId);
    MixerLine line;
    line.destination = destination.destination;
    line.source = destination.connections++;
    line.componentType = componentType;
    line.channels = channels;
    line.shortName = name;
    line.name = name;
    return AddLine(device, line);
}

uint32_t FakeMixer::AddControl(int device, uint32_t lineId, uint32_t type, std::vector<int32_t> values,
                               uint32_t flags)
{
    Control control;
    control.control.type = type;
    control.control.flags = flags;
    control.control.channels = static_cast<uint32_t>(values.size());
    control.control.maximum = type == platform::MixerControlVolume ? 65535 : 1;
    control.values = std::move(values);
    return Add(device, lineId, std::move(control));
}

uint32_t FakeMixer::AddItemControl(int device, uint32_t lineId, uint32_t type,
                                   const std::vector<uint32_t>& itemLines, std::vector<int32_t> values)
{
    Control control;
    control.control.type = type;
    control.control.flags = platform::MixerControlUniform | platform::MixerControlMultiple;
    control.control.items = static_cast<uint32_t>(itemLines.size());
    control.control.maximum = 1;
    for (uint32_t line : itemLines)
        control.items.push_back({line, QString::number(line)});
    control.values = std::move(values);
    return Add(device, lineId, std::move(control));
}

void FakeMixer::SetControlName(int device, uint32_t controlId, const QString& name)
{
    const std::lock_guard guard(lock_);
    Control* control = FindControl(device, controlId);
    control->control.shortName = name;
    control->control.name = name;
}

void FakeMixer::SetLineTarget(int device, uint32_t lineId, uint32_t targetType, const QString& targetName)
{
    const std::lock_guard guard(lock_);
    MixerLine& line = LineOf(devices_[static_cast<size_t>(device)], lineId);
    line.targetType = targetType;
    line.targetName = targetName;
}

void FakeMixer::RefuseNotifications(int device)
{
    const std::lock_guard guard(lock_);
    devices_[static_cast<size_t>(device)].notifies = false;
}

void FakeMixer::RefuseOpening(int device)
{
    const std::lock_guard guard(lock_);
    devices_[static_cast<size_t>(device)].opens = false;
}

std::vector<int32_t> FakeMixer::Values(int device, uint32_t controlId) const
{
    const std::lock_guard guard(lock_);
    const Control* control = const_cast<FakeMixer*>(this)->FindControl(device, controlId);
    return control != nullptr ? control->values : std::vector<int32_t>{};
}

void FakeMixer::SetNativeRange(int device, uint32_t controlId, long minimum, long maximum)
{
    const std::lock_guard guard(lock_);
    if (Control* control = FindControl(device, controlId)) {
        control->nativeMinimum = minimum;
        control->nativeMaximum = maximum;
    }
}

void FakeMixer::SetValues(int device, uint32_t controlId, std::vector<int32_t> values)
{
    const std::lock_guard guard(lock_);
    if (Control* control = FindControl(device, controlId))
        control->values = std::move(values);
}

std::vector<FakeMixer::Write> FakeMixer::Writes() const
{
    const std::lock_guard guard(lock_);
    return writes_;
}

std::vector<std::pair<int, bool>> FakeMixer::OpenAttempts() const
{
    const std::lock_guard guard(lock_);
    return openAttempts_;
}

int FakeMixer::OpenNow() const
{
    const std::lock_guard guard(lock_);
    return static_cast<int>(handles_.size());
}

void FakeMixer::RaiseControlChange(int device, uint32_t controlId)
{
    const std::lock_guard guard(lock_);
    for (Handle* handle : handles_) {
        if (handle->DeviceIndex() == device && handle->Listener() != nullptr)
            handle->Listener()->ControlChanged(controlId);
    }
}

void FakeMixer::RaiseLineChange(int device, uint32_t lineId)
{
    const std::lock_guard guard(lock_);
    for (Handle* handle : handles_) {
        if (handle->DeviceIndex() == device && handle->Listener() != nullptr)
            handle->Listener()->LineChanged(lineId);
    }
}

void FakeMixer::Unplug(int device)
{
    const std::lock_guard guard(lock_);
    devices_[static_cast<size_t>(device)].unplugged = true;
}

int FakeMixer::DeviceCount()
{
    const std::lock_guard guard(lock_);
    return static_cast<int>(devices_.size());
}

std::unique_ptr<platform::MixerDevice> FakeMixer::Open(int device, platform::MixerListener* listener)
{
    const std::lock_guard guard(lock_);
    openAttempts_.emplace_back(device, listener != nullptr);
    if (device < 0 || device >= static_cast<int>(devices_.size()))
        return nullptr;
    const Device& data = devices_[static_cast<size_t>(device)];
    if (!data.opens || data.unplugged || (listener != nullptr && !data.notifies))
        return nullptr;
    auto handle = std::make_unique<Handle>(*this, device, listener);
    handles_.push_back(handle.get());
    return handle;
}

MixerLine& FakeMixer::LineOf(Device& device, uint32_t lineId)
{
    return *std::find_if(device.lines.begin(), device.lines.end(),
                         [&](const MixerLine& line) { return line.lineId == lineId; });
}

FakeMixer::Control* FakeMixer::FindControl(int device, uint32_t controlId)
{
    if (device < 0 || device >= static_cast<int>(devices_.size()))
        return nullptr;
    auto& controls = devices_[static_cast<size_t>(device)].controls;
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const Control& control) {
        return control.control.controlId == controlId;
    });
    return found != controls.end() ? &*found : nullptr;
}

uint32_t FakeMixer::AddLine(int device, MixerLine line)
{
    line.lineId = nextId_++;
    devices_[static_cast<size_t>(device)].lines.push_back(line);
    return line.lineId;
}

uint32_t FakeMixer::Add(int device, uint32_t lineId, Control control)
{
    const std::lock_guard guard(lock_);
    Device& data = devices_[static_cast<size_t>(device)];
    control.control.controlId = nextId_++;
    control.lineId = lineId;
    ++LineOf(data, lineId).controls;
    data.controls.push_back(std::move(control));
    return data.controls.back().control.controlId;
}
