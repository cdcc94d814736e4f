#include "MenuTestKit.h"
#include "TempFolder.h"
#include "menus/PMItemError.h"
#include "menus/PMItemViewer.h"
#include "menus/PMMRUList.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QStringList Captions(const TPMMRUList& list)
{
    QStringList captions;
    for (int i = 0; i < list.Container()->ItemCount(); ++i)
        captions << list.Container()->ItemAt(i)->Caption();
    return captions;
}

// The entries the view shows, in order.
QString Shown(TPMView* view)
{
    QStringList shown;
    for (int i = 0; i < view->ViewerCount(); ++i)
        if (view->Viewer(i)->Show)
            shown << view->Viewer(i)->Item()->Caption();
    return shown.join(u' ');
}

} // namespace

TEST(MRUList, AddingKeepsTheNewestFirstUpToMaxItems)
{
    struct Case {
        QStringList added;
        QStringList names;
        QStringList captions;
    };
    const Case cases[] = {
        {{"/m/A", "/m/B", "/m/C", "/m/D", "/m/E"},
         {"/m/E", "/m/D", "/m/C", "/m/B"},
         {"&1 E", "&2 D", "&3 C", "&4 B"}},
        {{"/m/A", "/m/B", "/m/C", "/m/D", "/m/E", "/m/B"},
         {"/m/B", "/m/E", "/m/D", "/m/C"},
         {"&1 B", "&2 E", "&3 D", "&4 C"}},
        {{"/m/Rock & Roll"}, {"/m/Rock & Roll"}, {"&1 Rock && Roll"}},
        {{"/m/jingles/"}, {"/m/jingles/"}, {"&1 /m/jingles/"}}, // no title: shown in full
        {{"/m/a.mp3"}, {"/m/a.mp3"}, {"&1 a.mp3"}},             // extensions show on Linux
        // Letter case counts: two folders, and the latest spelling of one name wins.
        {{"/m/Jingles", "/m/jingles"}, {"/m/jingles", "/m/Jingles"}, {"&1 jingles", "&2 Jingles"}},
    };
    for (const Case& c : cases) {
        TPMMRUList list;
        int changes = 0;
        list.OnChange = [&](TPMMRUList* sender) {
            EXPECT_EQ(sender, &list);
            ++changes;
        };
        for (const QString& name : c.added)
            list.Add(name);
        EXPECT_EQ(list.Items().Names(), c.names) << c.added.join(u' ').toStdString();
        EXPECT_EQ(Captions(list), c.captions) << c.added.join(u' ').toStdString();
        EXPECT_GE(changes, c.added.size());
    }
}

TEST(MRUList, AcceleratorsRunOneToNineThenAToZ)
{
    TPMMRUList list;
    list.SetMaxItems(40);
    for (int i = 39; i >= 0; --i)
        list.Add(QString("/n%1").arg(i));
    const QStringList captions = Captions(list);
    ASSERT_EQ(captions.size(), 40);
    EXPECT_EQ(captions[0], "&1 n0");
    EXPECT_EQ(captions[8], "&9 n8");
    EXPECT_EQ(captions[9], "&A n9");
    EXPECT_EQ(captions[34], "&Z n34");
    EXPECT_EQ(captions[35], "n35");
    list.SetHidePathExtension(false);
    EXPECT_EQ(Captions(list)[0], "&1 /n0");
    list.SetMaxItems(2);
    EXPECT_EQ(list.Items().Names(), QStringList({"/n0", "/n1"}));
    list.SetMaxItems(-1); // nothing kept, and no endless trimming
    EXPECT_EQ(list.Items().Count(), 0);
}

