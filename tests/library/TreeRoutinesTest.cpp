#include "library/TreeRoutines.h"

#include "Fixtures.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

namespace library {
namespace {

using testing::Node;

// The texts of an item's children, in order.
QStringList Texts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

class TreeRoutinesTest : public ::testing::Test {
protected:
    TreeRoutinesTest()
    {
        root = Node("COMBINACIONES", 0);
        tree.addTopLevelItem(root);
        for (const char* name : {"Rock", "Pop", "Jazz", "Folk"}) {
            TCombiItem* combination = Node(name, 1);
            root->addChild(combination);
            for (int i = 1; i <= 2; ++i)
                combination->addChild(Node(QStringLiteral("/srv/%1-%2.mp3").arg(name).arg(i), 2, 60 * i));
        }
        rock = root->child(0);
    }

    QTreeWidget tree;
    QTreeWidgetItem* root;
    QTreeWidgetItem* rock;
};

TEST_F(TreeRoutinesTest, ACopyOfACombinationIsAppendedWithThePrefixOnItsTopOnly)
{
    QTreeWidgetItem* copy = CopyTreeNode(&tree, rock, root, CopyMode::Combination);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(root->child(root->childCount() - 1), copy);
    EXPECT_EQ(Texts(root), QStringList({"Rock", "Pop", "Jazz", "Folk", "Copia de Rock"}));
    EXPECT_EQ(CombiItem(copy)->Data, TCombiData({"Copia de Rock", 1, 1, 0}));
    EXPECT_EQ(Texts(copy), Texts(rock));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(CombiItem(copy->child(i))->Data, CombiItem(rock->child(i))->Data);
        EXPECT_EQ(CombiItem(copy->child(i))->ImageIndex, 2);
        EXPECT_NE(CombiItem(copy->child(i))->Id(), CombiItem(rock->child(i))->Id());
    }
    EXPECT_EQ(CombiItem(rock)->Data.Name, "Rock");
    EXPECT_EQ(rock->text(0), "Rock");

    // A plain copy keeps the name; a copy into the source's own subtree is refused.
    QTreeWidgetItem* theme = CopyTreeNode(&tree, rock->child(0), root->child(1), CopyMode::Plain);
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->text(0), "/srv/Rock-1.mp3");
    EXPECT_EQ(CopyTreeNode(&tree, root, rock, CopyMode::Combination), nullptr);
    EXPECT_EQ(CopyTreeNode(&tree, rock, rock, CopyMode::Combination), nullptr);
    EXPECT_EQ(CopyTreeNode(&tree, nullptr, root, CopyMode::Plain), nullptr);
    EXPECT_EQ(root->childCount(), 5);
}

TEST_F(TreeRoutinesTest, SwappedSiblingsExchangePlacesWithTheirSubtrees)
{
    const struct {
        int a, b;
        QStringList order;
    } cases[] = {
        {0, 1, {"Pop", "Rock", "Jazz", "Folk"}},
        {1, 0, {"Rock", "Pop", "Jazz", "Folk"}},
        {0, 3, {"Folk", "Pop", "Jazz", "Rock"}},
        {2, 2, {"Folk", "Pop", "Jazz", "Rock"}},
    };
    root->child(3)->setExpanded(true);
    for (const auto& c : cases) {
        SwapTreeNodes(&tree, root->child(c.a), root->child(c.b));
        EXPECT_EQ(Texts(root), c.order) << c.a << "," << c.b;
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(Texts(root->child(i)).first().startsWith("/srv/" + root->child(i)->text(0)));
    }
    EXPECT_TRUE(root->child(0)->isExpanded()); // "Folk" moved and stayed open

    // Top-level nodes swap too.
    tree.addTopLevelItem(Node("Other", 0));
    SwapTreeNodes(&tree, tree.topLevelItem(1), tree.topLevelItem(0));
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "Other");
    EXPECT_EQ(tree.topLevelItem(1), root);
}

TEST_F(TreeRoutinesTest, AncestryAndIds)
{
    QTreeWidgetItem* theme = rock->child(1);
    EXPECT_TRUE(IsAncestorNode(rock, rock));
    EXPECT_FALSE(IsAncestorNode(rock, nullptr));
    EXPECT_TRUE(IsAncestorNode(root, theme));
    EXPECT_FALSE(IsAncestorNode(theme, root));
    EXPECT_FALSE(IsAncestorNode(root->child(1), theme));

    // Held ids name their nodes until those are deleted; a deleted node's id names nothing.
    TXClipboard clipboard;
    EXPECT_TRUE(clipboard.IsEmpty());
    clipboard.SetContent(2, 1, 2);
    clipboard.Items = {CombiItem(theme)->Id(), CombiItem(rock->child(0))->Id()};
    EXPECT_TRUE(clipboard.Contains(CombiItem(theme)->Id()));
    EXPECT_EQ(FindNodeById(&tree, clipboard.Items[0]), theme);
    delete rock->takeChild(1);
    EXPECT_EQ(FindNodeById(&tree, clipboard.Items[0]), nullptr);
    clipboard.Clear();
    EXPECT_TRUE(clipboard.IsEmpty() && clipboard.Kind() == -1 && clipboard.Operation() == -1);
}

} // namespace
} // namespace library
