#pragma once
// A canvas for layout tests: it records each call with its arguments and measures text with fixed
// metrics (each character the same width and height), so no test depends on an installed font.
#include "platform_gui/Canvas.h"

#include <QHash>
#include <QStringList>
#include <vector>

struct CanvasCall {
    QString Name;
    std::vector<int> Args; // coordinates, then flags, in the order of the call
    QString Text;
    platform::TColor PenColor = 0;
    platform::TColor BrushColor = 0;
    platform::TColor FontColor = 0;
    // "Name(a,b,c)" or "Name(a,b,c;text)": short enough to compare whole call lists.
    QString ToString() const;
};

class RecordingCanvas : public platform::TCanvas {
public:
    explicit RecordingCanvas(int charWidth = 8, int charHeight = 16);

    std::vector<CanvasCall> Calls;
    // Every call's ToString, in order; only the calls of one name when given.
    QStringList Lines(const QString& name = QString()) const;

    void LineTo(int x, int y) override;
    void Rectangle(const platform::TRect& rect) override;
    using TCanvas::Rectangle;
    void FillRect(const platform::TRect& rect) override;
    void FrameRect(const platform::TRect& rect) override;
    void Ellipse(const platform::TRect& rect) override;
    void RoundRect(const platform::TRect& rect, int cornerWidth, int cornerHeight) override;
    void Arc(const platform::TRect& rect, platform::TPoint start, platform::TPoint end) override;
    void Polygon(const std::vector<platform::TPoint>& points) override;
    void Polyline(const std::vector<platform::TPoint>& points) override;
    // What SetPixel put there, else clNone.
    platform::TColor Pixel(int x, int y) const override;
    void SetPixel(int x, int y, platform::TColor color) override;
    void DrawFocusRect(const platform::TRect& rect) override;
    // Recorded as one call; the rectangle is still adjusted as the real routine does.
    bool DrawEdge(platform::TRect& rect, unsigned edge, unsigned flags) override;

    void TextOut(int x, int y, const QString& text) override;
    void ExtTextOut(int x, int y, unsigned options, const platform::TRect* rect,
                    const QString& text) override;
    // Recorded, then laid out with the fixed metrics: each run painted is recorded as "TextRun".
    int DrawText(const QString& text, platform::TRect& rect, unsigned format) override;
    void StrokeTextOutline(int x, int y, const QString& text) override;
    platform::TSize TextExtent(const QString& text) override;
    platform::TTextMetrics TextMetrics() override;

    void CopyRect(const platform::TRect& dest, const QImage& source,
                  const platform::TRect& sourceRect) override;
    void CopyTransparent(const platform::TRect& dest, const QImage& source, const platform::TRect& sourceRect,
                         platform::TColor transparent) override;
    void CopyMasked(const platform::TRect& dest, const QImage& source, const platform::TRect& sourceRect,
                    const QImage& mask) override;
    QImage Grab(const platform::TRect& rect) const override;

    void SetClipRect(const platform::TRect& rect) override;
    void SetClipRegion(const QRegion& region) override;
    void RemoveClip() override;

protected:
    void PaintTextRun(int x, int y, const QString& text, int underline) override;
    void FillSolid(const platform::TRect& rect, platform::TColor color) override;
    void PushClip(const platform::TRect& rect) override;
    void PopClip() override;

private:
    void Record(const QString& name, std::vector<int> args, const QString& text = QString());
    static std::vector<int> Of(const platform::TRect& rect);

    int charWidth_;
    int charHeight_;
    bool quiet_ = false; // inside a recorded compound call
    QHash<QPair<int, int>, platform::TColor> pixels_;
};
