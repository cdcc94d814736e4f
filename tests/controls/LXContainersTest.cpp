#include "controls/LXContainers.h"
#include "Drawing.h"
#include "WavWriter.h"
#include "controls/LXStreams.h"
#include "platform_gui/PainterCanvas.h"

#include <QBuffer>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// A 16 x 16 cell: the colour, with its left half of the transparent colour.
TBitmap HalfKeyed(TColor color, TColor key)
{
    TBitmap bitmap = SolidBitmap(16, 16, color);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            bitmap.Canvas().SetPixel(x, y, key);
    return bitmap;
}

std::string Thrown(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ELXException& e) {
        return e.what();
    }
    return "nothing";
}

TEST(LXContainers, StripSizesAndLimits)
{
    TLXImageListItem strip(16, 16);
    const TBitmap tooShort = SolidBitmap(32, 15, clRed);
    EXPECT_EQ(Thrown([&] { strip.Add(&tooShort, nullptr); }), "Invalid image size");
    const TBitmap notWhole = SolidBitmap(20, 16, clRed);
    EXPECT_EQ(Thrown([&] { strip.Add(&notWhole, nullptr); }), "Invalid image size");
    EXPECT_EQ(Thrown([] { TLXImageListItem(0, 16); }), "Invalid image size");
    EXPECT_EQ(strip.Add(nullptr, &tooShort), -1); // a mask without an image
    EXPECT_EQ(strip.Count(), 0);

    // Two cells at once, at their offsets.
    const TBitmap two = SolidBitmap(32, 16, clRed);
    EXPECT_EQ(strip.Add(&two, nullptr), 0);
    EXPECT_EQ(strip.Count(), 2);
    EXPECT_EQ(strip.ImageRect(1), Rect(16, 0, 32, 16));

    // 2048 images of 16 pixels fill 32768 pixels; one more is too many.
    TLXImageListItem full(16, 16);
    for (int i = 0; i < 2048; ++i)
        full.AddSlot();
    EXPECT_EQ(full.Image().Width(), 32768);
    EXPECT_EQ(Thrown([&] { full.AddSlot(); }), "Too many images");
    EXPECT_EQ(full.Count(), 2048);

    // A huge AllocBy (as a stored strip may carry) grows to the limit, not past the int range.
    TLXImageListItem greedy(16, 16);
    greedy.SetAllocBy(1 << 30);
    EXPECT_EQ(greedy.AddSlot(), 0);
    EXPECT_EQ(greedy.Image().Width(), 32768);
}

