// Which control of a skinned window gets which binding: one window holding one of each control class,
// tagged controls and groups, class-map lines; controls shown after the take-over; a message box; and
// what a binding does to its control and gives back.
#include "skin/ControlDiscovery.h"
#include "ControlsFound.h"
#include "SkinKit.h"
#include "controls/LXButton.h"
#include "controls/LXTrackBar.h"
#include "platform_gui/PageControl.h"
#include "skin/SkinBinding.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <optional>

namespace {

// Classes the tests' class-map lines name.
class MapNilFrame : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
};

class MapLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
};

using Kind = TSkinnerKind;

struct Expected {
    const char* name;
    std::optional<Kind> kind;
    TBindingMode mode = TBindingMode::Style;
    bool colour = false;
};

template <typename T> T* Add(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(name);
    if (parent->layout())
        parent->layout()->addWidget(widget);
    return widget;
}

QGroupBox* RadioGroup(QWidget* parent, const char* name, int tag)
{
    auto* group = Add<QGroupBox>(parent, name);
    group->setProperty("Tag", tag);
    auto* layout = new QVBoxLayout(group);
    for (const char* item : {"a", "b"}) {
        auto* radio = new QRadioButton(item, group);
        radio->setObjectName(QString::fromLatin1(name) + u'.' + QLatin1String(item));
        layout->addWidget(radio);
    }
    return group;
}

// One of each control class the discovery knows, and the cases around them.
struct ControlsWindow : PlainWindow {
    ControlsWindow()
    {
        resize(600, 900);
        new QVBoxLayout(this);
        Add<QPushButton>(this, "push");
        Add<TLXButton>(this, "lxbutton");
        Add<TLXTrackBar>(this, "lxtrackbar");
        Add<QCheckBox>(this, "check");
        Add<QCheckBox>(this, "checkTagged")->setProperty("Tag", 99);
        Add<QRadioButton>(this, "radio");
        RadioGroup(this, "radioGroup", 0);
        RadioGroup(this, "radioGroupTagged", 99);
        auto* plainGroup = Add<QGroupBox>(this, "groupTagged");
        plainGroup->setProperty("Tag", 99);
        auto* groupLayout = new QVBoxLayout(plainGroup);
        groupLayout->addWidget(Add<QPushButton>(plainGroup, "groupTagged.push"));
        Add<QFrame>(this, "panel");
        Add<QLabel>(this, "label");
        Add<MapNilFrame>(this, "mapNil");
        Add<MapLineEdit>(this, "mapEditFramed");
        Add<MapLineEdit>(this, "mapEditFrameless")->setFrame(false);
        Add<QLineEdit>(this, "edit");
        Add<QLineEdit>(this, "editFrameless")->setFrame(false);
        Add<QComboBox>(this, "combo")->setEditable(true);
        Add<QSpinBox>(this, "spin");
        Add<QProgressBar>(this, "progress");
        Add<QSlider>(this, "slider");
        Add<QListWidget>(this, "list");
        Add<QTreeWidget>(this, "tree");
        auto* tabs = Add<QTabWidget>(this, "tabs");
        auto* page = new QWidget;
        page->setObjectName("page");
        tabs->addTab(page, "Page");
        auto* scrolledPage = new QScrollArea;
        scrolledPage->setObjectName("scrolledPage");
        tabs->addTab(scrolledPage, "Scrolled page");
        auto* pages = Add<platform::TPageControl>(this, "pages");
        auto* ownPage = new QWidget;
        ownPage->setObjectName("pages.page");
        pages->AddPage(ownPage, "Own page");
        Add<QStatusBar>(this, "status");
        Add<QSizeGrip>(this, "grip");
    }
};

const TSkinBinding* BindingOf(const QWidget* widget)
{
    return SkinBindings().Find(widget);
}

void ExpectBinding(const QWidget* widget, const Expected& expected)
{
    SCOPED_TRACE(expected.name);
    ASSERT_NE(widget, nullptr);
    const TSkinBinding* binding = BindingOf(widget);
    if (!expected.kind) {
        EXPECT_EQ(binding, nullptr);
        return;
    }
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->Kind, *expected.kind);
    EXPECT_EQ(binding->Mode, expected.mode);
    EXPECT_EQ(binding->Colour, expected.colour);
}

} // namespace

