#pragma once
// The window-less bases of the library. They are widgets that never take the focus and sit below
// their windowed siblings, as the original painted them on the parent's surface under every
// windowed control. A transparent one paints no background, so the parent shows through.
#include "controls/LXBevel.h"
#include "controls/LXControlBase.h"
#include "controls/LXFillObjects.h"
#include "controls/LXImageListLink.h"

class TLXControl : public TLXWidgetBase {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Windowless READ Windowless CONSTANT)
public:
    explicit TLXControl(QWidget* parent = nullptr);

    bool Windowless() const { return true; }
    bool ThemeFlag() const { return themeFlag_; }
    bool UseThemes() const;
    virtual void ThemeChanged();
    virtual bool SupportsThemes() const { return false; }
    // 1 the size changed, 2 the position, 3 both.
    virtual void BoundsChanged(int changes) { emit OnBoundsChanged(changes); }
    virtual void MouseEnter();
    virtual void MouseExit();
    virtual void RefreshContent() { update(); }

    // Moves and sizes the control and tells BoundsChanged at once, shown or not.
    void SetBounds(int left, int top, int width, int height);

    void LXThemeChanged() override { ThemeChanged(); }

signals:
    void OnMouseEnter();
    void OnMouseExit();
    void OnBoundsChanged(int changes);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

    bool themeFlag_ = false;
};

class TLXBaseControl : public TLXControl {
    Q_OBJECT
public:
    explicit TLXBaseControl(QWidget* parent = nullptr);
    ~TLXBaseControl() override;

    // Inert on this platform; a change refreshes the control.
    TLXBitmapEffectObject& EffectObject() { return effect_; }
    // The image ImageIndex of list ListIndex in ImageList; ImageListChanged follows every change.
    TLXImageListLink& Images() { return images_; }
    const TLXImageListLink& Images() const { return images_; }

    virtual bool HasParentBackground() const { return false; }
    virtual void ImageListChanged() { RefreshContent(); }

private:
    TLXBitmapEffectObject effect_;
    TLXImageListLink images_;
};

class TLXBaseGraphicControl : public TLXBaseControl {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
public:
    explicit TLXBaseGraphicControl(QWidget* parent = nullptr);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    // Transparent: invalidate, the parent repaints below; opaque: paint at once.
    void RefreshContent() override;
    bool HasParentBackground() const override;

    void LXRefreshContent() override;
    void LXParentBackgroundChanged() override;

private:
    bool transparent_ = true;
};

class TLXGraphicControl : public TLXBaseGraphicControl {
    Q_OBJECT
public:
    explicit TLXGraphicControl(QWidget* parent = nullptr);
    ~TLXGraphicControl() override;

    TLXBevel& Bevel() { return bevel_; }
    const TLXBevel& Bevel() const { return bevel_; }
    // Copies the values.
    void SetBevel(const TLXBevel& bevel) { bevel_.Assign(bevel); }

protected:
    // The design-time frame is never shown at run time: answering true with no bevel extent
    // leaves the control unpainted.
    virtual bool ShowDesignFrame() const { return true; }
    // The bevel, then the content inside it.
    void Paint(platform::TCanvas& canvas) override;
    virtual void PaintInside(platform::TCanvas&, const platform::TRect&) {}

private:
    TLXBevel bevel_;
};
