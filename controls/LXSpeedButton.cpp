#include "controls/LXSpeedButton.h"

#include "controls/LXApplication.h"
#include "controls/LXButton.h"
#include "controls/LXDraw.h"
#include "controls/LXDrawText.h"
#include "controls/LXErrors.h"
#include "platform_gui/Application.h"

#include <QCursor>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

using platform::TRect;

namespace {

constexpr int HotCheckInterval = 100;

bool IsOneOf(TLXUserButtonStyle style, std::initializer_list<TLXUserButtonStyle> looks)
{
    return std::find(looks.begin(), looks.end(), style) != looks.end();
}

} // namespace

TLXBaseGraphicButton::TLXBaseGraphicButton(QWidget* parent) : TLXBaseControl(parent)
{
    resize(23, 22);
    glyph_.OnChange = [this] { update(); };
    layout_.OnChange = [this](TLXObject*) { update(); };
    fontFX_.OnChange = [this](TLXObject*) { update(); };
    platform::UseWindowKeys(this);
}

TLXBaseGraphicButton::~TLXBaseGraphicButton()
{
    StopHotCheck();
    StopRepeat();
    glyph_.OnChange = nullptr;
    layout_.OnChange = nullptr;
    fontFX_.OnChange = nullptr;
}

void TLXBaseGraphicButton::SetCaption(const QString& caption)
{
    SetAndRefresh(caption_, caption);
}

void TLXBaseGraphicButton::SetGlyph(const platform::TBitmap& glyph)
{
    Images().SetImageList(nullptr);
    glyph_.SetBitmap(&glyph);
    update();
}

void TLXBaseGraphicButton::SetNumGlyphs(int count)
{
    if (count != glyph_.NumGlyphs()) {
        glyph_.SetNumGlyphs(count);
        update();
    }
}

void TLXBaseGraphicButton::ImageListChanged()
{
    if (!Images().HasImage()) {
        glyph_.SetBitmap(nullptr);
    } else {
        platform::TBitmap image;
        Images().ImageList()->GetBitmap(Images().ListIndex(), Images().ImageIndex(), image);
        glyph_.SetBitmap(&image);
    }
    update();
}

void TLXBaseGraphicButton::SetGroupIndex(int group)
{
    if (group == groupIndex_)
        return;
    groupIndex_ = group;
    AnnounceToGroup();
}

void TLXBaseGraphicButton::SetAllowAllUp(bool allow)
{
    if (allow == allowAllUp_)
        return;
    allowAllUp_ = allow;
    AnnounceToGroup();
}

void TLXBaseGraphicButton::SetPressed(bool pressed)
{
    if (groupIndex_ == 0)
        pressed = false;
    if (pressed == pressed_ || (pressed_ && !allowAllUp_))
        return;
    pressed_ = pressed;
    state_ = pressed ? bsDown : bsNormal;
    update();
    if (pressed)
        AnnounceToGroup();
}

void TLXBaseGraphicButton::AnnounceToGroup()
{
    // The siblings themselves, not a QButtonGroup: all of them may be up, and AllowAllUp is shared.
    if (groupIndex_ == 0 || parentWidget() == nullptr)
        return;
    const auto siblings = parentWidget()->findChildren<TLXBaseGraphicButton*>(Qt::FindDirectChildrenOnly);
    for (TLXBaseGraphicButton* sibling : siblings)
        sibling->GroupAnnounced(groupIndex_, this);
}

void TLXBaseGraphicButton::GroupAnnounced(int group, TLXBaseGraphicButton* sender)
{
    if (group != groupIndex_)
        return;
    if (sender != this && sender->pressed_ && pressed_) {
        pressed_ = false;
        state_ = state_ == bsHot && HotLook() ? bsHot : bsNormal;
        update();
    }
    allowAllUp_ = sender->allowAllUp_;
}

void TLXBaseGraphicButton::SetDropDownMenu(QMenu* menu)
{
    if (menu == dropDownMenu_)
        return;
    dropDownMenu_ = menu;
    if (dropDownCombo_)
        update();
}

void TLXBaseGraphicButton::SetDropDownCombo(bool combo)
{
    if (combo == dropDownCombo_)
        return;
    dropDownCombo_ = combo;
    resize(width() + (combo ? dropDownComboWidth_ : -dropDownComboWidth_), height());
    update();
}

