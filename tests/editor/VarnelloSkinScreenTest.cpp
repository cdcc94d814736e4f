// Varnello on a private X server wears the station's saved skin as the operator sees it: its menu bar
// shows the skin's menu-bar image (pixels of the screen), which the plain editor does not.
#include "FileBytes.h"
#include "ProgramScreen.h"
#include "TempFolder.h"
#include "XvfbServer.h"
#include "skin/core/SkinDescriptionReader.h"
#include "tests/skin/SkinPixels.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

TEST(VarnelloSkinScreen, TheMenuBarWearsTheStationsSavedSkin)
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    TempFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.File("skins")));
    ASSERT_TRUE(QFile::copy(SONVELA_SKIN_PACKAGE, folder.File("skins/Sonvela.skn")));
    testing_support::XvfbServer xvfb(1024, 768);
    ASSERT_TRUE(xvfb.Running()) << qPrintable(xvfb.Error());
    const auto screenWith = [&](const QString& savedSkin, const std::function<bool(const QImage&)>& ready) {
        EXPECT_TRUE(
            WriteBytes(folder.File("Sonvelazodu.ini"), ("[main]\r\nskin=" + savedSkin + "\r\n").toUtf8()));
        return ScreenOfProgram(VARNELLO_PROGRAM, folder.Path(), xvfb.Display(), "trace V2 splash freed",
                               ready);
    };

    const TSkinLoadResult loaded = LoadSkinDescription(ReadBytes(SONVELA_SKIN_PACKAGE));
    ASSERT_TRUE(loaded.description && loaded.description->MenuBar);
    const QSet<QRgb> menuBar =
        ColoursOf({&loaded.description->MenuBar->Image}) - ColoursOf(screenWith("", {}));
    const auto worn = [&](const QImage& screen) { return PixelsIn(screen, menuBar) >= 200; };
    EXPECT_GE(PixelsIn(screenWith("Sonvela.skn", worn), menuBar), 200);
}

} // namespace
