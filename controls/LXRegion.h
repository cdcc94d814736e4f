#pragma once
// Window regions of eighteen shapes built for a rectangle, the border painted along a shape with its
// drop shadow, and the form shape that gives its window such a region. Shapes are pure functions of
// the settings and the rectangle.
#include "controls/LXCustomControl.h"
#include "controls/LXFillObjects.h"
#include "controls/LXImageListLink.h"
#include "controls/LXRegionMask.h"
#include "controls/LXWndProcComponent.h"

#include <QPolygon>
#include <QRegion>
#include <memory>
#include <vector>

enum TLXRegionShape : int {
    rsRect,
    rsRoundRect,
    rsBitmap,
    rsNoseRect,
    rsRoundNoseRect,
    rsElliptic,
    rsStar,
    rsRoundShield,
    rsSharpShield,
    rsDiamond,
    rsOctagon,
    rsComb,
    rsHalfRound,
    rsUserRegion,
    rsThinkBubble,
    rsRoundThinkBubble,
    rsEllipticThinkBubble,
    rsPointList
};
enum TLXExtPos : int {
    epLeftTop,
    epTopLeft,
    epTopRight,
    epRightTop,
    epRightBottom,
    epBottomRight,
    epBottomLeft,
    epLeftBottom
};
enum TLXRegionBorderStyle : int {
    rbNone,
    rbLowered,
    rbRaised,
    rbSingle,
    rbSingleRaised,
    rbSingleLowered,
    rbRaisedpsb,
    rbLoweredpsb
};

// What a shape needs besides its rectangle.
struct TLXShapeSettings {
    TLXRegionShape Shape = rsRoundRect;
    int RoundX = 20;
    int RoundY = 20;
    TLXExtPos ExtPos = epLeftTop;
    int BubbleCount = 4;
    // The region of rsBitmap (the mask's) and of rsUserRegion and rsPointList; none is empty.
    QRegion MaskRegion;
    QRegion UserRegion;
};

// The corners of the polygon shapes (star, diamond, octagon, comb) for a rectangle whose right and
// bottom are exclusive; empty for the other shapes.
QPolygon ShapePolygon(TLXRegionShape shape, const QRect& rect);
// The rounded rectangle's exact pixel coverage, corners of the given diameters.
QRegion RoundRectRegion(const QRect& rect, int roundX, int roundY);
// The shape's region for the rectangle; an empty one where the shape has nothing (rsBitmap without a
// mask).
QRegion ShapeRegion(const TLXShapeSettings& settings, const QRect& rect);
// The closed outlines of the shape, for its border.
std::vector<QPolygon> ShapeOutlines(const TLXShapeSettings& settings, const QRect& rect);

class TLXRegionBorder : public TLXObject {
public:
    void Assign(const TLXObject& source) override;

    TLXRegionBorderStyle Style() const { return style_; }
    void SetStyle(TLXRegionBorderStyle style) { Set(style_, style); }
    platform::TColor LightColor() const { return lightColor_; }
    void SetLightColor(platform::TColor color) { Set(lightColor_, color); }
    platform::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(platform::TColor color) { Set(shadowColor_, color); }
    platform::TColor SingleColor() const { return singleColor_; }
    void SetSingleColor(platform::TColor color) { Set(singleColor_, color); }

private:
    TLXRegionBorderStyle style_ = rbSingle;
    platform::TColor lightColor_ = platform::clBtnHighlight;
    platform::TColor shadowColor_ = platform::clBtnShadow;
    platform::TColor singleColor_ = platform::clBlack;
};

class TLXRegion : public TLXObject {
public:
    TLXRegion();
    ~TLXRegion() override;
    void Assign(const TLXObject& source) override;

    TLXRegionShape Shape() const { return settings_.Shape; }
    // rsPointList builds the user region from the points.
    void SetShape(TLXRegionShape shape);
    int RoundX() const { return settings_.RoundX; }
    void SetRoundX(int round) { Set(settings_.RoundX, round); }
    int RoundY() const { return settings_.RoundY; }
    void SetRoundY(int round) { Set(settings_.RoundY, round); }
    TLXExtPos ExtPos() const { return settings_.ExtPos; }
    void SetExtPos(TLXExtPos position) { Set(settings_.ExtPos, position); }
    TLXRegionMask& Mask() { return mask_; }
    TLXRgnShadow& Shadow() { return shadow_; }
    TLXPointList& Points() { return points_; }
    const QRegion& UserRegion() const { return settings_.UserRegion; }
    void SetUserRegion(const QRegion& region);
    // The region stays where it is: no shadow is painted under it.
    void SetShadowOff(bool off) { shadowOff_ = off; }
    void SetOffset(QPoint offset) { offset_ = offset; }

    // The shape for the rectangle, moved by the offset and shortened by the shadow's depth.
    QRegion CreateRegion(const QRect& rect, bool designing = false) const;
    // The shadow, then the border along the shape.
    void PaintBorder(platform::TCanvas& canvas, const QRect& rect) const;

protected:
    virtual const TLXRegionBorder* Border() const { return nullptr; }

private:
    TLXShapeSettings Settings() const;
    void RebuildFromPoints();

    TLXShapeSettings settings_;
    TLXRegionMask mask_;
    TLXRgnShadow shadow_;
    TLXPointList points_;
    QPoint offset_;
    bool shadowOff_ = false;
};

class TLXBorderRegion : public TLXRegion {
public:
    TLXBorderRegion();
    TLXRegionBorder& BorderObject() { return border_; }

protected:
    const TLXRegionBorder* Border() const override { return &border_; }

private:
    TLXRegionBorder border_;
};

// Gives its owner window the region's shape. Such a window is frameless: the window manager draws
// frames and captions outside the client area, where a mask cannot keep them.
class TLXFormShape : public TLXWndProcComponent, public TLXBackgroundSupplier {
    Q_OBJECT
public:
    explicit TLXFormShape(QObject* owner = nullptr);
    ~TLXFormShape() override;

    TLXBorderRegion& Region() { return region_; }
    // Kept for the forms that set it; there is no caption inside the window to keep.
    bool ShowFormCaption() const { return showFormCaption_; }
    void SetShowFormCaption(bool show) { showFormCaption_ = show; }
    bool FormDragable() const { return formDragable_; }
    void SetFormDragable(bool dragable) { formDragable_ = dragable; }
    bool UseRgnBitmap() const { return useRgnBitmap_; }
    void SetUseRgnBitmap(bool use);
    TLXFillObject& FillObject() { return fill_; }
    TLXImageListLink& Images() { return images_; }

    // The window's mask from the region for its current size.
    void UpdateRegion();
    const QRegion& WindowRegion() const { return windowRegion_; }

    void Loaded() override;
    bool SuppliesBackground() const override;
    const platform::TBitmap* BackgroundBitmap() const override;
    platform::TPoint BackgroundOffset(platform::TPoint point) const override { return point; }

protected:
    bool WndProc(QObject* watched, QEvent* event) override;

private:
    void PaintBackground(QWidget* window);
    bool DragStarts(QWidget* window, QMouseEvent* event);

    TLXBorderRegion region_;
    bool showFormCaption_ = true;
    bool formDragable_ = true;
    bool useRgnBitmap_ = true;
    TLXFillObject fill_;
    TLXImageListLink images_;
    QRegion windowRegion_;
    mutable platform::TBitmap background_;
    QPoint dragOrigin_;
    bool dragging_ = false;
};
