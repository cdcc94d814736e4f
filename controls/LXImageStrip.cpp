#include "controls/LXImageStrip.h"

#include "controls/LXBitmapDraw.h"
#include "controls/LXBitmapStreams.h"
#include "controls/LXStreams.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace platform;

namespace {

constexpr uint32_t EntryMasked = 0x10000;

const QString InvalidImageSize = QStringLiteral("Invalid image size");

// A one-bit mask, index 0 black (the image shows) and 1 white (clear).
QImage MakeMask(int width, int height, bool clear)
{
    QImage mask(width, height, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(clear ? 1 : 0);
    return mask;
}

bool IsClear(const QImage& mask, int x, int y)
{
    return qGray(mask.pixel(x, y)) >= 128;
}

} // namespace

TLXImageListItem::TLXImageListItem(QObject* owner) : TLXListItem(owner) {}

TLXImageListItem::TLXImageListItem(int width, int height, QObject* owner) : TLXListItem(owner)
{
    if (width <= 0 || height <= 0)
        throw EInvalidGraphicOperation(InvalidImageSize);
    width_ = width;
    height_ = height;
}

void TLXImageListItem::SetWidth(int width)
{
    if (width <= 0 || width == width_)
        return;
    width_ = width;
    Clear();
    Changed();
}

void TLXImageListItem::SetHeight(int height)
{
    if (height <= 0 || height == height_)
        return;
    height_ = height;
    Clear();
    Changed();
}

void TLXImageListItem::SetAllocBy(int cells)
{
    if (cells > 0 && cells != allocBy_) {
        allocBy_ = cells;
        Changed();
    }
}

void TLXImageListItem::RebuildEntries(int count)
{
    entries_.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        entries_[static_cast<size_t>(i)] = static_cast<uint32_t>(i * width_) | (masked_ ? EntryMasked : 0);
    usedWidth_ = count * width_;
}

void TLXImageListItem::SetMasked(bool masked)
{
    if (masked == masked_)
        return;
    masked_ = masked;
    if (!masked)
        mask_ = TBitmap();
    else if (!image_.Empty())
        mask_.SetImage(MakeMask(image_.Width(), height_, false));
    RebuildEntries(Count());
    Changed();
}

TRect TLXImageListItem::ImageRect(int index) const
{
    return Bounds(static_cast<int>(Entry(index) & 0xFFFF), 0, width_, height_);
}

void TLXImageListItem::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError();
}

// The strip at least this wide: AllocBy cells more at a time, never past the limit.
void TLXImageListItem::Grow(int width)
{
    int capacity = image_.Width();
    while (capacity < width)
        capacity = static_cast<int>(
            std::min<int64_t>(MaxStripWidth, capacity + static_cast<int64_t>(allocBy_) * width_));
    QImage grown(capacity, height_, QImage::Format_BGR888);
    grown.fill(Qt::black);
    QImage grownMask = MakeMask(capacity, height_, true);
    if (!image_.Empty()) {
        const QImage& old = image_.Image();
        for (int y = 0; y < height_; ++y)
            std::memcpy(grown.scanLine(y), old.constScanLine(y), static_cast<size_t>(old.width()) * 3);
        if (masked_ && !mask_.Empty()) {
            const QImage oldMask = mask_.Image().convertToFormat(QImage::Format_Mono, grownMask.colorTable());
            const int wholeBytes = oldMask.width() / 8;
            for (int y = 0; y < height_; ++y) {
                std::memcpy(grownMask.scanLine(y), oldMask.constScanLine(y), static_cast<size_t>(wholeBytes));
                for (int x = wholeBytes * 8; x < oldMask.width(); ++x)
                    grownMask.setPixel(x, y, IsClear(oldMask, x, y) ? 1 : 0);
            }
        }
    }
    image_.SetImage(grown);
    if (masked_)
        mask_.SetImage(grownMask);
}

int TLXImageListItem::AddSlot()
{
    const int needed = usedWidth_ + width_;
    if (needed > MaxStripWidth)
        throw EInvalidGraphicOperation(QStringLiteral("Too many images"));
    if (needed > image_.Width())
        Grow(needed);
    entries_.push_back(static_cast<uint32_t>(usedWidth_) | (masked_ ? EntryMasked : 0));
    usedWidth_ = needed;
    Changed();
    return Count() - 1;
}

