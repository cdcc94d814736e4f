#include "platform_gui/WindowMenu.h"

#include "platform/Messages.h"

#include <QObject>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace platform {

namespace {

// The application's commands of one window, a child of it so they go with it.
class AddedCommands : public QObject {
public:
    explicit AddedCommands(QWidget* window) : QObject(window) { setObjectName(Name); }
    static constexpr const char* Name = "WindowMenuCommands";
    struct Command {
        unsigned Id;
        QString Text;
        std::function<void()> Run;
    };
    std::vector<Command> Commands;
};

AddedCommands* CommandsOf(const QWidget* window)
{
    return window->findChild<AddedCommands*>(AddedCommands::Name, Qt::FindDirectChildrenOnly);
}

} // namespace

void AddWindowMenuItem(QWidget* window, unsigned id, const QString& text, std::function<void()> command)
{
    AddedCommands* added = CommandsOf(window);
    if (!added)
        added = new AddedCommands(window);
    added->Commands.push_back({id, text, std::move(command)});
}

std::vector<WindowMenuItem> WindowMenuItems(const QWidget* window, const WindowMeta& meta)
{
    const bool minimized = window->isMinimized();
    const bool maximized = window->isMaximized();
    const bool normal = !minimized && !maximized;
    std::vector<WindowMenuItem> items{
        {SC_RESTORE, QStringLiteral("&Restore"), {}, !normal, 0},
        {SC_MOVE, QStringLiteral("&Move"), {}, !maximized, -1},
        {SC_SIZE, QStringLiteral("&Size"), {}, !maximized && !minimized && IsSizeable(meta.Border), -1},
        {SC_MINIMIZE, QStringLiteral("Mi&nimize"), {}, !minimized && meta.MinimizeBox, 2},
        {SC_MAXIMIZE, QStringLiteral("Ma&ximize"), {}, !maximized && meta.MaximizeBox, 1},
        {0, {}, {}, true, -1},
        {SC_CLOSE, QStringLiteral("&Close"), QStringLiteral("Alt+F4"), meta.SystemMenu, 3},
    };
    if (const AddedCommands* added = CommandsOf(window)) {
        items.push_back({0, {}, {}, true, -1});
        for (const AddedCommands::Command& command : added->Commands)
            items.push_back({command.Id, command.Text, {}, true, -1});
    }
    return items;
}

void SysCommand(QWidget* window, unsigned id)
{
    switch (id) {
    case SC_RESTORE:
        window->showNormal();
        return;
    case SC_MAXIMIZE:
        window->showMaximized();
        return;
    case SC_MINIMIZE:
        window->showMinimized();
        return;
    case SC_CLOSE:
        window->close();
        return;
    case SC_MOVE:
        if (QWindow* handle = window->windowHandle())
            handle->startSystemMove();
        return;
    case SC_SIZE:
        if (QWindow* handle = window->windowHandle())
            handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
        return;
    default:
        break;
    }
    if (AddedCommands* added = CommandsOf(window))
        for (const AddedCommands::Command& command : added->Commands)
            if (command.Id == id && command.Run) {
                const std::function<void()> run = command.Run; // the command may add to the list
                run();
                return;
            }
}

} // namespace platform
