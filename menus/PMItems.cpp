#include "menus/PMItems.h"

#include "menus/PMSeparatorItemViewer.h"

TPMItem::TPMItem(QObject* owner) : TPMCustomItem(owner) {}

TPMSubmenuItem::TPMSubmenuItem(QObject* owner) : TPMCustomItem(owner)
{
    SetKindFlags(KindFlags() | ikfHasSubmenu | ikfSubmenuItem);
}

TPMSeparatorItem::TPMSeparatorItem(QObject* owner) : TPMCustomItem(owner)
{
    SetKindFlags((KindFlags() & ~(ikfSelectable | ikfRepaintOnSelect | ikfRepaintOnMouseOver)) |
                 ikfSeparator | ikfNoClick);
}

void TPMSeparatorItem::SetBlank(bool value)
{
    if (value == blank_)
        return;
    blank_ = value;
    ItemChanged(false);
}

TPMItemViewerClass TPMSeparatorItem::ViewerClassFor(TPMView*)
{
    return &TPMSeparatorItemViewer::Create;
}

TPMRootItem::TPMRootItem(QObject* owner) : TPMCustomItem(owner) {}
