#include "DialogAnswerer.h"
#include "FakeDevices.h"

#include "audiolib/AudioLib.h"
#include "playout/DeviceTables.h"

#include <gtest/gtest.h>

namespace {

TDevices Table(const QStringList& names)
{
    TDevices table;
    for (int i = 0; i < names.size(); ++i)
        table[i] = TDevice{names[i], names[i], names[i].isEmpty() ? -1 : 0, 0, {}};
    return table;
}

} // namespace

TEST(DeviceTables, GetDeviceIndexMatchesExactlyOrFallsBackToOne)
{
    const TDevices table = Table({"No sound", "Card A", "Card B"});
    struct Case {
        QString name;
        int index;
    };
    for (const Case& c :
         {Case{"Card B", 2}, Case{"No sound", 0}, Case{"Unknown", 1}, Case{"card b", 1}, Case{"", 3}}) {
        EXPECT_EQ(GetDeviceIndex(table, c.name), c.index) << c.name.toStdString();
    }
    EXPECT_EQ(GetDeviceIndex(Table({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}), ""), 1);
    EXPECT_EQ(GetDeviceName(table, 2), "Card B");
}

TEST(DeviceTables, PlaybackTreatsAnEmptyNameAsUnknownAndFallsBackToNoSound)
{
    const TDevices withCards = Table({"No sound", "Card A", "Card B"});
    const TDevices noCard = Table({"No sound"});
    struct Case {
        const TDevices& table;
        QString name;
        int index;
    };
    for (const Case& c : {Case{withCards, "", 1}, Case{withCards, "Unknown", 1}, Case{withCards, "Card B", 2},
                          Case{withCards, "No sound", 0}, Case{noCard, "", 0}, Case{noCard, "Card A", 0},
                          Case{noCard, "No sound", 0}}) {
        EXPECT_EQ(PlaybackDeviceIndex(c.table, c.name), c.index) << c.name.toStdString();
    }
}

TEST(DeviceTables, FillDeviceListStopsAtTheFirstEmptyName)
{
    QStringList list{"left over"};
    FillDeviceList(Table({"No sound", "Card A", "", "Card C"}), list);
    EXPECT_EQ(list, QStringList({"No sound", "Card A"}));

    const QStringList ten{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    FillDeviceList(Table(ten), list);
    EXPECT_EQ(list, ten);
}

TEST(DeviceTables, LoadOutputDevicesPairsNamesAndStopsAtARefusedDevice)
{
    struct Case {
        int failInit;
        int failSet;
        int already;
        int listed;
        QString box;
    };
    const QString refusal = "\n\nError Code: 23 ERROR_DEVICE";
    for (const Case& c : {Case{-1, -1, -1, 4, ""}, Case{-1, -1, 1, 4, ""},
                          Case{2, -1, -1, 2, "Error initializating output device" + refusal},
                          Case{-1, 2, -1, 2, "Error setting output device" + refusal}}) {
        SCOPED_TRACE(c.box.toStdString());
        FakeDevices fake;
        fake.failInit = c.failInit;
        fake.failSet = c.failSet;
        fake.already = c.already;
        if (c.already >= 0) {
            ASSERT_TRUE(audiolib::Init(0, 44100, 0));
        }
        DeviceSystem* previous = InstallDeviceSystem(&fake);
        ScriptedDialogAnswerer dialogs;
        if (!c.box.isEmpty())
            dialogs.ExpectButton(QMessageBox::Ok);

        TDevices table = Table({"old", "old", "old", "old", "old", "old"});
        table[5].Sources[0] = TSource{"Line", 3};
        LoadOutputDevices(table);
        InstallDeviceSystem(previous);
        if (c.already >= 0) {
            ASSERT_TRUE(audiolib::SetDevice(0) && audiolib::Free());
        }

        if (!c.box.isEmpty()) {
            ASSERT_EQ(dialogs.Shown().size(), 1);
            EXPECT_EQ(dialogs.Shown()[0].caption, "Media Error");
            EXPECT_EQ(dialogs.Shown()[0].text, c.box);
            EXPECT_EQ(dialogs.Shown()[0].icon, QMessageBox::Critical);
        }
        const QStringList names{"No sound", "Card 1", "Card 2", "Card 3"};
        const QStringList descriptions{"No sound", "Desc 1", "Desc 2", "Desc 3"};
        for (int i = 0; i < 10; ++i) {
            const TDevice& entry = table[i];
            const bool listed = i < c.listed;
            EXPECT_EQ(entry.Flag, listed ? 0 : -1) << i;
            EXPECT_EQ(entry.Name, listed ? names[i] : "") << i;
            EXPECT_EQ(entry.Description, listed ? descriptions[i] : "") << i;
            EXPECT_EQ(entry.Caps, listed ? CapsFloat : 0u) << i;
            EXPECT_EQ(entry.Sources[0].Name, "") << i;
            EXPECT_EQ(entry.Sources[0].Input, -1) << i;
        }
    }
}

TEST(DeviceTables, LoadInputDevicesPairsNamesWithoutOffsetAndListsTheInputs)
{
    FakeDevices fake;
    fake.failSetInput = 1;
    DeviceSystem* previous = InstallDeviceSystem(&fake);
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    TDevices table;
    LoadInputDevices(table);
    InstallDeviceSystem(previous);

    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, "Error setting input device\n\nError Code: 23 ERROR_DEVICE");
    EXPECT_EQ(table[0].Description, "In 0");
    EXPECT_EQ(table[0].Name, "Mic A");
    EXPECT_EQ(table[0].Flag, 1);
    EXPECT_EQ(table[0].Sources[0].Name, "Line");
    EXPECT_EQ(table[0].Sources[0].Input, 50);
    EXPECT_EQ(table[0].Sources[1].Name, "Microphone");
    EXPECT_EQ(table[0].Sources[1].Input, 51);
    EXPECT_EQ(table[0].Sources[2].Name, "");
    EXPECT_EQ(table[0].Sources[2].Input, -1);
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(table[i].Flag, -1) << i;
        EXPECT_EQ(table[i].Name, "") << i;
    }
}

// With the machine's own device list (ALSA's "null" PCM in tests), a name stored in the settings finds
// its device again in a later listing.
TEST(DeviceTables, AStoredNameFindsItsDeviceInTheNextListing)
{
    TDevices first;
    TDevices second;
    LoadOutputDevices(first);
    LoadOutputDevices(second); // the devices are initialised already: that counts as success
    for (int device = 0; audiolib::SetDevice(device); ++device)
        audiolib::Free();
    ASSERT_EQ(first[1].Name, "null");
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(second[i].Name, first[i].Name) << "entry " << i;
    EXPECT_EQ(GetDeviceIndex(second, first[1].Name), 1);
    EXPECT_EQ(GetDeviceIndex(second, "No sound"), 0);
}
