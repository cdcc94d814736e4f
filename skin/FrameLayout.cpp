#include "skin/FrameLayout.h"

#include <algorithm>
#include <optional>

TBorderKind BorderKindOf(const platform::WindowMeta& meta, bool messageBox)
{
    if (messageBox)
        return bkDialog;
    switch (meta.Border) {
    case platform::BorderStyle::None:
        return bkNone;
    case platform::BorderStyle::Sizeable:
    case platform::BorderStyle::SizeToolWin:
        return bkSizable;
    case platform::BorderStyle::Dialog:
        return bkDialog;
    default:
        return bkSingle;
    }
}

namespace {

int CellExtent(const QImage& image, bool stacked, int frames)
{
    if (image.isNull())
        return 0;
    return (stacked ? image.height() : image.width()) / std::max(frames, 1);
}

} // namespace

FrameMetrics ComputeFrameMetrics(const TDataSkinBorder& left, const TDataSkinBorder& top,
                                 const TDataSkinBorder& right, const TDataSkinBorder& bottom,
                                 TBorderKind kind)
{
    if (kind == bkNone)
        return {};
    return {CellExtent(left.Image, false, left.Frames), CellExtent(top.Image, true, top.Frames),
            CellExtent(right.Image, false, right.Frames), CellExtent(bottom.Image, true, bottom.Frames)};
}

namespace {

// The codes both Visibility and Visibility1 know; as Visibility, 6 and 8 also want a system menu.
std::optional<bool> StateRule(int code, const CaptionState& state, bool withSystemMenu)
{
    const bool systemMenu = !withSystemMenu || state.SystemMenu;
    switch (code) {
    case 0:
        return true;
    case 1:
        return state.Maximized;
    case 2:
        return !state.Maximized;
    case 3:
        return state.Active;
    case 4:
        return !state.Active;
    case 6:
        return state.MaximizeBox && systemMenu;
    case 7:
        return !state.MaximizeBox;
    case 8:
        return state.MinimizeBox && systemMenu;
    case 9:
        return !state.MinimizeBox;
    default:
        return std::nullopt;
    }
}

} // namespace

bool VisibilityHolds(int code, const CaptionState& state)
{
    if (const std::optional<bool> rule = StateRule(code, state, true))
        return *rule;
    if (code == 200)
        return state.Kind == bkDialog && !state.MessageBox;
    // 100 needs a maximised MDI child in this frame, and no window here has MDI children; 1000 to 2000
    // are asked by CaptionButtonShown, which knows the Action.
    return code == -1 || (code >= 201 && code <= 999);
}

bool Visibility1Holds(int code, bool visibilityResult, const CaptionState& state)
{
    if (const std::optional<bool> rule = StateRule(code, state, false))
        return *rule;
    return code == 100 && visibilityResult;
}

bool ActionAllows(int action, const CaptionState& state)
{
    switch (action) {
    case 0:
        return state.SystemMenu;
    case 1:
        return state.MaximizeBox;
    case 2:
        return state.MinimizeBox;
    case 3:
    case 11:
    case 12:
        return state.Kind != bkDialog;
    default:
        return true;
    }
}

bool CaptionButtonShown(const TDataSkinSysButton& button, const CaptionState& state)
{
    bool visibility = VisibilityHolds(button.Visibility, state);
    if (button.Visibility >= 1000 && button.Visibility <= 2000)
        visibility = state.AskWindow && state.AskWindow(button.Visibility, button.Action);
    return visibility && Visibility1Holds(button.Visibility1, visibility, state) &&
           ActionAllows(button.Action, state);
}

QRect CaptionButtonRect(const TDataSkinSysButton& button, QSize size, int windowWidth, const QRect& titleText)
{
    switch (button.Align) {
    case 0:
        return QRect(QPoint(button.Xcoord, button.Ycoord), size);
    case 1:
        return QRect(QPoint(windowWidth - button.Xcoord, button.Ycoord), size);
    case 2:
    case 8:
        return QRect(QPoint(titleText.left() - size.width() - button.Xcoord, button.Ycoord), size);
    case 3:
    case 9:
        return QRect(QPoint(titleText.left() + titleText.width() + button.Xcoord, button.Ycoord), size);
    default:
        return {};
    }
}

TitlePlacement PlaceTitle(const TDataSkinTitle& title, QSize textSize, int windowWidth, int captionHeight,
                          TBorderKind kind, bool rightToLeft, int alignOneLeft)
{
    // The title object's edge slots hold TextShift, TextShiftVert and TextRightClip.
    const int textShift = title.LeftWidth;
    const int textShiftVert = title.TopHeight;
    const int textRightClip = title.RightWidth;
    const int width = textSize.width() + title.TXTBackleft + title.TXTBackRight;
    int left = textShift;
    if (rightToLeft || title.TextAlignment == 2)
        left = windowWidth - textRightClip - width;
    else if (title.TextAlignment == 1)
        left = (windowWidth - width) / 2;
    // Dialogs show no icon: their title starts where the icon would have been.
    if (kind == bkDialog && title.TextAlignment == 0 && !rightToLeft)
        left -= 16;
    const int clip = kind == bkDialog && alignOneLeft > 5 ? alignOneLeft - 5 : windowWidth - textRightClip;
    const int right = std::min(left + width, clip);
    const int top = (captionHeight - textSize.height()) / 2 + textShiftVert / 2;
    TitlePlacement placement;
    placement.Back = QRect(left, 0, std::max(right - left, 0), captionHeight);
    placement.Text =
        QRect(left + title.TXTBackleft, top,
              std::max(right - title.TXTBackRight - left - title.TXTBackleft, 0), textSize.height());
    return placement;
}

HitResult HitTest(QPoint point, QSize window, const FrameMetrics& frame, bool sizable, bool maximized,
                  const std::vector<QRect>& buttons)
{
    const int x = point.x();
    const int y = point.y();
    const int w = window.width();
    const int h = window.height();
    const QRect client(frame.Left, frame.Caption, w - frame.Left - frame.Right,
                       h - frame.Caption - frame.Bottom);
    if (client.contains(point))
        return {HitPart::Client};
    const bool resizes = sizable && !maximized;
    const bool left = x < frame.Left;
    const bool right = x >= w - frame.Right;
    if (resizes && y < 3)
        return {left ? HitPart::TopLeft : right ? HitPart::TopRight : HitPart::Top};
    if (y < frame.Caption) {
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].contains(point))
                return {HitPart::Button, static_cast<int>(i)};
        if (!left && !right)
            return {maximized ? HitPart::Menu : HitPart::Caption};
    }
    if (!resizes)
        return {HitPart::Border};
    const bool bottom = y >= h - frame.Bottom;
    if (bottom)
        return {left ? HitPart::BottomLeft : right ? HitPart::BottomRight : HitPart::Bottom};
    return {left ? HitPart::Left : right ? HitPart::Right : HitPart::Border};
}
