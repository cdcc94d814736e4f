#pragma once
// A popup menu's window: a top-level, override-redirect window that is never activated, with a
// 3-pixel frame painted around the view of its item's entries.
#include "menus/PMView.h"
#include "platform_gui/Font.h"

#include <QWidget>

class TPMPopupWindow;

// The view of a popup window: it sizes its window to its content and uses the window's font.
class TPMPopupView : public TPMView {
    Q_OBJECT
public:
    TPMPopupView(TPMPopupWindow* window, TPMView* parentView, TPMCustomItem* item, bool customizing);

    void ApplySize(int width, int height) override;
    platform::TFont ItemFont() override;
};

class TPMPopupWindow : public QWidget {
    Q_OBJECT
public:
    // The frame around the view on every side.
    static constexpr int FrameWidth = 3;

    TPMPopupWindow(TPMView* sourceView, TPMCustomItem* item, bool editMode);
    ~TPMPopupWindow() override;

    TPMPopupView* View() const { return view_; }
    platform::TFont Font;
    int AnimationDirection = 0;

    // Shows the window without activating it: the first popup of the process paints before its sound
    // starts (the sound waits for its first paint), later ones start the sound first.
    void ShowPopup();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PaintFrame(platform::TCanvas& canvas);
    void PaintScrollArrows(platform::TCanvas& canvas);

    TPMPopupView* view_;
    bool soundAfterPaint_ = false;
};

// Whether a popup of the process has been shown: the first one paints before its sound starts.
bool& FirstPopupShown();

// Creates, places and shows the popup listing the item's subitems (for a submenu, beside the source
// view's entry). An exception on the way frees the window and passes on.
TPMPopupWindow* OpenItemPopup(TPMCustomItem* item, TPMView* sourceView, TPMItemViewer* sourceViewer,
                              TPopupAlignment alignment, QPoint at, bool editMode, bool selectFirst,
                              bool asSubmenu);
