#pragma once
// A program's menu bar wearing the staged skin package on its screen, as the operator sees it: the
// colours of the package's menu-bar image that the program's plain screen does not show, found on the
// screen once the package is its saved skin.
#include "FileBytes.h"
#include "ProgramScreen.h"
#include "skin/core/SkinDescriptionReader.h"
#include "tests/skin/SkinPixels.h"

#include <gtest/gtest.h>

// The package is staged in the program folder's skins folder as Sonvela.skn.
inline void ExpectTheMenuBarWearsTheSkin(const ProgramScreen& program, const QString& package)
{
    const TSkinLoadResult loaded = LoadSkinDescription(ReadBytes(package));
    ASSERT_TRUE(loaded.description && loaded.description->MenuBar);
    const QSet<QRgb> menuBar = ColoursOf({&loaded.description->MenuBar->Image}) - ColoursOf(program.With(""));
    const auto worn = [&](const QImage& screen) { return PixelsIn(screen, menuBar) >= 200; };
    EXPECT_GE(PixelsIn(program.With("Sonvela.skn", worn), menuBar), 200);
}
