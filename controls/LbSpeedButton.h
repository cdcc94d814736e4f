#pragma once
// The program's own speed button: window-less, never focused, with the push button's faces and a
// latched Down state. Buttons of one parent with the same non-zero GroupIndex release each other;
// AllowAllUp lets the last one down be released by clicking it again.
#include "controls/LbFaceButton.h"

class TLbSpeedButton : public TLbFaceButton {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
public:
    explicit TLbSpeedButton(QWidget* parent = nullptr);

    bool Down() const { return down_; }
    // Any change on a grouped button, to down or to up, releases the rest of its group.
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    // No face fill: the parent shows through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    void SetStyle(TLbButtonStyle style) override;

    // The drop-down menu, then OnClick.
    void Click();

    bool DialogChar(QChar character) override;

protected:
    void Redraw(bool now) override;
    QImage PaintFace() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool transparent_ = false;
    bool pressedHere_ = false;

    void Press();
};