void TLXBaseGraphicButton::SetDropDownComboWidth(int width)
{
    if (width == dropDownComboWidth_)
        return;
    if (dropDownCombo_)
        resize(this->width() + width - dropDownComboWidth_, height());
    dropDownComboWidth_ = width;
    update();
}

void TLXBaseGraphicButton::SetState(int state)
{
    if (state == state_)
        return;
    auto between = [this, state](int a, int b) {
        return (state == a && state_ == b) || (state == b && state_ == a);
    };
    const bool noHotLook = !glyph_.Uncoloured() && !FlatLook() && glyph_.NumGlyphs() <= 2 &&
                           !(hotTracking_ && enterColorChange_) && !NeedsHotRepaint();
    const bool repaint =
        !(noHotLook && between(bsHot, bsNormal)) && !(glyph_.NumGlyphs() < 3 && between(bsHot, bsDown));
    previousState_ = state == bsHot && state_ != bsDown ? bsNormal : state_;
    state_ = state;
    if (repaint && isVisible())
        update();
    if (!hotTracking_)
        return;
    if (state != bsHot)
        StopHotCheck();
    else if (!pressed_)
        StartHotCheck();
}

uint16_t TLXBaseGraphicButton::AddTimer(int interval, std::function<void()> handler)
{
    // A refused timer is shown here and the button goes on without it: no exception may leave an
    // event handler.
    try {
        const uint16_t ident = LXApplication().AddTimer(interval, [handler](QObject*) { handler(); });
        if (ident == 0)
            throw EOutOfResources(QStringLiteral("Not enough timers available"));
        return ident;
    } catch (const std::exception& error) {
        platform::Application::ShowException(QString::fromUtf8(error.what()));
        return 0;
    }
}

void TLXBaseGraphicButton::StartHotCheck()
{
    if (hotTimer_ == 0)
        hotTimer_ = AddTimer(HotCheckInterval, [this] { HotCheck(); });
}

void TLXBaseGraphicButton::StopHotCheck()
{
    if (hotTimer_ == 0)
        return;
    const uint16_t ident = hotTimer_;
    hotTimer_ = 0;
    LXApplication().RemoveTimer(ident);
}

void TLXBaseGraphicButton::HotCheck()
{
    // The platform may never say the pointer left; this removes its own item while it fires.
    if (isEnabled() && !pressed_ && !rect().contains(mapFromGlobal(QCursor::pos())))
        SetState(bsNormal);
}

void TLXBaseGraphicButton::StartRepeat()
{
    if (repeatTimer_ != 0)
        return;
    repeatTimer_ = AddTimer(repeatingDelay_, [this] {
        if (state_ != bsPressed)
            return;
        if (TLXTimerItem* item = LXApplication().TimerItem(repeatTimer_))
            item->SetInterval(repeatingInterval_);
        Click();
    });
}

void TLXBaseGraphicButton::StopRepeat()
{
    if (repeatTimer_ == 0)
        return;
    const uint16_t ident = repeatTimer_;
    repeatTimer_ = 0;
    LXApplication().RemoveTimer(ident);
}

bool TLXBaseGraphicButton::Inside(QPoint point) const
{
    return point.x() >= 0 && point.x() <= width() && point.y() >= 0 && point.y() <= height();
}

void TLXBaseGraphicButton::MouseEnter()
{
    TLXBaseControl::MouseEnter();
    if (state_ == bsNormal && hotTracking_ && isEnabled())
        SetState(bsHot);
}

void TLXBaseGraphicButton::MouseExit()
{
    TLXBaseControl::MouseExit();
    if (state_ == bsHot)
        SetState(previousState_);
    if (hideHint_)
        QToolTip::hideText();
}

void TLXBaseGraphicButton::changeEvent(QEvent* event)
{
    TLXBaseControl::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        state_ = isEnabled() ? (pressed_ ? bsDown : bsNormal) : (pressed_ ? bsDisabledDown : bsDisabled);
        update();
        break;
    case QEvent::ParentChange:
        platform::UseWindowKeys(this);
        break;
    default:
        break;
    }
}

