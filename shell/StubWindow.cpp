#include "shell/StubWindow.h"

#include "platform/Messages.h"

TStubWindow::TStubWindow(const QString& className, const QString& instanceName) : QWidget(nullptr, Qt::Window)
{
    setObjectName(instanceName);
    setWindowTitle(instanceName);
    platform::RegisterWindow(this, className);
}
