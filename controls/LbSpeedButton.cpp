#include "controls/LbSpeedButton.h"

#include "platform_gui/PainterCanvas.h"

#include <QMouseEvent>
#include <QScreen>

using namespace platform;

TLbSpeedButton::TLbSpeedButton(QWidget* parent) : TLbFaceButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    alignment_ = taLeftJustify;
    shadowColor_ = clBlack;
    parentColor_ = true;
    // Drawn on the parent's surface in the original, so under every windowed sibling.
    lower();
}

void TLbSpeedButton::Redraw(bool now)
{
    TLbFaceButton::Redraw(now && !transparent_);
}

void TLbSpeedButton::SetDown(bool down)
{
    if (down == down_)
        return;
    if (groupIndex_ != 0 && parentWidget() != nullptr) {
        for (auto* other : parentWidget()->findChildren<TLbSpeedButton*>(Qt::FindDirectChildrenOnly)) {
            if (other != this && other->groupIndex_ == groupIndex_ && other->down_) {
                other->down_ = false;
                other->Redraw(true);
            }
        }
    }
    down_ = down;
    Redraw(true);
}

void TLbSpeedButton::SetGroupIndex(int index)
{
    groupIndex_ = index;
    Redraw(true);
}

void TLbSpeedButton::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    TLbFaceButton::Redraw(!transparent);
}

void TLbSpeedButton::SetStyle(TLbButtonStyle style)
{
    // The gradient needs more than a palette screen.
    if (style == bsModern && screen() != nullptr && screen()->depth() <= 8)
        style = bsNormal;
    TLbFaceButton::SetStyle(style);
}

void TLbSpeedButton::Click()
{
    ShowPopupMenu();
    emit OnClick();
}

bool TLbSpeedButton::DialogChar(QChar character)
{
    if (!isVisible() || !isEnabled() || !IsAccelerator(character, caption_))
        return false;
    // Kept as it always was: a grouped button that was up leaves its whole group up.
    const bool wasDown = down_;
    SetDown(true);
    Click();
    SetDown(wasDown);
    return true;
}

void TLbSpeedButton::Press()
{
    pressedHere_ = true;
    if (groupIndex_ == 0 || !down_)
        SetDown(true);
    else if (allowAllUp_)
        SetDown(false);
}

void TLbSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Press();
}

void TLbSpeedButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Press();
}

void TLbSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressedHere_)
        return;
    pressedHere_ = false;
    if (groupIndex_ == 0)
        SetDown(false);
    if (rect().contains(event->position().toPoint()))
        Click();
}

QImage TLbSpeedButton::PaintFace()
{
    const bool keyed =
        transparent_ || style_ == bsKDE || style_ == bsModern || style_ == bsShape || style_ == bsQuicken;
    QImage image(size(), QImage::Format_RGB32);
    if (keyed)
        image.fill(QColor(0xFF, 0x00, 0xFF));
    TLbFace face = FaceInput();
    face.Transparent = transparent_;
    face.Pressed = down_;
    {
        TPainterCanvas canvas(&image);
        PaintLbFace(canvas, face);
    }
    return keyed ? LbKeyOutMagenta(image) : image;
}
