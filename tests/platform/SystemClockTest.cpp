#include "platform/SystemClock.h"

#include "TempFolder.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <mutex>

namespace {

// The guard of the shared test main is on: without it this call would fail with EINVAL instead, and
// it changes nothing either way.
TEST(TimeLock, RefusesToSetAnyClock)
{
    timespec any{1, 0};
    errno = 0;
    EXPECT_EQ(clock_settime(CLOCK_MONOTONIC, &any), -1);
    EXPECT_EQ(errno, EPERM);
}

// A message bus of the test's own, where anyone may own any name.
class PrivateBus {
public:
    PrivateBus()
    {
        const QString config = folder_.File("bus.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                   " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>system</type><listen>unix:path=" +
                   QFile::encodeName(folder_.File("bus")) +
                   "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow user=\"*\"/>"
                   "<allow own=\"*\"/><allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                   "</policy></busconfig>\n");
        file.close();
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000))
            address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
    ~PrivateBus()
    {
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    QString Address() const { return address_; }

private:
    TempFolder folder_;
    QProcess daemon_;
    QString address_;
};

// The system's time service as the program talks to it: SetTime answered with a reply or an error,
// on a thread of its own so a caller blocking on the test's thread is still answered.
class FakeTimeService : public QDBusVirtualObject {
public:
    struct Call {
        qlonglong usec;
        bool relative;
        bool interactive;
    };

    FakeTimeService(const QString& address, QString errorName) : errorName_(std::move(errorName))
    {
        thread_.start();
        moveToThread(&thread_);
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("fake-timedate1"));
        registered_ = bus.registerService(QStringLiteral("org.freedesktop.timedate1")) &&
                      bus.registerVirtualObject(QStringLiteral("/org/freedesktop/timedate1"), this);
    }
    ~FakeTimeService() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-timedate1"));
        thread_.quit();
        thread_.wait();
    }
    bool Registered() const { return registered_; }
    std::vector<Call> Calls() const
    {
        const std::lock_guard lock(lock_);
        return calls_;
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != QLatin1String("org.freedesktop.timedate1") ||
            message.member() != QLatin1String("SetTime") || message.arguments().size() != 3)
            return false;
        const QList<QVariant> arguments = message.arguments();
        {
            const std::lock_guard lock(lock_);
            calls_.push_back({arguments[0].toLongLong(), arguments[1].toBool(), arguments[2].toBool()});
        }
        connection.send(errorName_.isEmpty() ? message.createReply()
                                             : message.createErrorReply(errorName_, QStringLiteral("no")));
        return true;
    }

private:
    QString errorName_;
    QThread thread_;
    bool registered_ = false;
    mutable std::mutex lock_;
    std::vector<Call> calls_;
};

TEST(TimeServiceClock, AsksTheSystemsTimeServiceToStepTheClockAndSaysWhyItDidNot)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
    struct Case {
        const char* what;
        bool service;
        const char* errorName; // the service's answer; empty: done
        int64_t offsetNs;
        qlonglong usec;
        const char* reason; // empty: set
    };
    const Case cases[] = {
        {"an hour ahead", true, "", 3'600'000'000'400, 3'600'000'000, ""},
        {"1.5 ms back", true, "", -1'500'600, -1'501, ""},
        {"the system synchronises itself", true, "org.freedesktop.timedate1.AutomaticTimeSyncEnabled", 1000,
         1, "timedatectl set-ntp false"},
        {"polkit says no", true, "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", 1000, 1,
         "org.freedesktop.timedate1.set-time is not allowed"},
        {"no time service", false, "", 1000, 0, "systemd-timedated) is not available"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<FakeTimeService> service;
        if (c.service) {
            service = std::make_unique<FakeTimeService>(bus.Address(), QString::fromLatin1(c.errorName));
            ASSERT_TRUE(service->Registered()) << c.what;
        }
        QString reason;
        const bool set = platform::TimeServiceClock(bus.Address()).Shift(c.offsetNs, reason);
        EXPECT_EQ(set, *c.reason == '\0') << c.what << ": " << reason.toStdString();
        EXPECT_TRUE(reason.contains(QLatin1String(c.reason))) << c.what << ": " << reason.toStdString();
        if (!service)
            continue;
        const std::vector<FakeTimeService::Call> calls = service->Calls();
        ASSERT_EQ(calls.size(), 1u) << c.what;
        EXPECT_EQ(calls[0].usec, c.usec) << c.what;
        EXPECT_TRUE(calls[0].relative) << c.what;
        EXPECT_FALSE(calls[0].interactive) << c.what << ": an unattended station never asks for a password";
    }
}

TEST(TimeServiceClock, WithoutABusSaysSo)
{
    TempFolder nowhere;
    QString reason;
    EXPECT_FALSE(platform::TimeServiceClock("unix:path=" + nowhere.File("bus")).Shift(0, reason));
    EXPECT_TRUE(reason.startsWith("the system bus cannot be reached")) << reason.toStdString();
}

} // namespace
