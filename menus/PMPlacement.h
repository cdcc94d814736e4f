#pragma once
// Where a popup goes: beside its parent entry or at the popup point, kept on its monitor.
#include "menus/PMTypes.h"
#include "platform_gui/Geometry.h"

// Animation directions (bits): slide leftwards, rightwards, downwards, upwards.
constexpr int adLeft = 1;
constexpr int adRight = 2;
constexpr int adDown = 4;
constexpr int adUp = 8;

struct TPMPlacement {
    platform::TRect bounds;
    int direction = 0;
    bool openedLeft = false;
};

// reference: the parent entry in screen coordinates, or an empty rectangle at the popup point;
// monitor: the monitor's full rectangle; preferLeft: the parent menu opened leftwards.
TPMPlacement PlacePopup(const platform::TRect& reference, const platform::TRect& monitor, int width,
                        int height, bool asSubmenu, TPopupAlignment alignment, bool preferLeft);
