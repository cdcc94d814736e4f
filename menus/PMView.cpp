#include "menus/PMView.h"

#include "menus/PMAnimation.h"
#include "menus/PMCustomItem.h"
#include "menus/PMItemViewer.h"
#include "menus/PMLibrary.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPlatform.h"
#include "platform_gui/DesktopSettings.h"
#include "platform_gui/PainterCanvas.h"

#include <QPainter>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

using namespace platform;

namespace {

constexpr int MaxInlineDepth = 10;
constexpr QSize MinimumContent(23, 22);

bool SameRgb(TColor a, TColor b)
{
    return ColorToRGB(a) == ColorToRGB(b);
}

bool Selectable(const TPMItemViewer* viewer)
{
    const TPMCustomItem* item = viewer->Item();
    return (viewer->Show || viewer->Clipped) && item->Visible() && (item->KindFlags() & ikfSelectable);
}

} // namespace

bool EmbossDisabled(bool toolbarStyled, bool selected, TColor windowColor)
{
    if (toolbarStyled)
        return true;
    if (selected)
        return SameRgb(clGrayText, windowColor);
    return SameRgb(clBtnFace, windowColor) || SameRgb(clGrayText, windowColor);
}

TPMView::TPMView(QObject* owner, TPMView* parentView, TPMCustomItem* parentItem, QWidget* window,
                 bool isToolbar, bool customizing)
    : QObject(owner), window_(window), parentView_(parentView), parentItem_(parentItem),
      isToolbar_(isToolbar), customizing_(customizing)
{
    MeasureCanvas = [] {
        static QImage surface(1, 1, QImage::Format_RGB32);
        return std::make_unique<TPainterCanvas>(&surface);
    };
    for (size_t i = 0; i < timers_.size(); ++i) {
        timers_[i] = new QTimer(this);
        connect(timers_[i], &QTimer::timeout, this,
                [this, i] { RunInMenuLoop([this, i] { TimerElapsed(static_cast<int>(i)); }); });
    }
    if (window_ != nullptr)
        RegisterMenuWindow(window_);
    if (parentItem != nullptr) {
        parentItem->RegisterNotifyHandler(&TPMView::ParentItemProc, this);
        connect(parentItem, &TPMCustomItem::Freeing, this, &TPMView::ParentItemFreed);
    }
    ResolveCurrentParentItem();
}

TPMView::~TPMView()
{
    CloseSubmenus();
    if (parentItem_ != nullptr)
        parentItem_->UnregisterNotifyHandler(&TPMView::ParentItemProc, this);
    if (currentParentItem_ != nullptr)
        currentParentItem_->UnregisterNotifyHandler(&TPMView::NoticeProc, this);
    selected_ = nullptr;
    openViewer_ = nullptr;
    viewers_.clear();
    if (window_ != nullptr)
        UnregisterMenuWindow(window_);
    if (parentView_ != nullptr)
        parentView_->RaiseFocusEvent();
}

TPMView* TPMView::RootView()
{
    TPMView* view = this;
    while (view->parentView_ != nullptr)
        view = view->parentView_;
    return view;
}

void TPMView::SetState(unsigned flag, bool on)
{
    state_ = on ? (state_ | flag) : (state_ & ~flag);
}

void TPMView::SetMaxHeight(int height)
{
    if (height == maxHeight_)
        return;
    maxHeight_ = height;
    InvalidateLayout();
}

int TPMView::ViewerIndex(const TPMItemViewer* viewer) const
{
    if (viewer == nullptr)
        return -1;
    for (size_t i = 0; i < viewers_.size(); ++i)
        if (viewers_[i].get() == viewer)
            return static_cast<int>(i);
    return -1;
}

void TPMView::SetCapture()
{
    capture_ = true;
}

void TPMView::ReleaseCapture()
{
    if (!capture_)
        return;
    capture_ = false;
    LastMousePos().setX(NoMousePosition);
    if (selected_ != nullptr)
        selected_->CaptureLost();
}

void TPMView::SetOpenSubmenu(QWidget* window, TPMView* view, TPMItemViewer* viewer)
{
    openWindow_ = window;
    openView_ = view;
    openViewer_ = viewer;
}

// Notices -------------------------------------------------------------------------------------------

