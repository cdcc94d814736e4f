// The menus of a skinned window: the bar's background by the window's activation, item sizes, the
// pixels of selected, disabled and separator items, and the menu's 3-pixel frame band.
#include "skin/SkinMenus.h"
#include "PainterKit.h"
#include "SkinKit.h"
#include "platform_gui/Color.h"
#include "skin/SkinStyle.h"
#include "skin/WindowSkinner.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct MenuWindow : QMainWindow {
    QMenu* file;
    QAction* open;
    QAction* disabled;
    QAction* separator;
    QAction* quit;

    MenuWindow()
    {
        resize(400, 300);
        move(40, 50);
        file = menuBar()->addMenu("&File");
        open = file->addAction("&Open");
        disabled = file->addAction("Disabled");
        disabled->setEnabled(false);
        separator = file->addSeparator();
        quit = file->addAction("&Quit");
        quit->setShortcut(QKeySequence("Ctrl+Q"));
        menuBar()->addMenu("&Help");
    }
};

const QStyle& Base()
{
    return *qobject_cast<const QProxyStyle*>(QApplication::style())->baseStyle();
}

QColor Colour(const QString& rgb)
{
    const QStringList parts = rgb.split(u',');
    return QColor(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
}

QColor FixtureColour(skinbuilder::SkinFixture& fixture, const char* key)
{
    for (const auto& [name, value] : fixture.Section("Colours")->keys)
        if (name == QLatin1String(key))
            return Colour(value);
    return {};
}

// The menu opened under its bar item, painted.
QImage OpenMenu(MenuWindow& window, QAction* active = nullptr)
{
    window.file->popup(window.menuBar()->mapToGlobal(
        window.menuBar()->actionGeometry(window.file->menuAction()).bottomLeft()));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.file));
    if (active)
        window.file->setActiveAction(active);
    return window.file->grab().toImage();
}

} // namespace

TEST(SkinMenus, MenuItemsWidenByTheItemEdgeAndTheMissingIconColumn)
{
    struct Case {
        bool menuItemObject;
        bool icons;
        int widening;
    };
    // The fixture's MenuItem has a left edge of 4.
    for (const Case& c : {Case{true, false, 4 + 10 + 25}, Case{true, true, 4 + 10},
                          Case{false, false, 10 + 25}, Case{false, true, 10}}) {
        SCOPED_TRACE(testing::Message() << "MenuItem " << c.menuItemObject << ", icons " << c.icons);
        SkinKit kit;
        skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
        if (!c.menuItemObject)
            fixture.DropSection("MenuItem");
        MenuWindow window;
        kit.ShowSkinned(window, fixture);
        QStyleOptionMenuItem option;
        option.initFrom(window.file);
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.text = "Open";
        option.font = window.file->font();
        option.maxIconWidth = c.icons ? 20 : 0;
        const QSize contents(60, 16);
        const QSize skinned =
            window.file->style()->sizeFromContents(QStyle::CT_MenuItem, &option, contents, window.file);
        const QSize base = Base().sizeFromContents(QStyle::CT_MenuItem, &option, contents, window.file);
        EXPECT_EQ(skinned.width() - base.width(), c.widening);
        EXPECT_EQ(skinned.height(), base.height());
    }
}

TEST(SkinMenus, AnEmptyCaptionIsMeasuredAsASpace)
{
    SkinKit kit;
    MenuWindow window;
    kit.ShowSkinned(window, skinbuilder::StandardFixture());
    QStyleOptionMenuItem option;
    option.initFrom(window.file);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.font = window.file->font();
    option.maxIconWidth = 20;
    const QStyle* style = window.file->style();
    option.text = "&";
    const int ampersand =
        style->sizeFromContents(QStyle::CT_MenuItem, &option, QSize(0, 16), window.file).width();
    option.text = "x";
    const int space = QFontMetrics(option.font).horizontalAdvance(u' ');
    EXPECT_EQ(ampersand,
              style->sizeFromContents(QStyle::CT_MenuItem, &option, QSize(space, 16), window.file).width());
}

