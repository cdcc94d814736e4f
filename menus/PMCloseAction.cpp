#include "menus/PMCloseAction.h"

#include "menus/PMClickDispatch.h"
#include "menus/PMLibrary.h"
#include "platform_gui/DesktopSettings.h"

#include <QApplication>

void TPMCloseAction::Perform() const
{
    switch (kind) {
    case cakNone:
    case cakCancel:
        return;
    case cakClick: {
        if (item == nullptr)
            return;
        platform::DesktopSettings& settings = platform::CurrentDesktopSettings();
        if (sound && settings.SoundSchemeHas(QStringLiteral("MenuCommand")))
            settings.PlaySound(QStringLiteral("MenuCommand"));
        QueueClick(item, 0);
        return;
    }
    case cakSystemMenuKey:
        return; // a popup menu's root is never a menu bar: no window menu to open
    case cakHelp: {
        const QWidget* active = QApplication::activeWindow();
        const bool helpButton =
            active != nullptr && active->windowFlags().testFlag(Qt::WindowContextHelpButtonHint);
        if (MenuHelpHook())
            MenuHelpHook()(helpContext, helpButton);
        return;
    }
    }
}
