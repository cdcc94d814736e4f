#pragma once
// A control's link to an image list of the library: the list, the image and sub-list indexes, and
// the change link that tells the control when the list changes. A freed list is let go.
#include "controls/LXContainers.h"

#include <QPointer>
#include <functional>

class TLXImageListLink {
public:
    // The control whose lifetime bounds the watching of a list's destruction.
    explicit TLXImageListLink(QObject* control);
    ~TLXImageListLink();
    TLXImageListLink(const TLXImageListLink&) = delete;
    TLXImageListLink& operator=(const TLXImageListLink&) = delete;

    TLXCustomImageList* ImageList() const { return list_; }
    // Follows the new list (none for null), then tells the control.
    void SetImageList(TLXCustomImageList* list);
    int ImageIndex() const { return imageIndex_; }
    // Negative and current values are ignored; the control hears of a change while a list is set.
    void SetImageIndex(int index) { SetIndex(imageIndex_, index); }
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index) { SetIndex(listIndex_, index); }
    // Whether the list can give the image; false without a list.
    bool HasImage() const { return list_ != nullptr && list_->IsValid(listIndex_, imageIndex_); }

    // The list, the indexes or the list's contents changed.
    std::function<void()> OnChange;

private:
    void SetIndex(int& field, int index);
    void Changed();

    QObject* control_;
    QPointer<TLXCustomImageList> list_;
    TLXChangeLink link_;
    QMetaObject::Connection listGone_;
    int imageIndex_ = 0;
    int listIndex_ = 0;
};