void TPMView::NoticeProc(void* object, const TPMItemNotice& notice)
{
    static_cast<TPMView*>(object)->ItemNotice(notice);
}

void TPMView::ParentItemProc(void* object, const TPMItemNotice& notice)
{
    static_cast<TPMView*>(object)->ParentItemNotice(notice);
}

void TPMView::ParentItemNotice(const TPMItemNotice& notice)
{
    if (notice.kind == TPMNoticeKind::SubitemsReplaced)
        ResolveCurrentParentItem();
    else if (notice.kind == TPMNoticeKind::SubmenuImagesChanged && parentItem_ != currentParentItem_)
        Refresh();
}

void TPMView::ParentItemFreed()
{
    // Sent while the item is still whole, so both handlers can be taken back from it.
    parentItem_->UnregisterNotifyHandler(&TPMView::ParentItemProc, this);
    parentItem_ = nullptr;
    ResolveCurrentParentItem();
    if (parentView_ != nullptr)
        parentView_->CloseSubmenus(); // frees this view with its window
}

void TPMView::ResolveCurrentParentItem()
{
    TPMCustomItem* current = parentItem_ != nullptr ? parentItem_->LinkedItem() : nullptr;
    if (current == currentParentItem_)
        return;
    CloseSubmenus();
    if (currentParentItem_ != nullptr)
        currentParentItem_->UnregisterNotifyHandler(&TPMView::NoticeProc, this);
    currentParentItem_ = current;
    if (current != nullptr)
        current->RegisterNotifyHandler(&TPMView::NoticeProc, this);
    RebuildViewers();
    for (const auto& viewer : viewers_)
        viewer->Item()->RefreshFromAction();
}

void TPMView::ItemNotice(const TPMItemNotice& notice)
{
    switch (notice.kind) {
    case TPMNoticeKind::Inserted:
        PlaceNewViewer(notice.item, notice.index);
        break;
    case TPMNoticeKind::Deleting:
        RemoveViewersOf(notice.item);
        break;
    case TPMNoticeKind::SubitemsReplaced:
        RebuildViewers();
        break;
    case TPMNoticeKind::BeginUpdate:
        BeginUpdate();
        break;
    case TPMNoticeKind::EndUpdate:
        EndUpdate();
        break;
    case TPMNoticeKind::Repaint:
        for (const auto& viewer : viewers_)
            if (viewer->Item() == notice.item)
                InvalidateViewer(viewer.get());
        break;
    case TPMNoticeKind::RepaintRelayout:
        InvalidateLayout();
        break;
    case TPMNoticeKind::RebuildViewers:
        InvalidateLayout();
        for (size_t i = 0; i < viewers_.size(); ++i)
            if (viewers_[i]->Item() == notice.item)
                RecreateViewer(static_cast<int>(i));
        break;
    case TPMNoticeKind::NameChanged:
        return;
    case TPMNoticeKind::SubmenuImagesChanged:
        Refresh();
        break;
    }
    Validate();
}

void TPMView::Refresh()
{
    InvalidateLayout();
    Validate();
    if (openView_ != nullptr) {
        openView_->InvalidateLayout();
        openView_->Validate();
    }
}

// Viewers -------------------------------------------------------------------------------------------

void TPMView::RebuildViewers()
{
    CloseSubmenus();
    Deselect();
    InvalidateLayout();
    viewers_.clear();
    if (currentParentItem_ == nullptr)
        return;
    for (int i = 0; i < currentParentItem_->ItemCount(); ++i)
        InsertViewers(ViewerCount(), currentParentItem_->ItemAt(i), 0);
}

int TPMView::InsertViewers(int index, TPMCustomItem* item, int level)
{
    if (level > MaxInlineDepth)
        return 0;
    TPMItemViewer* viewer = item->ViewerClassFor(this)(this, item, level);
    viewers_.insert(viewers_.begin() + index, std::unique_ptr<TPMItemViewer>(viewer));
    int inserted = 1;
    if (!customizing_ && (item->KindFlags() & ikfInline)) {
        TPMCustomItem* linked = item->LinkedItem();
        for (int i = 0; i < linked->ItemCount(); ++i)
            inserted += InsertViewers(index + inserted, linked->ItemAt(i), level + 1);
    }
    return inserted;
}

