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

TLXGlyphList::TLXGlyphList(int width, int height) : TLXImageListItem(width, height)
{
    SetMasked(true);
}

bool TLXGlyphList::IsUsed(int index) const
{
    return index >= 0 && index < static_cast<int>(used_.size()) && used_[static_cast<size_t>(index)];
}

int TLXGlyphList::AddGlyph(TBitmap& bitmap, TColor maskColor)
{
    const auto unused = std::find(used_.begin(), used_.end(), false);
    const int index = unused != used_.end() ? static_cast<int>(unused - used_.begin()) : AddSlot();
    used_.resize(static_cast<size_t>(Count()), false);
    ReplaceMasked(index, bitmap, maskColor);
    used_[static_cast<size_t>(index)] = true;
    ++usedCount_;
    return index;
}

void TLXGlyphList::FreeGlyph(int index)
{
    if (!IsUsed(index))
        return;
    used_[static_cast<size_t>(index)] = false;
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
    TBitmap image = PreparedImage(slot);
    slots_[slot.Slot] = list_->AddGlyph(image, transparentColor_);
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