TEST(SkinMenus, SelectedItemsUseCellFourAndSeparatorsCellTwo)
{
    SkinKit kit;
    const skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    MenuWindow window;
    kit.ShowSkinned(window, fixture);
    const QImage picture = OpenMenu(window, window.quit);
    const int item = ObjectIdOf(fixture, "menuitem.bmp");

    const QRect quit = window.file->actionGeometry(window.quit);
    const QRect open = window.file->actionGeometry(window.open);
    const QRect separator = window.file->actionGeometry(window.separator);
    // Right of the text, left of the shortcut.
    const QPoint selectedPoint(quit.center().x(), quit.top() + 1);
    const QPoint normalPoint(open.center().x(), open.top() + 1);
    EXPECT_EQ(ObjectAt(picture, selectedPoint), item);
    EXPECT_EQ(CellAt(picture, selectedPoint), 4);
    EXPECT_EQ(ObjectAt(picture, normalPoint), item);
    EXPECT_EQ(CellAt(picture, normalPoint), 1);
    EXPECT_EQ(ObjectAt(picture, separator.center()), item);
    EXPECT_EQ(CellAt(picture, separator.center()), 2);
}

TEST(SkinMenus, TextColoursFollowTheItemState)
{
    SkinKit kit;
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    MenuWindow window;
    kit.ShowSkinned(window, fixture);
    const QColor menuText = FixtureColour(fixture, "MenuText");
    const QColor hilightText = FixtureColour(fixture, "HilightText");
    const QColor shadow = FixtureColour(fixture, "ButtonShadow");

    struct Case {
        const char* name;
        QStyle::State state;
        QColor present;
        std::vector<QColor> absent;
    };
    const QStyle::State enabled = QStyle::State_Enabled;
    for (const Case& c :
         {Case{"normal", enabled, menuText, {hilightText, shadow}},
          Case{"selected", enabled | QStyle::State_Selected, hilightText, {menuText, shadow}},
          Case{"disabled", QStyle::State_None, shadow, {menuText, hilightText}},
          Case{"disabled and selected", QStyle::State_Selected, shadow, {menuText, hilightText}}}) {
        SCOPED_TRACE(c.name);
        QStyleOptionMenuItem option;
        option.initFrom(window.file);
        option.state = c.state;
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.text = "MMMM WWWW";
        option.font = window.file->font();
        option.font.setStyleStrategy(QFont::NoAntialias);
        option.font.setPixelSize(16);
        option.rect = QRect(0, 0, 200, 24);
        QImage image(200, 24, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        window.file->style()->drawControl(QStyle::CE_MenuItem, &option, &painter, window.file);
        painter.end();
        EXPECT_GT(CountPixels(image, c.present), 0);
        for (const QColor& colour : c.absent)
            EXPECT_EQ(CountPixels(image, colour), 0);
    }
}

TEST(SkinMenus, TheBarShowsCellOneActiveAndCellTwoInactive)
{
    SkinKit kit;
    const skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    MenuWindow window;
    PlainWindow other;
    kit.ShowSkinned(window, fixture);
    QMenuBar* bar = window.menuBar();
    const QPoint empty(bar->width() - 20, bar->height() / 2);
    const int id = ObjectIdOf(fixture, "menubar.bmp");

    QImage picture = bar->grab().toImage();
    EXPECT_EQ(ObjectAt(picture, empty), id);
    EXPECT_EQ(CellAt(picture, empty), 1);
    // Behind the items too.
    const QRect item = bar->actionGeometry(window.file->menuAction());
    EXPECT_EQ(ObjectAt(picture, item.topLeft() + QPoint(1, 1)), id);

    SkinKit::ShowActive(&other);
    picture = bar->grab().toImage();
    EXPECT_EQ(CellAt(picture, empty), 2);
}

TEST(SkinMenus, TheFirstBarItemStartsAfterTheBarsLeftEdge)
{
    SkinKit kit;
    MenuWindow window;
    kit.ShowSkinned(window, skinbuilder::StandardFixture());
    // The fixture's menu bar has a left edge of 4.
    EXPECT_EQ(window.menuBar()->actionGeometry(window.file->menuAction()).left(), 4 + 4);
}

TEST(SkinMenus, TheMenuIsFramedByAThreePixelBandOfItsBackground)
{
    SkinKit kit;
    const skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    MenuWindow window;
    kit.ShowSkinned(window, fixture);
    const QImage picture = OpenMenu(window);
    EXPECT_EQ(window.file->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, window.file), 3);
    const int id = ObjectIdOf(fixture, "menubackground.bmp");
    for (const QPoint point :
         {QPoint(0, picture.height() / 2), QPoint(2, picture.height() / 2), QPoint(picture.width() / 2, 1),
          QPoint(picture.width() - 1, picture.height() - 1)})
        EXPECT_EQ(ObjectAt(picture, point), id) << point.x() << "," << point.y();
    // The items start inside the band.
    EXPECT_EQ(window.file->actionGeometry(window.open).left(), 3);
}

