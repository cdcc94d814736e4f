#include "skin/WindowSkinner.h"

#include "menus/PMPopupMenu.h"
#include "platform/Messages.h"
#include "platform_gui/WindowFrame.h"
#include "skin/ControlDiscovery.h"
#include "skin/SkinBinding.h"
#include "skin/SkinData.h"
#include "skin/SkinMenus.h"
#include "skin/WindowMenuPopup.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

TWndSkinForm::MenuPresenter& Presenter()
{
    static TWndSkinForm::MenuPresenter presenter;
    return presenter;
}

// The frame's flags on the window, before it is mapped or while it is shown: the native window is
// kept, so the window neither hides nor moves.
void ApplyFlags(QWidget* window, Qt::WindowFlags flags)
{
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle())
        handle->setFlags(flags);
}

Qt::Edges EdgesOf(HitPart part)
{
    switch (part) {
    case HitPart::Left:
        return Qt::LeftEdge;
    case HitPart::Right:
        return Qt::RightEdge;
    case HitPart::Top:
        return Qt::TopEdge;
    case HitPart::Bottom:
        return Qt::BottomEdge;
    case HitPart::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case HitPart::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case HitPart::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HitPart::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

} // namespace

TWndSkinForm::TWndSkinForm(QWidget* window, TSkinData* data) : QObject(window), window_(window), data_(data)
{
    // The controls are found once the window runs; the menus measure themselves for the skin.
    connect(this, &TWndSkinForm::Started, this, [this] {
        DiscoverControls(*this);
        controlsFound_ = true;
        RestyleMenus(window_);
    });
}

TWndSkinForm::~TWndSkinForm() = default;

TSkinData* TWndSkinForm::Data() const
{
    return data_;
}

void TWndSkinForm::SetMenuPresenter(MenuPresenter presenter)
{
    Presenter() = std::move(presenter);
}

bool TWndSkinForm::FramesSkinned() const
{
    return data_ && data_->SkinControls.testFlag(xcMainMenu);
}

int TWndSkinForm::WindowState() const
{
    if (window_->isMinimized())
        return 2;
    return window_->isMaximized() ? 1 : 0;
}

void TWndSkinForm::Attach()
{
    if (attached_ || !window_ || !data_)
        return;
    attached_ = true;
    meta_ = platform::GetWindowMeta(window_);
    messageBox_ = qobject_cast<QMessageBox*>(window_) != nullptr;
    kind_ = BorderKindOf(meta_, messageBox_);
    active_ = window_->isActiveWindow();
    window_->installEventFilter(this);
    if (FramesSkinned())
        TakeOver();
    skinnerState_ = 1;
}

void TWndSkinForm::TakeOver()
{
    const QSize client = platform::ClientSize(window_);
    const QPoint outer = window_->frameGeometry().topLeft();
    const bool placed = window_->testAttribute(Qt::WA_Moved) || window_->isVisible();
    savedFlags_ = window_->windowFlags();
    savedMargins_ = window_->contentsMargins();
    savedMouseTracking_ = window_->hasMouseTracking();
    savedOwnPalette_ = window_->testAttribute(Qt::WA_SetPalette);
    savedPalette_ = window_->palette();
    savedAutoFill_ = window_->autoFillBackground();
    ApplyFlags(window_, savedFlags_ | Qt::FramelessWindowHint);
    window_->setMouseTracking(true);
    SetFrame(client);
    if (placed && WindowState() == 0)
        window_->move(outer);
    ApplyFace();
    UpdateRegion();
}

void TWndSkinForm::SetFrame(const QSize& client)
{
    const FrameMetrics old = frame_;
    const TSkinDescription& skin = data_->Description();
    frame_ = ComputeFrameMetrics(skin.Left, skin.Top, skin.Right, skin.Bottom, kind_);
    platform::SetPaintedFrame(window_, frame_.Margins());
    window_->setContentsMargins(savedMargins_ + frame_.Margins());
    // Children placed by hand, with no layout to follow the margins, move with the frame.
    if (!window_->layout())
        ShiftUnlaidChildren(QPoint(frame_.Left - old.Left, frame_.Caption - old.Caption));
    FitFrame(client);
    LayOutCaption();
}

void TWndSkinForm::FitFrame(const QSize& client)
{
    if (WindowState() != 0)
        return;
    window_->resize(client.grownBy(frame_.Margins()));
}

void TWndSkinForm::WidenMessageBox()
{
    // The whole title shows: TextShift, the title, TextRightClip. The box sized itself as it was
    // shown, so this comes after.
    const TDataSkinTitle& title = data_->Description().Title;
    const int needed = title.LeftWidth + TitleSize().width() + title.RightWidth;
    if (window_->width() >= needed)
        return;
    window_->setMaximumWidth(std::max(window_->maximumWidth(), needed));
    window_->setMinimumWidth(needed);
    window_->resize(needed, window_->height());
}

void TWndSkinForm::ShiftUnlaidChildren(QPoint by)
{
    if (by.isNull())
        return;
    for (QObject* child : window_->children())
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow()) {
            auto* widget = static_cast<QWidget*>(child);
            widget->move(widget->pos() + by);
        }
    childShift_ += by;
}

