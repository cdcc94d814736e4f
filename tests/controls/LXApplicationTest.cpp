// The application object and the timer pool, the pool in manual mode: only Tick() moves it.
#include "controls/LXApplication.h"
#include "DialogAnswerer.h"
#include "Drawing.h"
#include "controls/LXErrors.h"
#include "controls/LXMessages.h"

#include <QApplication>
#include <QEvent>
#include <gtest/gtest.h>

namespace {

// A fresh pool like the global one (50 ms), in manual mode.
struct PoolFixture : testing::Test {
    PoolFixture() { pool.SetManual(true); }
    TLXTimerPool pool{nullptr, 50};
    std::vector<int> fired; // the tick number of each call

    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            ++tick;
            pool.Tick();
        }
    }
    std::function<void(QObject*)> Recorder(std::vector<int>& into)
    {
        return [this, &into](QObject*) { into.push_back(tick); };
    }
    int tick = 0;
};

std::string ErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

// Frees every slot it took, so tests of the global object leave it as they found it.
struct GlobalTimers {
    std::vector<uint16_t> idents;
    ~GlobalTimers()
    {
        for (uint16_t ident : idents)
            LXApplication().RemoveTimer(ident);
    }
};

} // namespace

TEST(LXApplication, SlotTableHandsOutTwoHundredFiftyIdents)
{
    GlobalTimers timers;
    TLXApplication& app = LXApplication();
    for (int i = 0; i < TLXApplication::TimerSlots; ++i) {
        timers.idents.push_back(app.AddTimer(100, nullptr));
        EXPECT_EQ(timers.idents.back(), 0xFD01 + i);
    }
    EXPECT_EQ(app.AddTimer(100, nullptr), 0);
    app.RemoveTimer(0xFD05);
    EXPECT_EQ(app.TimerItem(0xFD05), nullptr);
    EXPECT_EQ(app.AddTimer(100, nullptr), 0xFD05); // the freed slot is reused
    const int count = app.TimerPool().Count();
    for (uint16_t outside : {0xFD00, 0xFDFB, 0xFE00, 0xFFFF})
        app.RemoveTimer(outside); // beyond the table: ignored, nothing indexed past it
    EXPECT_EQ(app.TimerPool().Count(), count);
    EXPECT_NE(app.TimerItem(0xFDFA), nullptr);
}

TEST(LXApplication, ErrorsPassToTheCallerAndTakeNoSlot)
{
    GlobalTimers timers;
    TLXApplication& app = LXApplication();
    EXPECT_EQ(ErrorText([&] { app.AddTimer(75, nullptr); }),
              "Interval not compatible with MinInterval property!");
    timers.idents.push_back(app.AddTimer(50, nullptr));
    EXPECT_EQ(timers.idents.back(), 0xFD01); // the failed add left its slot free
    app.RemoveTimer(0xFD07);                 // a slot not in use: ignored
    EXPECT_EQ(app.TimerPool().Count(), 1);
}

TEST(LXApplication, WithoutTheLibraryStartedAClearErrorNotACrash)
{
    EXPECT_EQ(ErrorText([] { ControlLibrary second; }), "The control library is started already");
}

TEST_F(PoolFixture, IntervalsMustBeMultiplesOfTheMinimum)
{
    struct Case {
        int interval;
        const char* error;
    };
    const Case cases[] = {
        {75, "Interval not compatible with MinInterval property!"},
        {25, "Interval not compatible with MinInterval property!"},
        {0, "Interval not compatible with MinInterval property!"},
        {100, ""},
    };
    uint16_t ident = 1;
    for (const Case& c : cases)
        EXPECT_EQ(ErrorText([&] { pool.AddItem(ident++, c.interval, nullptr); }), c.error) << c.interval;
    EXPECT_EQ(ErrorText([&] { pool.AddItem(4, 50, nullptr); }), "List index out of bounds (%d)");
    EXPECT_EQ(ErrorText([] { TLXTimerItem orphan(nullptr, 1); }), "TLXTimerItem: Invalid Owner or List");

    std::vector<int> calls;
    pool.ItemByIdent(4)->OnTimer = Recorder(calls);
    Ticks(6);
    EXPECT_EQ(calls, (std::vector<int>{2, 4, 6})); // 100 ms: every second tick
    TLXTimerItem& item = *pool.ItemByIdent(4);
    item.SetInterval(75); // not a multiple: ignored
    EXPECT_EQ(item.Interval(), 100);
    item.SetInterval(0); // stands for the minimum
    EXPECT_EQ(item.Interval(), 50);
}

