// The frame's geometry rules by table: caption-button visibility and places, the title's place, and the
// hit test of a point.
#include "skin/FrameLayout.h"

#include <gtest/gtest.h>

namespace {

TDataSkinSysButton Button(int action, int align, int x, int y, int visibility = 0, int visibility1 = 0)
{
    TDataSkinSysButton button;
    button.Action = action;
    button.Align = align;
    button.Xcoord = x;
    button.Ycoord = y;
    button.Visibility = visibility;
    button.Visibility1 = visibility1;
    return button;
}

} // namespace

TEST(FrameLayout, BorderKindsFollowTheWindowsBorderStyle)
{
    using platform::BorderStyle;
    EXPECT_EQ(BorderKindOf({BorderStyle::Sizeable}, false), bkSizable);
    EXPECT_EQ(BorderKindOf({BorderStyle::SizeToolWin}, false), bkSizable);
    EXPECT_EQ(BorderKindOf({BorderStyle::Single}, false), bkSingle);
    EXPECT_EQ(BorderKindOf({BorderStyle::ToolWindow}, false), bkSingle);
    EXPECT_EQ(BorderKindOf({BorderStyle::Dialog}, false), bkDialog);
    EXPECT_EQ(BorderKindOf({BorderStyle::None}, false), bkNone);
    EXPECT_EQ(BorderKindOf({BorderStyle::Sizeable}, true), bkDialog); // message boxes
}

TEST(FrameLayout, FrameWidthsComeFromOneCellOfEachBorder)
{
    TDataSkinBorder left, top, right, bottom;
    left.Image = QImage(12, 40, QImage::Format_RGB32);
    left.Frames = 2;
    top.Image = QImage(60, 48, QImage::Format_RGB32); // two stacked cells
    top.Frames = 2;
    right.Image = QImage(5, 40, QImage::Format_RGB32);
    bottom.Image = QImage(40, 12, QImage::Format_RGB32);
    bottom.Frames = 3;
    EXPECT_EQ(ComputeFrameMetrics(left, top, right, bottom, bkSizable), (FrameMetrics{6, 24, 5, 4}));
    EXPECT_EQ(ComputeFrameMetrics(left, top, right, bottom, bkNone), FrameMetrics{});
    top.Image = QImage();
    EXPECT_EQ(ComputeFrameMetrics(left, top, right, bottom, bkDialog).Caption, 0);
}

TEST(FrameLayout, CaptionButtonVisibilityTable)
{
    struct Case {
        int visibility;
        int visibility1;
        int action;
        bool maximized;
        bool active;
        bool maxBox;
        bool minBox;
        TBorderKind kind;
        bool messageBox;
        bool shown;
    };
    const Case cases[] = {
        {0, 0, 0, false, true, true, true, bkSizable, false, true},
        {1, 1, 22, false, true, true, true, bkSizable, false, false}, // only while maximised
        {1, 1, 22, true, true, true, true, bkSizable, false, true},
        {2, 2, 22, true, true, true, true, bkSizable, false, false},
        {3, 3, 50, false, false, true, true, bkSizable, false, false}, // only while active
        {4, 4, 50, false, false, true, true, bkSizable, false, true},
        {6, 6, 50, false, true, false, true, bkSizable, false, false}, // needs a maximise box
        {7, 7, 50, false, true, false, true, bkSizable, false, true},
        {8, 8, 50, false, true, true, false, bkSizable, false, false}, // needs a minimise box
        {9, 9, 50, false, true, true, false, bkSizable, false, true},
        {200, 0, 50, false, true, true, true, bkDialog, false, true},
        {200, 0, 50, false, true, true, true, bkDialog, true, false},    // not on message boxes
        {200, 200, 50, false, true, true, true, bkDialog, false, false}, // Visibility1 200 never holds
        {500, 0, 50, false, true, true, true, bkSizable, false, true},
        {-1, -1, 50, false, true, true, true, bkSizable, false, false}, // Visibility1 -1 never holds
        {5, 0, 50, false, true, true, true, bkSizable, false, false},   // an undefined code
        {100, 100, 7, true, true, true, true, bkSizable, false, false}, // MDI only
        {0, 0, 1, false, true, false, true, bkSizable, false, false},   // maximise needs its box
        {0, 0, 2, false, true, true, false, bkSizable, false, false},   // minimise needs its box
        {0, 0, 3, false, true, true, true, bkDialog, false, false},     // no window menu on dialogs
    };
    for (const Case& c : cases) {
        CaptionState state;
        state.Kind = c.kind;
        state.MessageBox = c.messageBox;
        state.Maximized = c.maximized;
        state.Active = c.active;
        state.MaximizeBox = c.maxBox;
        state.MinimizeBox = c.minBox;
        EXPECT_EQ(CaptionButtonShown(Button(c.action, 1, 0, 0, c.visibility, c.visibility1), state), c.shown)
            << "Visibility " << c.visibility << "/" << c.visibility1 << " action " << c.action;
    }
}