void TLXBaseGraphicButton::mousePressEvent(QMouseEvent* event)
{
    TLXBaseControl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (dropDownMenu_ != nullptr) {
        if (state_ == bsDropped) {
            SetState(bsHot);
            return;
        }
        if (!dropDownCombo_ || event->position().x() >= width() - dropDownComboWidth_) {
            DropDown();
            return;
        }
    }
    captured_ = true;
    if (previousState_ == bsDown && state_ == bsHot && groupIndex_ != 0) {
        SetState(bsDown);
    } else if (!pressed_) {
        SetState(bsPressed);
        if (repeatedClick_) {
            Click();
            StartRepeat();
        }
    }
}

void TLXBaseGraphicButton::mouseMoveEvent(QMouseEvent* event)
{
    TLXBaseControl::mouseMoveEvent(event);
    if (state_ == bsDropped || !isEnabled())
        return;
    const bool inside = Inside(event->position().toPoint());
    if (captured_ && (groupIndex_ == 0 || inside || state_ == bsPressed))
        SetState(!inside ? bsNormal : (pressed_ ? bsDown : bsPressed));
    if (inside && state_ == bsNormal && hotTracking_) {
        emit OnMouseEnter();
        SetState(bsHot);
    }
}

void TLXBaseGraphicButton::mouseReleaseEvent(QMouseEvent* event)
{
    TLXBaseControl::mouseReleaseEvent(event);
    if (!captured_ || state_ == bsDropped)
        return;
    captured_ = false;
    StopRepeat();
    const QPoint at = event->position().toPoint();
    // Right and bottom edges differ: x = Width is outside, y = Height inside.
    const bool inside = at.x() >= 0 && at.x() < width() && at.y() >= 0 && at.y() <= height();
    int target = ReleaseTarget();
    bool toggleDecided = false;
    if (groupIndex_ != 0) {
        if (inside) {
            if (state_ == bsDown && !allowAllUp_)
                return;
            SetPressed(!pressed_);
            if (hotTracking_)
                target = pressed_ ? bsDown : bsNormal;
            else
                toggleDecided = true;
        } else if (pressed_) {
            target = bsDown;
        }
    } else if (inside && hotTracking_ && state_ != bsDisabled) {
        target = bsHot;
    }
    if (!inside) {
        if (!toggleDecided)
            SetState(target);
        return;
    }
    if (glyph_.NumGlyphs() < 3 && !glyph_.Uncoloured() && !toggleDecided)
        SetState(target);
    if (!repeatedClick_)
        Click();
    if ((glyph_.NumGlyphs() > 2 || HotLook()) && !toggleDecided && isEnabled()) {
        const bool cursorInside = rect().contains(mapFromGlobal(QCursor::pos()));
        SetState(cursorInside && target == bsNormal ? bsHot : target);
    }
}

void TLXBaseGraphicButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    TLXBaseControl::mouseDoubleClickEvent(event);
    if (pressed_)
        emit OnDblClick();
}

void TLXBaseGraphicButton::DropDown()
{
    if (dropDownMenu_ == nullptr || state_ == bsDropped)
        return;
    SetState(bsDropped);
    emit OnDropDown();
    PopUpButtonMenu(this, dropDownMenu_, dropDownRight_, dropDownIndent_);
    captured_ = false;
    SetState(bsHot);
}

bool TLXBaseGraphicButton::DialogChar(QChar character)
{
    const QWidget* parent = parentWidget();
    if (!platform::IsAccelerator(character, caption_) || !isEnabled() || !isVisible() || parent == nullptr ||
        !parent->isEnabled() || !parent->isVisible())
        return false;
    if (dropDownMenu_ != nullptr) {
        if (state_ == bsDropped)
            SetState(bsHot);
        else
            DropDown();
    } else if (groupIndex_ != 0) {
        if (state_ != bsDown || allowAllUp_) {
            SetPressed(!pressed_);
            SetState(pressed_ ? bsDown : bsNormal);
            if (pressed_)
                Click();
        }
    } else {
        Click();
    }
    return true;
}

