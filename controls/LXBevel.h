#pragma once
// The frame of a label, LED label, bevel panel or scroll box: an outer bevel, border frames and an
// inner bevel; a standard border; an edge; or the window's own 3-D border. It knows how many
// pixels it takes on each side, so its owner places the content inside.
#include "controls/LXObjects.h"
#include "controls/LXTypes.h"
#include "platform_gui/Canvas.h"

#include <algorithm>

enum TLXBevelMode : int { bmCustom, bmStandard, bmEdge, bmWindows };
enum TLXEdgeStyle : int {
    etRaisedInner,
    etRaisedOuter,
    etSunkenInner,
    etSunkenOuter,
    etBump,
    etEtched,
    etRaised,
    etSunken
};
// Frame sides of bmEdge, as bits.
enum TLXFrameSide : int { fsBottom = 0x1, fsLeft = 0x2, fsRight = 0x4, fsTop = 0x8 };
inline constexpr int fsAllSides = fsBottom | fsLeft | fsRight | fsTop;

class TLXBevel : public TLXObject {
public:
    TLXBevel();
    void Assign(const TLXObject& source) override;
    // Recomputes the extents, then notifies.
    void Changed() override;
    QString GetInspectorText() const override;

    TLXBevelMode Mode() const { return mode_; }
    void SetMode(TLXBevelMode mode);
    // The two styles agree on bvShadow: setting one to it sets both, leaving it on one clears the other.
    TLXBevelStyle StyleOuter() const { return styleOuter_; }
    void SetStyleOuter(TLXBevelStyle style) { SetStyle(styleOuter_, styleInner_, style); }
    TLXBevelStyle StyleInner() const { return styleInner_; }
    void SetStyleInner(TLXBevelStyle style) { SetStyle(styleInner_, styleOuter_, style); }
    // 0 to 50; for bvShadow the depth (outer) and the frame count (inner).
    int WidthOuter() const { return widthOuter_; }
    void SetWidthOuter(int width) { Set(widthOuter_, std::clamp(width, 0, 50)); }
    int WidthInner() const { return widthInner_; }
    void SetWidthInner(int width) { Set(widthInner_, std::clamp(width, 0, 50)); }
    // 0 to 255 frames in BorderColor between the bevels (bmCustom) and inside everything (any mode).
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) { Set(borderWidth_, std::clamp(width, 0, 255)); }
    int BorderInnerWidth() const { return borderInnerWidth_; }
    void SetBorderInnerWidth(int width) { Set(borderInnerWidth_, std::clamp(width, 0, 255)); }
    platform::TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(platform::TColor color) { Set(borderColor_, color); }
    platform::TColor LightColor() const { return lightColor_; }
    void SetLightColor(platform::TColor color) { Set(lightColor_, color); }
    platform::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(platform::TColor color) { Set(shadowColor_, color); }
    // Notifies only in bmStandard, the one mode that paints it.
    TLXBorderStyle StandardStyle() const { return standardStyle_; }
    void SetStandardStyle(TLXBorderStyle style);
    TLXEdgeStyle EdgeStyle() const { return edgeStyle_; }
    void SetEdgeStyle(TLXEdgeStyle style) { Set(edgeStyle_, style); }
    int BorderSides() const { return borderSides_; }
    void SetBorderSides(int sides) { Set(borderSides_, sides & fsAllSides); }

    // Pixels the frame takes on the left and top, and on the right and bottom.
    int Extent() const { return extent_; }
    int FarExtent() const { return farExtent_; }
    // The platform draws the frame of bmWindows (the scroll box's bevel).
    bool SystemFrame() const { return systemFrame_; }
    void SetSystemFrame(bool system) { systemFrame_ = system; }
    // True once after a mode change into or out of a platform-drawn frame, and always while one is
    // shown; the owner then recomputes its frame.
    bool FrameChanged();

    platform::TRect InnerRect(const platform::TRect& rect) const;
    // Paints into rect and answers the rectangle left inside. A transparent bevel leaves its border
    // frames (and bvShadow corners) unpainted but still takes their room.
    void PaintBevel(platform::TCanvas& canvas, const platform::TRect& rect, platform::TRect& inner,
                    bool transparent) const;

protected:
    explicit TLXBevel(TLXBevelMode mode, bool systemFrame);

private:
    void SetStyle(TLXBevelStyle& field, TLXBevelStyle& other, TLXBevelStyle style);
    void ComputeExtents();
    static void PaintFrames(platform::TCanvas& canvas, platform::TRect& rect, int count,
                            platform::TColor color, bool transparent);

    TLXBevelMode mode_ = bmCustom;
    TLXBevelStyle styleOuter_ = bvNone;
    TLXBevelStyle styleInner_ = bvNone;
    int widthOuter_ = 1;
    int widthInner_ = 1;
    int borderWidth_ = 0;
    int borderInnerWidth_ = 0;
    platform::TColor borderColor_ = platform::clBtnFace;
    platform::TColor lightColor_ = platform::clBtnHighlight;
    platform::TColor shadowColor_ = platform::clBtnShadow;
    TLXBorderStyle standardStyle_ = lsSingleLowered;
    TLXEdgeStyle edgeStyle_ = etEtched;
    int borderSides_ = fsAllSides;
    int extent_ = 0;
    int farExtent_ = 0;
    bool systemFrame_ = false;
    bool frameChanged_ = false;
};

// The scroll box's bevel: bmWindows at creation, its frame drawn by the platform.
class TLXScrollBoxBevel : public TLXBevel {
public:
    TLXScrollBoxBevel() : TLXBevel(bmWindows, true) {}
};