TEST(LXContainers, MaskedSwitchKeepsImagesAndTheMaskComesFromTheColour)
{
    TLXImageListItem strip(16, 16);
    const TBitmap red = HalfKeyed(clRed, clFuchsia), blue = HalfKeyed(clBlue, clFuchsia);
    strip.Add(&red, nullptr);
    strip.Add(&blue, nullptr);
    for (bool masked : {true, false, true}) {
        strip.SetMasked(masked);
        ASSERT_EQ(strip.Count(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(strip.Entry(i), static_cast<uint32_t>(16 * i) | (masked ? 0x10000u : 0u)) << masked;
        EXPECT_EQ(strip.Mask().Empty(), !masked);
    }
    TBitmap keyed = HalfKeyed(clLime, clFuchsia);
    strip.ReplaceMasked(1, keyed, clFuchsia);
    const QImage mask = strip.Mask().Image();
    EXPECT_EQ(Probe(mask, 16 + 2, 5), clWhite);  // the key's pixels are clear
    EXPECT_EQ(Probe(mask, 16 + 12, 5), clBlack); // the others show
    EXPECT_EQ(Probe(strip.Image().Image(), 16 + 12, 5), clLime);
    EXPECT_EQ(Probe(strip.Image().Image(), 16 + 2, 5), clBlack); // cleared under the mask
}

TEST(LXContainers, MaskedDrawingAndBlendPatterns)
{
    TLXImageListItem strip(16, 16);
    strip.SetMasked(true);
    TBitmap keyed = HalfKeyed(clLime, clFuchsia);
    strip.AddSlot();
    strip.ReplaceMasked(0, keyed, clFuchsia);

    struct Case {
        TLXImageDrawingStyle style;
        TColor background, blend;
        TColor clearPixel, shownEven, shownOdd; // (2, 2), (12, 2) and (13, 2) of the cell
    };
    const Case cases[] = {
        {idsTransparent, TLXImageListItem::NoColor, clRed, clBlue, clLime, clLime},
        {idsNormal, clYellow, TLXImageListItem::NoColor, clYellow, clLime, clLime},
        {idsSelected, clYellow, clRed, clYellow, clLime, clRed}, // x + y odd takes the blend
        {idsFocus, clYellow, clRed, clRed, clRed, clRed},        // y even: the whole row
    };
    for (const Case& c : cases) {
        strip.DrawingStyle = c.style;
        strip.BkColor = c.background;
        strip.BlendColor = c.blend;
        QImage image = BlankImage(20, 20, clBlue);
        {
            TPainterCanvas canvas(&image);
            strip.Draw(canvas, 2, 2, 0);
        }
        EXPECT_EQ(Probe(image, 4, 4), c.clearPixel) << c.style;
        EXPECT_EQ(Probe(image, 14, 4), c.shownEven) << c.style;
        EXPECT_EQ(Probe(image, 15, 4), c.shownOdd) << c.style;
        EXPECT_EQ(Probe(image, 19, 19), clBlue) << c.style; // outside the cell
    }
}

TEST(LXContainers, ImageListAnswersByListAndImage)
{
    TLXImageList list;
    auto* item = static_cast<TLXImageListItem*>(list.Add());
    const TBitmap red = HalfKeyed(clRed, clFuchsia);
    item->Add(&red, nullptr);
    EXPECT_EQ(list.ImageCount(0), 1);
    EXPECT_EQ(list.ImageCount(1), -1);
    EXPECT_EQ(list.TransparentColor(0, 0), clFuchsia); // bottom-left
    EXPECT_EQ(list.TransparentColor(1, 0), clWhite);
    EXPECT_FALSE(list.IsValid(0, 1));
    TBitmap cell;
    list.GetBitmap(0, 0, cell);
    EXPECT_EQ(cell.Width(), 16);
    EXPECT_EQ(Probe(cell.Image(), 12, 3), clRed);

    TLXBitmapList bitmaps;
    static_cast<TLXBitmapListItem*>(bitmaps.Add())->SetBitmap(SolidBitmap(5, 7, clRed));
    EXPECT_EQ(bitmaps.ImageCount(0), 1);
    EXPECT_EQ(bitmaps.ImageSize(0, 1), 7);
    EXPECT_EQ(bitmaps.ImageSize(3, 0), 0);
    EXPECT_EQ(bitmaps.PixelAt({4, 6}, 0, 0), clRed);
}

TEST(LXContainers, ChangeLinksFollowAndLeave)
{
    auto list = std::make_unique<TLXStringList>();
    int calls = 0;
    TLXBaseContainer* sender = nullptr;
    {
        TLXChangeLink link;
        link.OnChange = [&](TLXBaseContainer* from) {
            ++calls;
            sender = from;
        };
        list->RegisterChanges(&link);
        EXPECT_EQ(link.Sender(), list.get());
        auto* item = static_cast<TLXStringListItem*>(list->Add());
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(sender, list.get());
        item->SetItems({"a", "b"}); // an item's change reaches the links too
        EXPECT_EQ(calls, 2);
    }
    list->Clear(); // the link is gone: nothing to call
    EXPECT_EQ(calls, 2);

    TLXChangeLink outlives;
    list->RegisterChanges(&outlives);
    list.reset();
    EXPECT_EQ(outlives.Sender(), nullptr);
}

// A container of each kind, its items compressed or plain.
void Fill(TLXCustomContainer& container, bool compressed)
{
    switch (container.ListKind()) {
    case TLXCustomContainer::lkBitmapList: {
        auto* item = static_cast<TLXBitmapListItem*>(container.Add());
        item->SetBitmap(SolidBitmap(6, 4, clRed));
        item->SetIdent(7);
        item->SetDescription("red");
        container.Add()->SetPixelFormat(spfMono); // an empty one
        break;
    }
    case TLXCustomContainer::lkImageList: {
        const TBitmap cells = SolidBitmap(48, 16, clBlue);
        for (bool masked : {false, true}) {
            auto* item = static_cast<TLXImageListItem*>(container.Add());
            item->SetMasked(masked);
            item->Add(&cells, nullptr);
            TBitmap keyed = HalfKeyed(clLime, clFuchsia);
            item->ReplaceMasked(1, keyed, clFuchsia);
        }
        container.Add();
        break;
    }
    case TLXCustomContainer::lkStringList:
        static_cast<TLXStringListItem*>(container.Add())->SetItems({"one", "", "three"});
        container.Add()->SetDescription("empty");
        break;
    case TLXCustomContainer::lkWaveList:
        static_cast<TLXWaveListItem*>(container.Add())
            ->Wave()
            .SetData(testing_support::MakeWav({8000, 1, 16}, 40,
                                              [](int64_t f, int) { return f % 2 ? 0.5 : -0.5; }));
        container.Add()->SetIdent(3);
        break;
    }
    for (int i = 0; i < container.Count(); ++i)
        container.Items(i)->SetCompressed(compressed);
}

QByteArray Saved(const TLXCustomContainer& container, bool withIndex)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    container.SaveToStream(buffer, withIndex);
    return buffer.data();
}

template <typename List> void RoundTrip()
{
    for (bool withIndex : {false, true})
        for (bool compressed : {false, true}) {
            List original;
            Fill(original, compressed);
            const QByteArray bytes = Saved(original, withIndex);
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            List copy;
            int notes = 0;
            copy.OnChange = [&](TLXCustomComponent*) { ++notes; };
            copy.LoadFromStream(buffer, withIndex);
            EXPECT_EQ(notes, 1);
            EXPECT_EQ(buffer.bytesAvailable(), 0);
            ASSERT_EQ(copy.Count(), original.Count());
            for (int i = 0; i < copy.Count(); ++i) {
                EXPECT_EQ(copy.Items(i)->Description(), original.Items(i)->Description());
                EXPECT_EQ(copy.Items(i)->Ident(), original.Items(i)->Ident());
            }
            EXPECT_EQ(Saved(copy, withIndex), bytes) << withIndex << compressed;
        }
}

TEST(LXContainers, ContainersReadBackIdentically)
{
    RoundTrip<TLXBitmapList>();
    RoundTrip<TLXImageList>();
    RoundTrip<TLXStringList>();
    RoundTrip<TLXWaveList>();

    // The index holds each item's absolute position.
    TLXStringList strings;
    Fill(strings, false);
    const QByteArray bytes = Saved(strings, true);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_EQ(ReadInteger(buffer), 2);
    const int first = ReadInteger(buffer), second = ReadInteger(buffer);
    EXPECT_EQ(first, 12);
    ASSERT_TRUE(buffer.seek(second));
    TLXStringListItem item;
    item.LoadFromStream(buffer);
    EXPECT_EQ(item.Description(), "empty");
}

QByteArray Int(int32_t value)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteInteger(buffer, value);
    return buffer.data();
}

