// The window skinner's frame: the caption's layout, the painting of borders, caption, title and
// caption buttons, and the window's shape.
#include "platform/Messages.h"
#include "platform_gui/Color.h"
#include "skin/SkinData.h"
#include "skin/WindowSkinner.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinRegion.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <optional>

namespace {

std::optional<QFont>& PinnedCaptionFont()
{
    static std::optional<QFont> font;
    return font;
}

// The title as the caption shows it: two spaces before, one after.
QString CaptionText(const QString& title)
{
    return QStringLiteral("  ") + title + QStringLiteral(" ");
}

bool IsIconAction(int action)
{
    return action == 3 || action == 11;
}

constexpr QSize IconSize(16, 16);

} // namespace

void TWndSkinForm::SetCaptionFont(const QFont& font)
{
    PinnedCaptionFont() = font;
}

QFont TWndSkinForm::CaptionFont()
{
    return PinnedCaptionFont().value_or(QFontDatabase::systemFont(QFontDatabase::TitleFont));
}

QSize TWndSkinForm::TitleSize() const
{
    const QFontMetrics metrics(CaptionFont());
    return {metrics.horizontalAdvance(CaptionText(window_->windowTitle())), metrics.height()};
}

CaptionState TWndSkinForm::CaptionRules() const
{
    CaptionState state;
    state.Kind = kind_;
    state.MessageBox = messageBox_;
    state.Maximized = window_->isMaximized();
    state.Active = active_;
    state.SystemMenu = meta_.SystemMenu;
    state.MinimizeBox = meta_.MinimizeBox;
    state.MaximizeBox = meta_.MaximizeBox;
    QPointer<QWidget> window = window_;
    state.AskWindow = [window](int visibility, int action) {
        return window && platform::SendMessage(window, platform::WM_SKINBUTTONVISIBLE,
                                               static_cast<platform::WParam>(visibility), action) > 0;
    };
    return state;
}

QImage TWndSkinForm::IconImage() const
{
    const QIcon icon = window_->windowIcon();
    if (!icon.isNull())
        return icon.pixmap(IconSize).toImage();
    return data_->AppIcon();
}

void TWndSkinForm::LayOutCaption()
{
    if (!attached_ || !data_)
        return;
    const TSkinDescription& skin = data_->Description();
    const int width = window_->width();
    const CaptionState state = CaptionRules();
    std::vector<CaptionButton> laid;
    int alignOneLeft = 0;
    for (const TDataSkinSysButton& button : skin.SysButtons) {
        CaptionButton placed;
        placed.Skin = &button;
        const bool icon = IsIconAction(button.Action);
        const bool hasImage = icon ? !IconImage().isNull() : !button.Image.isNull();
        placed.Shown = hasImage && CaptionButtonShown(button, state);
        if (placed.Shown && button.Align == 1)
            alignOneLeft = std::max(alignOneLeft, width - button.Xcoord);
        laid.push_back(placed);
    }
    title_ = PlaceTitle(skin.Title, TitleSize(), width, frame_.Caption, kind_,
                        window_->layoutDirection() == Qt::RightToLeft, alignOneLeft);
    for (CaptionButton& placed : laid) {
        if (!placed.Shown)
            continue;
        const TDataSkinSysButton& button = *placed.Skin;
        const QSize size =
            IsIconAction(button.Action)
                ? IconSize
                : QSize(button.Image.width() / std::max(button.Frames, 1), button.Image.height());
        placed.Rect = CaptionButtonRect(button, size, width, title_.Text);
        placed.Shown = !placed.Rect.isEmpty();
    }
    // Keep the hot and pressed states of buttons that are still there.
    for (std::size_t i = 0; i < laid.size() && i < buttons_.size(); ++i)
        if (laid[i].Skin == buttons_[i].Skin)
            laid[i].State = buttons_[i].State;
    buttons_ = std::move(laid);
    if (hot_ >= static_cast<int>(buttons_.size()) || (hot_ >= 0 && !buttons_[hot_].Shown))
        hot_ = -1;
}

std::vector<QRect> TWndSkinForm::HitButtons() const
{
    std::vector<QRect> rects;
    for (const CaptionButton& button : buttons_)
        rects.push_back(button.Shown && button.Skin->Action >= 0 ? button.Rect : QRect());
    return rects;
}

HitResult TWndSkinForm::HitAt(QPoint windowPoint) const
{
    return HitTest(windowPoint, window_->size(), frame_, kind_ == bkSizable, window_->isMaximized(),
                   HitButtons());
}

void TWndSkinForm::PaintBorder(QPainter& painter, const TDataSkinBorder& border, const QRect& rect,
                               bool stacked)
{
    if (border.Image.isNull() || rect.isEmpty())
        return;
    const int cell = active_ || border.Frames <= 1 ? 1 : 2;
    // Borders are copied opaque; Trans only shapes the window. For borders Tile holds Stretch.
    painter.drawImage(rect.topLeft(), SkinFrameBitmap(rect.size(), border.Image, border.Edges(), stacked,
                                                      border.Tile != 1, border.Frames, cell));
}

