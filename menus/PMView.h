#pragma once
// The live presentation of one item's children in a host window: one viewer per shown item, their
// layout, the selected entry, keys, the timers that open and close submenus and scroll long menus,
// and the close action the menu performs once its loop ends. The host hands its painting to Paint.
#include "menus/PMCloseAction.h"
#include "menus/PMTypes.h"
#include "platform_gui/Canvas.h"
#include "platform_gui/Font.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QTimer;
class QWidget;
class TPMCustomItem;
class TPMItemViewer;

// The state flags of a view.
constexpr unsigned vsMenuLoop = 0x01;
constexpr unsigned vsMouseInside = 0x02;
constexpr unsigned vsPaintAll = 0x04;      // paint every viewer in list order next time
constexpr unsigned vsOpenedLeft = 0x08;    // opened leftwards
constexpr unsigned vsIgnoreFirstUp = 0x10; // ignore the first button release
constexpr unsigned vsAccelsVisible = 0x20;

// The style flags of a view.
constexpr unsigned vstMenuBar = 0x01;
constexpr unsigned vstMenuStyle = 0x02; // accelerator underlines follow the keyboard-cues setting
constexpr unsigned vstShowAllHints = 0x04;

// Heights of the scroll bands of a long menu.
constexpr int ScrollBandHeight = 19;
constexpr int ScrollStepMs = 100;

// Whether a disabled entry is drawn embossed, from the look it is drawn in and the window colour.
bool EmbossDisabled(bool toolbarStyled, bool selected, platform::TColor windowColor);

class TPMView : public QObject {
    Q_OBJECT
public:
    TPMView(QObject* owner, TPMView* parentView, TPMCustomItem* parentItem, QWidget* window,
            bool isToolbar = false, bool customizing = false);
    ~TPMView() override;

    QWidget* Window() const { return window_; }
    TPMView* ParentView() const { return parentView_; }
    TPMView* RootView();
    TPMCustomItem* ParentItem() const { return parentItem_; }
    TPMCustomItem* CurrentParentItem() const { return currentParentItem_; }
    bool IsPopup() const { return !isToolbar_; }
    bool IsToolbar() const { return isToolbar_; }
    bool Customizing() const { return customizing_; }

    unsigned State() const { return state_; }
    void SetState(unsigned flag, bool on);
    unsigned Style() const { return style_; }
    void SetStyle(unsigned style) { style_ = style; }

