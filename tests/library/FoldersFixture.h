#pragma once
// The folders window in a station folder of its own, shared by the folders window's tests.
#include "TempFolder.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "library/Folders.h"
#include "library/Message.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

class TTabFolder;

bool WriteWavFile(const QString& path, int seconds = 1);
QStringList ItemNames(const TTabFolder& page);
QStringList Captions(const TFFolders& folders);

// A station folder with its settings file, the folders window and its progress window.
class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void WriteSettings(const QByteArray& text);
    QByteArray ReadSettings() const;
    // Runs the event loop until the window's load has ended.
    void WaitForLoad();
    void MakeFiles(const QString& folder, const QStringList& names);

    TempFolder station;
    TempFolder music;
    std::unique_ptr<TFMessage> message = std::make_unique<TFMessage>();
    std::unique_ptr<TFFolders> folders = std::make_unique<TFFolders>();
    TOptions savedOptions = StationOptions;
    std::tuple<QString, QString> savedPaths{AppDir, SettingsPath};
};
