#include "controls/LXGraphicControl.h"

#include "controls/LXApplication.h"
#include "controls/LXCustomControl.h"

#include <QEvent>

TLXControl::TLXControl(QWidget* parent) : TLXWidgetBase(parent)
{
    setFocusPolicy(Qt::NoFocus);
    lower();
}

bool TLXControl::UseThemes() const
{
    return SupportsThemes() && LXApplication().ThemesEnabled() && themeFlag_;
}

void TLXControl::ThemeChanged()
{
    if (SupportsThemes())
        update();
}

void TLXControl::MouseEnter()
{
    if (isEnabled())
        emit OnMouseEnter();
}

void TLXControl::MouseExit()
{
    if (isEnabled())
        emit OnMouseExit();
}

void TLXControl::SetBounds(int left, int top, int width, int height)
{
    const QRect before = geometry();
    setGeometry(left, top, width, height);
    const int changes =
        (before.size() != geometry().size() ? 1 : 0) | (before.topLeft() != geometry().topLeft() ? 2 : 0);
    if (changes != 0)
        BoundsChanged(changes);
}

void TLXControl::enterEvent(QEnterEvent* event)
{
    TLXWidgetBase::enterEvent(event);
    MouseEnter();
}

void TLXControl::leaveEvent(QEvent* event)
{
    TLXWidgetBase::leaveEvent(event);
    MouseExit();
}

void TLXControl::changeEvent(QEvent* event)
{
    TLXWidgetBase::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        lower();
}

TLXBaseControl::TLXBaseControl(QWidget* parent) : TLXControl(parent), images_(this)
{
    effect_.OnChange = [this](TLXObject*) { RefreshContent(); };
    images_.OnChange = [this] { ImageListChanged(); };
}

TLXBaseControl::~TLXBaseControl()
{
    effect_.OnChange = nullptr;
    images_.OnChange = nullptr;
}

TLXBaseGraphicControl::TLXBaseGraphicControl(QWidget* parent) : TLXBaseControl(parent)
{
    resize(30, 30);
}

void TLXBaseGraphicControl::SetTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    LXRefreshContent();
}

void TLXBaseGraphicControl::RefreshContent()
{
    if (transparent_)
        update();
    else
        repaint();
}

bool TLXBaseGraphicControl::HasParentBackground() const
{
    return transparent_ && ParentSuppliesBackground(parentWidget());
}

void TLXBaseGraphicControl::LXRefreshContent()
{
    if (isVisible())
        RefreshContent();
}

void TLXBaseGraphicControl::LXParentBackgroundChanged()
{
    if (isVisible() && HasParentBackground())
        RefreshContent();
}

TLXGraphicControl::TLXGraphicControl(QWidget* parent) : TLXBaseGraphicControl(parent)
{
    bevel_.OnChange = [this](TLXObject*) { RefreshContent(); };
}

TLXGraphicControl::~TLXGraphicControl()
{
    bevel_.OnChange = nullptr;
}

void TLXGraphicControl::Paint(platform::TCanvas& canvas)
{
    if (ShowDesignFrame() && bevel_.Extent() == 0)
        return;
    platform::TRect inner;
    bevel_.PaintBevel(canvas, ClientRect(), inner, Transparent());
    PaintInside(canvas, inner);
}
