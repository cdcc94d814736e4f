#include "playout/ChannelEffects.h"

#include "playout/AudioLayer.h"
#include "playout/MediaError.h"
#include "playout/SampleEffects.h"

#include <QString>

#include <algorithm>

namespace {

constexpr int FXPriority = 1;

int Priority(TSampleEffect effect)
{
    switch (effect) {
    case TSampleEffect::Rotate:
        return 2;
    case TSampleEffect::Echo:
        return 1;
    case TSampleEffect::Flanger:
        break;
    }
    return 0;
}

// A fresh procedure with its own state, which goes when it is removed or with its stream.
audiolib::DspFunction Procedure(TSampleEffect effect)
{
    switch (effect) {
    case TSampleEffect::Rotate:
        return [state = TRotateState{}](audiolib::Handle, audiolib::Handle, float* buffer,
                                        uint32_t length) mutable { Rotate(state, buffer, length); };
    case TSampleEffect::Echo:
        return [state = TEchoState{}](audiolib::Handle, audiolib::Handle, float* buffer,
                                      uint32_t length) mutable { Echo(state, buffer, length); };
    case TSampleEffect::Flanger:
        break;
    }
    return [state = TFlangerState{}](audiolib::Handle, audiolib::Handle, float* buffer,
                                     uint32_t length) mutable { Flanger(state, buffer, length); };
}

} // namespace

TFXCalls LayerFXCalls()
{
    return {[](int slot, uint32_t type, int priority) { return ChannelSetFX(slot, type, priority); },
            [](audiolib::Handle fx, const void* parameters) { return FXSetParameters(fx, parameters); },
            [](audiolib::Handle fx, void* parameters) { return FXGetParameters(fx, parameters); }};
}

float TChannelEffects::BandGain(int position)
{
    return static_cast<float>(BandNeutral - position);
}

float TChannelEffects::ReverbMix(int position)
{
    const double p = position;
    return static_cast<float>(-0.012 * p * p * p);
}

bool TChannelEffects::SetBand(int band, int position)
{
    bands_.at(band) = position;
    boxShown_ = false;
    if (ChannelIsPlaying(FXChannel) && !GaveEffectsToNewStream() && set_.bands.at(band) != 0)
        Rewrite<audiolib::ParamEqParameters>(set_.bands.at(band),
                                             [&](auto& record) { record.gain = BandGain(position); });
    return !boxShown_;
}

bool TChannelEffects::SetReverb(int position)
{
    reverb_ = position;
    boxShown_ = false;
    if (ChannelIsPlaying(FXChannel) && !GaveEffectsToNewStream() && set_.reverb != 0)
        Rewrite<audiolib::ReverbParameters>(set_.reverb,
                                            [&](auto& record) { record.mix = ReverbMix(position); });
    return !boxShown_;
}

void TChannelEffects::SetSampleEffect(TSampleEffect effect, bool on)
{
    sampleOn_.at(Index(effect)) = on;
    if (!on)
        Detach(effect);
    else if (ChannelIsPlaying(FXChannel))
        Attach(effect);
}

void TChannelEffects::ShowForChannel(int ch)
{
    FXChannel = ch;
    FXShown = true;
    if (ChannelIsPlaying(FXChannel))
        ApplyFX();
}

bool TChannelEffects::GaveEffectsToNewStream()
{
    if (set_.stream == ChannelStream(FXChannel))
        return false;
    Apply();
    return true;
}

bool TChannelEffects::ApplyFX()
{
    boxShown_ = false;
    Apply();
    return !boxShown_;
}

bool TChannelEffects::Apply()
{
    const audiolib::Handle stream = ChannelStream(FXChannel);
    if (!FXShown || stream == 0)
        return true;
    // The same stream again (the window shown twice while it plays) keeps its one set.
    if (set_.stream != stream && !AddSet(stream))
        return false;
    for (int band = 0; band < BandCount; ++band) {
        if (!WriteBand(band))
            return false;
    }
    if (!WriteReverb())
        return false;
    for (const TSampleEffect effect : {TSampleEffect::Rotate, TSampleEffect::Echo, TSampleEffect::Flanger}) {
        if (SampleEffectOn(effect) && !Attach(effect))
            return false;
    }
    return true;
}

bool TChannelEffects::AddSet(audiolib::Handle stream)
{
    set_ = TEffectSet{stream, {}, 0};
    for (audiolib::Handle* fx : {&set_.bands[0], &set_.bands[1], &set_.bands[2], &set_.reverb}) {
        *fx =
            Calls.SetFX(FXChannel, fx == &set_.reverb ? audiolib::FxReverb : audiolib::FxParamEq, FXPriority);
        if (*fx == 0)
            return Refused("Can not set FX");
    }
    return true;
}

bool TChannelEffects::WriteBand(int band)
{
    const audiolib::ParamEqParameters parameters{BandCentres.at(band), Bandwidth, BandGain(bands_.at(band))};
    return Calls.SetParameters(set_.bands.at(band), &parameters) || Refused("Can not set parameters");
}

bool TChannelEffects::WriteReverb()
{
    return Rewrite<audiolib::ReverbParameters>(set_.reverb, [this](auto& record) {
        record.mix = ReverbMix(reverb_);
        record.time = ReverbTime;
        record.highFreqRatio = ReverbHighFreqRatio;
    });
}

template <typename Record, typename Change> bool TChannelEffects::Rewrite(audiolib::Handle fx, Change change)
{
    Record record;
    if (!Calls.GetParameters(fx, &record))
        return Refused("Can not get parameters");
    change(record);
    return Calls.SetParameters(fx, &record) || Refused("Can not set parameters");
}

bool TChannelEffects::Refused(const char* text)
{
    // The stream has ended meanwhile (it freed itself, and its effects with it): no error for the
    // operator.
    if (MediaErrorCode() != audiolib::ErrorHandle) {
        ShowMediaError(QString::fromLatin1(text));
        boxShown_ = true;
    }
    return false;
}

bool TChannelEffects::Attach(TSampleEffect effect)
{
    Prune();
    const audiolib::Handle stream = ChannelStream(FXChannel);
    if (AttachedTo(stream, effect) > 0)
        return true;
    const audiolib::Handle dsp = ChannelSetDSP(FXChannel, Procedure(effect), Priority(effect));
    if (dsp == 0)
        return Refused("Can not set FX");
    attachments_.push_back({FXChannel, stream, effect, dsp});
    return true;
}

void TChannelEffects::Detach(TSampleEffect effect)
{
    Prune();
    std::erase_if(attachments_, [&](const TAttachment& attachment) {
        if (attachment.effect != effect)
            return false;
        // Refused only when the stream ended meanwhile and took the procedure with it.
        StreamRemoveDSP(attachment.stream, attachment.dsp);
        return true;
    });
}

void TChannelEffects::Prune()
{
    std::erase_if(attachments_, [](const TAttachment& attachment) {
        const TChannel& slot = Channels[attachment.slot];
        return attachment.stream != slot.StreamA() && attachment.stream != slot.StreamB();
    });
}

int TChannelEffects::AttachedTo(audiolib::Handle stream, TSampleEffect effect) const
{
    return static_cast<int>(
        std::count_if(attachments_.begin(), attachments_.end(),
                      [&](const TAttachment& a) { return a.stream == stream && a.effect == effect; }));
}