void TPMView::PlaceNewViewer(TPMCustomItem* item, int index)
{
    InvalidateLayout();
    TPMCustomItem* owner = item->Parent();
    int first = 0;
    int end = ViewerCount();
    int level = 0;
    if (owner != currentParentItem_) {
        // The owner is an inline group shown here: its next viewer that does not show the item yet.
        int group = -1;
        for (;;) {
            for (int i = group + 1; i < ViewerCount(); ++i) {
                const TPMCustomItem* candidate = viewers_[static_cast<size_t>(i)]->Item();
                if ((candidate->KindFlags() & ikfInline) &&
                    const_cast<TPMCustomItem*>(candidate)->LinkedItem() == owner) {
                    group = i;
                    break;
                }
                if (i == ViewerCount() - 1)
                    return;
            }
            if (group < 0 || group >= ViewerCount())
                return;
            const int groupLevel = viewers_[static_cast<size_t>(group)]->Level();
            level = groupLevel + 1;
            first = group + 1;
            end = first;
            while (end < ViewerCount() && viewers_[static_cast<size_t>(end)]->Level() > groupLevel)
                ++end;
            bool shown = false;
            for (int i = first; i < end; ++i)
                if (viewers_[static_cast<size_t>(i)]->Item() == item &&
                    viewers_[static_cast<size_t>(i)]->Level() == level)
                    shown = true;
            if (!shown)
                break;
            if (group == ViewerCount() - 1)
                return;
        }
    }
    int at = end;
    if (index + 1 < owner->ItemCount()) {
        const TPMCustomItem* following = owner->ItemAt(index + 1);
        for (int i = first; i < end; ++i)
            if (viewers_[static_cast<size_t>(i)]->Level() == level &&
                viewers_[static_cast<size_t>(i)]->Item() == following) {
                at = i;
                break;
            }
    }
    InsertViewers(at, item, level);
}

void TPMView::RemoveViewersOf(TPMCustomItem* item)
{
    for (int i = ViewerCount() - 1; i >= 0; --i) {
        const TPMItemViewer* viewer = viewers_[static_cast<size_t>(i)].get();
        if (viewer->Item() != item)
            continue;
        int count = 1;
        while (i + count < ViewerCount() &&
               viewers_[static_cast<size_t>(i + count)]->Level() > viewer->Level())
            ++count;
        RemoveViewerAt(i, count);
    }
}

void TPMView::RemoveViewerAt(int index, int count)
{
    InvalidateLayout();
    for (int i = index; i < index + count; ++i) {
        TPMItemViewer* viewer = viewers_[static_cast<size_t>(i)].get();
        if (viewer == openViewer_)
            CloseSubmenus();
        if (viewer == selected_)
            Deselect();
    }
    viewers_.erase(viewers_.begin() + index, viewers_.begin() + index + count);
}

void TPMView::RecreateViewer(int index)
{
    TPMItemViewer* old = viewers_[static_cast<size_t>(index)].get();
    if (old == selected_)
        Deselect();
    if (old == openViewer_)
        CloseSubmenus();
    TPMCustomItem* item = old->Item();
    viewers_[static_cast<size_t>(index)].reset(item->ViewerClassFor(this)(this, item, old->Level()));
}

void TPMView::Deselect()
{
    if (selected_ == nullptr)
        return;
    TPMItemViewer* old = selected_;
    selected_ = nullptr;
    mouseOverSelected_ = false;
    old->NotifyDeselected();
}

// Layout --------------------------------------------------------------------------------------------

void TPMView::BeginUpdate()
{
    ++updateCount_;
}

void TPMView::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Validate();
}

void TPMView::Validate()
{
    if (updateCount_ > 0 || validated_)
        return;
    QSize size;
    RecalcLayout(size);
}

void TPMView::InvalidateLayout()
{
    if (!validated_)
        return;
    validated_ = false;
    if (HasHandle()) {
        StopAnimation(window_);
        window_->update();
    }
}

void TPMView::ApplySize(int, int) {}

platform::TFont TPMView::ItemFont()
{
    return MenuFont();
}

void TPMView::RecalcLayout(QSize& size)
{
    const bool changed = LayOut(size);
    validated_ = true;
    ++layoutCount_;
    ApplySize(size.width(), size.height());
    if (changed && window_ != nullptr && window_->isVisible() && !window_->rect().isEmpty()) {
        StopAnimation(window_);
        // Inside the window's own paint a second one cannot start: the rest follows as an update.
        if (painting_)
            window_->update();
        else
            window_->repaint();
    }
}

