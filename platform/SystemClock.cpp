#include "platform/SystemClock.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <atomic>

namespace platform {

namespace {

std::atomic<SystemClock*> installed{nullptr};
std::atomic<int> connections{0};

constexpr int CallTimeoutMs = 10'000; // the service may be started on demand first
const QString Service = QStringLiteral("org.freedesktop.timedate1");

// What an operator can do about each answer the service gives.
QString Refusal(const QDBusMessage& reply)
{
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return QStringLiteral("the system's time service (systemd-timedated) is not available");
    if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
        return QStringLiteral("the system keeps the clock itself (automatic time synchronisation is on; "
                              "\"timedatectl set-ntp false\" turns it off)");
    if (name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") ||
        name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied"))
        return QStringLiteral("this user may not set the clock (polkit action "
                              "org.freedesktop.timedate1.set-time is not allowed)");
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout"))
        return QStringLiteral("the system's time service did not answer");
    return QStringLiteral("the system's time service refused: %1 (%2)").arg(reply.errorMessage(), name);
}

} // namespace

SystemClock& CurrentSystemClock()
{
    static TimeServiceClock machine;
    SystemClock* clock = installed.load();
    return clock ? *clock : machine;
}

SystemClock* InstallSystemClock(SystemClock* clock)
{
    return installed.exchange(clock);
}

bool TimeServiceClock::Shift(int64_t offsetNs, QString& reason)
{
    // A connection of this call's own: callers run on worker threads, and it is one call in hours.
    const QString name = QStringLiteral("sonvela-time-%1").arg(++connections);
    QDBusConnection bus = busAddress_.isEmpty()
                              ? QDBusConnection::connectToBus(QDBusConnection::SystemBus, name)
                              : QDBusConnection::connectToBus(busAddress_, name);
    bool set = false;
    if (!bus.isConnected()) {
        reason = QStringLiteral("the system bus cannot be reached: %1").arg(bus.lastError().message());
    } else {
        QDBusMessage call = QDBusMessage::createMethodCall(
            Service, QStringLiteral("/org/freedesktop/timedate1"), Service, QStringLiteral("SetTime"));
        // Relative: the service adds the offset to the clock as it reads it, so no time is lost on the way.
        call << qlonglong((offsetNs + (offsetNs < 0 ? -500 : 500)) / 1000) << true << false;
        const QDBusMessage reply = bus.call(call, QDBus::Block, CallTimeoutMs);
        set = reply.type() == QDBusMessage::ReplyMessage;
        if (!set)
            reason = Refusal(reply);
    }
    QDBusConnection::disconnectFromBus(name);
    return set;
}

} // namespace platform
