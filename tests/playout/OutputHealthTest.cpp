// The log line about the sound outputs' troubles: what grew since the last line, once a minute at most.
#include "playout/OutputHealth.h"
#include "TempFolder.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "playout/DeviceTables.h"

#include <gtest/gtest.h>

namespace {

class OutputHealthTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLogDir_ = LogDir;
        LogDir = folder_.Path() + "logs/";
        Log.Level = 1; // the line is of level 1: kept at the lowest level that keeps anything
        Log.FileName = Log.DailyLogFileName();
        Log.OpenLogFile();
        Log.Memo = [this](const QString& line) { lines_.append(line); };
        OutputDevices[0].Name = "No sound";
        OutputDevices[1].Name = "PCH,0: ALC892 Analog";
    }
    void TearDown() override
    {
        Log.Memo = nullptr;
        Log.CloseLogFile();
        Log.Closed = true;
        LogDir = savedLogDir_;
        OutputDevices = {};
    }

    TempFolder folder_;
    QString savedLogDir_;
    QStringList lines_;
};

TEST_F(OutputHealthTest, TroublesAreLoggedAsTheyGrowAtMostOnceAMinute)
{
    audiolib::OutputCounts card;
    TOutputHealth health([&card](int device, audiolib::OutputCounts& counts) {
        counts = device == 1 ? card : audiolib::OutputCounts{};
        return device <= 1;
    });
    health.Check(1000);
    EXPECT_TRUE(lines_.isEmpty()); // nothing went wrong

    card = {2, 1, 0};
    health.Check(2000);
    ASSERT_EQ(lines_.size(), 1);
    EXPECT_TRUE(
        lines_[0].endsWith("Sound output trouble. PCH,0: ALC892 Analog: 2 underruns, 1 stalls, 0 failures"))
        << lines_[0].toStdString();

    card = {5, 1, 1};
    health.Check(61999); // within the minute: held back
    EXPECT_EQ(lines_.size(), 1);
    health.Check(62000); // what grew since the last line
    ASSERT_EQ(lines_.size(), 2);
    EXPECT_TRUE(lines_[1].endsWith("PCH,0: ALC892 Analog: 3 underruns, 0 stalls, 1 failures"))
        << lines_[1].toStdString();

    health.Check(200000);
    EXPECT_EQ(lines_.size(), 2); // nothing new
}

} // namespace