TEST(LXContainers, CorruptStreamsLeaveTheListEmpty)
{
    // An image item record: flags, then height, width, AllocBy, masked, count.
    const auto strip = [](int height, int width, int count) {
        return Int(1) + QByteArray(1, '\0') + Int(height) + Int(width) + Int(4) + QByteArray(1, '\0') +
               Int(count);
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        std::function<std::unique_ptr<TLXCustomContainer>()> make;
    };
    const auto images = [] { return std::make_unique<TLXImageList>(); };
    const auto strings = [] { return std::make_unique<TLXStringList>(); };
    const Case cases[] = {
        {"huge count", Int(0x7FFFFFFF) + QByteArray(8, '\0'), strings},
        {"negative count", Int(-1), strings},
        {"width past the limit", strip(16, 32769, 0), images},
        {"strip past the limit", strip(16, 16, 2049), images},
        {"no cell height", strip(0, 16, 1), images},
        {"bitmap of another size", strip(16, 16, 2) + Int(0), images},
        {"string length past the end", Int(1) + QByteArray(1, '\x08') + Int(1000) + "abc", strings},
        {"second item cut", Int(2) + QByteArray(1, '\0') + QByteArray(1, '\x02') + QByteArray(1, '\x09'),
         strings},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TLXCustomContainer> list = c.make();
        list->Add();
        int notes = 0;
        list->OnChange = [&](TLXCustomComponent*) { ++notes; };
        QBuffer buffer;
        buffer.setData(c.bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_THROW(list->LoadFromStream(buffer, false), EReadError) << c.name;
        EXPECT_EQ(list->Count(), 0) << c.name;
        EXPECT_EQ(notes, 1) << c.name;
    }

    // A wave item whose bytes are no WAV file: the stream's read error too.
    TLXWaveList waves;
    QBuffer buffer;
    buffer.setData(Int(1) + QByteArray(1, '\x08') + Int(40) + QByteArray(40, 'x'));
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(waves.LoadFromStream(buffer, false), EReadError);
    EXPECT_EQ(waves.Count(), 0);
}

TEST(LXContainers, GlobalListsByName)
{
    TLXContainer* global = GlobalContainer();
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(ImageListReference(&global->BitmapList()), "LXBML30");
    EXPECT_EQ(ImageListReference(&global->ImageList()), "LXIML30");
    TLXImageList own;
    EXPECT_TRUE(ImageListReference(&own).isEmpty());
    EXPECT_EQ(ImageListFromReference("LXIML30"), &global->ImageList());
    EXPECT_EQ(ImageListFromReference("LXBML30"), &global->BitmapList());
    EXPECT_EQ(ImageListFromReference("LXSTR30"), nullptr);
}

TEST(LXContainers, AssignCopiesEveryItem)
{
    TLXImageList source;
    Fill(source, true);
    source.SetDefaultCompressed(true);
    TLXImageList target;
    target.Add();
    int notes = 0;
    target.OnChange = [&](TLXCustomComponent*) { ++notes; };
    target.Assign(source);
    EXPECT_EQ(notes, 1);
    EXPECT_TRUE(target.DefaultCompressed());
    EXPECT_EQ(Saved(target, false), Saved(source, false));
}

} // namespace
