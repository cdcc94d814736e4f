#include "Drawing.h"
#include "controls/LXBevelPanel.h"
#include "controls/LXCustomControl.h"
#include "controls/LXGraphicControl.h"
#include "controls/LXLEDLabel.h"
#include "controls/LXLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace platform;

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;

template <typename Base> struct Counting : Base {
    using Base::Base;
    int paints = 0;
    void Paint(TCanvas& canvas) override
    {
        ++paints;
        Base::Paint(canvas);
    }
};

// A shown host of a pure colour.
struct ColouredHost {
    explicit ColouredHost(TColor colour)
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, ToQColor(colour));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.resize(60, 40);
    }
    void Show()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
    }
    QWidget window;
};

TEST(LXControlBasesTest, ClassesAndProperties)
{
    const struct {
        std::function<QWidget*()> make;
        const char* className;
        const char* ancestor;
        bool windowless;
        QVariant transparent; // invalid where the class has no such property
    } rows[] = {
        {[] { return new TLXCustomControl; }, "TLXCustomControl", "QWidget", false, false},
        {[] { return new TLXCustomPanel; }, "TLXCustomPanel", "TLXCustomControl", false, false},
        {[] { return new TLXControl; }, "TLXControl", "QWidget", true, QVariant()},
        {[] { return new TLXBaseControl; }, "TLXBaseControl", "TLXControl", true, QVariant()},
        {[] { return new TLXBaseGraphicControl; }, "TLXBaseGraphicControl", "TLXBaseControl", true, true},
        {[] { return new TLXGraphicControl; }, "TLXGraphicControl", "TLXBaseGraphicControl", true, true},
        {[] { return new TLXCustomBevelPanel; }, "TLXCustomBevelPanel", "TLXCustomPanel", false, false},
        {[] { return new TLXCustomStatusBar; }, "TLXCustomStatusBar", "TLXCustomControl", false, false},
        {[] { return new TLXBaseLabel; }, "TLXBaseLabel", "TLXBaseGraphicControl", true, true},
        {[] { return new TLXCustomLabel; }, "TLXCustomLabel", "TLXBaseLabel", true, true},
        {[] { return new TLXLabel; }, "TLXLabel", "TLXBaseControl", true, true},
        {[] { return new TLXLEDCustomLabel; }, "TLXLEDCustomLabel", "TLXGraphicControl", true, false},
        {[] { return new TLXLEDLabel; }, "TLXLEDLabel", "TLXLEDCustomLabel", true, false},
    };
    for (const auto& row : rows) {
        std::unique_ptr<QWidget> control(row.make());
        EXPECT_STREQ(control->metaObject()->className(), row.className);
        EXPECT_TRUE(control->inherits(row.ancestor)) << row.className;
        EXPECT_EQ(control->inherits("TLXCustomControl"), !row.windowless) << row.className;
        EXPECT_EQ(control->property("Windowless").toBool(), row.windowless) << row.className;
        EXPECT_EQ(control->focusPolicy(), Qt::NoFocus) << row.className;
        EXPECT_EQ(control->property("Transparent"), row.transparent) << row.className;
        EXPECT_TRUE(control->setProperty("Tag", 5555)) << row.className;
        EXPECT_EQ(control->property("Tag").toInt(), 5555) << row.className;
    }
    TLXCustomControl windowed;
    EXPECT_EQ(windowed.size(), QSize(100, 40));
    windowed.SetTabStop(true);
    EXPECT_EQ(windowed.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(TLXBaseGraphicControl().size(), QSize(30, 30));
}

TEST(LXControlBasesTest, CurrentValuesCauseNoPaint)
{
    ColouredHost host(clWhite);
    auto* windowed = new Counting<TLXCustomPanel>(&host.window);
    auto* graphic = new Counting<TLXGraphicControl>(&host.window);
    graphic->setGeometry(30, 0, 20, 20);
    graphic->Bevel().SetBorderWidth(1); // something to paint
    int notices = 0;
    QObject::connect(graphic, &TLXControl::OnBoundsChanged, [&] { ++notices; });
    host.Show();

    const struct {
        const char* name;
        std::function<void()> set;
        bool paints;
    } rows[] = {
        {"windowed Transparent", [&] { windowed->SetTransparent(false); }, false},
        {"windowed CtlXP", [&] { windowed->SetCtlXP(true); }, false},
        {"windowed Color", [&] { windowed->SetColor(clBtnFace); }, false},
        {"windowed ParentColor", [&] { windowed->SetParentColor(false); }, false},
        {"graphic Transparent", [&] { graphic->SetTransparent(true); }, false},
        {"graphic bevel width", [&] { graphic->Bevel().SetBorderWidth(1); }, false},
        {"graphic bevel style", [&] { graphic->Bevel().SetStyleOuter(bvNone); }, false},
        {"graphic bounds", [&] { graphic->SetBounds(30, 0, 20, 20); }, false},
        {"windowed Color changed", [&] { windowed->SetColor(Red); }, true},
        {"graphic bevel changed", [&] { graphic->Bevel().SetBorderWidth(2); }, true},
    };
    for (const auto& row : rows) {
        windowed->paints = graphic->paints = 0;
        row.set();
        QCoreApplication::processEvents();
        EXPECT_EQ(windowed->paints + graphic->paints > 0, row.paints) << row.name;
    }
    EXPECT_EQ(notices, 0);
}

TEST(LXControlBasesTest, BoundsChangedAtOnceWhileHidden)
{
    TLXGraphicControl control;
    std::vector<int> changes;
    QObject::connect(&control, &TLXControl::OnBoundsChanged, [&](int c) { changes.push_back(c); });
    control.SetBounds(0, 0, 40, 30);
    control.SetBounds(5, 0, 40, 30);
    control.SetBounds(6, 1, 41, 30);
    control.SetBounds(6, 1, 41, 30);
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3}));
}

