#include "menus/PMLibrary.h"

#include <QApplication>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<platform::TFont> menuFont;
std::vector<QWidget*> menuWindows;

void FreeMenuFont()
{
    menuFont.reset();
}

} // namespace

const platform::TFont& MenuFont()
{
    if (!menuFont) {
        const QFont font = QApplication::font("QMenu");
        menuFont = std::make_unique<platform::TFont>();
        menuFont->SetName(font.family());
        if (font.pointSize() > 0)
            menuFont->SetSize(font.pointSize());
        else
            menuFont->SetHeight(font.pixelSize());
        qAddPostRoutine(FreeMenuFont);
    }
    return *menuFont;
}

QPoint& LastMousePos()
{
    static QPoint position;
    return position;
}

void RegisterMenuWindow(QWidget* window)
{
    menuWindows.push_back(window);
}

void UnregisterMenuWindow(QWidget* window)
{
    std::erase(menuWindows, window);
}

QWidget* MenuWindowAt(const QPoint& screenPoint)
{
    for (auto it = menuWindows.rbegin(); it != menuWindows.rend(); ++it) {
        QWidget* window = *it;
        if (window->isVisible() &&
            QRect(window->mapToGlobal(QPoint(0, 0)), window->size()).contains(screenPoint))
            return window;
    }
    return nullptr;
}

std::function<void(int, bool)>& MenuHelpHook()
{
    static std::function<void(int, bool)> hook;
    return hook;
}
