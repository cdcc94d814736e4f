#include "platform_gui/Application.h"

#include "platform_gui/Dialogs.h"

namespace platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    return Guard([&] { return QApplication::notify(receiver, event); });
}

void Application::ShowException(const QString& text)
{
    MessageBox(applicationDisplayName(), text, QMessageBox::Critical, QMessageBox::Ok);
}

} // namespace platform
