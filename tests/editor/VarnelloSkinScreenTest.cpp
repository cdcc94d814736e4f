// Varnello on a private X server wears the station's saved skin as the operator sees it: its menu bar
// shows the skin's menu-bar image (pixels of the screen), which the plain editor does not.
#include "TempFolder.h"
#include "XvfbServer.h"
#include "tests/skin/MenuBarOnScreen.h"

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
    ExpectTheMenuBarWearsTheSkin({VARNELLO_PROGRAM, folder.Path(), xvfb.Display(), "trace V2 splash freed"},
                                 SONVELA_SKIN_PACKAGE);
}

} // namespace
