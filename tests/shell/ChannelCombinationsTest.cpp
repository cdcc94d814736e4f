// Channel 1's queue saved as a combination reaches the station's own combinations window.
#include "StationFixture.h"

#include "library/Combinations.h"
#include "playout/Channel1.h"

class ChannelCombinationsStationTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
    }
};

TEST_F(ChannelCombinationsStationTest, TheChannelAsksAndFillsTheStationsCombinations)
{
    bool before = true;
    bool after = false;
    RunStation({AtFirstShowEnd([&] {
        const TChannel1Calls& calls = FChannel1->Calls;
        before = calls.CombinationExists("Morning");
        TTemaData entry;
        entry.Title = "one";
        entry.FileName = ProgramFile("one.wav");
        entry.Duration = 3;
        calls.AddCombinationFromList("Morning", {entry});
        after = FCombinations->CombinationExists("morning") && calls.CombinationExists("MORNING");
    })});
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
}
