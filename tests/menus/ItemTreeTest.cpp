#include "DialogAnswerer.h"
#include "MenuTestKit.h"
#include "menus/PMClickDispatch.h"
#include "menus/PMCloseAction.h"
#include "menus/PMImageList.h"
#include "menus/PMItemError.h"
#include "menus/PMItems.h"
#include "menus/PMLibrary.h"
#include "platform_gui/DesktopSettings.h"

#include <QAction>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Kind = TPMNoticeKind;

// A root with three plain entries A, B and C, owned by a window.
struct Tree {
    QWidget window;
    TPMRootItem* root = new TPMRootItem(&window);
    TPMItem* a = Add("A");
    TPMItem* b = Add("B");
    TPMItem* c = Add("C");

    TPMItem* Add(const QString& caption)
    {
        auto* item = new TPMItem(&window);
        item->SetCaption(caption);
        root->AppendItem(item);
        return item;
    }
    QStringList Captions() const
    {
        QStringList captions;
        for (int i = 0; i < root->ItemCount(); ++i)
            captions << root->ItemAt(i)->Caption();
        return captions;
    }
};

void ExpectItemError(const std::function<void()>& call, const char* text)
{
    try {
        call();
        ADD_FAILURE() << "no error, expected " << text;
    } catch (const EPMItemError& error) {
        EXPECT_STREQ(error.what(), text);
    }
}

} // namespace

TEST(ItemTree, ChildListErrorsChangeNothing)
{
    Tree tree;
    const char* outOfRange = "Toolbar item index out of range";
    ExpectItemError([&] { tree.root->ItemAt(3); }, outOfRange);
    ExpectItemError([&] { tree.root->ItemAt(-1); }, outOfRange);
    ExpectItemError([&] { tree.root->DeleteItem(3); }, outOfRange);
    ExpectItemError([&] { tree.root->MoveItem(0, 3); }, outOfRange);
    ExpectItemError([&] { tree.root->MoveItem(5, 0); }, outOfRange);
    auto* loose = new TPMItem(&tree.window);
    ExpectItemError([&] { tree.root->InsertItem(4, loose); }, outOfRange);
    ExpectItemError([&] { tree.root->InsertItem(0, tree.b); }, "Toolbar item already inserted");
    EXPECT_EQ(tree.Captions(), QStringList({"A", "B", "C"}));
    EXPECT_EQ(loose->Parent(), nullptr);

    tree.root->MoveItem(0, 2);
    EXPECT_EQ(tree.Captions(), QStringList({"B", "C", "A"}));
    tree.root->DeleteItem(1);
    EXPECT_EQ(tree.Captions(), QStringList({"B", "A"}));
    EXPECT_EQ(tree.c->Parent(), nullptr); // taken out, not freed
    EXPECT_EQ(tree.root->IndexOfItem(tree.c), -1);
}

