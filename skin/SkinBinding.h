#pragma once
// The binding of one skinned control: which painter draws it, how (through the style, or by taking its
// paint event), and what the control had before the skin touched it, so that unbinding gives it back
// exactly. The registry finds a widget's binding for the skin style, and detaches and re-colours the
// bindings of one window skinner.
#include "skin/SkinPainter.h"

#include <QHash>
#include <QObject>
#include <QPalette>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QStyle;
class QWidget;
class TWndSkinForm;

enum class TBindingMode {
    // The skin style asks the kind's painter for the widget's style elements.
    Style,
    // The widget paints itself: its paint events go to the painter's PaintWidget first.
    Intercept,
};

struct TSkinBinding {
    QPointer<QWidget> Widget;
    TSkinnerKind Kind = TSkinnerKind::Button;
    TBindingMode Mode = TBindingMode::Style;
    // The control wears the skin's face colour, and fills its background unless xoParentBackGround.
    bool Colour = false;
    // The parent's background shows around the face instead of the face colour (buttons, check boxes
    // and radio buttons with Tag 5555 or xoTransparent).
    bool Transparent = false;
    // The face shows the control's glyph: buttons bound by the class map's "bitbtn".
    bool Glyph = false;
    // Skinning of this control is on; switched off, the base style paints it.
    bool Enabled = true;
    QPointer<TWndSkinForm> Skinner;

    // What the control had before it was bound.
    QPalette SavedPalette;
    bool SavedOwnPalette = false;
    bool SavedAutoFill = false;
    bool SavedHover = false;
};

struct TBindingRequest {
    TSkinnerKind Kind;
    TBindingMode Mode = TBindingMode::Style;
    bool Colour = false;
    bool Glyph = false;
};

class TSkinBindings : public QObject {
    Q_OBJECT
public:
    TSkinBindings();
    ~TSkinBindings() override;

    bool Empty() const { return bindings_.isEmpty(); }
    // The widget's binding; null when it has none.
    TSkinBinding* Find(const QWidget* widget) const;
    // Binds the widget for the window skinner; a widget bound already keeps the binding it has.
    TSkinBinding* Attach(QWidget* widget, const TBindingRequest& request, TWndSkinForm* skinner);
    // Gives the widget back its palette, background filling and hover tracking.
    void Detach(QWidget* widget);
    void DetachAll(const TWndSkinForm* skinner);
    // The face colour of the skin now in force on the colour controls, and a repaint of every control.
    void RecolourAll(const TWndSkinForm* skinner);
    // Switches skinning of one bound control off (the base style paints it) or on, with a repaint.
    void SetEnabled(QWidget* widget, bool enabled);
    std::vector<const TSkinBinding*> BindingsOf(const TWndSkinForm* skinner) const;

    // What the painter reads, when the binding is on and its window skinner runs with a loaded skin.
    static std::optional<TSkinPaintContext> PaintContext(const TSkinBinding& binding, const QStyle& base);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyColour(TSkinBinding& binding) const;
    void Release(TSkinBinding& binding);

    QHash<const QObject*, std::shared_ptr<TSkinBinding>> bindings_;
};

// The registry of the process, made on first use and gone with the application.
TSkinBindings& SkinBindings();

// True while the window skinner runs (not detaching, not gone) with a loaded skin.
bool SkinnerPaints(const TWndSkinForm* skinner);

// Asks the painter of the binding's kind with what it reads; nothing when the binding is off, its
// window is not skinned now, or its kind has no painter. Painting errors end here, never in the event
// loop.
template <typename Result, typename Call>
std::optional<Result> AskBindingPainter(const TSkinBinding& binding, const QStyle& base, Call call)
{
    const TSkinPainter* painter = SkinPainterFor(binding.Kind);
    if (!painter)
        return std::nullopt;
    const std::optional<TSkinPaintContext> context = TSkinBindings::PaintContext(binding, base);
    if (!context)
        return std::nullopt;
    try {
        return call(*painter, *context);
    } catch (...) {
        return std::nullopt;
    }
}
