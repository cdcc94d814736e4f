#pragma once
// The output device of a player slot, at its owner's set-up and after the device window's Apply.
// GUI thread only.

// Initialises the device the slot plays on (the playback lookup of ChannelPlayFile). A refusal other
// than "already initialised" shows the "Media Error" box "Can not initialize device" with the slot's
// device name. False when the device is not listed or could not be initialised.
bool InitSlotOutputDevice(int slot);
