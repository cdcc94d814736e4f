#pragma once
// An image strip: equally sized images side by side in one 24-bit bitmap, with a one-bit mask of
// the same layout when masked (black where the image shows, white where it is clear). Each image
// has an entry: its left offset in the low 16 bits, bit 16 set when masked. At most 32768 pixels
// wide.
#include "controls/LXErrors.h"
#include "controls/LXListItem.h"
#include "platform_gui/Bitmap.h"

#include <QIODevice>
#include <cstdint>
#include <vector>

class EInvalidGraphicOperation : public ELXException {
public:
    using ELXException::ELXException;
};

// Drawing styles.
enum TLXImageDrawingStyle : int { idsFocus, idsSelected, idsNormal, idsTransparent };

class TLXImageListItem : public TLXListItem {
    Q_OBJECT
public:
    static constexpr int MaxStripWidth = 32768;
    // "No colour" for the background and blend colours.
    static constexpr platform::TColor NoColor = 0x1FFFFFFF;

    explicit TLXImageListItem(QObject* owner = nullptr);
    // Cells of that size; "Invalid image size" unless both are above 0.
    TLXImageListItem(int width, int height, QObject* owner = nullptr);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Values not above 0 are ignored; another size clears every image and notifies.
    void SetWidth(int width);
    void SetHeight(int height);
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int cells);
    bool Masked() const { return masked_; }
    // Off empties the mask; on makes it (opaque) for the images. Count and offsets stay.
    void SetMasked(bool masked);

    int Count() const { return static_cast<int>(entries_.size()); }
    uint32_t Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
    platform::TRect ImageRect(int index) const;

    // An empty cell at the end, the strip growing by AllocBy cells; "Too many images" past 32768
    // pixels. Answers its index.
    int AddSlot();
    // Each cell of image (the strip's height, a whole number of cells wide, else "Invalid image
    // size") in a new slot, with the mask's cells when masked; no image gives one empty slot, a
    // mask without an image -1. Answers the first new index.
    int Add(const platform::TBitmap* image, const platform::TBitmap* mask);
    // The cell's image, and its mask (opaque without one) when masked; notifies.
    void Replace(int index, const platform::TBitmap* image, const platform::TBitmap* mask);
    // Masked strips make the mask from the colour.
    void ReplaceMasked(int index, platform::TBitmap& bitmap, platform::TColor transparent);
    // No images, without notification.
    void Clear();
    void ClearData() override { Clear(); }
    void AssignItem(const TLXListItem& source) override;

    platform::TBitmap& Image() { return image_; }
    const platform::TBitmap& Image() const { return image_; }
    const platform::TBitmap& Mask() const { return mask_; }
    // The image's cell alone.
    void GetBitmap(int index, platform::TBitmap& bitmap) const;
    // The image's bottom-left pixel.
    platform::TColor TransparentColor(int index) const;
    platform::TColor PixelAt(platform::TPoint point, int index) const;

    platform::TColor BkColor = NoColor;
    platform::TColor BlendColor = NoColor;
    TLXImageDrawingStyle DrawingStyle = idsNormal;
    int ImageType = 0; // 1 draws the mask
    bool ShareImages = false;

    // By the drawing style; through the mask the same pixels as the mask ANDed, then the image ORed.
    void Draw(platform::TCanvas& canvas, int x, int y, int index) const;
    void DrawExt(platform::TCanvas& canvas, const platform::TRect& rect, platform::TRect& painted, int index,
                 unsigned flags) const;
    void DrawClipped(platform::TCanvas& canvas, const platform::TRect& rect, int index,
                     platform::TColor color, int clipOffset, unsigned flags) const;

protected:
    void ReadData(QIODevice& stream, uint8_t flags) override;
    void WriteData(QIODevice& stream) const override;

private:
    void CheckIndex(int index) const;
    void Grow(int width);
    void PutCell(int index, const QImage& image, const QImage* mask);
    void RebuildEntries(int count);
    // The images side by side, trimmed to the images held.
    platform::TBitmap Trimmed(const platform::TBitmap& strip) const;

    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    bool masked_ = false;
    int usedWidth_ = 0;
    std::vector<uint32_t> entries_;
    platform::TBitmap image_;
    platform::TBitmap mask_;
};
