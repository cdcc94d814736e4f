#include "platform_gui/XKeyGrab.h"

#include "platform/HookServices.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
// The XKB header names a member "explicit".
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <vector>

namespace platform {

namespace {

constexpr xcb_keysym_t KeysymF12 = 0xFFC9;
constexpr xcb_keysym_t KeysymNumLock = 0xFF7F;
constexpr uint8_t BadAccess = 10;

std::vector<xcb_keycode_t> KeycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym)
{
    std::vector<xcb_keycode_t> codes;
    if (xcb_keycode_t* list = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (xcb_keycode_t* code = list; *code != XCB_NO_SYMBOL; ++code)
            codes.push_back(*code);
        std::free(list);
    }
    return codes;
}

// The modifier bit NumLock is mapped to, 0 when it has none.
uint16_t NumLockMask(xcb_connection_t* connection, xcb_key_symbols_t* symbols)
{
    const std::vector<xcb_keycode_t> numLock = KeycodesOf(symbols, KeysymNumLock);
    xcb_get_modifier_mapping_reply_t* reply =
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr);
    if (!reply)
        return 0;
    uint16_t mask = 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8 && mask == 0; ++modifier)
        for (int i = 0; i < perModifier; ++i)
            for (const xcb_keycode_t code : numLock)
                if (code != 0 && codes[modifier * perModifier + i] == code)
                    mask = uint16_t(1u << modifier);
    std::free(reply);
    return mask;
}

} // namespace

struct XKeyGrab::State {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_key_symbols_t* symbols = nullptr;
    std::vector<xcb_keycode_t> f12;
    std::vector<uint16_t> modifiers; // every grabbed combination
    std::set<xcb_keycode_t> down;    // F12 keycodes pressed and not yet released
    int xkbEvent = -1;               // the XKB extension's event code, when it is in use
};

XKeyGrab::XKeyGrab(KeyboardHookProc proc, const QString& displayName,
                   std::function<void(const QString&)> onLost)
    : proc_(proc), onLost_(std::move(onLost)), state_(std::make_unique<State>())
{
    int screenNumber = 0;
    state_->connection = xcb_connect(displayName.toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(state_->connection)) {
        error_ = QStringLiteral("cannot connect to the X display ") + displayName;
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(state_->connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    state_->root = screens.data->root;
    // A held key then repeats as presses only, with one release at the end.
    xcb_xkb_use_extension_reply_t* xkb = xcb_xkb_use_extension_reply(
        state_->connection,
        xcb_xkb_use_extension(state_->connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
    const bool haveXkb = xkb && xkb->supported;
    std::free(xkb);
    if (haveXkb) {
        const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
        std::free(xcb_xkb_per_client_flags_reply(
            state_->connection,
            xcb_xkb_per_client_flags(state_->connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
            nullptr));
        // A client that uses XKB gets no core MappingNotify: it asks for XKB's own notice of a new keymap.
        const uint16_t parts = XCB_XKB_MAP_PART_KEY_SYMS | XCB_XKB_MAP_PART_MODIFIER_MAP;
        xcb_xkb_select_events(state_->connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_MAP_NOTIFY, 0,
                              XCB_XKB_EVENT_TYPE_MAP_NOTIFY, parts, parts, nullptr);
        state_->xkbEvent = xcb_get_extension_data(state_->connection, &xcb_xkb_id)->first_event;
    }
    state_->symbols = xcb_key_symbols_alloc(state_->connection);
    error_ = Grab();
    if (!error_.isEmpty())
        return;
    wake_ = eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { Run(); });
}

XKeyGrab::~XKeyGrab()
{
    if (thread_.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(wake_, &one, sizeof one);
        thread_.join();
    }
    if (wake_ >= 0)
        close(wake_);
    if (state_->connection && !xcb_connection_has_error(state_->connection))
        Ungrab();
    if (state_->symbols)
        xcb_key_symbols_free(state_->symbols);
    xcb_disconnect(state_->connection);
}

QString XKeyGrab::Grab()
{
    State& s = *state_;
    s.f12 = KeycodesOf(s.symbols, KeysymF12);
    if (s.f12.empty())
        return QStringLiteral("the keyboard has no F12 key");
    const uint16_t numLock = NumLockMask(s.connection, s.symbols);
    std::set<uint16_t> combinations;
    for (int subset = 0; subset < 8; ++subset)
        combinations.insert(uint16_t(XCB_MOD_MASK_CONTROL | ((subset & 1) ? XCB_MOD_MASK_SHIFT : 0) |
                                     ((subset & 2) ? XCB_MOD_MASK_LOCK : 0) | ((subset & 4) ? numLock : 0)));
    s.modifiers.assign(combinations.begin(), combinations.end());
    std::vector<xcb_void_cookie_t> cookies;
    for (const xcb_keycode_t code : s.f12)
        for (const uint16_t modifiers : s.modifiers)
            cookies.push_back(xcb_grab_key_checked(s.connection, 0, s.root, modifiers, code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refused = false;
    uint8_t errorCode = 0;
    for (const xcb_void_cookie_t cookie : cookies)
        if (xcb_generic_error_t* error = xcb_request_check(s.connection, cookie)) {
            refused = true;
            errorCode = error->error_code;
            std::free(error);
        }
    if (!refused)
        return {};
    Ungrab();
    return errorCode == BadAccess
               ? QStringLiteral("another program holds Ctrl+F12")
               : QStringLiteral("the X server refused the grab of Ctrl+F12 (error %1)").arg(errorCode);
}

void XKeyGrab::Ungrab()
{
    State& s = *state_;
    for (const xcb_keycode_t code : s.f12)
        for (const uint16_t modifiers : s.modifiers)
            xcb_ungrab_key(s.connection, code, s.root, modifiers);
    xcb_flush(s.connection);
}

void XKeyGrab::Run()
{
    State& s = *state_;
    pollfd fds[2] = {{xcb_get_file_descriptor(s.connection), POLLIN, 0}, {wake_, POLLIN, 0}};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(s.connection)) {
            const uint8_t type = event->response_type & 0x7F;
            if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
                const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
                const bool isF12 = std::find(s.f12.begin(), s.f12.end(), key->detail) != s.f12.end();
                intptr_t flags = 0;
                if (type == XCB_KEY_RELEASE) {
                    flags = KeyReleased | KeyWasDown;
                    s.down.erase(key->detail);
                } else if (!s.down.insert(key->detail).second) {
                    flags = KeyWasDown;
                }
                DeliverKey(proc_, HC_ACTION, isF12 ? VK_F12 : 0, flags,
                           (key->state & XCB_MOD_MASK_CONTROL) != 0);
            } else if (type == XCB_MAPPING_NOTIFY ||
                       (type == s.xkbEvent &&
                        reinterpret_cast<const xcb_xkb_map_notify_event_t*>(event)->xkbType ==
                            XCB_XKB_MAP_NOTIFY)) {
                xcb_key_symbols_free(s.symbols);
                s.symbols = xcb_key_symbols_alloc(s.connection);
                Ungrab();
                // A grab lost to the new keymap is lost like the connection: the station falls back to
                // its own windows and says so, as it does at start-up.
                if (const QString refused = Grab(); !refused.isEmpty()) {
                    std::free(event);
                    if (onLost_)
                        onLost_(refused);
                    return;
                }
            }
            std::free(event);
        }
        if (const int error = xcb_connection_has_error(s.connection)) {
            if (onLost_)
                onLost_(QStringLiteral("the X display's connection was lost (error %1)").arg(error));
            return;
        }
        xcb_flush(s.connection);
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[1].revents & POLLIN)
            return;
    }
}

} // namespace platform
