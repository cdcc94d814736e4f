#include "platform_gui/KeyboardHook.h"
#include "platform_gui/KeyboardHookLibrary.h"

#include "XTestInput.h"
#include "XvfbServer.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// The folders window as the hook procedure finds it: it counts the emergency messages it gets.
class FoldersStandIn : public QObject {
public:
    FoldersStandIn() { platform::RegisterWindow(this, QStringLiteral("TFFolders")); }
    int posts = 0;

    // Handles what has been posted so far, waiting up to ms for more to arrive.
    int PostsAfter(int ms)
    {
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return posts;
    }

protected:
    bool event(QEvent* e) override
    {
        if (auto* message = platform::AsMessage(e); message && message->Msg() == platform::WM_SOSKEYPRESSED) {
            EXPECT_EQ(message->WParamValue(), 0x7Bu);
            EXPECT_EQ(message->LParamValue(), 0);
            ++posts;
            return true;
        }
        return QObject::event(e);
    }
};

// The built library, loaded by path as the station loads it.
struct TastrelLibrary : platform::KeyboardHookLibrary {
    TastrelLibrary() : KeyboardHookLibrary(SZ_TASTREL_LIBRARY) {}
};

// One key event as the platform hands it over: its keystroke flags and whether Ctrl is down then.
struct KeyEvent {
    intptr_t flags;
    bool ctrl;
};
constexpr KeyEvent Press(bool ctrl)
{
    return {0, ctrl};
}
constexpr KeyEvent Repeat(bool ctrl)
{
    return {platform::KeyWasDown, ctrl};
}
constexpr KeyEvent Release(bool ctrl)
{
    return {platform::KeyReleased | platform::KeyWasDown, ctrl};
}

TEST(KeyboardProc, PostsOnTheReleaseOfF12WhenCtrlWasDownAtItsPressOrReleaseAndPassesOtherKeysOn)
{
    TastrelLibrary library;
    const platform::KeyboardHookProc proc = library.Proc();
    ASSERT_NE(proc, nullptr) << library.LoadError().toStdString();
    FoldersStandIn folders;
    struct Case {
        const char* what;
        int code;
        uintptr_t key;
        std::vector<KeyEvent> events;
        int posts;
        bool passedOn;
    };
    const Case cases[] = {
        {"Ctrl held over F12", 0, 0x7B, {Press(true), Repeat(true), Release(true)}, 1, false},
        {"Ctrl let go before F12", 0, 0x7B, {Press(true), Repeat(false), Release(false)}, 1, false},
        {"Ctrl pressed after F12", 0, 0x7B, {Press(false), Release(true)}, 1, false},
        {"Ctrl+F12 pressed, not yet released", 0, 0x7B, {Press(true), Repeat(true)}, 0, false},
        {"F12 alone, after a Ctrl+F12 whose release went elsewhere",
         0,
         0x7B,
         {Press(false), Release(false)},
         0,
         false},
        {"Ctrl only while F12 repeats", 0, 0x7B, {Press(false), Repeat(true), Release(false)}, 0, false},
        {"Ctrl+A released", 0, 'A', {Release(true)}, 0, true},
        {"A pressed", 0, 'A', {Press(false)}, 0, true},
        {"Ctrl+F12 released, code 3", 3, 0x7B, {Release(true)}, 0, true},
        {"F12 pressed, code 1", 1, 0x7B, {Press(false)}, 0, true},
    };
    for (const Case& c : cases) {
        const int before = folders.posts;
        const int passed = platform::NextHookCalls();
        for (const KeyEvent& event : c.events)
            EXPECT_EQ(platform::DeliverKey(proc, c.code, c.key, event.flags, event.ctrl), 0) << c.what;
        QCoreApplication::sendPostedEvents(&folders);
        EXPECT_EQ(folders.posts - before, c.posts) << c.what;
        EXPECT_EQ(platform::NextHookCalls() - passed, c.passedOn ? int(c.events.size()) : 0) << c.what;
    }
}

TEST(KeyboardHook, WithoutADisplayTheStationsOwnWindowsDeliverTheKeys)
{
    TastrelLibrary library;
    ASSERT_NE(library.Proc(), nullptr);
    FoldersStandIn folders;
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto hook = std::make_unique<platform::KeyboardHook>(library.Proc(), QString());
    EXPECT_FALSE(hook->SystemWide());
    EXPECT_EQ(hook->Limitation(), "there is no X display");

    QTest::keyClick(window.windowHandle(), Qt::Key_F12, Qt::ControlModifier);
    EXPECT_EQ(folders.PostsAfter(50), 1) << "Ctrl+F12, once although the window and its controls see it";
    QTest::keyClick(window.windowHandle(), Qt::Key_F12);
    EXPECT_EQ(folders.PostsAfter(50), 1) << "F12 alone";
    hook.reset();
    QTest::keyClick(window.windowHandle(), Qt::Key_F12, Qt::ControlModifier);
    EXPECT_EQ(folders.PostsAfter(50), 1) << "removed";
}

// Keys pressed on a private X server from the test's own connection, the hook grabbing on another.
class KeyboardHookOnX : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Running()) << server.Error().toStdString();
        ASSERT_NE(library.Proc(), nullptr);
        input = std::make_unique<XTestInput>(server.Display());
        ASSERT_TRUE(input->Connected());
    }
    // Presses ("+") and releases ("-") in order, e.g. {"+Control_L", "+F12", "-F12", "-Control_L"}.
    void Keys(std::initializer_list<const char*> steps)
    {
        for (const char* step : steps)
            input->Key(step + 1, step[0] == '+');
    }

    testing_support::XvfbServer server;
    TastrelLibrary library;
    FoldersStandIn folders;
    std::unique_ptr<XTestInput> input;
};

