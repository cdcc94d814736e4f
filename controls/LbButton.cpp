#include "controls/LbButton.h"

#include "controls/LbStockGlyphs.h"
#include "platform_gui/PainterCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

using namespace platform;

namespace {

struct KindEntry {
    int ModalResult;
    const char* Glyph;
    const char* Caption;
};

// In TLbButtonKind order from bkOK.
const KindEntry Kinds[] = {
    {1, "LBOK", "&OK"},           {2, "LBCANCEL", "&Abbrechen"},  {0, "LBHELP", "&Hilfe"},
    {6, "LBYES", "&Ja"},          {7, "LBNO", "&Nein"},           {0, "LBCLOSE", "&Schließen"},
    {3, "LBABORT", "&Abbrechen"}, {4, "LBRETRY", "&Wiederholen"}, {5, "LBIGNORE", "&Ignorieren"},
    {8, "LBALL", "A&lle"},
};

bool IsPressKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

} // namespace

TLbButton::TLbButton(QWidget* parent) : TLbFaceButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    CreateFadeWorker();
}

void TLbButton::SetKind(TLbButtonKind kind)
{
    kind_ = kind;
    if (kind == bkCustom)
        return;
    const KindEntry& entry = Kinds[kind - bkOK];
    TLbFaceButton::SetGlyph(LbStockGlyph(QString::fromLatin1(entry.Glyph)));
    numGlyphs_ = 2;
    modalResult_ = entry.ModalResult;
    SetCaption(QString::fromUtf8(entry.Caption));
}

void TLbButton::SetModalResult(int result)
{
    modalResult_ = result;
    kind_ = bkCustom;
}

void TLbButton::SetGlyph(const TBitmap& glyph)
{
    TLbFaceButton::SetGlyph(glyph);
    kind_ = bkCustom;
}

bool TLbButton::Usable() const
{
    return isVisible() && isEnabled();
}

void TLbButton::ClickAction()
{
    if (!Usable() || !pressed_)
        return;
    pressed_ = false;
    QPointer<TLbButton> alive(this);
    emit OnClick();
    if (alive == nullptr)
        return;
    EndModal(this, modalResult_);
    ShowPopupMenu();
}

void TLbButton::Click()
{
    pressed_ = true;
    ClickAction();
    // A button that could not click (hidden, disabled) must not stay drawn pressed.
    pressed_ = false;
}

bool TLbButton::DialogKey(const QKeyEvent& key)
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool escape = key.key() == Qt::Key_Escape;
    if (!((enter && default_) || (escape && cancel_)))
        return false;
    // Enter takes the same tests as Escape: a hidden or disabled default button leaves it to others.
    if ((key.modifiers() & Qt::ShiftModifier) != 0 || !Usable())
        return false;
    if (FocusedControlIsButton(this))
        return false;
    Click();
    return true;
}

bool TLbButton::DialogChar(QChar character)
{
    if (!Usable() || !IsAccelerator(character, caption_))
        return false;
    Click();
    return true;
}

QImage TLbButton::PaintFace()
{
    QImage image(size(), QImage::Format_RGB32);
    const bool focused = hasFocus();
    TLbFace face = FaceInput();
    face.HotInput = hot_ || focused;
    face.Font = useHotTrackFont_ && face.HotInput ? hotTrackFont_ : font_;
    face.Pressed = pressed_;
    {
        TPainterCanvas canvas(&image);
        if (style_ == bsKDE || style_ == bsModern || style_ == bsQuicken)
            image.fill(parentWidget() != nullptr ? parentWidget()->palette().color(QPalette::Window)
                                                 : Qt::white);
        if (style_ == bsOld && focused) {
            // The face one pixel smaller inside a black frame.
            face.Width -= 2;
            face.Height -= 2;
            if (pressed_)
                face.LightColor = face.ShadowColor;
            QImage inner(face.Width > 0 ? face.Width : 0, face.Height > 0 ? face.Height : 0,
                         QImage::Format_RGB32);
            {
                TPainterCanvas innerCanvas(&inner);
                PaintLbFace(innerCanvas, face);
            }
            canvas.CopyRect(Bounds(1, 1, inner.width(), inner.height()), inner,
                            Bounds(0, 0, inner.width(), inner.height()));
            canvas.Brush.SetColor(clBlack);
            canvas.FrameRect(Rect(0, 0, width(), height()));
        } else {
            PaintLbFace(canvas, face);
        }
        if (focused && isEnabled() && style_ != bsShape)
            canvas.DrawFocusRect(Rect(4, 4, width() - 4, height() - 4));
    }
    return style_ == bsShape ? LbKeyOutMagenta(image) : image;
}

void TLbButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    pressed_ = true;
    setFocus(Qt::MouseFocusReason);
    Redraw(true);
}

void TLbButton::mouseReleaseEvent(QMouseEvent*)
{
    // The mouse is grabbed from the press: a release anywhere clicks.
    ClickAction();
    pressed_ = false;
    Redraw(true);
}

void TLbButton::keyPressEvent(QKeyEvent* event)
{
    if (!IsPressKey(event->key()) || !isEnabled()) {
        event->ignore();
        return;
    }
    pressed_ = true;
    Redraw(true);
}

void TLbButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!IsPressKey(event->key())) {
        event->ignore();
        return;
    }
    if (event->isAutoRepeat())
        return;
    ClickAction();
    Redraw(true);
}

void TLbButton::focusInEvent(QFocusEvent* event)
{
    TLbFaceButton::focusInEvent(event);
    Redraw(true);
}

void TLbButton::focusOutEvent(QFocusEvent* event)
{
    TLbFaceButton::focusOutEvent(event);
    Redraw(true);
}

void TLbButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        pressed_ = false;
    TLbFaceButton::changeEvent(event);
}
