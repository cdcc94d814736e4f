#pragma once
// Real input for end-to-end tests through the XTest extension, on a connection of the test's own to
// the display it names (a private Xvfb), plus a probe of who holds the pointer.
#include <QImage>
#include <QPoint>
#include <QString>

struct _XDisplay;

class XTestInput {
public:
    explicit XTestInput(const QString& display);
    ~XTestInput();
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    bool Connected() const { return display_ != nullptr; }
    void MoveTo(QPoint screen);
    // Button 1 left, 3 right. Each call is sent to the server at once.
    void Press(int button);
    void Release(int button);
    // Press and release sent together, before the program under test could handle the press.
    void ClickInOneBatch(int button);
    // Presses and releases the key of the X key symbol name ("a", "Return", "Escape").
    void TypeKey(const char* keysym);
    // Presses or releases that key alone, sent to the server at once.
    void Key(const char* keysym, bool down);
    // Maps a window of this connection, gives it the input focus, presses and releases the key and
    // waits (bounded) for the window's key press: false when another client took the key.
    bool KeyReachesFocusedWindow(const char* keysym);
    // Takes and at once gives back a pointer grab: false while another client holds one.
    bool PointerGrabbable();
    // Keymap changes, which the server announces to every client: the keycode of a key symbol (0:
    // none), a keycode that has no symbol yet, and a keycode given one symbol (a null name: none).
    int KeycodeOf(const char* keysym);
    int UnusedKeycode();
    void MapKeycode(int keycode, const char* keysym);
    // Holds Ctrl with the keycode on the whole display, as another program's hot key does.
    void GrabWithCtrl(int keycode);
    // The whole screen as it shows now; null when it cannot be read.
    QImage Screen();

private:
    void Button(int button, bool down, bool flush);

    _XDisplay* display_ = nullptr;
};
