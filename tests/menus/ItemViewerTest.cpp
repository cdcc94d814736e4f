#include "Drawing.h"
#include "MenuTestKit.h"
#include "RecordingCanvas.h"
#include "menus/PMImageList.h"
#include "menus/PMItemViewer.h"
#include "menus/PMPlatform.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr int CharWidth = 7;

// A menu of entries made by the caller, measured with fixed metrics: 13 pixels high, no leading.
struct MeasuredMenu {
    QWidget owner;
    TPMRootItem* root = new TPMRootItem(&owner);
    std::unique_ptr<TestHost> host;

    template <typename Item = TPMItem> Item* Add(const QString& caption)
    {
        auto* item = new Item(&owner);
        item->SetCaption(caption);
        root->AppendItem(item);
        return item;
    }
    TPMView* Open(bool fixedMetrics = true)
    {
        host = std::make_unique<TestHost>(root);
        if (fixedMetrics)
            host->view->MeasureCanvas = [] { return std::make_unique<RecordingCanvas>(CharWidth, 13); };
        host->Open();
        return host->view;
    }
    TPMItemViewer* Viewer(const TPMCustomItem* item) const { return ViewerOf(host->view, item); }
    QImage Image() const { return host->grab().toImage(); }
};

TColor At(const QImage& image, const TPMItemViewer* viewer, int x, int y)
{
    return Probe(image, viewer->BoundsRect.Left + x, viewer->BoundsRect.Top + y);
}

} // namespace

TEST(ItemViewer, MeasuresEntriesAndSeparators)
{
    MeasuredMenu menu;
    TPMItem* insert = menu.Add("Insert Directory");
    TPMItem* shortCut = menu.Add("&New\tCtrl+N");
    TPMSeparatorItem* separator = menu.Add<TPMSeparatorItem>("");
    TPMItem* last = menu.Add("Go");
    menu.Open();
    const int entryWidth = 16 * CharWidth + 17 + 6 + 17;
    EXPECT_EQ(menu.Viewer(insert)->BoundsRect, Rect(0, 0, entryWidth, 17));
    // "&New" measures without its marker; the shortcut adds its width and the height less 6.
    const int shortCutWidth = 3 * CharWidth + 17 + 6 + 17 + 6 * CharWidth + 17 - 6;
    ASSERT_LT(shortCutWidth, entryWidth);
    EXPECT_EQ(menu.Viewer(shortCut)->BoundsRect, Rect(0, 17, entryWidth, 34)); // the wider width
    EXPECT_EQ(menu.Viewer(separator)->BoundsRect, Rect(0, 34, entryWidth, 43));
    EXPECT_EQ(menu.Viewer(last)->BoundsRect.Top, 43);

    // An image list widens the column and may raise the entry.
    TCustomImageList images(20, 24, &menu.owner);
    last->SetImages(&images);
    EXPECT_EQ(menu.Viewer(last)->BoundsRect.Height(), 27);
    RecordingCanvas canvas(CharWidth, 13);
    int width = 0;
    int height = 0;
    menu.Viewer(last)->MeasureItem(canvas, width, height);
    EXPECT_EQ(width, 2 * CharWidth + 23 + 6 + 27); // column: (20 + 3) * 27 / (24 + 3)
}

