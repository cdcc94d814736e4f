#include "controls/LXCustomControl.h"

#include "controls/LXApplication.h"

#include <QEvent>

using platform::TCanvas;
using platform::TPoint;
using platform::TRect;

TLXBackgroundSupplier* BackgroundSupplierOf(QWidget* parent)
{
    if (parent == nullptr)
        return nullptr;
    if (auto* supplier = dynamic_cast<TLXBackgroundSupplier*>(parent))
        return supplier;
    if (!parent->isWindow())
        return nullptr;
    for (QObject* child : parent->children())
        if (auto* supplier = dynamic_cast<TLXBackgroundSupplier*>(child))
            return supplier;
    return nullptr;
}

bool ParentSuppliesBackground(const QWidget* parent)
{
    if (const auto* control = dynamic_cast<const TLXCustomControl*>(parent))
        return control->HasParentBackground();
    const TLXBackgroundSupplier* supplier = BackgroundSupplierOf(const_cast<QWidget*>(parent));
    return supplier != nullptr && supplier->SuppliesBackground();
}

TLXCustomControl::TLXCustomControl(QWidget* parent) : TLXWidgetBase(parent), images_(this)
{
    setFocusPolicy(Qt::NoFocus);
    resize(100, 40);
    effect_.OnChange = [this](TLXObject* sender) { ObjectChanged(sender); };
    images_.OnChange = [this] { ImageListChanged(); };
}

TLXCustomControl::~TLXCustomControl()
{
    effect_.OnChange = nullptr;
    images_.OnChange = nullptr;
}

void TLXCustomControl::SetTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    update();
}

void TLXCustomControl::SetCtlXP(bool ctlXP)
{
    if (ctlXP == ctlXP_)
        return;
    ctlXP_ = ctlXP;
    ThemeChanged();
}

void TLXCustomControl::SetTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
}

bool TLXCustomControl::UseThemes() const
{
    return SupportsThemes() && LXApplication().ThemesEnabled() && ctlXP_;
}

void TLXCustomControl::ThemeChanged()
{
    update();
    for (QObject* child : children())
        if (TLXControlMessages* target = LXMessageTarget(child))
            target->LXThemeChanged();
}

bool TLXCustomControl::DrawsParentThemeBackground() const
{
    return transparent_ && LXApplication().ThemesEnabled() && ctlXP_ && !HasParentBackground();
}

bool TLXCustomControl::IsTransparentOnBackground() const
{
    return transparent_ && HasParentBackground();
}

void TLXCustomControl::PaintBackground(TCanvas& canvas)
{
    if (themeBackgroundDrawn_)
        return;
    if (DrawsParentThemeBackground() && ThemeBackgroundAllowed())
        return;
    const TRect client = ClientRect();
    if (IsTransparentOnBackground() && DrawBackground(canvas, client, 0, TPoint{0, 0}))
        return;
    canvas.Brush.SetStyle(platform::TBrushStyle::bsSolid);
    canvas.Brush.SetColor(Color());
    canvas.FillRect(client);
}

void TLXCustomControl::ObjectChanged(const void*)
{
    if (repaintOnChange_)
        update();
}

void TLXCustomControl::MouseEnter()
{
    emit OnMouseEnter();
    hot_ = true;
}

void TLXCustomControl::MouseLeave()
{
    hot_ = false;
    emit OnMouseLeave();
}

bool TLXCustomControl::DrawBackground(TCanvas&, const TRect&, unsigned, TPoint)
{
    return false;
}

void TLXCustomControl::BackgroundMoved(bool tellChildren)
{
    if (!IsTransparentOnBackground()) {
        update();
        return;
    }
    repaint();
    if (!tellChildren)
        return;
    for (QObject* child : children())
        if (TLXControlMessages* target = LXMessageTarget(child))
            target->LXParentBackgroundChanged();
}

void TLXCustomControl::LXParentBackgroundChanged()
{
    BackgroundMoved(true);
}

void TLXCustomControl::enterEvent(QEnterEvent* event)
{
    TLXWidgetBase::enterEvent(event);
    MouseEnter();
}

void TLXCustomControl::leaveEvent(QEvent* event)
{
    TLXWidgetBase::leaveEvent(event);
    MouseLeave();
}

void TLXCustomControl::focusInEvent(QFocusEvent* event)
{
    TLXWidgetBase::focusInEvent(event);
    focused_ = true;
    PostFocusNotice(this, true);
}

void TLXCustomControl::focusOutEvent(QFocusEvent* event)
{
    TLXWidgetBase::focusOutEvent(event);
    focused_ = false;
    PostFocusNotice(this, false);
}

void TLXCustomControl::resizeEvent(QResizeEvent* event)
{
    TLXWidgetBase::resizeEvent(event);
    BackgroundMoved(true);
}

void TLXCustomControl::moveEvent(QMoveEvent* event)
{
    TLXWidgetBase::moveEvent(event);
    if (IsTransparentOnBackground())
        BackgroundMoved(false);
}

void TLXCustomControl::changeEvent(QEvent* event)
{
    TLXWidgetBase::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !transparent_)
        update();
}

TLXCustomPanel::TLXCustomPanel(QWidget* parent) : TLXCustomControl(parent)
{
    SetColor(platform::clBtnFace);
}

bool TLXCustomPanel::HasParentBackground() const
{
    return Transparent() && ParentSuppliesBackground(parentWidget());
}

const platform::TBitmap* TLXCustomPanel::BackgroundBitmap() const
{
    if (!HasParentBackground())
        return nullptr;
    if (const auto* control = dynamic_cast<const TLXCustomControl*>(parentWidget()))
        return control->BackgroundBitmap();
    const TLXBackgroundSupplier* supplier = BackgroundSupplierOf(parentWidget());
    return supplier != nullptr ? supplier->BackgroundBitmap() : nullptr;
}

TPoint TLXCustomPanel::HalfBorder() const
{
    return TPoint{(width() - contentsRect().width()) / 2, (height() - contentsRect().height()) / 2};
}

TPoint TLXCustomPanel::BackgroundOffset(TPoint point) const
{
    if (!HasParentBackground())
        return point;
    TPoint origin{x(), y()};
    if (const auto* control = dynamic_cast<const TLXCustomControl*>(parentWidget()))
        origin = control->BackgroundOffset(origin);
    else if (const TLXBackgroundSupplier* supplier = BackgroundSupplierOf(parentWidget()))
        origin = supplier->BackgroundOffset(origin);
    const TPoint half = HalfBorder();
    return TPoint{origin.X + point.X + half.X, origin.Y + point.Y + half.Y};
}

bool TLXCustomPanel::DrawBackground(TCanvas& canvas, const TRect& rect, unsigned, TPoint offset)
{
    const platform::TBitmap* background = BackgroundBitmap();
    if (background == nullptr)
        return false;
    const TPoint origin = BackgroundOffset(offset);
    canvas.CopyRect(rect, background->Image(),
                    platform::Bounds(origin.X, origin.Y, rect.Width(), rect.Height()));
    return true;
}
