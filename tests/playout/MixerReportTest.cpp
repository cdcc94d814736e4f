// The mixers' report and the device information window that shows and saves it, over a scripted
// mixer: the whole text, the type names, a report built at each showing, and the saved file.
#include "playout/MixerReport.h"
#include "DialogAnswerer.h"
#include "FakeMixer.h"
#include "TempFolder.h"
#include "controls/LXButton.h"
#include "playout/AudioMixer.h"
#include "playout/DeviceInformation.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// Card A: a playback destination with volume, mute and a control that only contains the mute's
// bits, its line input with a volume and its microphone with a MIXER control. Card B: a bare
// capture destination.
class MixerReportTest : public ::testing::Test {
protected:
    MixerReportTest()
    {
        const int a = fake.AddDevice("Card A");
        const uint32_t master = fake.AddDestination(a, "Master", MixerLineSpeakers);
        fake.SetLineTarget(a, master, MixerTargetWaveOut, "Card A PCM");
        Control(a, master, MixerControlVolume, "Master Volume");
        Control(a, master, MixerControlMute, "Master Mute");
        Control(a, master, 0x20010003, "Boost");
        Control(a, fake.AddSource(a, master, "Line", MixerSourceLine), MixerControlVolume, "Line Volume");
        Control(a, fake.AddSource(a, master, "Mic", MixerSourceMicrophone), MixerControlMixer, "Mic Mixer");

        const int b = fake.AddDevice("Card B");
        const uint32_t capture = fake.AddDestination(b, "Capture", MixerLineWaveIn);
        fake.SetLineTarget(b, capture, MixerTargetWaveIn, "Card B Capture");
    }

    void Control(int device, uint32_t line, uint32_t type, const QString& name)
    {
        fake.SetControlName(device, fake.AddControl(device, line, type, {0}), name);
    }

    FakeMixer fake;
};

const char* const WholeReport = R"(Device: 0
        Product name: Card A
        Number of lines: 1
        Destination Number: 0
                Name: Master
                Component Type: 0x4
                Target Name: Card A PCM
                Target Type: 0x1
                        Control Number: 0
                                Name: Master Volume
                                Type: 0x50030001
                                MIXERCONTROL_CONTROLTYPE_VOLUME
                        Control Number: 1
                                Name: Master Mute
                                Type: 0x20010002
                                MIXERCONTROL_CONTROLTYPE_MUTE
                        Control Number: 2
                                Name: Boost
                                Type: 0x20010003
                                AND ! MIXERCONTROL_CONTROLTYPE_MUTE
                Connection Number: 0
                        Name: Line
                        Component Type: 0x1002
                        Control Number: 0
                                Name: Line Volume
                                Type: 0x50030001
                                MIXERCONTROL_CONTROLTYPE_VOLUME
                Connection Number: 1
                        Name: Mic
                        Component Type: 0x1003
                        Control Number: 0
                                Name: Mic Mixer
                                Type: 0x71010001
                                MIXERCONTROL_CONTROLTYPE_MIXER
Device: 1
        Product name: Card B
        Number of lines: 1
        Destination Number: 0
                Name: Capture
                Component Type: 0x7
                Target Name: Card B Capture
                Target Type: 0x2
)";

QStringList Lines(const char* text)
{
    QStringList lines = QString::fromUtf8(text).split(u'\n');
    lines.removeLast();
    return lines;
}

QStringList Rows(const QListWidget& list)
{
    QStringList rows;
    for (int row = 0; row < list.count(); ++row)
        rows.append(list.item(row)->text());
    return rows;
}

} // namespace

TEST_F(MixerReportTest, ReportsEveryDeviceLineAndControl)
{
    TAudioMixer mixer;
    EXPECT_EQ(MixerReport(mixer).join(u'\n'), Lines(WholeReport).join(u'\n'));
    EXPECT_EQ(mixer.MixerId(), 1);

    // A device that does not open has nothing to report.
    fake.RefuseOpening(0);
    TAudioMixer refused;
    EXPECT_EQ(MixerReport(refused), Lines(WholeReport).mid(Lines(WholeReport).indexOf("Device: 1")));
}

