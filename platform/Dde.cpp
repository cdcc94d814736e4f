#include "platform/Dde.h"

#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray ExecuteWord = "EXECUTE ";

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The announced length of a header line, or -1 when it is not "EXECUTE <decimal digits>".
qint64 AnnouncedLength(const QByteArray& header)
{
    if (!header.startsWith(ExecuteWord))
        return -1;
    const QByteArray digits = header.mid(ExecuteWord.size());
    if (digits.isEmpty() || digits.size() > 9)
        return -1;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return -1;
    return digits.toLongLong();
}

bool FitsSocketAddress(const QByteArray& path)
{
    return path.size() < qsizetype(sizeof(sockaddr_un::sun_path));
}

sockaddr_un SocketAddress(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

// True when a server accepts connections at the path.
bool SomeoneListens(const QByteArray& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const sockaddr_un address = SocketAddress(path);
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return answered;
}

// A bound, listening socket at path, or -1 with errno set.
int BindAndListen(const QByteArray& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const sockaddr_un address = SocketAddress(path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    // Only the owner, whatever the umask; the folder keeps everyone else out already.
    if (::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        const int error = errno;
        ::unlink(path.constData());
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

// One accepted connection: its request is read, checked and executed, then answered and closed.
class DdeConnection : public QObject {
public:
    DdeConnection(DdeServer* server, QLocalSocket* socket) : QObject(server), server_(server), socket_(socket)
    {
        socket_->setParent(this);
        ++server_->connections_;
        connect(socket_, &QLocalSocket::readyRead, this, &DdeConnection::Read);
        connect(socket_, &QLocalSocket::disconnected, this, &DdeConnection::Gone);
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] {
            Refuse(QStringLiteral("request not complete within %1 s")
                       .arg(server_->options_.requestTimeoutMs / 1000.0));
        });
        timer_.start(server_->options_.requestTimeoutMs);
    }
    ~DdeConnection() override { --server_->connections_; }

private:
    void Read()
    {
        if (finished_)
            return;
        buffer_ += socket_->readAll();
        if (expected_ < 0 && !ReadHeader())
            return;
        if (buffer_.size() > expected_)
            return Refuse(QStringLiteral("more bytes than announced"));
        if (buffer_.size() < expected_)
            return;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(buffer_);
        if (decoder.hasError())
            return Refuse(QStringLiteral("the text is not UTF-8"));
        finished_ = true;
        timer_.stop();
        if (const QString refused = server_->execute_(DdeExecuteLines(text)); !refused.isEmpty())
            return Refuse(refused);
        Answer("ACK\n");
    }

    // False while the header line is not complete or when it was refused.
    bool ReadHeader()
    {
        const qsizetype end = buffer_.indexOf('\n');
        if (end < 0 || end >= DdeMaxHeaderBytes) {
            if (end >= 0 || buffer_.size() >= DdeMaxHeaderBytes)
                Refuse(QStringLiteral("header longer than %1 bytes").arg(DdeMaxHeaderBytes));
            return false;
        }
        expected_ = AnnouncedLength(buffer_.left(end));
        if (expected_ < 0) {
            Refuse(QStringLiteral("malformed header"));
            return false;
        }
        if (expected_ > DdeMaxExecuteBytes) {
            Refuse(QStringLiteral("%1 bytes announced, more than %2").arg(expected_).arg(DdeMaxExecuteBytes));
            return false;
        }
        buffer_.remove(0, end + 1);
        return true;
    }

    void Refuse(const QString& reason)
    {
        finished_ = true;
        timer_.stop();
        Answer("NACK " + server_->Refuse(reason).toUtf8() + '\n');
    }

    void Answer(const QByteArray& reply)
    {
        socket_->write(reply);
        socket_->disconnectFromServer(); // after the reply has gone out
        if (socket_->state() == QLocalSocket::UnconnectedState)
            deleteLater();
    }

    void Gone()
    {
        if (!finished_ && !buffer_.isEmpty())
            server_->Refuse(QStringLiteral("the client left before its request was complete"));
        finished_ = true;
        timer_.stop();
        deleteLater();
    }

    DdeServer* server_;
    QLocalSocket* socket_;
    QByteArray buffer_;
    qint64 expected_ = -1;
    bool finished_ = false;
    QTimer timer_;
};

QString DdeServiceName(const QString& executablePath)
{
    return QFileInfo(executablePath).fileName().section(QLatin1Char('.'), 0, 0);
}

QString DdeSocketFolder()
{
    const auto usersOwn = [](const QString& folder) {
        struct stat status {};
        return folder.startsWith(QLatin1Char('/')) &&
               ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
               status.st_uid == ::getuid() && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
    };
    for (const QString& runtime :
         {qEnvironmentVariable("XDG_RUNTIME_DIR"), QStringLiteral("/run/user/%1").arg(::getuid())})
        if (usersOwn(runtime))
            return runtime + QStringLiteral("/sonvela");
    return QStringLiteral("/tmp/sonvela-%1").arg(::getuid());
}

QString DdeSocketPath(const QString& service, const QString& topic)
{
    return DdeSocketFolder() + QLatin1Char('/') + service + QLatin1Char('.') + topic;
}

QString MakePrivateFolder(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return QStringLiteral("cannot create %1: %2").arg(folder, ErrnoText(errno));
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0)
        return QStringLiteral("cannot inspect %1: %2").arg(folder, ErrnoText(errno));
    if (!S_ISDIR(status.st_mode))
        return QStringLiteral("%1 is not a folder").arg(folder);
    if (status.st_uid != ::getuid())
        return QStringLiteral("%1 belongs to another user").arg(folder);
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QStringLiteral("%1 is open to other users").arg(folder);
    return {};
}

long PeerUid(qintptr socketDescriptor)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return -1;
    return long(credentials.uid);
}

