#include "menus/PMCustomItem.h"

#include "menus/PMActionLink.h"
#include "menus/PMClickDispatch.h"
#include "menus/PMImageList.h"
#include "menus/PMItemError.h"
#include "menus/PMItemViewer.h"
#include "menus/PMPlatform.h"
#include "menus/PMPopupWindow.h"
#include "platform_gui/Application.h"

#include <QKeySequence>

namespace {

constexpr int MaxForwardDepth = 10;
constexpr int MaxShortCutLinkLevels = 25;
// A popup handler that rebuilds the tree on every call would make the shortcut walk restart forever.
constexpr int MaxShortCutRestarts = 4;

const char* const IndexOutOfRange = "Toolbar item index out of range";

// Runs a handler the way a posted click does: an exception is shown and the caller goes on.
template <typename Call> void ShowingExceptions(Call&& call)
{
    platform::Application::Guard([&] {
        call();
        return true;
    });
}

} // namespace

TPMCustomItem::TPMCustomItem(QObject* owner) : QObject(owner)
{
    CountMenuObject();
    connect(this, &QObject::objectNameChanged, this, [this] {
        if (parent_ != nullptr)
            parent_->SendNotice(TPMNoticeKind::NameChanged, this);
    });
}

TPMCustomItem::~TPMCustomItem()
{
    emit Freeing(this);
    while (!children_.empty())
        delete children_.back();
    if (parent_ != nullptr)
        parent_->RemoveItem(this);
    const std::vector<TPMCustomItem*> linkParents = linkParents_;
    for (TPMCustomItem* linkParent : linkParents)
        linkParent->SetLinkSubitems(nullptr);
    SetLinkSubitems(nullptr);
    actionLink_.reset();
    imagesLink_.reset();
    subMenuImagesLink_.reset();
    notifyList_.clear();
    ForgetQueuedClicks(this);
    UncountMenuObject();
}

void TPMCustomItem::InsertItem(int index, TPMCustomItem* item)
{
    if (item->parent_ != nullptr)
        throw EPMItemError("Toolbar item already inserted");
    if (index < 0 || index > ItemCount())
        throw EPMItemError(IndexOutOfRange);
    children_.insert(children_.begin() + index, item);
    item->parent_ = this;
    SendNotice(TPMNoticeKind::BeginUpdate, this);
    SendNotice(TPMNoticeKind::Inserted, item, index);
    item->RecomputeOptions();
    SendNotice(TPMNoticeKind::EndUpdate, this);
}

void TPMCustomItem::AppendItem(TPMCustomItem* item)
{
    InsertItem(ItemCount(), item);
}

void TPMCustomItem::DeleteItem(int index)
{
    TPMCustomItem* item = ItemAt(index);
    SendNotice(TPMNoticeKind::Deleting, item, index);
    // A handler may have moved the list; take the item out wherever it is now.
    const int at = IndexOfItem(item);
    if (at < 0)
        return;
    item->parent_ = nullptr;
    children_.erase(children_.begin() + at);
}

int TPMCustomItem::IndexOfItem(const TPMCustomItem* item) const
{
    for (size_t i = 0; i < children_.size(); ++i)
        if (children_[i] == item)
            return static_cast<int>(i);
    return -1;
}

void TPMCustomItem::RemoveItem(TPMCustomItem* item)
{
    const int index = IndexOfItem(item);
    if (index >= 0)
        DeleteItem(index);
}

void TPMCustomItem::MoveItem(int from, int to)
{
    if (from == to)
        return;
    TPMCustomItem* item = ItemAt(from);
    if (to < 0 || to >= ItemCount())
        throw EPMItemError(IndexOutOfRange);
    SendNotice(TPMNoticeKind::BeginUpdate, this);
    DeleteItem(from);
    InsertItem(to, item);
    SendNotice(TPMNoticeKind::EndUpdate, this);
}

TPMCustomItem* TPMCustomItem::ItemAt(int index) const
{
    if (index < 0 || index >= ItemCount())
        throw EPMItemError(IndexOutOfRange);
    return children_[static_cast<size_t>(index)];
}

