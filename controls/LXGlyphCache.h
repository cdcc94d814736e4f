#pragma once
// Button glyphs: one source bitmap holding up to five state images side by
// side, whose prepared images (derived where the source has none: embossed when
// disabled, grey for the uncoloured looks) live in one masked image strip per
// cell size, shared by every glyph of that size. The global cache of those
// strips lives from the first glyph made to the last one gone.
#include "controls/LXAppearance.h"
#include "controls/LXImageStrip.h"
#include "platform_gui/Bitmap.h"
#include "platform_gui/Canvas.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

// A masked image strip of one cell size with the set of images in use. A freed image stays in the
// strip and is the next one used.
class TLXGlyphList : public TLXImageListItem {
    Q_OBJECT
public:
    TLXGlyphList(int width, int height);

    int UsedCount() const { return usedCount_; }
    bool IsUsed(int index) const;

    // Stores the bitmap (cell size) in the first unused image, the strip growing by one image when
    // all are used, with its mask from the colour; answers the index.
    int AddGlyph(platform::TBitmap& bitmap, platform::TColor maskColor);
    void FreeGlyph(int index);

private:
    std::vector<bool> used_;
    int usedCount_ = 0;
};

// At most one strip per cell size.
class TLXGlyphCache {
public:
    // The strip of the size, made when there is none.
    TLXGlyphList* GetList(int width, int height);
    // Frees the strip when none of its images is used.
    void ReleaseList(TLXGlyphList* list);
    bool IsEmpty() const { return lists_.empty(); }
    int ListCount() const { return static_cast<int>(lists_.size()); }

private:
    std::vector<std::unique_ptr<TLXGlyphList>> lists_;
};

// The global cache while any glyph exists; null otherwise.
TLXGlyphCache* GlyphCache();

// Where a draw state's image comes from: its slot, and the source cell or
// derived image put there.
enum class TLXGlyphSource { Cell, Grey, Embossed };
struct TLXGlyphSlot {
    int Slot = 0;
    TLXGlyphSource Source = TLXGlyphSource::Cell;
    int Cell = 0;
    friend bool operator==(const TLXGlyphSlot&, const TLXGlyphSlot&) = default;
};
// States 1 and 7 take slot 1; another state beyond the source's images takes
// slot 0 when coloured, else slot 4 for state 6 and slot 2 for the rest. A slot
// within the images is its own cell, but the uncoloured normal image is grey;
// beyond them slot 1 is the embossed cell 0, slot 0 the grey one when
// uncoloured, any other slot cell 0 as it is.
TLXGlyphSlot GlyphSlotFor(int state, int numGlyphs, bool uncoloured);

class TLXGlyph {
public:
    static constexpr int SlotCount = 9;

    TLXGlyph();
    ~TLXGlyph();
    TLXGlyph(const TLXGlyph&) = delete;
    TLXGlyph& operator=(const TLXGlyph&) = delete;

    const platform::TBitmap& Bitmap() const { return source_; }
    // A copy of the bitmap (null clears). A width that is a whole multiple of the
    // height sets NumGlyphs to the multiple, or to 1 when it is above 5; a bitmap
    // with no width or no height is empty and leaves NumGlyphs alone.
    void SetBitmap(const platform::TBitmap* bitmap);
    int NumGlyphs() const { return numGlyphs_; }
    // 1 to 5; other values are ignored.
    void SetNumGlyphs(int count);
    bool Uncoloured() const { return uncoloured_; }
    void SetUncoloured(bool uncoloured);
    platform::TColor TransparentColor() const { return transparentColor_; }
    bool IsEmpty() const { return source_.Width() <= 0 || source_.Height() <= 0; }

    // The strip index of the state's image, prepared at the first call; -1 for an
    // empty source.
    int StateImage(int state);
    // Frees the prepared images; the strip goes when no glyph uses it any more.
    void Release();
    // The strip holding the prepared images; null before the first one.
    TLXGlyphList* List() const { return list_; }

    // Caption and the state's image laid out in rect and painted (transparent,
    // "&" marking the accelerator); only the caption when the source is empty.
    // Answers the focus rectangle.
    platform::TRect Draw(platform::TCanvas& canvas, const QString& text, unsigned textFormat, bool wordBreak,
                         unsigned flags, const TLXGlyphTextLayout& layout, int state,
                         const platform::TRect& rect, TLX3DCaption* caption);

    // The source changed: fired after the prepared images are freed.
    std::function<void()> OnChange;

private:
    void SourceChanged();
    platform::TBitmap PreparedImage(const TLXGlyphSlot& slot) const;

    platform::TBitmap source_;
    platform::TColor transparentColor_ = platform::clNone;
    int numGlyphs_ = 1;
    bool uncoloured_ = false;
    std::array<int, SlotCount> slots_;
    TLXGlyphList* list_ = nullptr;
};
