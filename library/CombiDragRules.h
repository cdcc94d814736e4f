#pragma once
// What the combinations tree takes when something is dragged over one of its nodes, and where a
// node dragged inside the tree goes.
#include <QTreeWidgetItem>

#include <cstdint>

namespace library {

enum class TDragSource { Other, SearchList, FolderPage, Tree };

// S is the tree's focused node when the tree itself is the source; N is the node under the cursor.
struct TDragCase {
    TDragSource source = TDragSource::Other;
    bool hasTarget = false; // a node lies under the cursor
    int32_t nKind = -1;
    int nLevel = 0;
    int32_t sKind = -1;
    int sLevel = 0;
    bool nIsS = false;
    bool nIsParentOfS = false;
    bool nIsInsideS = false; // N is a descendant of S
};

// The case of a drag over `target` (nullptr: no node there) with `focused` as S.
TDragCase DragCaseOf(TDragSource source, const QTreeWidgetItem* focused, const QTreeWidgetItem* target);

bool DragAccepts(const TDragCase& drag);

enum class TDropMove {
    None,
    FirstChild,   // a theme into a combination, at its top
    BeforeTarget, // a combination before a combination, a theme before a theme
};

TDropMove DropMoveFor(int32_t sKind, int32_t nKind);

} // namespace library
