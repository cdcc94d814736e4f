#pragma once
// Start-up and shut-down of the audio library for the whole station.

// True when the library is version 2.2.
bool CheckMediaLibrary();
// Loads the plug-in and configures the library; always true.
bool SetupMedia();
// Per slot: selects its device, stops it and frees it; then frees the plug-ins.
void FreeMedia();
