#include "platform_gui/DesktopSettings.h"

#include "platform/IniFile.h"

#include <QApplication>
#include <QDir>
#include <QStyle>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace platform {

namespace {

// The stored text is read into a 32-byte buffer, its terminator included.
constexpr qsizetype StoredTextLimit = 32;

// On X11 a compositing manager owns the selection _NET_WM_CM_S<screen>.
bool CompositorRuns()
{
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr)
        return false;
    xcb_connection_t* connection = x11->connection();
    // The screen is the number after the display's dot (":0.1"), 0 without one.
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const QByteArray screen = dot > display.lastIndexOf(':') ? display.mid(dot + 1) : QByteArray("0");
    const QByteArray name = "_NET_WM_CM_S" + screen;
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, name.size(), name.constData()), nullptr);
    if (atom == nullptr)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool owned = owner != nullptr && owner->owner != XCB_NONE;
    free(owner);
    free(atom);
    return owned;
}

class QtDesktopSettings : public DesktopSettings {
public:
    // A Linux desktop keeps no menu show delay: the key is absent.
    StoredSetting MenuShowDelayValue() const override { return {}; }
    bool FlatMenus() const override { return false; }
    bool KeyboardCuesAlwaysShown() const override
    {
        return QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut) != 0;
    }
    bool MenuAnimation() const override { return QApplication::isEffectEnabled(Qt::UI_AnimateMenu); }
    bool MenuFade() const override { return QApplication::isEffectEnabled(Qt::UI_FadeMenu); }
    bool LayeredWindows() const override { return CompositorRuns(); }
    // A Linux desktop has no menu sounds.
    bool SoundSchemeHas(const QString&) const override { return false; }
    void PlaySound(const QString&) override {}
    void Beep() override { QApplication::beep(); }
};

QtDesktopSettings& DefaultSettings()
{
    static QtDesktopSettings settings;
    return settings;
}

DesktopSettings* installed = nullptr;

} // namespace

bool DesktopAnimates(const QString& configFolder)
{
    for (const char* gtk : {"gtk-4.0", "gtk-3.0"}) {
        const QString file =
            QDir(configFolder).filePath(QLatin1String(gtk) + QStringLiteral("/settings.ini"));
        const QString value =
            IniFile(file).ReadString(QStringLiteral("Settings"), QStringLiteral("gtk-enable-animations"), {});
        if (!value.isEmpty())
            return value.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0 &&
                   value != QLatin1String("0");
    }
    return true;
}

void ApplyDesktopMenuEffects()
{
    const QString configFolder = qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")
                                     ? QDir::homePath() + QStringLiteral("/.config")
                                     : qEnvironmentVariable("XDG_CONFIG_HOME");
    const bool on = DesktopAnimates(configFolder);
    for (const Qt::UIEffect effect : {Qt::UI_General, Qt::UI_AnimateMenu, Qt::UI_FadeMenu})
        QApplication::setEffectEnabled(effect, on);
}

int ParseMenuShowDelay(const StoredSetting& value)
{
    switch (value.state) {
    case StoredSetting::State::NoKey:
    case StoredSetting::State::NoValue:
        return 400;
    case StoredSetting::State::Error:
    case StoredSetting::State::OtherType:
        return 0;
    case StoredSetting::State::Text:
        break;
    }
    if (value.text.size() >= StoredTextLimit)
        return 0;
    bool ok = false;
    // toInt fails on digits beyond 32 bits rather than wrapping.
    const int delay = value.text.toInt(&ok, 10);
    if (!ok)
        return 0;
    return delay < 0 ? 0 : delay;
}

int DesktopSettings::MenuShowDelayMs() const
{
    if (!menuShowDelayMs_)
        menuShowDelayMs_ = ParseMenuShowDelay(MenuShowDelayValue());
    return *menuShowDelayMs_;
}

DesktopSettings& CurrentDesktopSettings()
{
    return installed != nullptr ? *installed : DefaultSettings();
}

FakeDesktopSettings::FakeDesktopSettings() : previous_(installed)
{
    installed = this;
}

FakeDesktopSettings::~FakeDesktopSettings()
{
    installed = previous_;
}

void FakeDesktopSettings::PlaySound(const QString& eventName)
{
    if (soundScheme)
        played.append(eventName);
}

} // namespace platform
