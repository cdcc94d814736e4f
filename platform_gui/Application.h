#pragma once
// The error boundary: no exception ever crosses Qt's event loop. One escaping an event handler is
// shown in the error box (the application's name as caption, the exception's text, the error
// icon) and the program goes on with the next event.
#include <QApplication>
#include <QString>

#include <exception>

namespace platform {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs one delivery inside the boundary: what it returns, or false after showing the error box.
    template <typename Deliver> static bool Guard(Deliver&& deliver);

    // The error box for an exception that reached the boundary.
    static void ShowException(const QString& text);
};

template <typename Deliver> bool Application::Guard(Deliver&& deliver)
{
    try {
        return deliver();
    } catch (const std::exception& error) {
        ShowException(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace platform
