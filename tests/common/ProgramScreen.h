#pragma once
// One of the built programs run in its program folder on a private X server, for the tests that look at
// what it shows: started, waited for until its record says it is up, its screen taken once what the
// test waits for shows (or after a moment when it waits for nothing), then ended.
#include <QImage>
#include <QString>

#include <functional>

// The screen the program showed; null when it did not come up. ready, when given, is polled on the
// screen until it holds (bounded); the last screen is returned either way.
QImage ScreenOfProgram(const QString& program, const QString& programFolder, const QString& display,
                       const QString& upLine, const std::function<bool(const QImage&)>& ready = {});
