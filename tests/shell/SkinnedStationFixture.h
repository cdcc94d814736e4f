#pragma once
// The station run with the staged skin package in its skins folder, past the login, with the skin
// manager's actions at once. Its users are built with SONVELA_SKIN_PACKAGE on their own files.
#include "StationFixture.h"

#include "skin/SkinManager.h"

#include <QDir>
#include <QFile>

class SkinnedStationFixture : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
        QDir().mkpath(folder.File("skins"));
        ASSERT_TRUE(QFile::copy(SONVELA_SKIN_PACKAGE, folder.File("skins/Sonvela.skn")));
        TSkinManage::SetActionDelay(0);
    }
    void TearDown() override
    {
        TSkinManage::SetActionDelay(250);
        StationFixture::TearDown();
    }
};