TEST(ItemTree, SettersSendTheirNotices)
{
    struct Case {
        const char* name;
        std::function<void(TPMItem&)> before;
        std::function<void(TPMItem&)> change;
        QList<Kind> expected;
    };
    const auto none = [](TPMItem&) {};
    const Case cases[] = {
        {"same caption", [](TPMItem& i) { i.SetCaption("x"); }, [](TPMItem& i) { i.SetCaption("x"); }, {}},
        {"caption", none, [](TPMItem& i) { i.SetCaption("y"); }, {Kind::RepaintRelayout}},
        {"checked", none, [](TPMItem& i) { i.SetChecked(true); }, {Kind::Repaint}},
        {"enabled", none, [](TPMItem& i) { i.SetEnabled(false); }, {Kind::Repaint}},
        {"visible", none, [](TPMItem& i) { i.SetVisible(false); }, {Kind::RepaintRelayout}},
        {"image 2 to 5",
         [](TPMItem& i) { i.SetImageIndex(2); },
         [](TPMItem& i) { i.SetImageIndex(5); },
         {Kind::Repaint}},
        {"image -1 to 5", none, [](TPMItem& i) { i.SetImageIndex(5); }, {Kind::RepaintRelayout}},
        {"image 5 to -1",
         [](TPMItem& i) { i.SetImageIndex(5); },
         [](TPMItem& i) { i.SetImageIndex(-1); },
         {Kind::RepaintRelayout}},
        {"display mode", none, [](TPMItem& i) { i.SetDisplayMode(nbdmTextOnly); }, {Kind::RepaintRelayout}},
        {"combo", none, [](TPMItem& i) { i.SetDropdownCombo(true); }, {Kind::RepaintRelayout}},
        {"bold option", none, [](TPMItem& i) { i.SetOptions(tboDefault); }, {Kind::RepaintRelayout}},
        {"hint option", none, [](TPMItem& i) { i.SetOptions(tboShowHint); }, {}},
        {"hint", none, [](TPMItem& i) { i.SetHint("h"); }, {}},
    };
    for (const Case& c : cases) {
        TPMRootItem root;
        auto* item = new TPMItem;
        root.AppendItem(item);
        c.before(*item);
        NoticeRecorder recorder(&root);
        c.change(*item);
        EXPECT_EQ(recorder.kinds, c.expected) << c.name;
        delete item;
    }
    TPMRootItem root;
    auto* separator = new TPMSeparatorItem;
    root.AppendItem(separator);
    NoticeRecorder recorder(&root);
    separator->SetBlank(true);
    separator->SetBlank(true);
    EXPECT_EQ(recorder.kinds, QList<Kind>{Kind::Repaint});
}

TEST(ItemTree, CheckingClearsOnlyItsOwnRadioGroup)
{
    Tree tree;
    TPMItem* d = tree.Add("D");
    tree.a->SetGroupIndex(3);
    tree.b->SetGroupIndex(3);
    tree.c->SetGroupIndex(4);
    for (TPMItem* item : {tree.a, tree.c, d})
        item->SetChecked(true);
    tree.b->SetChecked(true);
    EXPECT_FALSE(tree.a->Checked());
    EXPECT_TRUE(tree.c->Checked());
    EXPECT_TRUE(d->Checked());
    d->SetGroupIndex(0);
    tree.a->SetGroupIndex(0);
    tree.a->SetChecked(true); // group 0 is no group
    EXPECT_TRUE(tree.b->Checked());
    EXPECT_TRUE(d->Checked());
    tree.a->SetGroupIndex(4); // joining a group while checked clears it
    EXPECT_FALSE(tree.c->Checked());
}

TEST(ItemTree, OptionsAreNormalisedAndInherited)
{
    Tree tree;
    tree.a->SetOptions(tboToolbarSize);
    EXPECT_EQ(tree.a->Options(), TPMItemOptions());
    tree.a->SetOptions(tboToolbarSize | tboToolbarStyle);
    EXPECT_EQ(tree.a->Options(), TPMItemOptions(tboToolbarSize | tboToolbarStyle));

    auto* child = new TPMItem(&tree.window);
    tree.b->AppendItem(child);
    tree.b->SetOptions(tboDefault | tboShowHint | tboNoAutoHint);
    EXPECT_EQ(child->ResolvedOptions(), TPMItemOptions(tboShowHint | tboNoAutoHint));
    child->SetMaskOptions(tboShowHint);
    child->SetOptions(tboSameWidth);
    EXPECT_EQ(child->ResolvedOptions(), TPMItemOptions(tboNoAutoHint | tboSameWidth));
    child->SetInheritOptions(false);
    EXPECT_EQ(child->ResolvedOptions(), TPMItemOptions(tboSameWidth));
}

