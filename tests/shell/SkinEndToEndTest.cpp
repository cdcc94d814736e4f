// The staged skin package on the real station under a private X server, as the operator sees it: with
// the skin saved in the settings the station's windows come up in the skin's frames and the settings
// window's menu bar in the skin's image (pixels of the screen); with no skin saved ("(none)") in their
// plain look.
#include "TempFolder.h"
#include "XvfbServer.h"
#include "tests/skin/MenuBarOnScreen.h"
#include "tests/skin/SkinPixels.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The staged package's border line colours, active (16, 40, 90) and inactive (90, 98, 112), found
// nowhere else on the station's windows.
const QSet<QRgb> EdgeColours{0x10285A, 0x5A6270};

class SkinEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(folder.IsValid());
        ASSERT_TRUE(QFile::copy(SONVELAZODU_PROGRAM, folder.File("Sonvelazodu")));
        ASSERT_TRUE(QDir().mkpath(folder.File("skins")));
        ASSERT_TRUE(QFile::copy(SONVELA_SKIN_PACKAGE, folder.File("skins/Sonvela.skn")));
        QFile(folder.File("nologin.txt")).open(QIODevice::WriteOnly);
        xvfb = std::make_unique<testing_support::XvfbServer>(1280, 1024);
        ASSERT_TRUE(xvfb->Running()) << qPrintable(xvfb->Error());
        station = {folder.File("Sonvelazodu"), folder.Path(), xvfb->Display(), "trace S11"};
    }

    TempFolder folder;
    std::unique_ptr<testing_support::XvfbServer> xvfb;
    // The station in its first layout (its windows tiled, so the settings window shows whole).
    ProgramScreen station;
};

TEST_F(SkinEndToEndTest, TheSavedSkinFramesTheWindowsAndNoSkinLeavesThemPlain)
{
    const auto framed = [](const QImage& screen) { return PixelsIn(screen, EdgeColours) > 1000; };
    EXPECT_TRUE(framed(station.With("Sonvela.skn", framed)));
    EXPECT_EQ(PixelsIn(station.With(""), EdgeColours), 0);
}

// The settings window, on screen before the saved skin loads, wears it too once the station is up: its
// menu bar shows the skin's menu-bar image. (Its tabs, buttons and scroll bars are looked at in
// SkinLookStationTest, where each control's own picture can be taken.)
TEST_F(SkinEndToEndTest, TheSettingsWindowsMenuBarWearsTheSkin)
{
    ExpectTheMenuBarWearsTheSkin(station, SONVELA_SKIN_PACKAGE);
}

} // namespace