// The cell's pixels from image (and mask, else opaque); pixels the mask clears are stored black, so
// drawing through the mask is exactly the mask ANDed and the image ORed.
void TLXImageListItem::PutCell(int index, const QImage& image, const QImage* mask)
{
    const int left = ImageRect(index).Left;
    const QImage cell = image.convertToFormat(QImage::Format_RGB32);
    QImage cellMask = masked_ ? mask_.Image().convertToFormat(QImage::Format_Mono) : QImage();
    for (int y = 0; y < height_ && y < cell.height(); ++y) {
        uchar* row = image_.ScanLine(y) + static_cast<size_t>(left) * 3;
        for (int x = 0; x < width_ && x < cell.width(); ++x) {
            QRgb pixel = cell.pixel(x, y);
            if (masked_) {
                const bool clear = mask && IsClear(*mask, x, y);
                cellMask.setPixel(left + x, y, clear ? 1 : 0);
                if (clear)
                    pixel = qRgb(0, 0, 0);
            }
            row[3 * x] = static_cast<uchar>(qBlue(pixel));
            row[3 * x + 1] = static_cast<uchar>(qGreen(pixel));
            row[3 * x + 2] = static_cast<uchar>(qRed(pixel));
        }
    }
    if (masked_)
        mask_.SetImage(cellMask);
}

int TLXImageListItem::Add(const TBitmap* image, const TBitmap* mask)
{
    if (!image)
        return mask ? -1 : AddSlot();
    if (image->Height() != height_ || image->Width() <= 0 || image->Width() % width_ != 0 ||
        (mask && (mask->Width() != image->Width() || mask->Height() != image->Height())))
        throw EInvalidGraphicOperation(InvalidImageSize);
    const int cells = image->Width() / width_;
    if (static_cast<int64_t>(usedWidth_) + static_cast<int64_t>(cells) * width_ > MaxStripWidth)
        throw EInvalidGraphicOperation(QStringLiteral("Too many images"));
    const bool wasUpdating = Updating();
    BeginUpdate();
    const int first = Count();
    for (int i = 0; i < cells; ++i) {
        const QImage cellMask = mask ? mask->Image().copy(i * width_, 0, width_, height_) : QImage();
        PutCell(AddSlot(), image->Image().copy(i * width_, 0, width_, height_), mask ? &cellMask : nullptr);
    }
    if (!wasUpdating)
        EndUpdate(true);
    return first;
}

void TLXImageListItem::Replace(int index, const TBitmap* image, const TBitmap* mask)
{
    CheckIndex(index);
    if (!image)
        return;
    const QImage cellMask = mask ? mask->Image().copy(0, 0, width_, height_) : QImage();
    PutCell(index, image->Image().copy(0, 0, width_, height_), mask ? &cellMask : nullptr);
    Changed();
}

void TLXImageListItem::ReplaceMasked(int index, TBitmap& bitmap, TColor transparent)
{
    if (!masked_)
        return Replace(index, &bitmap, nullptr);
    TBitmap image, mask;
    CopyWithMask(bitmap.Canvas(), Rect(0, 0, width_, height_), mask, transparent, image);
    Replace(index, &image, &mask);
}

void TLXImageListItem::Clear()
{
    image_ = TBitmap();
    mask_ = TBitmap();
    usedWidth_ = 0;
    entries_.clear();
}

void TLXImageListItem::AssignItem(const TLXListItem& source)
{
    const auto* item = dynamic_cast<const TLXImageListItem*>(&source);
    if (!item)
        return;
    BeginUpdate();
    TLXListItem::AssignItem(source);
    width_ = item->width_;
    height_ = item->height_;
    allocBy_ = item->allocBy_;
    masked_ = item->masked_;
    BkColor = item->BkColor;
    BlendColor = item->BlendColor;
    DrawingStyle = item->DrawingStyle;
    ImageType = item->ImageType;
    ShareImages = item->ShareImages;
    image_ = item->image_;
    mask_ = item->mask_;
    usedWidth_ = item->usedWidth_;
    entries_ = item->entries_;
    EndUpdate(true);
}

void TLXImageListItem::GetBitmap(int index, TBitmap& bitmap) const
{
    CheckIndex(index);
    bitmap.SetImage(image_.Image().copy(ImageRect(index).ToQRect()));
}

TColor TLXImageListItem::TransparentColor(int index) const
{
    CheckIndex(index);
    return FromQColor(image_.Image().pixelColor(ImageRect(index).Left, height_ - 1));
}

TColor TLXImageListItem::PixelAt(TPoint point, int index) const
{
    CheckIndex(index);
    if (point.X < 0 || point.Y < 0 || point.X >= width_ || point.Y >= height_)
        return clNone;
    return FromQColor(image_.Image().pixelColor(ImageRect(index).Left + point.X, point.Y));
}

