// A small program on the real X platform for the menu library's end-to-end tests: a window with a list
// and a button, a library menu (two entries, a submenu and an edit entry) attached to the list. It
// prints one line per event, so a test driving it with real input reads what happened.
#include "menus/PMEditItem.h"
#include "menus/PMItemViewer.h"
#include "menus/PMItems.h"
#include "menus/PMPopupMenu.h"
#include "menus/PMPopupWindow.h"
#include "platform_gui/Application.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

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

// The root popup's entries on the screen, once the menu shows.
void SayEntries()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<TPMPopupWindow*>(widget);
        if (window == nullptr || window->View()->ParentView() != nullptr)
            continue;
        TPMView* view = window->View();
        for (int i = 0; i < view->ViewerCount(); ++i) {
            TPMItemViewer* viewer = view->Viewer(i);
            const QRect bounds =
                viewer->BoundsRect.ToQRect().translated(window->mapToGlobal(view->ClientOffset()));
            Say(QStringLiteral("entry %1 %2").arg(viewer->CaptionText().remove(u'&'), Place(bounds)));
        }
    }
}

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
    menu->OnPopup = [](QObject*) {
        Say(QStringLiteral("opened"));
        QTimer::singleShot(0, [] { SayEntries(); });
    };
    QObject::connect(menu, &TPMPopupMenu::Closed, [] { Say(QStringLiteral("closed")); });
    menu->AttachTo(list);

    window.show();
    QTimer::singleShot(200, [&] {
        Say(QStringLiteral("ready list %1 button %2")
                .arg(Place(QRect(list->mapToGlobal(QPoint(0, 0)), list->size())),
                     Place(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()))));
    });
    return app.exec();
}
