#pragma once
// The library's window-less speed button: fourteen looks, glyph and caption, hot tracking checked
// from the timer pool, latching in radio groups of its siblings, repeated clicks while held and a
// drop-down menu, optionally from a split strip at the right edge.
#include "controls/LXAppearance.h"
#include "controls/LXGlyphCache.h"
#include "controls/LXGraphicControl.h"
#include "platform_gui/WindowKeys.h"

#include <QMenu>
#include <QPointer>
#include <cstdint>

class TLXBaseGraphicButton : public TLXBaseControl, public platform::DialogKeyReceiver {
    Q_OBJECT
    // What a language file's Caption sets: the painted caption.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    // Draw states.
    static constexpr int bsNormal = 0;
    static constexpr int bsDisabled = 1;
    static constexpr int bsHot = 2;
    static constexpr int bsDown = 3;
    static constexpr int bsPressed = 4;
    static constexpr int bsDropped = 6;
    static constexpr int bsDisabledDown = 7;

    explicit TLXBaseGraphicButton(QWidget* parent = nullptr);
    ~TLXBaseGraphicButton() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // A word-wrapped caption.
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine) { SetAndRefresh(multiLine_, multiLine); }
    bool UseCaption() const { return useCaption_; }
    void SetUseCaption(bool use) { SetAndRefresh(useCaption_, use); }
    const platform::TBitmap& Glyph() const { return glyph_.Bitmap(); }
    // Ends the image list as the glyph's source first.
    void SetGlyph(const platform::TBitmap& glyph);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int count);
    TLXGlyph& GlyphObject() { return glyph_; }
    TLXButtonLayout& ButtonLayout() { return layout_; }
    void SetButtonLayout(const TLXButtonLayout& layout) { layout_.Assign(layout); }
    TLXFxCaption& FontFX() { return fontFX_; }
    void SetFontFX(const TLXFxCaption& caption) { fontFX_.Assign(caption); }
    platform::TColor EnterColor() const { return enterColor_; }
    void SetEnterColor(platform::TColor color) { SetAndRefresh(enterColor_, color); }
    bool EnterColorChange() const { return enterColorChange_; }
    void SetEnterColorChange(bool change) { SetAndRefresh(enterColorChange_, change); }
    bool HideHint() const { return hideHint_; }
    void SetHideHint(bool hide) { hideHint_ = hide; }
    bool RepeatedClick() const { return repeatedClick_; }
    void SetRepeatedClick(bool repeat) { repeatedClick_ = repeat; }
    // Milliseconds; the pool counts them in its steps.
    int RepeatingDelay() const { return repeatingDelay_; }
    void SetRepeatingDelay(int delay) { repeatingDelay_ = delay; }
    int RepeatingInterval() const { return repeatingInterval_; }
    void SetRepeatingInterval(int interval) { repeatingInterval_ = interval; }

    // 0 is a plain button.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int group);
    bool Pressed() const { return pressed_; }
    // Always false without a group; a pressed button is released only with AllowAllUp.
    void SetPressed(bool pressed);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    // A sibling of the group announced itself: release when both are pressed, take its AllowAllUp.
    void GroupAnnounced(int group, TLXBaseGraphicButton* sender);

    QMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(QMenu* menu);
    // The menu opens from a strip of DropDownComboWidth pixels at the right edge; switching it
    // changes the width by the strip.
    bool DropDownCombo() const { return dropDownCombo_; }
    void SetDropDownCombo(bool combo);
    int DropDownComboWidth() const { return dropDownComboWidth_; }
    void SetDropDownComboWidth(int width);
    int DropDownIndent() const { return dropDownIndent_; }
    void SetDropDownIndent(int indent) { SetAndRefresh(dropDownIndent_, indent); }
    bool DropDownRight() const { return dropDownRight_; }
    void SetDropDownRight(bool right) { SetAndRefresh(dropDownRight_, right); }
    bool ComboActive() const { return dropDownMenu_ != nullptr && dropDownCombo_; }

    int State() const { return state_; }
    int PreviousState() const { return previousState_; }
    uint16_t HotTimer() const { return hotTimer_; }
    uint16_t RepeatTimer() const { return repeatTimer_; }

    virtual void Click() { emit OnClick(); }
    // Opens the menu below the button (or at its right edge) and waits for it; the button is hot
    // afterwards.
    void DropDown();

    virtual bool HotLook() const { return glyph_.Uncoloured(); }
    virtual bool FlatLook() const { return false; }
    virtual bool NeedsHotRepaint() const { return false; }
    void MouseEnter() override;
    void MouseExit() override;

    bool DialogKey(const QKeyEvent&) override { return false; }
    bool DialogChar(QChar character) override;
    void ImageListChanged() override;

signals:
    void OnClick();
    void OnDblClick();
    void OnDropDown();

protected:
    // Glyph and caption in the content rectangle.
    virtual void DrawContent(platform::TCanvas& canvas, const platform::TRect& rect);
    // Whether the look shows the parent through its face (no opaque fill of its own).
    virtual bool TransparentLook() const { return false; }
    void SetState(int state);

    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    template <typename T> void SetAndRefresh(T& field, T value)
    {
        if (field != value) {
            field = value;
            update();
        }
    }
    void AnnounceToGroup();
    void HotCheck();
    void StartHotCheck();
    void StopHotCheck();
    void StartRepeat();
    void StopRepeat();
    // The pool's item, or 0 after the refusal was shown: no exception leaves an event handler.
    uint16_t AddTimer(int interval, std::function<void()> handler);
    bool Inside(QPoint point) const;
    int ReleaseTarget() const { return state_ == bsDisabled || state_ == bsDisabledDown ? state_ : bsNormal; }

    QString caption_;
    bool useCaption_ = true;
    bool multiLine_ = false;
    TLXGlyph glyph_;
    TLXButtonLayout layout_;
    TLXFxCaption fontFX_;
    platform::TColor enterColor_ = platform::clCaptionText;
    bool enterColorChange_ = false;
    bool hideHint_ = true;
    bool repeatedClick_ = false;
    int repeatingDelay_ = 500;
    int repeatingInterval_ = 100;
    int groupIndex_ = 0;
    bool pressed_ = false;
    bool allowAllUp_ = false;
    QPointer<QMenu> dropDownMenu_;
    bool dropDownCombo_ = false;
    int dropDownComboWidth_ = 12;
    int dropDownIndent_ = 0;
    bool dropDownRight_ = false;

    int state_ = bsNormal;
    int previousState_ = bsNormal;
    bool captured_ = false;
    bool hotTracking_ = true;
    uint16_t hotTimer_ = 0;
    uint16_t repeatTimer_ = 0;
};

class TLXCustomSpeedButton : public TLXBaseGraphicButton {
    Q_OBJECT
public:
    explicit TLXCustomSpeedButton(QWidget* parent = nullptr);

    TLXUserButtonStyle Style() const { return style_; }
    // Uncoloured glyphs for ubsFlatUnColored, ubsNavigator and ubsExplorer.
    void SetStyle(TLXUserButtonStyle style);
    bool HotLook() const override;
    bool FlatLook() const override;
    bool SupportsThemes() const override;

protected:
    bool TransparentLook() const override;
    void Paint(platform::TCanvas& canvas) override;

private:
    TLXUserButtonStyle style_ = ubsAutoDetect;
};

class TLXSpeedButton : public TLXCustomSpeedButton {
    Q_OBJECT
public:
    explicit TLXSpeedButton(QWidget* parent = nullptr);
};