bool TPMView::LayOut(QSize& size)
{
    struct Placement {
        TRect bounds;
        bool show = false;
        bool clipped = false;
    };
    std::vector<Placement> placed(viewers_.size());

    // Visibility: no separator first, doubled or last; an inline group's own entry never shows.
    bool anyShown = false;
    bool lastWasSeparator = false;
    for (size_t i = 0; i < viewers_.size(); ++i) {
        const TPMCustomItem* item = viewers_[i]->Item();
        bool show = item->Visible() && (customizing_ || !(item->KindFlags() & ikfInline));
        if (show && (item->KindFlags() & ikfSeparator) && (!anyShown || lastWasSeparator))
            show = false;
        if (show) {
            anyShown = true;
            lastWasSeparator = item->KindFlags() & ikfSeparator;
        }
        placed[i].show = show;
    }
    for (size_t i = viewers_.size(); i-- > 0;) {
        if (!placed[i].show)
            continue;
        if (!(viewers_[i]->Item()->KindFlags() & ikfSeparator))
            break;
        placed[i].show = false;
    }

    // Size and placement.
    std::unique_ptr<TCanvas> canvas = MeasureCanvas();
    const TFont font = ItemFont();
    int widest = 0;
    int top = 0;
    for (size_t i = 0; i < viewers_.size(); ++i) {
        if (!placed[i].show)
            continue;
        if (viewers_[i]->Item()->ViewerNeedsRebuild(viewers_[i].get()))
            RecreateViewer(static_cast<int>(i));
        TPMItemViewer* viewer = viewers_[i].get();
        canvas->Font = font;
        if (viewer->Item()->ResolvedOptions() & tboDefault)
            canvas->Font.SetStyle(font.Style() | fsBold);
        int width = 0;
        int height = 0;
        viewer->MeasureItem(*canvas, width, height);
        placed[i].bounds = Rect(0, top, width, top + height);
        top += height;
        if (!viewer->ToolbarSized())
            widest = std::max(widest, width);
    }
    for (size_t i = 0; i < viewers_.size(); ++i)
        if (placed[i].show && !viewers_[i]->ToolbarSized())
            placed[i].bounds.Right = widest;
    int contentHeight = std::max(top, MinimumContent.height());
    const int contentWidth = std::max(widest, MinimumContent.width());

    // Scrolling.
    if (maxHeight_ > 0 && contentHeight > maxHeight_) {
        scrollOffset_ = std::clamp(scrollOffset_, 0, contentHeight - maxHeight_);
        showUpArrow_ = scrollOffset_ > 0;
        showDownArrow_ = scrollOffset_ < contentHeight - maxHeight_;
        const int upper = showUpArrow_ ? ScrollBandHeight : 0;
        const int lower = maxHeight_ - (showDownArrow_ ? ScrollBandHeight : 0);
        for (Placement& placement : placed) {
            if (!placement.show)
                continue;
            OffsetRect(placement.bounds, 0, -scrollOffset_);
            if (placement.bounds.Top < upper || placement.bounds.Bottom > lower) {
                placement.show = false;
                placement.clipped = true;
            }
        }
        contentHeight = maxHeight_;
    } else {
        scrollOffset_ = 0;
        showUpArrow_ = false;
        showDownArrow_ = false;
    }

    bool changed = QSize(contentWidth, contentHeight) != contentSize_;
    for (size_t i = 0; i < viewers_.size(); ++i) {
        TPMItemViewer* viewer = viewers_[i].get();
        const Placement& placement = placed[i];
        if (!placement.show && !placement.clipped)
            placed[i].bounds = {};
        if (viewer->BoundsRect != placed[i].bounds || viewer->Show != placement.show ||
            viewer->Clipped != placement.clipped || viewer->OffEdge) {
            changed = true;
            viewer->BoundsRect = placed[i].bounds;
            viewer->Show = placement.show;
            viewer->Clipped = placement.clipped;
            viewer->OffEdge = false;
        }
    }
    contentSize_ = QSize(contentWidth, contentHeight);
    size = contentSize_;
    return changed;
}

