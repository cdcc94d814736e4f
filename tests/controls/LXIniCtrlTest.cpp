#include "controls/LXIniCtrl.h"

#include "TempFolder.h"
#include "controls/LXApplication.h"
#include "controls/LXStrings.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class IniCtrlWithUser : public TLXIniCtrl {
protected:
    QString UserName() const override { return QStringLiteral("netbob"); }
};

// The test's own station folder while it lives.
class StationFolder {
public:
    StationFolder() { qputenv(platform::AppDirVariable, QFile::encodeName(folder_.Path())); }
    ~StationFolder() { qunsetenv(platform::AppDirVariable); }
    QString File(const QString& name) const { return folder_.File(name); }

private:
    TempFolder folder_;
};

TEST(LXIniCtrl, SectionNamesFollowTheTargetAndTheUserSettings)
{
    struct Case {
        const char* what;
        TLXIniTarget target;
        bool common;
        bool netUser;
        const char* user;
        const char* before; // a call made first, or null
        const char* section;
        const char* expected;
    };
    const Case cases[] = {
        {"common section", itIniFile, true, false, "", nullptr, "Prefs", "Prefs"},
        {"logged-on user", itIniFile, false, true, "", nullptr, "Prefs", "netbob.Prefs"},
        {"named user", itIniFile, false, false, "ann", nullptr, "Prefs", "ann.Prefs"},
        {"blank first", itIniFile, true, false, "", nullptr, "  ", "Common"},
        {"blank first, user", itIniFile, false, false, "ann", nullptr, "", "ann.Common"},
        {"blank is the last one", itIniFile, false, false, "ann", "Prefs", "", "ann.Prefs"},
        {"registry subkey", itRegistry, false, false, "ann", nullptr, "Prefs", "Prefs"},
        {"registry key itself", itAuto, true, false, "", nullptr, "#ROOT", ""},
        {"blank after the key itself", itAuto, true, false, "", "#ROOT", "", ""},
        {"blank first, registry", itAuto, true, false, "", nullptr, "", "Common"},
    };
    for (const Case& c : cases) {
        IniCtrlWithUser ctrl;
        ctrl.SetTarget(c.target);
        ctrl.SetCommon(c.common);
        ctrl.SetUser(c.user);
        ctrl.SetNetUser(c.netUser);
        if (c.before)
            ctrl.SectionName(c.before);
        EXPECT_EQ(ctrl.SectionName(c.section), c.expected) << c.what;
    }

    IniCtrlWithUser ctrl;
    ctrl.SetNetUser(true);
    EXPECT_EQ(ctrl.User(), "netbob");
    TLXIniCtrl plain;
    plain.SetNetUser(true);
    EXPECT_EQ(plain.User(), CurrentUserName());
}

TEST(LXIniCtrl, IniFilePathsAndTheRegistryKey)
{
    StationFolder station;
    const QString program = platform::FileNamePart(QCoreApplication::applicationFilePath());
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/";
    struct Case {
        const char* iniFile;
        TLXPathPrefix prefix;
        QString expected;
    };
    const Case cases[] = {
        {"", ppProgram, station.File(program + ".INI")},
        {"station", ppProgram, station.File("station.INI")},
        {"station.ini", ppWindows, config + "station.ini"},
        {"C:\\Radio\\old.cfg", ppProgram, station.File("old.cfg")},
        {"/srv/radio/fixed", ppFixed, "/srv/radio/fixed.INI"},
    };
    for (const Case& c : cases) {
        TLXIniCtrl ctrl;
        ctrl.SetIniFile(c.iniFile);
        ctrl.SetIniPrefix(c.prefix);
        EXPECT_EQ(ctrl.IniFilePath(), c.expected) << c.iniFile;
    }

    TLXIniCtrl ctrl;
    EXPECT_EQ(ctrl.RegistryKey(), LXApplication().RegistryPath());
    ctrl.SetRegPath("Software\\Radio");
    EXPECT_EQ(ctrl.RegistryKey(), "Software\\Radio\\");
}

TEST(LXIniCtrl, MaxEntriesStaysWithinTheAlphabetWhileCountingInLetters)
{
    TLXIniCtrl ctrl;
    EXPECT_EQ(ctrl.MaxEntries(), 16);
    ctrl.SetMaxEntries(30);
    EXPECT_EQ(ctrl.MaxEntries(), 30);
    ctrl.SetAlphaCounter(true);
    EXPECT_EQ(ctrl.MaxEntries(), 26);
    ctrl.SetMaxEntries(30);
    EXPECT_EQ(ctrl.MaxEntries(), 26);
    ctrl.SetMaxEntries(20);
    EXPECT_EQ(ctrl.MaxEntries(), 20);
    ctrl.SetAlphaCounter(false);
    ctrl.SetMaxEntries(200);
    EXPECT_EQ(ctrl.MaxEntries(), 200);
}

