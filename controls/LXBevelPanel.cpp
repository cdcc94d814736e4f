#include "controls/LXBevelPanel.h"

#include "platform_gui/AlignChildren.h"

#include <QEvent>

namespace {

constexpr int ClientEdge = 2;

} // namespace

TLXCustomBevelPanel::TLXCustomBevelPanel(QWidget* parent) : TLXCustomPanel(parent)
{
    bevel_.SetSystemFrame(true);
    bevel_.OnChange = [this](TLXObject*) { ObjectChanged(&bevel_); };
}

TLXCustomBevelPanel::~TLXCustomBevelPanel()
{
    bevel_.OnChange = nullptr;
}

void TLXCustomBevelPanel::ObjectChanged(const void* sender)
{
    if (sender == &bevel_) {
        bevel_.SetSystemFrame(true);
        if (bevel_.FrameChanged())
            UpdateFrame();
        AlignControls();
    }
    TLXCustomPanel::ObjectChanged(sender);
}

void TLXCustomBevelPanel::UpdateFrame()
{
    const int edge = bevel_.Mode() == bmWindows && !UseThemes() ? ClientEdge : 0;
    setContentsMargins(edge, edge, edge, edge);
}

void TLXCustomBevelPanel::AlignControls()
{
    platform::AlignChildren(this, bevel_.InnerRect(ClientRect()).ToQRect());
}

void TLXCustomBevelPanel::Paint(platform::TCanvas& canvas)
{
    PaintBackground(canvas);
    if (contentsMargins().left() == ClientEdge) {
        platform::TRect frame = platform::TRect::FromQRect(rect());
        canvas.DrawEdge(frame, platform::EDGE_SUNKEN, platform::BF_RECT);
    }
    platform::TRect inner;
    bevel_.PaintBevel(canvas, ClientRect(), inner, Transparent());
}

void TLXCustomBevelPanel::resizeEvent(QResizeEvent* event)
{
    TLXCustomPanel::resizeEvent(event);
    AlignControls();
}

bool TLXCustomBevelPanel::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest)
        AlignControls();
    return TLXCustomPanel::event(event);
}
