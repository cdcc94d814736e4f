#pragma once
// The monitors of the desktop in logical pixels, behind one replaceable source. The default reads
// Qt's screens; a test installs FakeMonitors with any list while it lives.
#include <QList>
#include <QPoint>
#include <QRect>

namespace platform {

struct Monitor {
    QRect full;
    QRect work; // the full rectangle without the panels
    bool primary = false;
};

// The installed list, primary included; never empty once the application exists.
QList<Monitor> Monitors();

// Index of the monitor containing the point, else of the nearest one; -1 for an empty list.
int NearestMonitor(const QList<Monitor>& monitors, const QPoint& point);
// Index of the monitor sharing the largest area with the rectangle, else of the nearest one.
int NearestMonitor(const QList<Monitor>& monitors, const QRect& rect);

// The primary monitor's work area, or its full rectangle.
QRect PrimaryMonitorRect(bool workArea);
// With several monitors the one nearest to the rectangle or point, else the primary monitor; its
// work area or its full rectangle.
QRect MonitorRectOfRect(const QRect& rect, bool workArea);
QRect MonitorRectOfPoint(const QPoint& point, bool workArea);

class FakeMonitors {
public:
    explicit FakeMonitors(QList<Monitor> monitors);
    ~FakeMonitors();
    FakeMonitors(const FakeMonitors&) = delete;
    FakeMonitors& operator=(const FakeMonitors&) = delete;

    QList<Monitor> monitors;

private:
    FakeMonitors* previous_;
};

} // namespace platform
