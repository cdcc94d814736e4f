#pragma once
// The effects window's own sample effects: rotate, echo and flanger. Each is a pure function over a
// block of interleaved stereo float and a state object that belongs to one attachment, so the audio
// thread never shares state with the GUI or with another stream. A block of length bytes holds
// length / 8 frames, left sample first.
#include <array>
#include <cstdint>

// Rotate: the level moves between the sides, left × |sin a| and right × |cos a|.
struct TRotateState {
    float angle = 0.7853981f; // π/4: both sides at 0.707
};
void Rotate(TRotateState& state, float* buffer, uint32_t length);

// Echo: each side gets the other's output of 1200 frames ago at half its level, so the repeats
// halve as they cross from side to side.
struct TEchoState {
    static constexpr int Frames = 1200;
    std::array<float, 2 * Frames> buffer{}; // the outputs, stereo frames
    int position = 0;
};
void Echo(TEchoState& state, float* buffer, uint32_t length);

// Flanger: the dry input of up to 350 frames ago, at a delay that sweeps slowly up and down, is
// added to the input, read between two frames with linear interpolation.
struct TFlangerState {
    static constexpr int Frames = 350;
    std::array<float, 2 * Frames> buffer{}; // the dry inputs, stereo frames
    int position = 0;
    float delay = 175.0f; // frames
    float speed = 0.002f; // frames per frame; turns at 0 and 350
};
void Flanger(TFlangerState& state, float* buffer, uint32_t length);
