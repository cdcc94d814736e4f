#include "platform/Process.h"

#include "TempFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>

#include <gtest/gtest.h>

using namespace platform;

TEST(Process, RunProgramWaitingReturnsTheExitCode)
{
    struct Case {
        const char* commandLine;
        int result;
    };
    const Case cases[] = {
        {"sh -c 'exit 3'", 3},
        {"sh -c \"exit 4\"", 4},
        {"  true  ", 0},
        {"sh -c 'test \"$0\" = \"a b\"' 'a b'", 0}, // quotes keep blanks inside one argument
        {"sh -c 'test \"$0\" = \"a b\"' \"a  b\"", 1},
        {"/nonexistent/program-sz --flag", 0},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunProgram(c.commandLine, SW_SHOWNORMAL, true), c.result) << c.commandLine;
}

TEST(Process, RunProgramWithoutWaitingReportsStillActive)
{
    EXPECT_EQ(RunProgram("true", SW_SHOWNORMAL, false), STILL_ACTIVE);
    EXPECT_EQ(RunProgram("/nonexistent/program-sz", SW_SHOWNORMAL, false), 0);
}

TEST(Process, CountRunningInstancesMatchesTheExecutableNameInAnyCase)
{
    const QString own = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    EXPECT_GE(CountRunningInstances(own), 1);
    EXPECT_GE(CountRunningInstances(own.toLower()), 1);
    EXPECT_EQ(CountRunningInstances("no-such-program-sz.exe"), 0);
    EXPECT_EQ(CountRunningInstances(""), 0);

    // Two running copies of a program under a name of its own.
    TempFolder folder;
    const QString copy = folder.File("SzCountMe");
    ASSERT_TRUE(QFile::copy("/bin/sleep", copy));
    QProcess first;
    QProcess second;
    first.start(copy, {"5"});
    second.start(copy, {"5"});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(second.waitForStarted());
    EXPECT_EQ(CountRunningInstances("szcountme"), 2);
    EXPECT_EQ(CountRunningInstances(copy), 2); // the whole image name counts too
    first.kill();
    second.kill();
    first.waitForFinished();
    second.waitForFinished();
    EXPECT_EQ(CountRunningInstances("SzCountMe"), 0);
}

TEST(Process, ImageNameFromTheExeLinkElseFromTheCommandLine)
{
    struct Case {
        const char* exeLink;
        QByteArray cmdline;
        const char* image;
    };
    const Case cases[] = {
        {"/usr/bin/prog", QByteArray("other\0arg\0", 10), "/usr/bin/prog"},
        {"/opt/sz/Sonvelazodu (deleted)", {}, "/opt/sz/Sonvelazodu"},
        {"", QByteArray("/opt/sz/Sonvelazodu\0-x\0", 23), "/opt/sz/Sonvelazodu"},
        {"", QByteArray("Sonvelazodu", 11), "Sonvelazodu"},
        {"", {}, ""}, // a kernel thread
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProcessImageName(c.exeLink, c.cmdline), c.image) << c.exeLink;
}

TEST(Process, SystemMixerPrefersPavucontrolThenAlsamixerInATerminal)
{
    struct Case {
        QStringList onPath;
        QString parameters;
        QStringList command;
    };
    const Case cases[] = {
        {{"pavucontrol", "alsamixer", "x-terminal-emulator"}, "", {"/bin/pavucontrol"}},
        {{"pavucontrol"}, "--tab=3", {"/bin/pavucontrol", "--tab=3"}},
        {{"alsamixer", "x-terminal-emulator"}, "", {"/bin/x-terminal-emulator", "-e", "/bin/alsamixer"}},
        {{"alsamixer"}, "", {}},
        {{"x-terminal-emulator"}, "", {}},
        {{}, "", {}},
    };
    for (const Case& c : cases) {
        const ProgramFinder finder = [&](const QString& name) {
            return c.onPath.contains(name) ? "/bin/" + name : QString();
        };
        EXPECT_EQ(SystemMixerCommand(c.parameters, finder), c.command) << c.onPath.join(',').toStdString();
    }
}
