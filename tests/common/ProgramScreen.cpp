#include "ProgramScreen.h"

#include "FileBytes.h"
#include "PollUntil.h"
#include "StationEnvironment.h"
#include "XTestInput.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
constexpr int WaitMs = 30000;
// With nothing to wait for, the time a skin or a late paint would have taken to show.
constexpr int SettleMs = 1500;
} // namespace

QImage ProgramScreen::With(const QString& savedSkin, const std::function<bool(const QImage&)>& ready) const
{
    EXPECT_TRUE(
        WriteBytes(programFolder + "Sonvelazodu.ini", ("[main]\r\nskin=" + savedSkin + "\r\n").toUtf8()));
    const QString record = programFolder + "record.txt";
    QFile::remove(record);
    QProcess process;
    process.setProcessEnvironment(StationEnvironment(display, programFolder));
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, {});
    EXPECT_TRUE(process.waitForStarted());
    const bool up = PollUntil([&] { return ReadBytes(record).contains(upLine.toUtf8()); }, WaitMs);
    EXPECT_TRUE(up) << ReadBytes(record).constData();
    QImage screen;
    if (up) {
        XTestInput x(display);
        EXPECT_TRUE(x.Connected());
        if (ready) {
            PollUntil([&] { return ready(screen = x.Screen()); }, WaitMs);
        } else {
            QThread::msleep(SettleMs);
            screen = x.Screen();
        }
    }
    process.terminate();
    EXPECT_TRUE(process.waitForFinished(WaitMs));
    return screen;
}
