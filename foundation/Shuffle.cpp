#include "foundation/Shuffle.h"

#include "platform/Random.h"

QList<int> ShuffleOrder(int count)
{
    QList<int> order;
    order.reserve(count);
    QList<bool> taken(count, false);
    for (int position = 0; position < count; ++position) {
        int index;
        do
            index = platform::Random(count);
        while (taken[index]);
        taken[index] = true;
        order.append(index);
    }
    return order;
}
