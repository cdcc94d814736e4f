#include "editor/Varnello.h"

#include "editor/UnsavedEdits.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "library/Combinations.h"
#include "library/CombinationsTree.h"
#include "library/SearchFiles.h"
#include "library/ThemeInfo.h"
#include "platform/Clock.h"
#include "platform/Dde.h"
#include "platform/TerminationSignals.h"
#include "shell/About.h"
#include "shell/DDEHandler.h"
#include "shell/MyAbout.h"
#include "shell/Splash.h"
#include "shell/Trace.h"
#include "shell/WindowList.h"
#include "skin/SkinData.h"

#include <QApplication>
#include <QTreeWidgetItemIterator>

namespace {

// The tree as the test record shows it: every node's text in pre-order.
QString TreeText(const QTreeWidget* tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        texts << (*it)->text(0);
    return texts.join('|');
}

} // namespace

void AddVarnelloWindows(WindowList& windows)
{
    windows.Add(FCombinations)->SetRunMode(1);
    windows.Add(FSearchFiles);
    windows.Add(FThemeInfo);
    windows.Add(FAbout);
    windows.Add(FMyAbout);
}

int RunVarnello()
{
    ClearTrace();
    // Like the station, the editor answers DDE requests under its own name; it has no use for their
    // macros, which wait unread (the oldest dropped). A second copy runs without serving.
    TDDEHandler handler(platform::DdeServiceName(QCoreApplication::applicationFilePath()));
    handler.Listen();
    FSplash = new TFSplash;
    FSplash->ShowProfessional();
    FSplash->repaint();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Varnello"));
    // Only the combinations window's closing ends the loop, not the last window of any kind.
    QApplication::setQuitOnLastWindowClosed(false);
    Trace("V1");

    // The editor's windows wear the station's saved skin, as the station's own do.
    TSkinData skin;
    skin.finishLoading();
    int exitCode = 0;
    {
        WindowList windows;
        AddVarnelloWindows(windows);
        QObject::connect(FCombinations, &TFCombinations::FirstShown, [&skin] {
            skin.SetSkinFile(AppDir + QStringLiteral("skins/") + StationOptions.Skin);
            skin.SetActive(true);
            // The editor's window takes the keyboard, as the station's first window does.
            FCombinations->activateWindow();
            delete FSplash;
            FSplash = nullptr;
            Trace("V2 splash freed");
        });
        QObject::connect(FCombinations, &TFCombinations::AboutRequested, [] { FAbout->ShowModal(); });
        QObject::connect(FCombinations, &TFCombinations::TreeLoaded,
                         [] { Trace("tree " + TreeText(FCombinations->TVCombinaciones)); });
        QObject::connect(FCombinations, &QWidget::windowTitleChanged,
                         [](const QString& title) { Trace("title " + title); });
        QObject::connect(FCombinations, &TFCombinations::Closed, [] { QCoreApplication::exit(0); });

        const platform::TerminationSignals signalExit([] {
            Trace("V9 signal");
            FCombinations->WriteUnsavedEdits(UnsavedEditsPath(AppDir, platform::Now()));
            QCoreApplication::exit(0);
        });
        FCombinations->show();
        exitCode = QApplication::exec();
        Trace("V10 loop ended");
    }
    delete FSplash; // still there when the program ended before the window showed
    FSplash = nullptr;
    return exitCode;
}