TEST(ItemTree, LinksFollowOneStepAndNeverToThemselves)
{
    Tree tree;
    tree.a->SetLinkSubitems(tree.a);
    EXPECT_EQ(tree.a->LinkSubitems(), nullptr);
    EXPECT_EQ(tree.a->LinkedItem(), tree.a);
    NoticeRecorder recorder(tree.a);
    tree.a->SetLinkSubitems(tree.b);
    tree.b->SetLinkSubitems(tree.c);
    EXPECT_EQ(tree.a->LinkedItem(), tree.b);
    EXPECT_EQ(recorder.kinds, QList<Kind>{Kind::SubitemsReplaced});
    delete tree.b; // the link is cleared with it
    EXPECT_EQ(tree.a->LinkSubitems(), nullptr);
}

TEST(ItemTree, HandlerUnregisteringItselfDoesNotSkipTheNext)
{
    TPMRootItem root;
    struct Handler {
        TPMRootItem* root;
        QStringList* calls;
        QString name;
        bool leave;
        static void Call(void* object, const TPMItemNotice&)
        {
            auto* self = static_cast<Handler*>(object);
            self->calls->append(self->name);
            if (self->leave)
                self->root->UnregisterNotifyHandler(&Handler::Call, self);
        }
    };
    QStringList calls;
    Handler first{&root, &calls, "first", true};
    Handler second{&root, &calls, "second", false};
    Handler third{&root, &calls, "third", false};
    for (Handler* handler : {&first, &second, &third})
        root.RegisterNotifyHandler(&Handler::Call, handler);
    root.RegisterNotifyHandler(&Handler::Call, &second); // counted: one unregistering leaves it
    root.SendNotice(Kind::Repaint, &root);
    root.UnregisterNotifyHandler(&Handler::Call, &second);
    root.SendNotice(Kind::Repaint, &root);
    EXPECT_EQ(calls, QStringList({"first", "second", "third", "second", "third"}));
    root.UnregisterNotifyHandler(&Handler::Call, &second);
    root.UnregisterNotifyHandler(&Handler::Call, &third);
}

TEST(ItemTree, InlineForwardingStopsPastDepthTen)
{
    TPMRootItem root;
    class InlineItem : public TPMCustomItem {
    public:
        InlineItem() { SetKindFlags(KindFlags() | ikfInline); }
    };
    TPMCustomItem* parent = &root;
    std::vector<TPMCustomItem*> chain;
    for (int depth = 1; depth <= 11; ++depth) {
        auto* group = new InlineItem;
        parent->AppendItem(group);
        chain.push_back(group);
        parent = group;
    }
    NoticeRecorder recorder(&root);
    auto* reached = new TPMItem;
    chain[9]->AppendItem(reached); // ten forwards up to the root
    auto* beyond = new TPMItem;
    chain[10]->AppendItem(beyond); // eleven
    recorder.kinds.clear();
    recorder.items.clear();
    reached->SetCaption("x");
    beyond->SetCaption("y");
    EXPECT_EQ(recorder.kinds, QList<Kind>{Kind::RepaintRelayout});
    EXPECT_EQ(recorder.items, QList<TPMCustomItem*>{reached});
}

TEST(ItemTree, QueuedClicksRunInOrderAndSkipFreedItems)
{
    Tree tree;
    QStringList ran;
    for (TPMItem* item : {tree.a, tree.b, tree.c})
        item->OnClick = [&ran](TPMCustomItem* sender) { ran << sender->Caption(); };
    QueueClick(tree.a, 0);
    QueueClick(tree.b, 0);
    QueueClick(tree.c, 0);
    delete tree.a;
    DeliverQueuedClicks();
    EXPECT_EQ(ran, QStringList({"B", "C"}));
    tree.c->SetEnabled(false);
    QueueClick(tree.c, 0);
    DeliverQueuedClicks();
    EXPECT_EQ(ran, QStringList({"B", "C"})); // a disabled entry does nothing
}

