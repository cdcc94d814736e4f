#include "library/CombiDragRules.h"

#include "library/CombiItem.h"
#include "library/TreeRoutines.h"

namespace library {

namespace {

int32_t KindOf(const QTreeWidgetItem* item)
{
    const TCombiItem* node = CombiItem(item);
    return node ? node->Data.Kind : -1;
}

int LevelOf(const QTreeWidgetItem* item)
{
    int level = 0;
    for (item = item->parent(); item; item = item->parent())
        ++level;
    return level;
}

} // namespace

TDragCase DragCaseOf(TDragSource source, const QTreeWidgetItem* focused, const QTreeWidgetItem* target)
{
    TDragCase drag;
    drag.source = source;
    if (target) {
        drag.hasTarget = true;
        drag.nKind = KindOf(target);
        drag.nLevel = LevelOf(target);
    }
    if (focused) {
        drag.sKind = KindOf(focused);
        drag.sLevel = LevelOf(focused);
    }
    if (focused && target) {
        drag.nIsS = focused == target;
        drag.nIsParentOfS = focused->parent() == target;
        drag.nIsInsideS = IsAncestorNode(focused, target) && !drag.nIsS;
    }
    return drag;
}

bool DragAccepts(const TDragCase& drag)
{
    if (!drag.hasTarget)
        return false;
    switch (drag.source) {
    case TDragSource::SearchList:
    case TDragSource::FolderPage:
        return drag.nKind == 1;
    case TDragSource::Tree:
        return drag.sKind != -1 && !drag.nIsS && !drag.nIsParentOfS && drag.sLevel != 0 && drag.nLevel != 0 &&
               !drag.nIsInsideS && !(drag.sKind == 1 && drag.nKind == 2);
    case TDragSource::Other:
        break;
    }
    return false;
}

TDropMove DropMoveFor(int32_t sKind, int32_t nKind)
{
    if (sKind == 2 && nKind == 1)
        return TDropMove::FirstChild;
    if ((sKind == 1 && nKind == 1) || (sKind == 2 && nKind == 2))
        return TDropMove::BeforeTarget;
    return TDropMove::None;
}

} // namespace library