void TWndSkinForm::ApplyFace()
{
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, data_->FaceColor());
    window_->setPalette(palette);
    window_->setAutoFillBackground(true);
}

void TWndSkinForm::Detach()
{
    if (!attached_ || !window_)
        return;
    skinnerState_ = 4;
    SkinBindings().DetachAll(this);
    RestyleMenus(window_);
    window_->removeEventFilter(this);
    if (FramesSkinned()) {
        const QSize client = platform::ClientSize(window_);
        const QPoint outer = window_->pos();
        ShiftUnlaidChildren(-childShift_);
        platform::SetPaintedFrame(window_, {});
        window_->setContentsMargins(savedMargins_);
        window_->clearMask();
        const Qt::WindowFlags flags =
            (window_->windowFlags() & ~Qt::FramelessWindowHint) | (savedFlags_ & Qt::FramelessWindowHint);
        ApplyFlags(window_, flags);
        if (WindowState() == 0) {
            window_->resize(client);
            window_->move(outer);
        }
        window_->setMouseTracking(savedMouseTracking_);
        if (cursorSet_)
            window_->unsetCursor();
        window_->setPalette(savedOwnPalette_ ? savedPalette_ : QPalette());
        window_->setAutoFillBackground(savedAutoFill_);
    }
    attached_ = false;
    skinnerState_ = 6;
}

void TWndSkinForm::StartSkinning()
{
    if (skinnerState_ != 1 || !window_)
        return;
    if (messageBox_ && FramesSkinned() && kind_ != bkNone)
        WidenMessageBox();
    emit Started();
}

void TWndSkinForm::ResetCaptionButtons()
{
    buttons_.clear();
    hot_ = -1;
    pressed_ = -1;
    LayOutCaption();
}

void TWndSkinForm::RebuildFrame()
{
    if (!attached_ || !FramesSkinned())
        return;
    ResetCaptionButtons();
    regionSize_ = {};
    SetFrame(platform::ClientSize(window_));
}

void TWndSkinForm::Recolour()
{
    if (!attached_)
        return;
    skinnerState_ = 3;
    SkinBindings().RecolourAll(this);
    if (FramesSkinned()) {
        ApplyFace();
        UpdateRegion();
    }
    skinnerState_ = 1;
    RestyleMenus(window_);
    window_->update();
}

void TWndSkinForm::WindowMenuAt(QPoint globalPoint)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool twice = lastRightClick_ >= 0 &&
                       now - lastRightClick_ <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
    lastRightClick_ = now;
    if (twice && hot_ >= 0) {
        // A second right click on a lit caption button closes, through the window's own close.
        lastRightClick_ = -1;
        PostClose();
        return;
    }
    const std::vector<platform::WindowMenuItem> items = platform::WindowMenuItems(window_, meta_);
    if (Presenter())
        Presenter()(window_, items, globalPoint);
    else
        ShowWindowMenu(window_, items, globalPoint, menu_);
}

