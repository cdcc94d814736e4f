#pragma once
// The appearance objects controls publish: the glyph-and-text layout and its button variant with a
// drop-down arrow, the 3D and rotated captions, and the gradient with its computed colour steps.
// Every setter notifies only when the value changes.
#include "controls/LXColorRamp.h"
#include "controls/LXObjects.h"
#include "controls/LXTypes.h"
#include "platform_gui/Color.h"

#include <QList>
#include <algorithm>
#include <optional>

class TLXGlyphTextLayout : public TLXObject {
public:
    TLXGlyphTextLayout() = default;
    void Assign(const TLXObject& source) override;

    TLXAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLXAlignment value) { Set(alignment_, value); }
    TLXTextArrange AlignText2Glyph() const { return alignText2Glyph_; }
    void SetAlignText2Glyph(TLXTextArrange value) { Set(alignText2Glyph_, value); }
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value) { Set(offsetX_, value); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value) { Set(offsetY_, value); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { Set(spacing_, value); }

protected:
    void CopyLayout(const TLXGlyphTextLayout& source);

    TLXAlignment alignment_ = agTopLeft;

private:
    TLXTextArrange alignText2Glyph_ = taRight;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int spacing_ = 2;
};

class TLXButtonLayout : public TLXGlyphTextLayout {
public:
    TLXButtonLayout() { alignment_ = agCenter; }
    // One notification for the whole copy.
    void Assign(const TLXObject& source) override;

    bool Arrow() const { return arrow_; }
    void SetArrow(bool value) { Set(arrow_, value); }
    platform::TColor ArrowColor() const { return arrowColor_; }
    void SetArrowColor(platform::TColor value) { Set(arrowColor_, value); }
    int ArrowIndent() const { return arrowIndent_; }
    void SetArrowIndent(int value) { Set(arrowIndent_, value); }
    TLXArrowPosition ArrowPosition() const { return arrowPosition_; }
    void SetArrowPosition(TLXArrowPosition value) { Set(arrowPosition_, value); }
    // 2 to 10 pixels.
    int ArrowSize() const { return arrowSize_; }
    void SetArrowSize(int value) { Set(arrowSize_, std::clamp(value, 2, 10)); }

private:
    bool arrow_ = false;
    platform::TColor arrowColor_ = platform::clBlack;
    int arrowIndent_ = 3;
    TLXArrowPosition arrowPosition_ = apRightText;
    int arrowSize_ = 3;
};

class TLX3DCaption : public TLXObject {
public:
    // Everything but the orientation, which stays the target's own.
    void Assign(const TLXObject& source) override;
    QString GetInspectorText() const override;

    TLXThreeDStyle Style() const { return style_; }
    void SetStyle(TLXThreeDStyle value) { Set(style_, value); }
    TLXDisabledStyle DisabledStyle() const { return disabledStyle_; }
    void SetDisabledStyle(TLXDisabledStyle value) { Set(disabledStyle_, value); }
    int LightDepth() const { return lightDepth_; }
    void SetLightDepth(int value) { Set(lightDepth_, value & 0xFF); }
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int value) { Set(shadowDepth_, value & 0xFF); }
    platform::TColor LightColor() const { return lightColor_; }
    void SetLightColor(platform::TColor value) { Set(lightColor_, value); }
    platform::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(platform::TColor value) { Set(shadowColor_, value); }
    TLXThreeDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TLXThreeDOrientation value) { Set(orientation_, value); }
    int Tracing() const { return tracing_; }
    void SetTracing(int value) { Set(tracing_, value); }

protected:
    void CopyCaption(const TLX3DCaption& source);

private:
    TLXThreeDStyle style_ = tdNone;
    TLXDisabledStyle disabledStyle_ = dsAuto;
    int lightDepth_ = 1;
    int shadowDepth_ = 1;
    platform::TColor lightColor_ = platform::clBtnHighlight;
    platform::TColor shadowColor_ = platform::clBtnShadow;
    TLXThreeDOrientation orientation_ = toTopLeft;
    int tracing_ = 0;
};

class TLXFxCaption : public TLX3DCaption {
public:
    void Assign(const TLXObject& source) override;
    QString GetInspectorText() const override;

    int Angle() const { return angle_; }
    // 0 to 360; 360 is kept as 0, compared with the old angle before that.
    void SetAngle(int value);
    int PosX() const { return posX_; }
    void SetPosX(int value) { Set(posX_, value & 0xFFFF); }
    int PosY() const { return posY_; }
    void SetPosY(int value) { Set(posY_, value & 0xFFFF); }
    // Without notification.
    void SetTextOrigin(int x, int y);

private:
    int angle_ = 0;
    int posX_ = 0;
    int posY_ = 0;
};

class TLXGradient : public TLXObject {
public:
    TLXGradient();
    // One notification for the whole copy, colour list included.
    void Assign(const TLXObject& source) override;
    QString GetInspectorText() const override;
    // Rebuilds the steps, then notifies.
    void Changed() override;

    platform::TColor Color() const { return color_; }
    void SetColor(platform::TColor value) { Set(color_, value); }
    platform::TColor EndColor() const { return endColor_; }
    void SetEndColor(platform::TColor value) { Set(endColor_, value); }
    // 2 to 236.
    int ColorCount() const { return colorCount_; }
    void SetColorCount(int value) { Set(colorCount_, std::clamp(value, 2, 236)); }
    TLXGradientStyle Style() const { return style_; }
    void SetStyle(TLXGradientStyle value) { Set(style_, value); }
    // True colour needs no palette; the setting is kept for the controls that read it.
    bool PaletteRealize() const { return paletteRealize_; }
    void SetPaletteRealize(bool value) { Set(paletteRealize_, value); }
    bool TwoColors() const { return twoColors_; }
    void SetTwoColors(bool value) { Set(twoColors_, value); }
    const QList<platform::TColor>& ColorList() const { return colorList_; }
    void SetColorList(const QList<platform::TColor>& colors) { Set(colorList_, colors); }

    // The colours painted, first to last.
    const QList<platform::TColor>& Steps() const { return steps_; }
    // A palette of the steps while PaletteRealize is set and there are steps.
    const std::optional<TLXPalette>& Palette() const { return palette_; }

private:
    void BuildSteps();

    platform::TColor color_ = 0xFF0000;
    platform::TColor endColor_ = platform::clBlack;
    int colorCount_ = 16;
    TLXGradientStyle style_ = gstVertical;
    bool paletteRealize_ = false;
    bool twoColors_ = true;
    QList<platform::TColor> colorList_;
    QList<platform::TColor> steps_;
    std::optional<TLXPalette> palette_;
};