void TWndSkinForm::PaintFrame(QPainter& painter)
{
    if ((skinnerState_ != 1 && skinnerState_ != 3) || kind_ == bkNone || !data_)
        return;
    const TSkinDescription& skin = data_->Description();
    const int w = window_->width();
    const int h = window_->height();
    PaintBorder(painter, skin.Left, QRect(0, 0, frame_.Left, h), false);
    PaintBorder(painter, skin.Right, QRect(w - frame_.Right, 0, frame_.Right, h), false);
    PaintBorder(painter, skin.Bottom,
                QRect(frame_.Left, h - frame_.Bottom, w - frame_.Left - frame_.Right, frame_.Bottom), true);
    PaintCaption(painter);
}

void TWndSkinForm::PaintCaption(QPainter& painter)
{
    const TSkinDescription& skin = data_->Description();
    const int w = window_->width();
    PaintBorder(painter, skin.Top, QRect(frame_.Left, 0, w - frame_.Left - frame_.Right, frame_.Caption),
                true);
    const TDataSkinTitle& title = skin.Title;
    if (!title.Image.isNull() && !title_.Back.isEmpty())
        DrawSkinStrip(painter, title_.Back, title.Image, false, true, 2, active_ ? 1 : 2,
                      QMargins(title.TXTBackleft, 0, title.TXTBackRight, 0));
    const QFont font = CaptionFont();
    painter.setFont(font);
    painter.setPen(
        platform::ToQColor(active_ ? skin.Colours.TitleTextActive : skin.Colours.TitleTextNoActive));
    const QString text = QFontMetrics(font).elidedText(CaptionText(window_->windowTitle()), Qt::ElideRight,
                                                       title_.Text.width());
    const bool rightToLeft = window_->layoutDirection() == Qt::RightToLeft;
    painter.drawText(title_.Text,
                     Qt::TextSingleLine | Qt::AlignVCenter | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft),
                     text);
    for (const CaptionButton& button : buttons_) {
        if (!button.Shown)
            continue;
        const TDataSkinSysButton& skinButton = *button.Skin;
        if (IsIconAction(skinButton.Action)) {
            painter.drawImage(button.Rect, IconImage());
            continue;
        }
        int cell = button.State;
        if (cell == 1 && !active_ && skinButton.Frames >= 4)
            cell = 4;
        else if (cell == 3 && skinButton.Visibility == 100)
            cell = 4;
        DrawSkinCell(painter, button.Rect, skinButton.Image, true, skinButton.Frames, cell);
    }
}

void TWndSkinForm::UpdateRegion()
{
    if (!attached_ || !FramesSkinned() || window_->size().isEmpty())
        return;
    const TSkinDescription& skin = data_->Description();
    const bool anyTrans =
        skin.Left.Trans == 1 || skin.Right.Trans == 1 || skin.Top.Trans == 1 || skin.Bottom.Trans == 1;
    if (!anyTrans || kind_ == bkNone) {
        if (!region_.isEmpty())
            window_->clearMask();
        region_ = {};
        regionSize_ = {};
        return;
    }
    const QSize size = window_->size();
    if (size == regionSize_ && skinnerState_ != 3)
        return;
    const int w = size.width();
    const int h = size.height();
    QRegion region(QRect(0, 0, w, h).marginsRemoved(frame_.Margins()));
    const auto add = [&](const TDataSkinBorder& border, const QRect& rect, bool stacked, bool shaped) {
        if (rect.isEmpty())
            return;
        if (!shaped || border.Image.isNull()) {
            region += rect;
            return;
        }
        const QImage strip = SkinFrameBitmap(rect.size(), border.Image, border.Edges(), stacked,
                                             border.Tile != 1, border.Frames, 1);
        region += RegionFromBitmap(strip, rect.left(), rect.top(), 1, 1, 1, SkinKeyColor);
    };
    add(skin.Left, QRect(0, 0, frame_.Left, h), false, skin.Left.Trans == 1 && h > 1);
    add(skin.Right, QRect(w - frame_.Right, 0, frame_.Right, h), false, skin.Right.Trans == 1 && h > 1);
    add(skin.Top, QRect(frame_.Left, 0, w - frame_.Left - frame_.Right, frame_.Caption), true,
        skin.Top.Trans == 1 && frame_.Caption > 1);
    add(skin.Bottom, QRect(frame_.Left, h - frame_.Bottom, w - frame_.Left - frame_.Right, frame_.Bottom),
        true, skin.Bottom.Trans == 1 && frame_.Bottom >= 2);
    region_ = region;
    regionSize_ = size;
    window_->setMask(region_);
}