TEST(MixerReport, TheFirstMatchingTypeRuleNamesAControl)
{
    const struct {
        uint32_t type;
        const char* name;
    } cases[] = {
        {0x20010002, "MIXERCONTROL_CONTROLTYPE_MUTE"},
        {0x50030001, "MIXERCONTROL_CONTROLTYPE_VOLUME"},
        {0x70010001, "MIXERCONTROL_CONTROLTYPE_MUX"},
        {0x71010001, "MIXERCONTROL_CONTROLTYPE_MIXER"}, // holds the MUX's bits too
        {0x20010003, "AND ! MIXERCONTROL_CONTROLTYPE_MUTE"},
        {0x70010003, "AND ! MIXERCONTROL_CONTROLTYPE_MUTE"}, // the MUTE rule comes first
        {0x71010005, "AND ! MIXERCONTROL_CONTROLTYPE_MIXER"},
        {0x70010005, "AND ! MIXERCONTROL_CONTROLTYPE_MUX"},
        {0x50030000, ""},
        {0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControlTypeName(c.type), QLatin1String(c.name)) << std::hex << c.type;
}

TEST_F(MixerReportTest, TheWindowBuildsTheReportAtEachShowingAndOpensNothingBefore)
{
    TFDeviceInformation window;
    EXPECT_EQ(window.objectName(), "FDeviceInformation");
    EXPECT_EQ(window.windowTitle(), "Device information");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.LXBSave->Caption(), "Save");
    EXPECT_TRUE(fake.OpenAttempts().empty());
    EXPECT_EQ(window.LBMemo->count(), 0);

    window.show();
    EXPECT_EQ(Rows(*window.LBMemo), Lines(WholeReport));
    EXPECT_EQ(fake.OpenNow(), 0);

    // A card plugged in since the last showing is listed at the next one.
    window.hide();
    fake.AddDevice("Card C");
    window.show();
    EXPECT_EQ(Rows(*window.LBMemo).mid(Lines(WholeReport).size()),
              QStringList({"Device: 2", "        Product name: Card C", "        Number of lines: 0"}));
}

TEST_F(MixerReportTest, SaveWritesEveryLineToTheChosenFileOrSaysWhyNot)
{
    TempFolder folder;
    TFDeviceInformation window;
    window.show();
    const QString path = folder.File("report.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(
        "an older and much longer report that must be gone entirely\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
    old.close();

    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectPaths({path});
    window.LXBSave->click();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    const DialogRequest& request = dialogs.Shown()[0];
    EXPECT_EQ(request.kind, DialogKind::SaveFile);
    EXPECT_EQ(request.filter, "Text files|*.txt|All files|*.*");
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_TRUE(request.promptOverwrite);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), QString::fromUtf8(WholeReport));

    // Cancelled: nothing written. A folder that is not there: a box, and no file.
    dialogs.ExpectCancel();
    window.LXBSave->click();
    const QString nowhere = folder.File("missing/report.txt");
    dialogs.ExpectPaths({nowhere});
    dialogs.ExpectButton(QMessageBox::Ok);
    window.LXBSave->click();
    ASSERT_EQ(dialogs.Shown().size(), 4);
    EXPECT_EQ(dialogs.Shown()[3].caption, "Error");
    EXPECT_TRUE(dialogs.Shown()[3].text.startsWith("Cannot write " + nowhere + ": "))
        << dialogs.Shown()[3].text.toStdString();
    EXPECT_GT(dialogs.Shown()[3].text.size(), ("Cannot write " + nowhere + ": ").size());
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({"report.txt"}));
}

TEST(DeviceInformationWithoutMixer, TheReportIsEmptyAndNoBoxComes)
{
    ScriptedDialogAnswerer dialogs;
    TFDeviceInformation window;
    window.show();
    EXPECT_EQ(window.LBMemo->count(), 0);
    EXPECT_TRUE(dialogs.Shown().empty());
}
