#pragma once
// How a control fills its background (shape fill, fill object), blends an image over it (alpha
// object), which pixel effects apply to it (bitmap-effect object) and which shadow a region casts.
// The alpha and effect objects are inert here: they report themselves inactive and their effect
// settings cannot be set to anything but zero, so no control applies an effect.
#include "controls/LXAppearance.h"
#include "controls/LXObjects.h"
#include "controls/LXTypes.h"
#include "platform_gui/Bitmap.h"
#include "platform_gui/Canvas.h"
#include "platform_gui/PenBrush.h"

#include <memory>

class TLXShapeFill : public TLXObject {
public:
    TLXShapeFill();
    TLXShapeFill(const TLXShapeFill&) = delete;
    TLXShapeFill& operator=(const TLXShapeFill&) = delete;

    // Picture, list picture, gradient, style and tile mode, with one notification.
    void Assign(const TLXObject& source) override;
    QString GetInspectorText() const override;

    const platform::TBitmap& Bitmap() const { return bitmap_; }
    void SetBitmap(const platform::TBitmap& bitmap) { bitmap_.Assign(bitmap); }
    // The picture of sfBitmapList, filled from an image list by the alpha object.
    platform::TBitmap& ListBitmap() { return listBitmap_; }
    const platform::TBitmap& ListBitmap() const { return listBitmap_; }
    TLXFillStyle Style() const { return style_; }
    void SetStyle(TLXFillStyle style) { Set(style_, style); }
    TLXGradient& Gradient() { return gradient_; }
    const TLXGradient& Gradient() const { return gradient_; }
    void SetGradient(const TLXGradient& gradient) { gradient_.Assign(gradient); }
    TLXTileMode TileMode() const { return tileMode_; }
    void SetTileMode(TLXTileMode mode) { Set(tileMode_, mode); }

protected:
    explicit TLXShapeFill(TLXFillStyle style);
    // The picture drawn, whose own canvas may say "do not draw".
    platform::TBitmap& PictureForDrawing() { return style_ == sfBitmapList ? listBitmap_ : bitmap_; }
    void CopyShapeFill(const TLXShapeFill& source);

private:
    platform::TBitmap bitmap_;
    platform::TBitmap listBitmap_;
    TLXFillStyle style_;
    TLXGradient gradient_;
    TLXTileMode tileMode_ = tmTile;
};

enum TLXFillOption : unsigned { foFillInner = 0x1, foQuickDraw = 0x2, foGrUseBitmap = 0x4 };

class TLXFillObject : public TLXShapeFill {
public:
    TLXFillObject();

    // Brush, options, pictures, gradient, style and tile mode, with one notification.
    void Assign(const TLXObject& source) override;

    // The three notify only while an untiled picture is shown (sfBitmap or sfBitmapList with tmNone).
    TLXAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLXAlignment alignment) { SetPlacement(alignment_, alignment); }
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int offset) { SetPlacement(offsetX_, offset); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int offset) { SetPlacement(offsetY_, offset); }
    const platform::TBrush& Brush() const { return brush_; }
    void SetBrush(const platform::TBrush& brush);
    // A set of TLXFillOption.
    unsigned Options() const { return options_; }
    void SetOptions(unsigned options) { Set(options_, options); }

    // Paints rect in the style; answers whether something was painted (an empty picture answers
    // false, even when foFillInner filled the rectangle with color).
    bool Fill(platform::TCanvas& canvas, const platform::TRect& rect, platform::TColor color);

private:
    bool PlacesUntiled() const;
    template <typename T> void SetPlacement(T& field, T value)
    {
        if (field != value) {
            field = value;
            if (PlacesUntiled())
                Changed();
        }
    }
    bool FillPicture(platform::TCanvas& canvas, const platform::TRect& rect, platform::TColor color);

    TLXAlignment alignment_ = agTopLeft;
    int offsetX_ = 0;
    int offsetY_ = 0;
    platform::TBrush brush_;
    unsigned options_ = foFillInner | foGrUseBitmap;
};

// The library's image containers; no list is ever linked here.
class TLXCustomImageList;

class TLXAlphaObject : public TLXObject {
public:
    TLXAlphaObject();
    TLXAlphaObject(const TLXAlphaObject&) = delete;
    TLXAlphaObject& operator=(const TLXAlphaObject&) = delete;

