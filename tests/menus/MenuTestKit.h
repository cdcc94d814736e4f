#pragma once
// Shared pieces of the menu tests: a notice recorder and delivery of queued clicks.
#include "menus/PMCustomItem.h"

#include <QEvent>
#include <QList>
#include <QObject>

#include <functional>
#include <vector>

// Records every notice a registered item sends to its receivers.
class NoticeRecorder {
public:
    explicit NoticeRecorder(TPMCustomItem* item);
    ~NoticeRecorder();
    NoticeRecorder(const NoticeRecorder&) = delete;
    NoticeRecorder& operator=(const NoticeRecorder&) = delete;

    QList<TPMNoticeKind> kinds;
    QList<TPMCustomItem*> items;

private:
    static void Record(void* object, const TPMItemNotice& notice);
    TPMCustomItem* item_;
};

// Runs the clicks queued so far, as the event loop would once the menu has closed.
void DeliverQueuedClicks();

#include "menus/PMItems.h"
#include "menus/PMView.h"

#include <QWidget>
#include <QWindow>

// A view in the pinned test font.
class TestView : public TPMView {
public:
    using TPMView::TPMView;
    platform::TFont ItemFont() override;
};

// A window showing a view of an item's children, as a popup window will: it paints through the
// view and counts its paint events. Shown offscreen at a screen position, so timers may run.
class TestHost : public QWidget {
public:
    TestHost(TPMCustomItem* item, TPMView* parentView = nullptr, QPoint at = QPoint(100, 100));

    TPMView* view;
    int paints = 0;

    // Lays the view out, sizes the window to it and shows it.
    void Open();

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A submenu entry whose submenu opens in a TestHost to the right of its entry.
class TestSubmenuItem : public TPMSubmenuItem {
public:
    using TPMSubmenuItem::TPMSubmenuItem;
    void OpenPopupWindow(TPMView* sourceView, TPMItemViewer* sourceViewer, TPopupAlignment alignment,
                         QPoint at, bool editMode, bool selectFirst, bool asSubmenu) override;
};

// The mouse moved to a point of the view's client area: the views of the chain track it, the
// innermost first, as the menu loop has them do.
void MoveMouseTo(TPMView* view, QPoint clientPoint);
// The view's entries as captions, with the selected one marked "*".
QString Describe(TPMView* view);
// The innermost open view of the chain from the root.
TPMView* InnermostView(TPMView* root);
// The viewer showing the item, or none.
TPMItemViewer* ViewerOf(TPMView* view, const TPMCustomItem* item);

class TPMPopupWindow;

// Runs steps one after another from zero-timers inside the menu loop (and the loops nested in it); a
// menu still open after the last step is cancelled and fails the test, so no test can hang. A step
// that starts a nested loop posts its input (PostKey), so the next step runs inside that loop.
class LoopDriver {
public:
    explicit LoopDriver(std::vector<std::function<void()>> steps);

private:
    void Schedule();
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
    QObject context_; // its timers go with the driver
};

// The popup windows open now, and the root popup's view.
QList<TPMPopupWindow*> PopupWindows();
TPMView* RootView();
// The centre of the item's entry on the screen.
QPoint CentreOnScreen(TPMView* view, const TPMCustomItem* item);
// A mouse event at the screen point, sent to the window as the window system would.
void MouseTo(QWidget* window, QPoint screen, QEvent::Type type = QEvent::MouseMove,
             Qt::MouseButton button = Qt::NoButton);
// The same sent to a window's platform window, where the window system's input arrives first.
void MouseTo(QWindow* window, QPoint screen, QEvent::Type type = QEvent::MouseMove,
             Qt::MouseButton button = Qt::NoButton);
// A key press sent to the root popup, or posted to it.
void Key(int key, const QString& text = {});
void PostKey(int key);
