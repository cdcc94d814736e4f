#include "platform_gui/PointerButtons.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace platform {

namespace {

FakePointerButtons* installed = nullptr;

std::optional<Qt::MouseButtons> AskX()
{
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr)
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (screens.rem == 0)
        return std::nullopt;
    // A round trip: the server has handled every request sent before, a released grab included.
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screens.data->root), nullptr);
    if (reply == nullptr)
        return std::nullopt;
    Qt::MouseButtons down;
    down.setFlag(Qt::LeftButton, reply->mask & XCB_BUTTON_MASK_1);
    down.setFlag(Qt::MiddleButton, reply->mask & XCB_BUTTON_MASK_2);
    down.setFlag(Qt::RightButton, reply->mask & XCB_BUTTON_MASK_3);
    free(reply);
    return down;
}

} // namespace

std::optional<Qt::MouseButtons> PointerButtonsDown()
{
    return installed != nullptr ? installed->down : AskX();
}

FakePointerButtons::FakePointerButtons(std::optional<Qt::MouseButtons> buttons)
    : down(buttons), previous_(installed)
{
    installed = this;
}

FakePointerButtons::~FakePointerButtons()
{
    installed = previous_;
}

} // namespace platform