TEST_F(KeyboardHookOnX, CtrlF12AnywhereGivesOnePostOnTheRelease)
{
    platform::KeyboardHook hook(library.Proc(), server.Display());
    ASSERT_TRUE(hook.SystemWide()) << hook.Limitation().toStdString();
    struct Case {
        const char* what;
        std::initializer_list<const char*> keys;
        int posts;
    };
    const Case cases[] = {
        {"Ctrl+F12 pressed", {"+Control_L", "+F12"}, 0},
        {"and released", {"-F12", "-Control_L"}, 1},
        {"Ctrl+Shift+F12", {"+Control_L", "+Shift_L", "+F12", "-F12", "-Shift_L", "-Control_L"}, 1},
        {"Ctrl with CapsLock on",
         {"+Caps_Lock", "-Caps_Lock", "+Control_R", "+F12", "-F12", "-Control_R"},
         1},
        {"CapsLock off again, NumLock on",
         {"+Caps_Lock", "-Caps_Lock", "+Num_Lock", "-Num_Lock", "+Control_L", "+F12", "-F12", "-Control_L"},
         1},
        {"NumLock off again, Ctrl released before F12",
         {"+Num_Lock", "-Num_Lock", "+Control_L", "+F12", "-Control_L", "-F12"},
         1},
        {"F12 alone", {"+F12", "-F12"}, 0},
        {"Ctrl+Alt+F12 is the desktop's",
         {"+Control_L", "+Alt_L", "+F12", "-F12", "-Alt_L", "-Control_L"},
         0},
    };
    for (const Case& c : cases) {
        const int before = folders.posts;
        Keys(c.keys);
        EXPECT_EQ(folders.PostsAfter(300) - before, c.posts) << c.what;
    }

    // Held for a second while the server repeats it: still one.
    const int before = folders.posts;
    Keys({"+Control_L", "+F12"});
    EXPECT_EQ(folders.PostsAfter(1000) - before, 0) << "held";
    Keys({"-F12", "-Control_L"});
    EXPECT_EQ(folders.PostsAfter(300) - before, 1) << "held, then released";
}

TEST_F(KeyboardHookOnX, F12AloneStillReachesTheFocusedWindow)
{
    platform::KeyboardHook hook(library.Proc(), server.Display());
    ASSERT_TRUE(hook.SystemWide());
    EXPECT_TRUE(input->KeyReachesFocusedWindow("F12"));
    EXPECT_EQ(folders.PostsAfter(100), 0);
}

TEST_F(KeyboardHookOnX, AGrabHeldByAnotherProgramLeavesTheStationsOwnWindows)
{
    platform::KeyboardHook first(library.Proc(), server.Display());
    ASSERT_TRUE(first.SystemWide());
    platform::KeyboardHook second(library.Proc(), server.Display());
    EXPECT_FALSE(second.SystemWide());
    EXPECT_EQ(second.Limitation(), "another program holds Ctrl+F12");

    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(window.windowHandle(), Qt::Key_F12, Qt::ControlModifier);
    EXPECT_EQ(folders.PostsAfter(100), 1) << "the second hook's in-process path";
}

// A keymap change makes the hook grab Ctrl+F12 again; when that fails, the station falls back to its
// own windows and says why, as at start-up. Each case on a display of its own.
TEST(KeyboardHookKeymap, AGrabLostToAKeymapChangeIsReportedAndFallsBack)
{
    TastrelLibrary library;
    ASSERT_NE(library.Proc(), nullptr);
    struct Case {
        const char* what;
        std::function<void(XTestInput&)> change;
        const char* reason; // empty: still system-wide
    };
    const Case cases[] = {
        {"another key gets a symbol", [](XTestInput& x) { x.MapKeycode(x.UnusedKeycode(), "F13"); }, ""},
        {"F12 mapped away", [](XTestInput& x) { x.MapKeycode(x.KeycodeOf("F12"), nullptr); },
         "the keyboard has no F12 key"},
        {"F12 also on a key another program holds with Ctrl",
         [](XTestInput& x) {
             const int spare = x.UnusedKeycode();
             x.GrabWithCtrl(spare);
             x.MapKeycode(spare, "F12");
         },
         "another program holds Ctrl+F12"},
    };
    for (const Case& c : cases) {
        testing_support::XvfbServer server;
        ASSERT_TRUE(server.Running()) << server.Error().toStdString();
        XTestInput input(server.Display());
        ASSERT_TRUE(input.Connected());
        platform::KeyboardHook hook(library.Proc(), server.Display());
        ASSERT_TRUE(hook.SystemWide()) << c.what;
        QStringList reported;
        hook.OnFallBack = [&reported](const QString& reason) { reported.append(reason); };
        c.change(input);
        const QDeadlineTimer deadline(1000);
        while (!deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (*c.reason == '\0') {
            EXPECT_TRUE(reported.isEmpty()) << c.what;
            EXPECT_TRUE(hook.SystemWide()) << c.what;
        } else {
            EXPECT_EQ(reported, QStringList{c.reason}) << c.what;
            EXPECT_FALSE(hook.SystemWide()) << c.what;
            EXPECT_EQ(hook.Limitation(), c.reason) << c.what;
        }
    }
}

} // namespace