    // Fill object, transparency, strength, indexes and image list.
    void Assign(const TLXObject& source) override;
    QString GetInspectorText() const override;
    bool IsActive() const { return false; }

    TLXFillObject& FillObject() { return fillObject_; }
    const TLXFillObject& FillObject() const { return fillObject_; }
    void SetFillObject(const TLXFillObject& fill) { fillObject_.Assign(fill); }
    double Strength() const { return strength_; }
    // Stores 0 whatever it is given; notifies when the strength was not 0.
    void SetStrength(double) { Set(strength_, 0.0); }
    int ImageIndex() const { return imageIndex_; }
    // The index setters store 0 and reload the list picture.
    void SetImageIndex(int index);
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    TLXCustomImageList* ImageList() const { return nullptr; }
    // Stores nil whatever it is given, then reloads.
    void SetImageList(TLXCustomImageList* list);
    bool Transparent() const { return transparent_; }

private:
    // No list can give an image, so the fill's list picture is cleared; the change is reported.
    void ReloadListBitmap();

    TLXFillObject fillObject_;
    double strength_ = 0.6;
    int imageIndex_ = 0;
    int listIndex_ = 0;
    bool transparent_ = false;
};

class TLXBitmapEffectObject : public TLXObject {
public:
    TLXBitmapEffectObject();
    TLXBitmapEffectObject(const TLXBitmapEffectObject&) = delete;
    TLXBitmapEffectObject& operator=(const TLXBitmapEffectObject&) = delete;
    ~TLXBitmapEffectObject() override;

    // The four effect flags and the brightness as they are, Buffered cleared, the alpha object copied.
    void Assign(const TLXObject& source) override;
    QString GetInspectorText() const override;
    bool IsActive() const { return false; }

    TLXAlphaObject& AlphaBlend() { return alphaBlend_; }
    void SetAlphaBlend(const TLXAlphaObject& alpha) { alphaBlend_.Assign(alpha); }
    // Each flag setter stores false whatever it is given, notifying when the flag was set.
    bool FlipVertical() const { return flipVertical_; }
    void SetFlipVertical(bool) { Set(flipVertical_, false); }
    bool FlipHorizontal() const { return flipHorizontal_; }
    void SetFlipHorizontal(bool) { Set(flipHorizontal_, false); }
    bool GrayScale() const { return grayScale_; }
    void SetGrayScale(bool) { Set(grayScale_, false); }
    bool Invert() const { return invert_; }
    void SetInvert(bool) { Set(invert_, false); }
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool) { Set(monochrome_, false); }
    bool Buffered() const { return buffered_; }
    // Also frees the buffer.
    void SetBuffered(bool);
    int Brightness() const { return brightness_; }
    // Stores 0; notifies when the brightness was not 0.
    void SetBrightness(int) { Set(brightness_, 0); }

    // The effects applied to sourceRect of source, the result in target; with a valid buffer the
    // buffer is drawn instead. Controls call it only while IsActive answers true.
    void Apply(const platform::TBitmap& source, const platform::TRect& sourceRect,
               const platform::TRect& targetRect, platform::TBitmap& target);

private:
    TLXAlphaObject alphaBlend_;
    bool flipVertical_ = false;
    bool flipHorizontal_ = false;
    bool grayScale_ = false;
    bool invert_ = false;
    bool monochrome_ = false;
    bool buffered_ = false;
    int brightness_ = 0;
    std::unique_ptr<platform::TBitmap> buffer_;
    bool bufferValid_ = false;
};

class TLXShadow : public TLXObject {
public:
    TLXShadow() = default;
    void Assign(const TLXObject& source) override;
    QString GetInspectorText() const override;

    platform::TColor Color() const { return color_; }
    void SetColor(platform::TColor color) { Set(color_, color); }
    // 0 to 40.
    int Depth() const { return depth_; }
    void SetDepth(int depth);
    TLXShadowStyle Style() const { return style_; }
    void SetStyle(TLXShadowStyle style) { Set(style_, style); }

protected:
    explicit TLXShadow(TLXShadowStyle style) : style_(style) {}

private:
    platform::TColor color_ = platform::clBtnShadow;
    int depth_ = 6;
    TLXShadowStyle style_ = hssSolid;
};

class TLXRgnShadow : public TLXShadow {
public:
    TLXRgnShadow() : TLXShadow(hssNone) {}
};
