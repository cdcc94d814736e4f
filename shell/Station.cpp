#include "shell/Station.h"

#include "foundation/Log.h"
#include "platform/Clock.h"
#include "platform/TerminationSignals.h"
#include "playout/OutputHealth.h"
#include "playout/OutputScheduling.h"
#include "shell/DDEHandler.h"
#include "shell/ExitRoad.h"
#include "shell/Splash.h"
#include "shell/Trace.h"
#include "shell/UserPassword.h"
#include "shell/WindowSet.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <memory>

namespace {
constexpr int OutputHealthIntervalMs = 10 * 1000;
}

int RunStation()
{
    ClearTrace();
    ResetExitRoad();
    Trace("E1");
    // Requests that come while the station starts wait in it until the settings window takes them.
    auto handler =
        std::make_unique<TDDEHandler>(platform::DdeServiceName(QCoreApplication::applicationFilePath()));
    DDEHandler = handler.get();
    FSplash = new TFSplash;
    FSplash->ShowZodu();
    FSplash->repaint();
    Trace("E2");
    QGuiApplication::setApplicationDisplayName("Sonvela Zodu");
    QGuiApplication::setDesktopFileName("Sonvelazodu");
    // The picture staged beside the program, which the desktop entry shows too.
    QApplication::setWindowIcon(QIcon(QCoreApplication::applicationDirPath() + "/Sonvelazodu.png"));
    // Only the exit road ends the loop, never the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);

    const platform::TerminationSignals signalExit(ExitWithoutQuestion);
    int exitCode = 0;
    {
        WindowSet windows;
        Trace("E3");
        if (windows.Create()) {
            Trace("E4");
            // The sound outputs' underruns, stalls and failures go to the log while the station runs,
            // and each output's scheduling once it has started.
            TOutputHealth outputHealth;
            TOutputScheduling outputScheduling;
            QTimer outputCheck;
            QObject::connect(&outputCheck, &QTimer::timeout, [&outputHealth, &outputScheduling] {
                outputHealth.Check(platform::TickMs());
                outputScheduling.Check();
            });
            outputCheck.start(OutputHealthIntervalMs);
            FUserPassword->show();
            exitCode = QApplication::exec();
        }
        Log.CloseLogFile();
        Trace("X4 log closed");
        DDEHandler = nullptr;
        handler.reset(); // stops serving and removes the socket
        Trace("X4 DDE");
    }
    delete FSplash; // still there when the program ended before the settings window showed
    FSplash = nullptr;
    return exitCode;
}
