#include "controls/LbFaceButton.h"

#include <QEvent>
#include <QMenu>
#include <QPainter>

TLbFaceButton::TLbFaceButton(QWidget* parent) : QWidget(parent)
{
    resize(100, 23);
    platform::UseWindowKeys(this);
}

TLbFaceButton::~TLbFaceButton()
{
    FreeFadeWorker();
}

void TLbFaceButton::Redraw(bool now)
{
    if (now)
        repaint();
    else
        update();
}

void TLbFaceButton::SetAlignment(TLbAlignment alignment)
{
    alignment_ = alignment;
    Redraw(true);
}

void TLbFaceButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    Redraw(false);
}

platform::TColor TLbFaceButton::Color() const
{
    if (parentColor_ && parentWidget() != nullptr)
        return platform::FromQColor(parentWidget()->palette().color(QPalette::Window));
    return color_;
}

void TLbFaceButton::SetColor(platform::TColor color)
{
    color_ = color;
    parentColor_ = false;
    Redraw(false);
}

void TLbFaceButton::SetColorStyle(TLbColorStyle style)
{
    const TLbColorPreset* preset = LbColorPreset(style);
    if (preset == nullptr)
        return;
    color_ = preset->Color;
    parentColor_ = false;
    lightColor_ = preset->LightColor;
    shadowColor_ = preset->ShadowColor;
    colorWhenDown_ = preset->ColorWhenDown;
    hotTrackColor_ = preset->HotTrackColor;
    flat_ = preset->Flat;
    font_.SetColor(preset->FontColor);
    SetStyle(preset->Style);
    Redraw(true);
}

void TLbFaceButton::SetColorWhenDown(platform::TColor color)
{
    colorWhenDown_ = color;
    Redraw(true);
}

void TLbFaceButton::SetFlat(bool flat)
{
    flat_ = flat;
    Redraw(true);
}

void TLbFaceButton::SetGlyph(const platform::TBitmap& glyph)
{
    glyph_ = glyph;
    numGlyphs_ = glyph.Empty() || glyph.Height() == 0 ? 0 : glyph.Width() / glyph.Height();
    Redraw(false);
}

void TLbFaceButton::SetHotTrackColor(platform::TColor color)
{
    hotTrackColor_ = color;
    Redraw(false);
}

void TLbFaceButton::SetUseHotTrackFont(bool use)
{
    useHotTrackFont_ = use;
    Redraw(false);
}

void TLbFaceButton::SetLayout(TLbButtonLayout layout)
{
    layout_ = layout;
    Redraw(true);
}

void TLbFaceButton::SetLightColor(platform::TColor color)
{
    lightColor_ = color;
    Redraw(true);
}

void TLbFaceButton::SetShadowColor(platform::TColor color)
{
    shadowColor_ = color;
    Redraw(true);
}

void TLbFaceButton::SetNumGlyphs(int count)
{
    numGlyphs_ = count;
    Redraw(false);
}

void TLbFaceButton::SetSlowDecease(bool slow)
{
    slowDecease_ = slow;
    if (slow) {
        CreateFadeWorker();
    } else {
        fadeLevel_ = 0;
        FreeFadeWorker();
    }
    Redraw(false);
}

void TLbFaceButton::SetStyle(TLbButtonStyle style)
{
    style_ = style;
    Redraw(false);
}

void TLbFaceButton::SetWordWrap(bool wrap)
{
    wordWrap_ = wrap;
    Redraw(true);
}

void TLbFaceButton::SetPopupMenu(QMenu* menu)
{
    popupMenu_ = menu;
    Redraw(false);
}

void TLbFaceButton::CreateFadeWorker()
{
    if (fadeWorker_ == nullptr)
        fadeWorker_ = new TLbButtonThread(this, [this] { FadeStep(); });
}

void TLbFaceButton::FreeFadeWorker()
{
    delete fadeWorker_;
    fadeWorker_ = nullptr;
}

void TLbFaceButton::FadeStep()
{
    --fadeLevel_;
    if (fadeLevel_ < 1) {
        fadeLevel_ = 0;
        if (fadeWorker_ != nullptr)
            fadeWorker_->Suspend();
    }
    Redraw(true);
}

bool TLbFaceButton::TracksMouse() const
{
    return isEnabled() && isVisible() && parentWidget() != nullptr && parentWidget()->isVisible();
}

void TLbFaceButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (!TracksMouse())
        return;
    // Back under the mouse: a fade still running must not take the hot colour away.
    if (fadeWorker_ != nullptr)
        fadeWorker_->Suspend();
    hot_ = true;
    fadeLevel_ = 8;
    Redraw(true);
    emit OnMouseEnter();
}

void TLbFaceButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    hot_ = false;
    if (!slowDecease_) {
        fadeLevel_ = 0;
        Redraw(true);
    } else if (fadeWorker_ != nullptr) {
        fadeWorker_->Resume();
    }
    if (TracksMouse())
        emit OnMouseExit();
}

void TLbFaceButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ParentChange)
        Redraw(false);
    if (event->type() == QEvent::ParentChange)
        platform::UseWindowKeys(this);
}

void TLbFaceButton::paintEvent(QPaintEvent*)
{
    const QImage face = PaintFace();
    QPainter painter(this);
    painter.drawImage(0, 0, face);
}

TLbFace TLbFaceButton::FaceInput() const
{
    TLbFace face;
    face.Width = width();
    face.Height = height();
    face.Alignment = alignment_;
    face.Caption = caption_;
    face.Layout = layout_;
    face.Font = useHotTrackFont_ && hot_ ? hotTrackFont_ : font_;
    face.ShadowColor = shadowColor_;
    face.LightColor = lightColor_;
    face.HotTrackColor = hotTrackColor_;
    face.ColorWhenDown = colorWhenDown_;
    face.Color = Color();
    face.Style = style_;
    face.PopupAttached = popupMenu_ != nullptr;
    face.WordWrap = wordWrap_;
    face.Flat = flat_;
    face.Enabled = isEnabled();
    face.HotInput = hot_;
    face.Glyph = &glyph_;
    face.NumGlyphs = numGlyphs_;
    face.FadeLevel = fadeLevel_;
    return face;
}

void TLbFaceButton::ShowPopupMenu()
{
    if (popupMenu_ != nullptr)
        popupMenu_->popup(mapToGlobal(QPoint(0, height())));
}
