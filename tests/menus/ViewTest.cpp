#include "MenuTestKit.h"
#include "menus/PMItemViewer.h"
#include "menus/PMLibrary.h"
#include "menus/PMPlatform.h"
#include "platform_gui/DesktopSettings.h"

#include <QAccessibleEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A menu built from a list of captions: "-" a separator, "!" before a caption a disabled entry,
// ">" before it a submenu entry (its entries follow in brackets: ">Sub[One,Two]").
struct Menu {
    QWidget owner;
    TPMRootItem* root = new TPMRootItem(&owner);
    std::unique_ptr<TestHost> host;

    explicit Menu(const QStringList& entries)
    {
        for (const QString& entry : entries)
            Add(root, entry);
        host = std::make_unique<TestHost>(root);
        host->Open();
    }
    TPMView* View() const { return host->view; }

    TPMCustomItem* Add(TPMCustomItem* parent, QString entry)
    {
        TPMCustomItem* item = nullptr;
        if (entry == "-") {
            item = new TPMSeparatorItem(&owner);
            item->SetCaption("-");
        } else if (entry.startsWith(u'>')) {
            const qsizetype open = entry.indexOf(u'[');
            item = new TestSubmenuItem(&owner);
            item->SetCaption(entry.mid(1, open - 1));
            for (const QString& child : entry.mid(open + 1).chopped(1).split(u','))
                Add(item, child);
        } else {
            item = new TPMItem(&owner);
            item->SetEnabled(!entry.startsWith(u'!'));
            item->SetCaption(entry.startsWith(u'!') ? entry.mid(1) : entry);
        }
        parent->AppendItem(item);
        return item;
    }
    TPMCustomItem* Item(const QString& caption) const
    {
        for (TPMCustomItem* item : owner.findChildren<TPMCustomItem*>())
            if (StripAccelMarkers(item->Caption()) == caption)
                return item;
        return nullptr;
    }
    void Select(const QString& caption)
    {
        View()->ChooseViewer(caption.isEmpty() ? nullptr : ViewerOf(View(), Item(caption)), false);
    }
    QString Shown() const
    {
        QStringList shown;
        for (int i = 0; i < View()->ViewerCount(); ++i)
            if (View()->Viewer(i)->Show)
                shown << View()->Viewer(i)->Item()->Caption();
        return shown.join(u' ');
    }
    QPoint CentreOf(const QString& caption) const
    {
        return ViewerOf(View(), Item(caption))->BoundsRect.ToQRect().center();
    }
};

QString SelectedIn(TPMView* view)
{
    return view->Selected() != nullptr ? StripAccelMarkers(view->Selected()->Item()->Caption()) : QString();
}

} // namespace

