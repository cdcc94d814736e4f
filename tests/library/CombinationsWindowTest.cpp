// The combinations window as designed: its tree's look and behaviour flags, and the popup menu's entries
// in the station's order.
#include "CombinationsFixture.h"
#include "library/CombinationsTree.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMPopupMenu.h"

#include <gtest/gtest.h>

namespace {

// The entries below `item`: captions in order, a separator as "-", hidden entries in parentheses and
// a submenu's entries in brackets.
QString Outline(const TPMCustomItem& item)
{
    QStringList entries;
    for (int i = 0; i < item.ItemCount(); ++i) {
        const TPMCustomItem& child = *item.ItemAt(i);
        QString entry = dynamic_cast<const TPMSeparatorItem*>(&child) ? QStringLiteral("-") : child.Caption();
        if (child.ItemCount() > 0)
            entry += '[' + Outline(child) + ']';
        entries.append(child.Visible() ? entry : '(' + entry + ')');
    }
    return entries.join(", ");
}

using CombinationsWindowTest = CombinationsFixture;

} // namespace

TEST_F(CombinationsWindowTest, TreeAndMenuAsDesigned)
{
    Show();
    const TCombinationsTree& tree = *window->TVCombinaciones;
    EXPECT_EQ(window->objectName(), "FCombinations");
    EXPECT_EQ(tree.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(tree.indentation(), 20);
    EXPECT_TRUE(tree.uniformRowHeights());
    EXPECT_EQ(tree.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(tree.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(tree.contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(window->TimerReloadFile.interval(), 2000);
    EXPECT_NE(dynamic_cast<TPMEditItem*>(window->PMCombinationsNew), nullptr);
    // The emit entries for channels 2 and 3 exist and stay hidden; "set as main window" ends the menu.

    const QString emits = "Emit[To channel 1, (To channel 2), (To channel 3)]";
    EXPECT_EQ(Outline(*window->PMCombinaciones->Items()),
              "Combinations[New, Delete, " + emits +
                  ", Random], Themes[CUE, Add theme, Add directory, Delete, Search, " + emits +
                  ", -, Information], -, (Cut), (Paste), (Copy), (Unselect), -, Show combinations only, "
                  "Expand all, Collapse all, -, Reload from disk, Save to disk, -, set as main window");
}
