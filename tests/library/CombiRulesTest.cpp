// The combinations window's pure decisions: the info texts, which popup entries the user sees, and
// what a drag over the tree may do.
#include "Fixtures.h"
#include "library/CombiDragRules.h"
#include "library/CombiInfoText.h"
#include "library/CombiPopupRules.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

#include <vector>

using namespace library;
using library::testing::Node;

namespace {

struct InfoCase {
    int32_t kind;
    int children;
    int themes;
    int64_t seconds;
    const char* expected;
};

TEST(CombiInfoTextTest, CountsAndTimesByKind)
{
    const InfoCase cases[] = {
        {1, 2, 2, 30 * 60 + 45 * 60, "Temas:   2 (01:15:00) "},
        {0, 3, 12, 90, "Tot: 3, Temas:  12 (01:30) "},
        {0, 0, 0, 0, "Tot: 0, Temas:   0 (00:00) "},
        {0, 12, 1234, 0, "Tot: 12, Temas: 1234 (00:00) "},
        // One hour is shown in hours, and hours go on past a day.
        {2, 0, 0, 3600, "(01:00:00) "},
        {2, 0, 0, 3599, "(59:59) "},
        {0, 1, 1, 30 * 3600, "Tot: 1, Temas:   1 (30:00:00) "},
        {-1, 0, 0, 100, ""},
    };
    for (const InfoCase& c : cases)
        EXPECT_EQ(CombiInfoText(c.kind, c.children, c.themes, c.seconds), QString::fromUtf8(c.expected))
            << c.expected;
}

TEST(CombiInfoTextTest, NodesCountTheirTreeAndSumTheirThemes)
{
    QTreeWidget tree;
    auto* root = Node("COMBINACIONES", 0);
    tree.addTopLevelItem(root);
    int64_t seconds = 0;
    for (int c = 0; c < 3; ++c) {
        auto* combination = Node(QStringLiteral("C%1").arg(c), 1);
        root->addChild(combination);
        for (int t = 0; t < 4; ++t) {
            combination->addChild(Node(QStringLiteral("/m/%1-%2.mp3").arg(c).arg(t), 2, 600));
            seconds += 600;
        }
    }
    EXPECT_EQ(CombiInfoText(tree, *root), "Tot: 3, Temas:  12 (02:00:00) ");
    EXPECT_EQ(CombiInfoText(tree, *root->child(1)), "Temas:   4 (40:00) ");
    EXPECT_EQ(CombiInfoText(tree, *root->child(1)->child(0)), "(10:00) ");
    QTreeWidgetItem plain;
    EXPECT_EQ(CombiInfoText(tree, plain), "");
}

// The entries the user sees, by name, for a compact comparison.
QString Shown(const TCombiPopupItems& items)
{
    const TCombiPopupItems v = VisibleItems(items);
    const std::pair<bool, const char*> entries[] = {
        {v.Combinations, "Combinations"},
        {v.New, "New"},
        {v.CombinationsDelete, "CDelete"},
        {v.CombinationsEmit, "CEmit"},
        {v.Random, "Random"},
        {v.Themes, "Themes"},
        {v.CUE, "CUE"},
        {v.AddTheme, "Add"},
        {v.AddDirectory, "AddDir"},
        {v.ThemesDelete, "TDelete"},
        {v.ThemesEmit, "TEmit"},
        {v.Information, "Info"},
        {v.Cut, "Cut"},
        {v.Paste, "Paste"},
        {v.Copy, "Copy"},
        {v.Unselect, "Unselect"},
    };
    QStringList names;
    for (const auto& [visible, name] : entries)
        if (visible)
            names.append(QLatin1String(name));
    return names.join(' ');
}

struct PopupCase {
    TCombiPopupCase popup;
    const char* expected;
};

TEST(CombiPopupRulesTest, VisibleEntriesByFocusModeHeldAndSelection)
{
    const PopupCase cases[] = {
        {{-1, 0, -1, 1}, "Combinations New"},
        {{0, 0, -1, 1}, "Combinations New"},
        {{0, 1, 1, 1}, "Combinations New Paste Unselect"},
        {{0, 0, 2, 2}, "Combinations New Unselect"},
        {{1, 0, -1, 1}, "Combinations New CDelete CEmit Random Themes CUE Add AddDir Copy"},
        {{1, 1, -1, 1}, "Combinations New CDelete Random Themes Add AddDir Copy"},
        {{1, 0, -1, 2}, "Combinations New CDelete CEmit Random Copy"},
        {{1, 0, 2, 2}, "Combinations New CDelete CEmit Random Paste Copy Unselect"},
        {{1, 1, 1, 1}, "Combinations New CDelete Random Themes Add AddDir Copy Unselect"},
        {{2, 0, -1, 1}, "Themes CUE TDelete TEmit Info Cut Copy"},
        {{2, 0, -1, 2}, "Themes CUE TDelete TEmit Cut Copy"},
        {{2, 1, 2, 1}, "Themes TDelete Info Cut Paste Copy Unselect"},
        {{2, 1, 1, 2}, "Themes TDelete Cut Copy Unselect"},
    };
    // What the user sees does not depend on what an earlier opening left in a hidden submenu.
    std::vector<TCombiPopupItems> previous{TCombiPopupItems{}};
    for (const PopupCase& c : cases)
        previous.push_back(PopupItems({}, c.popup));
    for (const PopupCase& c : cases)
        for (const TCombiPopupItems& before : previous)
            EXPECT_EQ(Shown(PopupItems(before, c.popup)), QLatin1String(c.expected))
                << "kind " << c.popup.focusedKind << " mode " << c.popup.runMode << " held "
                << c.popup.heldKind << " selected " << c.popup.selectedCount;
}

TEST(CombiPopupRulesTest, AnUnknownKindChangesOnlyUnselectAndCue)
{
    TCombiPopupItems before = PopupItems({}, {1, 0, -1, 1});
    TCombiPopupItems after = PopupItems(before, {7, 0, 2, 1});
    EXPECT_TRUE(after.Unselect);
    after.Unselect = before.Unselect;
    EXPECT_EQ(after, before);
}

struct DragRow {
    TDragCase drag;
    bool accepted;
    const char* what;
};

TEST(CombiDragRulesTest, AcceptanceBySourceAndNodes)
{
    using S = TDragSource;
    // source, target, N kind and level, S kind and level, N is S, N is S's parent, N inside S
    const DragRow rows[] = {
        {{S::SearchList, true, 1, 1}, true, "search onto a combination"},
        {{S::SearchList, true, 2, 2}, false, "search onto a theme"},
        {{S::SearchList, true, 0, 0}, false, "search onto the root"},
        {{S::FolderPage, true, 1, 1}, true, "page onto a combination"},
        {{S::FolderPage, false}, false, "page onto no node"},
        {{S::Other, true, 1, 1}, false, "anything else"},
        {{S::Tree, true, 1, 1, 2, 2}, true, "theme onto another combination"},
        {{S::Tree, true, 1, 1, 2, 2, false, true}, false, "theme onto its own combination"},
        {{S::Tree, true, 2, 2, 2, 2}, true, "theme onto a theme"},
        {{S::Tree, true, 2, 2, 2, 2, true}, false, "theme onto itself"},
        {{S::Tree, true, 1, 1, 1, 1}, true, "combination onto a combination"},
        {{S::Tree, true, 2, 2, 1, 1}, false, "combination onto a theme"},
        {{S::Tree, true, 2, 2, 1, 1, false, false, true}, false, "combination onto its own theme"},
        {{S::Tree, true, 0, 0, 1, 1, false, true}, false, "combination onto the root"},
        {{S::Tree, true, 1, 1, 0, 0}, false, "the root dragged"},
        {{S::Tree, true, 1, 1, -1, 0}, false, "no focused node"},
        {{S::Tree, false}, false, "tree onto no node"},
    };
    for (const DragRow& row : rows)
        EXPECT_EQ(DragAccepts(row.drag), row.accepted) << row.what;
}

TEST(CombiDragRulesTest, CasesAreReadFromTheTree)
{
    QTreeWidget tree;
    auto* root = Node("COMBINACIONES", 0);
    auto* a = Node("A", 1);
    auto* theme = Node("/m/a.mp3", 2);
    tree.addTopLevelItem(root);
    root->addChild(a);
    a->addChild(theme);
    const TDragCase up = DragCaseOf(TDragSource::Tree, theme, a);
    EXPECT_TRUE(up.hasTarget && up.nIsParentOfS && !up.nIsS && !up.nIsInsideS);
    EXPECT_EQ(up.sLevel, 2);
    EXPECT_EQ(up.nLevel, 1);
    const TDragCase down = DragCaseOf(TDragSource::Tree, a, theme);
    EXPECT_TRUE(down.nIsInsideS && !down.nIsParentOfS);
    EXPECT_FALSE(DragCaseOf(TDragSource::Tree, a, nullptr).hasTarget);
}

TEST(CombiDragRulesTest, WhereADraggedNodeGoes)
{
    EXPECT_EQ(DropMoveFor(2, 1), TDropMove::FirstChild);
    EXPECT_EQ(DropMoveFor(2, 2), TDropMove::BeforeTarget);
    EXPECT_EQ(DropMoveFor(1, 1), TDropMove::BeforeTarget);
    EXPECT_EQ(DropMoveFor(1, 2), TDropMove::None);
    EXPECT_EQ(DropMoveFor(1, 0), TDropMove::None);
}

} // namespace
