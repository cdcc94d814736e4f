#include "foundation/Options.h"

TOptions StationOptions;

void ClampFadeOptions(TOptions& options)
{
    for (int channel = 1; channel <= PlayoutChannelCount; ++channel) {
        options.FadeInterval[channel] = FadeIntervalRange.Clamp(options.FadeInterval[channel]);
        options.CrossfadeInterval[channel] = CrossfadeIntervalRange.Clamp(options.CrossfadeInterval[channel]);
        options.CrossfadeMin[channel] = CrossfadeMinRange.Clamp(options.CrossfadeMin[channel]);
    }
}
