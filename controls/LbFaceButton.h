#pragma once
// What the push button and the speed button share: their appearance settings, hot tracking with
// the slow fade back, the glyph strip, and painting the face into an off-screen image.
#include "controls/LbButtonThread.h"
#include "controls/LbFace.h"
#include "platform_gui/Bitmap.h"
#include "platform_gui/Font.h"
#include "platform_gui/WindowKeys.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

class TLbFaceButton : public QWidget, public platform::DialogKeyReceiver {
    Q_OBJECT
    Q_PROPERTY(int Tag MEMBER tag_)
    // What a language file's Caption sets: the painted caption.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    ~TLbFaceButton() override;

    TLbAlignment Alignment() const { return alignment_; }
    void SetAlignment(TLbAlignment alignment);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // While ParentColor the parent's window colour; setting a colour ends ParentColor.
    platform::TColor Color() const;
    void SetColor(platform::TColor color);
    // A preset writes its colours, flat flag, style and font colour; the property reads lcsCustom.
    TLbColorStyle ColorStyle() const { return lcsCustom; }
    void SetColorStyle(TLbColorStyle style);
    platform::TColor ColorWhenDown() const { return colorWhenDown_; }
    void SetColorWhenDown(platform::TColor color);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // Setting a glyph takes NumGlyphs as its width div its height.
    const platform::TBitmap& Glyph() const { return glyph_; }
    virtual void SetGlyph(const platform::TBitmap& glyph);
    platform::TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(platform::TColor color);
    platform::TFont& Font() { return font_; }
    platform::TFont& HotTrackFont() { return hotTrackFont_; }
    bool UseHotTrackFont() const { return useHotTrackFont_; }
    void SetUseHotTrackFont(bool use);
    TLbButtonLayout Layout() const { return layout_; }
    void SetLayout(TLbButtonLayout layout);
    platform::TColor LightColor() const { return lightColor_; }
    void SetLightColor(platform::TColor color);
    platform::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(platform::TColor color);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    bool SlowDecease() const { return slowDecease_; }
    void SetSlowDecease(bool slow);
    TLbButtonStyle Style() const { return style_; }
    // bsShape shows the parent wherever the face leaves magenta.
    virtual void SetStyle(TLbButtonStyle style);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    // A drop-down menu shown at the lower-left corner on a click.
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu);

    bool Hot() const { return hot_; }
    int FadeLevel() const { return fadeLevel_; }
    // The fade worker; none once SlowDecease was set false (and, for the speed button, before it
    // was set true).
    TLbButtonThread* FadeWorker() const { return fadeWorker_; }
    // One step of the fade back: what the worker runs every 30 ms.
    void FadeStep();

signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseExit();

protected:
    explicit TLbFaceButton(QWidget* parent);

    // Redraws after a change: at once, or at the next paint.
    virtual void Redraw(bool now);
    // The face of the current state, painted into an image of the button's size.
    virtual QImage PaintFace() = 0;
    // The painter's inputs every state shares.
    TLbFace FaceInput() const;
    void CreateFadeWorker();
    // Mouse enter and leave, when enabled, visible and the parent showing.
    bool TracksMouse() const;
    void ShowPopupMenu();

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

    bool DialogKey(const QKeyEvent&) override { return false; }

    int tag_ = 0;
    TLbAlignment alignment_ = taCenter;
    QString caption_;
    platform::TColor color_ = platform::clBtnFace;
    bool parentColor_ = false;
    platform::TColor colorWhenDown_ = platform::clNone;
    bool flat_ = false;
    platform::TBitmap glyph_;
    platform::TColor hotTrackColor_ = platform::clNone;
    platform::TFont font_;
    platform::TFont hotTrackFont_;
    bool useHotTrackFont_ = false;
    TLbButtonLayout layout_ = blGlyphLeft;
    platform::TColor lightColor_ = platform::clWhite;
    platform::TColor shadowColor_ = 0x808080;
    int numGlyphs_ = 0;
    bool slowDecease_ = false;
    TLbButtonStyle style_ = bsNormal;
    bool wordWrap_ = false;
    QPointer<QMenu> popupMenu_;
    bool hot_ = false;
    int fadeLevel_ = 0;
    TLbButtonThread* fadeWorker_ = nullptr;

private:
    void FreeFadeWorker();
};
