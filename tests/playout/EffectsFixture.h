#pragma once
// Channel 1 on device 0's manual clock with the effects window beside it: every entry the channel
// starts goes to the window's ApplyFX, and the window's library calls are recorded (each effect
// added, each record written) on their way to the layer. A box nobody expected fails the test.
#include "DialogAnswerer.h"
#include "PlaybackFixture.h"
#include "playout/FX.h"

#include <vector>

class EffectsFixture : public PlaybackFixture {
public:
    struct Added {
        uint32_t type;
        int priority;
        audiolib::Handle fx;
    };

    EffectsFixture();

    ScriptedDialogAnswerer dialogs;
    TFFX window;
    TChannelEffects& effects = window.Effects();
    std::vector<Added> added; // every effect added, in order
    int writes = 0;           // records written

    // One file entry of `seconds` at 0.25 on the left, queued and started.
    void StartEntry(const QString& name, int seconds = 6);
    // The equaliser band (0..2) and the reverb of the set added last, read back from the library.
    audiolib::ParamEqParameters ReadBand(int band) const;
    audiolib::ReverbParameters ReadReverb() const;
};
