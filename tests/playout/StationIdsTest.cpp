// Station identifications every N entries and every S seconds: where they go, the picker's calls,
// and the insertion into a queue.
#include "playout/StationIds.h"

#include "QueueFixture.h"

#include <gtest/gtest.h>

namespace {

class StationIdsTest : public QueueFixture {
protected:
    StationIdsTest() : queue(1) {}

    void Fill(int count, int64_t seconds)
    {
        for (int i = 0; i < count; ++i)
            AppendEntry(queue, "E" + QString::number(i), seconds);
    }

    // Hands out the identification file, records the index it was asked with, and walks the index
    // down as the folders' picker does; the second call finds nothing.
    TStationIdPicker Picker()
    {
        return [this](int& index, bool random, bool fromSelected) -> std::optional<TStationId> {
            asked.push_back(index);
            EXPECT_TRUE(random);
            EXPECT_FALSE(fromSelected);
            --index;
            if (asked.size() == 2)
                return std::nullopt;
            return TStationId{id, 1};
        };
    }

    TChannelQueue queue;
    QString id = Wav("id.wav", 1);
    std::vector<int> asked;
};

} // namespace

TEST(StationIdPointsTest, IntervalsAreWholeNumbersInTheirRange)
{
    const std::tuple<QString, int, std::optional<int>> cases[] = {
        {"3", MaxEveryEntries, 3},
        {"50", MaxEveryEntries, 50},
        {"51", MaxEveryEntries, std::nullopt},
        {"0", MaxEveryEntries, std::nullopt},
        {"x", MaxEveryEntries, std::nullopt},
        {"", MaxEveryEntries, std::nullopt},
        {"-2", MaxEveryEntries, std::nullopt},
        {"2.5", MaxEveryEntries, std::nullopt},
        {"36000", MaxEverySeconds, 36000},
        {"36001", MaxEverySeconds, std::nullopt},
    };
    for (const auto& [text, maximum, expected] : cases)
        EXPECT_EQ(StationIdInterval(text, maximum), expected) << text.toStdString();
}

TEST(StationIdPointsTest, EveryNEntriesGoesBeforeEachMultipleAndAtAMultipleEnd)
{
    const std::tuple<int, int, std::vector<int>> cases[] = {
        {10, 3, {3, 6, 9}}, {9, 3, {3, 6, 9}}, {2, 3, {}}, {3, 3, {3}}, {0, 1, {}}, {3, 1, {1, 2, 3}},
    };
    for (const auto& [count, n, expected] : cases)
        EXPECT_EQ(EveryEntriesPoints(count, n), expected) << count << " every " << n;
}

TEST(StationIdPointsTest, EverySSecondsGoesAfterEachEntryThatPassesAMark)
{
    struct Case {
        std::vector<int64_t> durations;
        int seconds;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // Marks 150, 300, 450 and 600 are reached in the second, third, fifth and sixth entries.
        {{100, 100, 100, 100, 100, 100}, 150, {2, 3, 5, 6}},
        // One however many marks an entry passes.
        {{500, 10}, 100, {1}},
        // Reaching a mark exactly counts.
        {{100, 100}, 100, {1, 2}},
        // Shorter than S: one after the last entry.
        {{10, 20}, 100, {2}},
        {std::vector<int64_t>{}, 100, std::vector<int>{}},
        // Durations past 32 bits.
        {{4'000'000'000, 1}, 36000, {1}},
    };
    for (const auto& [durations, seconds, expected] : cases)
        EXPECT_EQ(EverySecondsPoints(durations, seconds), expected)
            << durations.size() << " every " << seconds;

    // At most 1000 marks: 1500 entries of one second each, S = 1, get 1000.
    EXPECT_EQ(EverySecondsPoints(std::vector<int64_t>(1500, 1), 1).size(), 1000u);
}

TEST_F(StationIdsTest, EveryNEntriesAsksFromTheLastPointAndInsertsWhatItGets)
{
    Fill(10, 60);
    InsertEveryEntries(queue, 3, Picker(), true, false);
    // Points 3, 6, 9 asked from the last, the index starting at their number; 6 got nothing.
    EXPECT_EQ(asked, (std::vector<int>{3, 2, 1}));
    const QString idTitle = queue.Entry(3).Title;
    EXPECT_EQ(queue.Entry(3).FileName, id);
    EXPECT_EQ(Titles(queue),
              (QStringList{"E0", "E1", "E2", idTitle, "E3", "E4", "E5", "E6", "E7", "E8", idTitle, "E9"}));
    // Each inserted file counts in the queue's time.
    EXPECT_EQ(queue.TotalMs(), (10 * 60 + 2) * 1000);
}

TEST_F(StationIdsTest, EverySSecondsAsksInQueueOrderAndInsertsAfterTheEntries)
{
    Fill(6, 100);
    InsertEverySeconds(queue, 150, Picker(), true, false);
    EXPECT_EQ(asked, (std::vector<int>{0, -1, -2, -3}));
    const QString idTitle = queue.Entry(2).Title;
    EXPECT_EQ(queue.Entry(2).FileName, id);
    // The second point (after E2) got nothing.
    EXPECT_EQ(Titles(queue), (QStringList{"E0", "E1", idTitle, "E2", "E3", "E4", idTitle, "E5", idTitle}));
}

TEST_F(StationIdsTest, NoPickerInsertsNothing)
{
    Fill(6, 100);
    InsertEveryEntries(queue, 3, nullptr, false, false);
    InsertEverySeconds(queue, 100, nullptr, false, false);
    EXPECT_EQ(queue.Count(), 6);
}
