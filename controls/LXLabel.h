#pragma once
// The library's window-less text label: nine alignments, automatic sizing, an accelerator that
// focuses another control, a bevel frame, 3D and rotated text, and blinking on a timer of the
// application's pool. TLXBaseLabel holds the text and its state, TLXCustomLabel paints.
#include "controls/LXAppearance.h"
#include "controls/LXBevel.h"
#include "controls/LXGraphicControl.h"
#include "platform_gui/WindowKeys.h"

#include <QPointer>
#include <array>

// Label options, as bits.
enum TLXLabelOption : int { loPathEllipsis = 0x1, loEndEllipsis = 0x2, loEditControl = 0x4 };
// The text flags of a set of label options.
unsigned LabelOptionFlags(unsigned options);

// The text-markup tags of the library. No control interprets them.
inline constexpr std::array<const char*, 12> LXLabelMarkupTags = {
    "<inv>", "</inv>", "<bl>", "</bl>", "<u>", "</u>", "<s>", "</s>", "<b>", "</b>", "<i>", "</i>",
};

class TLXBaseLabel : public TLXBaseGraphicControl, public platform::DialogKeyReceiver {
    Q_OBJECT
public:
    explicit TLXBaseLabel(QWidget* parent = nullptr);
    ~TLXBaseLabel() override;

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TLXAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLXAlignment alignment);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    int Options() const { return options_; }
    void SetOptions(int options);
    // Focused by the accelerator; forgotten when it goes.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }

    // Blinking: visible phases last TwinkleVisible, hidden ones TwinkleInVisible (multiples of the
    // pool's 50 ms); the text is drawn in TwinkleColor while hidden, or not at all for clNone. A
    // running blink takes new intervals at its next phase change.
    bool Twinkle() const { return twinkleIdent_ != 0; }
    void SetTwinkle(bool twinkle);
    int TwinkleVisible() const { return twinkleVisible_; }
    void SetTwinkleVisible(int ms) { twinkleVisible_ = ms; }
    int TwinkleInVisible() const { return twinkleInVisible_; }
    void SetTwinkleInVisible(int ms) { twinkleInVisible_ = ms; }
    platform::TColor TwinkleColor() const { return twinkleColor_; }
    void SetTwinkleColor(platform::TColor color) { twinkleColor_ = color; }
    // True outside the hidden phases of a blink.
    bool VisiblePhase() const { return visiblePhase_; }

    virtual QString GetLabelText() const { return caption_; }
    // Sizes the label again and refreshes.
    void RefreshContent() override;

    bool DialogKey(const QKeyEvent&) override { return false; }
    bool DialogChar(QChar character) override;

protected:
    // Where the font or the text effects changed.
    enum TLXFontSource { fsFont, fsFontFX };
    virtual void FontChanged(TLXFontSource) { RefreshContent(); }
    virtual void AdjustBounds() {}
    // A transparent label without text paints nothing.
    virtual bool ShowDesignFrame() const { return Transparent() && GetLabelText().isEmpty(); }
    void FontChange() override { FontChanged(fsFont); }
    void changeEvent(QEvent* event) override;

    bool painting_ = false;

private:
    void TwinkleStep();

    QString caption_;
    TLXAlignment alignment_ = agTopLeft;
    bool autoSize_ = true;
    bool multiLine_ = false;
    bool showAccelChar_ = true;
    int options_ = 0;
    QPointer<QWidget> focusControl_;
    uint16_t twinkleIdent_ = 0;
    int twinkleVisible_ = 700;
    int twinkleInVisible_ = 700;
    platform::TColor twinkleColor_ = platform::clNone;
    bool visiblePhase_ = true;
};

class TLXCustomLabel : public TLXBaseLabel {
    Q_OBJECT
public:
    explicit TLXCustomLabel(QWidget* parent = nullptr);
    ~TLXCustomLabel() override;

    TLXBevel& Bevel() { return bevel_; }
    // Copies the values.
    void SetBevel(const TLXBevel& bevel) { bevel_.Assign(bevel); }
    TLXFxCaption& FontFX() { return fontFX_; }
    // Copies the values.
    void SetFontFX(const TLXFxCaption& fx) { fontFX_.Assign(fx); }

    // Its own size while AutoSize (the text's), so a layout keeps it.
    QSize sizeHint() const override;

protected:
    // A rotated font that cannot turn: a new font loses the rotation, a new rotation gets a font
    // that can ("Arial").
    void FontChanged(TLXFontSource source) override;
    // With AutoSize, the text's measured size, the bevel's extent as margin; left and top stay.
    void AdjustBounds() override;
    bool ShowDesignFrame() const override;
    void Paint(platform::TCanvas& canvas) override;

private:
    unsigned OptionFlags() const;

    TLXBevel bevel_;
    TLXFxCaption fontFX_;
};

class TLXLabel : public TLXCustomLabel {
    Q_OBJECT
public:
    using TLXCustomLabel::TLXCustomLabel;
};
