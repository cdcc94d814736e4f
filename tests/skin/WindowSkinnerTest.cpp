// A skinned window as the operator meets it: its frame's pixels and shape, the caption's mouse and keys,
// and the caption buttons' actions.
#include "skin/WindowSkinner.h"
#include "SkinKit.h"
#include "platform/Messages.h"
#include "skin/SkinManager.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Records its closes (which it refuses) and the caption actions posted to it.
struct Window : PlainWindow {
    int closes = 0;
    QList<int> actions;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        event->ignore();
    }
    bool event(QEvent* event) override
    {
        if (platform::MessageEvent* message = platform::AsMessage(event);
            message && message->Msg() == platform::WM_SKINCAPTIONACTION) {
            actions.append(static_cast<int>(message->WParamValue()));
            return true;
        }
        return QWidget::event(event);
    }
};

// The fixture's caption buttons sit at X from the right: close 22, maximise 40, minimise 58.
QPoint CloseButton(const QWidget& window)
{
    return {window.width() - 22 + 8, 5 + 8};
}

} // namespace

TEST(WindowSkinner, FrameCellFollowsActivation)
{
    SkinKit kit;
    Window a;
    Window b;
    SkinKit::ShowActive(&a);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    b.show();
    SkinKit::ShowActive(&a);
    const QPoint leftBorder(2, a.height() / 2);
    QImage picture = a.grab().toImage();
    EXPECT_EQ(ObjectAt(picture, leftBorder), LeftId);
    EXPECT_EQ(CellAt(picture, leftBorder), 1);
    EXPECT_EQ(ObjectAt(picture, QPoint(a.width() / 2, 3)), TopId);
    EXPECT_EQ(ObjectAt(picture, QPoint(a.width() - 3, a.height() / 2)), RightId);
    EXPECT_EQ(ObjectAt(picture, QPoint(a.width() / 2, a.height() - 2)), BottomId);

    SkinKit::ShowActive(&b);
    picture = a.grab().toImage();
    EXPECT_EQ(CellAt(picture, leftBorder), 2);
    EXPECT_EQ(CellAt(picture, QPoint(a.width() / 2, a.height() - 2)), 2);
}

TEST(WindowSkinner, TransparentBordersShapeTheWindowAndOpaqueOnesDoNot)
{
    SkinKit kit;
    Window window;
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    TWndSkinForm* skinner = SkinKit::SkinnerOf(&window);
    ASSERT_NE(skinner, nullptr);
    // The fixture's Left border has magenta outer corners; its other pixels and the client stay.
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(window.mask().contains(QPoint(0, window.height() - 1)));
    EXPECT_TRUE(window.mask().contains(QPoint(1, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(3, 100)));
    EXPECT_TRUE(window.mask().contains(QPoint(150, 100)));

    skinbuilder::SkinFixture opaque = skinbuilder::StandardFixture();
    for (const char* key : {"LeftTrans", "RightTrans", "TopTrans", "BottomTrans"})
        opaque.SetKey("Personality", key, "0");
    kit.data->SetSkinFile(kit.Write(opaque, "opaque.skn"));
    kit.RunPending();
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST(WindowSkinner, CaptionDoubleClickMaximisesAndRestores)
{
    SkinKit kit;
    Window window;
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    const QPoint caption(120, 12);
    QTest::mouseDClick(&window, Qt::LeftButton, {}, caption);
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
    QTest::mouseDClick(&window, Qt::LeftButton, {}, caption);
    EXPECT_FALSE(window.windowState().testFlag(Qt::WindowMaximized));
}

TEST(WindowSkinner, CaptionButtonsCloseMaximiseAndPostTheirOwnActions)
{
    SkinKit kit;
    Window window;
    SkinKit::ShowActive(&window);
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.SetKey("ButtonMin", "Action", "50"); // an Action of the skin's own
    kit.Load(kit.Write(fixture));
    QTest::mouseClick(&window, Qt::LeftButton, {}, CloseButton(window));
    QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
    EXPECT_EQ(window.closes, 1);
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(window.width() - 58 + 8, 13));
    QCoreApplication::sendPostedEvents(&window);
    EXPECT_EQ(window.actions, QList<int>{50});
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(window.width() - 40 + 8, 13));
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
}