TEST(ItemTree, AFailingQueuedClickShowsOneBoxAndTheNextRuns)
{
    Tree tree;
    ScriptedDialogAnswerer boxes;
    boxes.ExpectButton(QMessageBox::Ok);
    bool secondRan = false;
    tree.a->OnClick = [](TPMCustomItem*) { throw std::runtime_error("Folder is gone"); };
    tree.b->OnClick = [&](TPMCustomItem*) { secondRan = true; };
    QueueClick(tree.a, 0);
    QueueClick(tree.b, 0);
    DeliverQueuedClicks();
    EXPECT_TRUE(secondRan);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, "Folder is gone");
}

TEST(ItemTree, OpeningASubmenuClicksItUnlessItIsACombo)
{
    QWidget window;
    auto* submenu = new TPMSubmenuItem(&window);
    int clicks = 0;
    QStringList popups;
    submenu->OnClick = [&](TPMCustomItem*) { ++clicks; };
    submenu->OnPopup = [&](TPMCustomItem* sender, bool fromLink) {
        popups << sender->objectName() + (fromLink ? "+link" : "");
    };
    submenu->setObjectName("S");
    submenu->FirePopupEvents();
    EXPECT_EQ(clicks, 1);
    submenu->SetDropdownCombo(true);
    submenu->FirePopupEvents();
    EXPECT_EQ(clicks, 1);

    auto* target = new TPMSubmenuItem(&window);
    target->OnPopup = submenu->OnPopup;
    submenu->SetLinkSubitems(target);
    popups.clear();
    submenu->FirePopupEvents();
    EXPECT_EQ(popups, QStringList({"S+link", "S"})); // the link target's event first
}

