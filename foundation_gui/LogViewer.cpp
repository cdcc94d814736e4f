#include "foundation_gui/LogViewer.h"

#include "foundation/Log.h"
#include "platform_gui/Desktop.h"
#include "platform_gui/Dialogs.h"

void ViewLogFile(TLog& log)
{
    if (log.FlushEach)
        log.Flush();
    if (!platform::OpenWithDesktop(log.FileName))
        platform::ShowMessage(QStringLiteral("Error launching the external application"));
}
