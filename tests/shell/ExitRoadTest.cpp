// The single road out: the question, the save, the audio freed once, the loop ended, the log closed
// and the windows destroyed in reverse order; before the station is up every way out ends at once.
#include "StationFixture.h"

#include "foundation/Log.h"
#include "playout/Channel1.h"
#include "shell/Main.h"
#include "shell/Trace.h"
#include "shell/UserPassword.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <csignal>

namespace {

qsizetype IndexOf(const QString& marker)
{
    return TraceMarkers().indexOf(marker);
}

class ExitRoadTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
    }
};

TEST_F(ExitRoadTest, NoChangesNothingAndYesSavesFreesTheAudioOnceAndEnds)
{
    const QByteArray settings = "[main]\r\nfirstinstall=0\r\nVolume=33\r\n";
    WriteProgramFile("Sonvelazodu.ini", settings);
    dialogs.ExpectButton(QMessageBox::No);
    dialogs.ExpectButton(QMessageBox::Yes);
    bool stillShownAfterNo = false;
    int freedAfterNo = -1;
    QByteArray settingsAfterNo;
    const int exitCode = RunStation({
        {"S11", [] { CloseSettingsWindow(); }},
        // Both answers come from the one close above and the one below.
        {"X2",
         [&] {
             if (dialogs.Shown().size() != 1)
                 return;
             stillShownAfterNo = FMain->isVisible() && FChannel1->isVisible();
             freedAfterNo = freeMediaCalls;
             settingsAfterNo = ReadProgramFile("Sonvelazodu.ini");
             CloseSettingsWindow();
         }},
    });
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(dialogs.Shown().size(), 2);
    EXPECT_EQ(dialogs.Shown()[0].text, "Ok to exit?");
    EXPECT_EQ(dialogs.Shown()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(stillShownAfterNo);
    EXPECT_EQ(freedAfterNo, 0);
    EXPECT_EQ(settingsAfterNo, settings);

    EXPECT_EQ(freeMediaCalls, 1);
    EXPECT_EQ(SettingsValue("main", "firstinstall"), "0");
    EXPECT_EQ(SettingsValue("main", "Volume"), "33");
    EXPECT_NE(SettingsValue("Main", "left"), "<missing>");
    EXPECT_TRUE(Log.Closed);
    EXPECT_LT(IndexOf("X3 save"), IndexOf("X3 free audio"));
    EXPECT_LT(IndexOf("X3 free audio"), IndexOf("X3 end loop"));
    EXPECT_LT(IndexOf("X3 end loop"), IndexOf("X4 log closed"));
    EXPECT_LT(IndexOf("X4 log closed"), IndexOf("destroy:FMyAbout"));
    EXPECT_LT(IndexOf("destroy:FMain"), IndexOf("destroy:FUserPassword"));
    EXPECT_EQ(FMain, nullptr);
    EXPECT_EQ(FUserPassword, nullptr);
}

TEST_F(ExitRoadTest, EveryCloseOfTheLoginWindowBeforeALoginEndsAtOnce)
{
    const QByteArray settings = "[main]\r\nfirstinstall=0\r\n";
    const std::pair<const char*, std::function<void()>> closes[] = {
        {"Close button", [] { FUserPassword->BClose->click(); }},
        {"title bar", [] { FUserPassword->close(); }},
        {"termination signal", [] { std::raise(SIGTERM); }},
    };
    for (const auto& [how, close] : closes) {
        SCOPED_TRACE(how);
        QFile::remove(ProgramFile("nologin.txt"));
        WriteProgramFile("Sonvelazodu.ini", settings);
        EXPECT_EQ(RunStation({{"E4", close}}), 0);
        EXPECT_TRUE(dialogs.Shown().isEmpty());
        EXPECT_FALSE(TraceMarkers().contains("S1"));
        EXPECT_TRUE(TraceMarkers().contains("B1"));
        EXPECT_FALSE(TraceMarkers().contains("X3 save"));
        EXPECT_EQ(freeMediaCalls, 0);
        EXPECT_EQ(ReadProgramFile("Sonvelazodu.ini"), settings);
    }
}

TEST_F(ExitRoadTest, TerminationSignalsTakeTheConfirmedExitWithoutTheQuestion)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        QFile::remove(ProgramFile("Sonvelazodu.ini"));
        freeMediaCalls = 0;
        EXPECT_EQ(RunStation({{"S11", [signal] { std::raise(signal); }}}), 0);
        EXPECT_TRUE(dialogs.Shown().isEmpty());
        EXPECT_TRUE(TraceMarkers().contains("X3 save"));
        EXPECT_EQ(freeMediaCalls, 1);
        EXPECT_EQ(SettingsValue("main", "firstinstall"), "0");
    }
}

TEST_F(ExitRoadTest, SettingsThatCannotBeWrittenAtExitAreLogged)
{
    dialogs.ExpectButton(QMessageBox::Yes);
    RunStation({{"S11", [this] {
                     // The file turns into a folder: every write fails, the log stays open.
                     QFile::remove(ProgramFile("Sonvelazodu.ini"));
                     QDir().mkpath(ProgramFile("Sonvelazodu.ini"));
                     CloseSettingsWindow();
                 }}});
    EXPECT_EQ(freeMediaCalls, 1);
    QFile log(Log.FileName);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(lines.contains(" 1 15 -1 -1 Error saving settings")) << qPrintable(lines);
    EXPECT_TRUE(lines.contains("main/firstinstall")) << qPrintable(lines);
}

} // namespace
