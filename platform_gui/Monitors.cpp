#include "platform_gui/Monitors.h"

#include <QGuiApplication>
#include <QScreen>

#include <limits>

namespace platform {

namespace {

FakeMonitors* installed = nullptr;

// Squared distance between two rectangles (0 when they touch or overlap).
qint64 DistanceSquared(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max({qint64(b.left()) - a.right(), qint64(a.left()) - b.right(), qint64(0)});
    const qint64 dy = std::max({qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom(), qint64(0)});
    return dx * dx + dy * dy;
}

int Nearest(const QList<Monitor>& monitors, const QRect& rect)
{
    int best = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int i = 0; i < monitors.size(); ++i) {
        const qint64 distance = DistanceSquared(monitors[i].full, rect);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

Monitor PrimaryOf(const QList<Monitor>& monitors)
{
    for (const Monitor& monitor : monitors)
        if (monitor.primary)
            return monitor;
    return monitors.isEmpty() ? Monitor{} : monitors.first();
}

QRect RectOf(const Monitor& monitor, bool workArea)
{
    return workArea ? monitor.work : monitor.full;
}

QRect ChosenRect(const QList<Monitor>& monitors, int nearest, bool workArea)
{
    if (monitors.size() > 1 && nearest >= 0)
        return RectOf(monitors[nearest], workArea);
    return RectOf(PrimaryOf(monitors), workArea);
}

} // namespace

QList<Monitor> Monitors()
{
    if (installed != nullptr)
        return installed->monitors;
    QList<Monitor> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens())
        monitors.append({screen->geometry(), screen->availableGeometry(), screen == primary});
    return monitors;
}

int NearestMonitor(const QList<Monitor>& monitors, const QPoint& point)
{
    for (int i = 0; i < monitors.size(); ++i)
        if (monitors[i].full.contains(point))
            return i;
    return Nearest(monitors, QRect(point, QSize(1, 1)));
}

int NearestMonitor(const QList<Monitor>& monitors, const QRect& rect)
{
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < monitors.size(); ++i) {
        const QRect shared = monitors[i].full.intersected(rect);
        const qint64 area = qint64(shared.width()) * shared.height();
        if (!shared.isEmpty() && area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best >= 0 ? best : Nearest(monitors, rect);
}

QRect PrimaryMonitorRect(bool workArea)
{
    return RectOf(PrimaryOf(Monitors()), workArea);
}

QRect MonitorRectOfRect(const QRect& rect, bool workArea)
{
    const QList<Monitor> monitors = Monitors();
    return ChosenRect(monitors, NearestMonitor(monitors, rect), workArea);
}

QRect MonitorRectOfPoint(const QPoint& point, bool workArea)
{
    const QList<Monitor> monitors = Monitors();
    return ChosenRect(monitors, NearestMonitor(monitors, point), workArea);
}

FakeMonitors::FakeMonitors(QList<Monitor> list) : monitors(std::move(list)), previous_(installed)
{
    installed = this;
}

FakeMonitors::~FakeMonitors()
{
    installed = previous_;
}

} // namespace platform
