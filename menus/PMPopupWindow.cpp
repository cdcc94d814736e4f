#include "menus/PMPopupWindow.h"

#include "menus/PMAccessibility.h"
#include "menus/PMAnimation.h"
#include "menus/PMCustomItem.h"
#include "menus/PMItemViewer.h"
#include "menus/PMLibrary.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPlacement.h"
#include "menus/PMPlatform.h"
#include "platform/Messages.h"
#include "platform_gui/DesktopSettings.h"
#include "platform_gui/Monitors.h"
#include "platform_gui/PainterCanvas.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPointer>
#include <QWindow>

#include <memory>
#include <utility>

using namespace platform;

namespace {

// A filled triangle 6 wide and 3 high in the menu text colour; apex up or down.
void PaintScrollArrow(TCanvas& canvas, int centreX, int baseY, int apexY)
{
    canvas.Pen.SetColor(clMenuText);
    canvas.Brush.SetStyle(TBrushStyle::bsSolid);
    canvas.Brush.SetColor(clMenuText);
    canvas.Polygon({{centreX - 3, baseY}, {centreX + 3, baseY}, {centreX, apexY}});
}

} // namespace

bool& FirstPopupShown()
{
    static bool shown = false;
    return shown;
}

TPMPopupView::TPMPopupView(TPMPopupWindow* window, TPMView* parentView, TPMCustomItem* item, bool customizing)
    : TPMView(window, parentView, item, window, false, customizing)
{
    SetClientOffset(QPoint(TPMPopupWindow::FrameWidth, TPMPopupWindow::FrameWidth));
}

void TPMPopupView::ApplySize(int width, int height)
{
    Window()->resize(width + 2 * TPMPopupWindow::FrameWidth, height + 2 * TPMPopupWindow::FrameWidth);
}

TFont TPMPopupView::ItemFont()
{
    return static_cast<TPMPopupWindow*>(Window())->Font;
}

TPMPopupWindow::TPMPopupWindow(TPMView* sourceView, TPMCustomItem* item, bool editMode)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus)
{
    InstallMenuAccessibility();
    // The library's menus keep their own look under a skin: the skin manager leaves them alone.
    setProperty("unskinnable", true);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setGeometry(0, 0, 240, 320);
    Font = sourceView != nullptr ? sourceView->ItemFont() : MenuFont();
    view_ = new TPMPopupView(this, sourceView, item, editMode);
    view_->SetState(vsMenuLoop, true);
    if (sourceView != nullptr) {
        view_->SetStyle(view_->Style() | (sourceView->Style() & vstMenuStyle));
        view_->SetState(vsAccelsVisible, sourceView->State() & vsAccelsVisible);
    } else {
        view_->SetStyle(view_->Style() | vstMenuStyle);
        // No per-window keyboard-cue state on Linux: the underlines follow the desktop setting.
        view_->ShowAccelerators(false);
    }
}

TPMPopupWindow::~TPMPopupWindow()
{
    StopAnimation(this);
    for (int i = 0; i < 4; ++i)
        view_->StopTimer(i);
    view_->CloseSubmenus();
    NotifyAccessEvent(EVENT_SYSTEM_MENUPOPUPEND, this, OBJID_CLIENT, 0);
}

void TPMPopupWindow::ShowPopup()
{
    DesktopSettings& settings = CurrentDesktopSettings();
    const bool playSound = settings.SoundSchemeHas(QStringLiteral("MenuPopup"));
    const bool first = !FirstPopupShown();
    FirstPopupShown() = true;
    if (playSound && !first)
        settings.PlaySound(QStringLiteral("MenuPopup"));
    // A window paints once the window system has exposed it: the first sound waits for that paint.
    soundAfterPaint_ = playSound && first;
    const bool fade = settings.MenuFade() && settings.LayeredWindows();
    if (view_->Selected() == nullptr && !isVisible() && settings.MenuAnimation() &&
        (fade || AnimationDirection != 0))
        StartAnimation(this, MenuAnimationMs, fade, AnimationDirection);
    else
        show();
}

bool TPMPopupWindow::event(QEvent* event)
{
    if (const MessageEvent* message = AsMessage(event);
        message != nullptr && message->Msg() == WM_PMANIMATIONSTEP) {
        RunInMenuLoop([&] { AnimationStep(this, static_cast<long>(message->LParamValue())); });
        return true;
    }
    return QWidget::event(event);
}

