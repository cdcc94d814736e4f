#include "skin/ControlDiscovery.h"

#include "platform_gui/PageControl.h"
#include "skin/SkinBinding.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSlider>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr qsizetype MaxMapKind = 50;

using Kind = TSkinnerKind;

int TagOf(const QObject& object)
{
    return object.property("Tag").toInt();
}

// The items of a radio or check group: the group's own buttons, all of one kind.
template <typename Item> bool GroupOf(const QWidget& widget)
{
    if (!qobject_cast<const QGroupBox*>(&widget))
        return false;
    const QList<QAbstractButton*> buttons = widget.findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    return !buttons.isEmpty() && std::all_of(buttons.begin(), buttons.end(),
                                             [](QAbstractButton* b) { return qobject_cast<Item*>(b); });
}

bool ItemGroup(const QWidget& widget)
{
    return GroupOf<QRadioButton>(widget) || GroupOf<QCheckBox>(widget);
}

// Controls that paint themselves whole, the skin taking their paint events: the controls library's
// buttons, the program's own page control, the status bar (which draws its message by its own rules)
// and tab sheets (plain widgets, which no style draws).
bool PaintsItself(const QWidget& widget, TSkinnerKind kind)
{
    return kind == TSkinnerKind::StatusBar || kind == TSkinnerKind::TabSheet ||
           widget.inherits("TLXCustomButton") || qobject_cast<const platform::TPageControl*>(&widget);
}

// A page of a tab widget or of the program's own page control: a child of the control's page stack.
bool TabPage(const QWidget& widget)
{
    auto* page = const_cast<QWidget*>(&widget);
    const auto* stack = qobject_cast<const QStackedWidget*>(widget.parentWidget());
    const QWidget* control = stack ? stack->parentWidget() : nullptr;
    if (const auto* tabs = qobject_cast<const QTabWidget*>(control))
        return tabs->indexOf(page) >= 0;
    if (const auto* pages = qobject_cast<const platform::TPageControl*>(control))
        return pages->IndexOf(page) >= 0;
    return false;
}

// One of the arrows a tab bar scrolls its tabs with.
bool TabScrollArrow(const QWidget& widget)
{
    return qobject_cast<const QToolButton*>(&widget) && qobject_cast<const QTabBar*>(widget.parentWidget());
}

// A line edit working inside a spin box, a combo box or another control of its own.
bool PartOfAnotherControl(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    return parent &&
           (qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent));
}

bool Framed(const QWidget& widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget))
        return edit->hasFrame();
    if (const auto* frame = qobject_cast<const QFrame*>(&widget))
        return frame->frameWidth() > 0;
    return widget.contentsRect() != widget.rect();
}

// A scrolling control that the class tests bind: scroll areas (lists, trees, memos, scroll boxes).
bool Scrolling(const QWidget& widget)
{
    return qobject_cast<const QAbstractScrollArea*>(&widget) && !qobject_cast<const QHeaderView*>(&widget);
}

class Discovery {
public:
    Discovery(TWndSkinForm& skinner, const TSkinData& data) : skinner_(skinner), data_(data) {}

    void SkinControl(QWidget& control);

private:
    bool Has(TSkinControlType type) const { return data_.SkinControls.testFlag(type); }
    bool Disabled(const QWidget& control) const;
    void Bind(QWidget& control, Kind kind, bool colour = false, bool glyph = false);
    void BindScrolling(QWidget& control);
    void BindScrollBars(QWidget& control);
    void BindItems(QWidget& group, Kind kind);
    void ByMap(QWidget& control, const QString& kind);
    void ByClass(QWidget& control);

    TWndSkinForm& skinner_;
    const TSkinData& data_;
};

bool Discovery::Disabled(const QWidget& control) const
{
    if (TagOf(control) == data_.DisableTag)
        return true;
    // The items of a tagged radio or check group keep their own look with it.
    const QWidget* parent = control.parentWidget();
    return parent && TagOf(*parent) == data_.DisableTag && ItemGroup(*parent);
}

void Discovery::Bind(QWidget& control, Kind kind, bool colour, bool glyph)
{
    TBindingRequest request{kind};
    request.Colour = colour;
    request.Glyph = glyph;
    if (PaintsItself(control, kind))
        request.Mode = TBindingMode::Intercept;
    SkinBindings().Attach(&control, request, &skinner_);
}

