#include "DialogAnswerer.h"

#include "audiolib/AudioLib.h"
#include "playout/MediaError.h"

#include <gtest/gtest.h>

TEST(MediaError, TextNamesTheCodeOrGivesTheEffectCode)
{
    struct Case {
        int code;
        QString text;
    };
    for (const Case& c :
         {Case{-1, "Failed\n\nError Code: -1 ERROR_UNKNOWN"}, Case{0, "Failed\n\nError Code: 0 OK"},
          Case{14, "Failed\n\nError Code: 14 ERROR_ALREADY"},
          Case{10, "Failed\n\nError Code: 10 ERROR_UNKNOWN 2"},
          Case{-2, "Failed\n\nError Code: -2 ERROR_UNKNOWN 2"},
          Case{42, "Failed\n\nError Code: 42 ERROR_SPEAKER"},
          Case{99, "Failed\n\nError Code: 99 ERROR_UNKNOWN 2"},
          Case{2000, "Failed\n\nFX Error Code: 2000"}}) {
        EXPECT_EQ(MediaErrorText("Failed", c.code), c.text) << c.code;
    }
}

TEST(MediaError, BoxShowsTheLibrarysLastError)
{
    ASSERT_TRUE(audiolib::SetConfig(audiolib::ConfigNullManual, 1));
    ASSERT_TRUE(audiolib::Init(0, 44100, 0));
    const bool again = audiolib::Init(0, 44100, 0);
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    ShowMediaError("Error initializating output device");
    EXPECT_FALSE(again);
    ASSERT_TRUE(audiolib::SetDevice(0) && audiolib::Free());

    ASSERT_EQ(dialogs.Shown().size(), 1);
    const platform::DialogRequest& box = dialogs.Shown()[0];
    EXPECT_EQ(box.caption, "Media Error");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, "Error initializating output device\n\nError Code: 14 ERROR_ALREADY");
}
