#include "controls/LXErrors.h"

LXEOneInstError::LXEOneInstError(const QString& componentName, int mode)
    : ELXException(componentName + QStringLiteral(":\r") +
                   (mode == 0 ? QStringLiteral("Invalid owner (<>TForm) or second instance on a form")
                              : QStringLiteral("Already one ") + componentName +
                                    QStringLiteral(" control in this project!")))
{
}
