// The emergency key's hook procedure: Ctrl+F12 released posts the emergency message to the folders
// window. No state and nothing run at load: only the procedure, calling back into the program.
#include "platform/HookServices.h"

namespace {

constexpr intptr_t KeyReleased = intptr_t(1) << 31;

} // namespace

extern "C" __attribute__((visibility("default"))) intptr_t KeyboardProc(int code, uintptr_t wParam,
                                                                        intptr_t lParam)
{
    if (code != HC_ACTION || wParam != VK_F12)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    if ((lParam & KeyReleased) != 0 && GetKeyState(VK_CONTROL) < 0)
        if (void* window = FindWindow("TFFolders", nullptr))
            PostMessage(window, SZ_WM_SOSKEYPRESSED, VK_F12, 0);
    return 0;
}
