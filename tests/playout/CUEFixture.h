#pragma once
// The pre-listen player beside channel 1 on device 0's manual clock: slot 4 at index 0 as start-up
// leaves it, the saved cue volume 100, and renders that deliver what both players posted.
#include "PlaybackFixture.h"

class TCUEPlayback;

class CUEFixture : public PlaybackFixture {
protected:
    CUEFixture();
    void SetUp() override;

    // A 44.1 kHz stereo 16-bit WAV of `frames` frames: `level` on side `side`, 0 on the other.
    QString FramesWav(const QString& name, int64_t frames, int side, double level);
    // Renders `frames` in blocks of at most Block; after each, the messages posted to channel 1 and
    // to `cue` are delivered.
    void Advance(TCUEPlayback& cue, int64_t frames);
    // The last frame rendered, on side 0 (left) or 1 (right).
    float LastLevel(int side) const;
    // Where slot 4's stream is, in seconds.
    static double CuePosition();
};
