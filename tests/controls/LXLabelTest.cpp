#include "controls/LXLabel.h"
#include "Drawing.h"
#include "controls/LXApplication.h"
#include "platform_gui/PainterCanvas.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;

struct LXLabelTest : ::testing::Test {
    LXLabelTest()
    {
        host.resize(200, 200);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, Qt::white);
        host.setPalette(palette);
        host.setAutoFillBackground(true);
        host.setFont(PinnedFont().ToQFont());
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    ~LXLabelTest() override { SetScalableFontPredicate(nullptr); }

    TLXLabel* Add(const QString& caption)
    {
        auto* label = new TLXLabel(&host);
        label->Font() = PinnedFont();
        label->SetCaption(caption);
        label->move(10, 10);
        label->show();
        return label;
    }
    // The label's area of the host, as painted.
    QImage Shown(TLXLabel* label)
    {
        QCoreApplication::processEvents();
        return host.grab(label->geometry()).toImage();
    }
    // The text's extent as the canvas measures it in the pinned font.
    static QSize TextExtent(const QString& text)
    {
        QImage image(1, 1, QImage::Format_RGB32);
        TPainterCanvas canvas(&image);
        canvas.Font = PinnedFont();
        const TSize size = canvas.TextExtent(text);
        return QSize(size.cx, size.cy);
    }

    QWidget host;
};

TEST_F(LXLabelTest, AutoSizeAddsTheBevelAsMargin)
{
    const struct {
        const char* name;
        std::function<void(TLXBevel&)> setUp;
        int grows;
    } rows[] = {
        {"no bevel", [](TLXBevel&) {}, 2},
        {"raised 2", [](TLXBevel& b) { b.SetStyleOuter(bvRaised), b.SetWidthOuter(2); }, 6},
        {"the clock's frame", [](TLXBevel& b) { b.SetBorderWidth(3), b.SetBorderInnerWidth(3); }, 14},
    };
    const QSize text = TextExtent("Volume");
    for (const auto& row : rows) {
        TLXLabel* label = Add("Volume");
        row.setUp(label->Bevel());
        EXPECT_EQ(label->size(), text + QSize(row.grows, row.grows)) << row.name;
        EXPECT_EQ(label->pos(), QPoint(10, 10)) << row.name;
        EXPECT_EQ(label->sizeHint(), label->size()) << row.name;
        delete label;
    }
}

TEST_F(LXLabelTest, EmptyCaptionPaintsOnlyWhenOpaque)
{
    TLXLabel* label = Add(QString());
    label->SetAutoSize(false);
    label->resize(20, 12);
    label->SetColor(Blue);
    EXPECT_EQ(InkBounds(Shown(label)), QRect()) << "a transparent label without text paints nothing";
    label->SetTransparent(false);
    EXPECT_EQ(InkBounds(Shown(label), Blue), QRect()) << "every pixel in its colour";
}

TEST_F(LXLabelTest, TwinkleAlternatesWithTheMendedPhaseLengths)
{
    TLXLabel* label = Add("Blink");
    label->SetTwinkleVisible(100);
    label->SetTwinkleInVisible(300);
    label->SetTwinkle(true);
    // The pool's ticks are 50 ms and count from 1 at the registration; an item fires on the ticks
    // its interval's divisor divides. Visible phases last 2 ticks, hidden ones 6: ticks 2, 6, 8, 12, 14.
    QString phases;
    for (int tick = 1; tick <= 14; ++tick) {
        LXApplication().TimerPool().Tick();
        phases += label->VisiblePhase() ? 'V' : 'h';
    }
    EXPECT_EQ(phases, "VhhhhVVhhhhVVh");
    EXPECT_EQ(InkBounds(Shown(label)), QRect()) << "hidden: no text with TwinkleColor clNone";
    LXApplication().TimerPool().Tick();
    LXApplication().TimerPool().Tick();
    LXApplication().TimerPool().Tick();
    LXApplication().TimerPool().Tick(); // tick 18: visible again
    EXPECT_TRUE(label->VisiblePhase());
    EXPECT_FALSE(InkBounds(Shown(label)).isNull());

    LXApplication().TimerPool().Tick();
    LXApplication().TimerPool().Tick(); // tick 20: hidden
    ASSERT_FALSE(label->VisiblePhase());
    label->SetTwinkle(false);
    EXPECT_TRUE(label->VisiblePhase());
    EXPECT_FALSE(InkBounds(Shown(label)).isNull()) << "shown once blinking stops";
}

