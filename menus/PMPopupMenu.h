#pragma once
// The popup-menu component a window places on itself: a tree of entries under a root item, shown at a
// screen point (or by a right click on the control it is attached to) until the user chooses.
#include "menus/PMItems.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QWidget;
class TCustomImageList;

class TPMPopupMenu : public QObject {
    Q_OBJECT
public:
    explicit TPMPopupMenu(QObject* owner = nullptr);
    ~TPMPopupMenu() override;

    TPMRootItem* Items() const { return items_; }
    TCustomImageList* Images() const { return items_->SubMenuImages(); }
    void SetImages(TCustomImageList* images) { items_->SetSubMenuImages(images); }
    TPMCustomItem* LinkSubitems() const { return items_->LinkSubitems(); }
    void SetLinkSubitems(TPMCustomItem* item) { items_->SetLinkSubitems(item); }
    TPMItemOptions Options() const { return items_->Options(); }
    void SetOptions(TPMItemOptions options) { items_->SetOptions(options); }

    bool AutoPopup = true;
    TPopupAlignment Alignment = paLeft;
    // The button that works in the menu besides the left one.
    Qt::MouseButton TrackButton = Qt::RightButton;
    // Raised each time the menu opens, before its window exists; Sender is the menu, or the
    // entry whose submenu opens.
    std::function<void(QObject* sender)> OnPopup;

    // Shows the menu at the screen point and returns once it has closed; the chosen command runs
    // afterwards from the event loop. Does nothing while any menu is open.
    void Popup(int x, int y);
    QPoint PopupPoint() const { return popupPoint_; }
    bool IsOpen() const { return open_; }
    // The root's shortcut handling for a key pressed in the owner's window.
    bool IsShortCut(QKeyEvent* event);
    // Makes this the control's popup menu: its context-menu request shows it when AutoPopup is on.
    void AttachTo(QWidget* control);

signals:
    // After the menu has closed and its close action has been performed.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TPMRootItem* items_;
    QPoint popupPoint_;
    bool open_ = false;
};

// Opens the item's popup at the point and runs the menu loop on it, then performs what was chosen.
// An exception from a handler inside the loop is thrown again here, after the cleanup.
void RunPopup(TPMCustomItem* item, bool selectFirst, bool rightButton, TPopupAlignment alignment,
              QPoint point);
