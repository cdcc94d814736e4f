#pragma once
// Stands in for the desktop while it lives: takes the addresses of the given schemes that would have
// been opened, instead of starting any application.
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class DesktopCatcher : public QObject {
    Q_OBJECT
public:
    explicit DesktopCatcher(const QStringList& schemes = {QStringLiteral("file")});
    ~DesktopCatcher() override;

    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }

private:
    QStringList schemes_;
};
