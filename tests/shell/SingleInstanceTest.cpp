// The built program as two real processes: the second copy says so and ends, the first goes on and
// leaves on SIGTERM through the confirmed exit, saving its settings without the question. The program
// runs as a copy under a name of its own in the test's folder, so no other copy on the machine counts.
#include "TempFolder.h"

#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int StartTimeoutMs = 10000;

QString Record(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool WaitForLine(const QString& path, const QString& line)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < StartTimeoutMs) {
        if (Record(path).split('\n').contains(line))
            return true;
        QThread::msleep(20);
    }
    return false;
}

// The built program copied into the folder under a name no other test or station uses.
QString CopyProgram(const TempFolder& folder)
{
    const QString copy =
        folder.File(QStringLiteral("Sonvelazodu-%1").arg(QCoreApplication::applicationPid()));
    return QFile::copy(SONVELAZODU_PROGRAM, copy) ? copy : QString();
}

void Start(QProcess& process, const QString& program, const TempFolder& folder, const QString& record)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SONVELA_APPDIR", folder.Path());
    environment.insert("SONVELA_TEST_RECORD", record);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {});
}

TEST(SingleInstanceTest, ASecondCopyEndsAndTheFirstLeavesOnSigterm)
{
    TempFolder folder;
    ASSERT_TRUE(folder.IsValid());
    QFile(folder.File("nologin.txt")).open(QIODevice::WriteOnly);
    const QString firstRecord = folder.File("first.txt");
    const QString secondRecord = folder.File("second.txt");
    const QString program = CopyProgram(folder);
    ASSERT_FALSE(program.isEmpty());

    QProcess first;
    Start(first, program, folder, firstRecord);
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(WaitForLine(firstRecord, "trace S11")) << qPrintable(Record(firstRecord));

    QProcess second;
    Start(second, program, folder, secondRecord);
    ASSERT_TRUE(second.waitForFinished(StartTimeoutMs));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    const QString said = Record(secondRecord);
    EXPECT_TRUE(said.contains("dialog Sonvela Zodu: There are already one instance running"))
        << qPrintable(said);
    EXPECT_FALSE(said.contains("trace L4")) << qPrintable(said);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate(); // SIGTERM
    ASSERT_TRUE(first.waitForFinished(StartTimeoutMs));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    const QString left = Record(firstRecord);
    EXPECT_TRUE(left.contains("trace X3 free audio")) << qPrintable(left);
    EXPECT_FALSE(left.contains("Ok to exit?")) << qPrintable(left);
    EXPECT_TRUE(left.contains("trace destroy:FUserPassword")) << qPrintable(left);
    EXPECT_EQ(platform::IniFile(folder.File("Sonvelazodu.ini")).ReadString("main", "firstinstall", "-"), "0");
}

} // namespace