void Discovery::BindScrolling(QWidget& control)
{
    Bind(control, Kind::ScrollBar);
    BindScrollBars(control);
}

void Discovery::BindScrollBars(QWidget& control)
{
    auto& area = static_cast<QAbstractScrollArea&>(control);
    Bind(*area.horizontalScrollBar(), Kind::ScrollBar);
    Bind(*area.verticalScrollBar(), Kind::ScrollBar);
}

void Discovery::BindItems(QWidget& group, Kind kind)
{
    for (QWidget* item : group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!item->isWindow())
            Bind(*item, kind);
}

void Discovery::SkinControl(QWidget& control)
{
    if (Disabled(control) || SkinBindings().Find(&control) || !control.parentWidget())
        return;
    const QString className = QString::fromLatin1(control.metaObject()->className());
    if (const std::optional<QString> kind = ClassMapKind(data_.Skin3rd, className)) {
        ByMap(control, *kind);
        return;
    }
    ByClass(control);
}

void Discovery::ByMap(QWidget& control, const QString& kind)
{
    // A kind whose gate is closed, or that names nothing here, still counts as known: no class test.
    const auto setTransparent = [&control] {
        if (control.metaObject()->indexOfProperty("Transparent") >= 0)
            control.setProperty("Transparent", true);
    };
    if (kind == QLatin1String("combobox")) {
        if (Has(xcCombo))
            Bind(control, Kind::ComboBox);
    } else if (kind == QLatin1String("edit")) {
        if (Has(xcEdit) && Framed(control))
            Bind(control, Kind::Edit);
    } else if (kind == QLatin1String("radiobutton")) {
        if (Has(xcRadioButton))
            Bind(control, Kind::RadioButton);
    } else if (kind == QLatin1String("panel")) {
        if (Has(xcPanel)) {
            setTransparent();
            Bind(control, Kind::Box, true);
        }
    } else if (kind == QLatin1String("trackbar")) {
        if (Has(xcButton)) {
            setTransparent();
            Bind(control, Kind::TrackBar);
        }
    } else if (kind == QLatin1String("button") || kind == QLatin1String("mediaplayer") ||
               kind == QLatin1String("menubtn")) {
        if (Has(xcButton))
            Bind(control, Kind::Button);
    } else if (kind == QLatin1String("bitbtn")) {
        if (Has(xcButton))
            Bind(control, Kind::Button, false, true);
    } else if (kind == QLatin1String("speedbutton")) {
        if (Has(xcSpeedButton))
            Bind(control, Kind::Button, false, true);
    } else if (kind == QLatin1String("tab") || kind == QLatin1String("advpagecontrol")) {
        if (Has(xcTab) && data_.Description().Tabs)
            Bind(control, Kind::Tab);
    } else if (kind == QLatin1String("progress")) {
        if (Has(xcProgress))
            Bind(control, Kind::Progress);
    } else if (kind == QLatin1String("scrollbar")) {
        if (Has(xcScrollbar)) {
            if (Scrolling(control))
                BindScrolling(control);
            else
                Bind(control, Kind::ScrollBar);
        }
    } else if (kind == QLatin1String("embedscrollbar")) {
        if (Has(xcScrollbar))
            for (QWidget* child : control.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (Scrolling(*child) && !SkinBindings().Find(child))
                    BindScrolling(*child);
    } else if (kind == QLatin1String("groupbox")) {
        if (Has(xcGroupBox))
            Bind(control, Kind::GroupBox, true);
    } else if (kind == QLatin1String("radiogroup") || kind == QLatin1String("checkgroup")) {
        const bool radios = kind == QLatin1String("radiogroup");
        if (Has(xcRadioButton))
            BindItems(control, radios ? Kind::RadioButton : Kind::CheckBox);
        if (Has(xcGroupBox))
            Bind(control, Kind::GroupBox, true);
    } else if (kind == QLatin1String("checkbox")) {
        if (Has(xcCheckBox))
            Bind(control, Kind::CheckBox);
    }
    // "nil", "container" and kinds of other libraries: known, nothing of their own (the walk goes on
    // into a container's children by itself).
}

void Discovery::ByClass(QWidget& control)
{
    const bool tabs = Has(xcTab) && data_.Description().Tabs.has_value();
    if (qobject_cast<QTabWidget*>(&control) || qobject_cast<QTabBar*>(&control) ||
        qobject_cast<platform::TPageControl*>(&control) || TabScrollArrow(control)) {
        if (tabs)
            Bind(control, Kind::Tab);
    } else if (TabPage(control)) {
        if (tabs)
            Bind(control, Kind::TabSheet);
        // A page that scrolls its controls: its bars are the scroll bars' as anywhere else.
        if (Scrolling(control) && Has(xcScrollbar))
            BindScrollBars(control);
    } else if (qobject_cast<QHeaderView*>(&control)) {
        if (Has(xcPanel))
            Bind(control, Kind::Header);
    } else if (qobject_cast<QCheckBox*>(&control)) {
        if (Has(xcCheckBox))
            Bind(control, Kind::CheckBox);
    } else if (qobject_cast<QSlider*>(&control)) {
        if (Has(xcTrackBar))
            Bind(control, Kind::TrackBar);
    } else if (qobject_cast<QAbstractSpinBox*>(&control)) {
        if (Has(xcSpin))
            Bind(control, Kind::UpDown);
    } else if (GroupOf<QRadioButton>(control) && Has(xcRadioButton)) {
        BindItems(control, Kind::RadioButton);
        Bind(control, Kind::GroupBox, true);
    } else if (qobject_cast<QGroupBox*>(&control)) {
        // Group boxes follow the panels' switch, not the group boxes' (which gates only map kinds).
        if (Has(xcPanel))
            Bind(control, Kind::GroupBox, true);
    } else if (qobject_cast<QRadioButton*>(&control)) {
        if (Has(xcRadioButton))
            Bind(control, Kind::RadioButton);
    } else if (qobject_cast<QStatusBar*>(&control)) {
        if (Has(xcStatusBar))
            Bind(control, Kind::StatusBar);
    } else if (qobject_cast<QProgressBar*>(&control)) {
        if (Has(xcProgress))
            Bind(control, Kind::Progress);
    } else if (qobject_cast<QComboBox*>(&control)) {
        if (Has(xcCombo))
            Bind(control, Kind::ComboBox);
    } else if (qstrcmp(control.metaObject()->className(), "QFrame") == 0) {
        // The panels: plain frames (labels, lists and stacks are frames too, of classes of their own).
        if (Has(xcPanel))
            Bind(control, Kind::Box, true);
    } else if (Scrolling(control)) {
        if (Has(xcScrollbar))
            BindScrolling(control);
    } else if (qobject_cast<QPushButton*>(&control)) {
        if (Has(xcButton))
            Bind(control, Kind::Button);
    } else if (qobject_cast<QLineEdit*>(&control)) {
        if (Has(xcEdit) && Framed(control) && !PartOfAnotherControl(control))
            Bind(control, Kind::Edit);
    } else if (qobject_cast<QSizeGrip*>(&control)) {
        Bind(control, Kind::Sizer);
    }
}

} // namespace

