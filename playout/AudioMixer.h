#pragma once
// The station's view of a sound card's mixer (TAudioMixer): one mixer device open at a time, its
// destination lines with their connections and controls as they were when it was opened, volume,
// mute and selection read and written line by line, and the device's changes as signals on the
// thread that created it (the GUI thread). With no mixer at all it opens nothing and every query
// answers false.
#include "platform/Mixer.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// An owning list; an index outside it gives null.
template <typename T> class TPointerList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    T* Item(int index) const
    {
        return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
    }
    void Add(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

// The controls of one line.
class TMixerControls {
public:
    int Count() const { return static_cast<int>(controls_.size()); }
    const platform::MixerControl* Control(int index) const
    {
        return index >= 0 && index < Count() ? &controls_[static_cast<size_t>(index)] : nullptr;
    }
    const std::vector<platform::MixerControl>& All() const { return controls_; }
    // Filled from the device; left empty when the device does not answer.
    void Read(platform::MixerDevice& device, uint32_t lineId);

private:
    std::vector<platform::MixerControl> controls_;
};

// A source line of a destination.
class TMixerConnection {
public:
    platform::MixerLine Data;
    TMixerControls Controls;
};

class TMixerConnections : public TPointerList<TMixerConnection> {};

class TMixerDestination {
public:
    platform::MixerLine Data;
    TMixerControls Controls;
    TMixerConnections Connections;
};

class TMixerDestinations : public TPointerList<TMixerDestination> {};

// A line's state as GetVolume reads it; the initial values are what an unread line gives.
struct TMixerVolume {
    bool IsSelect = false;
    bool MuteDisabled = true;
    bool VolumeDisabled = true;
    bool Stereo = false;
    int Mute = -1;
    int Right = -1;
    int Left = -1;
};

class TAudioMixer : public QObject {
    Q_OBJECT
public:
    // Counts the mixer devices of the back-end in use (the installed one, else the sound cards') and
    // opens the first one.
    explicit TAudioMixer(QObject* owner = nullptr);
    ~TAudioMixer() override;

    // The open device, 0-based; -1 when none is open.
    int MixerId() const { return mixerId_; }
    // Closes the open device and opens device id, even when it is the open one. An id outside the
    // devices counted at creation is ignored.
    void SetMixerId(int id);
    int MixerCount() const { return mixerCount_; }

    QString ProductName() const { return caps_.productName; }
    QString Manufacturer() const;
    uint32_t DriverVersion() const { return caps_.driverVersion; }
    uint16_t ProductId() const { return caps_.productId; }
    int NumberOfLine() const { return static_cast<int>(caps_.destinations); }
    const TMixerDestinations& Destinations() const { return destinations_; }

    // The destination itself (connection -1) or one of its connections. False when the line does
    // not exist or the device does not answer; volume then keeps its initial values.
    bool GetVolume(int destination, int connection, TMixerVolume& volume) const;
    // -1 for mute or left leaves that part as it is; right -1 is the same as left.
    bool SetVolume(int destination, int connection, int mute, int right, int left);
    // True when a control was written.
    bool SetMute(int destination, int connection, bool mute);

signals:
    // mixer identifies the opening of the device that changed.
    void OnLineChange(TAudioMixer* sender, quintptr mixer, quint32 lineId);
    void OnControlChange(TAudioMixer* sender, quintptr mixer, quint32 controlId);

private:
    class Relay;

    void Close();
    void Build();
    void Deliver(quintptr opening, bool line, quint32 id);
    // The line a destination and connection name; null when it does not exist.
    bool FindLine(int destination, int connection, const TMixerDestination*& owner,
                  const TMixerConnection*& source) const;

    platform::MixerBackend& backend_;
    int mixerCount_ = 0;
    int mixerId_ = -1;
    platform::MixerCaps caps_;
    TMixerDestinations destinations_;
    std::unique_ptr<Relay> relay_; // outlives device_, which calls it
    std::unique_ptr<platform::MixerDevice> device_;
};