    // Where the view's client area starts in its window (a popup's frame lies around it).
    QPoint ClientOffset() const { return clientOffset_; }
    void SetClientOffset(QPoint offset) { clientOffset_ = offset; }
    // The window colour entries are painted on.
    platform::TColor Color() const { return color_; }
    void SetColor(platform::TColor color) { color_ = color; }
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int height);
    QRect MonitorRect() const { return monitorRect_; }
    void SetMonitorRect(const QRect& rect) { monitorRect_ = rect; }

    int ViewerCount() const { return static_cast<int>(viewers_.size()); }
    TPMItemViewer* Viewer(int index) const { return viewers_[static_cast<size_t>(index)].get(); }
    int ViewerIndex(const TPMItemViewer* viewer) const;
    TPMItemViewer* Selected() const { return selected_; }
    bool SelectedViaMouse() const { return selectedViaMouse_; }
    bool MouseOverSelected() const { return mouseOverSelected_; }
    bool Capture() const { return capture_; }
    void SetCapture();
    void ReleaseCapture();
    QSize ContentSize() const { return contentSize_; }
    int ScrollOffset() const { return scrollOffset_; }
    bool ShowUpArrow() const { return showUpArrow_; }
    bool ShowDownArrow() const { return showDownArrow_; }

    // The open submenu: its entry here, its window and that window's view.
    TPMItemViewer* OpenSubmenuViewer() const { return openViewer_; }
    QWidget* OpenSubmenuWindow() const { return openWindow_; }
    TPMView* OpenSubmenuView() const { return openView_; }
    void SetOpenSubmenu(QWidget* window, TPMView* view, TPMItemViewer* viewer);

    virtual void ApplySize(int width, int height);
    virtual void RecalcLayout(QSize& size);
    virtual void HandleKey(int& key, Qt::KeyboardModifiers shift);
    virtual platform::TFont ItemFont();
    virtual void InvalidateLayout();

    void BeginUpdate();
    void EndUpdate();
    void Validate();
    bool Validated() const { return validated_; }
    // Relayouts, in total, since the view was made.
    int LayoutCount() const { return layoutCount_; }

    TPMItemViewer* ViewerAtPoint(QPoint clientPoint);
    QPoint ScreenToClient(QPoint screenPoint) const;
    void ChooseViewer(TPMItemViewer* viewer, bool viaMouse);
    bool DropSubmenu(bool selectFirst);
    void CloseSubmenus();
    void RunSelected(bool givePriority);
    void CancelMenu();
    void RaiseFocusEvent();
    TPMItemViewer* SelectableAfter(TPMItemViewer* viewer, bool forward);
    TPMItemViewer* FirstSelectableViewer();
    TPMItemViewer* FindAccelerated(TPMItemViewer* from, QChar character, bool& unique);
    void TrackMouse(QPoint screenPoint, bool alwaysHit);
    void ScrollStep(bool down);
    void ScrollSelectionIntoView();
    void ShowAccelerators(bool show);
    void InvalidateViewer(TPMItemViewer* viewer);

    // The four timers: 0 opens the selected submenu, 1 closes the open one, 2 and 3 scroll.
    QTimer* Timer(int index) const { return timers_[static_cast<size_t>(index)]; }
    void StartTimer(int index, int intervalMs);
    void StopTimer(int index);
    void TimerElapsed(int index);

    // Done actions, stored on the root view; the menu loop ends once a kind is set.
    TPMCloseAction& CloseAction() { return closeAction_; }
    void SetClickAction(TPMCustomItem* item, bool sound);
    void SetHelpAction(int context);

    // The host's paint handling: the background, then the entries in the update rectangle.
    void Paint(QPainter& painter, const QRect& updateRect);

    // The canvas layouts measure with; a painter on a small image unless a test puts in its own.
    std::function<std::unique_ptr<platform::TCanvas>()> MeasureCanvas;

private:
    static void NoticeProc(void* object, const TPMItemNotice& notice);
    static void ParentItemProc(void* object, const TPMItemNotice& notice);
    void ItemNotice(const TPMItemNotice& notice);
    void ParentItemNotice(const TPMItemNotice& notice);
    void ParentItemFreed();
    void ResolveCurrentParentItem();
    void RebuildViewers();
    int InsertViewers(int index, TPMCustomItem* item, int level);
    void PlaceNewViewer(TPMCustomItem* item, int index);
    void RemoveViewersOf(TPMCustomItem* item);
    void RemoveViewerAt(int index, int count);
    void RecreateViewer(int index);
    void Deselect();
    void Refresh();
    bool LayOut(QSize& size);
    void PaintViewer(QPainter& painter, TPMItemViewer* viewer);
    bool HasHandle() const;
    int MenuShowDelay() const;
    TPMItemViewer* SearchAccelerated(int from, bool firstLetter, bool enabled, QChar character);

    QWidget* window_;
    TPMView* parentView_;
    QPointer<TPMCustomItem> parentItem_;
    TPMCustomItem* currentParentItem_ = nullptr;
    std::vector<std::unique_ptr<TPMItemViewer>> viewers_;
    TPMItemViewer* selected_ = nullptr;
    bool selectedViaMouse_ = false;
    bool mouseOverSelected_ = false;
    bool capture_ = false;
    TPMItemViewer* openViewer_ = nullptr;
    QPointer<QWidget> openWindow_;
    QPointer<TPMView> openView_;
    unsigned state_ = 0;
    unsigned style_ = 0;
    bool isToolbar_;
    bool customizing_;
    bool validated_ = false;
    bool painting_ = false;
    int updateCount_ = 0;
    int layoutCount_ = 0;
    QPoint clientOffset_;
    platform::TColor color_ = platform::clMenu;
    int maxHeight_ = 0;
    QRect monitorRect_;
    QSize contentSize_;
    int scrollOffset_ = 0;
    bool showUpArrow_ = false;
    bool showDownArrow_ = false;
    std::array<QTimer*, 4> timers_{};
    TPMCloseAction closeAction_;
};
