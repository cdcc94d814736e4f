#include "shell/WindowList.h"

void WindowList::Destroy()
{
    while (!entries_.empty()) {
        Entry entry = entries_.back();
        entries_.pop_back();
        Trace("destroy:" + entry.window->objectName());
        entry.forget();
        delete entry.window;
    }
}
