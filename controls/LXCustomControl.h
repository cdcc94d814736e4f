#pragma once
// The windowed bases of the library: TLXCustomControl (a widget of its own, taking the focus as
// TabStop says) and the container TLXCustomPanel, which may paint over a background its parent
// supplies. On this platform no parent supplies one, so both fill with Color.
#include "controls/LXControlBase.h"
#include "controls/LXFillObjects.h"
#include "controls/LXImageListLink.h"
#include "platform_gui/Bitmap.h"

// A parent that can paint a background under the library's transparent children: the library's
// scroll box, or a form through its form shape.
class TLXBackgroundSupplier {
public:
    virtual ~TLXBackgroundSupplier() = default;
    // Whether a background is there to paint from.
    virtual bool SuppliesBackground() const = 0;
    virtual const platform::TBitmap* BackgroundBitmap() const = 0;
    // Where the point of a child at (0, 0) of the supplier lies in the background bitmap.
    virtual platform::TPoint BackgroundOffset(platform::TPoint point) const = 0;
};

// The supplier behind a parent: the parent itself, or for a window the first supplier among its
// direct children (a form's form shape); null without one.
TLXBackgroundSupplier* BackgroundSupplierOf(QWidget* parent);

class TLXCustomControl : public TLXWidgetBase {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
public:
    explicit TLXCustomControl(QWidget* parent = nullptr);
    ~TLXCustomControl() override;

    // Applied to the copy of a parent's background; inert on this platform.
    TLXBitmapEffectObject& EffectObject() { return effect_; }
    // The image ImageIndex of list ListIndex in ImageList; ImageListChanged follows every change.
    TLXImageListLink& Images() { return images_; }
    const TLXImageListLink& Images() const { return images_; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool CtlXP() const { return ctlXP_; }
    void SetCtlXP(bool ctlXP);
    // Tab and click focus, or focus only when asked for.
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool tabStop);
    bool Hot() const { return hot_; }
    // Between the focus coming and going.
    bool FocusedFlag() const { return focused_; }

    bool UseThemes() const;
    virtual void ThemeChanged();
    virtual bool ThemeBackgroundAllowed() const { return true; }
    virtual bool SupportsThemes() const { return false; }
    virtual bool DrawsParentThemeBackground() const;
    virtual bool IsTransparentOnBackground() const;
    virtual void PaintBackground(platform::TCanvas& canvas);
    // A property object of the control changed: repaint when the control asks for it.
    virtual void ObjectChanged(const void* sender);
    virtual bool IsReadOnly() const { return false; }
    virtual void ImageListChanged() { ObjectChanged(nullptr); }
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual const platform::TBitmap* BackgroundBitmap() const { return nullptr; }
    virtual bool HasParentBackground() const { return false; }
    // Copies the parent's background under rect; false when nothing was drawn.
    virtual bool DrawBackground(platform::TCanvas& canvas, const platform::TRect& rect, unsigned flags,
                                platform::TPoint offset);
    virtual platform::TPoint BackgroundOffset(platform::TPoint point) const { return point; }

    void LXParentBackgroundChanged() override;
    void LXFocusGained() override { emit OnFocusGained(); }
    void LXFocusLost() override { emit OnFocusLost(); }
    void LXThemeChanged() override { ThemeChanged(); }

signals:
    void OnMouseEnter();
    void OnMouseLeave();
    void OnFocusGained();
    void OnFocusLost();

protected:
    void Paint(platform::TCanvas& canvas) override { PaintBackground(canvas); }
    // The parent's background moved under the control: repaint now and tell the children, or
    // just invalidate.
    void BackgroundMoved(bool tellChildren);

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

    bool repaintOnChange_ = true;
    // Set while the themed parent background has been drawn; never on this platform.
    bool themeBackgroundDrawn_ = false;

private:
    TLXBitmapEffectObject effect_;
    TLXImageListLink images_;
    bool transparent_ = false;
    bool ctlXP_ = true;
    bool hot_ = false;
    bool focused_ = false;
};

class TLXCustomPanel : public TLXCustomControl {
    Q_OBJECT
public:
    explicit TLXCustomPanel(QWidget* parent = nullptr);

    // The parent-background chain: a library parent's answer, or the supplier's.
    bool HasParentBackground() const override;
    const platform::TBitmap* BackgroundBitmap() const override;
    platform::TPoint BackgroundOffset(platform::TPoint point) const override;
    bool DrawBackground(platform::TCanvas& canvas, const platform::TRect& rect, unsigned flags,
                        platform::TPoint offset) override;

private:
    // Half the frame the contents margins take, on each axis.
    platform::TPoint HalfBorder() const;
};

// Whether the parent paints a background its transparent children may show: a library parent's
// own answer, a supplier's, else false.
bool ParentSuppliesBackground(const QWidget* parent);
