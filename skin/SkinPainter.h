#pragma once
// The control painters of the skin style: one per kind of control skinner. The style finds a widget's
// binding and asks its kind's painter first; a painter that answers false (or nothing) leaves the
// element to the base style, so a skin without the images a painter needs still gives usable controls.
#include "skin/SkinTypes.h"
#include "skin/core/SkinDescription.h"

#include <QPoint>
#include <QRect>
#include <QStyle>

#include <optional>

class QPainter;
class QStyleOption;
class QStyleOptionComplex;
class QWidget;

// The control skinners discovery can bind, one per control.
enum class TSkinnerKind {
    Button,
    CheckBox,
    RadioButton,
    GroupBox,
    Box,
    StatusBar,
    Tab,
    TabSheet,
    Edit,
    ComboBox,
    UpDown,
    Progress,
    TrackBar,
    ScrollBar,
    Header,
    Sizer,
};

// What a painter reads besides the style option: the skin, the component's options, the binding's
// transparent flag, and the base style for what it leaves alone (tick marks, check marks).
struct TSkinPaintContext {
    const TSkinDescription& Skin;
    TSkinOptions Options;
    bool Transparent = false;
    const QStyle& Base;

    // The skin's face colour, on which the controls stand.
    QColor Face() const { return platform::ToQColor(Skin.Colours.ButtonFace); }
    // The parent's background shows around the control, not the face: the binding's flag or the
    // component's xoTransparent.
    bool OverParent() const { return Transparent || (Options & xoTransparent); }
};

class TSkinPainter {
public:
    virtual ~TSkinPainter() = default;

    virtual bool DrawPrimitive(const TSkinPaintContext&, QStyle::PrimitiveElement, const QStyleOption&,
                               QPainter&, const QWidget*) const
    {
        return false;
    }
    virtual bool DrawControl(const TSkinPaintContext&, QStyle::ControlElement, const QStyleOption&, QPainter&,
                             const QWidget*) const
    {
        return false;
    }
    virtual bool DrawComplexControl(const TSkinPaintContext&, QStyle::ComplexControl,
                                    const QStyleOptionComplex&, QPainter&, const QWidget*) const
    {
        return false;
    }
    virtual std::optional<QRect> SubControlRect(const TSkinPaintContext&, QStyle::ComplexControl,
                                                const QStyleOptionComplex&, QStyle::SubControl,
                                                const QWidget*) const
    {
        return std::nullopt;
    }
    virtual std::optional<QStyle::SubControl> HitTest(const TSkinPaintContext&, QStyle::ComplexControl,
                                                      const QStyleOptionComplex&, QPoint,
                                                      const QWidget*) const
    {
        return std::nullopt;
    }
    // The paint intercept of controls that paint themselves: true when the skin painted the whole
    // widget and the widget's own painting must not run.
    virtual bool PaintWidget(const TSkinPaintContext&, QWidget&, QPainter&) const { return false; }
};

// The painter of a kind; null where the base style paints that kind.
const TSkinPainter* SkinPainterFor(TSkinnerKind kind);
