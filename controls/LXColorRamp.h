#pragma once
// Colour arithmetic of the painting routines: blends, the ramps gradients step through and the palette
// kept for them. Colour values only, no canvas, so the containers' image palettes need no widget.
#include "platform_gui/Color.h"

#include <QList>
#include <optional>

// Per channel a + k (b - a) / n, truncated; a for n 0.
platform::TColor BlendColor(platform::TColor a, platform::TColor b, int k, int n);
// Steps 0 to count - 1 of the ramp from a to b after clearing the list (restart), or steps 1 to
// count - 1 appended; a single step is a.
void BuildColorRamp(platform::TColor a, platform::TColor b, int count, bool restart,
                    QList<platform::TColor>* list);

// A logical palette as the original platform describes one: version 0x300 and, per colour, the
// no-collapse flag 4. Painting in true colour never selects it; gradients keep it for their readers.
struct TLXPalette {
    static constexpr int Version = 0x300;
    static constexpr int EntryFlags = 4;
    QList<platform::TColor> Entries;
};
// None for an empty list.
std::optional<TLXPalette> CreateRampPalette(const QList<platform::TColor>& colors);
