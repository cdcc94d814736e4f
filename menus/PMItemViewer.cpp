#include "menus/PMItemViewer.h"

#include "menus/PMAccessibility.h"
#include "menus/PMClickDispatch.h"
#include "menus/PMCustomItem.h"
#include "menus/PMImageList.h"
#include "menus/PMPlatform.h"
#include "menus/PMView.h"
#include "platform/Numbers.h"
#include "platform_gui/DesktopSettings.h"

#include <QKeySequence>

using namespace platform;

namespace {

// The submenu arrow: a right-pointing triangle 4 pixels wide and 7 high in the check-mark cell.
void PaintArrow(TCanvas& canvas, int left, int top, TColor color)
{
    const TBrush saved = canvas.Brush;
    canvas.Brush.SetStyle(TBrushStyle::bsSolid);
    canvas.Brush.SetColor(color);
    constexpr int ArrowLeft = (MenuCheckWidth - 4) / 2;
    constexpr int ArrowTop = (MenuCheckHeight - 7) / 2;
    for (int column = 0; column < 4; ++column)
        canvas.FillRect(Rect(left + ArrowLeft + column, top + ArrowTop + column,
                             left + ArrowLeft + column + 1, top + ArrowTop + 7 - column));
    canvas.Brush = saved;
}

// Button-face and button-highlight pixels in turn: the fill of a checked entry's square.
QImage DitherPattern()
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    const QRgb face = ToQColor(clBtnFace).rgb();
    const QRgb highlight = ToQColor(clBtnHighlight).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x + y) % 2 == 0 ? face : highlight);
    return pattern;
}

void PaintCheckMark(TCanvas& canvas, int centreX, int centreY)
{
    auto at = [&](std::initializer_list<TPoint> points) {
        std::vector<TPoint> moved;
        for (const TPoint& p : points)
            moved.push_back({centreX + p.X, centreY + p.Y});
        return moved;
    };
    const TPen saved = canvas.Pen;
    canvas.Pen.SetStyle(TPenStyle::psSolid);
    canvas.Pen.SetColor(clBtnText);
    canvas.Polyline(at({{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}}));
    canvas.Pen.SetColor(clBtnHighlight);
    canvas.Polyline(at({{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}}));
    canvas.Pen = saved;
}

} // namespace

TPMItemViewer::TPMItemViewer(TPMView* view, TPMCustomItem* item, int level)
    : view_(view), item_(item), level_(level)
{
    CountMenuObject();
}

TPMItemViewer::~TPMItemViewer()
{
    if (AccObject != nullptr)
        ReleaseAccObject(AccObject);
    ForgetQueuedClicks(this);
    UncountMenuObject();
}

TPMItemViewer* TPMItemViewer::Create(TPMView* view, TPMCustomItem* item, int level)
{
    return new TPMItemViewer(view, item, level);
}

int TPMItemViewer::ColumnWidth(int height)
{
    const TCustomImageList* list = ImageList();
    return list != nullptr ? MulDiv(list->Width() + 3, height, list->Height() + 3) : height;
}

void TPMItemViewer::MeasureItem(TCanvas& canvas, int& width, int& height)
{
    const TTextMetrics metrics = canvas.TextMetrics();
    height += metrics.Height;
    width += TextWidth(canvas, CaptionText(), true);
    height += metrics.ExternalLeading + 4;
    if (const TCustomImageList* list = ImageList(); list != nullptr && height < list->Height() + 3)
        height = list->Height() + 3;
    width += ColumnWidth(height) + 6;
    if (const QString shortCut = item_->ShortCutText(); !shortCut.isEmpty())
        width += TextWidth(canvas, shortCut, false) + height - 6;
    width += height;
}

bool TPMItemViewer::PerformClick()
{
    view_->RootView()->SetClickAction(item_, view_->IsPopup());
    return true;
}

void TPMItemViewer::DrawCaptionText(TCanvas& canvas, const TRect& rect, const QString& caption, bool embossed,
                                    unsigned format)
{
    TRect target = rect;
    if (!embossed) {
        canvas.DrawText(caption, target, format);
        return;
    }
    const TColor saved = canvas.Font.Color();
    OffsetRect(target, 1, 1);
    canvas.Font.SetColor(clBtnHighlight);
    canvas.DrawText(caption, target, format);
    target = rect;
    canvas.Font.SetColor(clBtnShadow);
    canvas.DrawText(caption, target, format);
    canvas.Font.SetColor(saved);
}

void TPMItemViewer::NotifySelected()
{
    if (item_->OnSelect)
        item_->OnSelect(item_, this, true);
}

void TPMItemViewer::NotifyDeselected()
{
    if (item_->OnSelect)
        item_->OnSelect(item_, this, false);
}

int TPMItemViewer::AccessibleRole()
{
    if (item_->KindFlags() & ikfSeparator)
        return ROLE_SYSTEM_SEPARATOR;
    if (view_->IsPopup() || (view_->Style() & vstMenuBar))
        return ROLE_SYSTEM_MENUITEM;
    return (item_->KindFlags() & ikfHasSubmenu) ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
}