TEST_F(LXLabelTest, RotationNeedsAFontThatTurns)
{
    // Only the requested family "Arial" counts as turnable here.
    SetScalableFontPredicate([](const QFont& font) { return font.family() == "Arial"; });
    TLXLabel* label = Add("Logo");
    label->FontFX().SetAngle(90);
    EXPECT_EQ(label->Font().Name(), "Arial");
    EXPECT_EQ(label->FontFX().Angle(), 90);
    label->Font().SetName("DejaVu Sans");
    EXPECT_EQ(label->FontFX().Angle(), 0) << "a font that cannot turn loses the rotation";
}

TEST_F(LXLabelTest, PlacementOfRotatedAndCentredText)
{
    TLXLabel* label = Add("A long caption");
    const QSize flat = label->size();
    EXPECT_GT(flat.width(), flat.height());
    label->FontFX().SetAngle(90);
    EXPECT_GT(label->height(), label->width()) << "turned upright";
    delete label;

    // The ink at the top-left, moved by half the room the text's cell leaves, is where the
    // centred label puts it.
    TLXLabel* label2 = Add("Mid");
    label2->SetAutoSize(false);
    label2->setGeometry(20, 20, 120, 60);
    const QRect topLeft = InkBounds(Shown(label2));
    label2->SetAlignment(agCenter);
    const QRect centred = InkBounds(Shown(label2));
    ASSERT_FALSE(topLeft.isNull());
    const QSize cell = TextExtent("Mid");
    const QPoint expected = topLeft.topLeft() + QPoint((120 - cell.width()) / 2, (60 - cell.height()) / 2);
    EXPECT_LE((centred.topLeft() - expected).manhattanLength(), 1);
    EXPECT_EQ(centred.size(), topLeft.size());
}

TEST_F(LXLabelTest, RaisedTextLiesOverItsLight)
{
    TLXLabel* label = Add("Raised");
    label->Font().SetColor(Blue);
    label->FontFX().SetStyle(tdRaised);
    label->FontFX().SetLightDepth(2);
    label->FontFX().SetLightColor(Red);
    const QImage image = Shown(label);
    QRect red, blue;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const TColor pixel = Probe(image, x, y);
            if (pixel == Red)
                red |= QRect(x, y, 1, 1);
            else if (pixel == Blue)
                blue |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(red.isNull());
    ASSERT_FALSE(blue.isNull());
    EXPECT_EQ(blue.topLeft() - red.topLeft(), QPoint(2, 2));
    EXPECT_EQ(label->size(), TextExtent("Raised") + QSize(4, 4)) << "the light's depth is measured too";
}

TEST_F(LXLabelTest, AcceleratorFocusesTheFocusControl)
{
    auto* button = new QPushButton("x", &host);
    auto* edit = new QLineEdit(&host);
    edit->move(0, 100);
    button->show();
    edit->show();
    TLXLabel* label = Add("&Volume");
    label->SetFocusControl(edit);
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));

    const struct {
        const char* name;
        bool enabled, showAccelChar, focuses;
    } rows[] = {
        {"disabled label", false, true, false},
        {"accelerators off", true, false, false},
        {"enabled", true, true, true},
    };
    for (const auto& row : rows) {
        button->setFocus();
        label->setEnabled(row.enabled);
        label->SetShowAccelChar(row.showAccelChar);
        QTest::keyClick(&host, Qt::Key_V, Qt::AltModifier);
        EXPECT_EQ(edit->hasFocus(), row.focuses) << row.name;
    }
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr) << "forgotten when it goes";
}

} // namespace
