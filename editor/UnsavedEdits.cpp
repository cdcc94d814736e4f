#include "editor/UnsavedEdits.h"

#include "platform/Paths.h"

QString UnsavedEditsPath(const QString& stationFolder, const QDateTime& when)
{
    return platform::JoinPath(stationFolder, "Varnello-unsaved-" +
                                                 when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + ".dat");
}
