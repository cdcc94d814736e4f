// A small program on the real X platform for the menu library's end-to-end tests: a window with a list
// and a button, a library menu (two entries, a submenu and an edit entry) attached to the list. It
// prints one line per event, so a test driving it with real input reads what happened.
#include "menus/PMEditItem.h"
#include "menus/PMItemViewer.h"
#include "menus/PMItems.h"
#include "menus/PMPopupMenu.h"
#include "menus/PMPopupWindow.h"
#include "platform_gui/Application.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

void Say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString Place(const QRect& rect)
{
    return QStringLiteral("%1 %2 %3 %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// The root popup's entries on the screen.
void SayEntries(TPMPopupWindow* window)
{
    TPMView* view = window->View();
    for (int i = 0; i < view->ViewerCount(); ++i) {
        TPMItemViewer* viewer = view->Viewer(i);
        const QRect bounds =
            viewer->BoundsRect.ToQRect().translated(window->mapToGlobal(view->ClientOffset()));
        Say(QStringLiteral("entry %1 %2").arg(viewer->CaptionText().remove(u'&'), Place(bounds)));
    }
}

// Says when the server has shown a window, so the test sends input only to what is on the screen:
// "ready" with the places of the list and the button once the main window shows, and the entries once
// a menu's root popup does (the menu holds its grab by then).
class ShownWatch : public QObject {
public:
    ShownWatch(QWidget* main, QWidget* list, QWidget* button) : main_(main), list_(list), button_(button)
    {
        qApp->installEventFilter(this);
    }
    bool entriesSaid = true; // until a menu opens

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || !receiver->isWindowType())
            return false;
        auto* window = static_cast<QWindow*>(receiver);
        if (!window->isExposed())
            return false;
        if (!readySaid_ && window == main_->windowHandle()) {
            readySaid_ = true;
            Say(QStringLiteral("ready list %1 button %2")
                    .arg(Place(QRect(list_->mapToGlobal(QPoint(0, 0)), list_->size())),
                         Place(QRect(button_->mapToGlobal(QPoint(0, 0)), button_->size()))));
        }
        if (entriesSaid)
            return false;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* popup = qobject_cast<TPMPopupWindow*>(widget);
            if (popup != nullptr && popup->windowHandle() == window &&
                popup->View()->ParentView() == nullptr) {
                entriesSaid = true;
                SayEntries(popup);
            }
        }
        return false;
    }

private:
    QWidget* main_;
    QWidget* list_;
    QWidget* button_;
    bool readySaid_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    platform::Application app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Menus probe"));
    window.setGeometry(100, 100, 400, 300);
    auto* list = new QListWidget(&window);
    list->setGeometry(10, 10, 200, 280);
    list->addItems({QStringLiteral("Jingle"), QStringLiteral("News")});
    auto* button = new QPushButton(QStringLiteral("Button"), &window);
    button->setGeometry(250, 10, 120, 40);
    QObject::connect(button, &QPushButton::pressed, [] { Say(QStringLiteral("pressed")); });
    QObject::connect(button, &QPushButton::clicked, [] { Say(QStringLiteral("clicked")); });

    auto* menu = new TPMPopupMenu(&window);
    auto add = [&](TPMCustomItem* parent, TPMCustomItem* item, const QString& caption) {
        item->SetCaption(caption);
        item->OnClick = [](TPMCustomItem* sender) {
            Say(QStringLiteral("command %1").arg(sender->Caption().remove(u'&')));
        };
        parent->AppendItem(item);
    };
    add(menu->Items(), new TPMItem(&window), QStringLiteral("&One"));
    add(menu->Items(), new TPMItem(&window), QStringLiteral("&Two"));
    auto* more = new TPMSubmenuItem(&window);
    add(menu->Items(), more, QStringLiteral("&More"));
    add(more, new TPMItem(&window), QStringLiteral("&Inner"));
    auto* edit = new TPMEditItem(&window);
    edit->SetEditCaption(QStringLiteral("New:"));
    edit->SetEditWidth(120);
    edit->OnAcceptText = [](TPMItemViewer*, QString& text, bool&) {
        Say(QStringLiteral("accepted ") + text);
    };
    menu->Items()->AppendItem(edit);
    ShownWatch shown(&window, list, button);
    menu->OnPopup = [&shown](QObject*) {
        Say(QStringLiteral("opened"));
        shown.entriesSaid = false;
    };
    QObject::connect(menu, &TPMPopupMenu::Closed, [] { Say(QStringLiteral("closed")); });
    menu->AttachTo(list);

    window.show();
    return app.exec();
}
