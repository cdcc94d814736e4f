// The log lines about the sound outputs: their troubles, what grew since the last line, once a minute
// at most; and the scheduling their threads got, once at start.
#include "playout/OutputHealth.h"
#include "TempFolder.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "playout/DeviceTables.h"
#include "playout/OutputScheduling.h"

#include <cerrno>

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

TEST_F(OutputHealthTest, EachOutputsSchedulingIsLoggedOnceWithWhyRealTimeWasRefused)
{
    using Scheduling = audiolib::OutputScheduling;
    const Scheduling realTime{true, 20, 0};
    const Scheduling refused{true, 0, EPERM};
    const Scheduling noThread{};
    struct Case {
        const char* what;
        Scheduling noSound;
        Scheduling card;
        const char* line; // the line's end; empty: no line
    };
    const Case cases[] = {
        {"both real-time", realTime, realTime,
         " 0 -1 -1 -1 Sound output threads. No sound: real-time priority 20; PCH,0: ALC892 Analog: real-time "
         "priority 20"},
        {"refused to an account without an rtprio limit", realTime, refused,
         " 1 -1 -1 -1 Sound output threads. No sound: real-time priority 20; PCH,0: ALC892 Analog: normal "
         "priority, real-time refused (Operation not permitted: the user's real-time priority limit (ulimit "
         "-r) is "},
        {"device 0 on the manual clock has no thread", noThread, realTime,
         " 0 -1 -1 -1 Sound output threads. PCH,0: ALC892 Analog: real-time priority 20"},
        {"no output started yet", noThread, noThread, ""},
    };
    for (const Case& c : cases) {
        lines_.clear();
        TOutputScheduling scheduling([&c](int device, Scheduling& report) {
            report = device == 0 ? c.noSound : c.card;
            return device <= 1;
        });
        scheduling.Check();
        scheduling.Check(); // once per output
        if (*c.line == '\0') {
            EXPECT_TRUE(lines_.isEmpty()) << c.what;
            continue;
        }
        ASSERT_EQ(lines_.size(), 1) << c.what;
        EXPECT_TRUE(lines_[0].contains(c.line)) << c.what << ": " << lines_[0].toStdString();
    }

    // An output that starts later has its line then.
    lines_.clear();
    Scheduling card = noThread;
    TOutputScheduling later([&card, noThread](int device, Scheduling& report) {
        report = device == 1 ? card : noThread;
        return device <= 1;
    });
    later.Check();
    EXPECT_TRUE(lines_.isEmpty());
    card = realTime;
    later.Check();
    ASSERT_EQ(lines_.size(), 1);
    EXPECT_TRUE(lines_[0].endsWith("Sound output threads. PCH,0: ALC892 Analog: real-time priority 20"));
}

} // namespace
