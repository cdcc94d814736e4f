#include "platform_gui/Desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace platform {

bool OpenWithDesktop(const QString& fileOrUrl)
{
    const QUrl url = QUrl::fromUserInput(fileOrUrl, QDir::currentPath(), QUrl::AssumeLocalFile);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace platform