TEST(ItemViewer, SeparatorLineIsEtchedAcrossTheMiddle)
{
    MeasuredMenu menu;
    menu.Add("Alpha beta gamma");
    TPMSeparatorItem* separator = menu.Add<TPMSeparatorItem>("");
    menu.Add("Delta");
    TPMView* view = menu.Open();
    const QImage image = menu.Image();
    const TPMItemViewer* viewer = menu.Viewer(separator);
    const int right = viewer->BoundsRect.Width();
    EXPECT_EQ(At(image, viewer, 12, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(image, viewer, 12, 4), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(image, viewer, right - 13, 4), ColorToRGB(clBtnHighlight));
    for (const TPoint p : {TPoint{11, 3}, TPoint{right - 12, 3}, TPoint{20, 2}, TPoint{20, 5}})
        EXPECT_EQ(At(image, viewer, p.X, p.Y), ColorToRGB(clMenu)) << p.X << "," << p.Y;
    separator->SetBlank(true);
    view->Window()->repaint();
    EXPECT_EQ(At(menu.Image(), viewer, 20, 3), ColorToRGB(clMenu));
}

TEST(ItemViewer, HighlightCheckSquareAndEmbossInPixels)
{
    MeasuredMenu menu;
    TPMItem* plain = menu.Add("Plain");
    TPMItem* checked = menu.Add("Checked");
    TPMItem* disabled = menu.Add("Disabled");
    auto* submenu = menu.Add<TestSubmenuItem>("More");
    checked->SetChecked(true);
    disabled->SetEnabled(false);
    TPMView* view = menu.Open(false);
    const int column = menu.Viewer(plain)->BoundsRect.Height(); // the square is as wide as the entry is high
    const TColor highlight = ColorToRGB(clHighlight);

    QImage image = menu.Image();
    // Not selected: the checked square is sunken and dithered.
    const TPMItemViewer* checkedViewer = menu.Viewer(checked);
    EXPECT_EQ(At(image, checkedViewer, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(image, checkedViewer, column - 1, column - 1), ColorToRGB(clBtnHighlight));
    EXPECT_NE(At(image, checkedViewer, 2, 2), At(image, checkedViewer, 3, 2));
    EXPECT_EQ(At(image, checkedViewer, 2, 2), At(image, checkedViewer, 3, 3));

    // Disabled on a button-face menu: the highlight copy one pixel right of and below the shadow.
    const TPMItemViewer* disabledViewer = menu.Viewer(disabled);
    QImage caption = image.copy(disabledViewer->BoundsRect.ToQRect());
    QImage shadowInk = caption;
    QImage highlightInk = caption;
    for (int y = 0; y < caption.height(); ++y)
        for (int x = 0; x < caption.width(); ++x) {
            const TColor pixel = Probe(caption, x, y);
            if (pixel != ColorToRGB(clBtnShadow))
                shadowInk.setPixel(x, y, ToQColor(clMenu).rgb());
            if (pixel != ColorToRGB(clBtnHighlight))
                highlightInk.setPixel(x, y, ToQColor(clMenu).rgb());
        }
    const QRect shadowBounds = InkBounds(shadowInk, clMenu);
    const QRect highlightBounds = InkBounds(highlightInk, clMenu);
    ASSERT_FALSE(shadowBounds.isNull());
    EXPECT_EQ(highlightBounds.bottomRight(), shadowBounds.bottomRight() + QPoint(1, 1));

    // Selected: the highlight from 0 without a check, from the column + 1 with one, not dithered.
    view->ChooseViewer(menu.Viewer(plain), false);
    image = menu.Image();
    EXPECT_EQ(At(image, menu.Viewer(plain), 0, 1), highlight);
    view->ChooseViewer(menu.Viewer(checked), false);
    image = menu.Image();
    EXPECT_EQ(At(image, checkedViewer, column + 1, 1), highlight);
    EXPECT_EQ(At(image, checkedViewer, column, 1), ColorToRGB(clMenu));
    EXPECT_EQ(At(image, checkedViewer, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(image, checkedViewer, 2, 2), At(image, checkedViewer, 3, 2));

    // The submenu arrow: the menu text colour, the highlight text colour while selected.
    const TPMItemViewer* submenuViewer = menu.Viewer(submenu);
    const TRect& bounds = submenuViewer->BoundsRect;
    const int arrowX = bounds.Width() - MenuCheckWidth + 4;
    const int arrowMiddle = (bounds.Height() - MenuCheckHeight) / 2 + 6;
    EXPECT_EQ(At(image, submenuViewer, arrowX, arrowMiddle), ColorToRGB(clMenuText));
    EXPECT_EQ(At(image, submenuViewer, arrowX + 3, arrowMiddle), ColorToRGB(clMenuText));
    EXPECT_EQ(At(image, submenuViewer, arrowX + 4, arrowMiddle), ColorToRGB(clMenu));
    view->ChooseViewer(const_cast<TPMItemViewer*>(submenuViewer), false);
    image = menu.Image();
    EXPECT_EQ(At(image, submenuViewer, arrowX, arrowMiddle), ColorToRGB(clHighlightText));
    EXPECT_EQ(At(image, submenuViewer, arrowX, arrowMiddle - 4), highlight);
}

TEST(ItemViewer, EmbossRule)
{
    struct Case {
        bool toolbarStyled, selected;
        TColor window;
        bool embossed;
    };
    const Case cases[] = {
        {false, false, clMenu, true}, // the classic menu colour is button face
        {false, false, clWindow, false},
        {false, false, clGrayText, true},
        {false, true, clMenu, false},
        {false, true, clGrayText, true},
        {true, true, clWindow, true},
        {false, false, 0xC8D0D4, true}, // the same colour written as a plain value
    };
    for (const Case& c : cases)
        EXPECT_EQ(EmbossDisabled(c.toolbarStyled, c.selected, c.window), c.embossed)
            << c.toolbarStyled << c.selected << std::hex << c.window;
}

TEST(ItemViewer, HintsAndRoles)
{
    MeasuredMenu menu;
    struct Case {
        QString caption;
        QString hint;
        TPMItemOptions options;
        QKeyCombination shortCut;
        bool submenu;
        QString expected;
    };
    const Case cases[] = {
        {"Rename:", "", {}, {}, false, "Rename"},
        {"Open...", "", {}, {}, false, "Open"},
        {"&Delete Directory", "", {}, {}, false, "Delete Directory"},
        {"Folders", "", {}, {}, true, ""},
        {"Rename:", "a|b", {}, {}, false, "a"},
        {"Rename:", "", tboNoAutoHint, {}, false, ""},
        {"Open",
         "",
         {},
         Qt::CTRL | Qt::Key_O,
         false,
         "Open (" + QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText) + ")"},
    };
    std::vector<TPMCustomItem*> items;
    for (const Case& c : cases) {
        TPMCustomItem* item = c.submenu ? static_cast<TPMCustomItem*>(menu.Add<TestSubmenuItem>(c.caption))
                                        : menu.Add(c.caption);
        item->SetHint(c.hint);
        item->SetOptions(c.options);
        item->SetShortCut(c.shortCut);
        items.push_back(item);
    }
    TPMSeparatorItem* separator = menu.Add<TPMSeparatorItem>("");
    menu.Add("End");
    menu.Open();
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(menu.Viewer(items[i])->HintText(), cases[i].expected) << cases[i].caption.toStdString();

    EXPECT_EQ(menu.Viewer(items[0])->AccessibleRole(), ROLE_SYSTEM_MENUITEM);
    EXPECT_EQ(menu.Viewer(items[3])->AccessibleRole(), ROLE_SYSTEM_MENUITEM);
    EXPECT_EQ(menu.Viewer(separator)->AccessibleRole(), ROLE_SYSTEM_SEPARATOR);
    QWidget bar;
    TPMView toolbar(&bar, nullptr, menu.root, &bar, true);
    EXPECT_EQ(ViewerOf(&toolbar, items[0])->AccessibleRole(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(ViewerOf(&toolbar, items[3])->AccessibleRole(), ROLE_SYSTEM_BUTTONMENU);
    EXPECT_EQ(ViewerOf(&toolbar, separator)->AccessibleRole(), ROLE_SYSTEM_SEPARATOR);
}

TEST(ItemViewer, AReleaseClicksPlainEntriesOnly)
{
    MeasuredMenu menu;
    TPMItem* plain = menu.Add("Plain");
    auto* submenu = menu.Add<TestSubmenuItem>("More");
    TPMItem* disabled = menu.Add("Off");
    disabled->SetEnabled(false);
    TPMView* view = menu.Open();
    for (TPMCustomItem* item :
         {static_cast<TPMCustomItem*>(submenu), static_cast<TPMCustomItem*>(disabled)}) {
        MoveMouseTo(view, menu.Viewer(item)->BoundsRect.ToQRect().center());
        menu.Viewer(item)->HandleMouseUp(5, 5, false);
        EXPECT_EQ(view->CloseAction().kind, cakNone) << item->Caption().toStdString();
    }
    MoveMouseTo(view, menu.Viewer(plain)->BoundsRect.ToQRect().center());
    menu.Viewer(plain)->HandleMouseUp(5, 5, false);
    EXPECT_EQ(view->CloseAction().kind, cakClick);
    EXPECT_EQ(view->CloseAction().item, plain);
    EXPECT_TRUE(view->CloseAction().sound);

    // A press on a submenu entry opens its submenu; on a plain entry it does nothing.
    view->CloseAction().kind = cakNone;
    bool pressedOnMenu = false;
    menu.Viewer(plain)->HandleMouseDown(0, 5, 5, pressedOnMenu);
    EXPECT_EQ(view->OpenSubmenuView(), nullptr);
    MoveMouseTo(view, menu.Viewer(submenu)->BoundsRect.ToQRect().center());
    menu.Viewer(submenu)->HandleMouseDown(0, 5, 5, pressedOnMenu);
    EXPECT_NE(view->OpenSubmenuView(), nullptr);
    EXPECT_EQ(view->CloseAction().kind, cakNone);
}