bool TPMItemViewer::AccessibleValue(QString&)
{
    return false;
}

QString TPMItemViewer::CaptionText()
{
    const QString caption = item_->Caption();
    const qsizetype tab = caption.indexOf(u'\t');
    return tab >= 0 ? caption.left(tab) : caption;
}

void TPMItemViewer::CursorAt(QPoint, Qt::CursorShape&) {}

bool TPMItemViewer::InClickPart(int x, int)
{
    if (item_->KindFlags() & ikfCombo)
        return x < BoundsRect.Width() - (ToolbarStyled() ? 11 : MenuCheckWidth);
    return !(item_->KindFlags() & ikfHasSubmenu);
}

void TPMItemViewer::HandleKey(int&, Qt::KeyboardModifiers) {}

void TPMItemViewer::CaptureLost()
{
    Invalidate();
}

void TPMItemViewer::HandleMouseDown(unsigned shift, int x, int y, bool&)
{
    if (!item_->Enabled() || InClickPart(x, y))
        return; // entries act on release
    if (!view_->DropSubmenu(false) || !(shift & ssDouble) || (item_->KindFlags() & ikfCombo))
        return;
    // A double-click on a submenu entry runs the submenu's default entry.
    TPMView* submenu = view_->OpenSubmenuView();
    for (int i = 0; submenu != nullptr && i < submenu->ViewerCount(); ++i) {
        TPMItemViewer* viewer = submenu->Viewer(i);
        const TPMCustomItem* item = viewer->Item();
        if ((item->ResolvedOptions() & tboDefault) && (item->KindFlags() & ikfSelectable) &&
            item->Enabled() && item->Visible() && (viewer->Show || viewer->Clipped)) {
            viewer->PerformClick();
            return;
        }
    }
}

void TPMItemViewer::HandleMouseMove(int, int) {}

void TPMItemViewer::HandleMouseUp(int x, int y, bool)
{
    const bool hadCapture = view_->Capture();
    view_->ReleaseCapture();
    if (view_->Selected() != this || !view_->MouseOverSelected() || !item_->Enabled() ||
        (item_->KindFlags() & ikfNoClick))
        return;
    if (InClickPart(x, y) && (hadCapture || !ToolbarStyled()))
        ClickViewer(true);
}

void TPMItemViewer::HandleMouseWheel(int, int, int) {}

void TPMItemViewer::AdjustTextRect(TCanvas& canvas, TRect& rect, int height)
{
    const TTextMetrics metrics = canvas.TextMetrics();
    if (height - metrics.Height - metrics.ExternalLeading == 4)
        rect.Bottom -= 1;
    rect.Top += metrics.ExternalLeading;
}