// Painting ------------------------------------------------------------------------------------------

void TPMView::InvalidateViewer(TPMItemViewer* viewer)
{
    if (!validated_ || !HasHandle() || !viewer->Show || viewer->BoundsRect.IsEmpty())
        return;
    viewer->PaintAlone = true;
    StopAnimation(window_);
    window_->update(viewer->BoundsRect.ToQRect().translated(clientOffset_));
}

void TPMView::Paint(QPainter& painter, const QRect& updateRect)
{
    {
        const QScopedValueRollback<bool> painting(painting_, true);
        Validate();
    }
    painter.fillRect(updateRect, ToQColor(color_));
    const QRect clientUpdate = updateRect.translated(-clientOffset_);
    auto paintIfDue = [&](TPMItemViewer* viewer) {
        if (viewer->Show && !viewer->BoundsRect.IsEmpty() &&
            viewer->BoundsRect.ToQRect().intersects(clientUpdate))
            PaintViewer(painter, viewer);
    };
    if (state_ & vsPaintAll) {
        for (const auto& viewer : viewers_)
            paintIfDue(viewer.get());
        SetState(vsPaintAll, false);
        return;
    }
    for (const auto& viewer : viewers_)
        if (viewer.get() != selected_)
            paintIfDue(viewer.get());
    if (selected_ != nullptr)
        paintIfDue(selected_);
}

void TPMView::PaintViewer(QPainter& painter, TPMItemViewer* viewer)
{
    viewer->PaintAlone = false;
    const TRect& bounds = viewer->BoundsRect;
    painter.save();
    painter.translate(clientOffset_ + QPoint(bounds.Left, bounds.Top));
    painter.setClipRect(QRect(0, 0, bounds.Width(), bounds.Height()), Qt::IntersectClip);
    {
        TPainterCanvas canvas(&painter);
        canvas.BrushOrigin = {bounds.Left & 1, bounds.Top & 1};
        const bool selected = viewer == selected_;
        const bool toolbarStyled = viewer->ToolbarStyled();
        const bool enabled = viewer->Item()->Enabled();
        if (selected && !toolbarStyled) {
            canvas.Brush.SetStyle(TBrushStyle::bsSolid);
            canvas.Brush.SetColor(CurrentDesktopSettings().FlatMenus() ? clMenuHighlight : clHighlight);
        } else {
            canvas.Brush.SetStyle(TBrushStyle::bsClear);
        }
        canvas.Font = ItemFont();
        if (!enabled)
            canvas.Font.SetColor(clGrayText);
        else if (toolbarStyled)
            canvas.Font.SetColor(clBtnText);
        else
            canvas.Font.SetColor(selected ? clHighlightText : clMenuText);
        const bool embossed = !enabled && EmbossDisabled(toolbarStyled, selected, color_);
        const bool pushed = selected && (viewer == openViewer_ || (mouseOverSelected_ && capture_));
        viewer->PaintItem(canvas, Rect(0, 0, bounds.Width(), bounds.Height()), selected, pushed, embossed);
    }
    painter.restore();
}

bool TPMView::HasHandle() const
{
    return window_ != nullptr && window_->internalWinId() != 0;
}

void TPMView::ShowAccelerators(bool show)
{
    if (!show && (style_ & vstMenuStyle))
        show = CurrentDesktopSettings().KeyboardCuesAlwaysShown();
    if (show == bool(state_ & vsAccelsVisible))
        return;
    SetState(vsAccelsVisible, show);
    if (window_ == nullptr || !window_->isVisible())
        return;
    for (const auto& viewer : viewers_)
        if (viewer->CaptionVisible() && !AccelCharOf(viewer->CaptionText()).isNull())
            InvalidateViewer(viewer.get());
}

// Selection -----------------------------------------------------------------------------------------

TPMItemViewer* TPMView::ViewerAtPoint(QPoint clientPoint)
{
    Validate();
    for (const auto& viewer : viewers_)
        if (viewer->Show && PtInRect(viewer->BoundsRect, {clientPoint.x(), clientPoint.y()}))
            return viewer.get();
    return nullptr;
}

QPoint TPMView::ScreenToClient(QPoint screenPoint) const
{
    return window_->mapFromGlobal(screenPoint) - clientOffset_;
}

