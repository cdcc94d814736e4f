#pragma once
// A scripted mixer back-end for tests: installed while it lives, it offers the devices, lines,
// controls and values a test builds, records every write, raises changes when asked (from any
// thread), and can refuse notifications or lose a device as a pulled card would.
#include "platform/Mixer.h"

#include <QString>

#include <functional>
#include <mutex>
#include <vector>

class FakeMixer : public platform::MixerBackend {
public:
    struct Write {
        int device;
        uint32_t controlId;
        std::vector<int32_t> values;
    };

    FakeMixer();
    ~FakeMixer() override;
    FakeMixer(const FakeMixer&) = delete;
    FakeMixer& operator=(const FakeMixer&) = delete;

    // Building the devices; each call returns the new device's index or the new line's or control's id.
    int AddDevice(const QString& productName);
    uint32_t AddDestination(int device, const QString& name, uint32_t componentType, uint32_t channels = 2);
    uint32_t AddSource(int device, uint32_t destinationId, const QString& name, uint32_t componentType,
                       uint32_t channels = 2);
    // A control of the line holding these values (ValueCount of the control's channels and items).
    uint32_t AddControl(int device, uint32_t lineId, uint32_t type, std::vector<int32_t> values,
                        uint32_t flags = 0);
    // A uniform multiple-item control (MUX, MIXER) with one item per line id and their values.
    uint32_t AddItemControl(int device, uint32_t lineId, uint32_t type,
                            const std::vector<uint32_t>& itemLines, std::vector<int32_t> values);
    // Names and targets as a card's driver reports them.
    void SetControlName(int device, uint32_t controlId, const QString& name);
    void SetLineTarget(int device, uint32_t lineId, uint32_t targetType, const QString& targetName);
    // Values written to the control land on a card's native steps from minimum to maximum and read
    // back on the 0..65535 scale, as the ALSA back-end converts them.
    void SetNativeRange(int device, uint32_t controlId, long minimum, long maximum);
    // The device opens only without a listener.
    void RefuseNotifications(int device);
    // The device does not open at all.
    void RefuseOpening(int device);

    // What a control holds now; a change made by another program, unannounced.
    std::vector<int32_t> Values(int device, uint32_t controlId) const;
    void SetValues(int device, uint32_t controlId, std::vector<int32_t> values);
    // Called after each write through an open device, on the writing thread.
    std::function<void(const Write&)> OnWrite;
    // Every write through an open device, in order.
    std::vector<Write> Writes() const;
    // Every open asked for, in order: the device and whether with a listener.
    std::vector<std::pair<int, bool>> OpenAttempts() const;
    // How many opened devices are not closed yet.
    int OpenNow() const;

    // Tell the listeners of the device's open handles, on the calling thread.
    void RaiseControlChange(int device, uint32_t controlId);
    void RaiseLineChange(int device, uint32_t lineId);
    // The card is pulled: every later call through an open handle of the device fails.
    void Unplug(int device);

    int DeviceCount() override;
    std::unique_ptr<platform::MixerDevice> Open(int device, platform::MixerListener* listener) override;

private:
    class Handle;
    struct Control {
        platform::MixerControl control;
        uint32_t lineId = 0;
        std::vector<int32_t> values;
        std::vector<platform::MixerItem> items;
        long nativeMinimum = 0;
        long nativeMaximum = 0; // a native range only when above the minimum
    };
    struct Device {
        platform::MixerCaps caps;
        std::vector<platform::MixerLine> lines;
        std::vector<Control> controls;
        bool notifies = true;
        bool opens = true;
        bool unplugged = false;
    };

    platform::MixerLine& LineOf(Device& device, uint32_t lineId);
    Control* FindControl(int device, uint32_t controlId);
    uint32_t AddLine(int device, platform::MixerLine line);
    uint32_t Add(int device, uint32_t lineId, Control control);

    mutable std::recursive_mutex lock_;
    std::vector<Device> devices_;
    std::vector<Handle*> handles_;
    std::vector<Write> writes_;
    std::vector<std::pair<int, bool>> openAttempts_;
    uint32_t nextId_ = 100;
    platform::MixerBackend* previous_;
};
