#pragma once
// The library's framed containers: a panel with a bevel whose inner rectangle holds the aligned
// children, and the status bar built on it. In bmWindows the panel shows a sunken client edge of
// 2 pixels around its client area, as the platform's window edge did.
#include "controls/LXBevel.h"
#include "controls/LXCustomControl.h"

class TLXCustomBevelPanel : public TLXCustomPanel {
    Q_OBJECT
public:
    explicit TLXCustomBevelPanel(QWidget* parent = nullptr);
    ~TLXCustomBevelPanel() override;

    TLXBevel& Bevel() { return bevel_; }
    // Copies the values.
    void SetBevel(const TLXBevel& bevel) { bevel_.Assign(bevel); }

    bool SupportsThemes() const override { return false; }
    // The bevel changed: the frame, the children's places, then a repaint.
    void ObjectChanged(const void* sender) override;
    // Places the aligned children within the bevel's inner rectangle.
    void AlignControls();

protected:
    virtual bool ShowDesignFrame() const { return bevel_.Extent() == 0 && bevel_.Mode() != bmWindows; }
    void Paint(platform::TCanvas& canvas) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The client edge of bmWindows, as contents margins.
    void UpdateFrame();

    TLXBevel bevel_;
};

class TLXCustomStatusBar : public TLXCustomBevelPanel {
    Q_OBJECT
public:
    using TLXCustomBevelPanel::TLXCustomBevelPanel;

    // Added by a label on the bar to its left edge and width.
    virtual int LabelOffset() const { return 0; }
};
