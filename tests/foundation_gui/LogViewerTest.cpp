#include "foundation_gui/LogViewer.h"

#include "DesktopCatcher.h"
#include "DialogAnswerer.h"
#include "TempFolder.h"
#include "foundation/General.h"
#include "foundation/Log.h"

#include <QFile>

#include <utility>

#include <gtest/gtest.h>

namespace {

// The log of a temporary program folder, before start-up has placed the process's log.
class LogViewer : public ::testing::Test {
protected:
    TempFolder folder;
    QString savedLogDir = std::exchange(LogDir, QString());
    TLog log;

    void TearDown() override { LogDir = savedLogDir; }
};

} // namespace

TEST_F(LogViewer, HandsTheFlushedFileToTheDesktop)
{
    log.Level = -1;
    log.FileName = folder.File("090326.log");
    log.OpenLogFile();
    log.Write(1, 0, 10, 100, 1, "pending"); // not flushed: FlushEach is off while writing

    DesktopCatcher desktop;
    log.FlushEach = true;
    ViewLogFile(log);
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(log.FileName)});
    QFile file(log.FileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith(" 0 10 100 1 pending\r\n"));
}

TEST_F(LogViewer, SaysSoWhenNothingCanShowTheFile)
{
    // No file name: nothing to hand over.
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    ViewLogFile(log);
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, "Error launching the external application");
}
