#include "controls/LXApplication.h"

#include "controls/LXContainers.h"
#include "controls/LXErrors.h"
#include "controls/LXMessages.h"
#include "controls/LXStrings.h"
#include "controls/LXThemes.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>

namespace {

TLXApplication* Instance = nullptr;
TLXXPThemeManager* ThemeManager = nullptr;

constexpr int GlobalMinInterval = 50;

// The theme change event to every widget below parent, depth first, children in their order.
void SendThemeChangeBelow(QWidget* parent)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        SendThemeChangeBelow(widget);
        QEvent change(QEvent::ThemeChange);
        QCoreApplication::sendEvent(widget, &change);
    }
}

} // namespace

TLXApplication::TLXApplication()
    : pool_(std::make_unique<TLXTimerPool>(nullptr, GlobalMinInterval)),
      iniCtrl_(std::make_unique<TLXIniCtrl>())
{
}

TLXApplication::~TLXApplication() = default;

bool TLXApplication::ThemesAvailable() const
{
    return ThemeLibrary().Present;
}

void TLXApplication::SetThemesEnabled(bool enabled)
{
    if (enabled == themesSwitch_ || (enabled && !ThemesAvailable()))
        return;
    themesSwitch_ = enabled;
    NotifyThemeChange();
}

void TLXApplication::NotifyThemeChange()
{
    for (QWidget* form : QApplication::topLevelWidgets()) {
        if (!form->isVisible())
            continue;
        for (QObject* child : form->children())
            if (child->isWidgetType())
                if (TLXControlMessages* target = LXMessageTarget(child))
                    target->LXThemeChanged();
        SendThemeChangeBelow(form);
        QEvent change(QEvent::ThemeChange);
        QCoreApplication::sendEvent(form, &change);
    }
}

uint16_t TLXApplication::AddTimer(int interval, std::function<void(QObject*)> handler)
{
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    if (free == slots_.end())
        return 0;
    const auto ident = static_cast<uint16_t>(FirstTimerIdent + (free - slots_.begin()));
    pool_->AddItem(ident, interval, std::move(handler));
    *free = true;
    return ident;
}

void TLXApplication::RemoveTimer(uint16_t ident)
{
    if (ident < FirstTimerIdent || ident >= FirstTimerIdent + TimerSlots)
        return;
    bool& slot = slots_[static_cast<size_t>(ident - FirstTimerIdent)];
    if (!slot)
        return;
    pool_->RemoveItem(ident);
    slot = false;
}

const platform::TBitmap& TLXApplication::PatternBitmap(platform::TColor color)
{
    if (!pattern_ || color != patternColor_) {
        if (!pattern_)
            pattern_ = std::make_unique<platform::TBitmap>(8, 8);
        patternColor_ = color;
        platform::TCanvas& canvas = pattern_->Canvas();
        canvas.Brush.SetColor(platform::clWhite);
        canvas.FillRect({0, 0, 8, 8});
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if ((x + y) % 2 != 0)
                    canvas.SetPixel(x, y, color);
    }
    return *pattern_;
}

QString TLXApplication::RegistryPath() const
{
    QString path = QStringLiteral("Software\\");
    if (!IsBlankText(Company))
        path += AddBackslash(Company);
    const QString title = QGuiApplication::applicationDisplayName();
    path += AddBackslash(IsBlankText(title) ? QCoreApplication::applicationFilePath() : title);
    if (!IsBlankText(Version))
        path += AddBackslash(Version);
    return path;
}

bool TLXXPThemeManager::WndProc(QObject* watched, QEvent* event)
{
    TLXApplication& application = LXApplication();
    if (event->type() == QEvent::ThemeChange && application.ThemesEnabled() &&
        application.ThemesAvailable()) {
        // Off and on again, so every window repaints in the new theme.
        application.SetThemesEnabled(false);
        application.SetThemesEnabled(true);
    }
    return TLXWndProcComponent::WndProc(watched, event);
}

ControlLibrary::ControlLibrary()
{
    if (!QApplication::instance())
        throw ELXException(QStringLiteral("The control library needs the application object first"));
    if (Instance)
        throw ELXException(QStringLiteral("The control library is started already"));
    Instance = new TLXApplication();
    ThemeManager = new TLXXPThemeManager();
    SetGlobalContainer(new TLXContainer());
}

ControlLibrary::~ControlLibrary()
{
    delete GlobalContainer();
    SetGlobalContainer(nullptr);
    delete ThemeManager;
    ThemeManager = nullptr;
    delete Instance;
    Instance = nullptr;
}

TLXApplication& LXApplication()
{
    if (!Instance)
        throw ELXException(QStringLiteral("The control library is not started"));
    return *Instance;
}

bool HasSecondInstance(QObject* owner, const QMetaObject* componentClass)
{
    const auto* window = qobject_cast<QWidget*>(owner);
    if (!window || !window->isWindow())
        return true;
    if (!componentClass)
        return false;
    int found = 0;
    for (QObject* child : owner->findChildren<QObject*>())
        if (child->metaObject()->inherits(componentClass) && ++found > 1)
            return true;
    return false;
}