TEST(FrameLayout, CodesFrom1000AskTheWindowWithVisibilityAndAction)
{
    CaptionState state;
    int askedVisibility = 0;
    int askedAction = 0;
    state.AskWindow = [&](int visibility, int action) {
        askedVisibility = visibility;
        askedAction = action;
        return true;
    };
    EXPECT_TRUE(CaptionButtonShown(Button(40, 1, 0, 0, 1500, 0), state));
    EXPECT_EQ(askedVisibility, 1500);
    EXPECT_EQ(askedAction, 40);
    EXPECT_FALSE(CaptionButtonShown(Button(40, 1, 0, 0, 1500, 1500), state)); // never as Visibility1
    state.AskWindow = [](int, int) { return false; };
    EXPECT_FALSE(CaptionButtonShown(Button(40, 1, 0, 0, 1500, 0), state));
}

TEST(FrameLayout, CaptionButtonPlacesByAlign)
{
    const QSize size(16, 14);
    const QRect title(30, 4, 100, 16); // text from 30 to 129
    struct Case {
        int align;
        QRect place;
    };
    const Case cases[] = {
        {0, QRect(7, 5, 16, 14)},       // at (X, Y)
        {1, QRect(300 - 7, 5, 16, 14)}, // X from the right edge
        {2, QRect(30 - 16 - 7, 5, 16, 14)},
        {8, QRect(30 - 16 - 7, 5, 16, 14)},
        {3, QRect(130 + 7, 5, 16, 14)},
        {9, QRect(130 + 7, 5, 16, 14)},
        {100, QRect()}, // the menu bar's, not built
        {4, QRect()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionButtonRect(Button(0, c.align, 7, 5), size, 300, title), c.place)
            << "Align " << c.align;
}

TEST(FrameLayout, TitlePlacementByAlignment)
{
    TDataSkinTitle title;
    title.LeftWidth = 24;  // TextShift
    title.TopHeight = 3;   // TextShiftVert: moved down by 1
    title.RightWidth = 70; // TextRightClip
    title.TXTBackleft = 4;
    title.TXTBackRight = 6;
    const QSize text(100, 14); // 110 wide with the caps
    struct Case {
        int alignment;
        TBorderKind kind;
        bool rightToLeft;
        int left;
    };
    const Case cases[] = {
        {0, bkSizable, false, 24},
        {1, bkSizable, false, (400 - 110) / 2},
        {2, bkSizable, false, 400 - 70 - 110},
        {0, bkDialog, false, 24 - 16}, // dialogs show no icon
        {1, bkDialog, false, (400 - 110) / 2},
        {0, bkSizable, true, 400 - 70 - 110},
    };
    for (const Case& c : cases) {
        title.TextAlignment = c.alignment;
        const TitlePlacement placed = PlaceTitle(title, text, 400, 24, c.kind, c.rightToLeft, 0);
        EXPECT_EQ(placed.Back, QRect(c.left, 0, 110, 24)) << "alignment " << c.alignment;
        EXPECT_EQ(placed.Text, QRect(c.left + 4, (24 - 14) / 2 + 1, 100, 14)) << "alignment " << c.alignment;
    }
}

TEST(FrameLayout, TitleClipsAtTheRightClipOrBeforeTheButtonsOfADialog)
{
    TDataSkinTitle title;
    title.LeftWidth = 24;
    title.RightWidth = 70;
    const QSize text(500, 14);
    EXPECT_EQ(PlaceTitle(title, text, 400, 24, bkSizable, false, 0).Back.right() + 1, 400 - 70);
    EXPECT_EQ(PlaceTitle(title, text, 400, 24, bkDialog, false, 350).Back.right() + 1, 345);
    EXPECT_EQ(PlaceTitle(title, text, 400, 24, bkDialog, false, 5).Back.right() + 1, 400 - 70);
}

TEST(FrameLayout, HitTestTable)
{
    const FrameMetrics frame{6, 24, 6, 6};
    const QSize window(200, 150);
    const std::vector<QRect> buttons{QRect(178, 5, 16, 16), QRect()};
    struct Case {
        QPoint point;
        bool sizable;
        bool maximized;
        HitResult hit;
    };
    const Case cases[] = {
        {{100, 80}, true, false, {HitPart::Client}},
        {{100, 1}, true, false, {HitPart::Top}},
        {{2, 1}, true, false, {HitPart::TopLeft}},
        {{198, 2}, true, false, {HitPart::TopRight}},
        {{100, 10}, true, false, {HitPart::Caption}},
        {{180, 10}, true, false, {HitPart::Button, 0}},
        {{2, 80}, true, false, {HitPart::Left}},
        {{197, 80}, true, false, {HitPart::Right}},
        {{100, 147}, true, false, {HitPart::Bottom}},
        {{2, 147}, true, false, {HitPart::BottomLeft}},
        {{198, 148}, true, false, {HitPart::BottomRight}},
        // A fixed window resizes nowhere; its top rows are caption.
        {{100, 1}, false, false, {HitPart::Caption}},
        {{2, 80}, false, false, {HitPart::Border}},
        {{100, 147}, false, false, {HitPart::Border}},
        {{180, 10}, false, false, {HitPart::Button, 0}},
        // Maximised: no resizing, and the caption does not move the window.
        {{100, 1}, true, true, {HitPart::Menu}},
        {{100, 10}, true, true, {HitPart::Menu}},
        {{2, 80}, true, true, {HitPart::Border}},
        {{180, 10}, true, true, {HitPart::Button, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTest(c.point, window, frame, c.sizable, c.maximized, buttons), c.hit)
            << c.point.x() << "," << c.point.y() << " sizable " << c.sizable << " maximised " << c.maximized;
}
