#pragma once
// Opening and closing the sound card's line-in and microphone inputs for a channel: the source line
// of that kind on the mixer that belongs to the channel's output device.
#include <QString>

class TAudioMixer;

enum class MixerSourceKind { Microphone = 0, Line = 1 };

// Selects the first mixer whose product name is deviceName (the last one when none is), finds the
// first connection of the kind on its destination 0, and unmutes it (enable) or mutes it. False when
// nothing was switched: no mixer, no such connection, or the card refused.
bool EnableMixerSource(TAudioMixer& mixer, MixerSourceKind kind, const QString& deviceName, bool enable);
