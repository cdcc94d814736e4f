// The line-in event dialog, driven through its controls and through the dialog service.
#include "playout/LineInEvent.h"

#include "DialogAnswerer.h"
#include "controls/LXButton.h"
#include "foundation/QueueEntryText.h"

#include <QImage>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

void Type(TFLineInEvent& dialog, const QString& name, int hours, int minutes, int seconds)
{
    QTest::keyClicks(dialog.EName, name);
    dialog.SEHours->setValue(hours);
    dialog.SEMinuts->setValue(minutes);
    dialog.SESeconds->setValue(seconds);
}

// Light pixels inside the button's frame: its caption, when it can be read on the dark face.
int LightPixelsInside(TLXButton* button)
{
    const QImage image = button->grab().toImage();
    int light = 0;
    for (int y = 4; y < image.height() - 4; ++y)
        for (int x = 4; x < image.width() - 4; ++x)
            if (qGray(image.pixel(x, y)) > 160)
                ++light;
    return light;
}

} // namespace

TEST(LineInEventTest, TheButtonsShowTheirCaptionsOnTheBlackDialog)
{
    TFLineInEvent dialog;
    dialog.show();
    for (TLXButton* button : {dialog.BOk, dialog.BCancel}) {
        EXPECT_EQ(button->Color(), platform::clBlack);
        EXPECT_GT(LightPixelsInside(button), 10) << button->Caption().toStdString();
    }
}

TEST(LineInEventTest, OkClosesOnlyWithANameAndADuration)
{
    struct Case {
        QString name;
        int hours, minutes, seconds;
        int expectedSeconds; // 0: the dialog stays open
        QString expectedText;
    };
    const Case cases[] = {
        {"", 0, 0, 30, 0, ""},
        {"x", 0, 0, 0, 0, ""},
        {"x", 0, 60, 60, 3660, "[LINEIN 3660 x ]"},
        {"a b", 48, 0, 0, 172800, "[LINEIN 172800 a b ]"},
        {" padded ", 0, 0, 5, 5, "[LINEIN 5  padded  ]"}, // kept as typed
    };
    TFLineInEvent dialog;
    for (const Case& c : cases) {
        dialog.show();
        Type(dialog, c.name, c.hours, c.minutes, c.seconds);
        QTest::mouseClick(dialog.BOk, Qt::LeftButton);
        TLineInEvent event;
        dialog.GetEvent(event);
        if (c.expectedSeconds == 0) {
            EXPECT_TRUE(dialog.isVisible()) << c.name.toStdString();
            EXPECT_TRUE(dialog.IsCancelled());
            dialog.hide();
            continue;
        }
        EXPECT_FALSE(dialog.isVisible()) << c.name.toStdString();
        EXPECT_FALSE(dialog.IsCancelled());
        EXPECT_EQ(event.Seconds, c.expectedSeconds);
        EXPECT_EQ(event.Text, c.expectedText);
        EXPECT_EQ(GetLineInSeconds(event.Text), c.expectedSeconds);
    }
}

TEST(LineInEventTest, CancelEscapeAndCloseLeaveItCancelledAndEachShowingStartsEmpty)
{
    TFLineInEvent dialog;
    EXPECT_EQ(dialog.windowTitle(), "Line in event");
    EXPECT_TRUE(dialog.BOk->Default());
    EXPECT_EQ(dialog.BOk->Caption(), "Ok");
    EXPECT_EQ(dialog.BCancel->Caption(), "Cancel");
    EXPECT_EQ(dialog.SEHours->maximum(), 48);
    EXPECT_EQ(dialog.SEMinuts->maximum(), 60);
    EXPECT_EQ(dialog.SESeconds->maximum(), 60);

    // Enter presses the default button.
    dialog.show();
    Type(dialog, "News", 0, 1, 0);
    QTest::keyClick(dialog.EName, Qt::Key_Return);
    ASSERT_FALSE(dialog.isVisible());
    ASSERT_FALSE(dialog.IsCancelled());

    const std::function<void()> ways[] = {
        [&] { QTest::mouseClick(dialog.BCancel, Qt::LeftButton); },
        [&] { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [&] { dialog.close(); },
    };
    for (const auto& leave : ways) {
        dialog.show();
        EXPECT_TRUE(dialog.IsCancelled());
        EXPECT_EQ(dialog.EName->text(), "");
        EXPECT_EQ(dialog.SEHours->value() + dialog.SEMinuts->value() + dialog.SESeconds->value(), 0);
        Type(dialog, "News", 0, 1, 0);
        leave();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.IsCancelled());
    }
}

TEST(LineInEventTest, TheDialogServiceAnswersItLikeAnyBox)
{
    ScriptedDialogAnswerer dialogs;
    TFLineInEvent dialog;
    dialogs.ExpectWindow(QMessageBox::Ok, {"Studio", "0", "1", "5"});
    dialog.ShowModal();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].kind, platform::DialogKind::Window);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Line in event");
    EXPECT_FALSE(dialog.IsCancelled());
    TLineInEvent event;
    dialog.GetEvent(event);
    EXPECT_EQ(event.Text, "[LINEIN 65 Studio ]");

    // Values beyond the ranges are clamped by the spin edits.
    dialogs.ExpectWindow(QMessageBox::Ok, {"x", "99", "61", "75"});
    dialog.ShowModal();
    dialog.GetEvent(event);
    EXPECT_EQ(event.Seconds, 48 * 3600 + 3600 + 60);

    dialogs.ExpectWindow(QMessageBox::Ok, {"", "0", "0", "30"});
    dialog.ShowModal();
    EXPECT_TRUE(dialog.IsCancelled());
    dialogs.ExpectCancel();
    dialog.ShowModal();
    EXPECT_TRUE(dialog.IsCancelled());
}
