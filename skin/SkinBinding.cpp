#include "skin/SkinBinding.h"

#include "skin/SkinData.h"
#include "skin/WindowSkinner.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QWidget>

namespace {

// A control with this Tag shows its parent's background around its face.
constexpr int TransparentTag = 5555;

bool TakesTransparency(TSkinnerKind kind)
{
    return kind == TSkinnerKind::Button || kind == TSkinnerKind::CheckBox ||
           kind == TSkinnerKind::RadioButton;
}

// The style beneath the skin style, which paints what the skin leaves.
const QStyle& BaseStyleOf(const QWidget& widget)
{
    const QStyle* style = widget.style();
    if (const auto* proxy = qobject_cast<const QProxyStyle*>(style))
        return *proxy->baseStyle();
    return *style;
}

} // namespace

TSkinBindings::TSkinBindings() : QObject(qApp) {}

TSkinBindings::~TSkinBindings()
{
    // The widgets that outlive the registry are left as they are; only the links go.
    for (const std::shared_ptr<TSkinBinding>& binding : std::as_const(bindings_))
        if (binding->Widget) {
            binding->Widget->removeEventFilter(this);
            disconnect(binding->Widget, nullptr, this, nullptr);
        }
}

TSkinBinding* TSkinBindings::Find(const QWidget* widget) const
{
    if (bindings_.isEmpty() || !widget)
        return nullptr;
    const auto found = bindings_.constFind(widget);
    return found == bindings_.cend() ? nullptr : found->get();
}

TSkinBinding* TSkinBindings::Attach(QWidget* widget, const TBindingRequest& request, TWndSkinForm* skinner)
{
    if (!widget)
        return nullptr;
    if (TSkinBinding* bound = Find(widget))
        return bound;
    auto binding = std::make_shared<TSkinBinding>();
    binding->Widget = widget;
    binding->Kind = request.Kind;
    binding->Mode = request.Mode;
    binding->Colour = request.Colour;
    binding->Glyph = request.Glyph;
    binding->Skinner = skinner;
    binding->SavedPalette = widget->palette();
    binding->SavedOwnPalette = widget->testAttribute(Qt::WA_SetPalette);
    binding->SavedAutoFill = widget->autoFillBackground();
    binding->SavedHover = widget->testAttribute(Qt::WA_Hover);
    const TSkinData* data = skinner ? skinner->Data() : nullptr;
    binding->Transparent =
        TakesTransparency(request.Kind) && (widget->property("Tag").toInt() == TransparentTag ||
                                            (data && data->Options.testFlag(xoTransparent)));
    bindings_.insert(widget, binding);
    connect(widget, &QObject::destroyed, this, [this](QObject* gone) { bindings_.remove(gone); });
    // The painters light a control under the mouse: the style options must say so.
    widget->setAttribute(Qt::WA_Hover);
    if (binding->Colour)
        ApplyColour(*binding);
    if (binding->Mode == TBindingMode::Intercept)
        widget->installEventFilter(this);
    widget->update();
    return binding.get();
}

void TSkinBindings::ApplyColour(TSkinBinding& binding) const
{
    const TSkinData* data = binding.Skinner ? binding.Skinner->Data() : nullptr;
    if (!data || !binding.Widget)
        return;
    QPalette palette = binding.Widget->palette();
    palette.setColor(QPalette::Window, data->FaceColor());
    palette.setColor(QPalette::Button, data->FaceColor());
    binding.Widget->setPalette(palette);
    if (!data->Options.testFlag(xoParentBackGround))
        binding.Widget->setAutoFillBackground(true);
}

void TSkinBindings::Release(TSkinBinding& binding)
{
    QWidget* widget = binding.Widget;
    if (!widget)
        return;
    disconnect(widget, nullptr, this, nullptr);
    widget->removeEventFilter(this);
    if (binding.Colour) {
        widget->setPalette(binding.SavedOwnPalette ? binding.SavedPalette : QPalette());
        widget->setAutoFillBackground(binding.SavedAutoFill);
    }
    widget->setAttribute(Qt::WA_Hover, binding.SavedHover);
    widget->update();
}

void TSkinBindings::Detach(QWidget* widget)
{
    const std::shared_ptr<TSkinBinding> binding = bindings_.take(widget);
    if (binding)
        Release(*binding);
}

void TSkinBindings::DetachAll(const TWndSkinForm* skinner)
{
    for (auto it = bindings_.begin(); it != bindings_.end();) {
        if ((*it)->Skinner == skinner || !(*it)->Skinner) {
            const std::shared_ptr<TSkinBinding> binding = *it;
            it = bindings_.erase(it);
            Release(*binding);
        } else {
            ++it;
        }
    }
}

void TSkinBindings::RecolourAll(const TWndSkinForm* skinner)
{
    for (const std::shared_ptr<TSkinBinding>& binding : std::as_const(bindings_))
        if (binding->Skinner == skinner && binding->Widget) {
            if (binding->Colour)
                ApplyColour(*binding);
            binding->Widget->update();
        }
}

void TSkinBindings::SetEnabled(QWidget* widget, bool enabled)
{
    TSkinBinding* binding = Find(widget);
    if (!binding || binding->Enabled == enabled)
        return;
    binding->Enabled = enabled;
    widget->update();
}

std::vector<const TSkinBinding*> TSkinBindings::BindingsOf(const TWndSkinForm* skinner) const
{
    std::vector<const TSkinBinding*> found;
    for (const std::shared_ptr<TSkinBinding>& binding : std::as_const(bindings_))
        if (binding->Skinner == skinner && binding->Widget)
            found.push_back(binding.get());
    return found;
}

std::optional<TSkinPaintContext> TSkinBindings::PaintContext(const TSkinBinding& binding, const QStyle& base)
{
    if (!binding.Enabled || !SkinnerPaints(binding.Skinner))
        return std::nullopt;
    const TSkinData* data = binding.Skinner->Data();
    return TSkinPaintContext{data->Description(), data->Options, binding.Transparent, base};
}

bool TSkinBindings::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const TSkinBinding* binding = Find(widget);
    if (!binding || binding->Mode != TBindingMode::Intercept)
        return false;
    // Unanswered, or failed, the widget paints itself.
    return AskBindingPainter<bool>(*binding, BaseStyleOf(*widget),
                                   [widget](const TSkinPainter& painter, const TSkinPaintContext& context) {
                                       QPainter canvas(widget);
                                       return painter.PaintWidget(context, *widget, canvas);
                                   })
        .value_or(false);
}

TSkinBindings& SkinBindings()
{
    static QPointer<TSkinBindings> registry;
    if (!registry)
        registry = new TSkinBindings;
    return *registry;
}

bool SkinnerPaints(const TWndSkinForm* skinner)
{
    if (!skinner || !skinner->Window())
        return false;
    const int state = skinner->SkinnerState();
    if (state != 1 && state != 3)
        return false;
    const TSkinData* data = skinner->Data();
    return data && !data->NoSkin();
}