TEST_F(PoolFixture, EveryAddRestartsThePhase)
{
    std::vector<int> first, second;
    pool.AddItem(1, 300, Recorder(first));
    EXPECT_TRUE(pool.Active());
    Ticks(6);
    EXPECT_EQ(first, (std::vector<int>{6}));
    Ticks(4); // tick 10: four ticks into the second period
    pool.AddItem(2, 100, Recorder(second));
    Ticks(6);
    EXPECT_EQ(first, (std::vector<int>{6, 16})); // six ticks after the add, not at 12
    EXPECT_EQ(second, (std::vector<int>{12, 14, 16}));
}

TEST_F(PoolFixture, CallLimitDisablesAfterTheLastCallAndPoolHandlerGetsTheCount)
{
    std::vector<std::pair<uint16_t, int>> calls;
    pool.OnTimer = [&](QObject* sender, uint16_t ident, int count) {
        EXPECT_EQ(sender, &pool);
        calls.push_back({ident, count});
    };
    pool.AddItem(7, 50, nullptr);
    TLXTimerItem& item = *pool.ItemByIdent(7);
    item.SetCallLimit(3);
    Ticks(5);
    EXPECT_EQ(calls, (std::vector<std::pair<uint16_t, int>>{{7, 1}, {7, 2}, {7, 3}})); // the count reached
    EXPECT_FALSE(item.Enabled());
    EXPECT_EQ(item.CallCount(), 0);
    EXPECT_TRUE(pool.Active()); // a pool of disabled items keeps ticking
    item.SetEnabled(true);
    Ticks(4);
    EXPECT_EQ(calls.size(), 6u);
    item.SetCallLimit(0);
    item.SetEnabled(true); // refused while the limit is 0
    EXPECT_FALSE(item.Enabled());
}

TEST_F(PoolFixture, AHandlerThatRaisesIsShownAndEndsOnlyThatTick)
{
    ScriptedDialogAnswerer boxes;
    boxes.ExpectButton(QMessageBox::Ok);
    std::vector<int> good;
    bool raise = true;
    pool.AddItem(1, 50, [&](QObject*) {
        if (std::exchange(raise, false))
            throw std::runtime_error("handler failed");
    });
    pool.AddItem(2, 50, Recorder(good));
    Ticks(3);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, "handler failed");
    // The failing tick skipped the rest of its items and its step; later ticks run on.
    EXPECT_EQ(good, (std::vector<int>{2, 3}));
}

