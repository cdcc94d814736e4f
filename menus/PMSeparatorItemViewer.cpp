#include "menus/PMSeparatorItemViewer.h"

#include "menus/PMItems.h"
#include "platform/Numbers.h"

using namespace platform;

TPMItemViewer* TPMSeparatorItemViewer::Create(TPMView* view, TPMCustomItem* item, int level)
{
    return new TPMSeparatorItemViewer(view, item, level);
}

void TPMSeparatorItemViewer::MeasureItem(TCanvas& canvas, int&, int& height)
{
    height += DivRoundUp(2 * canvas.TextMetrics().Height, 3);
}

void TPMSeparatorItemViewer::PaintItem(TCanvas& canvas, const TRect& rect, bool, bool, bool)
{
    const auto* separator = qobject_cast<const TPMSeparatorItem*>(Item());
    if (separator != nullptr && separator->Blank())
        return;
    TRect line = rect;
    line.Top = rect.Height() / 2 - 1;
    line.Left += 12;
    line.Right -= 12;
    canvas.DrawEdge(line, EDGE_ETCHED, BF_TOP);
}
