#include "controls/LXFillObjects.h"

#include "controls/LXBitmapDraw.h"
#include "controls/LXBitmapOps.h"
#include "controls/LXDraw.h"

#include <algorithm>

using platform::TBitmap;
using platform::TCanvas;
using platform::TColor;
using platform::TRect;

TLXShapeFill::TLXShapeFill() : TLXShapeFill(sfBrush) {}

TLXShapeFill::TLXShapeFill(TLXFillStyle style) : style_(style)
{
    bitmap_.OnChange = [this] { SubObjectChanged(this); };
    gradient_.OnChange = [this](TLXObject* sender) { SubObjectChanged(sender); };
}

void TLXShapeFill::CopyShapeFill(const TLXShapeFill& source)
{
    bitmap_.Assign(source.bitmap_);
    listBitmap_.Assign(source.listBitmap_);
    gradient_.Assign(source.gradient_);
    style_ = source.style_;
    tileMode_ = source.tileMode_;
}

void TLXShapeFill::Assign(const TLXObject& source)
{
    const auto* fill = dynamic_cast<const TLXShapeFill*>(&source);
    if (!fill)
        return TLXObject::Assign(source);
    BeginUpdate();
    CopyShapeFill(*fill);
    EndUpdate(true);
}

QString TLXShapeFill::GetInspectorText() const
{
    static const char* const names[] = {"Disabled", "", "Brush", "Bitmap", "BitmapList", "Gradient"};
    return u'{' + QString::fromLatin1(names[style_]) + u'}';
}

TLXFillObject::TLXFillObject() : TLXShapeFill(sfNone)
{
    brush_.OnChange = [this] { Changed(); };
}

void TLXFillObject::Assign(const TLXObject& source)
{
    const auto* fill = dynamic_cast<const TLXFillObject*>(&source);
    if (!fill)
        return TLXShapeFill::Assign(source);
    BeginUpdate();
    brush_ = fill->brush_;
    options_ = fill->options_;
    CopyShapeFill(*fill);
    EndUpdate(true);
}

bool TLXFillObject::PlacesUntiled() const
{
    return (Style() == sfBitmap || Style() == sfBitmapList) && TileMode() == tmNone;
}

void TLXFillObject::SetBrush(const platform::TBrush& brush)
{
    brush_ = brush;
}

bool TLXFillObject::Fill(TCanvas& canvas, const TRect& rect, TColor color)
{
    switch (Style()) {
    case sfNone:
        return false;
    case sfBrushBitmap:
        // The whole picture is the pattern; an empty one leaves the canvas's own brush.
        if (!Bitmap().Empty())
            canvas.Brush.SetBitmap(Bitmap().Image());
        canvas.FillRect(rect);
        canvas.Brush.SetBitmap(QImage());
        return true;
    case sfBrush:
        canvas.Brush = brush_;
        canvas.Pen.SetColor(color);
        if (brush_.Style() != platform::TBrushStyle::bsSolid) {
            canvas.BkColor = color;
            canvas.BkMode = platform::TBkMode::bmOpaque;
        }
        canvas.FillRect(rect);
        return true;
    case sfBitmap:
    case sfBitmapList:
        return FillPicture(canvas, rect, color);
    case sfGradient: {
        unsigned flags = 0;
        if (Options() & foGrUseBitmap)
            flags |= gfOffscreen;
        if (Gradient().PaletteRealize())
            flags |= gfPalette;
        FillGradient(canvas, rect, Gradient().Style(), 0, flags, Gradient().Steps());
        return true;
    }
    }
    return false;
}

bool TLXFillObject::FillPicture(TCanvas& canvas, const TRect& rect, TColor color)
{
    TBitmap& picture = PictureForDrawing();
    const auto fillBackground = [&] {
        canvas.Brush.SetStyle(platform::TBrushStyle::bsSolid);
        canvas.Brush.SetColor(color);
        canvas.FillRect(rect);
    };
    if (picture.Empty()) {
        if (options_ & foFillInner)
            fillBackground();
        return false;
    }
    const TRect whole = platform::Rect(0, 0, picture.Width(), picture.Height());
    const unsigned flags = (options_ & foQuickDraw) ? 0 : pbPalette;
    TRect painted;
    switch (TileMode()) {
    case tmNone: {
        if (options_ & foFillInner)
            fillBackground();
        TRect placed = AlignRect(alignment_, whole, rect);
        platform::OffsetRect(placed, offsetX_, offsetY_);
        DrawBitmapPalette(canvas, placed, picture, painted, color, flags);
        break;
    }
    case tmCenter:
        fillBackground();
        DrawBitmapPalette(canvas, rect, picture, painted, color, flags | pbCenter);
        break;
    case tmStretch:
        DrawBitmapPalette(canvas, rect, picture, painted, color, flags | pbStretch);
        break;
    case tmTile:
        DrawBitmapPalette(canvas, rect, picture, painted, color, flags | pbTile);
        break;
    }
    return true;
}

TLXAlphaObject::TLXAlphaObject()
{
    fillObject_.OnChange = [this](TLXObject* sender) { SubObjectChanged(sender); };
}

void TLXAlphaObject::Assign(const TLXObject& source)
{
    const auto* alpha = dynamic_cast<const TLXAlphaObject*>(&source);
    if (!alpha)
        return TLXObject::Assign(source);
    fillObject_.Assign(alpha->fillObject_);
    transparent_ = alpha->transparent_;
    strength_ = alpha->strength_;
    imageIndex_ = alpha->imageIndex_;
    listIndex_ = alpha->listIndex_;
    Changed();
}