TEST(ControlDiscovery, EachControlClassGetsItsBinding)
{
    SkinKit kit;
    kit.data->Skin3rd = {QStringLiteral("MapNilFrame=nil"), QStringLiteral("maplineedit=Edit"),
                         QStringLiteral("TLXTrackBar=panel")};
    ControlsWindow window;
    kit.ShowSkinned(window);

    const auto find = [&window](const char* name) { return window.findChild<QWidget*>(name); };
    const std::vector<Expected> table = {
        {"push", Kind::Button},
        {"lxbutton", Kind::Button, TBindingMode::Intercept},
        {"lxtrackbar", Kind::Box, TBindingMode::Style, true},
        {"check", Kind::CheckBox},
        {"checkTagged", std::nullopt},
        {"radio", Kind::RadioButton},
        {"radioGroup", Kind::GroupBox, TBindingMode::Style, true},
        {"radioGroup.a", Kind::RadioButton},
        {"radioGroup.b", Kind::RadioButton},
        {"radioGroupTagged", std::nullopt},
        {"radioGroupTagged.a", std::nullopt},
        {"radioGroupTagged.b", std::nullopt},
        {"groupTagged", std::nullopt},
        {"groupTagged.push", Kind::Button},
        {"panel", Kind::Box, TBindingMode::Style, true},
        {"label", std::nullopt},
        {"mapNil", std::nullopt},
        {"mapEditFramed", Kind::Edit},
        {"mapEditFrameless", std::nullopt},
        {"edit", Kind::Edit},
        {"editFrameless", std::nullopt},
        {"combo", Kind::ComboBox},
        {"spin", Kind::UpDown},
        {"progress", Kind::Progress},
        {"slider", Kind::TrackBar},
        {"list", Kind::ScrollBar},
        {"tree", Kind::ScrollBar},
        {"tabs", Kind::Tab},
        {"page", Kind::TabSheet, TBindingMode::Intercept},
        {"pages", Kind::Tab, TBindingMode::Intercept},
        {"pages.page", Kind::TabSheet, TBindingMode::Intercept},
        {"status", Kind::StatusBar, TBindingMode::Intercept},
        {"grip", Kind::Sizer},
    };
    for (const Expected& expected : table)
        ExpectBinding(find(expected.name), expected);

    // The parts: a scroll area's bars, a tab widget's bar and a tree's header are bound; the edits
    // working inside a combo box and a spin box are not.
    auto* list = window.findChild<QListWidget*>("list");
    ExpectBinding(list->verticalScrollBar(), {"list bar", Kind::ScrollBar});
    ExpectBinding(list->horizontalScrollBar(), {"list horizontal bar", Kind::ScrollBar});
    ExpectBinding(window.findChild<QTabWidget*>("tabs")->tabBar(), {"tab bar", Kind::Tab});
    // A page that scrolls: a tab sheet whose bars are bound as scroll bars.
    auto* scrolledPage = window.findChild<QScrollArea*>("scrolledPage");
    ExpectBinding(scrolledPage, {"scrolled page", Kind::TabSheet, TBindingMode::Intercept});
    ExpectBinding(scrolledPage->verticalScrollBar(), {"scrolled page's bar", Kind::ScrollBar});
    ExpectBinding(window.findChild<QTreeWidget*>("tree")->header(), {"header", Kind::Header});
    ExpectBinding(window.findChild<QComboBox*>("combo")->lineEdit(), {"combo edit", std::nullopt});
    ExpectBinding(window.findChild<QSpinBox*>("spin")->findChild<QLineEdit*>(), {"spin edit", std::nullopt});
    // The map's "panel" makes the library's track bar transparent.
    EXPECT_TRUE(window.findChild<TLXTrackBar*>("lxtrackbar")->Transparent());
}