TEST(WindowSkinner, RightClickOpensTheWindowMenuAndASecondOneOnALitButtonCloses)
{
    SkinKit kit;
    Window window;
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(120, 12));
    ASSERT_EQ(kit.menus.size(), 1);
    EXPECT_EQ(kit.menus[0].texts,
              (QStringList{"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "", "&Close"}));
    EXPECT_EQ(window.closes, 0);

    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    QTest::mouseMove(&window, CloseButton(window)); // lights the button
    QTest::mouseClick(&window, Qt::RightButton, {}, CloseButton(window));
    QTest::mouseClick(&window, Qt::RightButton, {}, CloseButton(window));
    QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
    EXPECT_EQ(kit.menus.size(), 2);
    EXPECT_EQ(window.closes, 1);
}

TEST(WindowSkinner, AltSpaceOpensTheWindowMenuAtTheClientArea)
{
    SkinKit kit;
    Window window;
    auto* label = new QLabel("focus", &window);
    label->setFocusPolicy(Qt::StrongFocus);
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Space, Qt::AltModifier);
    ASSERT_EQ(kit.menus.size(), 1);
    EXPECT_EQ(kit.menus[0].point, window.mapToGlobal(QPoint(6, 24)));
}

TEST(WindowSkinner, DraggingTheCaptionMovesTheWindowWhenTheWindowSystemDoesNot)
{
    SkinKit kit;
    Window window;
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    const QPoint start = window.pos();
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(120, 12));
    QTest::mouseMove(&window, QPoint(150, 40));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(150, 40));
    EXPECT_EQ(window.pos(), start + QPoint(30, 28));
}

TEST(WindowSkinner, ChildrenPlacedByHandMoveIntoTheClientAreaAndBack)
{
    SkinKit kit;
    Window window;
    auto* child = new QLabel("at 0,0", &window);
    child->move(0, 0);
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    EXPECT_EQ(child->pos(), QPoint(6, 24));
    kit.data->SetActive(false);
    kit.RunPending();
    EXPECT_EQ(child->pos(), QPoint(0, 0));
}

TEST(WindowSkinner, ALaidOutWindowKeepsItsLayoutInTheClientArea)
{
    SkinKit kit;
    Window window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* child = new QLabel("laid out");
    layout->addWidget(child);
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(child->geometry(), QRect(6, 24, 300, 200));
}

TEST(WindowSkinner, AMessageBoxIsAtLeastAsWideAsItsTitle)
{
    SkinKit kit;
    Window running;
    SkinKit::ShowActive(&running);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    const QString title(30, QLatin1Char('W'));
    QMessageBox box(QMessageBox::Information, title, "Short");
    box.show();
    ASSERT_NE(SkinKit::SkinnerOf(&box), nullptr);
    QCoreApplication::sendPostedEvents(); // the skinner's start, after the box sized itself
    // The fixture's title starts 24 pixels in and keeps 70 clear on the right.
    const int titleWidth = QFontMetrics(TWndSkinForm::CaptionFont()).horizontalAdvance("  " + title + " ");
    EXPECT_GE(box.width(), 24 + titleWidth + 70);
}

TEST(WindowSkinner, AltAndALetterStillOpenTheMenuBarsMenu)
{
    SkinKit kit;
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("Open");
    window.setCentralWidget(new QLabel("centre"));
    window.resize(300, 200);
    SkinKit::ShowActive(&window);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    ASSERT_NE(SkinKit::SkinnerOf(&window), nullptr);
    EXPECT_EQ(window.menuBar()->geometry().topLeft(), QPoint(6, 24)); // below the painted caption
    QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }));
    file->close();
}
