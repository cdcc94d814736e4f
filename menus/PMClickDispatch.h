#pragma once
// Clicks chosen in a menu run after the menu has closed, from the event loop, in the order they were
// queued. Each thread keeps a dispatcher and a list of pending targets while it has live items or
// viewers; a target freed before its turn leaves a marker in its slot, so its click finds nothing.
#include <cstdint>

class TPMCustomItem;

// Live items and viewers of the calling thread; the dispatcher goes when the count reaches 0.
void CountMenuObject();
void UncountMenuObject();

void QueueClick(TPMCustomItem* target, std::uintptr_t param);
// Marks every pending slot of the target as freed.
void ForgetQueuedClicks(const void* target);
