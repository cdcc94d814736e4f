#pragma once
// The DDE conversation of the original, on a local socket: a program serves a topic under its service
// name (its executable's name up to the first "."), and a client of the same user hands it execute text.
// The socket lives in a folder only the user may enter, and the server talks only to peers of its own
// user. Protocol: the client sends "EXECUTE <n>\n" and n bytes of UTF-8 text (lines separated by LF);
// the server answers "ACK\n" once the text was executed, or "NACK <reason>\n", and closes.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <sys/types.h>

class QLocalServer;

namespace platform {

inline constexpr qsizetype DdeMaxHeaderBytes = 32;
// More than a desktop can pass to a client on one command line.
inline constexpr qsizetype DdeMaxExecuteBytes = 4 * 1024 * 1024;
inline constexpr int DdeMaxConnections = 16;
inline constexpr int DdeRequestTimeoutMs = 10 * 1000;

// "/opt/station/Sonvelazodu.bin" serves as "Sonvelazodu".
QString DdeServiceName(const QString& executablePath);

// The one answer for the station and for the desktop's client, however each was started: "sonvela" in
// the user's runtime folder ($XDG_RUNTIME_DIR, else /run/user/<uid>) when that is a folder of this user
// that no one else may enter, else /tmp/sonvela-<uid>. TMPDIR and a runtime folder that is not the
// user's own never decide it.
QString DdeSocketFolder();
QString DdeSocketPath(const QString& service, const QString& topic);
// Creates the folder (mode 0700) when missing; then empty when it is a real folder of this user that no
// one else may enter, else why not.
QString MakePrivateFolder(const QString& folder);

// The user at the other end of a connected local socket, or -1 when it cannot be told.
long PeerUid(qintptr socketDescriptor);

// The execute text as the handler receives it: LF-separated lines, a CR before a LF dropped, no bytes
// no lines.
QStringList DdeExecuteLines(const QString& text);

class DdeServer : public QObject {
    Q_OBJECT
public:
    // Called on this object's thread with the lines of each complete request; the answer is sent when
    // it returns: ACK, or NACK with the reason it returns when anything of the request was refused.
    using ExecuteHandler = std::function<QString(const QStringList& lines)>;
    // Called with the reason of each refused connection or request, on one line.
    using RefusalHandler = std::function<void(const QString& reason)>;

    struct Options {
        uid_t allowedUser; // the peers served: this process's user unless a test says otherwise
        int requestTimeoutMs = DdeRequestTimeoutMs;
    };

    DdeServer(QString service, QString topic, ExecuteHandler execute, RefusalHandler refuse);
    DdeServer(QString service, QString topic, ExecuteHandler execute, RefusalHandler refuse, Options options);
    // Stops listening and removes the socket.
    ~DdeServer() override;

    // Serves the topic. A socket left by a crashed server is taken over; a live server's is never
    // touched. False with the reason when the server cannot listen.
    bool Listen(QString* error);
    bool IsListening() const;
    const QString& Topic() const { return topic_; }
    // Where it listens, fixed when it started listening.
    QString SocketPath() const;

private:
    friend class DdeConnection;
    void Accept();
    // Reports the reason with its control characters escaped, and returns it so.
    QString Refuse(const QString& reason) const;

    QString service_;
    QString topic_;
    ExecuteHandler execute_;
    RefusalHandler refuse_;
    Options options_;
    QLocalServer* server_ = nullptr;
    QString socketPath_;
    // The socket file as it was made, so only that file is ever removed.
    dev_t socketDevice_ = 0;
    ino_t socketInode_ = 0;
    int connections_ = 0;
};

// The client's side: one execute request. NoServer when nobody answers at the socket; Unsafe when the
// socket folder or the server's user is not this user's.
enum class DdeResult { Ack, Nack, NoServer, Unsafe };
struct DdeReply {
    DdeResult result = DdeResult::NoServer;
    QString reason;
};
DdeReply DdeExecute(const QString& service, const QString& topic, const QByteArray& text, int replyTimeoutMs);

} // namespace platform
