#pragma once
// The skin component's sets: which kinds of windows and controls are skinned, its behaviour switches
// and which windows it skins. The members keep their original order (the sets were stored as bits).
#include <QFlags>

enum TSkinControlType {
    xcMainMenu = 1 << 0,
    xcPopupMenu = 1 << 1,
    xcMenuItem = 1 << 2,
    xcToolbar = 1 << 3,
    xcControlbar = 1 << 4,
    xcCombo = 1 << 5,
    xcCheckBox = 1 << 6,
    xcRadioButton = 1 << 7,
    xcProgress = 1 << 8,
    xcScrollbar = 1 << 9,
    xcEdit = 1 << 10,
    xcButton = 1 << 11,
    xcBitBtn = 1 << 12,
    xcSpeedButton = 1 << 13,
    xcSpin = 1 << 14,
    xcPanel = 1 << 15,
    xcGroupBox = 1 << 16,
    xcStatusBar = 1 << 17,
    xcTab = 1 << 18,
    xcTrackBar = 1 << 19,
    xcSystemMenu = 1 << 20,
    xcReportWindows = 1 << 21,
};
Q_DECLARE_FLAGS(TSkinControlTypes, TSkinControlType)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSkinControlTypes)

enum TSkinOption {
    xoMDIScrollbar = 1 << 0,
    xoMenuMerge = 1 << 1,
    xoTransparent = 1 << 2,
    xoPreview = 1 << 3,
    xoParentBackGround = 1 << 4,
    xoNoFocusRect = 1 << 5,
    xoToolbarBK = 1 << 6,
    xoMDIChildBorder = 1 << 7,
};
Q_DECLARE_FLAGS(TSkinOptions, TSkinOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSkinOptions)

// Only sfMainform has code: the others are kept so stored values keep their meaning.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// The manager's actions, posted by the component and run from its timer.
enum TSkinAction { saNone = 0, saActivate = 1, saDeactivate = 2, saSkinChanged = 3, saPurge = 6 };
