#include "EffectsFixture.h"

#include <gtest/gtest.h>

EffectsFixture::EffectsFixture()
{
    const TFXCalls layer = LayerFXCalls();
    effects.Calls.SetFX = [this, layer](int slot, uint32_t type, int priority) {
        const audiolib::Handle fx = layer.SetFX(slot, type, priority);
        added.push_back({type, priority, fx});
        return fx;
    };
    effects.Calls.SetParameters = [this, layer](audiolib::Handle fx, const void* parameters) {
        ++writes;
        return layer.SetParameters(fx, parameters);
    };
    QObject::connect(&playback, &TChannelPlayback::ApplyFX, &window, [this] { window.ApplyFX(); });
}

void EffectsFixture::StartEntry(const QString& name, int seconds)
{
    const int index = queue.AddItem(ConstantWav(name, seconds, 0, 0.25), 1);
    const auto frame = static_cast<int64_t>(output.size() / 2);
    RunUntil(frame + Block, {{frame, [this, index] { playback.PlayItemAt(index); }}});
}

audiolib::ParamEqParameters EffectsFixture::ReadBand(int band) const
{
    audiolib::ParamEqParameters parameters{};
    EXPECT_GE(added.size(), 4u);
    if (added.size() >= 4) {
        EXPECT_TRUE(::FXGetParameters(added[added.size() - 4 + band].fx, &parameters));
    }
    return parameters;
}

audiolib::ReverbParameters EffectsFixture::ReadReverb() const
{
    audiolib::ReverbParameters parameters{};
    EXPECT_GE(added.size(), 4u);
    if (!added.empty()) {
        EXPECT_TRUE(::FXGetParameters(added.back().fx, &parameters));
    }
    return parameters;
}
