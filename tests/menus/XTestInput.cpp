#include "XTestInput.h"

#include <X11/Xlib.h>
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

bool XTestInput::PointerGrabbable()
{
    const int result = XGrabPointer(display_, DefaultRootWindow(display_), False, ButtonPressMask,
                                    GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (result == GrabSuccess)
        XUngrabPointer(display_, CurrentTime);
    XSync(display_, False);
    return result == GrabSuccess;
}
