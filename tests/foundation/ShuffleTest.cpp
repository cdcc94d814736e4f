#include "foundation/Shuffle.h"

#include "platform/Random.h"

#include <QMap>
#include <QPair>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

struct Record {
    int id;
};
using Entry = QPair<QString, std::shared_ptr<Record>>;

QList<Entry> Entries(int count)
{
    QList<Entry> entries;
    for (int i = 0; i < count; ++i)
        entries.append({QString("item %1").arg(i), std::make_shared<Record>(Record{i})});
    return entries;
}

} // namespace

TEST(ShuffleStrings, SameItemsWithTheirSharedObjectsAndTheSourceUnchanged)
{
    platform::SeedRandom(7);
    const QList<Entry> source = Entries(20);
    const QList<Entry> before = source;
    const QList<Entry> shuffled = ShuffleStrings(source);

    EXPECT_EQ(source, before);
    ASSERT_EQ(shuffled.size(), source.size());
    EXPECT_NE(shuffled, source);
    for (const Entry& entry : shuffled) {
        // the text still travels with its own object, and that object is the very same one
        EXPECT_EQ(entry.first, QString("item %1").arg(entry.second->id));
        EXPECT_EQ(entry.second, source[entry.second->id].second);
    }
    QList<Entry> sorted = shuffled;
    std::sort(sorted.begin(), sorted.end(),
              [](const Entry& a, const Entry& b) { return a.second->id < b.second->id; });
    EXPECT_EQ(sorted, source);
}

TEST(ShuffleStrings, EmptyAndSingleLists)
{
    EXPECT_TRUE(ShuffleStrings(QList<Entry>()).isEmpty());
    const QList<Entry> one = Entries(1);
    EXPECT_EQ(ShuffleStrings(one), one);
}

TEST(ShuffleStrings, AFixedSeedGivesAFixedOrder)
{
    platform::SeedRandom(2024);
    const QList<int> first = ShuffleOrder(50);
    platform::SeedRandom(2024);
    EXPECT_EQ(ShuffleOrder(50), first);
    platform::SeedRandom(2025);
    EXPECT_NE(ShuffleOrder(50), first);
}

TEST(ShuffleStrings, EveryOrderIsEquallyLikely)
{
    platform::SeedRandom(99);
    QMap<QList<int>, int> seen;
    for (int i = 0; i < 6000; ++i)
        ++seen[ShuffleOrder(3)];
    ASSERT_EQ(seen.size(), 6);
    for (const int count : seen) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }
}