void TLXImageListItem::Draw(TCanvas& canvas, int x, int y, int index) const
{
    CheckIndex(index);
    const TRect cell = ImageRect(index);
    const TRect dest = Bounds(x, y, width_, height_);
    if (!masked_ || ImageType == 1) {
        canvas.CopyRect(dest, (masked_ && ImageType == 1 ? mask_ : image_).Image(), cell);
        return;
    }
    const bool blended = (DrawingStyle == idsFocus || DrawingStyle == idsSelected) && BlendColor != NoColor;
    if (DrawingStyle == idsTransparent || (DrawingStyle == idsNormal && BkColor == NoColor)) {
        canvas.CopyMasked(dest, image_.Image(), cell, mask_.Image());
        return;
    }
    // The cell composed off screen: the background (or what the canvas shows), the image through
    // the mask, then the blend pattern.
    QImage composed = BkColor != NoColor ? QImage() : canvas.Grab(dest);
    if (composed.isNull()) {
        composed = QImage(width_, height_, QImage::Format_RGB32);
        composed.fill(ToQColor(BkColor != NoColor ? BkColor : clWhite));
    }
    composed = composed.convertToFormat(QImage::Format_RGB32);
    const QImage image = image_.Image().copy(cell.ToQRect()).convertToFormat(QImage::Format_RGB32);
    const QImage mask = mask_.Image().copy(cell.ToQRect());
    const QRgb blend = ToQColor(BlendColor).rgb();
    for (int py = 0; py < height_; ++py)
        for (int px = 0; px < width_; ++px) {
            if (!IsClear(mask, px, py))
                composed.setPixel(px, py, image.pixel(px, py));
            const bool covered =
                DrawingStyle == idsSelected ? (px + py) % 2 == 1 : px % 2 == 0 || py % 2 == 0;
            if (blended && covered)
                composed.setPixel(px, py, blend);
        }
    canvas.CopyRect(dest, composed, Rect(0, 0, width_, height_));
}

void TLXImageListItem::DrawExt(TCanvas& canvas, const TRect& rect, TRect& painted, int index,
                               unsigned flags) const
{
    CheckIndex(index);
    if (masked_)
        PlaceBitmap(canvas, rect, image_, painted, &mask_, 0, flags | pbMasked, ImageRect(index));
    else
        PlaceBitmap(canvas, rect, image_, painted, nullptr, TransparentColor(index), flags, ImageRect(index));
}

void TLXImageListItem::DrawClipped(TCanvas& canvas, const TRect& rect, int index, TColor color,
                                   int clipOffset, unsigned flags) const
{
    CheckIndex(index);
    DrawBitmapClipped(canvas, rect, image_, masked_ ? &mask_ : nullptr, color, clipOffset,
                      masked_ ? flags | pbMasked : flags, ImageRect(index));
}

TBitmap TLXImageListItem::Trimmed(const TBitmap& strip) const
{
    TBitmap trimmed;
    trimmed.SetImage(strip.Image().copy(0, 0, usedWidth_, height_));
    return trimmed;
}

void TLXImageListItem::WriteData(QIODevice& stream) const
{
    WriteInteger(stream, height_);
    WriteInteger(stream, width_);
    WriteInteger(stream, allocBy_);
    WriteByteValue(stream, masked_ ? 1 : 0);
    WriteInteger(stream, Count());
    if (Count() == 0)
        return;
    WriteBitmap(stream, Trimmed(image_), Compressed(), Depth());
    if (masked_)
        WriteBitmap(stream, Trimmed(mask_), Compressed(), 2);
}

void TLXImageListItem::ReadData(QIODevice& stream, uint8_t flags)
{
    const int height = ReadInteger(stream);
    const int width = ReadInteger(stream);
    const int allocBy = ReadInteger(stream);
    const bool masked = ReadByteValue(stream) != 0;
    const int count = ReadInteger(stream);
    // Sizes are checked before anything is allocated for them.
    if (width <= 0 || height <= 0 || width > MaxStripWidth || height > MaxStripWidth || allocBy <= 0 ||
        count < 0 || static_cast<int64_t>(count) * width > MaxStripWidth)
        throw EReadError();
    width_ = width;
    height_ = height;
    allocBy_ = allocBy;
    masked_ = masked;
    Clear();
    if (count == 0)
        return;
    const bool compressed = flags & ifCompressed;
    TBitmap image, mask;
    ReadBitmapOfSize(stream, image, compressed, count * width, height);
    if (masked)
        ReadBitmapOfSize(stream, mask, compressed, count * width, height);
    Add(&image, masked ? &mask : nullptr);
}
