#pragma once
// The control library's application object: the switch for themed painting, the timer pool every
// control borrows its timers from, the checker pattern, and the registry path. One exists while a
// ControlLibrary scope lives.
#include "controls/LXIniCtrl.h"
#include "controls/LXTimerPool.h"
#include "controls/LXWndProcComponent.h"
#include "platform_gui/Bitmap.h"

#include <array>
#include <memory>

class TLXApplication : public QObject {
    Q_OBJECT
public:
    TLXApplication();
    ~TLXApplication() override;

    // False: this platform has no theme library.
    bool ThemesAvailable() const;
    bool ThemesEnabled() const { return themesSwitch_ && ThemesAvailable(); }
    // Switching on without themes does nothing; switching off tells every window.
    void SetThemesEnabled(bool enabled);
    // For each visible top-level window: the theme-changed call to its direct controls, a theme
    // change event to every widget below it depth first, then one to the window.
    void NotifyThemeChange();
    void RefreshThemes() { themesSwitch_ = ThemesAvailable(); }

    static constexpr uint16_t FirstTimerIdent = 0xFD01;
    static constexpr int TimerSlots = 250;
    // The ident of a new pool item in the lowest free slot, or 0 when all are taken. The pool's
    // errors pass to the caller.
    uint16_t AddTimer(int interval, std::function<void(QObject*)> handler);
    // Idents outside the slots, and slots not in use, are ignored.
    void RemoveTimer(uint16_t ident);
    TLXTimerItem* TimerItem(uint16_t ident) const { return pool_->ItemByIdent(ident); }
    TLXTimerPool& TimerPool() { return *pool_; }

    // 8 x 8, white with the colour where x + y is odd; redrawn only for another colour.
    const platform::TBitmap& PatternBitmap(platform::TColor color);

    QString Company;
    QString Version;
    // "Software\<company>\<title>\<version>\", the blank parts left out; the program's path when
    // the application has no display name.
    QString RegistryPath() const;

    TLXIniCtrl& IniCtrl() { return *iniCtrl_; }

private:
    bool themesSwitch_ = true;
    std::unique_ptr<TLXTimerPool> pool_;
    std::array<bool, TimerSlots> slots_{};
    std::unique_ptr<platform::TBitmap> pattern_;
    platform::TColor patternColor_ = platform::clNone;
    std::unique_ptr<TLXIniCtrl> iniCtrl_;
};

// Follows theme changes of its owner window. The library's one instance has no owner, so it never
// watches a window.
class TLXXPThemeManager : public TLXWndProcComponent {
    Q_OBJECT
public:
    using TLXWndProcComponent::TLXWndProcComponent;

protected:
    bool WndProc(QObject* watched, QEvent* event) override;
};

// The library's global objects for the life of one scope: made after the QApplication, gone before
// it. The station's start-up, the editor's and the shared test main each hold one.
class ControlLibrary {
public:
    ControlLibrary();
    ~ControlLibrary();
    ControlLibrary(const ControlLibrary&) = delete;
    ControlLibrary& operator=(const ControlLibrary&) = delete;
};

// The application object; ELXException when no ControlLibrary scope is alive.
TLXApplication& LXApplication();

// True when owner is missing or no top-level window, false without a class, and true as soon as
// the window holds more than one component of the class at any depth.
bool HasSecondInstance(QObject* owner, const QMetaObject* componentClass);
