#pragma once
// The program's own push button: focusable, drawn in one of seven face styles, with hot tracking
// that can fade back, a glyph strip, a drop-down menu, a modal result and the window's Enter and
// Escape keys when it is the Default or Cancel button.
#include "controls/LbFaceButton.h"

enum TLbButtonKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

class TLbButton : public TLbFaceButton {
    Q_OBJECT
public:
    explicit TLbButton(QWidget* parent = nullptr);

    bool Default() const { return default_; }
    void SetDefault(bool isDefault) { default_ = isDefault; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool isCancel) { cancel_ = isCancel; }
    // A stock kind sets the glyph strip, the modal result and the caption.
    TLbButtonKind Kind() const { return kind_; }
    void SetKind(TLbButtonKind kind);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    void SetGlyph(const platform::TBitmap& glyph) override;

    bool Pressed() const { return pressed_; }
    // Clicks as the mouse would: OnClick, the modal result, the drop-down menu.
    void Click();

    bool DialogKey(const QKeyEvent& key) override;
    bool DialogChar(QChar character) override;

protected:
    QImage PaintFace() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    TLbButtonKind kind_ = bkCustom;
    int modalResult_ = 0;
    bool pressed_ = false;

    // What mouse up, key up and Click share: nothing unless visible, enabled and pressed.
    void ClickAction();
    // Enter, Escape and accelerators count only while the button can be seen and used.
    bool Usable() const;
};