QString TLXAlphaObject::GetInspectorText() const
{
    const TLXFillStyle style = fillObject_.Style();
    if (style == sfNone)
        return QStringLiteral("{Disabled}");
    static const char* const kinds[] = {"", "", "brush", "bmp", "bmp", "grad"};
    return QStringLiteral("{Enabled (%1), strength: %2}")
        .arg(QString::fromLatin1(kinds[style]), QString::number(strength_, 'f', 3));
}

void TLXAlphaObject::SetImageIndex(int)
{
    imageIndex_ = 0;
    ReloadListBitmap();
}

void TLXAlphaObject::SetListIndex(int)
{
    listIndex_ = 0;
    ReloadListBitmap();
}

void TLXAlphaObject::SetImageList(TLXCustomImageList*)
{
    ReloadListBitmap();
}

void TLXAlphaObject::ReloadListBitmap()
{
    fillObject_.ListBitmap().Assign(TBitmap());
    Changed();
}

TLXBitmapEffectObject::TLXBitmapEffectObject()
{
    alphaBlend_.OnChange = [this](TLXObject* sender) {
        bufferValid_ = false;
        SubObjectChanged(sender);
    };
}

TLXBitmapEffectObject::~TLXBitmapEffectObject() = default;

void TLXBitmapEffectObject::Assign(const TLXObject& source)
{
    const auto* effect = dynamic_cast<const TLXBitmapEffectObject*>(&source);
    if (!effect)
        return TLXObject::Assign(source);
    flipVertical_ = effect->flipVertical_;
    flipHorizontal_ = effect->flipHorizontal_;
    grayScale_ = effect->grayScale_;
    invert_ = effect->invert_;
    brightness_ = effect->brightness_;
    SetBuffered(false);
    alphaBlend_.Assign(effect->alphaBlend_);
}

QString TLXBitmapEffectObject::GetInspectorText() const
{
    QStringList tags;
    if (alphaBlend_.FillObject().Style() != sfNone)
        tags << QStringLiteral("alpha");
    if (flipVertical_)
        tags << QStringLiteral("FV");
    if (flipHorizontal_)
        tags << QStringLiteral("FH");
    if (grayScale_)
        tags << QStringLiteral("GS");
    if (invert_)
        tags << QStringLiteral("INV");
    if (brightness_ != 0)
        tags << QStringLiteral("B");
    return tags.isEmpty() ? QStringLiteral("{Disabled}") : u'{' + tags.join(u',') + u'}';
}

void TLXBitmapEffectObject::SetBuffered(bool)
{
    buffer_.reset();
    bufferValid_ = false;
    Set(buffered_, false);
}

void TLXBitmapEffectObject::Apply(const TBitmap& source, const TRect& sourceRect, const TRect& targetRect,
                                  TBitmap& target)
{
    if (bufferValid_ && buffer_) {
        target.Assign(*buffer_);
        return;
    }
    const int width = sourceRect.Right - sourceRect.Left;
    const int height = sourceRect.Bottom - sourceRect.Top;
    target.SetPixelFormat(platform::TPixelFormat::pf24bit);
    target.SetSize(width, height);
    target.Canvas().CopyRect(platform::Rect(0, 0, width, height), source.Image(), sourceRect);
    const TRect area = platform::Rect(0, 0, width, height);
    // The vertical flip mirrors left and right, the horizontal one top and bottom, as the settings
    // were always read.
    if (flipVertical_)
        FlipLeftRight(target, area, target, {0, 0});
    if (flipHorizontal_)
        FlipTopBottom(target, area, target, {0, 0});
    if (grayScale_)
        GrayScaleBitmap(target, area, target, {0, 0});
    if (invert_)
        InvertBitmap(target, area, target, {0, 0});
    if (brightness_ != 0)
        BrightenBitmap(target, area, target, brightness_, {0, 0});
    if (alphaBlend_.FillObject().Style() != sfNone) {
        const int fillWidth = targetRect.Right - targetRect.Left + 2;
        const int fillHeight = targetRect.Bottom - targetRect.Top + 2;
        TBitmap fill(fillWidth, fillHeight, platform::TPixelFormat::pf24bit);
        alphaBlend_.FillObject().Fill(fill.Canvas(), platform::Rect(0, 0, fillWidth, fillHeight),
                                      platform::clWhite);
        AlphaBlendBitmaps(target, fill, area, {0, 0}, alphaBlend_.Strength(), target, {0, 0});
    }
    if (buffered_) {
        buffer_ = std::make_unique<TBitmap>(target);
        bufferValid_ = true;
    }
}

void TLXShadow::Assign(const TLXObject& source)
{
    const auto* shadow = dynamic_cast<const TLXShadow*>(&source);
    if (!shadow)
        return TLXObject::Assign(source);
    color_ = shadow->color_;
    depth_ = shadow->depth_;
    style_ = shadow->style_;
    Changed();
}

void TLXShadow::SetDepth(int depth)
{
    Set(depth_, std::clamp(depth, 0, 40));
}

QString TLXShadow::GetInspectorText() const
{
    if (style_ == hssNone)
        return QStringLiteral("{Disabled}");
    return QStringLiteral("{%1, %2}")
        .arg(style_ == hssSolid ? QStringLiteral("solid") : QStringLiteral("tracing"))
        .arg(depth_);
}