int TPMView::MenuShowDelay() const
{
    return CurrentDesktopSettings().MenuShowDelayMs();
}

void TPMView::ChooseViewer(TPMItemViewer* viewer, bool viaMouse)
{
    auto mouseOver = [this](TPMItemViewer* candidate) {
        if (candidate == nullptr || window_ == nullptr)
            return false;
        const QPoint screen = LastMousePos();
        if (MenuWindowAt(screen) != window_)
            return false;
        const QPoint client = ScreenToClient(screen);
        if (ViewerAtPoint(client) != candidate)
            return false;
        return !capture_ || candidate->InClickPart(client.x() - candidate->BoundsRect.Left,
                                                   client.y() - candidate->BoundsRect.Top);
    };
    if (viewer == selected_) {
        const bool over = mouseOver(viewer);
        if (over != mouseOverSelected_) {
            mouseOverSelected_ = over;
            if (capture_ && viewer != nullptr && (viewer->Item()->KindFlags() & ikfRepaintOnMouseOver))
                InvalidateViewer(viewer);
        }
        return;
    }
    if (parentView_ != nullptr && parentView_->openViewer_ != nullptr &&
        parentView_->selected_ != parentView_->openViewer_) {
        parentView_->ChooseViewer(parentView_->openViewer_, false);
        parentView_->StopTimer(0);
        parentView_->StopTimer(1);
    }
    if (state_ & vsMenuLoop) {
        if (!viaMouse || isToolbar_) {
            StopTimer(1);
            if (viewer != openViewer_)
                CloseSubmenus();
        } else if (openWindow_ != nullptr && !timers_[1]->isActive()) {
            StartTimer(1, MenuShowDelay());
        }
    }
    ReleaseCapture();
    TPMItemViewer* old = selected_;
    if (old != nullptr)
        old->NotifyDeselected();
    selected_ = viewer;
    selectedViaMouse_ = viaMouse;
    mouseOverSelected_ = mouseOver(viewer);
    if (old != nullptr && (old->Item()->KindFlags() & ikfRepaintOnSelect))
        InvalidateViewer(old);
    if (viewer != nullptr) {
        if (viewer->Item()->KindFlags() & ikfRepaintOnSelect)
            InvalidateViewer(viewer);
        viewer->NotifySelected();
    }
    RaiseFocusEvent();
    if ((state_ & vsMenuLoop) && IsPopup()) {
        StopTimer(0);
        if (viaMouse && selected_ != nullptr && (selected_->Item()->KindFlags() & ikfHasSubmenu))
            StartTimer(0, MenuShowDelay());
    }
}

void TPMView::RaiseFocusEvent()
{
    if (!(state_ & vsMenuLoop) || !(RootView()->state_ & vsMenuLoop) || !HasHandle() || !window_->isVisible())
        return;
    int child = 0;
    if (selected_ != nullptr && selected_->Counted()) {
        child = 1;
        for (const auto& viewer : viewers_) {
            if (viewer.get() == selected_)
                break;
            if (viewer->Counted())
                ++child;
        }
    } else if (parentView_ != nullptr) {
        parentView_->RaiseFocusEvent();
        return;
    }
    NotifyAccessEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, child);
}

TPMItemViewer* TPMView::SelectableAfter(TPMItemViewer* viewer, bool forward)
{
    const int count = ViewerCount();
    int index = ViewerIndex(viewer);
    if (index < 0)
        index = forward ? -1 : count;
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index - 1 + count) % count;
        if (Selectable(Viewer(index)))
            return Viewer(index);
    }
    return nullptr;
}

TPMItemViewer* TPMView::FirstSelectableViewer()
{
    Validate();
    TPMItemViewer* first = nullptr;
    for (const auto& viewer : viewers_) {
        if (!Selectable(viewer.get()))
            continue;
        if (!(viewer->Item()->KindFlags() & ikfNotFirst))
            return viewer.get();
        if (first == nullptr)
            first = viewer.get();
    }
    return first;
}

