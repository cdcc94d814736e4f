#pragma once
// What the library's windowed and window-less controls share as widgets: the tag, the colour and
// font with their parent-following switches, the control messages, and painting through the
// canvas. The class names of the library's hierarchy start one level below, on both sides.
#include "controls/LXMessages.h"
#include "platform_gui/Canvas.h"
#include "platform_gui/Color.h"
#include "platform_gui/Font.h"

#include <QWidget>

class TLXWidgetBase : public QWidget, public TLXControlMessages {
public:
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // While ParentColor, a library parent's Color, else the parent's window colour.
    platform::TColor Color() const;
    // Setting a colour ends ParentColor.
    void SetColor(platform::TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    // The control's font; changing it ends ParentFont. While ParentFont it follows the widget's
    // inherited font, keeping its own colour.
    platform::TFont& Font() { return font_; }
    const platform::TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    // The client area in widget coordinates (inside the contents margins).
    platform::TRect ClientRect() const { return platform::TRect::FromQRect(contentsRect()); }

protected:
    explicit TLXWidgetBase(QWidget* parent);

    // Paints the control; the canvas holds the control's font.
    virtual void Paint(platform::TCanvas&) {}
    // The colour in use changed (own or the parent's while ParentColor).
    virtual void ColorChanged() { update(); }
    // The font in use changed (own or inherited).
    virtual void FontChange() { update(); }

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OwnFontChanged();
    void TellChildrenColorChanged();

    int tag_ = 0;
    platform::TColor color_ = platform::clWindow;
    bool parentColor_ = true;
    platform::TFont font_;
    bool parentFont_ = true;
    bool followingFont_ = false;
};
