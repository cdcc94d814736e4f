#pragma once
// The presence of one item in one view: it measures and paints the entry, says where a click lands,
// turns mouse input into selection and clicks, and gives the entry's hint and accessibility role.
#include "platform_gui/Canvas.h"

#include <QString>
#include <Qt>

class TCustomImageList;
class TPMCustomItem;
class TPMItemViewerAccObject;
class TPMView;

// The check-mark cell of a menu entry, in pixels at 96 DPI.
constexpr int MenuCheckWidth = 13;
constexpr int MenuCheckHeight = 13;

// Shift state of a mouse press: the double-click mark.
constexpr unsigned ssDouble = 0x40;

// Accessibility roles of entries.
constexpr int ROLE_SYSTEM_MENUITEM = 12;
constexpr int ROLE_SYSTEM_SEPARATOR = 21;
constexpr int ROLE_SYSTEM_PUSHBUTTON = 43;
constexpr int ROLE_SYSTEM_BUTTONMENU = 57;

class TPMItemViewer {
public:
    TPMItemViewer(TPMView* view, TPMCustomItem* item, int level);
    virtual ~TPMItemViewer();
    TPMItemViewer(const TPMItemViewer&) = delete;
    TPMItemViewer& operator=(const TPMItemViewer&) = delete;

    static TPMItemViewer* Create(TPMView* view, TPMCustomItem* item, int level);
    virtual const char* ClassName() const { return "TPMItemViewer"; }

    TPMCustomItem* Item() const { return item_; }
    TPMView* View() const { return view_; }
    int Level() const { return level_; }

    // Set by the layout, in the view's client coordinates.
    platform::TRect BoundsRect;
    bool Show = false;
    bool Clipped = false; // hidden by the scroll arrows
    bool OffEdge = false;
    bool PaintAlone = false; // invalidated on its own
    // Shown, clipped by the scroll arrows or off the edge: what accessibility counts.
    bool Counted() const { return Show || Clipped || OffEdge; }
    // Its accessibility object once one was asked for.
    TPMItemViewerAccObject* AccObject = nullptr;

    virtual void MeasureItem(platform::TCanvas& canvas, int& width, int& height);
    // Records the click as the menu's close action.
    virtual bool PerformClick();
    virtual void DrawCaptionText(platform::TCanvas& canvas, const platform::TRect& rect,
                                 const QString& caption, bool embossed, unsigned format);
    virtual void NotifySelected();
    virtual int AccessibleRole();
    virtual bool AccessibleValue(QString& text);
    virtual QString CaptionText();
    // The cursor over the local point; left unset, the arrow is used.
    virtual void CursorAt(QPoint point, Qt::CursorShape& cursor);
    virtual bool InClickPart(int x, int y);
    virtual void HandleKey(int& key, Qt::KeyboardModifiers shift);
    virtual void NotifyDeselected();
    virtual void CaptureLost();
    // Points are local to the viewer's bounds.
    virtual void HandleMouseDown(unsigned shift, int x, int y, bool& pressedOnMenu);
    virtual void HandleMouseMove(int x, int y);
    virtual void HandleMouseUp(int x, int y, bool pressedOnMenu);
    virtual void HandleMouseWheel(int delta, int x, int y);
    virtual void PaintItem(platform::TCanvas& canvas, const platform::TRect& rect, bool selected, bool pushed,
                           bool embossed);
    virtual bool TakesColumnWidth();
    virtual bool CaptionVisible();

    void ClickViewer(bool givePriority);
    bool ToolbarStyled();
    bool ToolbarSized();
    QString HintText();
    // The item's images, else the submenu images of the views' parent items, innermost first.
    TCustomImageList* ImageList();
    bool ImageShown();
    void Invalidate();

protected:
    // The image and check column's width for an entry of that height.
    int ColumnWidth(int height);
    // DT_HIDEPREFIX while the view hides accelerator underlines, else 0.
    unsigned PrefixFormat();
    // Caption rectangle adjustments shared by the caption and the shortcut text.
    void AdjustTextRect(platform::TCanvas& canvas, platform::TRect& rect, int height);

private:
    void PaintSubmenuPart(platform::TCanvas& canvas, const platform::TRect& rect, bool selected,
                          bool enabledLook, bool embossed);
    void PaintCheckColumn(platform::TCanvas& canvas, int column, int height, bool selected, bool enabledLook,
                          bool imageShown);

    TPMView* view_;
    TPMCustomItem* item_;
    int level_;
};
