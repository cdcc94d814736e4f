#pragma once
// A random reordering of a list whose items are texts with their objects (queue entries,
// combination items): any item type, copied as it is, so objects held by pointer are shared.
#include <QList>

// The source index for each position of the new list: each position draws an index from 0 to
// count - 1 from the program's random source, drawing again while an earlier position holds it.
QList<int> ShuffleOrder(int count);

// A new list with the same items in random order; the source is unchanged.
template <typename Item> QList<Item> ShuffleStrings(const QList<Item>& list)
{
    QList<Item> shuffled;
    shuffled.reserve(list.size());
    for (const int index : ShuffleOrder(static_cast<int>(list.size())))
        shuffled.append(list[index]);
    return shuffled;
}