QStringList DdeExecuteLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

DdeServer::DdeServer(QString service, QString topic, ExecuteHandler execute, RefusalHandler refuse)
    : DdeServer(std::move(service), std::move(topic), std::move(execute), std::move(refuse),
                Options{::getuid()})
{
}

DdeServer::DdeServer(QString service, QString topic, ExecuteHandler execute, RefusalHandler refuse,
                     Options options)
    : service_(std::move(service)), topic_(std::move(topic)), execute_(std::move(execute)),
      refuse_(std::move(refuse)), options_(options)
{
}

DdeServer::~DdeServer()
{
    // The open connections count themselves off while this object is still whole.
    qDeleteAll(children());
    if (IsListening()) {
        server_->close();
        const QByteArray path = QFile::encodeName(socketPath_);
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && status.st_dev == socketDevice_ &&
            status.st_ino == socketInode_)
            ::unlink(path.constData());
    }
    delete server_;
}

QString DdeServer::SocketPath() const
{
    return IsListening() ? socketPath_ : DdeSocketPath(service_, topic_);
}

bool DdeServer::IsListening() const
{
    return server_ && server_->isListening();
}

bool DdeServer::Listen(QString* error)
{
    if (IsListening())
        return true;
    const QString unsafe = MakePrivateFolder(DdeSocketFolder());
    if (!unsafe.isEmpty()) {
        *error = unsafe;
        return false;
    }
    const QString socketPath = DdeSocketPath(service_, topic_);
    const QByteArray path = QFile::encodeName(socketPath);
    if (!FitsSocketAddress(path)) {
        *error = QStringLiteral("the socket path %1 is too long").arg(socketPath);
        return false;
    }
    int fd = BindAndListen(path);
    if (fd < 0 && errno == EADDRINUSE) {
        if (SomeoneListens(path)) {
            *error = QStringLiteral("another server answers at %1").arg(socketPath);
            return false;
        }
        ::unlink(path.constData()); // left by a server that ended without removing it
        fd = BindAndListen(path);
    }
    if (fd < 0) {
        *error = QStringLiteral("cannot listen at %1: %2").arg(socketPath, ErrnoText(errno));
        return false;
    }
    struct stat status {};
    ::lstat(path.constData(), &status);
    delete server_;
    server_ = new QLocalServer;
    connect(server_, &QLocalServer::newConnection, this, &DdeServer::Accept);
    if (!server_->listen(fd)) {
        *error = QStringLiteral("cannot listen at %1: %2").arg(socketPath, server_->errorString());
        ::unlink(path.constData());
        ::close(fd);
        return false;
    }
    socketPath_ = socketPath;
    socketDevice_ = status.st_dev;
    socketInode_ = status.st_ino;
    return true;
}

void DdeServer::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        const long peer = PeerUid(socket->socketDescriptor());
        if (peer != long(options_.allowedUser)) {
            Refuse(QStringLiteral("a connection of user %1").arg(peer));
            socket->abort();
            socket->deleteLater();
        } else if (connections_ >= DdeMaxConnections) {
            Refuse(QStringLiteral("more than %1 connections at once").arg(DdeMaxConnections));
            socket->abort();
            socket->deleteLater();
        } else {
            new DdeConnection(this, socket);
        }
    }
}

QString DdeServer::Refuse(const QString& reason) const
{
    const QString line = EscapeControls(reason);
    if (refuse_)
        refuse_(line);
    return line;
}

DdeReply DdeExecute(const QString& service, const QString& topic, const QByteArray& text, int replyTimeoutMs)
{
    const QString unsafe = MakePrivateFolder(DdeSocketFolder());
    if (!unsafe.isEmpty())
        return {DdeResult::Unsafe, unsafe};
    QLocalSocket socket;
    socket.connectToServer(DdeSocketPath(service, topic));
    if (!socket.waitForConnected(1000))
        return {DdeResult::NoServer, socket.errorString()};
    if (PeerUid(socket.socketDescriptor()) != long(::getuid()))
        return {DdeResult::Unsafe, QStringLiteral("the server runs as another user")};
    socket.write(ExecuteWord + QByteArray::number(text.size()) + '\n' + text);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(replyTimeoutMs))
            return {DdeResult::Nack, QStringLiteral("the server stopped reading: ") + socket.errorString()};
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState)
        if (!socket.waitForReadyRead(replyTimeoutMs))
            break;
    const QByteArray reply = socket.readLine().trimmed();
    if (reply == "ACK")
        return {DdeResult::Ack, {}};
    if (reply.startsWith("NACK "))
        return {DdeResult::Nack, QString::fromUtf8(reply.mid(5))};
    return {DdeResult::Nack, QStringLiteral("no answer from the server")};
}

} // namespace platform
