// The output-device window: the list of stored device names, the slot's device chosen at each
// showing, OK and Cancel, and Apply starting the slot's player on the chosen device.
#include "playout/SelectDevice.h"
#include "DialogAnswerer.h"
#include "FakeDevices.h"
#include "QueueFixture.h"
#include "controls/LXLabel.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

namespace {

// Points a window's global at a test's window while it lives.
template <typename Window> class Global {
public:
    Global(Window*& global, Window* window) : global_(global) { global_ = window; }
    ~Global() { global_ = nullptr; }

private:
    Window*& global_;
};

QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

// "No sound" and three cards from the fake device system; nothing fails while they are listed.
class SelectDeviceTest : public QueueFixture {
protected:
    SelectDeviceTest() : previous_(InstallDeviceSystem(&devices)) {}
    ~SelectDeviceTest() override { InstallDeviceSystem(previous_); }
    // After the fixture's own tables.
    void SetUp() override
    {
        QueueFixture::SetUp();
        LoadOutputDevices(OutputDevices);
    }

    void Choose(int index) { window.CBOutputDevices->setCurrentIndex(index); }

    FakeDevices devices;
    ScriptedDialogAnswerer dialogs;
    TFSelectDevice window;

private:
    DeviceSystem* previous_;
};

} // namespace

TEST_F(SelectDeviceTest, EachShowingChoosesTheSlotsDevice)
{
    EXPECT_EQ(window.objectName(), "FSelectDevice");
    EXPECT_EQ(window.windowTitle(), "Select device");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.LInfo->Caption(), "Device");
    EXPECT_TRUE(window.BOk->isDefault());
    EXPECT_EQ(window.CBOutputDevices->count(), 0);

    Channels[1].Device = "Card 1";
    Channels[2].Device = "A card since unplugged";
    Channels[3].Device = "";
    Channels[4].Device = "Card 2";
    const struct {
        int slot;
        const char* info;
        int chosen;
    } cases[] = {
        {4, "CUE (prelisten)", 2}, {1, "Channel 1", 1},
        {2, "Channel 2", 1},  // a name not listed finds device 1
        {3, "Channel 3", -1}, // an empty name finds the first empty entry, which the list lacks
        {7, "Channel 3", -1}, // no such slot: the caption stays, nothing is chosen
        {4, "CUE (prelisten)", 2},
    };
    for (const auto& c : cases) {
        window.SetSlot(c.slot);
        window.show();
        EXPECT_EQ(window.LInfo->Caption(), c.info) << c.slot;
        EXPECT_EQ(window.CBOutputDevices->currentIndex(), c.chosen) << c.slot;
        window.hide();
        // The list is filled once, at the first showing.
        OutputDevices[4].Name = "Card 4";
        EXPECT_EQ(Items(*window.CBOutputDevices), QStringList({"No sound", "Card 1", "Card 2", "Card 3"}));
    }
}

TEST_F(SelectDeviceTest, OkStoresTheChoiceAndCancelDoesNot)
{
    Channels[4].Device = "Card 1";
    window.SetSlot(4);
    window.show();
    Choose(2);
    window.BCancel->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Channels[4].Device, "Card 1");

    window.show();
    EXPECT_EQ(window.CBOutputDevices->currentIndex(), 1);
    Choose(3);
    window.BOk->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Channels[4].Device, "Card 3");

    // Nothing chosen stores nothing; a slot without a player window is only stored on Apply.
    Channels[3].Device = "";
    window.SetSlot(3);
    window.show();
    window.BOk->click();
    EXPECT_EQ(Channels[3].Device, "");
    window.show();
    Choose(1);
    window.BApply->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Channels[3].Device, "Card 1");
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(SelectDeviceTest, ApplyStartsThePreListenPlayerOnTheChosenDevice)
{
    TFCUEPlayer cue;
    const Global<TFCUEPlayer> global(FCUEPlayer, &cue);
    devices.failInit = 2;
    window.SetSlot(4);
    window.show();

    // OK only stores: the device is started at the player's next start.
    Choose(2);
    window.BOk->click();
    EXPECT_EQ(Channels[4].Device, "Card 2");
    EXPECT_TRUE(dialogs.Shown().empty());

    window.show();
    dialogs.ExpectButton(QMessageBox::Ok);
    window.BApply->click();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Media Error");
    EXPECT_TRUE(dialogs.Shown()[0].text.startsWith("Can not initialize device \"Card 2\""));
    EXPECT_EQ(Channels[4].Device, "Card 2");

    Choose(3);
    window.BApply->click();
    EXPECT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(Channels[4].Device, "Card 3");
}

// On device 0: the channel's own device, which the fixture's library already runs.
class SelectDeviceOnNoSoundTest : public QueueFixture {
protected:
    ScriptedDialogAnswerer dialogs;
};

TEST_F(SelectDeviceOnNoSoundTest, ApplyForChannelOneMovesThePlayingChannelOn)
{
    TFChannel1 channel;
    const Global<TFChannel1> global(FChannel1, &channel);
    channel.DoFirstShow();
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        channel.AddItem(Wav(name, 30), 1);
    channel.PlayItemAt(0);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(channel.Queue().ItemIndex(), 0);
    ASSERT_TRUE(ChannelIsPlaying(1));

    TFSelectDevice window;
    window.SetSlot(1);
    window.show();
    EXPECT_EQ(Items(*window.CBOutputDevices), QStringList({"No sound"}));
    EXPECT_EQ(window.CBOutputDevices->currentIndex(), -1); // the slot has no device yet
    window.CBOutputDevices->setCurrentIndex(0);
    window.BApply->click();
    EXPECT_EQ(Channels[1].Device, "No sound");
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(channel.Queue().ItemIndex(), 1);
    EXPECT_TRUE(ChannelIsPlaying(1));
    EXPECT_TRUE(dialogs.Shown().empty());
}
