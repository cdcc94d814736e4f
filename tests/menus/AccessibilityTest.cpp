#include "MenuTestKit.h"
#include "menus/PMAccessibility.h"
#include "menus/PMItemViewer.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPlatform.h"
#include "menus/PMPopupMenu.h"
#include "menus/PMPopupWindow.h"
#include "platform_gui/Monitors.h"

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A menu with a plain entry, a checked disabled one and a submenu entry.
struct AccessMenu {
    QWidget window;
    TPMPopupMenu* menu = new TPMPopupMenu(&window);
    TPMItem* play = new TPMItem(&window);
    TPMItem* checked = new TPMItem(&window);
    TPMSubmenuItem* folders = new TPMSubmenuItem(&window);
    TPMItem* inner = new TPMItem(&window);
    platform::FakeMonitors monitors{{{QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1000), true}}};

    AccessMenu()
    {
        play->SetCaption("&Play");
        checked->SetCaption("&Loop");
        checked->SetChecked(true);
        checked->SetEnabled(false);
        folders->SetCaption("&Delete Directory");
        inner->SetCaption("/music/jingles");
        folders->AppendItem(inner);
        for (TPMCustomItem* item : std::initializer_list<TPMCustomItem*>{play, checked, folders})
            menu->Items()->AppendItem(item);
    }
};

QAccessibleInterface* RootObject()
{
    return QAccessible::queryAccessibleInterface(RootView()->Window());
}

QAccessibleInterface* EntryObject(const QString& name)
{
    QAccessibleInterface* root = RootObject();
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(QAccessible::Name) == name)
            return root->child(i);
    return nullptr;
}

// The default action, if any: the actions but taking the focus.
QStringList Actions(QAccessibleInterface* object)
{
    if (object->actionInterface() == nullptr)
        return {"none"};
    QStringList names = object->actionInterface()->actionNames();
    names.removeAll(QAccessibleActionInterface::setFocusAction());
    return names;
}

} // namespace

TEST(Accessibility, EntriesAnswerTheirRoleStateActionsAndSubmenu)
{
    AccessMenu access;
    QAccessible::Role rootRole{};
    int children = 0;
    QAccessible::State checkedState;
    QAccessible::State folderState;
    QAccessible::State selectedState;
    QAccessible::Role playRole{};
    QString accelerator;
    QStringList actions;
    int folderChildrenClosed = -1;
    int folderChildrenOpen = -1;
    QString submenuName;
    QAccessible::Role submenuRole{};
    QAccessibleInterface* submenuParent = nullptr;
    QAccessibleInterface* folder = nullptr;
    bool focusTaken = false;
    LoopDriver driver({[&] {
                           QAccessibleInterface* root = RootObject();
                           ASSERT_NE(dynamic_cast<TPMViewAccObject*>(root), nullptr);
                           rootRole = root->role();
                           children = root->childCount();
                           checkedState = EntryObject("Loop")->state();
                           folder = EntryObject("Delete Directory");
                           folderState = folder->state();
                           folderChildrenClosed = folder->childCount();
                           playRole = EntryObject("Play")->role();
                           accelerator = EntryObject("Play")->text(QAccessible::Accelerator);
                           actions << Actions(EntryObject("Play")) << Actions(EntryObject("Loop"))
                                   << Actions(folder);
                           Key(Qt::Key_Down);
                       },
                       [&] {
                           selectedState = EntryObject("Play")->state();
                           Key(Qt::Key_End);
                           Key(Qt::Key_Right); // opens the submenu
                       },
                       [&] {
                           folderChildrenOpen = folder->childCount();
                           if (QAccessibleInterface* submenu = folder->child(0)) {
                               submenuName = submenu->text(QAccessible::Name);
                               submenuRole = submenu->role();
                               submenuParent = submenu->parent();
                           }
                           actions << Actions(folder);
                           // Taking the focus selects an entry, a disabled one too.
                           QAccessibleInterface* loop = EntryObject("Loop");
                           loop->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
                           focusTaken = RootView()->Selected() != nullptr &&
                                        RootView()->Selected()->Item() == access.checked;
                           Key(Qt::Key_Escape);
                       },
                       [&] {
                           if (TPMModalHandler::Current() != nullptr)
                               Key(Qt::Key_Escape);
                       }});
    access.menu->Popup(100, 100);
    EXPECT_EQ(rootRole, QAccessible::PopupMenu);
    EXPECT_EQ(children, 3);
    EXPECT_EQ(playRole, QAccessible::MenuItem);
    EXPECT_EQ(accelerator, "p");
    EXPECT_TRUE(checkedState.disabled);
    EXPECT_TRUE(checkedState.checked);
    EXPECT_TRUE(folderState.hasPopup);
    EXPECT_FALSE(folderState.hotTracked);
    EXPECT_TRUE(selectedState.focused);
    EXPECT_TRUE(selectedState.hotTracked);
    EXPECT_EQ(folderChildrenClosed, 0);
    EXPECT_EQ(folderChildrenOpen, 1);
    EXPECT_EQ(submenuName, "Delete Directory");
    EXPECT_EQ(submenuRole, QAccessible::PopupMenu);
    EXPECT_EQ(submenuParent, folder);
    // A disabled entry offers nothing; a submenu entry opens, and closes while open.
    EXPECT_EQ(actions, QStringList({"Execute", "Open", "Close"}));
    EXPECT_TRUE(focusTaken);
}

TEST(Accessibility, EventsComeInOrderAndAHeldObjectOutlivesItsEntrySafely)
{
    AccessMenu access;
    QStringList events;
    SetAccessEventSink([&](QAccessibleEvent& event) {
        QString line = QString::number(event.type(), 16);
        if (event.type() == QAccessible::Focus)
            if (QAccessibleInterface* focused = event.accessibleInterface())
                line += " " + focused->text(QAccessible::Name);
        events << line;
    });
    QAccessibleInterface* held = nullptr;
    LoopDriver driver({[&] { Key(Qt::Key_Down); },
                       [&] {
                           held = EntryObject("Play");
                           Key(Qt::Key_Escape);
                       }});
    access.menu->Popup(100, 100);
    SetAccessEventSink(nullptr);
    EXPECT_EQ(events, QStringList({"4", "6", "8005 Play", "7", "5"}));

    ASSERT_NE(held, nullptr);
    EXPECT_FALSE(held->isValid());
    EXPECT_EQ(held->text(QAccessible::Name), "");
    EXPECT_EQ(held->parent(), nullptr);
    EXPECT_EQ(held->childCount(), 0);
    EXPECT_EQ(held->rect(), QRect());
    EXPECT_TRUE(held->actionInterface()->actionNames().isEmpty());
    held->actionInterface()->doAction("Execute");
    QTest::qWait(1); // the detached objects go at the next turn
    EXPECT_EQ(LiveViewerAccObjects(), 0);
    EXPECT_EQ(LiveViewAccObjects(), 0);
}

TEST(Accessibility, SwitchedOffNoObjectOfTheMenusIsMade)
{
    AccessMenu access;
    MenuAccessibilityEnabled() = false;
    bool ours = true;
    int viewerObjects = -1;
    LoopDriver driver({[&] {
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(RootView()->Window());
        ours = dynamic_cast<TPMViewAccObject*>(root) != nullptr;
        viewerObjects = LiveViewerAccObjects() + LiveViewAccObjects();
        Key(Qt::Key_Escape);
    }});
    access.menu->Popup(100, 100);
    MenuAccessibilityEnabled() = true;
    EXPECT_FALSE(ours);
    EXPECT_EQ(viewerObjects, 0);
}