TEST_F(PoolFixture, HandlersMayTickRemoveOrAddWithoutHarm)
{
    std::vector<int> second, third, added;
    int nested = 0;
    pool.AddItem(1, 50, [&](QObject*) {
        pool.Tick(); // a nested tick does nothing
        ++nested;
        pool.RemoveItem(1); // its own item, freed once this call returns
        pool.RemoveItem(2); // another item, later in the list
        pool.AddItem(4, 50, Recorder(added));
    });
    pool.AddItem(2, 50, Recorder(second));
    pool.AddItem(3, 50, Recorder(third));
    Ticks(3);
    EXPECT_EQ(nested, 1);
    EXPECT_TRUE(second.empty()); // removed before its turn: never fires
    EXPECT_EQ(third, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(added, (std::vector<int>{2, 3})); // added during tick 1, not fired in it
    EXPECT_EQ(pool.ItemByIdent(1), nullptr);
    pool.RemoveAll();
    EXPECT_FALSE(pool.Active());
    Ticks(1);
}

TEST(LXApplication, PatternBitmapIsAChecker)
{
    TLXApplication& app = LXApplication();
    const platform::TBitmap& red = app.PatternBitmap(platform::clRed);
    EXPECT_EQ(platform::FromQColor(red.Image().pixelColor(0, 0)), platform::clWhite);
    EXPECT_EQ(platform::FromQColor(red.Image().pixelColor(1, 0)), platform::clRed);
    EXPECT_EQ(platform::FromQColor(red.Image().pixelColor(7, 6)), platform::clRed);
    const qint64 key = red.Image().cacheKey();
    EXPECT_EQ(app.PatternBitmap(platform::clRed).Image().cacheKey(), key); // unchanged object
    const platform::TBitmap& blue = app.PatternBitmap(platform::clBlue);
    EXPECT_EQ(&blue, &red);
    EXPECT_EQ(platform::FromQColor(blue.Image().pixelColor(1, 0)), platform::clBlue);
}

TEST(LXApplication, RegistryPathAndOneInstanceRules)
{
    TLXApplication& app = LXApplication();
    const QString title = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName("Station");
    app.Company = "Radio";
    EXPECT_EQ(app.RegistryPath(), "Software\\Radio\\Station\\");
    app.Version = "2.1";
    app.Company = " ";
    EXPECT_EQ(app.RegistryPath(), "Software\\Station\\2.1\\");
    app.Company.clear();
    app.Version.clear();
    QGuiApplication::setApplicationDisplayName(title);

    EXPECT_EQ(QString::fromUtf8(LXEOneInstError("Pool1", 0).what()),
              "Pool1:\rInvalid owner (<>TForm) or second instance on a form");
    EXPECT_EQ(QString::fromUtf8(LXEOneInstError("Pool1", 1).what()),
              "Pool1:\rAlready one Pool1 control in this project!");

    HostWindow host;
    auto* panel = new QWidget(&host.Window);
    new TLXTimerPool(&host.Window);
    EXPECT_TRUE(HasSecondInstance(nullptr, &TLXTimerPool::staticMetaObject));
    EXPECT_TRUE(HasSecondInstance(panel, &TLXTimerPool::staticMetaObject)); // not a form
    EXPECT_FALSE(HasSecondInstance(&host.Window, nullptr));
    EXPECT_FALSE(HasSecondInstance(&host.Window, &TLXTimerPool::staticMetaObject));
    new TLXTimerPool(panel); // deeper down counts too
    EXPECT_TRUE(HasSecondInstance(&host.Window, &TLXTimerPool::staticMetaObject));
}

namespace {

// Logs theme calls and theme change events under one name.
class ThemeProbe : public QWidget, public TLXControlMessages {
public:
    ThemeProbe(QWidget* parent, QString name, QStringList& log)
        : QWidget(parent), name_(std::move(name)), log_(log)
    {
    }
    void LXThemeChanged() override { log_ << "call " + name_; }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ThemeChange)
            log_ << "event " + name_;
        return QWidget::event(event);
    }

private:
    QString name_;
    QStringList& log_;
};

} // namespace

TEST(LXApplication, ThemeChangeWalksEachVisibleWindowInOrder)
{
    QStringList log;
    ThemeProbe form(nullptr, "form", log);
    auto* a = new ThemeProbe(&form, "a", log);
    new ThemeProbe(a, "a1", log);
    new ThemeProbe(&form, "b", log);
    form.show();
    ThemeProbe hidden(nullptr, "hidden", log);

    TLXApplication& app = LXApplication();
    EXPECT_FALSE(app.ThemesAvailable());
    EXPECT_FALSE(app.ThemesEnabled());
    app.SetThemesEnabled(true); // no themes: nothing happens
    EXPECT_TRUE(log.isEmpty());
    app.SetThemesEnabled(false); // switching off still tells every window
    EXPECT_EQ(log, (QStringList{"call a", "call b", "event a1", "event a", "event b", "event form"}));
    app.RefreshThemes();
}

TEST(LXMessages, PostedFocusNoticesFindTheirControlOrNothing)
{
    QStringList log;
    struct Focus : QWidget, TLXControlMessages {
        explicit Focus(QStringList& log) : log(log) {}
        void LXFocusGained() override { log << "gained"; }
        void LXFocusLost() override { log << "lost"; }
        QStringList& log;
    };
    auto* control = new Focus(log);
    PostFocusNotice(control, true);
    PostFocusNotice(control, false);
    EXPECT_TRUE(log.isEmpty()); // queued, not sent
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (QStringList{"gained", "lost"}));
    PostFocusNotice(control, true);
    delete control;
    QCoreApplication::processEvents();
    EXPECT_EQ(log.size(), 2);
}
