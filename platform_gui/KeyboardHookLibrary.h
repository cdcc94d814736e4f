#pragma once
// A keyboard-hook library loaded by file name, as the original loads its hook DLL: the library stays
// loaded, and its procedure callable, while this object lives.
#include "platform_gui/KeyboardHook.h"

#include <QString>

namespace platform {

class KeyboardHookLibrary {
public:
    // Loads the library at `path` with every symbol bound now and finds its "KeyboardProc".
    explicit KeyboardHookLibrary(const QString& path);
    ~KeyboardHookLibrary();
    KeyboardHookLibrary(const KeyboardHookLibrary&) = delete;
    KeyboardHookLibrary& operator=(const KeyboardHookLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    // The loader's reason when the library could not be loaded.
    QString LoadError() const { return loadError_; }
    // Null when the library is not loaded or exports no KeyboardProc.
    KeyboardHookProc Proc() const { return proc_; }

private:
    void* handle_;
    QString loadError_;
    KeyboardHookProc proc_ = nullptr;
};

} // namespace platform