TEST(MRUList, TheEntriesFollowEveryStringOperation)
{
    TPMMRUList list;
    list.AddFullPath = false;
    list.SetMaxItems(10);
    TPMMRUListStrings& items = list.Items();
    const auto check = [&](const char* step) {
        QStringList titles;
        for (const QString& name : items.Names())
            titles << name;
        QStringList shown;
        for (const QString& caption : Captions(list))
            shown << caption.mid(3);
        EXPECT_EQ(shown, titles) << step;
    };
    list.SetItems({"a", "b", "c"});
    check("set");
    items.Insert(1, "x");
    EXPECT_EQ(items.Names(), QStringList({"a", "x", "b", "c"}));
    check("insert");
    items.Move(3, 0);
    EXPECT_EQ(items.Names(), QStringList({"c", "a", "x", "b"}));
    check("move");
    items.Delete(2);
    EXPECT_EQ(items.Names(), QStringList({"c", "a", "b"}));
    check("delete");
    items.Put(1, "z");
    check("put");
    EXPECT_EQ(items.IndexOf("z"), 1);
    EXPECT_EQ(items.IndexOf("Z"), -1);
    EXPECT_THROW(items.Delete(3), EPMItemError);
    EXPECT_THROW(items.Insert(5, "late"), EPMItemError);
    items.Clear();
    EXPECT_EQ(list.Container()->ItemCount(), 0);
}

TEST(MRUList, ChoosingAnEntryMovesItToTheTopAndReportsItsName)
{
    TPMMRUList list;
    for (const char* name : {"/m/C", "/m/B", "/m/A"})
        list.Add(name);
    TPMMRUList* sender = nullptr;
    QString chosen;
    list.OnClick = [&](TPMMRUList* from, const QString& name) {
        sender = from;
        chosen = name;
    };
    list.Container()->ItemAt(2)->ExecuteClick();
    EXPECT_EQ(sender, &list);
    EXPECT_EQ(chosen, "/m/C");
    EXPECT_EQ(list.Items().Names(), QStringList({"/m/C", "/m/A", "/m/B"}));
    EXPECT_EQ(Captions(list), QStringList({"&1 C", "&2 A", "&3 B"}));
}

TEST(MRUList, RelativeNamesAreExpandedAndAbsoluteOnesKeptAsWritten)
{
    TempFolder folder;
    ASSERT_TRUE(QDir(folder.Path()).mkpath("work/sub"));
    const QString home = QDir(folder.Path() + "work").canonicalPath();
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(home));
    struct Case {
        QString added;
        QString kept;
    };
    const Case cases[] = {
        {"jingles", home + "/jingles"},
        {"a/../b", home + "/b"},
        {"./sub//x", home + "/sub/x"},
        {"sub/", home + "/sub/"},
        {"/music//Jingles/../x", "/music//Jingles/../x"},
        {"/music/Jingles/", "/music/Jingles/"},
    };
    for (const Case& c : cases) {
        TPMMRUList list;
        list.Add(c.added);
        EXPECT_EQ(list.Items().Get(0), c.kept) << c.added.toStdString();
    }
    TPMMRUList asWritten;
    asWritten.AddFullPath = false;
    asWritten.Add("a/../b");
    EXPECT_EQ(asWritten.Items().Get(0), "a/../b");
    QDir::setCurrent(previous);
}

TEST(MRUList, AListItemShowsTheEntriesInItsPlaceAndLetsGoOfAFreedList)
{
    QWidget owner;
    auto* root = new TPMRootItem(&owner);
    auto* before = new TPMItem(&owner);
    before->SetCaption("New:");
    root->AppendItem(before);
    auto* recent = new TPMMRUListItem(&owner);
    EXPECT_EQ(recent->Caption(), "(MRU List)");
    root->AppendItem(recent);
    auto* list = new TPMMRUList(&owner);
    list->Add("/m/A");
    recent->SetMRUList(list);
    TestHost host(root);
    host.Open();
    EXPECT_EQ(Shown(host.view), "New: &1 A");
    list->Add("/m/B"); // shows at once in the open menu
    EXPECT_EQ(Shown(host.view), "New: &1 B &2 A");
    list->Items().Clear();
    EXPECT_EQ(Shown(host.view), "New:");
    list->Add("/m/C");
    delete list;
    EXPECT_EQ(recent->MRUList(), nullptr);
    EXPECT_EQ(recent->LinkSubitems(), nullptr);
    EXPECT_EQ(Shown(host.view), "New:");
}
