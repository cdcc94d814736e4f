#pragma once
// The order of start-up and shut-down as named step markers ("E1", "create:FMain", "S6", ...), so a
// test can check that order. Every step appends its marker; a listener sees each one as it comes.
// GUI thread only.
#include <QString>
#include <QStringList>

#include <functional>

void Trace(const QString& marker);

// Every marker since the last ClearTrace.
const QStringList& TraceMarkers();
void ClearTrace();

// Called with each marker after it is appended; an empty function removes the listener.
void SetTraceListener(std::function<void(const QString& marker)> listener);
