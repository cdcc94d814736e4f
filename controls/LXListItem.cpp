#include "controls/LXListItem.h"

#include "controls/LXBitmapStreams.h"
#include "controls/LXContainers.h"
#include "controls/LXErrors.h"
#include "controls/LXStreams.h"

TLXListItem::TLXListItem(QObject* owner) : TLXCustomComponent(owner) {}

TLXListItem::~TLXListItem()
{
    if (container_)
        container_->Forget(this);
}

void TLXListItem::SetDescription(const QString& text)
{
    if (description_ != text) {
        description_ = text;
        Changed();
    }
}

void TLXListItem::SetIdent(int ident)
{
    ident &= 0xFFFF;
    if (ident_ != ident) {
        ident_ = ident;
        Changed();
    }
}

void TLXListItem::SetCompressed(bool compressed)
{
    if (compressed_ != compressed) {
        compressed_ = compressed;
        Changed();
    }
}

void TLXListItem::SetPixelFormat(TLXSavePixelFormat format)
{
    if (pixelFormat_ != format) {
        pixelFormat_ = format;
        Changed();
    }
}

int TLXListItem::Depth() const
{
    switch (pixelFormat_) {
    case spfMono:
        return 2;
    case spf4bit:
        return 16;
    case spf8bit:
        return 256;
    case spfDefault:
        break;
    }
    return -1;
}

uint8_t TLXListItem::StreamFlags() const
{
    uint8_t flags = compressed_ ? ifCompressed : 0;
    if (!description_.isEmpty())
        flags |= ifDescription;
    if (ident_ != 0)
        flags |= ifIdent;
    if (HasData())
        flags |= ifData;
    flags |= pixelFormat_ == spfMono   ? ifMono
             : pixelFormat_ == spf4bit ? if4Bit
             : pixelFormat_ == spf8bit ? if8Bit
                                       : 0;
    return flags;
}

void TLXListItem::LoadFromStream(QIODevice& stream)
{
    BeginUpdate();
    try {
        const uint8_t flags = ReadByteValue(stream);
        compressed_ = flags & ifCompressed;
        description_ = (flags & ifDescription) ? ReadShortString(stream) : QString();
        ident_ = (flags & ifIdent) ? ReadInteger(stream) & 0xFFFF : 0;
        pixelFormat_ = (flags & ifMono)   ? spfMono
                       : (flags & if4Bit) ? spf4bit
                       : (flags & if8Bit) ? spf8bit
                                          : spfDefault;
        ReadData(stream, flags);
    } catch (const ELXException&) {
        // Whatever the data lacked (a count, a header, a size), the stream holds no sound item.
        ClearData();
        EndUpdate(true);
        throw EReadError();
    }
    EndUpdate(true);
}

void TLXListItem::SaveToStream(QIODevice& stream) const
{
    const uint8_t flags = StreamFlags();
    WriteByteValue(stream, flags);
    if (flags & ifDescription)
        WriteShortString(stream, description_);
    if (flags & ifIdent)
        WriteInteger(stream, ident_);
    WriteData(stream);
}

void TLXListItem::AssignItem(const TLXListItem& source)
{
    description_ = source.description_;
    ident_ = source.ident_;
    compressed_ = source.compressed_;
    pixelFormat_ = source.pixelFormat_;
}

void TLXListItem::Changed()
{
    TLXCustomComponent::Changed();
    if (container_ && !Updating())
        container_->ItemChanged(this);
}

TLXBitmapListItem::TLXBitmapListItem(QObject* owner) : TLXListItem(owner)
{
    bitmap_.OnChange = [this] { Changed(); };
}

void TLXBitmapListItem::ClearData()
{
    bitmap_.SetSize(0, 0);
}

void TLXBitmapListItem::AssignItem(const TLXListItem& source)
{
    if (const auto* item = dynamic_cast<const TLXBitmapListItem*>(&source)) {
        BeginUpdate();
        TLXListItem::AssignItem(source);
        bitmap_ = item->bitmap_;
        EndUpdate(true);
    }
}

void TLXBitmapListItem::ReadData(QIODevice& stream, uint8_t flags)
{
    if (flags & ifData)
        ReadBitmap(stream, bitmap_, flags & ifCompressed);
    else
        ClearData();
}

void TLXBitmapListItem::WriteData(QIODevice& stream) const
{
    if (HasData())
        WriteBitmap(stream, bitmap_, Compressed(), Depth());
}

TLXStringListItem::TLXStringListItem(QObject* owner) : TLXListItem(owner) {}

void TLXStringListItem::SetItems(const QStringList& items)
{
    if (items_ != items) {
        items_ = items;
        Changed();
    }
}

void TLXStringListItem::ClearData()
{
    items_.clear();
}

void TLXStringListItem::AssignItem(const TLXListItem& source)
{
    if (const auto* item = dynamic_cast<const TLXStringListItem*>(&source)) {
        BeginUpdate();
        TLXListItem::AssignItem(source);
        items_ = item->items_;
        EndUpdate(true);
    }
}

void TLXStringListItem::ReadData(QIODevice& stream, uint8_t flags)
{
    items_.clear();
    if (flags & ifData)
        ReadStrings(stream, items_, flags & ifCompressed);
}

void TLXStringListItem::WriteData(QIODevice& stream) const
{
    if (HasData())
        WriteStrings(stream, items_, Compressed());
}

TLXWaveListItem::TLXWaveListItem(QObject* owner) : TLXListItem(owner)
{
    wave_.OnChange = [this](TLXObject*) { Changed(); };
}

void TLXWaveListItem::ClearData()
{
    wave_.Clear();
}

void TLXWaveListItem::AssignItem(const TLXListItem& source)
{
    if (const auto* item = dynamic_cast<const TLXWaveListItem*>(&source)) {
        BeginUpdate();
        TLXListItem::AssignItem(source);
        wave_.Assign(item->wave_);
        EndUpdate(true);
    }
}

void TLXWaveListItem::ReadData(QIODevice& stream, uint8_t flags)
{
    if (flags & ifData)
        ReadWave(stream, wave_, flags & ifCompressed);
    else
        ClearData();
}

void TLXWaveListItem::WriteData(QIODevice& stream) const
{
    if (HasData())
        WriteWave(stream, wave_, Compressed());
}