TEST(View, ExtraSeparatorsAreHidden)
{
    struct Case {
        QStringList entries;
        QString shown;
    };
    const Case cases[] = {
        {{"-", "A", "B"}, "A B"},
        {{"A", "-", "-", "B"}, "A - B"},
        {{"A", "-", "B", "-"}, "A - B"},
        {{"A", "-", "-"}, "A"},
        {{"-"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Menu(c.entries).Shown(), c.shown) << c.entries.join(u' ').toStdString();

    Menu menu({"A", "-", "B", "-", "C"});
    menu.Item("B")->SetVisible(false); // its separators meet and one goes
    EXPECT_EQ(menu.Shown(), "A - C");
    EXPECT_GE(menu.View()->ContentSize().width(), 23);
    EXPECT_EQ(Menu({}).View()->ContentSize(), QSize(23, 22));
}

TEST(View, Keys)
{
    struct Case {
        const char* start;
        int key;
        Qt::KeyboardModifiers shift;
        const char* selected; // in the innermost open view afterwards
        int openViews;        // views in the open chain
        TPMCloseActionKind close;
    };
    const Case cases[] = {
        {"Alpha", Qt::Key_Down, {}, "Beta", 1, cakNone}, // disabled entries are selectable
        {"Gamma", Qt::Key_Down, {}, "Delta", 1, cakNone},
        {"Delta", Qt::Key_Down, {}, "Alpha", 1, cakNone}, // wraps, past the separator
        {"Alpha", Qt::Key_Up, {}, "Delta", 1, cakNone},
        {"", Qt::Key_Down, {}, "Alpha", 1, cakNone},
        {"Beta", Qt::Key_Home, {}, "Alpha", 1, cakNone},
        {"Beta", Qt::Key_End, {}, "Delta", 1, cakNone},
        {"Alpha", Qt::Key_Tab, {}, "Beta", 1, cakNone},
        {"Beta", Qt::Key_Tab, Qt::ShiftModifier, "Alpha", 1, cakNone},
        {"Beta", Qt::Key_Backtab, Qt::ShiftModifier, "Alpha", 1, cakNone},
        {"Alpha", Qt::Key_Escape, {}, "Alpha", 1, cakCancel},
        {"Alpha", Qt::Key_Left, {}, "Alpha", 1, cakNone},
        {"Alpha", Qt::Key_Right, {}, "Alpha", 1, cakNone},
        {"Delta", Qt::Key_Right, {}, "One", 2, cakNone},
        {"Delta", Qt::Key_Return, {}, "One", 2, cakNone},
        {"Alpha", Qt::Key_Return, {}, "Alpha", 1, cakClick},
        {"Beta", Qt::Key_Enter, {}, "Beta", 1, cakCancel}, // disabled: the menu closes without a command
        {"Alpha", Qt::Key_Alt, {}, "Alpha", 1, cakCancel},
        {"Alpha", Qt::Key_F10, {}, "Alpha", 1, cakCancel},
        {"Alpha", Qt::Key_F1, {}, "Alpha", 1, cakNone}, // no help context anywhere
    };
    for (const Case& c : cases) {
        Menu menu({"Alpha", "!Beta", "-", "Gamma", ">Delta[One,Two]"});
        menu.Select(c.start);
        int key = c.key;
        menu.View()->HandleKey(key, c.shift);
        TPMView* innermost = InnermostView(menu.View());
        const std::string name = std::string(c.start) + " key " + std::to_string(c.key);
        EXPECT_EQ(SelectedIn(innermost), c.selected) << name;
        EXPECT_EQ(innermost == menu.View() ? 1 : 2, c.openViews) << name;
        EXPECT_EQ(menu.View()->CloseAction().kind, c.close) << name;
        EXPECT_EQ(key, 0) << name;
    }
}

TEST(View, KeysInASubmenu)
{
    Menu menu({"Alpha", ">Delta[One,Two]"});
    menu.Select("Delta");
    int key = Qt::Key_Right;
    menu.View()->HandleKey(key, {});
    TPMView* submenu = menu.View()->OpenSubmenuView();
    ASSERT_NE(submenu, nullptr);
    key = Qt::Key_Up;
    submenu->HandleKey(key, {});
    EXPECT_EQ(SelectedIn(submenu), "Two");
    key = Qt::Key_Escape; // closes only the submenu
    submenu->HandleKey(key, {});
    EXPECT_EQ(menu.View()->OpenSubmenuView(), nullptr);
    EXPECT_EQ(menu.View()->CloseAction().kind, cakNone);
    EXPECT_EQ(SelectedIn(menu.View()), "Delta");

    menu.View()->HandleKey(key = Qt::Key_Right, {});
    menu.View()->OpenSubmenuView()->HandleKey(key = Qt::Key_Left, {});
    EXPECT_EQ(menu.View()->OpenSubmenuView(), nullptr);

    menu.View()->HandleKey(key = Qt::Key_Right, {});
    menu.View()->OpenSubmenuView()->HandleKey(key = Qt::Key_Return, {});
    EXPECT_EQ(menu.View()->CloseAction().kind, cakClick);
    EXPECT_EQ(menu.View()->CloseAction().item, menu.Item("One"));
    EXPECT_FALSE(menu.View()->CloseAction().sound == false);
}

TEST(View, HelpComesFromTheNearestSelectedEntryWithAContext)
{
    Menu menu({"Alpha", ">Delta[One,Two]"});
    menu.Item("Delta")->SetHelpContext(12);
    menu.Select("Delta");
    int key = Qt::Key_Right;
    menu.View()->HandleKey(key, {});
    menu.View()->OpenSubmenuView()->HandleKey(key = Qt::Key_F1, {});
    EXPECT_EQ(menu.View()->CloseAction().kind, cakHelp);
    EXPECT_EQ(menu.View()->CloseAction().helpContext, 12);
}

TEST(View, Accelerators)
{
    struct Case {
        const char* from;
        QChar typed;
        const char* hit;
        bool unique;
    };
    const Case cases[] = {
        {"", u'o', "Open", false}, // shared by two enabled entries: select only
        {"Open", u'O', "Options", false},
        {"", u'c', "Close", true}, // first letter of a caption without a marker
        {"", u'e', "", false},     // "E&xit" answers to its marker only
        {"", u's', "Save", true},  // only a disabled entry: unique
        {"", u'x', "Exit", true},  // "E&xit"'s marker; "Exit"'s first letter does not count
        {"", u'z', "", false},
        {"", u' ', "", false}, // a space never matches a first letter
        {"", u'd', "Delta", true},
    };
    for (const Case& c : cases) {
        Menu menu({"&Open", "&Options", "!&Save", "Close", "E&xit", " spaced", ">&Delta[One]"});
        menu.Select(c.from);
        bool unique = false;
        TPMItemViewer* hit = menu.View()->FindAccelerated(menu.View()->Selected(), c.typed, unique);
        const QString caption = hit != nullptr ? StripAccelMarkers(hit->Item()->Caption()) : QString();
        EXPECT_EQ(caption, c.hit) << QString(c.typed).toStdString();
        EXPECT_EQ(unique, c.unique) << QString(c.typed).toStdString();
    }

    // A unique hit runs: a command entry closes the menu with its click, a submenu entry opens.
    Menu menu({"&Open", "!&Save", ">&Delta[One]"});
    menu.Select("Save");
    menu.View()->RunSelected(true);
    EXPECT_EQ(menu.View()->CloseAction().kind, cakCancel);
    menu.View()->CloseAction().kind = cakNone;
    menu.Select("Delta");
    menu.View()->RunSelected(true);
    EXPECT_NE(menu.View()->OpenSubmenuView(), nullptr);
    EXPECT_EQ(SelectedIn(menu.View()->OpenSubmenuView()), "One");
}

TEST(View, HoveringOpensAndLeavingClosesSubmenusAfterTheDelay)
{
    for (const int delay : {400, 250}) {
        platform::FakeDesktopSettings settings;
        if (delay != 400)
            settings.menuShowDelay = {platform::StoredSetting::State::Text, QByteArray::number(delay)};
        Menu menu({"Alpha", ">Delta[One,Two]", "Gamma"});
        MoveMouseTo(menu.View(), menu.CentreOf("Delta"));
        EXPECT_EQ(SelectedIn(menu.View()), "Delta");
        ASSERT_TRUE(menu.View()->Timer(0)->isActive());
        EXPECT_EQ(menu.View()->Timer(0)->interval(), delay);
        menu.View()->TimerElapsed(0);
        TPMView* submenu = menu.View()->OpenSubmenuView();
        ASSERT_NE(submenu, nullptr);
        EXPECT_EQ(submenu->Selected(), nullptr); // opened without selecting in it
        EXPECT_FALSE(menu.View()->Timer(0)->isActive());

        MoveMouseTo(menu.View(), menu.CentreOf("Gamma"));
        EXPECT_EQ(SelectedIn(menu.View()), "Gamma");
        ASSERT_TRUE(menu.View()->Timer(1)->isActive());
        EXPECT_EQ(menu.View()->Timer(1)->interval(), delay);
        EXPECT_NE(menu.View()->OpenSubmenuView(), nullptr); // still open until the timer
        menu.View()->TimerElapsed(1);
        EXPECT_EQ(menu.View()->OpenSubmenuView(), nullptr);
    }
}

TEST(View, MovingIntoTheSubmenuKeepsItsEntryHighlighted)
{
    Menu menu({"Alpha", ">Delta[One,Two]", "Gamma"});
    MoveMouseTo(menu.View(), menu.CentreOf("Delta"));
    menu.View()->TimerElapsed(0);
    TPMView* submenu = menu.View()->OpenSubmenuView();
    ASSERT_NE(submenu, nullptr);
    MoveMouseTo(submenu, ViewerOf(submenu, menu.Item("Two"))->BoundsRect.ToQRect().center());
    EXPECT_EQ(SelectedIn(submenu), "Two");
    EXPECT_EQ(SelectedIn(menu.View()), "Delta");
    EXPECT_FALSE(menu.View()->Timer(1)->isActive());
    EXPECT_FALSE(menu.View()->Timer(0)->isActive());
}

TEST(View, FocusEventsNumberTheCountedEntriesFromOne)
{
    Menu menu({"-", "A", "B", "C"});
    menu.Item("B")->SetVisible(false);
    QList<int> children;
    SetAccessEventSink([&](QAccessibleEvent& event) {
        if (event.type() == QAccessible::Focus)
            children << event.child();
    });
    menu.Select("A");
    menu.Select("C");
    menu.Select("");
    SetAccessEventSink(nullptr);
    EXPECT_EQ(children, QList<int>({0, 1, -1})); // entries 1 and 2, then the menu itself
}

TEST(View, LongMenusScrollByBands)
{
    QStringList entries;
    for (int i = 0; i < 2000; ++i)
        entries << QStringLiteral("Entry %1").arg(i);
    Menu menu(entries);
    TPMView* view = menu.View();
    view->SetMaxHeight(400);
    view->Validate();
    EXPECT_EQ(view->ContentSize().height(), 400);
    EXPECT_FALSE(view->ShowUpArrow());
    EXPECT_TRUE(view->ShowDownArrow());
    EXPECT_TRUE(view->Viewer(0)->Show);
    TPMItemViewer* firstClipped = nullptr;
    for (int i = 0; i < view->ViewerCount() && firstClipped == nullptr; ++i)
        if (view->Viewer(i)->Clipped)
            firstClipped = view->Viewer(i);
    ASSERT_NE(firstClipped, nullptr);
    EXPECT_GT(firstClipped->BoundsRect.Bottom, 400 - ScrollBandHeight);

    view->ScrollStep(true); // the next clipped entry ends just above the bottom band
    EXPECT_TRUE(firstClipped->Show);
    EXPECT_EQ(firstClipped->BoundsRect.Bottom, 400 - ScrollBandHeight);
    EXPECT_TRUE(view->ShowUpArrow());

    menu.host->resize(view->ContentSize());
    MoveMouseTo(view, QPoint(10, 5)); // resting in the top band scrolls up
    ASSERT_TRUE(view->Timer(2)->isActive());
    EXPECT_EQ(view->Timer(2)->interval(), 100);
    view->TimerElapsed(2);
    EXPECT_EQ(view->ScrollOffset(), 0);
    view->TimerElapsed(2); // no up arrow left: the timer stops
    EXPECT_FALSE(view->Timer(2)->isActive());

    int key = Qt::Key_End;
    view->HandleKey(key, {});
    EXPECT_EQ(SelectedIn(view), "Entry 1999");
    EXPECT_TRUE(view->Selected()->Show);
    EXPECT_FALSE(view->ShowDownArrow());
    view->HandleKey(key = Qt::Key_Home, {});
    EXPECT_EQ(SelectedIn(view), "Entry 0");
    EXPECT_TRUE(view->Selected()->Show);
    EXPECT_EQ(view->ScrollOffset(), 0);
    view->HandleKey(key = Qt::Key_Up, {});
    EXPECT_EQ(SelectedIn(view), "Entry 1999");
    EXPECT_TRUE(view->Selected()->Show);
}

TEST(View, AnUpdateBracketRelayoutsOnce)
{
    Menu menu({"First"});
    const int before = menu.View()->LayoutCount();
    menu.root->SendNotice(TPMNoticeKind::BeginUpdate, menu.root);
    for (int i = 0; i < 2000; ++i) {
        auto* item = new TPMItem(&menu.owner);
        item->SetCaption(QString::number(i));
        menu.root->AppendItem(item);
    }
    menu.root->SendNotice(TPMNoticeKind::EndUpdate, menu.root);
    EXPECT_EQ(menu.View()->LayoutCount(), before + 1);
    EXPECT_EQ(menu.View()->ViewerCount(), 2001);
}

TEST(View, ARelayoutThatChangesNothingPaintsNothing)
{
    Menu menu({"Alpha", "Beta"});
    const int paints = menu.host->paints;
    menu.Item("Beta")->SetDisplayMode(nbdmTextOnly); // relayout, same places
    EXPECT_EQ(menu.host->paints, paints);
    menu.Item("Beta")->SetCaption("Beta with a longer caption");
    EXPECT_EQ(menu.host->paints, paints + 1); // repainted at once
}

TEST(View, InlineGroupsShowTheirLinkedEntriesInPlace)
{
    Menu menu({"Alpha", "Omega"});
    class InlineItem : public TPMCustomItem {
    public:
        using TPMCustomItem::TPMCustomItem;
        void MakeInline() { SetKindFlags(KindFlags() | ikfInline); }
    };
    auto* group = new InlineItem(&menu.owner);
    group->MakeInline();
    group->SetCaption("(group)");
    auto* container = new TPMItem(&menu.owner);
    menu.Add(container, "One");
    group->SetLinkSubitems(container);
    menu.root->InsertItem(1, group);
    EXPECT_EQ(menu.Shown(), "Alpha One Omega");
    menu.Add(container, "Two"); // shows at once in the open menu
    EXPECT_EQ(menu.Shown(), "Alpha One Two Omega");
    container->MoveItem(1, 0);
    EXPECT_EQ(menu.Shown(), "Alpha Two One Omega");
    delete menu.Item("Two");
    EXPECT_EQ(menu.Shown(), "Alpha One Omega");
    delete group;
    EXPECT_EQ(menu.Shown(), "Alpha Omega");
}

TEST(View, FreeingTheParentItemEmptiesTheView)
{
    Menu menu({"Alpha", "Beta"});
    delete menu.root;
    EXPECT_EQ(menu.View()->ViewerCount(), 0);
    EXPECT_EQ(menu.View()->ParentItem(), nullptr);
}