TEST(ItemTree, ShortCutsRunThroughTheirSubmenusPopupEvents)
{
    QWidget window;
    auto* root = new TPMRootItem(&window);
    auto* file = new TPMSubmenuItem(&window);
    auto* open = new TPMItem(&window);
    root->AppendItem(file);
    file->AppendItem(open);
    open->SetShortCut(Qt::CTRL | Qt::Key_O);
    open->SetCaption("Open");
    EXPECT_EQ(open->ShortCutText(), QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText));
    open->SetCaption("Open\tCtrl+Shift+O");
    EXPECT_EQ(open->ShortCutText(), "Ctrl+Shift+O");
    QStringList events;
    file->OnPopup = [&](TPMCustomItem*, bool) { events << "popup"; };
    open->OnClick = [&](TPMCustomItem*) { events << "open"; };
    EXPECT_TRUE(root->HandleShortCut(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(events, QStringList({"popup", "open"}));
    EXPECT_FALSE(root->HandleShortCut(Qt::CTRL | Qt::Key_P));

    // A failing popup handler is shown and the shortcut still runs; opening the submenu gives up.
    ScriptedDialogAnswerer boxes;
    boxes.ExpectButton(QMessageBox::Ok);
    file->OnPopup = [](TPMCustomItem*, bool) { throw std::runtime_error("Folder list unreadable"); };
    events.clear();
    EXPECT_TRUE(root->HandleShortCut(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(events, QStringList{"open"});
    EXPECT_THROW(file->FirePopupEvents(), std::runtime_error);
    file->SetEnabled(false);
    EXPECT_FALSE(root->HandleShortCut(Qt::CTRL | Qt::Key_O));
}

TEST(ItemTree, ShortCutSearchGivesUpOnATreeThatChangesOnEveryPopup)
{
    QWidget window;
    auto* root = new TPMRootItem(&window);
    auto* first = new TPMSubmenuItem(&window);
    auto* second = new TPMSubmenuItem(&window);
    auto* wanted = new TPMItem(&window);
    root->AppendItem(first);
    root->AppendItem(second);
    first->AppendItem(wanted);
    wanted->SetShortCut(Qt::Key_F5);
    int popups = 0;
    // Each submenu hands the entry to the other as it opens, so the path found is always gone.
    first->OnPopup = [&](TPMCustomItem*, bool) {
        ++popups;
        first->RemoveItem(wanted);
        second->AppendItem(wanted);
    };
    second->OnPopup = [&](TPMCustomItem*, bool) {
        ++popups;
        second->RemoveItem(wanted);
        first->AppendItem(wanted);
    };
    EXPECT_FALSE(root->HandleShortCut(Qt::Key_F5));
    EXPECT_GT(popups, 1);
    EXPECT_LT(popups, 20);
}

TEST(ItemTree, WindowAndItemsCanGoInEitherOrder)
{
    {
        auto* window = new QWidget;
        auto* root = new TPMRootItem(window);
        auto* submenu = new TPMSubmenuItem(window);
        auto* leaf = new TPMItem(window);
        root->AppendItem(submenu);
        submenu->AppendItem(leaf);
        QPointer<TPMItem> watched(leaf);
        delete submenu; // frees its child and leaves the root
        EXPECT_TRUE(watched.isNull());
        EXPECT_EQ(root->ItemCount(), 0);
        delete window;
    }
    {
        auto* window = new QWidget;
        auto* leaf = new TPMItem(window); // made before the items it goes into
        auto* root = new TPMRootItem(window);
        auto* submenu = new TPMSubmenuItem(window);
        root->AppendItem(submenu);
        submenu->AppendItem(leaf);
        submenu->SetLinkSubitems(root);
        delete window;
    }
}

TEST(ItemTree, ImagesRelayoutOnlyWhenTheirSizeChanges)
{
    Tree tree;
    TCustomImageList small(16, 16, &tree.window);
    TCustomImageList same(16, 16, &tree.window);
    TCustomImageList large(24, 24, &tree.window);
    NoticeRecorder recorder(tree.root);
    tree.a->SetImages(&small);
    tree.a->SetImages(&same);
    tree.a->SetImages(&large);
    small.Add(QImage(16, 16, QImage::Format_ARGB32));
    large.Add(QImage(24, 24, QImage::Format_ARGB32));
    large.SetSize(20, 20);
    EXPECT_EQ(recorder.kinds, QList<Kind>({Kind::RepaintRelayout, Kind::Repaint, Kind::RepaintRelayout,
                                           Kind::Repaint, Kind::RepaintRelayout}));
}

TEST(ItemTree, AnActionRunsOnlyWhenTheItemHasNoHandlerOfItsOwn)
{
    Tree tree;
    QAction action("Play");
    action.setCheckable(true);
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    tree.a->SetAction(&action);
    EXPECT_EQ(tree.a->Caption(), "Play");
    action.setText("Play now");
    EXPECT_EQ(tree.a->Caption(), "Play now");
    tree.a->ExecuteClick();
    EXPECT_EQ(triggered, 1);
    EXPECT_TRUE(action.isChecked());
    bool ownRan = false;
    tree.a->OnClick = [&](TPMCustomItem*) { ownRan = true; };
    tree.a->ExecuteClick();
    EXPECT_TRUE(ownRan);
    EXPECT_EQ(triggered, 1);
    tree.a->SetAutoCheck(false);
    tree.b->SetAutoCheck(true);
    tree.b->ExecuteClick();
    EXPECT_TRUE(tree.b->Checked());
}

TEST(CloseAction, ClickPlaysItsSoundAndQueuesWhileTheItemLives)
{
    Tree tree;
    platform::FakeDesktopSettings settings;
    int clicks = 0;
    tree.a->OnClick = [&](TPMCustomItem*) { ++clicks; };
    TPMCloseAction action;
    action.kind = cakClick;
    action.item = tree.a;
    action.sound = true;
    action.Perform();
    DeliverQueuedClicks();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(settings.played, QStringList{"MenuCommand"});

    // The entry went (a timer rebuilt the window's menu) before the action was performed.
    delete tree.a;
    action.Perform();
    DeliverQueuedClicks();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(settings.played.size(), 1);

    int helpContext = 0;
    MenuHelpHook() = [&](int context, bool) { helpContext = context; };
    TPMCloseAction help;
    help.kind = cakHelp;
    help.helpContext = 12;
    help.Perform();
    MenuHelpHook() = nullptr;
    EXPECT_EQ(helpContext, 12);
}
