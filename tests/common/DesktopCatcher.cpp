#include "DesktopCatcher.h"

#include <QDesktopServices>

DesktopCatcher::DesktopCatcher(const QStringList& schemes) : schemes_(schemes)
{
    for (const QString& scheme : schemes_)
        QDesktopServices::setUrlHandler(scheme, this, "Open");
}

DesktopCatcher::~DesktopCatcher()
{
    for (const QString& scheme : schemes_)
        QDesktopServices::unsetUrlHandler(scheme);
}
