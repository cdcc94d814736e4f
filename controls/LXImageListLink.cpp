#include "controls/LXImageListLink.h"

TLXImageListLink::TLXImageListLink(QObject* control) : control_(control)
{
    link_.OnChange = [this](TLXBaseContainer*) { Changed(); };
}

TLXImageListLink::~TLXImageListLink()
{
    QObject::disconnect(listGone_);
    link_.OnChange = nullptr;
}

void TLXImageListLink::SetImageList(TLXCustomImageList* list)
{
    if (list == list_)
        return;
    if (list_ != nullptr)
        list_->UnregisterChanges(&link_);
    QObject::disconnect(listGone_);
    list_ = list;
    if (list != nullptr) {
        list->RegisterChanges(&link_);
        // The pointer is already null when this runs; only the control is left to tell.
        listGone_ = QObject::connect(list, &QObject::destroyed, control_, [this] { Changed(); });
    }
    Changed();
}

void TLXImageListLink::SetIndex(int& field, int index)
{
    if (index < 0 || index == field)
        return;
    field = index;
    if (list_ != nullptr)
        Changed();
}

void TLXImageListLink::Changed()
{
    if (OnChange)
        OnChange();
}
