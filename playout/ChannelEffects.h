#pragma once
// What the effects window does to a player slot, without the window: its settings (three equaliser
// bands, the reverb and the three sample effects) and the effects on the slot's streams. While the
// window is shown every entry the slot starts gets the library's equaliser and reverb at the
// window's settings and each sample effect that is switched on, so what the window shows is what is
// heard. Each sample effect attached owns its state, which goes with its stream. GUI thread only.
#include "audiolib/AudioLib.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

enum class TSampleEffect { Rotate, Echo, Flanger };

// The library calls that add and write the equaliser and reverb, through the layer; a test puts
// its own in place to record what is written or to make a call fail.
struct TFXCalls {
    std::function<audiolib::Handle(int slot, uint32_t type, int priority)> SetFX;
    std::function<bool(audiolib::Handle fx, const void* parameters)> SetParameters;
    std::function<bool(audiolib::Handle fx, void* parameters)> GetParameters;
};
TFXCalls LayerFXCalls();

class TChannelEffects {
public:
    static constexpr int BandCount = 3;
    static constexpr std::array<float, BandCount> BandCentres{125.0f, 1000.0f, 8000.0f};
    static constexpr float Bandwidth = 18.0f; // semitones
    static constexpr int BandMax = 30;        // the top, 0, is +15 dB
    static constexpr int BandNeutral = 15;
    static constexpr int ReverbMax = 20; // -96 dB: no reverb
    static constexpr float ReverbTime = 1200.0f;
    static constexpr float ReverbHighFreqRatio = 0.1f;

    // Gain in dB of a band at `position`: +15 at the top (0), -15 at the bottom (30).
    static float BandGain(int position);
    // Reverb mix in dB at `position`: -0.012·p³, so 0 at 0, -12 at 10 and -96 at 20.
    static float ReverbMix(int position);

    TFXCalls Calls = LayerFXCalls();
    int FXChannel = 1; // the player slot the effects act on
    bool FXShown = false;

    int BandPosition(int band) const { return bands_.at(band); }
    int ReverbPosition() const { return reverb_; }
    bool SampleEffectOn(TSampleEffect effect) const { return sampleOn_.at(Index(effect)); }

    // The controls. A move while the slot is not playing (paused counts as not playing) only
    // changes the setting, which the next entry gets. False when the library refused it and the
    // "Media Error" box was shown.
    bool SetBand(int band, int position);
    bool SetReverb(int position);
    // Switched on while the slot plays: attached to the stream on air. Switched off: taken off every
    // stream it is on that is still alive, also one fading out.
    void SetSampleEffect(TSampleEffect effect, bool on);

    // The window was shown for channel ch: the stream playing gets the effects now.
    void ShowForChannel(int ch);
    // A file entry started on the slot's current stream: while the window is shown, it gets the
    // equaliser bands and the reverb (added once per stream) at the window's settings, and the
    // sample effects switched on. Stops at the first effect the library refuses, after one box, and
    // then answers false.
    bool ApplyFX();

    // How many of `effect` are attached to `stream` by this window.
    int AttachedTo(audiolib::Handle stream, TSampleEffect effect) const;

private:
    struct TEffectSet {
        audiolib::Handle stream = 0;
        std::array<audiolib::Handle, BandCount> bands{};
        audiolib::Handle reverb = 0;
    };
    struct TAttachment {
        int slot;
        audiolib::Handle stream;
        TSampleEffect effect;
        audiolib::Handle dsp;
    };

    std::array<int, BandCount> bands_{BandNeutral, BandNeutral, BandNeutral};
    int reverb_ = ReverbMax;
    std::array<bool, 3> sampleOn_{};
    // The equaliser and reverb added last, and the stream they are on.
    TEffectSet set_;
    std::vector<TAttachment> attachments_;
    bool boxShown_ = false; // by the control or call under way

    static size_t Index(TSampleEffect effect) { return static_cast<size_t>(effect); }
    // Whether the stream playing has no effects of this window yet; it gets them now.
    bool GaveEffectsToNewStream();
    // The steps answer whether to go on.
    bool Apply();
    bool AddSet(audiolib::Handle stream);
    bool WriteBand(int band);
    bool WriteReverb();
    // Reads the effect's record, changes it and writes it back.
    template <typename Record, typename Change> bool Rewrite(audiolib::Handle fx, Change change);
    bool Attach(TSampleEffect effect);
    void Detach(TSampleEffect effect);
    // A call the library refused: the "Media Error" box with `text`; false, to stop.
    bool Refused(const char* text);
    // Forgets the attachments whose stream has left its slot (it was freed with its procedures).
    void Prune();
};