TEST(LXControlBasesTest, TransparentWindowedFillsTransparentGraphicShowsTheParent)
{
    ColouredHost host(Red);
    auto* windowed = new TLXCustomControl(&host.window);
    windowed->setGeometry(0, 0, 20, 20);
    windowed->SetColor(Blue);
    windowed->SetTransparent(true);
    auto* graphic = new TLXGraphicControl(&host.window);
    graphic->setGeometry(30, 0, 20, 20);
    host.Show();
    const QImage image = host.window.grab().toImage();
    EXPECT_EQ(Probe(image, 10, 10), Blue) << "no library parent supplies a background";
    EXPECT_EQ(Probe(image, 40, 10), Red);
    EXPECT_FALSE(windowed->HasParentBackground());
}

// A parent painting a background of its own: red on the left half, blue on the right.
struct Supplier : QWidget, TLXBackgroundSupplier {
    Supplier() : background(40, 40)
    {
        background.Canvas().Brush.SetColor(Red);
        background.Canvas().FillRect(Rect(0, 0, 20, 40));
        background.Canvas().Brush.SetColor(Blue);
        background.Canvas().FillRect(Rect(20, 0, 40, 40));
        resize(40, 40);
    }
    bool SuppliesBackground() const override { return true; }
    const TBitmap* BackgroundBitmap() const override { return &background; }
    TPoint BackgroundOffset(TPoint point) const override { return point; }
    TBitmap background;
};

TEST(LXControlBasesTest, TransparentPanelsPaintTheParentsBackground)
{
    Supplier parent;
    auto* panel = new TLXCustomPanel(&parent);
    panel->setGeometry(15, 0, 10, 10);
    auto* label = new TLXGraphicControl(panel);
    EXPECT_FALSE(panel->HasParentBackground()) << "only while transparent";
    panel->SetTransparent(true);
    EXPECT_TRUE(panel->HasParentBackground());
    EXPECT_TRUE(label->HasParentBackground()) << "through its library parent";
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    const QImage image = panel->grab().toImage();
    EXPECT_EQ(Probe(image, 1, 5), Red);
    EXPECT_EQ(Probe(image, 8, 5), Blue);
}

