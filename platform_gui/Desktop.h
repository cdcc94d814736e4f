#pragma once
// Handing files and addresses to the desktop.
#include <QString>

namespace platform {

// Opens a file with its desktop application, or an address with the browser.
bool OpenWithDesktop(const QString& fileOrUrl);

} // namespace platform
