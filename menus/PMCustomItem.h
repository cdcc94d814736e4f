#pragma once
// The base of every menu entry: an ordered list of child items, what the entry shows, an optional
// action, and the change notices by which views follow it. Items are components parented to the
// window that declares them; the item tree is a structure of its own on top of that ownership.
#include "menus/PMTypes.h"

#include <QKeyCombination>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class TCustomImageList;
class TPMCustomItemActionLink;
class TPMImageChangeLink;
class TPMItemViewer;
class TPMView;

using TPMItemViewerClass = TPMItemViewer* (*)(TPMView* view, TPMCustomItem* item, int level);

class TPMCustomItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    explicit TPMCustomItem(QObject* owner = nullptr);
    // Frees the children (last first) and leaves the parent item.
    ~TPMCustomItem() override;

    // Child list; every index outside the list raises EPMItemError.
    void InsertItem(int index, TPMCustomItem* item);
    void AppendItem(TPMCustomItem* item);
    // Takes the child out of the list without freeing it.
    void DeleteItem(int index);
    int IndexOfItem(const TPMCustomItem* item) const;
    void RemoveItem(TPMCustomItem* item);
    void MoveItem(int from, int to);
    TPMCustomItem* ItemAt(int index) const;
    int ItemCount() const { return static_cast<int>(children_.size()); }
    TPMCustomItem* Parent() const { return parent_; }

    QAction* Action() const;
    void SetAction(QAction* action);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    TPMItemDisplayMode DisplayMode() const { return displayMode_; }
    void SetDisplayMode(TPMItemDisplayMode value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    QString Hint() const { return hint_; }
    void SetHint(const QString& value) { hint_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* value);
    bool InheritOptions() const { return inheritOptions_; }
    void SetInheritOptions(bool value);
    TPMItemOptions MaskOptions() const { return maskOptions_; }
    void SetMaskOptions(TPMItemOptions value);
    TPMItemOptions Options() const { return options_; }
    void SetOptions(TPMItemOptions value);
    QKeyCombination ShortCut() const { return shortCut_; }
    void SetShortCut(QKeyCombination value) { shortCut_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // Stored on every item, offered by submenu entries.
    bool DropdownCombo() const { return (kindFlags_ & ikfCombo) != 0; }
    void SetDropdownCombo(bool value);
    TPMCustomItem* LinkSubitems() const { return linkSubitems_; }
    void SetLinkSubitems(TPMCustomItem* value);
    TCustomImageList* SubMenuImages() const;
    void SetSubMenuImages(TCustomImageList* value);

    std::function<void(TPMCustomItem* sender)> OnClick;
    std::function<void(TPMCustomItem* sender, TPMItemViewer* viewer, bool selecting)> OnSelect;
    std::function<void(TPMCustomItem* sender, bool fromLink)> OnPopup;

    TPMKindFlags KindFlags() const { return kindFlags_; }
    TPMItemOptions ResolvedOptions() const { return resolvedOptions_; }
    // The item whose children a view shows: the link target when set, else the item itself.
    TPMCustomItem* LinkedItem() { return linkSubitems_ != nullptr ? linkSubitems_ : this; }
    // The text after the first tab of the caption, else the shortcut's text, else empty.
    QString ShortCutText() const;

    // Change handlers, counted per (procedure, object) pair.
    void RegisterNotifyHandler(TPMNotifyProc proc, void* object);
    void UnregisterNotifyHandler(TPMNotifyProc proc, void* object);
    // Sends a notice concerning the item to this item's receivers (and those it forwards to).
    void SendNotice(TPMNoticeKind kind, TPMCustomItem* item, int index = 0, bool flag = false);

    // The child with the shortcut, or the child on the path to it (direct false); none past 25 links.
    TPMCustomItem* FindShortCutItem(QKeyCombination shortCut, bool* direct);
    // Runs the entry with the shortcut as the menu would, its submenus' popup events first.
    bool HandleShortCut(QKeyCombination shortCut);

    // Parts a view, a viewer or the popup window asks of the item.
    virtual void ItemChanged(bool relayout);
    virtual void OpenPopupWindow(TPMView* sourceView, TPMItemViewer* sourceViewer, TPopupAlignment alignment,
                                 QPoint at, bool editMode, bool selectFirst, bool asSubmenu);
    virtual void FirePopup(TPMCustomItem* sender, bool fromLink);
    virtual void EnabledToggled();
    virtual TPMItemViewerClass ViewerClassFor(TPMView* view);
    virtual bool ViewerNeedsRebuild(TPMItemViewer* viewer);
    virtual void ExecuteClick();
    virtual void RefreshFromAction();

    // The popup events of opening this item's submenu: the link target's first, then its own. An
    // exception passes on: the submenu is not opened.
    void FirePopupEvents();

signals:
    // The free notification: sent first thing while the item is being freed.
    void Freeing(TPMCustomItem* item);

protected:
    void SetKindFlags(TPMKindFlags flags) { kindFlags_ = flags; }

private:
    struct NotifyEntry {
        TPMNotifyProc proc;
        void* object;
        int count;
    };

    void Deliver(TPMItemNotice notice, int depth);
    void RecomputeOptions();
    void ClearRadioGroup();
    void ImagesChanged(bool sizeChanged);

    std::vector<TPMCustomItem*> children_;
    TPMCustomItem* parent_ = nullptr;
    TPMKindFlags kindFlags_ = ikfSelectable | ikfRepaintOnSelect | ikfRepaintOnMouseOver;
    TPMItemOptions resolvedOptions_;
    std::vector<TPMCustomItem*> linkParents_;
    std::vector<NotifyEntry> notifyList_;

    bool autoCheck_ = false;
    QString caption_;
    bool checked_ = false;
    TPMItemDisplayMode displayMode_ = nbdmDefault;
    bool enabled_ = true;
    int groupIndex_ = 0;
    int helpContext_ = 0;
    QString hint_;
    int imageIndex_ = -1;
    bool inheritOptions_ = true;
    TPMItemOptions maskOptions_;
    TPMItemOptions options_;
    QKeyCombination shortCut_;
    bool visible_ = true;
    TPMCustomItem* linkSubitems_ = nullptr;

    std::unique_ptr<TPMImageChangeLink> imagesLink_;
    std::unique_ptr<TPMImageChangeLink> subMenuImagesLink_;
    std::unique_ptr<TPMCustomItemActionLink> actionLink_;

    friend class TPMCustomItemActionLink;
};
