#include "XvfbServer.h"

namespace testing_support {

XvfbServer::XvfbServer(int width, int height)
{
    // The server writes the display number it chose to descriptor 1 once it accepts clients.
    server_.setProcessChannelMode(QProcess::SeparateChannels);
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("%1x%2x24").arg(width).arg(height)});
    if (!server_.waitForStarted(10000)) {
        error_ = QStringLiteral("Xvfb did not start: %1").arg(server_.errorString());
        return;
    }
    QByteArray output;
    while (!output.contains('\n') && server_.state() == QProcess::Running && server_.waitForReadyRead(20000))
        output += server_.readAllStandardOutput();
    bool ok = false;
    const int number = output.trimmed().toInt(&ok);
    if (!ok) {
        error_ = QStringLiteral("Xvfb gave no display: %1")
                     .arg(QString::fromLocal8Bit(server_.readAllStandardError()));
        return;
    }
    display_ = QStringLiteral(":%1").arg(number);
}

XvfbServer::~XvfbServer()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(5000)) {
        server_.kill();
        server_.waitForFinished(5000);
    }
}

} // namespace testing_support
