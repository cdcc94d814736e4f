#include "library/CombiPopupRules.h"

namespace library {

TCombiPopupItems PopupItems(const TCombiPopupItems& previous, const TCombiPopupCase& popup)
{
    TCombiPopupItems items = previous;
    const bool station = popup.runMode == 0;
    const bool one = popup.selectedCount == 1;
    items.Unselect = popup.heldKind != -1;
    // Pre-listening needs the station's player.
    items.CUE = station;
    switch (popup.focusedKind) {
    case -1:
    case 0:
        items.Combinations = items.New = true;
        items.CombinationsDelete = items.CombinationsEmit = items.Random = false;
        items.Themes = false;
        items.Copy = items.Cut = false;
        items.Paste = popup.heldKind == 1;
        break;
    case 1:
        items.Combinations = items.New = items.CombinationsDelete = items.Random = true;
        items.CombinationsEmit = station;
        items.Themes = one;
        items.AddTheme = items.AddDirectory = true;
        items.ThemesDelete = items.ThemesEmit = items.Information = false;
        items.Copy = true;
        items.Cut = false;
        items.Paste = popup.heldKind == 2;
        break;
    case 2:
        items.Combinations = false;
        items.Themes = true;
        items.AddTheme = items.AddDirectory = false;
        items.ThemesDelete = true;
        items.ThemesEmit = station;
        items.Information = one;
        items.Copy = items.Cut = true;
        items.Paste = popup.heldKind == 2;
        break;
    default:
        break;
    }
    return items;
}

TCombiPopupItems VisibleItems(const TCombiPopupItems& items)
{
    TCombiPopupItems visible = items;
    if (!items.Combinations)
        visible.New = visible.CombinationsDelete = visible.CombinationsEmit = visible.Random = false;
    if (!items.Themes)
        visible.CUE = visible.AddTheme = visible.AddDirectory = visible.ThemesDelete = visible.ThemesEmit =
            visible.Information = false;
    return visible;
}

} // namespace library
