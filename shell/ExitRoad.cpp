#include "shell/ExitRoad.h"

#include "library/Combinations.h"
#include "platform_gui/Dialogs.h"
#include "shell/Main.h"
#include "shell/StationHooks.h"
#include "shell/Trace.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

bool asking = false;  // the question is on screen: a second request waits for its answer
bool leaving = false; // the loop is ending: later requests change nothing

bool StationUp()
{
    return FMain && FMain->StationUp();
}

void ConfirmedExit()
{
    leaving = true;
    Trace("X3 save");
    FMain->SaveSettings();
    // While the log is open, so a failed write is still logged.
    Trace("X3 combinations");
    if (FCombinations)
        FCombinations->SaveIfModified();
    Trace("X3 free audio");
    Hooks().FreeMedia();
    Trace("X3 end loop");
    QCoreApplication::exit(0);
}

} // namespace

void RequestExit()
{
    Trace("X1");
    if (leaving || asking)
        return;
    if (!StationUp()) {
        EndAtOnce();
        return;
    }
    asking = true;
    Trace("X2");
    const bool yes = platform::AskYesNo(QGuiApplication::applicationDisplayName(), "Ok to exit?");
    asking = false;
    // A termination signal may have taken the road while the question was shown.
    if (yes && !leaving)
        ConfirmedExit();
}

void ExitWithoutQuestion()
{
    Trace("X1 signal");
    if (leaving)
        return;
    if (StationUp())
        ConfirmedExit();
    else
        EndAtOnce();
}

void EndAtOnce(int exitCode)
{
    if (leaving)
        return;
    leaving = true;
    Trace("B1");
    QCoreApplication::exit(exitCode);
}

void ResetExitRoad()
{
    asking = false;
    leaving = false;
}
