#pragma once
/* The window services a keyboard hook procedure calls, as C functions with the names it has always
   used. The program defines them (platform_gui/KeyboardHook) and exports them; the hook library leaves
   them undefined and they resolve against the program that loads it. Plain C: the library links
   nothing of ours. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define HC_ACTION 0
#define VK_CONTROL 0x11
#define VK_F12 0x7B
#define SZ_WM_SOSKEYPRESSED 0x402

/* Passes an event on along the hook chain; there is no chain here, so it answers 0. */
intptr_t CallNextHookEx(void* hook, int code, uintptr_t wParam, intptr_t lParam);
/* Negative when the key is down, from the modifier state of the key event being delivered. */
short GetKeyState(int virtualKey);
/* The live window registered under the class name, or null; the title is not looked at. */
void* FindWindow(const char* className, const char* windowName);
/* Queues the message for the window; nonzero when it was queued. Any thread. */
int PostMessage(void* window, unsigned msg, uintptr_t wParam, intptr_t lParam);

#ifdef __cplusplus
}
#endif
