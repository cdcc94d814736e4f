#pragma once
// The library's scrolling container: a scroll area framed by its bevel (the platform's sunken
// client edge in bmWindows), the corner between two scroll bars in Color, and OnScroll after a
// scroll that moved a bar. It supplies no background to transparent children.
#include "controls/LXBevel.h"
#include "controls/LXCustomControl.h"

#include <QScrollArea>

class TLXCustomScrollBox : public QScrollArea, public TLXBackgroundSupplier {
    Q_OBJECT
public:
    explicit TLXCustomScrollBox(QWidget* parent = nullptr);
    ~TLXCustomScrollBox() override;

    TLXScrollBoxBevel& Bevel() { return bevel_; }
    const TLXScrollBoxBevel& Bevel() const { return bevel_; }
    // Copies the values.
    void SetBevel(const TLXBevel& bevel) { bevel_.Assign(bevel); }

    platform::TColor Color() const { return color_; }
    void SetColor(platform::TColor color);
    // The client edge of bmWindows: 2 pixels, or 1 without.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool ctl3D);
    bool CtlXP() const { return ctlXP_; }
    void SetCtlXP(bool ctlXP);
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool full) { fullRepaint_ = full; }
    // Kept for the forms that set it: child widgets have no windows of their own to give back.
    bool SaveResources() const { return saveResources_; }
    void SetSaveResources(bool save);

    virtual bool SupportsThemes() const { return true; }
    // Themed frames need a theme library, which this platform lacks.
    bool UseThemes() const;
    virtual void ThemeChanged();
    // Nothing sets Transparent on a scroll box, so it never draws a parent's background.
    bool DrawsParentThemeBackground() const { return false; }

    bool SuppliesBackground() const override { return false; }
    const platform::TBitmap* BackgroundBitmap() const override { return nullptr; }
    platform::TPoint BackgroundOffset(platform::TPoint point) const override { return point; }

signals:
    void OnScroll();

protected:
    // The bevel's own change (sender the bevel) moves the frame; any other repaints it.
    virtual void BevelChanged(const void* sender);
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateFrame();
    void PaintFrame();
    void Scrolled();

    TLXScrollBoxBevel bevel_;
    platform::TColor color_ = platform::clBtnFace;
    bool ctl3D_ = true;
    bool ctlXP_ = true;
    bool fullRepaint_ = false;
    bool saveResources_ = false;
};
