#pragma once
// Holds the mixing of a slot's output device while it lives, so a group of changes to the slot's
// streams (start a stream, set its volume, begin its slide) is heard as one.
class TSlotMixerLock {
public:
    explicit TSlotMixerLock(int slot);
    ~TSlotMixerLock();
    TSlotMixerLock(const TSlotMixerLock&) = delete;
    TSlotMixerLock& operator=(const TSlotMixerLock&) = delete;

private:
    int device_;
};
