#include "controls/LXGlyphCache.h"

#include "controls/LXDraw.h"
#include "controls/LXDrawText.h"

#include <algorithm>

using platform::TBitmap;
using platform::TColor;
using platform::TRect;

namespace {

std::unique_ptr<TLXGlyphCache> globalCache;
int glyphCount = 0;

TBitmap CellOf(const TBitmap& source, int cell, int width, int height)
{
    TBitmap bitmap;
    bitmap.SetImage(source.Image().copy(cell * width, 0, width, height));
    if (source.TransparentMode() == platform::TTransparentMode::tmFixed)
        bitmap.SetTransparentColor(source.TransparentColor());
    return bitmap;
}

} // namespace

TLXGlyphList::TLXGlyphList(int width, int height) : width_(width), height_(height) {}

bool TLXGlyphList::IsUsed(int index) const
{
    return index >= 0 && index < Count() && used_[index];
}

TRect TLXGlyphList::ImageRect(int index) const
{
    return platform::Rect(index * width_, 0, (index + 1) * width_, height_);
}

namespace {

// The strip grown to count cells: the new cell black in the image and white
// (clear) in the mask.
QImage Grown(const QImage& strip, int width, int height, QRgb fill)
{
    QImage grown(width, height, QImage::Format_RGB32);
    grown.fill(fill);
    const QImage old = strip.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < std::min(old.height(), height); ++y)
        std::copy_n(old.constScanLine(y), std::min(old.width(), width) * 4, grown.scanLine(y));
    return grown;
}

} // namespace

