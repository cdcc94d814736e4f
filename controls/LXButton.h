#pragma once
// The library's owner-drawn push button: its face in fourteen looks, a
// multi-state glyph, a 3D or rotated caption, hot tracking, a click that
// repeats while held, and the window's Enter, Escape and accelerator keys.
// TLXButton adds the drop-down menu.
#include "controls/LXAppearance.h"
#include "controls/LXContainers.h"
#include "controls/LXGlyphCache.h"
#include "controls/LXTypes.h"
#include "platform_gui/Canvas.h"
#include "platform_gui/Font.h"
#include "platform_gui/WindowKeys.h"

#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <cstdint>

// The frame width of a look, as the speed buttons lay out their content.
// DrawText's right-to-left reading order.
inline constexpr unsigned DT_RTLREADING = 0x20000;

int ButtonFrameWidth(TLXUserButtonStyle look);
// The looks whose client area is filled before the face is drawn over it.
bool FillsClientFirst(TLXUserButtonStyle look);

// The drop-down menu of a button, below it (or at its right edge) moved along by indent, run to its
// end; a leftover mouse grab is let go, and the closing click does not reach the window again.
void PopUpButtonMenu(QWidget* button, QMenu* menu, bool right, int indent);

// Draw state of a paint: 1 disabled, else 4 pressed, else 2 hot, else 0.
int ButtonDrawState(bool enabled, bool selected, bool hot);
// Face flags of a paint: 1, plus 2 as the active default, 0x20 focused and 0x40
// hot.
unsigned ButtonFaceFlags(bool activeDefault, bool focused, bool hot);

class TLXCustomButton : public QPushButton,
                        public platform::DialogKeyReceiver,
                        public platform::DefaultButtonReceiver {
    Q_OBJECT
    // What a language file's Caption sets: the painted caption, not the platform button's text.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TLXCustomButton(QWidget* parent = nullptr);
    ~TLXCustomButton() override;

    // The caption; CR LF always starts a new line and "&" marks the accelerator.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    TLXButtonLayout& ButtonLayout() { return layout_; }
    void SetButtonLayout(const TLXButtonLayout& layout) { layout_.Assign(layout); }
    TLXFxCaption& FontFX() { return fontFX_; }
    void SetFontFX(const TLXFxCaption& caption) { fontFX_.Assign(caption); }
    platform::TFont& Font() { return font_; }
    void SetFont(const platform::TFont& font) { font_.Assign(font); }
    // While set the font follows the window's (the widget's inherited font).
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    // While ParentColor the parent's window colour; setting a colour ends
    // ParentColor.
    platform::TColor Color() const;
    void SetColor(platform::TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    const platform::TBitmap& Glyph() const { return glyph_.Bitmap(); }
    // Ends the image list as the glyph's source first.
    void SetGlyph(const platform::TBitmap& glyph);
    // The glyph's source instead of Glyph: image ImageIndex of list ListIndex, followed as the list
    // changes; a list that cannot give it leaves no glyph. A freed list is let go.
    TLXCustomImageList* ImageList() const { return imageList_; }
    void SetImageList(TLXCustomImageList* list);
    int ImageIndex() const { return imageIndex_; }
    // Negative values are ignored.
    void SetImageIndex(int index);
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int count);
    TLXGlyph& GlyphObject() { return glyph_; }
    TLXUserButtonStyle ExtStyle() const { return extStyle_; }
    void SetExtStyle(TLXUserButtonStyle look);
    bool HideHint() const { return hideHint_; }
    void SetHideHint(bool hide) { hideHint_ = hide; }
    bool UseCaption() const { return useCaption_; }
    void SetUseCaption(bool use);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    // The platform button's own wrapping; the painted caption ignores it.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
    bool TabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void SetTabStop(bool tabStop);

    bool RepeatedClick() const { return repeatedClick_; }
    void SetRepeatedClick(bool repeat) { repeatedClick_ = repeat; }
    // Milliseconds; the pool counts them in its 50 ms steps.
    int RepeatingInterval() const { return repeatingInterval_; }
    void SetRepeatingInterval(int interval) { repeatingInterval_ = interval; }
    int RepeatingDelay() const { return repeatingDelay_; }
    void SetRepeatingDelay(int delay) { repeatingDelay_ = delay; }
    // The pool ident of the running repeat; 0 without one.
    uint16_t RepeatTimer() const { return repeatTimer_; }

    bool Hot() const { return hot_; }
    int DrawState() const { return drawState_; }
    bool ActiveDefault() const { return activeDefault_; }

    // The platform button's click: OnClick, then the modal result ends a modal
    // dialog.
    virtual void Click();

    bool DialogKey(const QKeyEvent& key) override;
    bool DialogChar(QChar character) override;
    bool IsDefaultButton() const override { return default_; }
    void SetActiveDefault(bool active) override;

    // The face as a paint request with the given selected and focused states
    // paints it.
    void DrawItem(platform::TCanvas& canvas, bool selected, bool focused);

signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseExit();

protected:
    // Glyph and caption laid out and painted in the content rectangle.
    virtual void DrawContent(platform::TCanvas& canvas, const platform::TRect& rect, unsigned textFlags);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

    void SetHot(bool hot);
    void ResetDrawState() { drawState_ = 0; }

private:
    enum class ChangeSource { Font, FontFX, Layout, Glyph };
    // Runs when the font, the caption effects, the layout or the glyph report a
    // change.
    void FontCheck(ChangeSource source);
    void FollowParentFont();
    void ReloadGlyph();
    void StartRepeat();
    void StopRepeat();
    bool Usable() const { return isVisible() && isEnabled(); }

    QString caption_;
    bool cancel_ = false;
    bool default_ = false;
    int modalResult_ = 0;
    TLXButtonLayout layout_;
    TLXFxCaption fontFX_;
    platform::TFont font_;
    bool parentFont_ = true;
    platform::TColor color_ = platform::clWindow;
    bool parentColor_ = true;
    TLXGlyph glyph_;
    QPointer<TLXCustomImageList> imageList_;
    TLXChangeLink imageLink_;
    QMetaObject::Connection imageListGone_;
    int imageIndex_ = 0;
    int listIndex_ = 0;
    TLXUserButtonStyle extStyle_ = ubsAutoDetect;
    bool hideHint_ = true;
    bool useCaption_ = true;
    bool multiLine_ = false;
    bool wordWrap_ = false;
    bool repeatedClick_ = false;
    int repeatingInterval_ = 100;
    int repeatingDelay_ = 500;
    uint16_t repeatTimer_ = 0;
    bool hot_ = false;
    int drawState_ = 0;
    bool activeDefault_ = false;
};

class TLXButton : public TLXCustomButton {
    Q_OBJECT
public:
    explicit TLXButton(QWidget* parent = nullptr);

    QMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(QMenu* menu) { dropDownMenu_ = menu; }
    int DropDownIndent() const { return dropDownIndent_; }
    void SetDropDownIndent(int indent) { dropDownIndent_ = indent; }
    bool DropDownRight() const { return dropDownRight_; }
    void SetDropDownRight(bool right) { dropDownRight_ = right; }
    bool DroppedDown() const { return droppedDown_; }

    // With a drop-down menu: OnClick, then the menu below the button (or at its
    // right edge), shown pressed until the menu closes; the modal result is not
    // applied.
    void Click() override;

signals:
    void OnDropDown();

private:
    QPointer<QMenu> dropDownMenu_;
    int dropDownIndent_ = 0;
    bool dropDownRight_ = false;
    bool droppedDown_ = false;
};
