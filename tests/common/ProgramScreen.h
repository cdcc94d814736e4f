#pragma once
// One of the built programs run in its program folder on a private X server, for the tests that look at
// what it shows: started with a skin saved in the station's settings, waited for until its record says
// it is up, its screen taken once what the test waits for shows (or after a moment when it waits for
// nothing), then ended.
#include <QImage>
#include <QString>

#include <functional>

struct ProgramScreen {
    QString program;
    QString programFolder;
    QString display;
    // The record line that says the program is up.
    QString upLine;

    // The screen the program showed with the skin saved in the station's settings ("" for none); null
    // when it did not come up. ready, when given, is polled on the screen until it holds (bounded); the
    // last screen is returned either way.
    QImage With(const QString& savedSkin, const std::function<bool(const QImage&)>& ready = {}) const;
};
