#include "controls/LXLabel.h"

#include "controls/LXApplication.h"
#include "controls/LXDrawText.h"

#include <QEvent>

using platform::TRect;

TLXBaseLabel::TLXBaseLabel(QWidget* parent) : TLXBaseGraphicControl(parent)
{
    platform::UseWindowKeys(this);
}

TLXBaseLabel::~TLXBaseLabel()
{
    if (twinkleIdent_ != 0)
        LXApplication().RemoveTimer(twinkleIdent_);
}

void TLXBaseLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    RefreshContent();
}

void TLXBaseLabel::SetAlignment(TLXAlignment alignment)
{
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    RefreshContent();
}

void TLXBaseLabel::SetAutoSize(bool autoSize)
{
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    AdjustBounds();
}

void TLXBaseLabel::SetMultiLine(bool multiLine)
{
    if (multiLine == multiLine_)
        return;
    multiLine_ = multiLine;
    RefreshContent();
}

void TLXBaseLabel::SetShowAccelChar(bool show)
{
    if (show == showAccelChar_)
        return;
    showAccelChar_ = show;
    RefreshContent();
}

void TLXBaseLabel::SetOptions(int options)
{
    options &= loPathEllipsis | loEndEllipsis | loEditControl;
    if (options == options_)
        return;
    options_ = options;
    RefreshContent();
}

void TLXBaseLabel::RefreshContent()
{
    AdjustBounds();
    // A paint that measures may tell of a new text origin; this paint shows it already.
    if (!painting_)
        TLXBaseGraphicControl::RefreshContent();
}

void TLXBaseLabel::SetTwinkle(bool twinkle)
{
    if (twinkle == Twinkle())
        return;
    if (twinkle) {
        twinkleIdent_ = LXApplication().AddTimer(twinkleVisible_, [this](QObject*) { TwinkleStep(); });
        if (TLXTimerItem* item = LXApplication().TimerItem(twinkleIdent_))
            item->SetEnabled(true);
        return;
    }
    LXApplication().RemoveTimer(twinkleIdent_);
    twinkleIdent_ = 0;
    visiblePhase_ = true;
    RefreshContent();
}

void TLXBaseLabel::TwinkleStep()
{
    visiblePhase_ = !visiblePhase_;
    // The phase now starting decides the interval until the next change.
    if (TLXTimerItem* item = LXApplication().TimerItem(twinkleIdent_))
        item->SetInterval(visiblePhase_ ? twinkleVisible_ : twinkleInVisible_);
    RefreshContent();
}

bool TLXBaseLabel::DialogChar(QChar character)
{
    if (!showAccelChar_ || focusControl_ == nullptr || !isEnabled() ||
        !platform::IsAccelerator(character, caption_))
        return false;
    if (focusControl_->isEnabled() && focusControl_->isVisible() &&
        focusControl_->focusPolicy() != Qt::NoFocus)
        focusControl_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void TLXBaseLabel::changeEvent(QEvent* event)
{
    TLXBaseGraphicControl::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        platform::UseWindowKeys(this);
}

TLXCustomLabel::TLXCustomLabel(QWidget* parent) : TLXBaseLabel(parent)
{
    bevel_.OnChange = [this](TLXObject*) { RefreshContent(); };
    fontFX_.OnChange = [this](TLXObject*) { FontChanged(fsFontFX); };
}

TLXCustomLabel::~TLXCustomLabel()
{
    bevel_.OnChange = nullptr;
    fontFX_.OnChange = nullptr;
}

QSize TLXCustomLabel::sizeHint() const
{
    return AutoSize() ? size() : TLXBaseLabel::sizeHint();
}

void TLXCustomLabel::FontChanged(TLXFontSource source)
{
    if (fontFX_.Angle() != 0 && !IsTrueTypeFont(Font())) {
        if (source == fsFont) {
            fontFX_.SetAngle(0); // its own notice refreshes
        } else {
            Font().SetName(QStringLiteral("Arial")); // its own notice refreshes
            return;
        }
    }
    RefreshContent();
}

unsigned LabelOptionFlags(unsigned options)
{
    return (options & loPathEllipsis ? platform::DT_PATH_ELLIPSIS : 0u) |
           (options & loEndEllipsis ? platform::DT_END_ELLIPSIS : 0u) |
           (options & loEditControl ? platform::DT_EDITCONTROL : 0u);
}

unsigned TLXCustomLabel::OptionFlags() const
{
    return LabelOptionFlags(Options());
}

void TLXCustomLabel::AdjustBounds()
{
    if (!AutoSize())
        return;
    TRect measured = ClientRect();
    MeasureFxText(GetLabelText(), &fontFX_, measured, OptionFlags(), bevel_.Extent(), ShowAccelChar(),
                  MultiLine(), Font());
    if (size() != QSize(measured.Width(), measured.Height())) {
        resize(measured.Width(), measured.Height());
        updateGeometry();
    }
}

bool TLXCustomLabel::ShowDesignFrame() const
{
    return TLXBaseLabel::ShowDesignFrame() && bevel_.Extent() == 0;
}

void TLXCustomLabel::Paint(platform::TCanvas& canvas)
{
    if (painting_ || ShowDesignFrame())
        return;
    painting_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{painting_};

    TRect r = ClientRect();
    if (!Transparent()) {
        canvas.Brush.SetStyle(platform::TBrushStyle::bsSolid);
        canvas.Brush.SetColor(Color());
        canvas.FillRect(r);
    }
    unsigned flags = isEnabled() ? fxEnabled : fxDisabled;
    const TRect* clip = nullptr;
    TRect inner;
    if (bevel_.Extent() != 0) {
        bevel_.PaintBevel(canvas, r, inner, bevel_.BorderColor() == Color() || Transparent());
        r = inner;
        clip = &inner;
        flags |= fxClip;
    }

    const QString text = GetLabelText();
    unsigned format = 0;
    if (!AutoSize()) {
        const bool rotated = fontFX_.Angle() != 0;
        if (rotated || !MultiLine())
            format |= platform::DT_SINGLELINE;
        if ((rotated && Alignment() != agTopLeft) || (!rotated && MultiLine() && Alignment() >= agCenterLeft))
            r = AlignTextRect(Alignment(), text, &fontFX_, format, ShowAccelChar(), MultiLine(), Font(), r);
    }
    static const unsigned alignmentFlags[] = {0x0, 0x1, 0x2, 0x4, 0x5, 0x6, 0x8, 0x9, 0xA};
    format |= platform::DT_WORDBREAK | platform::DT_EXPANDTABS | alignmentFlags[Alignment()] | OptionFlags();
    if (!ShowAccelChar())
        format |= platform::DT_NOPREFIX;

    canvas.Brush.SetColor(Color());
    canvas.Brush.SetStyle(platform::TBrushStyle::bsClear);
    if (!VisiblePhase()) {
        if (TwinkleColor() == platform::clNone)
            return;
        canvas.Font.SetColor(TwinkleColor());
    }
    DrawFxText(canvas, text, &fontFX_, clip, flags, format, r);
}
