#include "shell/Trace.h"

namespace {

QStringList markers;
std::function<void(const QString&)> traceListener;

} // namespace

void Trace(const QString& marker)
{
    markers.append(marker);
    if (traceListener)
        traceListener(marker);
}

const QStringList& TraceMarkers()
{
    return markers;
}

void ClearTrace()
{
    markers.clear();
}

void SetTraceListener(std::function<void(const QString& marker)> listener)
{
    traceListener = std::move(listener);
}