void TWndSkinForm::PostClose()
{
    // After the mouse event is done: the close may end the window, and this skinner with it.
    QMetaObject::invokeMethod(
        window_, [window = window_] { window->close(); }, Qt::QueuedConnection);
}

void TWndSkinForm::RunAction(int action)
{
    switch (action) {
    case 0:
        PostClose();
        return;
    case 1:
    case 22:
        SetHot(-1);
        if (window_->isMaximized())
            window_->showNormal();
        else
            window_->showMaximized();
        return;
    case 2:
    case 23:
        if (window_->isMinimized())
            window_->showNormal();
        else
            window_->showMinimized();
        return;
    case 3:
    case 11:
    case 12:
        return; // the press opened the window menu
    default:
        emit CaptionAction(action);
        QCoreApplication::postEvent(window_,
                                    new platform::MessageEvent(platform::WM_SKINCAPTIONACTION,
                                                               static_cast<platform::WParam>(action), 0));
        return;
    }
}

void TWndSkinForm::SetHot(int index)
{
    if (index == hot_)
        return;
    if (hot_ >= 0 && hot_ < static_cast<int>(buttons_.size()))
        buttons_[hot_].State = 1;
    hot_ = index;
    if (hot_ >= 0)
        buttons_[hot_].State = pressed_ == hot_ ? 2 : 3;
    RepaintFrame();
}

void TWndSkinForm::RepaintFrame()
{
    if (!window_ || frame_ == FrameMetrics{})
        return;
    const QRect all = window_->rect();
    window_->update(QRegion(all).subtracted(all.marginsRemoved(frame_.Margins())));
}

void TWndSkinForm::UpdateCursor(HitPart part)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (part) {
    case HitPart::Left:
    case HitPart::Right:
        shape = Qt::SizeHorCursor;
        break;
    case HitPart::Top:
    case HitPart::Bottom:
        shape = Qt::SizeVerCursor;
        break;
    case HitPart::TopLeft:
    case HitPart::BottomRight:
        shape = Qt::SizeFDiagCursor;
        break;
    case HitPart::TopRight:
    case HitPart::BottomLeft:
        shape = Qt::SizeBDiagCursor;
        break;
    default:
        if (cursorSet_) {
            window_->unsetCursor();
            cursorSet_ = false;
        }
        return;
    }
    window_->setCursor(shape);
    cursorSet_ = true;
}

bool TWndSkinForm::MousePress(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const HitResult hit = HitAt(point);
    if (hit.Part == HitPart::Client)
        return false;
    if (event->button() == Qt::RightButton) {
        // The caption buttons lie on the caption: a right click there opens the menu too.
        if (hit.Part == HitPart::Caption || hit.Part == HitPart::Menu || hit.Part == HitPart::Button)
            WindowMenuAt(event->globalPosition().toPoint());
        return true;
    }
    if (event->button() != Qt::LeftButton)
        return true;
    if (hit.Part == HitPart::Button) {
        if (!active_)
            window_->activateWindow();
        pressed_ = hit.Button;
        hot_ = -1;
        SetHot(hit.Button);
        const int action = Buttons()[hit.Button].Skin->Action;
        if (action == 3 || action == 11 || action == 12)
            WindowMenuAt(event->globalPosition().toPoint() + QPoint(1, 1));
        return true;
    }
    const Qt::Edges edges = EdgesOf(hit.Part);
    QWindow* handle = window_->windowHandle();
    if (hit.Part == HitPart::Caption) {
        if (!handle || !handle->startSystemMove())
            drag_ = {HitPart::Caption, event->globalPosition().toPoint(),
                     QRect(window_->pos(), window_->size())};
    } else if (edges) {
        if (!handle || !handle->startSystemResize(edges))
            drag_ = {hit.Part, event->globalPosition().toPoint(), window_->geometry()};
    }
    return true;
}