TEST(ControlDiscovery, SkinControlsGateTheClassTests)
{
    SkinKit kit;
    kit.data->SkinControls &= ~TSkinControlTypes(xcButton | xcPanel | xcScrollbar);
    ControlsWindow window;
    kit.ShowSkinned(window);

    for (const Expected& expected :
         std::vector<Expected>{{"push", std::nullopt},
                               {"panel", std::nullopt},
                               {"list", std::nullopt},
                               {"tree", std::nullopt},
                               // Radio groups follow the radio buttons' switch.
                               {"radioGroup", Kind::GroupBox, TBindingMode::Style, true},
                               {"check", Kind::CheckBox}})
        ExpectBinding(window.findChild<QWidget*>(expected.name), expected);
}

TEST(ControlDiscovery, TabsNeedTheSkinsTabsObject)
{
    SkinKit kit;
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    fixture.DropSection("Tabs");
    ControlsWindow window;
    kit.ShowSkinned(window, fixture);
    ExpectBinding(window.findChild<QWidget*>("tabs"), {"tabs", std::nullopt});
    ExpectBinding(window.findChild<QWidget*>("page"), {"page", std::nullopt});
}

TEST(ControlDiscovery, ControlsShownAfterTheTakeOverAreBound)
{
    SkinKit kit;
    ControlsWindow window;
    kit.ShowSkinned(window);

    auto* late = new QPushButton("Late", &window);
    window.layout()->addWidget(late);
    late->show();
    auto* tabs = window.findChild<QTabWidget*>("tabs");
    auto* page = new QWidget;
    auto* pageList = new QListWidget(page);
    tabs->addTab(page, "Late page");
    tabs->setCurrentWidget(page);
    QCoreApplication::processEvents();

    ExpectBinding(late, {"late button", Kind::Button});
    ExpectBinding(page, {"late page", Kind::TabSheet, TBindingMode::Intercept});
    ExpectBinding(pageList, {"list on the late page", Kind::ScrollBar});
    ExpectBinding(pageList->verticalScrollBar(), {"its bar", Kind::ScrollBar});
}

TEST(ControlDiscovery, AMessageBoxBindsItsButtonAndNotItsText)
{
    SkinKit kit;
    PlainWindow owner;
    kit.ShowSkinned(owner);

    QMessageBox box(QMessageBox::Information, "Box", "Some text", QMessageBox::Ok);
    box.show();
    ASSERT_TRUE(WaitForControlsFound(&box));
    ExpectBinding(box.button(QMessageBox::Ok), {"OK", Kind::Button});
    for (const QLabel* label : box.findChildren<QLabel*>())
        ExpectBinding(label, {"label", std::nullopt});
}

TEST(ControlDiscovery, ClassMapMatchesTheWholeNameInAnyCase)
{
    const QStringList map = {QStringLiteral("TLXEditor=combobox"), QStringLiteral("tlxedit=Edit"),
                             QStringLiteral("TLXEdit=panel")};
    EXPECT_EQ(ClassMapKind(map, QStringLiteral("TLXEdit")), QStringLiteral("edit"));
    EXPECT_EQ(ClassMapKind(map, QStringLiteral("TLXEditor")), QStringLiteral("combobox"));
    EXPECT_EQ(ClassMapKind(map, QStringLiteral("TLXEdi")), std::nullopt);
    EXPECT_EQ(ClassMapKind({QStringLiteral("A=") + QString(60, u'x')}, QStringLiteral("A"))->size(), 50);
}

TEST(SkinBinding, AttachingTwiceKeepsOneBinding)
{
    SkinKit kit;
    ControlsWindow window;
    kit.ShowSkinned(window);
    TWndSkinForm* skinner = SkinKit::SkinnerOf(&window);
    auto* push = window.findChild<QPushButton*>("push");
    const size_t count = SkinBindings().BindingsOf(skinner).size();

    TSkinBinding* again = SkinBindings().Attach(push, {Kind::CheckBox}, skinner);
    EXPECT_EQ(again, BindingOf(push));
    EXPECT_EQ(again->Kind, Kind::Button);
    EXPECT_EQ(SkinBindings().BindingsOf(skinner).size(), count);
}

