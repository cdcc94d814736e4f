#pragma once
// The small value types of the item tree: options, display modes, kind flags and change notices.
#include <QFlags>
#include <QtGlobal>

class TPMCustomItem;

enum TPMItemOption : quint16 {
    tboDefault = 0x0001, // drawn bold; a double-click on the parent entry runs it
    tboDropdownArrow = 0x0002,
    tboImageAboveCaption = 0x0004,
    tboLongHintInMenuOnly = 0x0008,
    tboNoAutoHint = 0x0010, // no hint made from the caption
    tboNoRotation = 0x0020,
    tboSameWidth = 0x0040,
    tboShowHint = 0x0080, // hint shown in menus
    tboToolbarStyle = 0x0100,
    tboToolbarSize = 0x0200,
};
Q_DECLARE_FLAGS(TPMItemOptions, TPMItemOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPMItemOptions)

// Toolbar size only counts together with toolbar style.
inline TPMItemOptions NormalizedOptions(TPMItemOptions options)
{
    if (!options.testFlag(tboToolbarStyle))
        options.setFlag(tboToolbarSize, false);
    return options;
}

// The options whose change alters an entry's size.
constexpr TPMItemOptions LayoutOptions =
    TPMItemOptions(tboDefault | tboDropdownArrow | tboImageAboveCaption | tboNoRotation | tboSameWidth |
                   tboToolbarStyle | tboToolbarSize);

enum TPMItemDisplayMode { nbdmDefault, nbdmTextOnly, nbdmTextOnlyInMenus, nbdmImageAndText };

// Kind flags of an item (16 bits). Bits 6, 8 and 9 serve toolbars only.
using TPMKindFlags = quint16;
constexpr TPMKindFlags ikfHasSubmenu = 0x0001;
constexpr TPMKindFlags ikfSelectable = 0x0002;
constexpr TPMKindFlags ikfSeparator = 0x0004;
constexpr TPMKindFlags ikfInline = 0x0008;  // subitems shown in the parent's menu, not in a submenu
constexpr TPMKindFlags ikfNoClick = 0x0010; // a mouse-up on it does not click
constexpr TPMKindFlags ikfCombo = 0x0020;   // the left part clicks, the right part opens the submenu
constexpr TPMKindFlags ikfSubmenuItem = 0x0080;
constexpr TPMKindFlags ikfNotFirst = 0x0400; // never chosen as the first selected entry
constexpr TPMKindFlags ikfRepaintOnSelect = 0x0800;
constexpr TPMKindFlags ikfRepaintOnMouseOver = 0x1000;

enum class TPMNoticeKind {
    Inserted,
    Deleting,
    SubitemsReplaced,
    BeginUpdate,
    EndUpdate,
    Repaint,
    RepaintRelayout,
    RebuildViewers,
    NameChanged,
    SubmenuImagesChanged,
};

struct TPMItemNotice {
    TPMNoticeKind kind;
    TPMCustomItem* item;  // the item it concerns
    bool relayed = false; // the concerned item is not the one whose receivers get it
    int index = 0;
    bool flag = false;
};

// A change handler: identified by the pair (procedure, object), as a bound method would be.
using TPMNotifyProc = void (*)(void* object, const TPMItemNotice& notice);

// Where the popup point lies on the menu's top edge.
enum TPopupAlignment { paLeft, paRight, paCenter };