QAction* TPMCustomItem::Action() const
{
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TPMCustomItem::SetAction(QAction* action)
{
    if (action == nullptr) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_)
        actionLink_ = std::make_unique<TPMCustomItemActionLink>(this);
    actionLink_->SetAction(action);
    actionLink_->ActionChange(false);
}

void TPMCustomItem::SetCaption(const QString& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    ItemChanged(true);
}

void TPMCustomItem::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    ItemChanged(false);
    if (value)
        ClearRadioGroup();
}

void TPMCustomItem::SetDisplayMode(TPMItemDisplayMode value)
{
    if (value == displayMode_)
        return;
    displayMode_ = value;
    ItemChanged(true);
}

void TPMCustomItem::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    EnabledToggled();
}

void TPMCustomItem::SetGroupIndex(int value)
{
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    if (checked_)
        ClearRadioGroup();
}

void TPMCustomItem::ClearRadioGroup()
{
    if (groupIndex_ == 0 || parent_ == nullptr)
        return;
    for (TPMCustomItem* sibling : std::vector<TPMCustomItem*>(parent_->children_))
        if (sibling != this && sibling->groupIndex_ == groupIndex_)
            sibling->SetChecked(false);
}

void TPMCustomItem::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    const bool imageStateChanged = (value < 0) != (imageIndex_ < 0);
    imageIndex_ = value;
    ItemChanged(imageStateChanged);
}

TCustomImageList* TPMCustomItem::Images() const
{
    return imagesLink_ ? imagesLink_->Images() : nullptr;
}

void TPMCustomItem::SetImages(TCustomImageList* value)
{
    TCustomImageList* old = Images();
    if (value == old)
        return;
    if (value == nullptr) {
        imagesLink_.reset();
        ItemChanged(true);
        return;
    }
    const bool sizeChanged =
        old == nullptr || old->Width() != value->Width() || old->Height() != value->Height();
    if (!imagesLink_) {
        imagesLink_ = std::make_unique<TPMImageChangeLink>();
        imagesLink_->OnChange = [this] {
            const bool resized =
                imagesLink_->width != Images()->Width() || imagesLink_->height != Images()->Height();
            imagesLink_->width = Images()->Width();
            imagesLink_->height = Images()->Height();
            ItemChanged(resized);
        };
        imagesLink_->OnFreed = [this] { SetImages(nullptr); };
    }
    imagesLink_->SetImages(value);
    ItemChanged(sizeChanged);
}

TCustomImageList* TPMCustomItem::SubMenuImages() const
{
    return subMenuImagesLink_ ? subMenuImagesLink_->Images() : nullptr;
}

void TPMCustomItem::SetSubMenuImages(TCustomImageList* value)
{
    if (value == SubMenuImages())
        return;
    if (value == nullptr) {
        subMenuImagesLink_.reset();
    } else {
        if (!subMenuImagesLink_) {
            subMenuImagesLink_ = std::make_unique<TPMImageChangeLink>();
            subMenuImagesLink_->OnChange = [this] {
                subMenuImagesLink_->width = SubMenuImages()->Width();
                subMenuImagesLink_->height = SubMenuImages()->Height();
                SendNotice(TPMNoticeKind::SubmenuImagesChanged, this);
            };
            subMenuImagesLink_->OnFreed = [this] { SetSubMenuImages(nullptr); };
        }
        subMenuImagesLink_->SetImages(value);
    }
    SendNotice(TPMNoticeKind::SubmenuImagesChanged, this);
}

void TPMCustomItem::SetInheritOptions(bool value)
{
    if (value == inheritOptions_)
        return;
    inheritOptions_ = value;
    RecomputeOptions();
}

void TPMCustomItem::SetMaskOptions(TPMItemOptions value)
{
    if (value == maskOptions_)
        return;
    maskOptions_ = value;
    RecomputeOptions();
}

void TPMCustomItem::SetOptions(TPMItemOptions value)
{
    value = NormalizedOptions(value);
    if (value == options_)
        return;
    options_ = value;
    RecomputeOptions();
}

