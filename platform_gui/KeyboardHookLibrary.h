#pragma once
// A keyboard-hook library loaded by file name, as the original loads its hook DLL: the library stays
// loaded, and its procedure callable, while this object lives.
#include "platform_gui/KeyboardHook.h"

#include <QString>

namespace platform {

class KeyboardHookLibrary {
public:
    // Loads the library at `path` with every symbol bound now and finds its "KeyboardProc". A program
    // that runs elevated loads it only from where no other user can change it (LibraryLoadRefusal).
    explicit KeyboardHookLibrary(const QString& path);
    ~KeyboardHookLibrary();
    KeyboardHookLibrary(const KeyboardHookLibrary&) = delete;
    KeyboardHookLibrary& operator=(const KeyboardHookLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    // Why the library was not loaded: the loader's reason, or the refusal to load it.
    QString LoadError() const { return loadError_; }
    // Null when the library is not loaded or exports no KeyboardProc.
    KeyboardHookProc Proc() const { return proc_; }

private:
    void* handle_;
    QString loadError_;
    KeyboardHookProc proc_ = nullptr;
};

} // namespace platform