void TPMPopupWindow::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        if (!PaintAnimation(this, painter)) {
            view_->Paint(painter, event->rect());
            TPainterCanvas canvas(&painter);
            PaintFrame(canvas);
            PaintScrollArrows(canvas);
        }
    }
    if (std::exchange(soundAfterPaint_, false))
        CurrentDesktopSettings().PlaySound(QStringLiteral("MenuPopup"));
}

void TPMPopupWindow::PaintFrame(TCanvas& canvas)
{
    TRect frame = Rect(0, 0, width(), height());
    canvas.Brush.SetStyle(TBrushStyle::bsSolid);
    if (CurrentDesktopSettings().FlatMenus()) {
        canvas.Brush.SetColor(clBtnShadow);
        canvas.FrameRect(frame);
        canvas.Brush.SetColor(view_->Color());
        for (int ring = 0; ring < 2; ++ring) {
            InflateRect(frame, -1, -1);
            canvas.FrameRect(frame);
        }
        return;
    }
    canvas.DrawEdge(frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
    canvas.Brush.SetColor(clBtnFace);
    canvas.FrameRect(frame);
}

void TPMPopupWindow::PaintScrollArrows(TCanvas& canvas)
{
    const int clientWidth = width() - 2 * FrameWidth;
    const int clientHeight = height() - 2 * FrameWidth;
    const int centreX = FrameWidth + clientWidth / 2;
    if (view_->ShowUpArrow()) {
        const int middle = FrameWidth + ScrollBandHeight / 2;
        PaintScrollArrow(canvas, centreX, middle + 2, middle - 1);
    }
    if (view_->ShowDownArrow()) {
        const int middle = FrameWidth + clientHeight - ScrollBandHeight + ScrollBandHeight / 2;
        PaintScrollArrow(canvas, centreX, middle - 1, middle + 2);
    }
}

void TPMPopupWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

TPMPopupWindow* OpenItemPopup(TPMCustomItem* item, TPMView* sourceView, TPMItemViewer* sourceViewer,
                              TPopupAlignment alignment, QPoint at, bool editMode, bool selectFirst,
                              bool asSubmenu)
{
    QPointer<TPMCustomItem> alive(item);
    item->FirePopupEvents(); // the popup events run before anything is made
    if (!alive)
        return nullptr;
    auto window = std::make_unique<TPMPopupWindow>(sourceView, item, editMode);
    const bool preferLeft = sourceView != nullptr && (sourceView->State() & vsOpenedLeft);
    TRect reference;
    QRect monitor;
    if (sourceView != nullptr && sourceViewer != nullptr) {
        sourceView->Validate();
        const QRect entry = sourceViewer->BoundsRect.ToQRect().translated(
            sourceView->Window()->mapToGlobal(sourceView->ClientOffset()));
        reference = TRect::FromQRect(entry);
        monitor =
            sourceView->MonitorRect().isValid() ? sourceView->MonitorRect() : MonitorRectOfRect(entry, false);
    } else {
        reference = Rect(at.x(), at.y(), at.x(), at.y());
        monitor = MonitorRectOfPoint(at, false);
    }
    TPMPopupView* view = window->View();
    view->SetMonitorRect(monitor);
    view->SetMaxHeight(monitor.height() - 2 * TPMPopupWindow::FrameWidth);
    if (selectFirst)
        view->ChooseViewer(view->FirstSelectableViewer(), false);
    view->Validate();
    const TPMPlacement placement = PlacePopup(reference, TRect::FromQRect(monitor), window->width(),
                                              window->height(), asSubmenu, alignment, preferLeft);
    view->SetState(vsOpenedLeft, placement.openedLeft);
    window->AnimationDirection = placement.direction;
    window->setGeometry(placement.bounds.ToQRect());
    if (sourceView != nullptr) {
        if (QWindow* parent = sourceView->Window()->window()->windowHandle()) {
            window->winId();
            window->windowHandle()->setTransientParent(parent);
        }
        sourceView->SetOpenSubmenu(window.get(), view, sourceViewer);
    }
    view->SetState(vsPaintAll, true);
    window->ShowPopup();
    NotifyAccessEvent(EVENT_SYSTEM_MENUPOPUPSTART, window.get(), OBJID_CLIENT, 0);
    if (view->Selected() != nullptr)
        view->RaiseFocusEvent();
    return window.release();
}
