#include "library/CombiInfoText.h"

#include "foundation/Durations.h"
#include "library/CombiItem.h"

namespace library {

namespace {

constexpr int64_t MSecsPerHour = 3600000;

int CountNodes(const QTreeWidget& tree)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
        ++count;
    return count;
}

// The sum of the direct children's durations, in seconds.
int64_t ChildrenSeconds(const QTreeWidgetItem& node)
{
    int64_t seconds = 0;
    for (int i = 0; i < node.childCount(); ++i)
        if (const TCombiItem* child = CombiItem(node.child(i)))
            seconds += child->Data.Duration;
    return seconds;
}

} // namespace

QString CombiTime(int64_t msecs)
{
    return FormatDuration(msecs, msecs >= MSecsPerHour ? DurationForm::HoursMinutesSeconds
                                                       : DurationForm::MinutesSeconds);
}

QString CombiInfoText(int32_t kind, int children, int themes, int64_t seconds)
{
    const QString time = " (" + CombiTime(seconds * 1000) + ") ";
    switch (kind) {
    case 0:
        return "Tot: " + QString::number(children) + ", Temas: " + QString::asprintf("%3d", themes) + time;
    case 1:
        return "Temas: " + QString::asprintf("%3d", themes) + time;
    case 2:
        return "(" + CombiTime(seconds * 1000) + ") ";
    default:
        return {};
    }
}

QString CombiInfoText(const QTreeWidget& tree, const QTreeWidgetItem& node)
{
    const TCombiItem* record = CombiItem(&node);
    if (!record)
        return {};
    switch (record->Data.Kind) {
    case 0: {
        int64_t total = 0;
        for (int i = 0; i < node.childCount(); ++i)
            total += ChildrenSeconds(*node.child(i));
        return CombiInfoText(0, node.childCount(), CountNodes(tree) - node.childCount() - 1, total);
    }
    case 1:
        return CombiInfoText(1, node.childCount(), node.childCount(), ChildrenSeconds(node));
    default:
        return CombiInfoText(record->Data.Kind, 0, 0, record->Data.Duration);
    }
}

} // namespace library