void TPMCustomItem::RecomputeOptions()
{
    TPMItemOptions inherited;
    if (inheritOptions_ && parent_ != nullptr)
        inherited = parent_->resolvedOptions_ & ~TPMItemOptions(tboDefault);
    const TPMItemOptions resolved = NormalizedOptions((inherited & ~maskOptions_) | options_);
    if (resolved == resolvedOptions_)
        return;
    const TPMItemOptions changed = resolved ^ resolvedOptions_;
    resolvedOptions_ = resolved;
    if (changed & LayoutOptions)
        ItemChanged(true);
    for (TPMCustomItem* child : std::vector<TPMCustomItem*>(children_))
        if (child->inheritOptions_)
            child->RecomputeOptions();
}

void TPMCustomItem::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    ItemChanged(true);
}

void TPMCustomItem::SetDropdownCombo(bool value)
{
    if (value == DropdownCombo())
        return;
    kindFlags_ = value ? (kindFlags_ | ikfCombo) : (kindFlags_ & ~ikfCombo);
    ItemChanged(true);
}

void TPMCustomItem::SetLinkSubitems(TPMCustomItem* value)
{
    if (value == this)
        value = nullptr;
    if (value == linkSubitems_)
        return;
    if (linkSubitems_ != nullptr)
        RemoveFromList(linkSubitems_->linkParents_, this);
    linkSubitems_ = value;
    if (value != nullptr)
        AddIfAbsent(value->linkParents_, this);
    SendNotice(TPMNoticeKind::SubitemsReplaced, this);
}

QString TPMCustomItem::ShortCutText() const
{
    const qsizetype tab = caption_.indexOf(u'\t');
    if (tab >= 0)
        return caption_.mid(tab + 1);
    if (shortCut_ != QKeyCombination())
        return QKeySequence(shortCut_).toString(QKeySequence::NativeText);
    return {};
}

void TPMCustomItem::RegisterNotifyHandler(TPMNotifyProc proc, void* object)
{
    for (NotifyEntry& entry : notifyList_)
        if (entry.proc == proc && entry.object == object) {
            ++entry.count;
            return;
        }
    notifyList_.push_back({proc, object, 1});
}

void TPMCustomItem::UnregisterNotifyHandler(TPMNotifyProc proc, void* object)
{
    for (auto it = notifyList_.begin(); it != notifyList_.end(); ++it)
        if (it->proc == proc && it->object == object) {
            if (--it->count == 0)
                notifyList_.erase(it);
            return;
        }
}

void TPMCustomItem::SendNotice(TPMNoticeKind kind, TPMCustomItem* item, int index, bool flag)
{
    Deliver({kind, item, false, index, flag}, 0);
}

void TPMCustomItem::Deliver(TPMItemNotice notice, int depth)
{
    QPointer<TPMCustomItem> self(this);
    if ((kindFlags_ & ikfInline) && parent_ != nullptr && depth < MaxForwardDepth)
        parent_->Deliver(notice, depth + 1);
    if (!self)
        return;
    // An inline link parent shows this item's children in its own parent's menu.
    for (TPMCustomItem* linkParent : std::vector<TPMCustomItem*>(linkParents_)) {
        if (linkParent == parent_ || !(linkParent->kindFlags_ & ikfInline) ||
            linkParent->parent_ == nullptr || depth >= MaxForwardDepth)
            continue;
        TPMItemNotice forwarded = notice;
        if (notice.item == this)
            forwarded.item = linkParent;
        linkParent->parent_->Deliver(forwarded, depth + 1);
        if (!self)
            return;
    }
    notice.relayed = notice.item != this;
    size_t at = 0;
    while (at < notifyList_.size()) {
        const NotifyEntry called = notifyList_[at];
        called.proc(called.object, notice);
        if (!self)
            return;
        if (at < notifyList_.size() && notifyList_[at].proc == called.proc &&
            notifyList_[at].object == called.object)
            ++at;
    }
}

