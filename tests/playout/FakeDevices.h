#pragma once
// A device system of fixed devices in place of the audio library's, for the device tables and the
// players' device set-up.
#include "audiolib/AudioLib.h"
#include "playout/DeviceTables.h"

// Four playback devices with three system names, and two recording devices with two inputs each;
// one device may refuse to start or be selected.
class FakeDevices : public DeviceSystem {
public:
    int failInit = -1;
    int failSet = -1;
    int already = -1; // refuses with code 14 as a device initialised before
    int failSetInput = -1;

    QStringList OutputNames() override { return {"Card 1", "Card 2", "Card 3"}; }
    QStringList InputNames() override { return {"Mic A", "Mic B"}; }
    const char* OutputDescription(int device) override
    {
        static const char* const descriptions[] = {"No sound", "Desc 1", "Desc 2", "Desc 3"};
        return device >= 0 && device < 4 ? descriptions[device] : nullptr;
    }
    bool InitOutput(int device) override
    {
        if (device == already)
            return audiolib::Init(0, 44100, 0); // device 0 is up: code 14
        return device != failInit || FailWithDeviceCode();
    }
    bool SetOutput(int device) override { return device != failSet || FailWithDeviceCode(); }
    bool CanCreateFloatStream() override { return true; }
    const char* InputDescription(int device) override
    {
        static const char* const descriptions[] = {"In 0", "In 1"};
        return device >= 0 && device < 2 ? descriptions[device] : nullptr;
    }
    bool InitInput(int) override { return true; }
    bool SetInput(int device) override { return device != failSetInput || FailWithDeviceCode(); }
    const char* InputSourceName(int source) override
    {
        static const char* const sources[] = {"Line", "Microphone"};
        return source >= 0 && source < 2 ? sources[source] : nullptr;
    }
    int32_t InputSourceSetting(int source) override { return 50 + source; }

private:
    // The library's last error as a real refusal leaves it: 23, an invalid device.
    static bool FailWithDeviceCode() { return audiolib::SetDevice(-5); }
};
