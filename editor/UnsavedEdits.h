#pragma once
// Where the combinations editor keeps edits that must not be lost when it is ended from outside (logout,
// shutdown, Ctrl+C) while no file is open.
#include <QDateTime>
#include <QString>

// "Varnello-unsaved-" + yyyyMMdd-HHmmss + ".dat" in the station folder.
QString UnsavedEditsPath(const QString& stationFolder, const QDateTime& when);
