#pragma once
// The canvas over QPainter: on an image (the painter begins at the first drawing and ends at
// Release), or through a painter the caller has begun (a widget's paint event).
#include "platform_gui/Canvas.h"

#include <QPainter>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

class TPainterCanvas : public TCanvas {
public:
    explicit TPainterCanvas(QImage* image);
    explicit TPainterCanvas(QPainter* painter);
    ~TPainterCanvas() override;

    // Ends the canvas's own painter so the image may be changed or read directly; the next
    // drawing begins a new one with the same clip.
    void Release();
    // Runs before the canvas's own painter begins (a bitmap puts its image in a paintable form).
    std::function<void()> BeforeBegin;

    void LineTo(int x, int y) override;
    void Rectangle(const TRect& rect) override;
    using TCanvas::Rectangle;
    void FillRect(const TRect& rect) override;
    void FrameRect(const TRect& rect) override;
    void Ellipse(const TRect& rect) override;
    void RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) override;
    void Arc(const TRect& rect, TPoint start, TPoint end) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Polyline(const std::vector<TPoint>& points) override;
    TColor Pixel(int x, int y) const override;
    void SetPixel(int x, int y, TColor color) override;
    void DrawFocusRect(const TRect& rect) override;

    void TextOut(int x, int y, const QString& text) override;
    void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text) override;
    void StrokeTextOutline(int x, int y, const QString& text) override;
    TSize TextExtent(const QString& text) override;
    TTextMetrics TextMetrics() override;

    void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect) override;
    void CopyTransparent(const TRect& dest, const QImage& source, const TRect& sourceRect,
                         TColor transparent) override;
    void CopyMasked(const TRect& dest, const QImage& source, const TRect& sourceRect,
                    const QImage& mask) override;
    QImage Grab(const TRect& rect) const override;

    void SetClipRect(const TRect& rect) override;
    void SetClipRegion(const QRegion& region) override;
    void RemoveClip() override;

protected:
    void PaintTextRun(int x, int y, const QString& text, int underline) override;
    void FillSolid(const TRect& rect, TColor color) override;
    void PushClip(const TRect& rect) override;
    void PopClip() override;

private:
    // The begun painter, clip applied, composition plain; null when there is nothing to paint on.
    QPainter* Begin();
    void ApplyClip(QPainter& painter) const;
    void SetPenComposition(QPainter& painter) const;
    QBrush MakeBrush() const;
    QPen MakeQPen() const;
    QFont TextFont() const;
    void PenLine(QPainter& painter, TPoint from, TPoint to);
    void PenFrame(QPainter& painter, const TRect& rect);
    void PaintText(int x, int y, const QString& text, int underline, int escapement);
    void DrawImagePart(const TRect& dest, const QImage& part);

    QImage* image_ = nullptr;
    QPainter* external_ = nullptr;
    std::unique_ptr<QPainter> own_;
    std::optional<QRegion> baseClip_; // the external painter's clip when the canvas was made
    std::optional<QRegion> clip_;
    std::vector<std::optional<QRegion>> pushed_;
};

} // namespace platform
