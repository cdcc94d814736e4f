#pragma once
// The time-server client: one SNTP exchange at a time on a worker thread, so the GUI thread never
// waits for name resolution or the network. A reply that passes every check shifts the clock through
// the installed SystemClock; the result comes back to the client's thread as a queued call.
#include <QObject>
#include <QString>

#include <sys/socket.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

struct ResolvedAddress {
    sockaddr_storage Address{};
    socklen_t Length = 0;
};

// The first address of host for UDP, or none with the reason. Runs on the worker.
using Resolver =
    std::function<std::optional<ResolvedAddress>(const QString& host, int port, QString& reason)>;
// Through getaddrinfo.
std::optional<ResolvedAddress> ResolveHost(const QString& host, int port, QString& reason);

struct SntpResult {
    bool Ok = false; // a reply passed and the clock was set
    int64_t OffsetNs = 0;
    QString Reason;     // why not, when not
    int64_t FromNs = 0; // when set: the clock (Unix ns) just before it was moved by OffsetNs
};

class SntpClient : public QObject {
    Q_OBJECT
public:
    explicit SntpClient(QObject* parent = nullptr);
    // Cancels a running exchange: its result is never delivered, and it sets no clock unless the
    // setting had begun.
    ~SntpClient() override;

    QString Host;
    int Port = 123;
    int TimeoutMs = 2000; // resolution included

    void SetResolver(Resolver resolver) { resolver_ = std::move(resolver); }
    bool Busy() const { return pending_ != nullptr; }
    // Starts an exchange; done runs later on this object's thread, exactly once, with the one result of
    // the request. False, and nothing starts, while another runs. Bad settings fail without sending.
    bool SyncTime(std::function<void(const SntpResult&)> done);
    void Cancel();

private:
    struct Request; // what the worker shares with the client
    Resolver resolver_;
    std::shared_ptr<Request> pending_;
    std::function<void(const SntpResult&)> done_;
    uint64_t lastId_ = 0;

    // Delivers the result of request id once; a late result of an earlier request is dropped.
    void Finish(uint64_t id, const SntpResult& result);
    // Fails request id with result unless the worker has decided it already.
    void Expire(uint64_t id, const SntpResult& result);
};

} // namespace platform
