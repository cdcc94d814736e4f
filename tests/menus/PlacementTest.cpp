#include "menus/PMPlacement.h"

#include <gtest/gtest.h>

using platform::Rect;
using platform::TRect;

TEST(Placement, RootPopupsAndSubmenusStayOnTheirMonitor)
{
    const TRect monitor = Rect(0, 0, 1000, 800);
    const auto at = [](int x, int y) { return Rect(x, y, x, y); };
    struct Case {
        const char* name;
        TRect reference;
        int width, height;
        bool submenu;
        TPopupAlignment alignment;
        bool preferLeft;
        TRect expected;
        bool openedLeft;
    };
    const Case cases[] = {
        {"below right of the point", at(100, 100), 200, 300, false, paLeft, false, Rect(100, 100, 300, 400),
         false},
        {"near the right edge ends at X", at(900, 100), 200, 300, false, paLeft, false,
         Rect(700, 100, 900, 400), false},
        {"right alignment", at(500, 100), 200, 300, false, paRight, false, Rect(300, 100, 500, 400), false},
        {"right alignment at the left edge", at(50, 100), 200, 300, false, paRight, false,
         Rect(50, 100, 250, 400), false},
        {"centre alignment", at(500, 100), 200, 300, false, paCenter, false, Rect(400, 100, 600, 400), false},
        {"centre at the right edge", at(950, 100), 200, 300, false, paCenter, false,
         Rect(800, 100, 1000, 400), false},
        {"too tall below opens above", at(100, 700), 200, 300, false, paLeft, false, Rect(100, 400, 300, 700),
         false},
        // No room either way: pushed to the bottom, then beside the point it would cover.
        {"no room above or below", at(100, 500), 200, 700, false, paCenter, false, Rect(100, 100, 300, 800),
         false},
        {"submenu to the right", Rect(100, 100, 300, 120), 200, 300, true, paLeft, false,
         Rect(297, 97, 497, 397), false},
        {"submenu without room on the right", Rect(700, 100, 900, 120), 200, 300, true, paLeft, false,
         Rect(503, 97, 703, 397), true},
        {"leftward parent keeps left", Rect(300, 100, 500, 120), 200, 300, true, paLeft, true,
         Rect(103, 97, 303, 397), true},
        {"leftward parent, no room left", Rect(50, 100, 250, 120), 200, 300, true, paLeft, true,
         Rect(247, 97, 447, 397), false},
        {"submenu too tall below opens above the entry", Rect(100, 700, 300, 720), 200, 300, true, paLeft,
         false, Rect(297, 423, 497, 723), false},
        {"never left of the monitor", Rect(-50, 100, 150, 120), 1100, 300, true, paLeft, false,
         Rect(0, 97, 1100, 397), true},
    };
    for (const Case& c : cases) {
        const TPMPlacement placement =
            PlacePopup(c.reference, monitor, c.width, c.height, c.submenu, c.alignment, c.preferLeft);
        EXPECT_EQ(placement.bounds, c.expected) << c.name;
        EXPECT_EQ(placement.openedLeft, c.openedLeft) << c.name;
    }
    // The second monitor's rectangle holds on its own coordinates.
    EXPECT_EQ(PlacePopup(at(1900, 50), Rect(1000, 0, 2000, 800), 200, 300, false, paLeft, false).bounds,
              Rect(1700, 50, 1900, 350));
}

TEST(Placement, AnimationDirections)
{
    const TRect monitor = Rect(0, 0, 1000, 800);
    struct Case {
        TRect reference;
        bool submenu;
        int expected;
    };
    const Case cases[] = {
        {Rect(100, 100, 100, 100), false, adDown | adRight},
        {Rect(900, 100, 900, 100), false, adDown | adLeft},
        {Rect(100, 700, 100, 700), false, adUp | adRight},
        {Rect(900, 700, 900, 700), false, adUp | adLeft},
        {Rect(100, 100, 300, 120), true, adRight},
        {Rect(700, 100, 900, 120), true, adLeft},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacePopup(c.reference, monitor, 200, 300, c.submenu, paLeft, false).direction, c.expected)
            << c.reference.Left << "," << c.reference.Top;
}
