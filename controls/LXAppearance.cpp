#include "controls/LXAppearance.h"

#include "controls/LXColorRamp.h"

void TLXGlyphTextLayout::CopyLayout(const TLXGlyphTextLayout& source)
{
    SetAlignment(source.Alignment());
    SetAlignText2Glyph(source.AlignText2Glyph());
    SetOffsetX(source.OffsetX());
    SetOffsetY(source.OffsetY());
    SetSpacing(source.Spacing());
}

void TLXGlyphTextLayout::Assign(const TLXObject& source)
{
    const auto* layout = dynamic_cast<const TLXGlyphTextLayout*>(&source);
    if (!layout)
        return TLXObject::Assign(source);
    BeginUpdate();
    CopyLayout(*layout);
    EndUpdate(true);
}

void TLXButtonLayout::Assign(const TLXObject& source)
{
    const auto* layout = dynamic_cast<const TLXButtonLayout*>(&source);
    if (!layout)
        return TLXGlyphTextLayout::Assign(source);
    BeginUpdate();
    CopyLayout(*layout);
    arrow_ = layout->arrow_;
    arrowColor_ = layout->arrowColor_;
    arrowIndent_ = layout->arrowIndent_;
    arrowPosition_ = layout->arrowPosition_;
    arrowSize_ = layout->arrowSize_;
    EndUpdate(true);
}

void TLX3DCaption::CopyCaption(const TLX3DCaption& source)
{
    style_ = source.style_;
    disabledStyle_ = source.disabledStyle_;
    lightDepth_ = source.lightDepth_;
    shadowDepth_ = source.shadowDepth_;
    lightColor_ = source.lightColor_;
    shadowColor_ = source.shadowColor_;
    tracing_ = source.tracing_;
}

void TLX3DCaption::Assign(const TLXObject& source)
{
    const auto* caption = dynamic_cast<const TLX3DCaption*>(&source);
    if (!caption)
        return TLXObject::Assign(source);
    CopyCaption(*caption);
    Changed();
}

QString TLX3DCaption::GetInspectorText() const
{
    static const char* const words[] = {"Disabled",      "sunken",        "raised",     "sunken shadow",
                                        "raised shadow", "PColor sunken", "",           "shadow",
                                        "outline",       "extrude",       "extrude enh"};
    return QStringLiteral("{") + QString::fromLatin1(words[style_]) + QStringLiteral("}");
}

void TLXFxCaption::Assign(const TLXObject& source)
{
    const auto* caption = dynamic_cast<const TLXFxCaption*>(&source);
    if (!caption)
        return TLX3DCaption::Assign(source);
    CopyCaption(*caption);
    angle_ = caption->angle_;
    posX_ = caption->posX_;
    posY_ = caption->posY_;
    Changed();
}

QString TLXFxCaption::GetInspectorText() const
{
    QString text = TLX3DCaption::GetInspectorText();
    if (angle_ == 0)
        return text;
    if (text == QStringLiteral("{Disabled}"))
        text = QStringLiteral("{");
    else
        text = text.chopped(1) + QStringLiteral(",");
    return text + QStringLiteral(" rot: ") + QString::number(angle_) + QStringLiteral("°}");
}

void TLXFxCaption::SetAngle(int value)
{
    value = std::clamp(value, 0, 360);
    if (value == angle_)
        return;
    angle_ = value == 360 ? 0 : value;
    Changed();
}

void TLXFxCaption::SetTextOrigin(int x, int y)
{
    BeginUpdate();
    SetPosX(x);
    SetPosY(y);
    EndUpdate(false);
}

TLXGradient::TLXGradient()
{
    BuildSteps();
}

void TLXGradient::Assign(const TLXObject& source)
{
    const auto* gradient = dynamic_cast<const TLXGradient*>(&source);
    if (!gradient)
        return TLXObject::Assign(source);
    BeginUpdate();
    color_ = gradient->color_;
    endColor_ = gradient->endColor_;
    colorCount_ = gradient->colorCount_;
    style_ = gradient->style_;
    paletteRealize_ = gradient->paletteRealize_;
    twoColors_ = gradient->twoColors_;
    colorList_ = gradient->colorList_;
    EndUpdate(true);
}

QString TLXGradient::GetInspectorText() const
{
    static const char* const words[] = {"horizontal",    "vertical",      "square",      "elliptic",
                                        "top left",      "top right",     "bottom left", "bottom right",
                                        "top left diag", "top right diag"};
    return QString::fromLatin1(words[style_]) + QStringLiteral(", Col: ") + QString::number(colorCount_) +
           (twoColors_ ? QStringLiteral(", 2 col mode") : QStringLiteral(", mult. col mode"));
}

void TLXGradient::Changed()
{
    BuildSteps();
    TLXObject::Changed();
}

void TLXGradient::BuildSteps()
{
    steps_.clear();
    if (twoColors_) {
        BuildColorRamp(color_, endColor_, colorCount_, true, &steps_);
    } else if (const int n = static_cast<int>(colorList_.size()); n >= 2) {
        const int perRamp = colorCount_ / n;
        BuildColorRamp(colorList_[0], colorList_[1], perRamp, true, &steps_);
        for (int i = 1; i + 1 < n; ++i)
            BuildColorRamp(colorList_[i], colorList_[i + 1], perRamp, false, &steps_);
    }
    palette_ = paletteRealize_ ? CreateRampPalette(steps_) : std::nullopt;
}
