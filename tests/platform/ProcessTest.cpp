#include "platform/Process.h"

#include "TempFolder.h"

#include <QCoreApplication>
#include <QDir>
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

TEST(Process, AProgramPathAsACommandLineWordRunsThatProgram)
{
    TempFolder folder;
    const char* const names[] = {"plain.sh",      "with blank.sh",         "it's.sh",
                                 "say \"hi\".sh", "both ' and \" here.sh", " leading blank.sh"};
    for (const char* name : names) {
        const QString path = folder.File(QString::fromUtf8(name));
        QFile script(path);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexit 7\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        EXPECT_EQ(RunProgram(CommandLineWord(path), SW_SHOWNORMAL, true), 7) << name;
    }
    EXPECT_EQ(CommandLineWord("/usr/bin/true"), "/usr/bin/true");
}

TEST(Process, RunProgramWithoutWaitingReportsStillActive)
{
    EXPECT_EQ(RunProgram("true", SW_SHOWNORMAL, false), STILL_ACTIVE);
    EXPECT_EQ(RunProgram("/nonexistent/program-sz", SW_SHOWNORMAL, false), 0);
}

TEST(Process, CountRunningInstancesCountsCopiesOfThatExecutableFile)
{
    EXPECT_GE(CountRunningInstances(QCoreApplication::applicationFilePath()), 1);
    EXPECT_EQ(CountRunningInstances(""), 0);

    // Two copies of one program under a name of its own, and one of the same program elsewhere.
    TempFolder folder;
    ASSERT_TRUE(QDir(folder.Path()).mkdir("other"));
    const QString program = folder.File("szcountme");
    const QString elsewhere = folder.File("other/szcountme");
    ASSERT_TRUE(QFile::copy("/bin/sleep", program));
    ASSERT_TRUE(QFile::copy("/bin/sleep", elsewhere));
    const QString path = QFileInfo(program).canonicalFilePath();
    const QString copyOf[] = {program, program, elsewhere};
    QProcess copies[3];
    for (int i = 0; i < 3; ++i) {
        copies[i].start(copyOf[i], {"5"});
        ASSERT_TRUE(copies[i].waitForStarted());
    }
    EXPECT_EQ(CountRunningInstances(path), 2);
    EXPECT_EQ(CountRunningInstances(QFileInfo(elsewhere).canonicalFilePath()), 1);
    EXPECT_EQ(CountRunningInstances(path.toUpper()), 0);
    for (QProcess& copy : copies) {
        copy.kill();
        copy.waitForFinished();
    }
    EXPECT_EQ(CountRunningInstances(path), 0);
}

TEST(Process, AnInstanceIsTheSameExecutableFileRunByTheSameUser)
{
    struct Case {
        RunningProcess process;
        bool instance;
    };
    const QString program = "/opt/sz/Sonvelazodu";
    const Case cases[] = {
        {{1000, "/opt/sz/Sonvelazodu"}, true},
        {{1001, "/opt/sz/Sonvelazodu"}, false}, // another user's station on the same machine
        {{1000, "/opt/other/Sonvelazodu"}, false},
        {{1000, "/opt/sz/sonvelazodu"}, false},
        {{1000, ""}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsInstanceOf(c.process, program, 1000), c.instance)
            << c.process.owner << " " << c.process.image.toStdString();
    EXPECT_FALSE(IsInstanceOf({1000, ""}, "", 1000));
}

TEST(Process, ImageNameFromTheExeLink)
{
    struct Case {
        const char* exeLink;
        const char* image;
    };
    const Case cases[] = {
        {"/usr/bin/prog", "/usr/bin/prog"},
        {"/opt/sz/Sonvelazodu (deleted)", "/opt/sz/Sonvelazodu"},
        {"", ""}, // a kernel thread, or another user's process
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProcessImageName(c.exeLink), c.image) << c.exeLink;
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