TPMCustomItem* TPMCustomItem::FindShortCutItem(QKeyCombination shortCut, bool* direct)
{
    struct Search {
        QKeyCombination shortCut;
        TPMCustomItem* Find(TPMCustomItem* item, int linkLevels, bool* direct) const
        {
            TPMCustomItem* linked = item->LinkedItem();
            if (linked != item && ++linkLevels > MaxShortCutLinkLevels)
                return nullptr;
            for (TPMCustomItem* child : linked->children_) {
                if (child->shortCut_ == shortCut) {
                    *direct = true;
                    return child;
                }
                bool deeper = false;
                if (Find(child, linkLevels, &deeper) != nullptr) {
                    *direct = false;
                    return child;
                }
            }
            return nullptr;
        }
    };
    *direct = false;
    if (shortCut == QKeyCombination())
        return nullptr;
    return Search{shortCut}.Find(this, 0, direct);
}

bool TPMCustomItem::HandleShortCut(QKeyCombination shortCut)
{
    bool direct = false;
    for (int restart = 0; restart <= MaxShortCutRestarts; ++restart) {
        if (FindShortCutItem(shortCut, &direct) == nullptr)
            return false;
        QPointer<TPMCustomItem> item(this);
        while (item) {
            if (!item->enabled_)
                return false;
            for (TPMCustomItem* child : std::vector<TPMCustomItem*>(item->LinkedItem()->children_))
                child->RefreshFromAction();
            if (!(item->kindFlags_ & ikfInline)) {
                // Each popup event on its own: one that fails is shown and the walk goes on.
                if (TPMCustomItem* linked = item->LinkedItem(); linked != item)
                    ShowingExceptions([&] { linked->FirePopup(item, true); });
                if (item)
                    ShowingExceptions([&] { item->FirePopup(item, false); });
            }
            if (!item)
                break;
            QPointer<TPMCustomItem> next(item->FindShortCutItem(shortCut, &direct));
            if (!next)
                break; // a popup handler changed the tree: start again at the root
            if (direct) {
                if (!next->enabled_)
                    return false;
                ShowingExceptions([&] { next->ExecuteClick(); });
                return true;
            }
            item = next;
        }
    }
    return false;
}

void TPMCustomItem::FirePopupEvents()
{
    QPointer<TPMCustomItem> self(this);
    TPMCustomItem* linked = LinkedItem();
    if (linked != this)
        linked->FirePopup(this, true);
    if (self)
        FirePopup(this, false);
}

void TPMCustomItem::ItemChanged(bool relayout)
{
    if (parent_ != nullptr)
        parent_->SendNotice(relayout ? TPMNoticeKind::RepaintRelayout : TPMNoticeKind::Repaint, this);
}

void TPMCustomItem::OpenPopupWindow(TPMView* sourceView, TPMItemViewer* sourceViewer,
                                    TPopupAlignment alignment, QPoint at, bool editMode, bool selectFirst,
                                    bool asSubmenu)
{
    OpenItemPopup(this, sourceView, sourceViewer, alignment, at, editMode, selectFirst, asSubmenu);
}

void TPMCustomItem::FirePopup(TPMCustomItem* sender, bool fromLink)
{
    if (OnPopup)
        OnPopup(sender, fromLink);
    if (!(kindFlags_ & ikfCombo))
        ExecuteClick();
}

void TPMCustomItem::EnabledToggled()
{
    ItemChanged(false);
}

TPMItemViewerClass TPMCustomItem::ViewerClassFor(TPMView*)
{
    return &TPMItemViewer::Create;
}

bool TPMCustomItem::ViewerNeedsRebuild(TPMItemViewer*)
{
    return false;
}

void TPMCustomItem::ExecuteClick()
{
    if (!enabled_)
        return;
    if (autoCheck_ && !(actionLink_ && actionLink_->IsAutoCheckLinked()))
        SetChecked(!checked_);
    // An action runs in place of the item's own handler only while the item has none of its own.
    if (actionLink_ && actionLink_->Action() != nullptr && !OnClick)
        actionLink_->Execute();
    else if (OnClick)
        OnClick(this);
}

void TPMCustomItem::RefreshFromAction()
{
    if (actionLink_)
        actionLink_->ActionChange(false);
}
