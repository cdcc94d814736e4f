#include "controls/LXContainers.h"

#include "controls/LXBitmapDraw.h"
#include "controls/LXErrors.h"
#include "controls/LXStreams.h"

#include <algorithm>
#include <memory>

using namespace platform;

TLXChangeLink::~TLXChangeLink()
{
    if (sender_)
        sender_->UnregisterChanges(this);
}

void TLXChangeLink::Change()
{
    if (OnChange)
        OnChange(sender_);
}

TLXBaseContainer::~TLXBaseContainer()
{
    for (TLXChangeLink* link : links_)
        link->sender_ = nullptr;
}

void TLXBaseContainer::RegisterChanges(TLXChangeLink* link)
{
    if (!link || std::find(links_.begin(), links_.end(), link) != links_.end())
        return;
    if (link->sender_)
        link->sender_->UnregisterChanges(link);
    link->sender_ = this;
    links_.push_back(link);
}

void TLXBaseContainer::UnregisterChanges(TLXChangeLink* link)
{
    const auto found = std::find(links_.begin(), links_.end(), link);
    if (found == links_.end())
        return;
    links_.erase(found);
    link->sender_ = nullptr;
}

void TLXBaseContainer::NotifyLinks()
{
    // A link's handler may unregister links; go over a copy and skip those gone.
    const std::vector<TLXChangeLink*> links = links_;
    for (TLXChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
}

void TLXBaseContainer::Changed()
{
    if (Updating())
        return;
    NotifyLinks();
    TLXCustomComponent::Changed();
}

TLXCustomContainer::TLXCustomContainer(TListKind kind, QObject* owner) : TLXBaseContainer(owner), kind_(kind)
{
}

TLXCustomContainer::~TLXCustomContainer()
{
    FreeItems();
}

void TLXCustomContainer::FreeItems()
{
    const QList<TLXListItem*> items = std::exchange(items_, {});
    for (TLXListItem* item : items) {
        item->container_ = nullptr;
        delete item;
    }
}

void TLXCustomContainer::Forget(TLXListItem* item)
{
    items_.removeOne(item);
    Changed();
}

TLXListItem* TLXCustomContainer::Items(int index) const
{
    return index >= 0 && index < items_.size() ? items_[index] : nullptr;
}

TLXListItem* TLXCustomContainer::Add()
{
    TLXListItem* item = CreateItem();
    item->setParent(this);
    item->compressed_ = defaultCompressed_;
    item->pixelFormat_ = defaultPixelFormat_;
    item->container_ = this;
    items_.append(item);
    Changed();
    return item;
}

void TLXCustomContainer::Clear()
{
    FreeItems();
    Changed();
}

void TLXCustomContainer::ItemChanged(TLXListItem* item)
{
    if (Updating())
        return;
    NotifyLinks();
    if (OnChange)
        OnChange(item);
}

void TLXCustomContainer::LoadFromStream(QIODevice& stream, bool withIndex)
{
    BeginUpdate();
    FreeItems();
    try {
        const int32_t count = ReadInteger(stream);
        // Every item takes at least its flags byte, and an index four bytes an item.
        if (count < 0 || count > stream.bytesAvailable() / (withIndex ? 5 : 1))
            throw EReadError();
        if (withIndex)
            ReadExactly(stream, int64_t{count} * 4);
        for (int32_t i = 0; i < count; ++i)
            Add()->LoadFromStream(stream);
    } catch (const ELXException&) {
        FreeItems();
        EndUpdate(true);
        throw EReadError();
    }
    EndUpdate(true);
}

void TLXCustomContainer::SaveToStream(QIODevice& stream, bool withIndex) const
{
    const int32_t count = Count();
    WriteInteger(stream, count);
    const qint64 index = stream.pos();
    if (withIndex)
        WriteExactly(stream, QByteArray(count * 4, '\0'));
    std::vector<int32_t> positions;
    for (TLXListItem* item : items_) {
        positions.push_back(static_cast<int32_t>(stream.pos()));
        item->SaveToStream(stream);
    }
    if (!withIndex)
        return;
    const qint64 end = stream.pos();
    if (!stream.seek(index))
        throw EWriteError();
    for (int32_t position : positions)
        WriteInteger(stream, position);
    if (!stream.seek(end))
        throw EWriteError();
}

void TLXCustomContainer::Assign(const TLXCustomContainer& source)
{
    if (source.metaObject() != metaObject())
        return;
    BeginUpdate();
    FreeItems();
    defaultCompressed_ = source.defaultCompressed_;
    if (kind_ == lkImageList || kind_ == lkBitmapList)
        defaultPixelFormat_ = source.defaultPixelFormat_;
    for (const TLXListItem* item : source.items_)
        Add()->AssignItem(*item);
    EndUpdate(true);
}

TLXBitmapList::TLXBitmapList(QObject* owner) : TLXCustomImageList(lkBitmapList, owner) {}

TLXListItem* TLXBitmapList::CreateItem()
{
    return new TLXBitmapListItem;
}

TLXBitmapListItem* TLXBitmapList::Item(int list) const
{
    return static_cast<TLXBitmapListItem*>(Items(list));
}

TCanvas* TLXBitmapList::ImageCanvas(int list)
{
    TLXBitmapListItem* item = Item(list);
    return item ? &item->Bitmap().Canvas() : nullptr;
}

TRect TLXBitmapList::ImageRect(int list, int) const
{
    const TLXBitmapListItem* item = Item(list);
    return item ? Rect(0, 0, item->Bitmap().Width(), item->Bitmap().Height()) : TRect();
}

int TLXBitmapList::ImageSize(int list, int which) const
{
    const TLXBitmapListItem* item = Item(list);
    return !item ? 0 : which == 0 ? item->Bitmap().Width() : item->Bitmap().Height();
}

int TLXBitmapList::ImageCount(int list) const
{
    const TLXBitmapListItem* item = Item(list);
    return item && !item->Bitmap().Empty() ? 1 : 0;
}

bool TLXBitmapList::IsValid(int list, int) const
{
    const TLXBitmapListItem* item = Item(list);
    return item && !item->Bitmap().Empty();
}

void TLXBitmapList::GetBitmap(int list, int, TBitmap& bitmap) const
{
    if (const TLXBitmapListItem* item = Item(list))
        bitmap.Assign(item->Bitmap());
}

TColor TLXBitmapList::TransparentColor(int list, int) const
{
    const TLXBitmapListItem* item = Item(list);
    return item ? item->Bitmap().TransparentColor() : clNone;
}

TColor TLXBitmapList::PixelAt(TPoint point, int list, int) const
{
    const TLXBitmapListItem* item = Item(list);
    const TBitmap* bitmap = item ? &item->Bitmap() : nullptr;
    if (!bitmap || point.X < 0 || point.Y < 0 || point.X >= bitmap->Width() || point.Y >= bitmap->Height())
        return clNone;
    return FromQColor(bitmap->Image().pixelColor(point.X, point.Y));
}

void TLXBitmapList::Draw(TCanvas& canvas, int x, int y, int list, int)
{
    if (TLXBitmapListItem* item = Item(list)) {
        TRect painted;
        TBitmap& bitmap = item->Bitmap();
        DrawBitmapPalette(canvas, Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap, painted, clNone, 0);
    }
}

void TLXBitmapList::DrawExt(TCanvas& canvas, const TRect& rect, TRect& painted, int list, int, unsigned flags)
{
    painted = TRect();
    if (TLXBitmapListItem* item = Item(list))
        DrawBitmapPalette(canvas, rect, item->Bitmap(), painted, item->Bitmap().TransparentColor(), flags);
}

void TLXBitmapList::DrawClipped(TCanvas& canvas, const TRect& rect, int list, int, TColor color,
                                int clipOffset, unsigned flags)
{
    if (TLXBitmapListItem* item = Item(list))
        DrawBitmapEx(canvas, rect, item->Bitmap(), color, clipOffset, flags);
}

TLXImageList::TLXImageList(QObject* owner) : TLXCustomImageList(lkImageList, owner) {}

TLXListItem* TLXImageList::CreateItem()
{
    return new TLXImageListItem;
}

TLXImageListItem* TLXImageList::Item(int list) const
{
    return static_cast<TLXImageListItem*>(Items(list));
}

TCanvas* TLXImageList::ImageCanvas(int list)
{
    TLXImageListItem* item = Item(list);
    return item ? &item->Image().Canvas() : nullptr;
}

TRect TLXImageList::ImageRect(int list, int image) const
{
    const TLXImageListItem* item = Item(list);
    return item && image >= 0 && image < item->Count() ? item->ImageRect(image) : TRect();
}

int TLXImageList::ImageSize(int list, int which) const
{
    const TLXImageListItem* item = Item(list);
    return !item ? 0 : which == 0 ? item->Width() : item->Height();
}

int TLXImageList::ImageCount(int list) const
{
    const TLXImageListItem* item = Item(list);
    return item ? item->Count() : -1;
}

bool TLXImageList::IsValid(int list, int image) const
{
    const TLXImageListItem* item = Item(list);
    return item && image >= 0 && image < item->Count();
}

void TLXImageList::GetBitmap(int list, int image, TBitmap& bitmap) const
{
    if (IsValid(list, image))
        Item(list)->GetBitmap(image, bitmap);
}

bool TLXImageList::IsMasked(int list) const
{
    const TLXImageListItem* item = Item(list);
    return item && item->Masked();
}

TColor TLXImageList::TransparentColor(int list, int image) const
{
    return IsValid(list, image) ? Item(list)->TransparentColor(image) : clWhite;
}

TColor TLXImageList::PixelAt(TPoint point, int list, int image) const
{
    return IsValid(list, image) ? Item(list)->PixelAt(point, image) : clNone;
}

void TLXImageList::Draw(TCanvas& canvas, int x, int y, int list, int image)
{
    if (IsValid(list, image))
        Item(list)->Draw(canvas, x, y, image);
}

void TLXImageList::DrawExt(TCanvas& canvas, const TRect& rect, TRect& painted, int list, int image,
                           unsigned flags)
{
    painted = TRect();
    if (IsValid(list, image))
        Item(list)->DrawExt(canvas, rect, painted, image, flags);
}

void TLXImageList::DrawClipped(TCanvas& canvas, const TRect& rect, int list, int image, TColor color,
                               int clipOffset, unsigned flags)
{
    if (IsValid(list, image))
        Item(list)->DrawClipped(canvas, rect, image, color, clipOffset, flags);
}

TLXStringList::TLXStringList(QObject* owner) : TLXCustomContainer(lkStringList, owner) {}

TLXListItem* TLXStringList::CreateItem()
{
    return new TLXStringListItem;
}

TLXStringListItem* TLXStringList::Item(int list) const
{
    return static_cast<TLXStringListItem*>(Items(list));
}

TLXWaveList::TLXWaveList(QObject* owner) : TLXCustomContainer(lkWaveList, owner) {}

TLXListItem* TLXWaveList::CreateItem()
{
    return new TLXWaveListItem;
}

TLXWaveListItem* TLXWaveList::Item(int list) const
{
    return static_cast<TLXWaveListItem*>(Items(list));
}

TLXContainer::TLXContainer(QObject* owner)
    : TLXBaseContainer(owner), bitmaps_(new TLXBitmapList(this)), images_(new TLXImageList(this)),
      strings_(new TLXStringList(this)), waves_(new TLXWaveList(this))
{
}

namespace {

TLXContainer*& Global()
{
    static TLXContainer* container = nullptr;
    return container;
}

const QString BitmapListReference = QStringLiteral("LXBML30");
const QString ImageListReferenceText = QStringLiteral("LXIML30");

} // namespace

TLXContainer* GlobalContainer()
{
    return Global();
}

void SetGlobalContainer(TLXContainer* container)
{
    Global() = container;
}

QString ImageListReference(const TLXCustomImageList* list)
{
    TLXContainer* global = GlobalContainer();
    if (!global || !list)
        return QString();
    if (list == &global->BitmapList())
        return BitmapListReference;
    if (list == &global->ImageList())
        return ImageListReferenceText;
    return QString();
}

TLXCustomImageList* ImageListFromReference(const QString& reference)
{
    TLXContainer* global = GlobalContainer();
    if (!global)
        return nullptr;
    if (reference == BitmapListReference)
        return &global->BitmapList();
    if (reference == ImageListReferenceText)
        return &global->ImageList();
    return nullptr;
}