void TPMItemViewer::PaintItem(TCanvas& canvas, const TRect& rect, bool selected, bool, bool embossed)
{
    const bool enabledLook = item_->Enabled() || view_->Customizing();
    const int height = rect.Height();
    const int column = ColumnWidth(height);
    const bool imageShown = ImageShown() && ImageList() != nullptr;
    const bool checked = item_->Checked();
    const bool combo = item_->KindFlags() & ikfCombo;

    if (selected) {
        TRect highlight = rect;
        highlight.Left = (imageShown || checked) ? column + 1 : 0;
        if (combo && item_->Enabled())
            highlight.Right -= MenuCheckWidth;
        canvas.FillRect(highlight);
    }
    canvas.Brush.SetStyle(TBrushStyle::bsClear);
    if (item_->ResolvedOptions() & tboDefault)
        canvas.Font.SetStyle(canvas.Font.Style() | fsBold);

    if (CaptionVisible()) {
        TRect text = rect;
        text.Left = column + 3;
        AdjustTextRect(canvas, text, height);
        DrawCaptionText(canvas, text, CaptionText(), embossed, DT_SINGLELINE | DT_VCENTER | PrefixFormat());
    }
    if (const QString shortCut = item_->ShortCutText(); !shortCut.isEmpty()) {
        TRect text = rect;
        text.Left = rect.Right - height - TextWidth(canvas, shortCut, false);
        AdjustTextRect(canvas, text, height);
        DrawCaptionText(canvas, text, shortCut, embossed, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item_->KindFlags() & ikfHasSubmenu)
        PaintSubmenuPart(canvas, rect, selected, enabledLook, embossed);
    if (imageShown || checked)
        PaintCheckColumn(canvas, column, height, selected, enabledLook, imageShown);
}

unsigned TPMItemViewer::PrefixFormat()
{
    const bool hidden = !CurrentDesktopSettings().KeyboardCuesAlwaysShown() &&
                        (view_->Style() & vstMenuStyle) && !(view_->State() & vsAccelsVisible);
    return hidden ? DT_HIDEPREFIX : 0;
}

void TPMItemViewer::PaintSubmenuPart(TCanvas& canvas, const TRect& rect, bool selected, bool enabledLook,
                                     bool embossed)
{
    const bool combo = item_->KindFlags() & ikfCombo;
    if (combo) {
        if (selected && enabledLook) {
            TRect box = Rect(rect.Right - MenuCheckWidth, rect.Top, rect.Right, rect.Bottom);
            canvas.DrawEdge(box, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
        } else {
            TRect line = Rect(rect.Right - MenuCheckWidth - 1, rect.Top, rect.Right, rect.Bottom);
            canvas.DrawEdge(line, selected ? BDR_SUNKENOUTER : EDGE_ETCHED, BF_LEFT);
        }
    }
    const int left = rect.Right - MenuCheckWidth;
    const int top = rect.Top + (rect.Height() - MenuCheckHeight) / 2;
    if (embossed) {
        PaintArrow(canvas, left + 1, top + 1, clBtnHighlight);
        PaintArrow(canvas, left, top, clBtnShadow);
    } else if (selected && combo && item_->Enabled()) {
        PaintArrow(canvas, left + 1, top + 1, clBtnText);
    } else {
        PaintArrow(canvas, left, top, canvas.Font.Color());
    }
}

void TPMItemViewer::PaintCheckColumn(TCanvas& canvas, int column, int height, bool selected, bool enabledLook,
                                     bool imageShown)
{
    const bool checked = item_->Checked();
    TRect cell = Rect(0, 0, column, height);
    if ((selected && enabledLook) || checked) {
        TRect edge = cell;
        canvas.DrawEdge(edge, checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    }
    if (checked && !selected) {
        TRect inside = cell;
        InflateRect(inside, -1, -1);
        const TBrush saved = canvas.Brush;
        static const QImage dither = DitherPattern();
        canvas.Brush.SetBitmap(dither);
        canvas.FillRect(inside);
        canvas.Brush = saved;
    }
    if (checked)
        OffsetRect(cell, 1, 1);
    if (imageShown) {
        const TCustomImageList* list = ImageList();
        list->Draw(canvas, cell.Left + (cell.Width() - list->Width()) / 2,
                   cell.Top + (cell.Height() - list->Height()) / 2, item_->ImageIndex(), enabledLook);
    } else if (checked) {
        PaintCheckMark(canvas, (cell.Left + cell.Right) / 2 - 2, (cell.Top + cell.Bottom) / 2 + 1);
    }
}

bool TPMItemViewer::TakesColumnWidth()
{
    const TPMItemOptions options = item_->ResolvedOptions();
    return ToolbarSized() && (options & tboImageAboveCaption) && (options & tboSameWidth);
}

bool TPMItemViewer::CaptionVisible()
{
    const bool imageAbove = item_->ResolvedOptions() & tboImageAboveCaption;
    if (CaptionText().isEmpty())
        return imageAbove;
    const TPMItemDisplayMode mode = item_->DisplayMode();
    if (!ToolbarSized() || item_->ImageIndex() < 0 || mode == nbdmTextOnly || mode == nbdmImageAndText)
        return true;
    return imageAbove;
}

void TPMItemViewer::ClickViewer(bool)
{
    PerformClick(); // menus keep no priority list
}

bool TPMItemViewer::ToolbarStyled()
{
    return view_->IsToolbar() || (item_->ResolvedOptions() & tboToolbarStyle);
}

bool TPMItemViewer::ToolbarSized()
{
    return view_->IsToolbar() || (item_->ResolvedOptions() & tboToolbarSize);
}

QString TPMItemViewer::HintText()
{
    QString hint = item_->Hint().section(u'|', 0, 0);
    if (hint.isEmpty() && !(item_->ResolvedOptions() & tboNoAutoHint)) {
        const TPMKindFlags kind = item_->KindFlags();
        const bool opensSubmenu = (kind & ikfHasSubmenu) && !(kind & ikfCombo);
        if (!opensSubmenu && CaptionVisible())
            hint = StripAccelMarkers(StripTrailingEllipsis(CaptionText()));
    }
    // The application shows shortcuts in hints.
    if (!hint.isEmpty() && item_->ShortCut() != QKeyCombination())
        hint = QStringLiteral("%1 (%2)").arg(
            hint, QKeySequence(item_->ShortCut()).toString(QKeySequence::NativeText));
    return hint;
}

TCustomImageList* TPMItemViewer::ImageList()
{
    if (TCustomImageList* images = item_->Images())
        return images;
    for (TPMView* view = view_; view != nullptr; view = view->ParentView()) {
        if (view->CurrentParentItem() != nullptr && view->CurrentParentItem()->SubMenuImages() != nullptr)
            return view->CurrentParentItem()->SubMenuImages();
        if (view->ParentItem() != nullptr && view->ParentItem()->SubMenuImages() != nullptr)
            return view->ParentItem()->SubMenuImages();
    }
    return nullptr;
}

bool TPMItemViewer::ImageShown()
{
    if (item_->ImageIndex() < 0)
        return false;
    const TPMItemDisplayMode mode = item_->DisplayMode();
    return mode == nbdmDefault || mode == nbdmImageAndText ||
           (mode == nbdmTextOnlyInMenus && ToolbarStyled());
}

void TPMItemViewer::Invalidate()
{
    view_->InvalidateViewer(this);
}