void DiscoverControls(TWndSkinForm& skinner)
{
    QWidget* window = skinner.Window();
    const TSkinData* data = skinner.Data();
    if (!window || !data)
        return;
    Discovery discovery(skinner, *data);
    // Parents come before their children, so a group's items and a scroll area's bars are found bound.
    for (QWidget* control : window->findChildren<QWidget*>())
        if (control->window() == window)
            discovery.SkinControl(*control);
}

void DiscoverLateControl(QWidget& control)
{
    if (control.isWindow() || !SkinManager)
        return;
    TWndSkinForm* skinner = SkinManager->FindSkinner(control.window());
    if (!skinner || !skinner->ControlsFound() || skinner->SkinnerState() != 1 || !skinner->Data())
        return;
    Discovery(*skinner, *skinner->Data()).SkinControl(control);
}

std::optional<QString> ClassMapKind(const QStringList& map, const QString& className)
{
    const QString prefix = className.toLower() + u'=';
    for (const QString& line : map)
        if (line.toLower().startsWith(prefix))
            return line.mid(prefix.size(), MaxMapKind).toLower();
    return std::nullopt;
}

QStringList BuiltInClassMap()
{
    // The controls library's classes that exist here, under the names they carry.
    return {QStringLiteral("TLXTrackBar=panel"), QStringLiteral("TLXButton=bitbtn")};
}
