#pragma once
// The environment the real programs (the station and Varnello) run in under a test: the private X
// server's display on xcb, the test's program folder (also their home, so nothing of the machine's
// own is read or written), ALSA's null output and the test record file in that folder.
#include <QProcessEnvironment>
#include <QString>

inline QProcessEnvironment StationEnvironment(const QString& display, const QString& programFolder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("SONVELA_APPDIR", programFolder);
    environment.insert("SONVELA_ALSA_PCMS", "null");
    environment.insert("SONVELA_TEST_RECORD", programFolder + "record.txt");
    environment.insert("HOME", programFolder);
    environment.insert("XDG_CONFIG_HOME", programFolder + "config");
    environment.insert("XDG_DATA_HOME", programFolder + "data");
    return environment;
}