TEST(LXControlBasesTest, ImageListLink)
{
    struct Listening : TLXBaseGraphicControl {
        int changes = 0;
        void ImageListChanged() override { ++changes; }
    } control;
    auto* list = new TLXBitmapList;
    static_cast<TLXBitmapListItem*>(list->Add())->SetBitmap(TBitmap(4, 4));
    TLXImageListLink& images = control.Images();

    images.SetImageIndex(3);
    EXPECT_EQ(control.changes, 0) << "no list set";
    images.SetImageList(list);
    EXPECT_EQ(control.changes, 1);
    images.SetImageIndex(-1);
    EXPECT_EQ(images.ImageIndex(), 3) << "negative values are ignored";
    images.SetImageIndex(0);
    EXPECT_TRUE(images.HasImage());
    images.SetListIndex(1);
    EXPECT_FALSE(images.HasImage());
    EXPECT_EQ(control.changes, 3);
    static_cast<TLXBitmapListItem*>(list->Add())->SetBitmap(TBitmap(2, 2));
    EXPECT_TRUE(images.HasImage());
    EXPECT_GE(control.changes, 4) << "the list's change reaches the control";

    const int before = control.changes;
    delete list;
    EXPECT_EQ(images.ImageList(), nullptr);
    EXPECT_EQ(control.changes, before + 1);
    EXPECT_FALSE(images.HasImage());
}

TEST(LXControlBasesTest, ParentColorFollowsTheParent)
{
    ColouredHost host(Red);
    auto* panel = new TLXCustomPanel(&host.window);
    auto* inner = new TLXGraphicControl(panel);
    EXPECT_EQ(panel->Color(), clBtnFace);
    EXPECT_FALSE(panel->ParentColor());
    EXPECT_EQ(inner->Color(), clBtnFace) << "a library parent's Color";
    panel->SetParentColor(true);
    EXPECT_EQ(inner->Color(), Red) << "the window colour of a plain parent";
    inner->SetColor(Blue);
    EXPECT_FALSE(inner->ParentColor());
    EXPECT_EQ(inner->Color(), Blue);
}

TEST(LXControlBasesTest, FontFollowsTheParentUntilSet)
{
    QWidget host;
    host.setFont(PinnedFont(17).ToQFont());
    auto* control = new TLXGraphicControl(&host);
    EXPECT_TRUE(control->ParentFont());
    EXPECT_EQ(control->Font().Height(), -17);
    control->Font().SetColor(Red);
    EXPECT_FALSE(control->ParentFont());
    host.setFont(PinnedFont(11).ToQFont());
    EXPECT_EQ(control->Font().Height(), -17) << "its own font now";
    control->SetParentFont(true);
    EXPECT_EQ(control->Font().Height(), -11);
    EXPECT_EQ(control->Font().Color(), Red);
}

TEST(LXControlBasesTest, FocusNoticesArePosted)
{
    HostWindow host;
    auto* control = new TLXCustomControl(&host.Window);
    control->SetTabStop(true);
    auto* other = new QLineEdit(&host.Window);
    other->move(0, 50);
    control->show();
    other->show();
    host.Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host.Window));
    int gained = 0, lost = 0;
    bool focusedWhenGained = false;
    QObject::connect(control, &TLXCustomControl::OnFocusGained, [&] {
        ++gained;
        focusedWhenGained = control->hasFocus();
    });
    QObject::connect(control, &TLXCustomControl::OnFocusLost, [&] { ++lost; });
    control->setFocus();
    EXPECT_TRUE(control->FocusedFlag());
    EXPECT_EQ(gained, 0) << "posted, not yet delivered";
    QCoreApplication::processEvents();
    EXPECT_EQ(gained, 1);
    EXPECT_TRUE(focusedWhenGained);
    other->setFocus();
    EXPECT_FALSE(control->FocusedFlag());
    EXPECT_EQ(lost, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(lost, 1);
}

} // namespace
