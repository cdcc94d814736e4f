#pragma once
// Private window messages: (msg, wParam, lParam) carried by one custom event type, posted from any
// thread to a live window or sent on the GUI thread, with the message numbers the system always had.
// A window that takes messages registers itself under its class name; that registration is its
// "handle": posting to a window that is gone (or never registered) does nothing.
#include <QEvent>
#include <QString>

#include <cstdint>

class QObject;

namespace platform {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;

// Standard window messages and system commands the windows use.
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_USER = 0x0400;

constexpr unsigned SC_SIZE = 0xF000;
constexpr unsigned SC_MOVE = 0xF010;
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_MAXIMIZE = 0xF030;
constexpr unsigned SC_CLOSE = 0xF060;
constexpr unsigned SC_RESTORE = 0xF120;

// The system's own messages. Numbers other subsystems add (popup menus, skin engine, control
// library) go here too, so no two ever collide.
constexpr unsigned WM_PLAYNEXT = WM_USER + 1;       // to the channel window: start the next entry
constexpr unsigned WM_SOSKEYPRESSED = WM_USER + 2;  // to "TFFolders": the emergency key
constexpr unsigned WM_SKIPLOGIN = WM_USER + 3;      // the login window to itself
constexpr unsigned WM_CROSSFADEPOINT = WM_USER + 4; // to the channel window: crossfade point reached
constexpr unsigned WM_CUEEND = WM_USER + 5;         // to the pre-listen window: its file has ended
constexpr unsigned WM_ENTRYOPENED = WM_USER + 6;    // to the channel: the entry it waits for is opened
constexpr unsigned SC_SETMAINWINDOW = 0xF400;       // system command "set as main window"
constexpr unsigned WM_PMQUEUEDCLICK = 0x500;   // popup menus: a click queued to run after the menu closed
constexpr unsigned WM_PMANIMATIONSTEP = 0x955; // popup menus: the show animation's next step
constexpr unsigned WM_PMANIMATIONEND = 0x956;  // popup menus: the show animation has finished
// Skin engine: a caption button with an Action of the skin's own was clicked (wParam the Action), and
// the engine asking whether to show a caption button (wParam Visibility, lParam Action; above 0 shows).
constexpr unsigned WM_SKINCAPTIONACTION = 0x3514;
constexpr unsigned WM_SKINBUTTONVISIBLE = 0x3515;

class MessageEvent : public QEvent {
public:
    MessageEvent(unsigned msg, WParam wParam, LParam lParam);

    // The one event type every message travels as, registered with Qt once.
    static QEvent::Type EventType();

    unsigned Msg() const { return msg_; }
    WParam WParamValue() const { return wParam_; }
    LParam LParamValue() const { return lParam_; }

    // What a sent message answers its sender; 0 unless the handler sets it.
    LParam Result() const { return result_; }
    void SetResult(LParam result) { result_ = result; }

private:
    unsigned msg_;
    WParam wParam_;
    LParam lParam_;
    LParam result_ = 0;
};

// The message an event carries, or nullptr for any other event; for a window's event():
//   if (auto* m = platform::AsMessage(e); m && m->Msg() == WM_PLAYNEXT) { ...; return true; }
MessageEvent* AsMessage(QEvent* event);

// Makes the window reachable by messages and by FindWindow under its class name until it is
// destroyed. Called once, from the window's constructor on the GUI thread.
void RegisterWindow(QObject* window, const QString& className);

// The first registered window of that class that is still alive, or nullptr. Any thread.
QObject* FindWindow(const QString& className);

// Queues the message for the window and returns at once; false (nothing queued) when the window is
// gone or was never registered. Safe from any thread, also while the window is being destroyed.
bool PostMessage(QObject* window, unsigned msg, WParam wParam = 0, LParam lParam = 0);

// Delivers the message to the window's event() at once and returns what the handler set; 0 when the
// window is gone. Only on the window's own (the GUI) thread.
LParam SendMessage(QObject* window, unsigned msg, WParam wParam = 0, LParam lParam = 0);

} // namespace platform