TPMItemViewer* TPMView::SearchAccelerated(int from, bool firstLetter, bool enabled, QChar character)
{
    const int count = ViewerCount();
    const QString wanted = QString(character).toUpper();
    for (int step = 1; step <= count; ++step) {
        TPMItemViewer* viewer = Viewer((from + step + count) % count);
        if (!Selectable(viewer) || viewer->Item()->Enabled() != enabled || !viewer->CaptionVisible())
            continue;
        const QString caption = viewer->CaptionText();
        const QChar accel = AccelCharOf(caption);
        if (!firstLetter) {
            if (!accel.isNull() && QString(accel).toUpper() == wanted)
                return viewer;
        } else if (accel.isNull() && character != u' ' && !caption.isEmpty() &&
                   QString(caption[0]).toUpper() == wanted) {
            return viewer;
        }
    }
    return nullptr;
}

TPMItemViewer* TPMView::FindAccelerated(TPMItemViewer* from, QChar character, bool& unique)
{
    unique = false;
    Validate();
    if (viewers_.empty())
        return nullptr;
    const int start = from != nullptr ? ViewerIndex(from) : -1;
    for (const bool firstLetter : {false, true})
        for (const bool enabled : {true, false}) {
            TPMItemViewer* hit = SearchAccelerated(start, firstLetter, enabled, character);
            if (hit == nullptr)
                continue;
            unique = !enabled || SearchAccelerated(ViewerIndex(hit), firstLetter, enabled, character) == hit;
            return hit;
        }
    return nullptr;
}

// Submenus ------------------------------------------------------------------------------------------

bool TPMView::DropSubmenu(bool selectFirst)
{
    StopTimer(1);
    StopTimer(0);
    if (selected_ != openViewer_ || openWindow_ == nullptr) {
        CloseSubmenus();
        if (selected_ != nullptr && selected_->Item()->Enabled() &&
            (selected_->Item()->KindFlags() & ikfHasSubmenu))
            selected_->Item()->OpenPopupWindow(this, selected_, paLeft, QPoint(0, 0), false, selectFirst,
                                               IsPopup());
    }
    return openWindow_ != nullptr;
}

void TPMView::CloseSubmenus()
{
    if (openView_ != nullptr)
        openView_->CloseSubmenus();
    StopTimer(1);
    QWidget* window = openWindow_;
    openWindow_ = nullptr;
    openView_ = nullptr;
    openViewer_ = nullptr;
    delete window;
}

void TPMView::RunSelected(bool givePriority)
{
    if (selected_ != nullptr && selected_->Item()->Enabled()) {
        const TPMKindFlags kind = selected_->Item()->KindFlags();
        if (!(kind & ikfCombo) && DropSubmenu(true))
            return;
        if (kind & ikfSelectable) {
            selected_->ClickViewer(givePriority);
            return;
        }
    }
    CancelMenu();
}

void TPMView::CancelMenu()
{
    RootView()->closeAction_.kind = cakCancel;
}

void TPMView::SetClickAction(TPMCustomItem* item, bool sound)
{
    closeAction_.kind = cakClick;
    closeAction_.item = item;
    closeAction_.sound = sound;
}

void TPMView::SetHelpAction(int context)
{
    closeAction_.kind = cakHelp;
    closeAction_.helpContext = context;
}

// Mouse, keys, timers -------------------------------------------------------------------------------

void TPMView::TrackMouse(QPoint screenPoint, bool alwaysHit)
{
    Validate();
    TPMItemViewer* candidate = (state_ & vsMenuLoop) ? selected_ : nullptr;
    const bool wasInside = state_ & vsMouseInside;
    const QPoint client = ScreenToClient(screenPoint);
    if (window_ != nullptr && MenuWindowAt(screenPoint) == window_) {
        if (IsPopup())
            candidate = nullptr;
        SetState(vsMouseInside, true);
        if (alwaysHit || selected_ != nullptr)
            if (TPMItemViewer* hit = ViewerAtPoint(client))
                candidate = hit;
    } else {
        SetState(vsMouseInside, false);
    }
    if (capture_)
        candidate = selected_;
    if (IsPopup() && !capture_ && wasInside && !(state_ & vsMouseInside) && candidate != nullptr) {
        if (openWindow_ == nullptr || !(candidate->Item()->KindFlags() & ikfHasSubmenu))
            candidate = nullptr;
    }
    ChooseViewer(candidate, true);

    const bool inClient = QRect(QPoint(0, 0), contentSize_).contains(client);
    if ((state_ & vsMenuLoop) && (state_ & vsMouseInside) && inClient) {
        if (client.y() < ScrollBandHeight && showUpArrow_) {
            StopTimer(3);
            if (!timers_[2]->isActive())
                StartTimer(2, ScrollStepMs);
            return;
        }
        if (client.y() >= contentSize_.height() - ScrollBandHeight && showDownArrow_) {
            StopTimer(2);
            if (!timers_[3]->isActive())
                StartTimer(3, ScrollStepMs);
            return;
        }
    }
    StopTimer(2);
    StopTimer(3);
}

