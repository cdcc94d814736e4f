#pragma once
// Which entries of the combinations window's popup menu show, by the focused node's kind, the run
// mode, the held nodes and the selection.
#include <cstdint>

namespace library {

struct TCombiPopupItems {
    bool Combinations = true; // submenu
    bool New = true;
    bool CombinationsDelete = true;
    bool CombinationsEmit = true;
    bool Random = true;
    bool Themes = true; // submenu
    bool CUE = true;
    bool AddTheme = true;
    bool AddDirectory = true;
    bool ThemesDelete = true;
    bool ThemesEmit = true;
    bool Information = true;
    bool Cut = false;
    bool Paste = false;
    bool Copy = false;
    bool Unselect = false;

    bool operator==(const TCombiPopupItems&) const = default;
};

struct TCombiPopupCase {
    int32_t focusedKind = -1; // -1: no node focused, or one without a record
    int runMode = 0;
    int32_t heldKind = -1; // kind of the held nodes; -1 when none are held
    int selectedCount = 0;
};

// The items after the menu opens. Entries the focused kind leaves alone keep their state from
// `previous`; they sit in a submenu hidden at the time, so only what the user sees depends on them.
TCombiPopupItems PopupItems(const TCombiPopupItems& previous, const TCombiPopupCase& popup);

// What the user can see: an entry inside a hidden submenu counts as hidden.
TCombiPopupItems VisibleItems(const TCombiPopupItems& items);

} // namespace library
