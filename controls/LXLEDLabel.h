#pragma once
// Text shown as lit segments of a sixteen-segment LED display. TLXLED holds the geometry and the
// colours, builds the unlit cell (every segment as a checker of the unlit colour and the
// background) and draws text cell by cell; TLXLEDLabel is the window-less control showing it.
#include "controls/LXGraphicControl.h"
#include "controls/LXLedGeometry.h"

#include <QImage>

class TLXLED : public TLXObject {
public:
    TLXLED() = default;
    // Copies the geometry, the two colours and DisabledDigits.
    void Assign(const TLXObject& source) override;
    // Every change builds the unlit cell again when it is next needed.
    void Changed() override;

    platform::TColor ActiveColor() const { return activeColor_; }
    void SetActiveColor(platform::TColor color) { Set(activeColor_, color); }
    platform::TColor InActiveColor() const { return inActiveColor_; }
    void SetInActiveColor(platform::TColor color) { Set(inActiveColor_, color); }
    // 0 to 255 each.
    int Horzsize() const { return geometry_.Horz; }
    void SetHorzsize(int size) { Set(geometry_.Horz, std::clamp(size, 0, 255)); }
    int Vertsize() const { return geometry_.Vert; }
    void SetVertsize(int size) { Set(geometry_.Vert, std::clamp(size, 0, 255)); }
    int Thickness() const { return geometry_.Thick; }
    void SetThickness(int size) { Set(geometry_.Thick, std::clamp(size, 0, 255)); }
    // A disabled control shows unlit cells only.
    bool DisabledDigits() const { return disabledDigits_; }
    void SetDisabledDigits(bool disabled) { Set(disabledDigits_, disabled); }
    // The colour behind the cells; the control sets it to its own Color.
    platform::TColor Background() const { return background_; }
    void SetBackground(platform::TColor color) { Set(background_, color); }

    const TLXLedGeometry& Geometry() const { return geometry_; }
    platform::TSize TextExtent(const QString& text, int margin) const
    {
        return geometry_.TextExtent(text, margin);
    }
    // The text from the image's top-left, one cell per character, a carriage return starting a row.
    void DrawText(QImage& image, bool enabled, const QString& text) const;
    // The unlit cell, built again only after a change of geometry or colours.
    const QImage& Cell() const;

private:
    platform::TColor activeColor_ = 0x00FF00;
    platform::TColor inActiveColor_ = 0x008000;
    TLXLedGeometry geometry_;
    bool disabledDigits_ = true;
    platform::TColor background_ = platform::clBlack;
    mutable QImage cell_;
    mutable bool cellValid_ = false;
};

enum TLXLEDStyle : int { lsString, lsInteger };

class TLXLEDCustomLabel : public TLXGraphicControl {
    Q_OBJECT
public:
    explicit TLXLEDCustomLabel(QWidget* parent = nullptr);
    ~TLXLEDCustomLabel() override;

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    int Value() const { return value_; }
    // Shown at once in lsInteger, without sizing the control again.
    void SetValue(int value);
    TLXLEDStyle Style() const { return style_; }
    void SetStyle(TLXLEDStyle style);
    // 1 to 255; 0 is refused.
    int Digits() const { return digits_; }
    void SetDigits(int digits);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TLXLED& LED() { return led_; }
    // Copies the values.
    void SetLED(const TLXLED& led) { led_.Assign(led); }

    // What the cells show: the caption, or the number.
    QString ShownText() const;
    // With AutoSize, the control takes the text's extent (the bevel's as margin) first.
    void RefreshContent() override;
    // The text extent while AutoSize, so a layout keeps the control at that size.
    QSize sizeHint() const override;

protected:
    void ColorChanged() override;
    void Paint(platform::TCanvas& canvas) override;

private:
    QSize TextSize() const;

    QString caption_;
    int value_ = 0;
    TLXLEDStyle style_ = lsString;
    int digits_ = 2;
    bool autoSize_ = false;
    TLXLED led_;
};

class TLXLEDLabel : public TLXLEDCustomLabel {
    Q_OBJECT
public:
    using TLXLEDCustomLabel::TLXLEDCustomLabel;
};
