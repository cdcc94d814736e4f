#pragma once
// A separator's presence in a view: a gap two thirds of a line high with an etched line across it.
#include "menus/PMItemViewer.h"

class TPMSeparatorItemViewer : public TPMItemViewer {
public:
    using TPMItemViewer::TPMItemViewer;
    static TPMItemViewer* Create(TPMView* view, TPMCustomItem* item, int level);
    const char* ClassName() const override { return "TPMSeparatorItemViewer"; }

    void MeasureItem(platform::TCanvas& canvas, int& width, int& height) override;
    void PaintItem(platform::TCanvas& canvas, const platform::TRect& rect, bool selected, bool pushed,
                   bool embossed) override;
    bool TakesColumnWidth() override { return false; }
};
