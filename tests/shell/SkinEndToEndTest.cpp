// The staged skin package on the real station under a private X server: with the skin saved in the
// settings the station's windows come up in the skin's frames (pixels of the screen), and with no skin
// saved ("(none)") in their plain ones.
#include "FileBytes.h"
#include "PollUntil.h"
#include "StationEnvironment.h"
#include "TempFolder.h"
#include "XTestInput.h"
#include "XvfbServer.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int WaitMs = 30000;

// The staged package's border line colours, active (16, 40, 90) and inactive (90, 98, 112), found
// nowhere else on the station's windows.
constexpr unsigned ActiveEdge = 0x10285A;
constexpr unsigned InactiveEdge = 0x5A6270;

bool WaitFor(const std::function<bool()>& condition)
{
    return PollUntil(condition, WaitMs);
}

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
        environment = StationEnvironment(xvfb->Display(), folder.Path());
    }

    // Starts the station with the saved skin, waits until it is up and has painted, and counts the
    // skin's pixels on the screen; then ends it.
    int SkinPixelsWith(const QString& savedSkin)
    {
        EXPECT_TRUE(WriteBytes(folder.File("Sonvelazodu.ini"),
                               ("[main]\r\nfirstinstall=0\r\nskin=" + savedSkin + "\r\n").toUtf8()));
        QFile::remove(folder.File("record.txt"));
        QProcess station;
        station.setProcessEnvironment(environment);
        station.setProcessChannelMode(QProcess::ForwardedChannels);
        station.start(folder.File("Sonvelazodu"), {});
        EXPECT_TRUE(station.waitForStarted());
        EXPECT_TRUE(WaitFor([this] { return ReadBytes(folder.File("record.txt")).contains("trace S11"); }))
            << ReadBytes(folder.File("record.txt")).constData();
        XTestInput screen(xvfb->Display());
        EXPECT_TRUE(screen.Connected());
        const auto skinPixels = [&screen] {
            return screen.ScreenPixels(ActiveEdge) + screen.ScreenPixels(InactiveEdge);
        };
        int pixels = 0;
        if (savedSkin.isEmpty()) {
            // Nothing to wait for: the station gets the time a skin would have taken to show.
            QThread::msleep(1500);
            pixels = skinPixels();
        } else {
            // The skin's action runs 250 ms after the first showing; then the windows repaint.
            WaitFor([&] { return (pixels = skinPixels()) > 1000; });
        }
        station.terminate();
        EXPECT_TRUE(station.waitForFinished(WaitMs));
        return pixels;
    }

    TempFolder folder;
    std::unique_ptr<testing_support::XvfbServer> xvfb;
    QProcessEnvironment environment;
};

TEST_F(SkinEndToEndTest, TheSavedSkinFramesTheWindowsAndNoSkinLeavesThemPlain)
{
    EXPECT_GT(SkinPixelsWith("Sonvela.skn"), 1000);
    EXPECT_EQ(SkinPixelsWith(""), 0);
}

} // namespace
