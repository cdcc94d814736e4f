#pragma once
// The window skinner: one per skinned top-level window, a child of the window and its event filter. It
// takes the window over (frameless, the skin frame in the contents margins so the client area keeps its
// size, the shape of transparent borders as the window's mask, the face colour), paints the frame,
// caption and caption buttons, and handles the mouse there: caption buttons, move, resize, double
// clicks and the window menu. Detach gives the window back as it was.
#include "platform_gui/WindowMenu.h"
#include "platform_gui/WindowMeta.h"
#include "skin/FrameLayout.h"

#include <QFont>
#include <QMargins>
#include <QObject>
#include <QPalette>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <functional>
#include <vector>

class QMouseEvent;
class QPainter;
class TPMPopupMenu;
class TSkinData;

class TWndSkinForm : public QObject {
    Q_OBJECT
public:
    TWndSkinForm(QWidget* window, TSkinData* data);
    ~TWndSkinForm() override;

    QWidget* Window() const { return window_; }
    TSkinData* Data() const;

    // Takes the window over; once.
    void Attach();
    // Gives the window back its flags, margins, client size, place, mask, colours and mouse tracking.
    void Detach();
    // The step after taking over, run from the event queue: the window's controls are found here.
    void StartSkinning();
    // The frame widths and caption buttons from the component's (new) description, the frame fitted
    // around the unchanged client area.
    void RebuildFrame();
    // Drops the caption buttons, which point into a description that is being replaced.
    void ResetCaptionButtons();
    // The skin's face colour on the window again, and a repaint.
    void Recolour();

    // 0 new, 1 running, 3 re-colouring, 4 detaching, 5 sizing, 6 gone.
    int SkinnerState() const { return skinnerState_; }
    // The window's controls were found and bound: controls shown from now on are bound as they come.
    bool ControlsFound() const { return controlsFound_; }
    // 0 normal, 1 maximised, 2 minimised.
    int WindowState() const;
    bool IsActive() const { return active_; }
    TBorderKind BorderKind() const { return kind_; }
    const FrameMetrics& Frame() const { return frame_; }
    const platform::WindowMeta& Meta() const { return meta_; }

    struct CaptionButton {
        const TDataSkinSysButton* Skin = nullptr;
        QRect Rect;
        bool Shown = false;
        int State = 1; // 1 normal, 2 pressed, 3 hot
    };
    // The caption buttons as the last layout placed them.
    const std::vector<CaptionButton>& Buttons() const { return buttons_; }
    // Lays the caption out for the window's size and state now.
    void LayOutCaption();
    QRect TitleText() const { return title_.Text; }
    HitResult HitAt(QPoint windowPoint) const;

    // Paints the frame, caption and buttons with the painter on the window.
    void PaintFrame(QPainter& painter);
    // The window's mask: the client area and each transparent border's shape; none without Trans.
    void UpdateRegion();
    QRegion Region() const { return region_; }

    // A right click on the caption or Alt+Space: the window menu at the point (global). A second call
    // within the double-click time while a caption button is hot closes the window.
    void WindowMenuAt(QPoint globalPoint);

    // Shows a window menu and runs the chosen command; the default shows it through the popup-menu
    // library. Tests put a recorder in place.
    using MenuPresenter = std::function<void(
        QWidget* window, const std::vector<platform::WindowMenuItem>& items, QPoint point)>;
    static void SetMenuPresenter(MenuPresenter presenter);
    // The caption font: the desktop's title font; tests pin one.
    static void SetCaptionFont(const QFont& font);
    static QFont CaptionFont();

signals:
    // The window was taken over and is running: control skinners attach here.
    void Started();
    // A caption button with an Action of the skin's own was clicked (also posted to the window as
    // WM_SKINCAPTIONACTION).
    void CaptionAction(int action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FramesSkinned() const;
    void TakeOver();
    // The frame of the component's description around a client area of the size.
    void SetFrame(const QSize& client);
    void FitFrame(const QSize& client);
    void WidenMessageBox();
    void ApplyFace();
    QSize TitleSize() const;
    // The window's small icon, else the application's.
    QImage IconImage() const;
    void ShiftUnlaidChildren(QPoint by);
    CaptionState CaptionRules() const;
    std::vector<QRect> HitButtons() const;
    bool Paint(QEvent* event);
    bool MousePress(QMouseEvent* event);
    bool MouseRelease(QMouseEvent* event);
    bool MouseDoubleClick(QMouseEvent* event);
    bool MouseMove(QMouseEvent* event);
    void SetHot(int index);
    void RunAction(int action);
    void PostClose();
    void Drag(QPoint globalPoint);
    void UpdateCursor(HitPart part);
    void PaintBorder(QPainter& painter, const TDataSkinBorder& border, const QRect& rect, bool stacked);
    void PaintCaption(QPainter& painter);
    void RepaintFrame();

    QPointer<QWidget> window_;
    QPointer<TSkinData> data_;
    platform::WindowMeta meta_;
    TBorderKind kind_ = bkSizable;
    bool messageBox_ = false;
    FrameMetrics frame_;
    std::vector<CaptionButton> buttons_;
    TitlePlacement title_;
    int hot_ = -1;
    int pressed_ = -1;
    bool active_ = false;
    int skinnerState_ = 0;
    bool attached_ = false;
    bool controlsFound_ = false;
    bool inPaint_ = false;
    QRegion region_;
    QSize regionSize_;
    qint64 lastRightClick_ = -1;
    QPointer<TPMPopupMenu> menu_;

    // What the window had before it was taken over.
    Qt::WindowFlags savedFlags_;
    QMargins savedMargins_;
    bool savedMouseTracking_ = false;
    bool savedOwnPalette_ = false;
    QPalette savedPalette_;
    bool savedAutoFill_ = false;
    QPoint childShift_;
    bool cursorSet_ = false;

    // The manual move or resize when the window system does not do it.
    struct DragState {
        HitPart Part = HitPart::Client;
        QPoint Start;
        QRect Geometry;
    };
    DragState drag_;
};