TEST(SkinBinding, ASwitchedOffButtonShowsTheBaseLookAndTheSkinAgainWhenSwitchedOn)
{
    SkinKit kit;
    skinbuilder::SkinFixture fixture = skinbuilder::StandardFixture();
    ControlsWindow window;
    kit.ShowSkinned(window, fixture);
    auto* push = window.findChild<QPushButton*>("push");
    const int buttons = fixture.Image("button.bmp")->objectId;
    // Inside the face's left edge, beside the caption.
    const QPoint face(5, push->height() / 2);
    const auto faceObject = [push, face] { return ObjectAt(push->grab().toImage(), face); };
    ASSERT_EQ(faceObject(), buttons);

    SkinBindings().SetEnabled(push, false);
    EXPECT_NE(faceObject(), buttons);
    EXPECT_FALSE(TSkinBindings::PaintContext(*BindingOf(push), *push->style()));
    SkinBindings().SetEnabled(push, true);
    EXPECT_EQ(faceObject(), buttons);
}

TEST(SkinBinding, ColourControlsWearTheFaceAndGetTheirOwnBackWhenTheSkinGoes)
{
    SkinKit kit;
    ControlsWindow window;
    auto* panel = window.findChild<QFrame*>("panel");
    auto* group = window.findChild<QGroupBox*>("radioGroup");
    QPalette own = group->palette();
    own.setColor(QPalette::Window, Qt::darkGreen);
    group->setPalette(own);
    group->setAutoFillBackground(true);
    const QColor inherited = panel->palette().color(QPalette::Window);
    kit.ShowSkinned(window);

    const QColor face = kit.data->FaceColor();
    for (QWidget* control : {static_cast<QWidget*>(panel), static_cast<QWidget*>(group)}) {
        EXPECT_EQ(control->palette().color(QPalette::Window), face);
        EXPECT_EQ(control->palette().color(QPalette::Button), face);
        EXPECT_TRUE(control->autoFillBackground());
    }

    kit.data->SetActive(false);
    kit.RunPending();
    EXPECT_EQ(BindingOf(panel), nullptr);
    EXPECT_FALSE(panel->autoFillBackground());
    EXPECT_FALSE(panel->testAttribute(Qt::WA_SetPalette));
    EXPECT_EQ(panel->palette().color(QPalette::Window), inherited);
    EXPECT_TRUE(group->autoFillBackground());
    EXPECT_TRUE(group->testAttribute(Qt::WA_SetPalette));
    EXPECT_EQ(group->palette().color(QPalette::Window), QColor(Qt::darkGreen));
}

TEST(SkinBinding, WithParentBackgroundTheColourControlsDoNotFill)
{
    SkinKit kit;
    kit.data->Options |= xoParentBackGround;
    ControlsWindow window;
    kit.ShowSkinned(window);
    auto* panel = window.findChild<QFrame*>("panel");
    EXPECT_EQ(panel->palette().color(QPalette::Window), kit.data->FaceColor());
    EXPECT_FALSE(panel->autoFillBackground());
}

TEST(SkinBinding, ButtonsTaggedTransparentShowTheirParent)
{
    SkinKit kit;
    ControlsWindow window;
    auto* push = window.findChild<QPushButton*>("push");
    push->setProperty("Tag", 5555);
    kit.ShowSkinned(window);
    EXPECT_TRUE(BindingOf(push)->Transparent);
    EXPECT_FALSE(BindingOf(window.findChild<QCheckBox*>("check"))->Transparent);
    EXPECT_FALSE(BindingOf(window.findChild<QFrame*>("panel"))->Transparent);
}

TEST(SkinBinding, ADestroyedControlLeavesNoBinding)
{
    SkinKit kit;
    ControlsWindow window;
    kit.ShowSkinned(window);
    TWndSkinForm* skinner = SkinKit::SkinnerOf(&window);
    const size_t count = SkinBindings().BindingsOf(skinner).size();
    QWidget* push = window.findChild<QPushButton*>("push");
    delete push;
    EXPECT_EQ(SkinBindings().BindingsOf(skinner).size(), count - 1);
    EXPECT_EQ(BindingOf(push), nullptr);
}

#include "ControlDiscoveryTest.moc"
