#include "XTestInput.h"

#include <QDeadlineTimer>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

XTestInput::XTestInput(const QString& display) : display_(XOpenDisplay(display.toLocal8Bit().constData())) {}

XTestInput::~XTestInput()
{
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

void XTestInput::MoveTo(QPoint screen)
{
    XTestFakeMotionEvent(display_, 0, screen.x(), screen.y(), CurrentTime);
    XSync(display_, False);
}

void XTestInput::Button(int button, bool down, bool flush)
{
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), down ? True : False, CurrentTime);
    if (flush)
        XSync(display_, False);
}

void XTestInput::Press(int button)
{
    Button(button, true, true);
}

void XTestInput::Release(int button)
{
    Button(button, false, true);
}

void XTestInput::ClickInOneBatch(int button)
{
    Button(button, true, false);
    Button(button, false, true);
}

void XTestInput::TypeKey(const char* keysym)
{
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

void XTestInput::Key(const char* keysym, bool down)
{
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XStringToKeysym(keysym)), down ? True : False,
                      CurrentTime);
    XSync(display_, False);
}

bool XTestInput::KeyReachesFocusedWindow(const char* keysym)
{
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 100, 100, 0, 0, 0);
    XSelectInput(display_, window, KeyPressMask | StructureNotifyMask);
    XMapWindow(display_, window);
    XEvent event;
    do
        XNextEvent(display_, &event);
    while (event.type != MapNotify);
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
    TypeKey(keysym);
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    bool pressed = false;
    const QDeadlineTimer deadline(2000);
    while (!pressed && !deadline.hasExpired()) {
        while (!pressed && XPending(display_) > 0) {
            XNextEvent(display_, &event);
            pressed = event.type == KeyPress && event.xkey.keycode == code;
        }
        QThread::msleep(10);
    }
    XDestroyWindow(display_, window);
    XSync(display_, False);
    return pressed;
}

bool XTestInput::PointerGrabbable()
{
    const int result = XGrabPointer(display_, DefaultRootWindow(display_), False, ButtonPressMask,
                                    GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (result == GrabSuccess)
        XUngrabPointer(display_, CurrentTime);
    XSync(display_, False);
    return result == GrabSuccess;
}

int XTestInput::KeycodeOf(const char* keysym)
{
    return XKeysymToKeycode(display_, XStringToKeysym(keysym));
}

int XTestInput::UnusedKeycode()
{
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display_, &first, &last);
    int perCode = 0;
    KeySym* symbols = XGetKeyboardMapping(display_, KeyCode(first), last - first + 1, &perCode);
    int unused = 0;
    for (int code = last; code >= first && unused == 0; --code) {
        bool any = false;
        for (int i = 0; i < perCode; ++i)
            any = any || symbols[(code - first) * perCode + i] != NoSymbol;
        if (!any)
            unused = code;
    }
    XFree(symbols);
    return unused;
}

void XTestInput::MapKeycode(int keycode, const char* keysym)
{
    KeySym symbol = keysym ? XStringToKeysym(keysym) : NoSymbol;
    XChangeKeyboardMapping(display_, keycode, 1, &symbol, 1);
    XSync(display_, False);
}

void XTestInput::GrabWithCtrl(int keycode)
{
    XGrabKey(display_, keycode, ControlMask, DefaultRootWindow(display_), False, GrabModeAsync,
             GrabModeAsync);
    XSync(display_, False);
}

QImage XTestInput::Screen()
{
    const Window root = DefaultRootWindow(display_);
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, root, &attributes);
    XImage* image = XGetImage(display_, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage screen(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            screen.setPixel(x, y, static_cast<QRgb>(XGetPixel(image, x, y) & 0xFFFFFF));
    XDestroyImage(image);
    return screen;
}
