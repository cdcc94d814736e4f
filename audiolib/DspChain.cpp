#include "audiolib/DspChain.h"

#include <algorithm>

namespace audiolib {

void DspChain::AddProcedure(Handle handle, int priority, DspFunction function)
{
    Insert({handle, priority, std::move(function), nullptr});
}

void DspChain::AddEffect(Handle handle, int priority, std::unique_ptr<Effect> effect)
{
    Insert({handle, priority, nullptr, std::move(effect)});
}

void DspChain::Insert(Entry entry)
{
    // After every entry of a higher or equal priority.
    const auto at = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& other) { return other.priority < entry.priority; });
    entries_.insert(at, std::move(entry));
}

bool DspChain::RemoveProcedure(Handle handle, DspFunction& removed)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& entry) { return entry.handle == handle && !entry.effect; });
    if (it == entries_.end())
        return false;
    removed = std::move(it->function);
    entries_.erase(it);
    return true;
}

Effect* DspChain::FindEffect(Handle handle) const
{
    for (const Entry& entry : entries_) {
        if (entry.handle == handle)
            return entry.effect.get();
    }
    return nullptr;
}

void DspChain::Run(Handle stream, float* stereo, int64_t frames)
{
    const auto bytes = static_cast<uint32_t>(frames * 2 * sizeof(float));
    for (Entry& entry : entries_) {
        if (entry.effect)
            entry.effect->Process(stereo, frames);
        else
            entry.function(entry.handle, stream, stereo, bytes);
    }
}

} // namespace audiolib
