#pragma once
// Groups the changes made to a slot's streams while it lives (start a stream, set its volume, begin
// its slide, set its syncs): the library applies them together between two mixed periods, so they
// are heard as one, while the device goes on mixing the slot's other stream.
class TSlotBatch {
public:
    explicit TSlotBatch(int slot);
    ~TSlotBatch();
    TSlotBatch(const TSlotBatch&) = delete;
    TSlotBatch& operator=(const TSlotBatch&) = delete;

private:
    int device_;
};
