#pragma once
// One life of the station program inside the test process: a temporary program folder, "No sound"
// (device 0 on the manual clock) as the only playback device, no other running copy, a count of the
// audio shut-downs, and actions run when chosen step markers pass. A watchdog ends a run that hangs.
#include "DialogAnswerer.h"
#include "TempFolder.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "playout/DeviceTables.h"

class StationFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the program; each action runs once its marker has passed and the event loop is free again.
    int RunStation(const std::map<QString, std::function<void()>>& actions);

    // A close of the settings window by its close box.
    static void CloseSettingsWindow();
    // At the end of the settings window's first showing: look, then close the settings window and
    // answer Yes to the exit question.
    std::pair<const QString, std::function<void()>> AtFirstShowEnd(std::function<void()> look = [] {});

    QString ProgramFile(const QString& name) const { return folder.File(name); }
    void WriteProgramFile(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadProgramFile(const QString& name) const;
    // The settings file as an INI file, for reads.
    QString SettingsValue(const QString& section, const QString& key) const;

    TempFolder folder;
    ScriptedDialogAnswerer dialogs;
    int freeMediaCalls = 0;

private:
    std::unique_ptr<DeviceSystem> devices_;
    DeviceSystem* previousDevices_ = nullptr;
};
