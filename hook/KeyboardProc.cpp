// The emergency key's hook procedure: F12 released posts the emergency message to the folders window
// when Ctrl was down at F12's press or at its release, so letting go of Ctrl a moment early still
// counts. Its one state is that Ctrl at the last press; nothing runs at load: only the procedure,
// calling back into the program.
#include "platform/HookServices.h"

#include <atomic>

namespace {

constexpr intptr_t KeyWasDown = intptr_t(1) << 30;
constexpr intptr_t KeyReleased = intptr_t(1) << 31;

// Set at F12's first press when Ctrl was down then, cleared at its release. Atomic: the events come
// from the grab's thread, or from the GUI thread once the grab is gone.
std::atomic<bool> controlAtPress{false};

bool ControlDown()
{
    return GetKeyState(VK_CONTROL) < 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) intptr_t KeyboardProc(int code, uintptr_t wParam,
                                                                        intptr_t lParam)
{
    if (code != HC_ACTION || wParam != VK_F12)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    if ((lParam & KeyReleased) == 0) {
        // Repeats keep what the first press saw.
        if ((lParam & KeyWasDown) == 0)
            controlAtPress = ControlDown();
        return 0;
    }
    if (controlAtPress.exchange(false) || ControlDown())
        if (void* window = FindWindow("TFFolders", nullptr))
            PostMessage(window, SZ_WM_SOSKEYPRESSED, VK_F12, 0);
    return 0;
}
