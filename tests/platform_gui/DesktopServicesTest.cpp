#include "FileBytes.h"
#include "TempFolder.h"

#include "platform_gui/DesktopSettings.h"
#include "platform_gui/Monitors.h"

#include <QDir>
#include <gtest/gtest.h>

#include <utility>

using platform::StoredSetting;
using State = StoredSetting::State;

TEST(DesktopSettings, MenuShowDelayFromItsStoredValue)
{
    struct Case {
        StoredSetting value;
        int expected;
    };
    const Case cases[] = {
        {{State::Text, "abc"}, 0},
        {{State::Text, "250"}, 250},
        {{State::NoKey, {}}, 400},
        {{State::NoValue, {}}, 400},
        {{State::OtherType, {}}, 0},
        {{State::Error, {}}, 0},
        {{State::Text, "-5"}, 0},
        {{State::Text, QByteArray(40, '1')}, 0},   // longer than the stored text can be
        {{State::Text, "99999999999"}, 0},         // too large for 32 bits: not an integer
        {{State::Text, "2147483647"}, 2147483647}, // the largest that is
        {{State::Text, ""}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ParseMenuShowDelay(c.value), c.expected) << c.value.text.constData();
}

TEST(DesktopSettings, DelayIsReadOnceAndTheFakeReplacesTheDesktop)
{
    EXPECT_EQ(platform::CurrentDesktopSettings().MenuShowDelayMs(), 400); // the desktop keeps none
    platform::FakeDesktopSettings fake;
    fake.menuShowDelay = {State::Text, "120"};
    EXPECT_EQ(&platform::CurrentDesktopSettings(), &fake);
    EXPECT_EQ(fake.MenuShowDelayMs(), 120);
    fake.menuShowDelay = {State::Text, "300"};
    EXPECT_EQ(fake.MenuShowDelayMs(), 120);
    fake.PlaySound("MenuPopup");
    fake.soundScheme = false;
    fake.PlaySound("MenuCommand");
    EXPECT_EQ(fake.played, QStringList{"MenuPopup"});
}

TEST(DesktopSettings, MenusAnimateUnlessGtkSettingsTurnAnimationsOff)
{
    struct Case {
        const char* gtk3; // the settings file's text; nullptr: no file
        const char* gtk4;
        bool animates;
    };
    const Case cases[] = {
        {nullptr, nullptr, true},
        {"[Settings]\ngtk-enable-animations=false\n", nullptr, false},
        {"[Settings]\ngtk-enable-animations = 0\n", nullptr, false},
        {"[Settings]\ngtk-enable-animations=true\n", nullptr, true},
        {"[Settings]\ngtk-theme-name=Adwaita\n", nullptr, true},
        {"[Settings]\ngtk-enable-animations=false\n", "[Settings]\ngtk-enable-animations=1\n", true},
        {nullptr, "[Settings]\ngtk-enable-animations=FALSE\n", false},
    };
    for (const Case& c : cases) {
        TempFolder config;
        for (const auto& [folder, text] : {std::pair{"gtk-3.0", c.gtk3}, std::pair{"gtk-4.0", c.gtk4}}) {
            if (text == nullptr)
                continue;
            ASSERT_TRUE(QDir(config.Path()).mkpath(folder));
            ASSERT_TRUE(WriteBytes(config.File(QLatin1String(folder) + "/settings.ini"), text));
        }
        EXPECT_EQ(platform::DesktopAnimates(config.Path()), c.animates)
            << (c.gtk3 ? c.gtk3 : "-") << (c.gtk4 ? c.gtk4 : "-");
    }
}

namespace {

const QList<platform::Monitor> TwoMonitors = {
    {QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 740), true},
    {QRect(1024, 0, 1280, 1024), QRect(1024, 30, 1280, 994), false},
};

} // namespace

TEST(Monitors, NearestMonitorAndItsRectangle)
{
    platform::FakeMonitors fake(TwoMonitors);
    EXPECT_EQ(platform::MonitorRectOfPoint(QPoint(1500, 500), false), QRect(1024, 0, 1280, 1024));
    EXPECT_EQ(platform::MonitorRectOfPoint(QPoint(1500, 500), true), QRect(1024, 30, 1280, 994));
    EXPECT_EQ(platform::MonitorRectOfPoint(QPoint(100, 900), false),
              QRect(0, 0, 1024, 768)); // below the first
    EXPECT_EQ(platform::MonitorRectOfPoint(QPoint(3000, 100), false), QRect(1024, 0, 1280, 1024));
    // Across both: the larger share wins.
    EXPECT_EQ(platform::MonitorRectOfRect(QRect(900, 100, 300, 50), false), QRect(1024, 0, 1280, 1024));
    EXPECT_EQ(platform::MonitorRectOfRect(QRect(800, 100, 300, 50), false), QRect(0, 0, 1024, 768));
    EXPECT_EQ(platform::MonitorRectOfRect(QRect(-500, -500, 100, 100), true), QRect(0, 0, 1024, 740));
    EXPECT_EQ(platform::PrimaryMonitorRect(true), QRect(0, 0, 1024, 740));
}

TEST(Monitors, OneMonitorIsAlwaysThePrimary)
{
    platform::FakeMonitors fake({{QRect(0, 0, 800, 600), QRect(0, 0, 800, 570), true}});
    EXPECT_EQ(platform::MonitorRectOfPoint(QPoint(5000, 5000), false), QRect(0, 0, 800, 600));
    EXPECT_EQ(platform::MonitorRectOfRect(QRect(10, 10, 5, 5), true), QRect(0, 0, 800, 570));
    EXPECT_EQ(platform::NearestMonitor(QList<platform::Monitor>{}, QPoint(1, 1)), -1);
}