int TLXGlyphList::AddGlyph(const TBitmap& bitmap, TColor maskColor)
{
    const auto unused = std::find(used_.begin(), used_.end(), false);
    const int index = static_cast<int>(unused - used_.begin());
    QImage image = image_.Image().convertToFormat(QImage::Format_RGB32);
    QImage mask = mask_.Image().convertToFormat(QImage::Format_RGB32);
    if (unused == used_.end()) {
        used_.push_back(false);
        image = Grown(image, width_ * Count(), height_, qRgb(0, 0, 0));
        mask = Grown(mask, width_ * Count(), height_, qRgb(255, 255, 255));
    }
    const QImage cell = bitmap.Image().convertToFormat(QImage::Format_RGB32);
    const QRgb key = platform::ToQColor(maskColor).rgb() & RGB_MASK;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const bool inside = x < cell.width() && y < cell.height();
            const QRgb pixel = inside ? cell.pixel(x, y) : key;
            const bool clear = (pixel & RGB_MASK) == key;
            image.setPixel(index * width_ + x, y, clear ? qRgb(0, 0, 0) : pixel);
            mask.setPixel(index * width_ + x, y, clear ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    image_.SetImage(image);
    mask_.SetImage(mask);
    used_[index] = true;
    ++usedCount_;
    return index;
}

void TLXGlyphList::FreeGlyph(int index)
{
    if (!IsUsed(index))
        return;
    used_[index] = false;
    --usedCount_;
}

TLXGlyphList* TLXGlyphCache::GetList(int width, int height)
{
    for (const auto& list : lists_)
        if (list->Width() == width && list->Height() == height)
            return list.get();
    lists_.push_back(std::make_unique<TLXGlyphList>(width, height));
    return lists_.back().get();
}

void TLXGlyphCache::ReleaseList(TLXGlyphList* list)
{
    if (!list || list->UsedCount() != 0)
        return;
    std::erase_if(lists_, [list](const auto& held) { return held.get() == list; });
}

TLXGlyphCache* GlyphCache()
{
    return globalCache.get();
}

TLXGlyphSlot GlyphSlotFor(int state, int numGlyphs, bool uncoloured)
{
    int slot = state;
    if (state == 1 || state == 7)
        slot = 1;
    else if (state > numGlyphs - 1)
        slot = !uncoloured ? 0 : (state == 6 ? 4 : 2);
    if (slot < numGlyphs && !(uncoloured && slot == 0))
        return {slot, TLXGlyphSource::Cell, slot};
    if (slot == 0)
        return {slot, TLXGlyphSource::Grey, 0};
    if (slot == 1)
        return {slot, TLXGlyphSource::Embossed, 0};
    return {slot, TLXGlyphSource::Cell, 0};
}

TLXGlyph::TLXGlyph()
{
    slots_.fill(-1);
    if (glyphCount++ == 0)
        globalCache = std::make_unique<TLXGlyphCache>();
    source_.OnChange = [this] { SourceChanged(); };
}

TLXGlyph::~TLXGlyph()
{
    source_.OnChange = nullptr;
    Release();
    if (--glyphCount == 0 && globalCache && globalCache->IsEmpty())
        globalCache.reset();
}

void TLXGlyph::SourceChanged()
{
    transparentColor_ = source_.TransparentColor();
    Release();
    if (OnChange)
        OnChange();
}

void TLXGlyph::SetBitmap(const TBitmap* bitmap)
{
    Release();
    source_.Assign(bitmap ? *bitmap : TBitmap());
    if (IsEmpty())
        return;
    transparentColor_ = source_.TransparentColor();
    if (source_.Width() % source_.Height() == 0) {
        const int count = source_.Width() / source_.Height();
        numGlyphs_ = count < 6 ? count : 1;
    }
}

void TLXGlyph::SetNumGlyphs(int count)
{
    if (count < 1 || count > 5 || count == numGlyphs_)
        return;
    Release();
    numGlyphs_ = count;
}

void TLXGlyph::SetUncoloured(bool uncoloured)
{
    if (uncoloured_ == uncoloured)
        return;
    Release();
    uncoloured_ = uncoloured;
}

void TLXGlyph::Release()
{
    if (!list_)
        return;
    for (int& index : slots_) {
        if (index >= 0)
            list_->FreeGlyph(index);
        index = -1;
    }
    if (globalCache)
        globalCache->ReleaseList(list_);
    list_ = nullptr;
}

TBitmap TLXGlyph::PreparedImage(const TLXGlyphSlot& slot) const
{
    const int width = source_.Width() / numGlyphs_;
    const int height = source_.Height();
    const TBitmap cell = CellOf(source_, slot.Cell, width, height);
    TBitmap derived;
    switch (slot.Source) {
    case TLXGlyphSource::Cell:
        return cell;
    case TLXGlyphSource::Grey:
        MakeGreyGlyph(derived, cell);
        return derived;
    case TLXGlyphSource::Embossed:
        MakeDisabledGlyph(derived, cell, 0, 0);
        return derived;
    }
    return cell;
}

int TLXGlyph::StateImage(int state)
{
    if (IsEmpty() || state < 0 || state >= SlotCount)
        return -1;
    const TLXGlyphSlot slot = GlyphSlotFor(state, numGlyphs_, uncoloured_);
    if (slots_[slot.Slot] >= 0)
        return slots_[slot.Slot];
    if (!list_)
        list_ = globalCache->GetList(source_.Width() / numGlyphs_, source_.Height());
    slots_[slot.Slot] = list_->AddGlyph(PreparedImage(slot), transparentColor_);
    return slots_[slot.Slot];
}

TRect TLXGlyph::Draw(platform::TCanvas& canvas, const QString& text, unsigned textFormat, bool wordBreak,
                     unsigned flags, const TLXGlyphTextLayout& layout, int state, const TRect& rect,
                     TLX3DCaption* caption)
{
    TLXGlyphTextRects rects;
    const int index = StateImage(state);
    if (index < 0)
        return DrawGlyphAndText(canvas, text, caption, rects, textFormat, flags, true, true, wordBreak,
                                layout, transparentColor_, nullptr, TRect(), nullptr, rect);
    return DrawGlyphAndText(canvas, text, caption, rects, textFormat, flags, true, true, wordBreak, layout,
                            transparentColor_, &list_->Mask(), list_->ImageRect(index), &list_->Image(),
                            rect);
}
