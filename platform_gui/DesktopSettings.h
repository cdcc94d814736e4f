#pragma once
// The desktop settings the menus read (show delay, flat menus, keyboard cues, animation, sounds),
// behind one replaceable service. The default reads Qt; a test installs a FakeDesktopSettings, which
// replaces it while it lives (as a ManualClock replaces the clock), so no test reads the real desktop.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// A stored desktop value as the original read it from its settings store.
struct StoredSetting {
    enum class State { NoKey, NoValue, Error, OtherType, Text };
    State state = State::NoKey;
    QByteArray text; // for State::Text
};

// The menu show delay in ms from its stored value: no key or no value 400; an error, another type, a
// text of 32 bytes or more, or one that is not a 32-bit integer 0; negative 0.
int ParseMenuShowDelay(const StoredSetting& value);

class DesktopSettings {
public:
    virtual ~DesktopSettings() = default;

    virtual StoredSetting MenuShowDelayValue() const = 0;
    virtual bool FlatMenus() const = 0;
    // The user wants accelerator underlines all the time.
    virtual bool KeyboardCuesAlwaysShown() const = 0;
    virtual bool MenuAnimation() const = 0;
    virtual bool MenuFade() const = 0;
    // Windows can be faded: a compositing manager runs.
    virtual bool LayeredWindows() const = 0;
    // The sound scheme holds a sound for the event ("MenuPopup", "MenuCommand").
    virtual bool SoundSchemeHas(const QString& eventName) const = 0;
    // Starts the event's sound without waiting; nothing when the scheme has none.
    virtual void PlaySound(const QString& eventName) = 0;
    virtual void Beep() = 0;

    // The parsed show delay, read once per service and then kept.
    int MenuShowDelayMs() const;

private:
    mutable std::optional<int> menuShowDelayMs_;
};

// False when the desktop turned animations off: GTK's settings file ("gtk-enable-animations", as GNOME
// and the other GTK desktops keep it) under the given configuration folder, GTK 4's over GTK 3's.
bool DesktopAnimates(const QString& configFolder);
// Menus fade or slide in, as on the desktop the programs were made for, unless the user's desktop
// (XDG_CONFIG_HOME, else ~/.config) turned animations off. Once, at program start.
void ApplyDesktopMenuEffects();

// The installed service: Qt's reading of the desktop unless a FakeDesktopSettings lives. GUI thread.
DesktopSettings& CurrentDesktopSettings();

// Settings a test chooses; records the sounds played and counts the beeps.
class FakeDesktopSettings : public DesktopSettings {
public:
    FakeDesktopSettings();
    ~FakeDesktopSettings() override;
    FakeDesktopSettings(const FakeDesktopSettings&) = delete;
    FakeDesktopSettings& operator=(const FakeDesktopSettings&) = delete;

    StoredSetting menuShowDelay; // no key: 400 ms
    bool flatMenus = false;
    bool keyboardCuesAlwaysShown = false;
    bool menuAnimation = false;
    bool menuFade = false;
    bool layeredWindows = true;
    bool soundScheme = true;
    QStringList played;
    int beeps = 0;

    StoredSetting MenuShowDelayValue() const override { return menuShowDelay; }
    bool FlatMenus() const override { return flatMenus; }
    bool KeyboardCuesAlwaysShown() const override { return keyboardCuesAlwaysShown; }
    bool MenuAnimation() const override { return menuAnimation; }
    bool MenuFade() const override { return menuFade; }
    bool LayeredWindows() const override { return layeredWindows; }
    bool SoundSchemeHas(const QString&) const override { return soundScheme; }
    void PlaySound(const QString& eventName) override;
    void Beep() override { ++beeps; }

private:
    DesktopSettings* previous_;
};

} // namespace platform