void TPMView::ScrollStep(bool down)
{
    bool found = false;
    int delta = 0;
    for (const auto& viewer : viewers_) {
        if (!viewer->Clipped || (viewer->Item()->KindFlags() & ikfSeparator))
            continue;
        if (down && viewer->BoundsRect.Bottom > maxHeight_ - ScrollBandHeight) {
            const int step = viewer->BoundsRect.Bottom + ScrollBandHeight - maxHeight_;
            if (!found || step < delta)
                delta = step;
            found = true;
        } else if (!down && viewer->BoundsRect.Top < ScrollBandHeight) {
            const int step = viewer->BoundsRect.Top - ScrollBandHeight;
            if (!found || step > delta)
                delta = step;
            found = true;
        }
    }
    if (!found)
        return;
    scrollOffset_ += delta;
    validated_ = false;
    Validate();
}

void TPMView::ScrollSelectionIntoView()
{
    if (selected_ == nullptr || !selected_->Clipped)
        return;
    const TRect& bounds = selected_->BoundsRect;
    if (bounds.Top < ScrollBandHeight)
        scrollOffset_ += bounds.Top - ScrollBandHeight;
    else if (bounds.Bottom > maxHeight_ - ScrollBandHeight)
        scrollOffset_ += bounds.Bottom - (maxHeight_ - ScrollBandHeight);
    validated_ = false;
    Validate();
}

void TPMView::HandleKey(int& key, Qt::KeyboardModifiers shift)
{
    auto select = [this](TPMItemViewer* viewer) {
        if (viewer == nullptr)
            return;
        ChooseViewer(viewer, false);
        ScrollSelectionIntoView();
    };
    switch (key) {
    case Qt::Key_Tab:
        select(SelectableAfter(selected_, !(shift & Qt::ShiftModifier)));
        break;
    case Qt::Key_Backtab:
        select(SelectableAfter(selected_, false));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        RunSelected(true);
        break;
    case Qt::Key_Escape:
        if (parentView_ != nullptr)
            parentView_->CloseSubmenus(); // frees this view
        else
            CancelMenu();
        break;
    case Qt::Key_Alt:
    case Qt::Key_F10:
        CancelMenu();
        break;
    case Qt::Key_Home:
        select(SelectableAfter(nullptr, true));
        break;
    case Qt::Key_End:
        select(SelectableAfter(nullptr, false));
        break;
    case Qt::Key_Left:
        if (parentView_ != nullptr)
            parentView_->CloseSubmenus();
        break;
    case Qt::Key_Right:
        DropSubmenu(true);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        select(SelectableAfter(selected_, key == Qt::Key_Down));
        break;
    case Qt::Key_F1:
        for (TPMView* view = this; view != nullptr; view = view->parentView_)
            if (view->selected_ != nullptr && view->selected_->Item()->HelpContext() != 0) {
                RootView()->SetHelpAction(view->selected_->Item()->HelpContext());
                break;
            }
        break;
    default:
        return;
    }
    key = 0;
}

void TPMView::StartTimer(int index, int intervalMs)
{
    QTimer* timer = timers_[static_cast<size_t>(index)];
    timer->stop();
    if (HasHandle())
        timer->start(intervalMs);
}

void TPMView::StopTimer(int index)
{
    timers_[static_cast<size_t>(index)]->stop();
}

void TPMView::TimerElapsed(int index)
{
    switch (index) {
    case 0:
        CloseSubmenus();
        DropSubmenu(false);
        break;
    case 1:
        CloseSubmenus();
        break;
    case 2:
    case 3:
        if ((index == 2 && showUpArrow_) || (index == 3 && showDownArrow_))
            ScrollStep(index == 3);
        else
            StopTimer(index);
        break;
    }
}
