#pragma once
// Aligned placement as the original toolkit did it: within an area, controls aligned to the top are
// stacked downward from its top edge, then those aligned to the bottom upward from its bottom, then
// left and right ones across what remains, and client ones fill the rest. Each takes its strip from
// the area, so later ones get less.
#include <QRect>
#include <vector>

namespace platform {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TAlignItem {
    TAlign Align = TAlign::alNone;
    QRect Bounds; // current bounds: the kept size, and the order within one kind
};

// The new bounds of each item in the list's order; unaligned items keep theirs. Within one kind the
// items go by their current place (top ones by top, bottom ones bottom-most first, left ones by
// left, right ones right-most first), ties in list order.
std::vector<QRect> AlignWithin(const QRect& area, const std::vector<TAlignItem>& items);

} // namespace platform