void TLXBaseGraphicButton::DrawContent(platform::TCanvas& canvas, const TRect& rect)
{
    canvas.Font = Font();
    const bool lit = state_ == bsHot || state_ == bsDown || state_ == bsPressed || state_ == bsDropped;
    if (lit && hotTracking_ && enterColorChange_)
        canvas.Font.SetColor(enterColor_);
    QString text = useCaption_ ? caption_ : QString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const unsigned flags = (isEnabled() ? fxEnabled : fxDisabled) | fxAutoSunken;
    const unsigned textFlags = layoutDirection() == Qt::RightToLeft ? DT_RTLREADING : 0;
    glyph_.Draw(canvas, text, textFlags, multiLine_, flags, layout_, state_, rect, &fontFX_);
}

TLXCustomSpeedButton::TLXCustomSpeedButton(QWidget* parent) : TLXBaseGraphicButton(parent) {}

void TLXCustomSpeedButton::SetStyle(TLXUserButtonStyle style)
{
    if (style == style_)
        return;
    GlyphObject().SetUncoloured(IsOneOf(style, {ubsFlatUnColored, ubsNavigator, ubsExplorer}));
    style_ = style;
    update();
}

bool TLXCustomSpeedButton::HotLook() const
{
    return TLXBaseGraphicButton::HotLook() || IsOneOf(style_, {ubsWinXP, ubsWinXPCombo, ubsWinXPTool}) ||
           (style_ == ubsAutoDetect && LXApplication().ThemesEnabled());
}

bool TLXCustomSpeedButton::FlatLook() const
{
    return IsOneOf(style_, {ubsIdeFlat, ubsFlat, ubsFlatUnColored, ubsNavigator, ubsExplorer,
                            ubsExplorerColored, ubsWinXP, ubsWinXPCombo, ubsWinXPTool}) ||
           (style_ == ubsAutoDetect && LXApplication().ThemesEnabled());
}

bool TLXCustomSpeedButton::SupportsThemes() const
{
    return IsOneOf(style_, {ubsAutoDetect, ubsWinXP, ubsWinXPCombo, ubsWinXPTool});
}

bool TLXCustomSpeedButton::TransparentLook() const
{
    return IsOneOf(style_, {ubsExplorer, ubsExplorerColored, ubsWinXPTool});
}

void TLXCustomSpeedButton::Paint(platform::TCanvas& canvas)
{
    const TRect client = ClientRect();
    const bool themed = LXApplication().ThemesEnabled();
    if (FillsClientFirst(style_)) {
        canvas.Brush.SetColor(Color());
        canvas.FillRect(client);
    }
    const unsigned flags = ffButton | ffRaisedBorder | (State() == bsHot ? ffHot : 0u);
    TRect main = client;
    if (ComboActive()) {
        main.Right -= DropDownComboWidth();
        TRect face = main;
        DrawButtonFace(this, canvas, State() == bsHot, Color(), flags | ffToolPart,
                       State() == bsDropped ? bsHot : State(), style_, face);
        TRect strip = platform::Rect(main.Right, client.Top, client.Right, client.Bottom);
        DrawButtonFace(this, canvas, State() == bsHot, Color(), flags | ffToolPart | ffToolDropDown,
                       State() == bsPressed ? bsHot : State(), style_, strip);
        const bool themedArrow = themed && (style_ == ubsWinXPCombo || style_ == ubsWinXPTool);
        if (!themedArrow)
            DrawArrow(canvas, main.Right + (DropDownComboWidth() - 3) / 2, (height() - 3) / 2, isEnabled(),
                      true, platform::clBlack, 3);
    } else {
        TRect face = main;
        DrawButtonFace(this, canvas, State() == bsHot, Color(), flags, State(), style_, face);
    }
    const int frame = ButtonFrameWidth(style_);
    TRect content = main;
    if (ComboActive() && frame > 1)
        ++content.Right;
    platform::InflateRect(content, -frame, -frame);
    const bool sunk = State() == bsDown || State() == bsPressed || (State() == bsDropped && !ComboActive());
    if (sunk)
        platform::OffsetRect(content, 1, 1);
    if (!(style_ == ubsWinXPCombo && themed))
        DrawContent(canvas, content);
}

TLXSpeedButton::TLXSpeedButton(QWidget* parent) : TLXCustomSpeedButton(parent) {}
