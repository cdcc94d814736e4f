#include "platform_gui/KeyboardHookLibrary.h"

#include "platform/Privileges.h"

#include <QFile>

#include <dlfcn.h>

namespace platform {

KeyboardHookLibrary::KeyboardHookLibrary(const QString& path) : handle_(nullptr)
{
    // An elevated program runs no code that another user could have put there.
    loadError_ = LibraryLoadRefusal(path);
    if (!loadError_.isEmpty())
        return;
    handle_ = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        loadError_ = why ? QString::fromLocal8Bit(why) : QString();
        return;
    }
    proc_ = reinterpret_cast<KeyboardHookProc>(dlsym(handle_, "KeyboardProc"));
}

KeyboardHookLibrary::~KeyboardHookLibrary()
{
    if (handle_)
        dlclose(handle_);
}

} // namespace platform
