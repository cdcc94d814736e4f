#pragma once
// The skin style: the one style of the application, over Fusion. A control that discovery bound is
// painted by its kind's painter while its window is skinned; the menus of skinned windows are drawn
// from the skin; everything else, and whatever a painter leaves, is Fusion's. Metrics never change
// with the skin (menus aside), so no window lays itself out again when a skin comes or goes.
#include <QProxyStyle>

class SkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    SkinStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     const QPoint& point, const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

    using QProxyStyle::polish;
    // Controls shown in a skinned window after its controls were found are bound here.
    void polish(QWidget* widget) override;
};

// Makes the skin style the application's style; once, before the first window.
void InstallSkinStyle();
