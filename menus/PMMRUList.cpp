#include "menus/PMMRUList.h"

#include "menus/PMItemError.h"
#include "menus/PMPlatform.h"
#include "platform/Paths.h"

QString TPMMRUListStrings::Get(int index) const
{
    CheckIndex(index, Count());
    return names_[index];
}

void TPMMRUListStrings::Put(int index, const QString& name)
{
    CheckIndex(index, Count());
    names_[index] = name;
    Changed();
}

void TPMMRUListStrings::Insert(int index, const QString& name)
{
    CheckIndex(index, Count() + 1);
    TPMCustomItem* entry = list_->NewEntry();
    list_->container_->InsertItem(index, entry);
    names_.insert(index, name);
    Changed();
}

void TPMMRUListStrings::Delete(int index)
{
    CheckIndex(index, Count());
    delete list_->container_->ItemAt(index);
    names_.removeAt(index);
    Changed();
}

void TPMMRUListStrings::Move(int from, int to)
{
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    if (from == to)
        return;
    names_.move(from, to);
    list_->container_->MoveItem(from, to);
    Changed();
}

void TPMMRUListStrings::Clear()
{
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
}

int TPMMRUListStrings::IndexOf(const QString& name) const
{
    return static_cast<int>(names_.indexOf(name));
}

void TPMMRUListStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EPMItemError(QStringLiteral("List index out of bounds (%1)").arg(index).toStdString());
}

void TPMMRUListStrings::Changed()
{
    list_->RebuildCaptions();
    if (list_->OnChange)
        list_->OnChange(list_);
}

TPMMRUList::TPMMRUList(QObject* owner) : QObject(owner), container_(new TPMCustomItem(this)) {}

TPMMRUList::~TPMMRUList()
{
    delete container_; // its entries with it; a TPMMRUListItem linked to it lets go
}

void TPMMRUList::SetHidePathExtension(bool value)
{
    if (value == hidePathExtension_)
        return;
    hidePathExtension_ = value;
    RebuildCaptions();
}

void TPMMRUList::SetMaxItems(int value)
{
    maxItems_ = value;
    RebuildCaptions();
}

void TPMMRUList::SetItems(const QStringList& lines)
{
    items_.Clear();
    for (const QString& line : lines)
        items_.Insert(items_.Count(), line);
}

void TPMMRUList::Add(const QString& name)
{
    const QString full = AddFullPath ? platform::ExpandFileName(name) : name;
    const int index = items_.IndexOf(full);
    if (index < 0) {
        items_.Insert(0, full);
        return;
    }
    if (index > 0)
        items_.Move(index, 0);
    items_.Put(0, full);
}

void TPMMRUList::RebuildCaptions()
{
    // The trimming deletes through the strings, which rebuild in turn: those calls only renew captions.
    if (!trimming_) {
        trimming_ = true;
        try {
            while (items_.Count() > 0 && items_.Count() > maxItems_)
                items_.Delete(items_.Count() - 1);
        } catch (...) {
            trimming_ = false;
            throw;
        }
        trimming_ = false;
    }
    for (int i = 0; i < items_.Count(); ++i)
        container_->ItemAt(i)->SetCaption(CaptionFor(i));
}

QString TPMMRUList::CaptionFor(int index) const
{
    const QString name = items_.Get(index);
    const QString title = platform::FileNamePart(name);
    const QString text = DoubleAmpersands(hidePathExtension_ && !title.isEmpty() ? title : name);
    QChar accelerator;
    if (index < 9)
        accelerator = QChar(u'1' + index);
    else if (index < 35)
        accelerator = QChar(u'A' + (index - 9));
    return accelerator.isNull() ? text : QStringLiteral("&%1 %2").arg(accelerator, text);
}

TPMCustomItem* TPMMRUList::NewEntry()
{
    auto* entry = new TPMCustomItem(container_);
    entry->OnClick = [this](TPMCustomItem* sender) { EntryClicked(sender); };
    return entry;
}

void TPMMRUList::EntryClicked(TPMCustomItem* entry)
{
    const int index = container_->IndexOfItem(entry);
    if (index < 0)
        return;
    if (index > 0)
        items_.Move(index, 0);
    if (OnClick)
        OnClick(this, items_.Get(0));
}

TPMMRUListItem::TPMMRUListItem(QObject* owner) : TPMCustomItem(owner)
{
    SetKindFlags(KindFlags() | ikfInline);
    SetCaption(QStringLiteral("(MRU List)"));
}

void TPMMRUListItem::SetMRUList(TPMMRUList* list)
{
    if (list == mruList_)
        return;
    disconnect(freeing_);
    mruList_ = list;
    if (list == nullptr) {
        SetLinkSubitems(nullptr);
        return;
    }
    freeing_ = connect(list, &QObject::destroyed, this, [this] {
        mruList_ = nullptr;
        SetLinkSubitems(nullptr);
    });
    SetLinkSubitems(list->Container());
}