// Values whose scrambled bytes hold a NUL, a CR and an LF under the default key.
QStringList AwkwardValues()
{
    QStringList found;
    for (const char awkward : {'\0', '\r', '\n'}) {
        for (int i = 0; i < 10000; ++i) {
            const QString value = QStringLiteral("secret-%1").arg(i);
            if (EncodeText(value.toUtf8(), TLXIniCtrl::DefaultEncKey).contains(awkward)) {
                found << value;
                break;
            }
        }
    }
    return found;
}

TEST(LXIniCtrl, EncodedValuesComeBackWhateverBytesTheirScrambleHolds)
{
    StationFolder station;
    const QStringList values = AwkwardValues();
    ASSERT_EQ(values.size(), 3);
    for (const TLXIniTarget target : {itIniFile, itAuto}) {
        TLXIniCtrl ctrl;
        ctrl.SetTarget(target);
        ctrl.SetIniPrefix(ppProgram);
        ctrl.SetEncoded(true);
        for (const QString& value : values) {
            ctrl.WriteString("Secrets", value, value);
            EXPECT_EQ(ctrl.ReadString("Secrets", value, "none"), value) << target;
        }
        ctrl.SetEncKey(1234);
        EXPECT_NE(ctrl.ReadString("Secrets", values[0], "none"), values[0]) << target;
        const QString withNul = QString::fromUtf8("de\0fault", 8);
        EXPECT_EQ(ctrl.ReadString("Secrets", "absent", withNul), withNul) << target;
        EXPECT_EQ(ctrl.ReadString("Elsewhere", "absent", withNul), withNul) << target;

        ctrl.DeleteKey("Secrets", values[0]);
        EXPECT_EQ(ctrl.ReadString("Secrets", values[0], "gone"), "gone") << target;
    }
    const QString stored =
        platform::IniFile(
            station.File(platform::FileNamePart(QCoreApplication::applicationFilePath()) + ".INI"))
            .ReadString("Secrets", values[1], QString());
    EXPECT_EQ(stored, QString::fromLatin1(
                          EncodeText(values[1].toUtf8(), TLXIniCtrl::DefaultEncKey).toHex().toUpper()));
}

TEST(LXIniCtrl, RegistryValuesLiveUnderTheApplicationsKeyInTheStationFolder)
{
    StationFolder station;
    TLXIniCtrl ctrl;
    EXPECT_EQ(ctrl.ReadString("Prefs", "Volume", "7"), "7");
    EXPECT_FALSE(QFile::exists(station.File("registry.json"))) << "a read-only open creates nothing";

    ctrl.WriteString("Prefs", "Volume", "40");
    ctrl.WriteString("#ROOT", "Name", "Studio");
    platform::Registry registry(station.File("registry.json"));
    const QString key = LXApplication().RegistryPath();
    EXPECT_EQ(registry.ReadValue(platform::RegistryRoot::CurrentUser, key + "Prefs", "Volume"), "40");
    EXPECT_EQ(registry.ReadValue(platform::RegistryRoot::CurrentUser, key, "Name"), "Studio");
    EXPECT_EQ(ctrl.ReadString("Prefs", "Volume", ""), "40");

    ctrl.SetRegRoot(rpLocalMachine);
    EXPECT_EQ(ctrl.ReadString("Prefs", "Volume", "other root"), "other root");
}

TEST(LXIniCtrl, IniTargetWritesTheUsersSection)
{
    TempFolder folder;
    TLXIniCtrl ctrl;
    ctrl.SetTarget(itIniFile);
    ctrl.SetIniPrefix(ppFixed);
    ctrl.SetIniFile(folder.File("prefs.ini"));
    ctrl.SetCommon(false);
    ctrl.SetUser("ann");
    ctrl.WriteString("Window", "Left", "12");
    EXPECT_EQ(platform::IniFile(folder.File("prefs.ini")).ReadString("ann.Window", "Left", ""), "12");
    EXPECT_EQ(ctrl.ReadString("", "Left", ""), "12");
}

} // namespace