bool TWndSkinForm::MouseRelease(QMouseEvent* event)
{
    if (drag_.Part != HitPart::Client) {
        drag_ = {};
        return true;
    }
    if (pressed_ >= 0) {
        const int index = std::exchange(pressed_, -1);
        if (index < static_cast<int>(buttons_.size()) &&
            buttons_[index].Rect.contains(event->position().toPoint())) {
            buttons_[index].State = 3;
            RepaintFrame();
            RunAction(buttons_[index].Skin->Action);
        } else {
            SetHot(-1);
        }
        return true;
    }
    return HitAt(event->position().toPoint()).Part != HitPart::Client;
}

bool TWndSkinForm::MouseDoubleClick(QMouseEvent* event)
{
    const HitResult hit = HitAt(event->position().toPoint());
    if (hit.Part == HitPart::Client)
        return false;
    if (event->button() != Qt::LeftButton)
        return true;
    if (hit.Part == HitPart::Button) {
        const int action = buttons_[hit.Button].Skin->Action;
        if (action == 3 || action == 11) {
            SetHot(-1);
            PostClose();
            return true;
        }
        return MousePress(event);
    }
    if (hit.Part == HitPart::Caption || hit.Part == HitPart::Menu) {
        if (WindowState() != 0)
            window_->showNormal();
        else if (meta_.MaximizeBox)
            window_->showMaximized();
    }
    return true;
}

bool TWndSkinForm::MouseMove(QMouseEvent* event)
{
    if (drag_.Part != HitPart::Client) {
        Drag(event->globalPosition().toPoint());
        return true;
    }
    const HitResult hit = HitAt(event->position().toPoint());
    UpdateCursor(hit.Part);
    if (active_ && pressed_ < 0)
        SetHot(hit.Part == HitPart::Button ? hit.Button : -1);
    return hit.Part != HitPart::Client;
}

void TWndSkinForm::Drag(QPoint globalPoint)
{
    const QPoint delta = globalPoint - drag_.Start;
    QRect geometry = drag_.Geometry;
    if (drag_.Part == HitPart::Caption) {
        window_->move(geometry.topLeft() + delta);
        return;
    }
    const Qt::Edges edges = EdgesOf(drag_.Part);
    const QSize minimum = window_->minimumSize().expandedTo(
        QSize(frame_.Left + frame_.Right + 1, frame_.Caption + frame_.Bottom + 1));
    if (edges & Qt::LeftEdge)
        geometry.setLeft(std::min(geometry.left() + delta.x(), geometry.right() + 1 - minimum.width()));
    if (edges & Qt::RightEdge)
        geometry.setRight(std::max(geometry.right() + delta.x(), geometry.left() + minimum.width() - 1));
    if (edges & Qt::TopEdge)
        geometry.setTop(std::min(geometry.top() + delta.y(), geometry.bottom() + 1 - minimum.height()));
    if (edges & Qt::BottomEdge)
        geometry.setBottom(std::max(geometry.bottom() + delta.y(), geometry.top() + minimum.height() - 1));
    window_->setGeometry(geometry);
}

bool TWndSkinForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_ || !FramesSkinned() || skinnerState_ == 4 || skinnerState_ == 6)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        return Paint(event);
    case QEvent::MouseButtonPress:
        return MousePress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return MouseRelease(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        return MouseDoubleClick(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return MouseMove(static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
        if (pressed_ < 0)
            SetHot(-1);
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        active_ = event->type() == QEvent::WindowActivate;
        if (!active_)
            SetHot(-1);
        LayOutCaption();
        RepaintFrame();
        RepaintMenuBars(window_);
        return false;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
    case QEvent::WindowStateChange:
        LayOutCaption();
        RepaintFrame();
        return false;
    case QEvent::Resize:
        LayOutCaption();
        UpdateRegion();
        return false;
    default:
        return false;
    }
}

bool TWndSkinForm::Paint(QEvent* event)
{
    if (inPaint_)
        return false;
    // The window paints its client area first, then the frame goes on top around it.
    inPaint_ = true;
    QCoreApplication::sendEvent(window_, event);
    inPaint_ = false;
    QPainter painter(window_);
    PaintFrame(painter);
    return true;
}