TEST(SkinMenus, WithoutAMenuBackgroundTheMenuKeepsTheBaseFrame)
{
    SkinKit kit;
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("MenuBackground");
    MenuWindow window;
    kit.ShowSkinned(window, fixture);
    OpenMenu(window);
    QMenu* menu = window.file;
    EXPECT_EQ(menu->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu),
              Base().pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu));
    const auto frame = [menu](const QStyle& style) {
        QStyleOptionFrame option;
        option.initFrom(menu);
        option.rect = menu->rect();
        option.lineWidth = style.pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu);
        QImage image(menu->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        style.drawPrimitive(QStyle::PE_PanelMenu, &option, &painter, menu);
        // What lies outside the items, the base style's border among it.
        QStyleOptionMenuItem empty;
        empty.initFrom(menu);
        empty.menuItemType = QStyleOptionMenuItem::EmptyArea;
        empty.rect = menu->rect();
        style.drawControl(QStyle::CE_MenuEmptyArea, &empty, &painter, menu);
        style.drawPrimitive(QStyle::PE_FrameMenu, &option, &painter, menu);
        return image;
    };
    EXPECT_EQ(frame(*menu->style()), frame(Base()));
}

TEST(SkinMenus, MenusFollowTheirGates)
{
    SkinKit kit;
    MenuWindow window;
    auto* popup = new QMenu(&window);
    auto* tagged = new QMenu(&window);
    tagged->setProperty("Tag", 99);
    QMenu orphan;
    kit.ShowSkinned(window, skinbuilder::StandardFixture());
    EXPECT_TRUE(MenuSkinOf(window.menuBar()));
    EXPECT_TRUE(MenuSkinOf(window.file));
    EXPECT_TRUE(MenuSkinOf(popup));
    EXPECT_FALSE(MenuSkinOf(tagged));
    EXPECT_FALSE(MenuSkinOf(&orphan));

    kit.data->SkinControls &= ~TSkinControlTypes(xcPopupMenu);
    EXPECT_TRUE(MenuSkinOf(window.file));
    EXPECT_FALSE(MenuSkinOf(popup));
    kit.data->SkinControls &= ~TSkinControlTypes(xcMainMenu);
    EXPECT_FALSE(MenuSkinOf(window.menuBar()));
    EXPECT_FALSE(MenuSkinOf(window.file));
    kit.data->SkinControls |= xcMenuItem;
    EXPECT_TRUE(MenuSkinOf(window.file));
}

TEST(SkinMenus, TheBarsKeysAndMouseStayQts)
{
    SkinKit kit;
    MenuWindow window;
    kit.ShowSkinned(window, skinbuilder::StandardFixture());
    QMenuBar* bar = window.menuBar();
    QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.file->isVisible(); }));
    // Left from the first item wraps to the last.
    QTest::keyClick(window.file, Qt::Key_Left);
    ASSERT_TRUE(
        QTest::qWaitFor([bar] { return bar->activeAction() && bar->activeAction()->text() == "&Help"; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}
